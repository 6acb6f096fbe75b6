#include "setup/initialize.h"

#include "link/header_exchange.h"
#include "link/instrument_catalogue.h"
#include "link/serial_link.h"
#include "link/status_check.h"
#include "link/status_decode.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/serial_port.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/recording.h"

namespace {

const QString kCr = QStringLiteral("\r");
const QString kCrLf = QStringLiteral("\r\n");
constexpr char kTab = 9;
constexpr char16_t kCtrlZ = 26;

QString mid(const QString &s, int from, int count) // 1-based positions
{
    return s.mid(from - 1, count);
}

void message(Program &p, const QString &text)
{
    p.dialogs().message(text);
}

// How one pass of the procedure ended.
enum class Pass {
    Another,   // the user wants to do another instrument
    Cancelled, // CANCEL while waiting for the unit: back to the cable prompt
    End,
};

// Reads characters one at a time, letting events run between reads, until
// `done` accepts one. False when the user cancelled in the header exchange
// window. A port failure (the cable pulled) throws LinkError.
template <class Done> bool readUntil(Program &p, Done done)
{
    WaitWindow &w = p.link.abort.wait;
    bool idle = false;
    for (;;) {
        letEventsRun(p, w, idle ? kIdleWaitMs : 0);
        if (p.rec.gOutputMode == OutputMode::CancelOrUserScaleMin) {
            return false;
        }
        const QString c = readChar(p);
        idle = c.isEmpty();
        if (!idle && done(c)) {
            return true;
        }
    }
}

// Drops what has arrived so far: the rest of the unit's transmission that
// followed its header. Only what the unit sends after the TAB answers it.
void discardInput(Program &p)
{
    letEventsRun(p, p.link.abort.wait);
    SerialPort &port = linkPort(p);
    while (port.portOpen() && !port.input().isEmpty()) {
    }
}

void send(Program &p, const QByteArray &bytes)
{
    SerialPort &port = linkPort(p);
    check(port, port.output(bytes));
}

Pass onePass(Program &p, QChar imode)
{
    AbortWindowState &a = p.link.abort;
    const bool autoDetect = autoDetectSelected(p);

    // The cable prompt. The port stays closed while it is shown.
    p.rec.gOutputMode = OutputMode::Nothing;
    closePort(p);
    const MsgResult answer = p.dialogs().message(
        statusPromptText(p.link.gS5Flag, autoDetect, p.splash.portSettings), {}, MsgButtons::OkCancel);
    if (answer != MsgResult::Ok) {
        return Pass::End;
    }

    a.wait.label1 = init::progressText();
    showAbortWindow(p);

    reloadCommPort(p);
    openForExchange(p);

    SpecialSub(p);
    if (a.abortFrmErrorFlag) {
        return Pass::End;
    }
    if (autoDetect) {
        a.wait.label1 = init::progressText();
    }
    abortLog(p, QStringLiteral("IMode$=") + imode);

    Delay(p, 0.2F);
    discardInput(p);
    send(p, QByteArray(1, kTab));

    // The unit answers the TAB with a "T".
    a.Line1.clear();
    const bool answered = readUntil(p, [&a](const QString &c) {
        a.Line1 += c;
        return c == QLatin1String("T");
    });
    if (!answered) {
        return Pass::Cancelled;
    }

    const QString text = init::initString(p.clock().now(), imode);
    Delay(p, 0.5F);
    send(p, text.toLatin1());
    abortLog(p, QStringLiteral("Initstring=") + text);
    abortLog(p, QStringLiteral("Instrument is initializing..."));

    // The read-back header: from the family letter to the Ctrl-Z.
    QString first;
    bool lowBattery = false;
    if (!readUntil(p, [&first, &lowBattery](const QString &c) {
            QString ch = c;
            if (startsHeader(ch, lowBattery)) {
                first = ch;
                return true;
            }
            return false;
        })) {
        return Pass::Cancelled;
    }
    a.Line1.clear();
    if (!readUntil(p, [&a](const QString &c) {
            if (c.at(0) == kCtrlZ) {
                return true;
            }
            a.Line1 += c;
            return false;
        })) {
        return Pass::Cancelled;
    }
    const QString header = first + a.Line1;

    closePort(p);
    if (a.flag) {
        p.dialogs().message(init::lowBatteryText(), QStringLiteral("WARNING"), MsgButtons::Ok,
                            MsgIcon::Exclamation);
    }

    bool blankMode = false;
    QString badLetter;
    const std::optional<QString> readBack = init::readBackText(header, p.modes, blankMode, badLetter);
    if (!readBack) {
        message(p, init::unknownModeText(badLetter));
        return Pass::End;
    }
    if (blankMode) {
        message(p, init::blankModeText());
    }
    p.setup.initInst.readBack = *readBack;
    if (p.dialogs().message(*readBack, {}, MsgButtons::YesNo, MsgIcon::None, MsgDefault::Second) ==
        MsgResult::Yes) {
        return Pass::Another;
    }
    return Pass::End;
}

} // namespace

namespace init {

QChar modeLetter(int timeOption, int kindOption, int memoryOption)
{
    char letter = 'a';
    if (timeOption == 2) {
        letter = 'b';
    } else if (timeOption == 3) {
        letter = 'c';
    }
    if (kindOption == 5) {
        letter = static_cast<char>(letter + 6);
    }
    if (memoryOption == 7) {
        letter = static_cast<char>(letter + 3);
    }
    return QLatin1Char(letter);
}

QString initString(const QDateTime &now, QChar imode)
{
    const bool minMaxAvg = imode > QLatin1Char('f');
    const QChar sent = minMaxAvg ? QChar(imode.unicode() - 6) : imode;
    return textformat::dateText(now, textformat::DateText::Header) + QLatin1Char(' ') + sent +
           (minMaxAvg ? QLatin1Char('1') : QLatin1Char('0')) + kCr;
}

std::optional<QString> readBackText(const QString &header, const ModeTable &modes, bool &blankMode,
                                    QString &badLetter)
{
    const QString time = headerTimeText(mid(header, 31, 14));
    const QString type = mid(header, 1, 3).toUpper();
    const QString serial = mid(header, 8, 4);
    QString mode = mid(header, 4, 1);
    blankMode = mode == QLatin1String(" ");
    if (blankMode) {
        mode = QStringLiteral("a");
    }
    const std::optional<QString> memory = modes.memory(mode);
    const std::optional<int> minutes = modes.interval(mode);
    if (!memory || !minutes) {
        badLetter = mode;
        return std::nullopt;
    }
    const QString kind =
        isMinMaxAvg(mode) ? QStringLiteral("Min/Max/Avg  ") : QStringLiteral("  Average    ");
    // Row "m" has no interval.
    const QString interval = memory->isEmpty() ? QString() : QString::number(*minutes);
    return QStringLiteral("Initialization complete. New settings as read back from instrument:") + kCrLf +
           kCrLf + QStringLiteral(" Type: ") + type + QStringLiteral("           Serial Number ") + serial +
           kCr + QStringLiteral(" Mode setting:     ") + kind + QString(5, QLatin1Char(' ')) + *memory +
           interval + QStringLiteral("  min interval") + kCr + QStringLiteral(" Time                     ") +
           time + kCr + kCr + QStringLiteral("       RETURN THE SWITCH TO 'STANDBY'   ") + kCr +
           QStringLiteral("           OR REMOVE THE CABLE NOW       ") + kCr + kCr +
           QStringLiteral(" Do you want to do another?     ") + kCr;
}

QString warningText()
{
    return QStringLiteral("     Warning! - This Function will clear") + kCr +
           QStringLiteral("    All previous Data from the instrument") + kCr +
           QStringLiteral("Select 'OK' to continue, or  'CANCEL' to abort");
}

QString progressText()
{
    return QStringLiteral("INITIALIZING...") + kCr + QStringLiteral("  - May take around 15 seconds") + kCr +
           kCr + QStringLiteral("(You can cancel at any time)");
}

QString lowBatteryText()
{
    return QStringLiteral("Initialization is complete, but...") + kCrLf + kCrLf +
           QStringLiteral("    LOW INSTRUMENT BATTERY    ");
}

QString blankModeText()
{
    return QStringLiteral("KPA 10 or 20 only have 15 min average, continuoue mode");
}

QString unknownModeText(const QString &letter)
{
    return QStringLiteral("The instrument read back the mode letter '") + letter +
           QStringLiteral("', which is no known mode.") + kCrLf +
           QStringLiteral("Check its settings with a Status Check.");
}

QString portErrorText(const LinkError &e)
{
    return QStringLiteral("Error ") + textformat::withLeadingBlank(e.number) + QStringLiteral(":  ") + e.text;
}

} // namespace init

void Initialize(Program &p)
{
    InitInstState &o = p.setup.initInst;
    const QChar imode = init::modeLetter(o.timeOption, o.kindOption, o.memoryOption);
    o.readBack.clear();
    o.loaded = false;
    if (p.windows.initInst != nullptr) {
        p.windows.initInst->unload();
    }
    p.sync();

    loadAbortWindow(p);
    for (;;) {
        Pass pass = Pass::End;
        try {
            pass = onePass(p, imode);
        } catch (const LinkError &e) {
            // The cable pulled or the port failing in the middle: one message.
            closePort(p);
            message(p, terminatingText(&e));
        }
        if (pass == Pass::End) {
            break;
        }
    }
    p.link.abort.flag = false;
    unloadAbortWindow(p);
    closePort(p);
    p.rec.gOutputMode = OutputMode::Nothing;
    p.sync();
}

void InitInstProceed(Program &p)
{
    Initialize(p);
}

void InitInstCancel(Program &p)
{
    p.setup.initInst.loaded = false;
    if (p.windows.initInst != nullptr) {
        p.windows.initInst->unload();
    }
    p.sync();
}

void mnuItemInitialize(Program &p)
{
    HideChart(p);
    HideTextViews(p);
    if (p.dialogs().message(init::warningText(), {}, MsgButtons::OkCancel, MsgIcon::Warning) !=
        MsgResult::Ok) {
        p.dialogs().setBusy(false);
        return;
    }
    try {
        reloadCommPort(p);
        probePort(p);
    } catch (const LinkError &e) {
        closePort(p);
        message(p, init::portErrorText(e));
        reloadCommPort(p);
        return;
    }
    InitInstState &o = p.setup.initInst;
    o.loaded = true;
    o.buttonsVisible = true;
    o.proceedDefault = true;
    if (p.windows.initInst != nullptr) {
        p.windows.initInst->showModal();
    }
}

void installInitializeCommand(Program &p)
{
    p.addCommand(menu::kItemInitialize, [&p] { mnuItemInitialize(p); });
}
