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

// The recording the power is computed over: the first one opened (slot 0,
// the first file of the command line). The power plot's span is its whole
// length, and its mode, interval, range and start time give the times and
// layouts of the power plot, summary, table and both power exports, whatever
// recording was opened or selected last, so that the program and rdx600-cli
// write the same bytes for the same files opened in the same order.
int powerSlot(const Program &p);

// The span a new power plot starts from (the Power Plot command and the
// command line's power subcommands): the whole of that recording, with no
// selection, zoom, mark or user's axis minimum.
void startWholePowerSpan(Program &p);
