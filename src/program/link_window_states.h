// The state of the link's windows (status, InstSel, InstProperties, PortSel)
// as the program holds it. The windows' view interfaces and the procedures
// that change this state belong to the link (link/link_windows.h).
#pragma once

#include "platform/clock.h"
#include "program/link_error.h"
#include "program/wait_window.h"

#include <QString>
#include <cstdint>
#include <memory>

struct StatusWindowState {
    WaitWindow wait; // Label1 text, Timer1, timerRunning, triedBoth, restartWait
    bool loaded = false;
    bool visible = false;
    bool label1Visible = false;
    // Label1 large ("READY", 24 points) or small with Label2's colours
    // ("WAITING FOR RESPONSE...", 10 points).
    int label1FontSize = 10;
    bool label1ColoursFromLabel2 = false;
    QString label2;
    bool label2Visible = false;
    bool command1Visible = false; // "PROCEED", never shown during a check

    QString line1; // header characters received so far
    bool headerStarted = false;
    bool lowBattery = false;
    bool suppressCommErrMsg = false;
    bool checkRunning = false;
    bool inTimer1 = false;
    // A failure met by the timer handler, raised by the receive loop.
    bool hasPendingError = false;
    LinkError pendingError;
};

struct InstSelState {
    bool loaded = false;
    bool entryFromInstFlag = false;
    int selected = 0; // the option button selected; 0 is the hidden Option0
    bool okEnabled = true;
    bool propertiesEnabled = true;
    bool cancelEnabled = true;
    bool cancelVisible = true;
    QString label1;
    // Remembered at load, restored by Cancel.
    int savedSelection = 0;
    QString savedPortSettings;
    int32_t savedMaxSamples = 0;
    bool savedS5Flag = true;
};

struct InstPropertiesState {
    bool editable = false; // Custom type: every option button enabled
    bool okEnabled = false;
    bool okDefault = false;
    QString baudSettings;    // settings text of the selected baud button; empty: none
    int32_t samples = 0;     // value of the selected capacity button; 0: none
    int interfaceButton = 0; // 11 "S5-Type", 12 "Non-S5 Type"
};

// The buttons selected when OK is pressed.
struct InstPropertiesChoice {
    QString baudSettings;
    int32_t samples = 0;
    int interfaceButton = 0;
};

struct PortSelState {
    int selected = 0; // option button 1..8; 0 none
    bool open = false;
};

// Flags read from runspec.txt by every Download command; they switch the
// download's reports and the '999' conversion, and inject chosen errors into
// the downloaded text so that the checks can be tried on a real instrument.
struct RunSpecFlags {
    bool enableChange999sTo000 = true;
    bool enable999CountReport = false;
    bool enableErrorReport = true;
    bool enableAddedReading = false;
    bool enableMissingReading = false;
    bool enableChangeTo999 = false;
    bool enableAddedBadChar = false;
    bool enableReadingOver999 = false;
    bool enableAddedCtrlZ = false;
    bool enableMissingCtrlZ = false;
};

// The Download window (Dwnloaditem) and the flags its receive loop, its
// timers and its buttons exchange.
struct DownloadWindowState {
    RunSpecFlags runSpec;
    WaitWindow wait; // Label1, Timer1, timerRunning, triedBoth, restartWait, Label3 (debug log)
    std::unique_ptr<WindowTimer> timer2; // progress and end-of-data timer, 200 ms
    bool loaded = false;
    bool visible = false;
    QString label2; // progress text
    bool okVisible = false;
    bool cancelVisible = false;
    bool progressVisible = false;
    int progressMax = 20000;
    int progressShown = 0; // ProgressBar1's value, set by Timer2 and processing
    int progress = 0;      // the receive loop's progress value, 0..20000

    bool cancelRequested = false;
    bool downloadActive = false;
    bool dataTimedOut = false;
    int idleTicks = 0;
    int32_t charsReceived = 0;
    int32_t lastCount = 0; // charsReceived at the previous Timer2 tick
    bool lowBattery = false;
    // How the last download ended: its text went to gText, a file was saved.
    bool textReady = false;
    bool saved = false;
    bool inTimer1 = false;
    // A failure met by Timer1's handler (the port would not reopen), raised
    // by the receive loop, where the download's error handler is.
    bool hasPendingError = false;
    LinkError pendingError;
    // What the window showed at its last sync (a sync per character would
    // cost more than the receiving).
    int version = 0; // raised by every change of a field above
    int syncedVersion = -1;
    QString syncedLabel1;
    qsizetype syncedLogSize = -1;
};
