// The download: receives the whole memory of an instrument in the Download
// window (Dwnloaditem), turns it into the text of a recording, completes its
// header, shows the instrument information and hands the text to the checks
// and the save offer.
#pragma once

#include "program/link_error.h"

#include <QDateTime>
#include <QString>

class Program;
struct LinkError;

// The Download command: probe the port, read runspec.txt, the
// caution for voltage recorders, then the window with the cable prompt.
void mnuItemDownload(Program &p);

// Window events of Dwnloaditem.
void loadDownloadWindow(Program &p);
// OK: closes the open recordings and runs the download.
void DownloadOK(Program &p);
// CancelButton, also the Escape key and closing the window.
void DownloadCancel(Program &p);
// Timer1 (no response for 2.5 s, automatic detection).
void DownloadTimer1(Program &p);
// Timer2 (200 ms): progress and the end-of-data time-out.
void DownloadTimer2(Program &p);

// The download itself, from the first character to the save offer.
void DownLoadProc(Program &p);

// Completes the header of the download text whose family letter is at `m`
// (completedDownloadHeader) and keeps the unit's capacity in
// gSampleCapacity. A unit stopped in a stop-when-full mode leaves its mode
// in slot 0, which becomes the current slot; one of the older layout is
// asked for the time of its field initialization until the answer is a date
// and time. False when no answer is given (the download ends). `shownTime`
// receives the header time as shown.
bool completeDownloadHeader(Program &p, QString &text, int m, const QDateTime &t0, QString &shownTime);

// Texts of the download.
QString downloadCautionText();
QString portNotValidText(const LinkError &e = {});
// A port failure in the middle of a transfer.
QString downloadPortErrorText(int commPort, const LinkError &e);
