// The header exchange window Abort of the initialization: it shows the
// initialization's progress, offers CANCEL, and owns SpecialSub, which waits
// for the header line an instrument sends when it is connected (finding the
// baud rate with the automatic-detection type). Failure is reported through
// abortFrmErrorFlag, which the initialization reads.
#pragma once

#include <QString>

class Program;
struct LinkError;

class AbortView {
public:
    virtual ~AbortView() = default;
    virtual void show() = 0; // not modal
    virtual void unload() = 0;
    // Mirrors the window's state (Label1, the log label) on screen.
    virtual void sync() = 0;
};

// Load: Timer1 disabled (2500 ms), flags cleared. Loading a loaded window
// changes nothing.
void loadAbortWindow(Program &p);
void showAbortWindow(Program &p);
// Unload: Timer1 stopped, window gone, the main window shown.
void unloadAbortWindow(Program &p);

// CANCEL (Command1), also the Escape key and closing the window: asks the
// running exchange to stop (gOutputMode = OutputMode::CancelOrUserScaleMin).
void AbortCancel(Program &p);
// Timer1 fired: no valid header for 2.5 s (automatic detection only).
void AbortTimer1(Program &p);

// Waits for the header line on the open port. Leaves it in Line1 with
// abortFrmErrorFlag clear, or sets abortFrmErrorFlag (cancel, port closed,
// wrong family code after both rates, header fragment, final time-out).
void SpecialSub(Program &p);

// Appends a line (and CR LF) to the window's log label.
void abortLog(Program &p, const QString &line);

// "Terminating the initialization", preceded by the port's error when a
// port failure (the cable pulled) ended the exchange.
QString terminatingText(const LinkError *cause = nullptr);
