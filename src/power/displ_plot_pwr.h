// The power plot: the combined current of the open current recordings as
// kilowatts in the recording chart, with the energy of the span, the value
// axis, the title and the boxes of the recording plot.
#pragma once

#include <QString>

class Program;

// Draws the power plot from the program state: checks the recordings,
// applies a pending zoom, computes the power array, the energy text and the
// span's extremes, and draws them when there is a chart. Without a chart (the
// command line) it computes and sets the menus only.
void DisplPlotPwr(Program &p);

// The Power Plot command (mnuItemViewPower): the whole of slot 0, the line
// voltage question, then the power plot.
void PowerPlotCommand(Program &p);

// The line voltage as stored ("Vline", volts as typed), in kilovolts.
double storedKilovolts(const Program &p);
QString storedLineVoltage(const Program &p);

// The slot whose mode, times and range the power reports use: ginx when it
// is open, otherwise slot 0.
int powerSlot(const Program &p);
