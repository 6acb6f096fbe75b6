// The status check: listens to a connected instrument until its header line
// arrives and shows what it says, in the status window. With the
// automatic-detection type it also finds the baud rate.
#pragma once

#include <QString>

class Program;
struct LinkError;

// The Status Check command: probe the port, then show the status window,
// which runs the check.
void mnuItemStatusCheck(Program &p);

// Window events of the status window.
void loadStatusWindow(Program &p);
// Runs the check, then closes everything down (the window's activation).
void StatusActivate(Program &p);
// Cancel (Command2), also the Escape key and closing the window.
void StatusCancel(Program &p);
// Timer1 fired (no valid header for 2.5 s).
void StatusTimer1(Program &p);

// Texts of the check.
QString statusPromptText(bool s5, bool autoDetect, const QString &portSettings);
QString statusCommandErrorText(const LinkError &e, int callPoint);
QString statusReportErrorText(const LinkError &e, int callPoint);
