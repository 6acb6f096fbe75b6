// The Import command: shows a chart file in the second chart.
#pragma once

#include <QString>

class Program;

// Registers mnuItemImport.
void installChartFileCommands(Program &p);

// mnuItemImport: asks for a chart file and shows it in chart 2. A cancelled
// dialog or a file the chart cannot read ends the command without a message.
void ImportChart(Program &p);

// The open dialog's filter for chart files.
inline const QString kChartFileFilter = QStringLiteral("data files (*.chd) | *.chd");
