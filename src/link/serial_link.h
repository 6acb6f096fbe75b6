// The program's one serial port as the instrument exchanges use it: port
// number, probe, opening for an exchange, one-character reads, closing, the
// pause primitive, the no-response timer of the waiting windows and the baud
// switch of automatic detection.
#pragma once

#include "program/link_error.h"
#include "program/wait_window.h"

#include <QString>
#include <functional>
#include <memory>

class Program;
class SerialPort;
class WindowTimer;

// Interval of every waiting window's no-response timer Timer1.
inline constexpr int kNoResponseMs = 2500;
// How long a receive loop waits for an event when nothing arrived.
inline constexpr int kIdleWaitMs = 10;

// Reads the stored port number ("Comm"/"RDX.MSComm1.CommPort") into
// gCommPort; empty, or text that is no whole number, gives 1. Used at
// start-up and after every port failure.
void reloadCommPort(Program &p);
// The stored port number as read, without a default: 0 when nothing (or no
// whole number) is stored.
int storedCommPort(const Program &p);

// The port; throws LinkError when the program has none.
SerialPort &linkPort(Program &p);

// Throws LinkError for a non-zero error number of the port.
void check(const SerialPort &port, int error);

// CommPort = gCommPort; open; close at once. Throws LinkError.
void probePort(Program &p);
// What a port-failure message adds when this user may not open the device:
// an empty line, then the port's text naming the device and what to do.
// Empty for any other failure (its message says enough).
QString permissionNote(const LinkError &e);
// CommPort = gCommPort; Settings = portSettings; open; InputLen = 1.
// A port found open is closed first. Throws LinkError.
void openForExchange(Program &p);
// The next received character (empty when nothing is waiting). A port that
// is not open throws LinkError (the exchange was cancelled or the device went
// away).
QString readChar(Program &p);
// The same as one byte: 0..255, or -1 when nothing is waiting.
int readByte(Program &p);
// Closes the port when it is open.
void closePort(Program &p);
// Whether the port exists and is open.
bool portIsOpen(const Program &p);

// Pauses for the given seconds without letting window events run.
void Delay(Program &p, float seconds);

// Window load: Timer1 created disabled with the window's tick handler; flags
// cleared.
void loadWaitWindow(Program &p, WaitWindow &w, std::function<void()> onTimer1);
// Enables Timer1 (restarting its interval).
void enableTimer1(WaitWindow &w);
void disableTimer1(WaitWindow &w);

// Sets timerRunning, enables Timer1 and shows "Treating unit as ..." in Label1.
void StartTimer(Program &p, WaitWindow &w);
// Disables Timer1 and clears timerRunning.
void StopTimer(Program &p, WaitWindow &w);

// Mirrors the window and lets pending window events run.
void letEventsRun(Program &p, WaitWindow &w, int maxWaitMs = 0);

// Which window flips: the status window and the initialization header
// window drop DTR before reopening; the download window reopens first.
enum class FlipCaller { Status, HeaderWindow, Download };

// The toggle of automatic detection alone: MQA-S5-MH <-> MQA-S5 with their
// rates and capacities.
void toggleAutoType(Program &p);

// Switches automatic detection to the other MQA-S5 family member and reopens
// the port at its rate. `leadText` ("No response." or "Bad header.") is used
// by the status window only. Throws LinkError when the port fails.
void FlipPortSettings(Program &p, WaitWindow &w, FlipCaller caller,
                      const QString &leadText = QStringLiteral("No response."));

// ------------------------------------------------------------ header waits
// The steps the status check and the initialization's header exchange share
// while they wait for an instrument's header line.

// A character received before the header: a lower-case "m" or "k" is
// upper-cased and sets `lowBattery`; true when the character (now) is "M" or
// "K", the first letter of every family code.
bool startsHeader(QString &ch, bool &lowBattery);

// The family code check of automatic detection, once the header holds three
// characters while Timer1 runs: "KQA" stops the timer and marks both rates
// tried; another code flips to the other rate (restarting the wait), or,
// when both rates were tried, shows the wrong-code message, closes the port
// and answers false. `leadText` is the status window's flip lead text.
bool familyCodeAccepted(Program &p, WaitWindow &w, const QString &line1, FlipCaller caller,
                        const QString &leadText = QStringLiteral("No response."));

// "Check that the instrument is connected or try selecting some other" CR LF
// " instrument type (using Options > Instrument Selection)."
QString checkConnectedText();
// "No response in 2.5 seconds at each of two different baud rates." CR LF
QString noResponseAtBothRatesText();
// "Invalid header fragment received: '...'" and the check-connected lines.
QString headerFragmentText(const QString &line1);
