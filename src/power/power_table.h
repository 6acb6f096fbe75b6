// The power table: every kilowatt value of the last power plot's span,
// several to a line, shown in the table area and kept in gTable.
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

class Program;

struct PowerTableLayout {
    int valuesPerLine = 8;
    QString heading;
    QString format;     // picture of a kilowatt value
    QString highFormat; // picture for the range "HIGH"
};
// The layout of a mode letter: "b"/"e" six, "c"/"f" ten, any other eight values a line.
PowerTableLayout powerTableLayout(const QString &modeLetter);

// The values of the power array the tables and exports use (the span the
// last power plot computed) and the time of the first.
struct PowerSpan {
    int32_t first = 0; // value index of power[0]
    int count = 0;
    QDateTime start;
};
PowerSpan powerSpan(const Program &p);

// The power table text (lines ended by CR LF).
QString powerTableText(const Program &p, const PowerSpan &span);

// Builds the power table into gTable, shows it with its heading, sets
// output mode 5 and the menus.
void PowerTableProc(Program &p);
// The Power Table command (mnuItemViewPwrTable).
void PowerTableCommand(Program &p);
