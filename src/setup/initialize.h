// Initialization: starts a new recording in an instrument. The options come
// from the window InitInst; the exchange runs with the header exchange
// window Abort (link/header_exchange.h) showing its progress: wait for the
// header, send a TAB, wait for the unit's "T", send the initialization
// string with the present time, read the new header back.
#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <optional>

class ModeTable;
class Program;
struct LinkError;

// The options window "Initialization Options".
class InitInstView {
public:
    virtual ~InitInstView() = default;
    // Shows the window modally with the options of InitInstState; Proceed
    // stores the chosen options and calls InitInstProceed, Cancel calls
    // InitInstCancel.
    virtual void showModal() = 0;
    virtual void unload() = 0;
};

namespace init {

// The mode letter IMode of the options: time option 1-3 ("15 minutes",
// "5 minutes", "1 minute"), kind option 4-5 (Average, Min/Max/Avg), memory
// option 6-7 (Continuous Loop, Stop when memory full).
QChar modeLetter(int timeOption, int kindOption, int memoryOption);

// The initialization string: "mm-dd-yy hh:mm", a blank, the mode character
// (a min/max/avg letter sent 6 places lower), the kind digit, CR.
QString initString(const QDateTime &now, QChar imode);

// The read-back message of a read-back header (family letter first).
// `blankMode` tells that character 4 was a blank (read as "a"); nullopt, with
// `badLetter` set, when the mode letter has no row in the mode table.
std::optional<QString> readBackText(const QString &header, const ModeTable &modes, bool &blankMode,
                                    QString &badLetter);

// The texts of the procedure.
QString warningText();
QString progressText();
QString lowBatteryText();
QString blankModeText();
QString unknownModeText(const QString &letter);
QString portErrorText(const LinkError &e);

} // namespace init

// The Initialize command (mnuItemInitialize).
void mnuItemInitialize(Program &p);
// "Proceed" of InitInst: runs Initialize; the window is gone afterwards.
void InitInstProceed(Program &p);
// "Cancel" of InitInst.
void InitInstCancel(Program &p);
// The initialization procedure, with the options of InitInstState.
void Initialize(Program &p);

void installInitializeCommand(Program &p);
