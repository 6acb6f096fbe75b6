#include "link/download.h"

#include "link/download_check.h"
#include "link/download_text.h"
#include "link/instrument_catalogue.h"
#include "link/link_windows.h"
#include "link/serial_link.h"
#include "link/status_check.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/serial_port.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kTimer2Ms = 200;
// Timer2 ticks without a new character (after the first 500) that end the
// reception: 2000 ms / 200 ms, plus the two ticks the count takes to reach
// past it (about 2.4 s).
constexpr int kEndOfDataTicks = 2000 / kTimer2Ms;
constexpr int32_t kCharsBeforeEndOfData = 500;
constexpr int kProgressMax = 20000;
constexpr int kProgressStart = 1000;
// While characters keep arriving, events run after every 64 of them rather
// than after each one: buttons and timers still act within a fraction of a
// millisecond, and a full memory is received in a fraction of a second.
constexpr int kEventsEvery = 64;
// Processing lets events run and shows its count every 1000 cells.
constexpr int kProcessStep = 1000;
constexpr int kProgressStep = 10000;

DownloadWindowState &state(Program &p)
{
    return p.link.download;
}

void changed(Program &p)
{
    ++state(p).version;
}

void syncDownload(Program &p)
{
    DownloadWindowState &s = state(p);
    if (p.windows.download != nullptr) {
        p.windows.download->sync();
    }
    s.syncedVersion = s.version;
    s.syncedLabel1 = s.wait.label1;
    s.syncedLogSize = s.wait.debugLog.size();
}

// The window mirrors the state only when something it shows has changed.
void refreshDownload(Program &p)
{
    const DownloadWindowState &s = state(p);
    if (s.version != s.syncedVersion || s.wait.label1 != s.syncedLabel1 ||
        s.wait.debugLog.size() != s.syncedLogSize) {
        syncDownload(p);
    }
}

void showDownloadWindow(Program &p)
{
    state(p).visible = true;
    changed(p);
    syncDownload(p);
    if (p.windows.download != nullptr) {
        p.windows.download->show();
    }
}

void hideDownloadWindow(Program &p)
{
    state(p).visible = false;
    if (p.windows.download != nullptr) {
        p.windows.download->hide();
    }
}

void unloadDownloadWindow(Program &p)
{
    DownloadWindowState &s = state(p);
    s.loaded = false;
    s.visible = false;
    s.wait.unloaded = true;
    disableTimer1(s.wait);
    s.wait.timerRunning = false;
    if (s.timer2 != nullptr) {
        s.timer2->stop();
    }
    if (p.windows.download != nullptr) {
        p.windows.download->unload();
    }
}

void pointerNormal(Program &p)
{
    p.view.busy = false;
    p.dialogs().setBusy(false);
}

void pointerBusy(Program &p)
{
    p.view.busy = true;
    p.dialogs().setBusy(true);
}

void disableSave(Program &p)
{
    p.menu.setEnabled(menu::kItemSave, false);
}

void message(Program &p, const QString &text)
{
    p.dialogs().message(text);
}

QString trueFalse(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

void appendLog(Program &p, const QString &line)
{
    state(p).wait.debugLog += line + kCrLf;
}

void raisePendingError(DownloadWindowState &s)
{
    if (s.hasPendingError) {
        s.hasPendingError = false;
        throw s.pendingError;
    }
}

bool isKqa(const QByteArray &cells, int h)
{
    return cells.at(h) == 'K' && QChar::fromLatin1(cells.at(h + 1)).toUpper() == QLatin1Char('Q') &&
           QChar::fromLatin1(cells.at(h + 2)).toUpper() == QLatin1Char('A');
}

void advanceProgress(DownloadWindowState &s, int32_t position)
{
    if (position == 2 && s.progress < kProgressStart) {
        s.progress = kProgressStart;
    } else {
        ++s.progress;
    }
    if (s.progress > kProgressMax) {
        s.progress = 0;
    }
}

enum class Outcome { Go, Ended };

// Waits for the first character, which only shows that the unit transmits.
Outcome waitForFirstCharacter(Program &p)
{
    DownloadWindowState &s = state(p);
    bool idle = false;
    for (;;) {
        letEventsRun(p, s.wait, idle ? kIdleWaitMs : 0);
        raisePendingError(s);
        if (s.cancelRequested) {
            s.cancelVisible = true;
            changed(p);
            disableSave(p);
            closePort(p);
            return Outcome::Ended;
        }
        if (readByte(p) >= 0) {
            return Outcome::Go;
        }
        idle = true;
    }
}

// The receive loop: stores every character in `cells` until a Ctrl-Z, the
// end-of-data time-out or the character limit; `position` is the number of
// characters received (a final Ctrl-Z, or the character read as the
// time-out struck, is in `cells` but not counted).
Outcome receiveLoop(Program &p, QByteArray &cells, int32_t &position)
{
    DownloadWindowState &s = state(p);
    WaitWindow &w = s.wait;
    const bool autoDetect = autoDetectSelected(p);
    int32_t limit = downloadCharLimit(p.splash.maxSamples);
    int header = 0; // 0: none (a family letter at position 0 counts as none)
    // With automatic detection, what arrives before the family code is
    // confirmed may be garbage of a wrong rate: a Ctrl-Z there is no end.
    bool familyConfirmed = !autoDetect;
    position = 0;
    cells.clear();
    cells.reserve(limit + 1);
    bool idle = false;
    int sinceEvents = kEventsEvery;
    while (position < limit) {
        if (w.restartWait) {
            w.restartWait = false;
            s.progress = 0;
            header = 0;
            familyConfirmed = !autoDetect;
            position = 0;
            cells.clear();
            s.lowBattery = false;
            limit = downloadCharLimit(p.splash.maxSamples);
            cells.reserve(limit + 1);
        }
        if (idle || ++sinceEvents >= kEventsEvery) {
            sinceEvents = 0;
            letEventsRun(p, w, idle ? kIdleWaitMs : 0);
            s.charsReceived = position;
            if (w.unloaded) {
                return Outcome::Ended; // Timer1 gave up and said so
            }
            raisePendingError(s);
            if (s.cancelRequested) {
                pointerNormal(p);
                disableSave(p);
                closePort(p);
                return Outcome::Ended;
            }
        }
        if (autoDetect && !w.timerRunning && !w.triedBoth) {
            StartTimer(p, w);
        }
        int c = readByte(p);
        idle = c < 0;
        if (c >= 0) {
            if (header == 0) {
                if (c == 'm' || c == 'k') {
                    c -= 'a' - 'A';
                    s.lowBattery = true;
                }
                if (c == 'M' || c == 'K') {
                    header = position;
                }
            }
            cells.append(static_cast<char>(c));
            // The family code is checked once its third letter is in.
            if (autoDetect && header > 0 && position == header + 2) {
                if (!isKqa(cells, header)) {
                    appendLog(p, QStringLiteral("Got a non-KQA.   triedBoth=") + trueFalse(w.triedBoth));
                    if (!w.triedBoth) {
                        StopTimer(p, w);
                        FlipPortSettings(p, w, FlipCaller::Download);
                        w.restartWait = true;
                        continue;
                    }
                    message(p, QStringLiteral("Response from instrument not valid.") + kCrLf +
                                   QStringLiteral("Remove the cable from the instrument, and then") + kCrLf +
                                   QStringLiteral("try selecting some other instrument type") + kCrLf +
                                   QStringLiteral("(using Options > Instrument Selection)"));
                    closePort(p);
                    unloadDownloadWindow(p);
                    pointerNormal(p);
                    p.sync();
                    return Outcome::Ended;
                }
                StopTimer(p, w);
                w.triedBoth = true;
                w.label1 = QStringLiteral("Treating unit as ") + InstName(p.splash.instAutoCurrent) +
                           QStringLiteral(".  Got a response. Downloading data...");
                appendLog(p, QStringLiteral("Got 'KQA'."));
                familyConfirmed = true;
            }
        }
        if ((c == kCtrlZ && familyConfirmed) || s.dataTimedOut) {
            if (s.dataTimedOut) {
                w.label1 = QStringLiteral("Terminated by waiting for data");
                appendLog(p, w.label1);
            }
            break;
        }
        if (c < 0) {
            continue;
        }
        ++position;
        advanceProgress(s, position);
    }
    s.charsReceived = position;
    return Outcome::Go;
}

// Turns the cells into the text; nothing when the user cancelled.
std::optional<QByteArray> processCells(Program &p, const QByteArray &cells, bool trim)
{
    DownloadWindowState &s = state(p);
    DownloadTextBuilder builder(trim, cells.size());
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i % kProcessStep == 0) {
            if (i % kProgressStep == 0 && i > 0) {
                s.progressShown += kProgressStart;
                if (s.progressShown > kProgressMax) {
                    s.progressShown = 0;
                }
            }
            if (i > 0) {
                s.label2 = QStringLiteral("No. of characters processed = ") + textformat::withLeadingBlank(i);
            }
            changed(p);
            letEventsRun(p, s.wait);
            if (s.cancelRequested) {
                pointerNormal(p);
                disableSave(p);
                return std::nullopt;
            }
        }
        if (!builder.feed(cells.at(i))) {
            break;
        }
    }
    s.label2 =
        QStringLiteral("No. of characters processed = ") + textformat::withLeadingBlank(builder.processed());
    changed(p);
    return builder.takeText();
}

// Steps 2 to 17 of the download; a port failure throws LinkError.
void downloadSteps(Program &p, const QDateTime &t0)
{
    DownloadWindowState &s = state(p);
    WaitWindow &w = s.wait;

    w.label1 = QStringLiteral(" Cancel or Escape to quit") + QLatin1Char('\r') + QStringLiteral("COM") +
               QString::number(p.link.gCommPort) + QStringLiteral("  in use");
    s.okVisible = false;
    s.cancelVisible = true;
    changed(p);

    SerialPort &port = linkPort(p);
    port.setEOFEnable(true);
    port.setDTREnable(true);
    openForExchange(p);
    s.progressMax = kProgressMax;
    s.progressShown = 0;
    s.label2 = QStringLiteral("        Ready to start download.");
    changed(p);

    if (waitForFirstCharacter(p) == Outcome::Ended) {
        return;
    }

    s.label2 = QStringLiteral("Waiting for response from the unit.");
    changed(p);
    letEventsRun(p, w);
    s.progressVisible = true;
    changed(p);
    pointerBusy(p);
    s.charsReceived = 0;
    s.lastCount = 0;
    s.timer2->start(kTimer2Ms);

    QByteArray cells;
    int32_t position = 0;
    if (receiveLoop(p, cells, position) == Outcome::Ended) {
        return;
    }

    closePort(p);
    s.timer2->stop();
    s.label2 = QStringLiteral("Total No. of characters received = ") + textformat::withLeadingBlank(position);
    changed(p);
    letEventsRun(p, w);
    s.progressVisible = false;
    pointerNormal(p);

    // The MQA-S5 keeps readings of earlier recordings after its own.
    const bool trim = p.splash.instSelection == InstType::kMqaS5 ||
                      (autoDetectSelected(p) && p.splash.instAutoCurrent == InstType::kMqaS5);
    w.label1 = QStringLiteral("PROCESSING DATA; WAIT") + QLatin1Char('\r');
    s.okVisible = false;
    s.cancelVisible = true;
    s.progressVisible = true;
    changed(p);

    const std::optional<QByteArray> processed = processCells(p, cells, trim);
    if (!processed) {
        return;
    }
    letEventsRun(p, w);
    s.progressVisible = false;
    changed(p);
    refreshDownload(p);

    message(p, QStringLiteral("       RETURN THE SWITCH TO 'STANDBY'   ") + QLatin1Char('\r') +
                   QStringLiteral("           OR REMOVE THE CABLE NOW       ") + QLatin1Char('\r') +
                   QLatin1Char('\r'));
    hideDownloadWindow(p);

    QString text = QString::fromLatin1(*processed);
    const auto header = downloadHeaderIndex(text);
    if (!header) {
        message(p, QStringLiteral("Bad data. Try downloading again."));
        closePort(p);
        unloadDownloadWindow(p);
        pointerNormal(p);
        p.sync();
        return;
    }
    QString shownTime;
    if (!completeDownloadHeader(p, text, static_cast<int>(*header), t0, shownTime)) {
        return;
    }

    p.rec.gText = text;
    p.rec.gInfo[0][kColStart] = shownTime;
    s.textReady = true;
    hideDownloadWindow(p);
    s.cancelRequested = false;
    Program::run(p.procs.Showinfo);
    p.sync();
    message(p, QStringLiteral(" PROCEED"));
    p.view.Label1.visible = false;
    p.sync();
    if (s.lowBattery) {
        p.dialogs().message(QStringLiteral("    LOW INSTRUMENT BATTERY    "), QStringLiteral("WARNING"),
                            MsgButtons::Ok, MsgIcon::Exclamation);
    }
    s.saved = DownloadReportAndSave(p);
}

} // namespace

bool completeDownloadHeader(Program &p, QString &text, int m, const QDateTime &t0, QString &shownTime)
{
    CompletedHeader h = completedDownloadHeader(text, m, t0, p.modes, p.splash.maxSamples, std::nullopt);
    p.link.gSampleCapacity = h.capacity;
    if (h.stopped) {
        p.rec.gInfo[0][kColMode] = h.mode;
    }
    if (h.needsFieldInitialization) {
        const QString prompt = QStringLiteral("Enter date and time of the field initialization") +
                               QLatin1Char('\r') + QStringLiteral("using format 'mm-dd-yy hh:mm'");
        std::optional<QDateTime> initialized;
        while (!initialized) {
            const QString answer = p.dialogs().inputBox(prompt, {}, {});
            if (answer.isEmpty()) {
                return false;
            }
            initialized = parseFieldInitialization(answer);
        }
        h = completedDownloadHeader(text, m, t0, p.modes, p.splash.maxSamples, initialized);
    }
    if (h.stopped) {
        p.rec.ginx = 0;
        p.rec.gInfo[0][kColStart] = h.stopBase;
    }
    text = std::move(h.text);
    shownTime = std::move(h.shownTime);
    return true;
}

QString downloadCautionText()
{
    const QString blanks(33, QLatin1Char(' '));
    const QChar cr = QLatin1Char('\r');
    return QStringLiteral("             CAUTION          ") + cr + blanks + cr +
           QStringLiteral("    For Voltage Recorders press  ") + cr +
           QStringLiteral("    the display switch until the ") + cr +
           QStringLiteral("          reading appears.       ") + cr + blanks + cr +
           QStringLiteral("           Then press OK         ") + cr;
}

QString portNotValidText(const LinkError &e)
{
    const QString head = QStringLiteral("Communication port not valid.");
    // Another port would not help a user who may not open this one.
    if (const QString note = permissionNote(e); !note.isEmpty()) {
        return head + note;
    }
    return head + kCrLf + kCrLf + QStringLiteral("Try selecting a different COM port") + kCrLf +
           QStringLiteral("(Using Options > Com Port Selection)");
}

QString downloadPortErrorText(int commPort, const LinkError &e)
{
    return QStringLiteral("The download from COM") + QString::number(commPort) +
           QStringLiteral(" stopped: the port failed.") + kCrLf + QStringLiteral("Error ") +
           textformat::withLeadingBlank(e.number) + QStringLiteral(":  ") + e.text + kCrLf + kCrLf +
           QStringLiteral("Nothing was saved; the instrument still holds its data.") + kCrLf +
           QStringLiteral("Check the cable and download again.");
}

void loadDownloadWindow(Program &p)
{
    DownloadWindowState &s = state(p);
    loadWaitWindow(p, s.wait, [&p] { DownloadTimer1(p); });
    s.wait.keepsDebugLog = true;
    s.wait.debugLog = QStringLiteral("Debugging log:") + kCrLf;
    s.wait.label1 = QStringLiteral("Ready");
    s.wait.refresh = [&p] { refreshDownload(p); };
    s.timer2 = p.clock().createTimer([&p] { DownloadTimer2(p); });
    s.loaded = true;
    s.visible = false;
    s.label2.clear();
    s.okVisible = false;
    s.cancelVisible = false;
    s.progressVisible = false;
    s.progress = 0;
    s.progressShown = 0;
    s.cancelRequested = false;
    s.downloadActive = false;
    s.dataTimedOut = false;
    s.idleTicks = 0;
    s.charsReceived = 0;
    s.lastCount = 0;
    s.inTimer1 = false;
    s.hasPendingError = false;
    changed(p);
}

void DownloadOK(Program &p)
{
    DownloadWindowState &s = state(p);
    if (!s.loaded || s.downloadActive) {
        return;
    }
    CloseRecordings(p);
    p.sync();
    DownLoadProc(p);
    unloadDownloadWindow(p);
    p.sync();
}

void DownloadCancel(Program &p)
{
    DownloadWindowState &s = state(p);
    if (!s.loaded) {
        return;
    }
    s.cancelRequested = true;
    pointerNormal(p);
    if (!s.downloadActive) {
        unloadDownloadWindow(p);
        closePort(p);
        p.sync();
    }
}

void DownloadTimer1(Program &p)
{
    DownloadWindowState &s = state(p);
    WaitWindow &w = s.wait;
    if (s.inTimer1 || !s.loaded) {
        return;
    }
    s.inTimer1 = true;
    appendLog(p, QStringLiteral("Start of timer1. timer1.enabled =") + trueFalse(w.timer1Enabled()));
    try {
        if (!w.triedBoth) {
            w.restartWait = true;
            FlipPortSettings(p, w, FlipCaller::Download);
            // The next time-out counts from the end of the switch.
            if (w.timer1Enabled()) {
                enableTimer1(w);
            }
        } else {
            p.link.gErrorCallPoint = 317;
            disableTimer1(w);
            message(p, QStringLiteral("No response in ") + QStringLiteral("2.5") +
                           QStringLiteral(" seconds") +
                           QStringLiteral(" at each of two different baud rates.") + kCrLf + kCrLf +
                           QStringLiteral("Check that the instrument is connected.") + kCrLf +
                           QStringLiteral("Otherwise remove the cable from the instrument, and then") +
                           kCrLf + QStringLiteral("try selecting some other instrument type") + kCrLf +
                           QStringLiteral("(using Options > Instrument Selection)."));
            closePort(p);
            w.timerRunning = false;
            unloadDownloadWindow(p);
            pointerNormal(p);
            p.sync();
            p.clock().processEvents(0);
        }
    } catch (const LinkError &e) {
        s.hasPendingError = true;
        s.pendingError = e;
    }
    s.inTimer1 = false;
}

void DownloadTimer2(Program &p)
{
    DownloadWindowState &s = state(p);
    s.label2 = QStringLiteral("Characters received so far:") + textformat::withLeadingBlank(s.charsReceived);
    if (s.charsReceived == s.lastCount) {
        s.label2 += kCrLf + QStringLiteral("Waiting for data... ");
        if (s.charsReceived > kCharsBeforeEndOfData) {
            if (kEndOfDataTicks >= s.idleTicks) {
                ++s.idleTicks;
            } else {
                s.dataTimedOut = true;
                s.idleTicks = 0;
            }
        }
    } else {
        s.idleTicks = 0;
    }
    s.lastCount = s.charsReceived;
    s.progressShown = s.progress;
    changed(p);
    refreshDownload(p);
}

void DownLoadProc(Program &p)
{
    DownloadWindowState &s = state(p);
    s.wait.triedBoth = false;
    s.dataTimedOut = false;
    s.idleTicks = 0;
    s.lowBattery = false;
    s.hasPendingError = false;
    s.textReady = false;
    s.saved = false;
    s.downloadActive = true;
    const QDateTime t0 = p.clock().now();
    try {
        downloadSteps(p, t0);
    } catch (const LinkError &e) {
        // The port failed in the middle of the exchange (unplugged, the
        // device went away, a switch of rate could not reopen it).
        if (s.timer2 != nullptr) {
            s.timer2->stop();
        }
        StopTimer(p, s.wait);
        closePort(p);
        pointerNormal(p);
        disableSave(p);
        hideDownloadWindow(p);
        message(p, downloadPortErrorText(p.link.gCommPort, e));
        reloadCommPort(p);
    }
    s.cancelRequested = false;
    s.progressVisible = false;
    s.downloadActive = false;
    if (s.timer2 != nullptr) {
        s.timer2->stop();
    }
    changed(p);
    refreshDownload(p);
}

void mnuItemDownload(Program &p)
{
    HideChart(p);
    HideTextViews(p);
    try {
        probePort(p);
        if (!HandleRunspec(p)) {
            throw LinkError{};
        }
        loadDownloadWindow(p);
        const int type = p.splash.instSelection;
        const auto &catalogue = instrumentCatalogue();
        const bool voltage = type >= 0 && type < static_cast<int>(catalogue.size()) &&
                             catalogue[static_cast<size_t>(type)].voltageRecorder;
        if (voltage &&
            p.dialogs().message(downloadCautionText(), {}, MsgButtons::OkCancel) != MsgResult::Ok) {
            unloadDownloadWindow(p);
            p.sync();
            return;
        }
        DownloadWindowState &s = state(p);
        s.wait.label1 = statusPromptText(p.link.gS5Flag, autoDetectSelected(p), p.splash.portSettings);
        s.okVisible = true;
        s.cancelVisible = true;
        showDownloadWindow(p);
    } catch (const LinkError &e) {
        message(p, portNotValidText(e));
        reloadCommPort(p);
        unloadDownloadWindow(p);
        p.sync();
    }
}
