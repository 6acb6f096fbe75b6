// The state of the windows of initialization and recovery: the header
// exchange window Abort (a link window the initialization drives), the
// options window InitInst and the recovery window recover.
#pragma once

#include "program/link_error.h"
#include "program/wait_window.h"

#include <QString>
#include <cstdint>

// The header exchange window (Abort): progress label, CANCEL, Timer1, and
// the result of its header exchange SpecialSub.
struct AbortWindowState {
    WaitWindow wait; // Label1, Timer1, timerRunning, triedBoth, restartWait
    bool loaded = false;
    bool visible = false;
    QString logLabel; // lines appended by the initialization, CR LF after each

    // Read and written by the initialization.
    bool abortFrmErrorFlag = false;
    bool flag = false; // set: the header's family letter arrived in lower case
    QString Line1;     // the header, or the characters the initialization reads

    bool headerStarted = false;
    long counter = 0;
    bool inTimer1 = false;
    // A failure met by the timer handler, raised in the exchange's loop.
    bool hasPendingError = false;
    LinkError pendingError;
};

// The options of InitInst: one option button chosen in each frame.
struct InitInstState {
    bool loaded = false;
    int timeOption = 1;   // Option1 "15 minutes", Option2 "5 minutes", Option3 "1 minute"
    int kindOption = 4;   // Option4 "Average", Option5 "Min/Max/Avg"
    int memoryOption = 6; // Option6 "Continuous Loop", Option7 "Stop when memory full"
    bool proceedDefault = false;
    bool buttonsVisible = false;
    // The read-back message of the last initialization that completed (the
    // command line prints it); empty when none did.
    QString readBack;
};

// The recovery window (recover).
struct RecoverWindowState {
    bool loaded = false;
    bool visible = false;
    QString label1;
    bool label1Visible = true;
    bool okVisible = true;
    bool cancelVisible = false;
    bool progressVisible = false;
    int progressMax = 20000;
    int progressValue = 0;
    bool cancelled = false;
    bool running = false;
    QString unitsLetter; // the third character of the family code
    bool saved = false;  // the last recovery was written to a recording file
};

struct SetupState {
    InitInstState initInst;
    RecoverWindowState recover;
};
