#include "link/status_check.h"

#include "link/instrument_catalogue.h"
#include "link/link_windows.h"
#include "link/serial_link.h"
#include "link/status_decode.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/serial_port.h"
#include "platform/textformat.h"
#include "program/program.h"
#include "program/view_procs.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kBlankLine = QString(45, QLatin1Char(' '));

StatusWindowState &state(Program &p)
{
    return p.link.status;
}

void syncStatus(Program &p)
{
    if (p.windows.status != nullptr) {
        p.windows.status->sync();
    }
}

void showStatusWindow(Program &p)
{
    state(p).visible = true;
    if (p.windows.status != nullptr) {
        p.windows.status->sync();
        p.windows.status->show();
    }
}

void hideStatusWindow(Program &p)
{
    state(p).visible = false;
    if (p.windows.status != nullptr) {
        p.windows.status->hide();
    }
}

void unloadStatusWindow(Program &p)
{
    StatusWindowState &s = state(p);
    s.loaded = false;
    s.visible = false;
    s.wait.unloaded = true;
    if (p.windows.status != nullptr) {
        p.windows.status->unload();
    }
}

void message(Program &p, const QString &text)
{
    p.dialogs().message(text);
}

// A failure the timer handler met is raised in the receive loop, where the
// check's error handler is.
void raisePendingError(StatusWindowState &s)
{
    if (s.hasPendingError) {
        s.hasPendingError = false;
        throw s.pendingError;
    }
}

enum class Pass { StartOver, End };

Pass onePass(Program &p)
{
    StatusWindowState &s = state(p);
    WaitWindow &w = s.wait;
    const bool autoDetect = autoDetectSelected(p);

    // Start.
    w.restartWait = true;
    w.triedBoth = false;
    s.label1Visible = false;
    s.command1Visible = false;
    s.label2Visible = false;
    s.lowBattery = false;
    p.rec.gOutputMode = OutputMode::Nothing;
    syncStatus(p);

    const MsgResult answer = p.dialogs().message(
        statusPromptText(p.link.gS5Flag, autoDetect, p.splash.portSettings), {}, MsgButtons::OkCancel);

    // Open at the current settings (a port left open by a restart is closed
    // first).
    SerialPort &port = linkPort(p);
    p.link.gErrorCallPoint = 106;
    closePort(p);
    check(port, port.setCommPort(p.link.gCommPort));
    p.link.gErrorCallPoint = 107;
    p.link.gErrorCallPoint = 108;
    check(port, port.setSettings(p.splash.portSettings));
    port.setDTREnable(true);
    check(port, port.setPortOpen(true));
    port.setInputLen(1);

    if (answer != MsgResult::Ok) {
        p.link.gErrorCallPoint = 113;
        closePort(p);
        s.suppressCommErrMsg = true;
        return Pass::End;
    }

    if (p.link.gS5Flag) {
        w.label1 = QStringLiteral("WAITING FOR RESPONSE FROM INSTRUMENT");
        s.label1FontSize = 10;
        s.label1ColoursFromLabel2 = true;
    } else {
        s.label1FontSize = 24;
        s.label1ColoursFromLabel2 = false;
        w.label1 = QStringLiteral("READY");
    }
    s.label1Visible = true;
    s.command1Visible = false;
    showStatusWindow(p);

    // Receive loop: until a CR arrives after the header has started.
    bool idle = false;
    for (;;) {
        if (w.restartWait) {
            w.restartWait = false;
            s.headerStarted = false;
            s.line1.clear();
            s.lowBattery = false;
        }
        letEventsRun(p, w, idle ? kIdleWaitMs : 0);
        raisePendingError(s);
        if (p.rec.gOutputMode == OutputMode::CancelOrUserScaleMin) {
            return Pass::StartOver;
        }
        p.link.gErrorCallPoint = 109;
        if (autoDetect && !w.timerRunning && !w.triedBoth) {
            StartTimer(p, w);
        }
        QString ch = readChar(p);
        idle = ch.isEmpty();
        if (s.headerStarted) {
            if (ch == QLatin1String("\r")) {
                break;
            }
            s.line1 += ch;
        } else if (!ch.isEmpty() && startsHeader(ch, s.lowBattery)) {
            s.headerStarted = true;
            s.line1 = ch;
        }

        p.link.gErrorCallPoint = 110;
        if (s.line1.size() == 3 && w.timerRunning &&
            !familyCodeAccepted(p, w, s.line1, FlipCaller::Status, QStringLiteral("Bad header."))) {
            return Pass::End;
        }
    }

    if (autoDetect && s.line1.size() < 3) {
        StopTimer(p, w);
        message(p, headerFragmentText(s.line1));
        closePort(p);
        return Pass::End;
    }

    p.link.gErrorCallPoint = 111;
    closePort(p);

    if (s.lowBattery) {
        s.label1Visible = false;
        syncStatus(p);
        p.dialogs().message(QStringLiteral("Status Check OK but...") + kCrLf + kCrLf +
                                QStringLiteral("    LOW INSTRUMENT BATTERY    "),
                            QStringLiteral("WARNING"), MsgButtons::Ok, MsgIcon::Exclamation);
        s.label1Visible = true;
    }

    s.label2 = statusResultText(decodeStatusHeader(s.line1, p.modes));
    s.label2Visible = true;
    syncStatus(p);

    QString done;
    if (autoDetect) {
        done = QStringLiteral("Auto-selected settings now being used are for the ") +
               InstName(p.splash.instAutoCurrent) + kCrLf + kCrLf;
    }
    done += QStringLiteral("Status check complete. You may disconnect the instrument now.") + kCrLf +
            QStringLiteral(" Do you want to do another?     ") + kCrLf;
    if (p.dialogs().message(done, {}, MsgButtons::YesNo, MsgIcon::None, MsgDefault::Second) ==
        MsgResult::Yes) {
        return Pass::StartOver;
    }
    hideStatusWindow(p);
    return Pass::End;
}

void ReportError(Program &p, const LinkError &e)
{
    StatusWindowState &s = state(p);
    if (s.suppressCommErrMsg) {
        s.suppressCommErrMsg = false;
    } else {
        message(p, statusReportErrorText(e, p.link.gErrorCallPoint));
    }
    p.link.gErrorCallPoint = 112;
    if (portIsOpen(p)) {
        message(p, QStringLiteral("In 'ReportError' of status: port found open. Now closing it."));
        closePort(p);
    }
    // A failed attempt never leaves an unsaved port number in use.
    reloadCommPort(p);
}

void statuscheck(Program &p)
{
    try {
        while (onePass(p) == Pass::StartOver) {
        }
    } catch (const LinkError &e) {
        ReportError(p, e);
    }
}

} // namespace

QString statusPromptText(bool s5, bool autoDetect, const QString &portSettings)
{
    QString text;
    if (s5) {
        text += QStringLiteral("   Insert the cable into the instrument.     ") + kCrLf;
        text += QStringLiteral("             Then Press 'OK'.                ") + kCrLf;
    } else {
        text += QStringLiteral("   Press 'OK'.                               ") + kCrLf;
        text += QStringLiteral("   Then insert the cable into the instrument.") + kCrLf;
    }
    text += kBlankLine + kCrLf;
    text += QStringLiteral("   (If the interface has a transfer switch,  ") + kCrLf;
    text += QStringLiteral("    make sure it's set to 'TRANSFER'.)       ") + kCrLf;
    text += kBlankLine + kCrLf;
    if (autoDetect) {
        text += QStringLiteral("Auto select: Initial port settings = ") + portSettings + kCrLf;
    }
    text += QStringLiteral("     Hit 'Cancel' or use ESC key to quit     ");
    return text;
}

QString statusCommandErrorText(const LinkError &e, int callPoint)
{
    QString text = QStringLiteral("Error ") + textformat::withLeadingBlank(e.number) + QStringLiteral(":  ") +
                   e.text + kCrLf;
    if (SerialError::isSerialError(e.number)) {
        text += kCrLf + QStringLiteral("(Communication Error in RDX.mnuItemStatusCheck_Click.") + kCrLf +
                QStringLiteral("gErrorCallPoint = ") + QString::number(callPoint) + QStringLiteral(")") +
                kCrLf;
    }
    if (e.number == SerialError::kPortAlreadyOpen) {
        text += kCrLf + QStringLiteral("Close all other communication-related programs and try again.");
    } else if (e.number != SerialError::kPermissionDenied) {
        // (A user who may not open the device needs access, which the port's
        // text names, not another port.)
        text += kCrLf + QStringLiteral("Try selecting a different COM port") + kCrLf +
                QStringLiteral("(Using Options > Com Port Selection)");
    }
    return text;
}

QString statusReportErrorText(const LinkError &e, int callPoint)
{
    return QStringLiteral("In status.StatusCheck: gErrorCallPoint = ") + QString::number(callPoint) + kCrLf +
           QStringLiteral("Error number ") + textformat::withLeadingBlank(e.number) + QStringLiteral(":") +
           kCrLf + kCrLf + e.text;
}

void loadStatusWindow(Program &p)
{
    StatusWindowState &s = state(p);
    loadWaitWindow(p, s.wait, [&p] { StatusTimer1(p); });
    s.wait.refresh = [&p] { syncStatus(p); };
    s.loaded = true;
    s.visible = false;
    s.suppressCommErrMsg = false;
    s.hasPendingError = false;
    s.inTimer1 = false;
    s.line1.clear();
    s.headerStarted = false;
    s.label1Visible = false;
    s.label2Visible = false;
    s.command1Visible = false;
}

void StatusActivate(Program &p)
{
    StatusWindowState &s = state(p);
    s.checkRunning = true;
    statuscheck(p);
    s.checkRunning = false;
    hideStatusWindow(p);
    StopTimer(p, s.wait);
    closePort(p);
    unloadStatusWindow(p);
    s.wait.timerRunning = false;
    s.suppressCommErrMsg = false;
    p.sync();
}

void StatusCancel(Program &p)
{
    StatusWindowState &s = state(p);
    if (!s.loaded) {
        return;
    }
    p.link.gErrorCallPoint = 114;
    s.suppressCommErrMsg = true;
    StopTimer(p, s.wait);
    closePort(p);
    unloadStatusWindow(p);
    p.sync();
}

void StatusTimer1(Program &p)
{
    StatusWindowState &s = state(p);
    WaitWindow &w = s.wait;
    if (s.inTimer1 || !s.loaded) {
        return;
    }
    s.inTimer1 = true;
    try {
        if (!w.triedBoth) {
            w.restartWait = true;
            FlipPortSettings(p, w, FlipCaller::Status,
                             s.line1.isEmpty() ? QStringLiteral("No response.")
                                               : QStringLiteral("Bad header."));
            // The next time-out counts from the end of the flip.
            if (w.timer1Enabled()) {
                enableTimer1(w);
            }
        } else {
            disableTimer1(w);
            QString text;
            if (!s.line1.isEmpty()) {
                text =
                    QStringLiteral("Line1 = '") + s.line1.left(8) + QStringLiteral(" '. Length=") +
                    QString::number(s.line1.size()) + kCrLf +
                    QStringLiteral("By the 2nd timeout, the following incomplete header had been received:") +
                    kCrLf + s.line1 + kCrLf;
            } else {
                text = noResponseAtBothRatesText();
            }
            text += kCrLf + checkConnectedText();
            message(p, text);
            s.suppressCommErrMsg = true;
            closePort(p);
            w.timerRunning = false;
            unloadStatusWindow(p);
            p.sync();
            p.clock().processEvents(0);
        }
    } catch (const LinkError &e) {
        s.hasPendingError = true;
        s.pendingError = e;
    }
    s.inTimer1 = false;
}

void mnuItemStatusCheck(Program &p)
{
    HideChart(p);
    HideTextViews(p);
    loadStatusWindow(p);
    state(p).command1Visible = false;
    try {
        p.link.gErrorCallPoint = 1;
        SerialPort &port = linkPort(p);
        // Setting the port number it already has changes nothing (and is no
        // error while the port is open).
        if (!port.portOpen() || port.commPort() != p.link.gCommPort) {
            check(port, port.setCommPort(p.link.gCommPort));
        }
        p.link.gErrorCallPoint = 2;
        if (port.portOpen()) {
            message(p, QStringLiteral("In RDX.mnuItemStatusCheck_Click: Port found open. So I'll close it."));
            p.link.gErrorCallPoint = 5;
            check(port, port.setPortOpen(false));
        } else {
            p.link.gErrorCallPoint = 3;
            check(port, port.setPortOpen(true));
            p.link.gErrorCallPoint = 4;
            check(port, port.setPortOpen(false));
        }
    } catch (const LinkError &e) {
        message(p, statusCommandErrorText(e, p.link.gErrorCallPoint));
        p.link.gErrorCallPoint = 6;
        closePort(p);
        p.link.gErrorCallPoint = 7;
        reloadCommPort(p);
        unloadStatusWindow(p);
        p.sync();
        return;
    }
    showStatusWindow(p);
    StatusActivate(p);
    state(p).label1Visible = false;
}
