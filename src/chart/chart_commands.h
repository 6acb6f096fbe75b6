// Menu commands of the recording chart: Plot, Refresh Graph, Zoom, Scale,
// Add Note, Clear Notes and One-page Plot.
#pragma once

#include <QString>

class Program;

// Registers the commands and attaches the chart's mouse and toolbar handling
// to the recording chart.
void installChartCommands(Program &p);

namespace chartcmd {

void viewPlot(Program &p);    // mnuItemViewPlot
void refresh(Program &p);     // mnuItemRefresh
void zoom(Program &p);        // mnuZoom
void scale(Program &p);       // mnuItemScale
void addNote(Program &p);     // mnuItemadd
void clearNotes(Program &p);  // mnuItemClearNote
void onePagePlot(Program &p); // mnuItemOnepgPlot

// Chart type flag added by Plot and Zoom.
constexpr unsigned kTypeFlag = 0x10000000U;

// The caption of Label1 while one-page mode is on.
QString onePageNotice();

// A whole number in -32768..32767 ("5", " -3 "); false for anything else.
bool parseWholeNumber(const QString &text, int &value);

} // namespace chartcmd
