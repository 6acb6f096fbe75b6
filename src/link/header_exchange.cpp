#include "link/header_exchange.h"

#include "link/instrument_catalogue.h"
#include "link/serial_link.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/serial_port.h"
#include "platform/textformat.h"
#include "program/program.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

AbortWindowState &state(Program &p)
{
    return p.link.abort;
}

void syncAbort(Program &p)
{
    if (p.windows.abort != nullptr) {
        p.windows.abort->sync();
    }
}

void raisePendingError(AbortWindowState &a)
{
    if (a.hasPendingError) {
        a.hasPendingError = false;
        throw a.pendingError;
    }
}

// The exchange's outcome when it cannot go on: SpecialSub fails.
struct Failed {};

void fail(Program &p, const QString &text)
{
    if (!text.isEmpty()) {
        p.dialogs().message(text);
    }
    closePort(p);
    throw Failed{};
}

void receiveHeader(Program &p)
{
    AbortWindowState &a = state(p);
    WaitWindow &w = a.wait;
    const bool autoDetect = autoDetectSelected(p);
    bool idle = false;
    bool lowBattery = false;
    for (;;) {
        if (w.restartWait) {
            w.restartWait = false;
            a.counter = 0;
            a.Line1.clear();
            a.headerStarted = false;
            a.flag = false;
        }
        letEventsRun(p, w, idle ? kIdleWaitMs : 0);
        raisePendingError(a);
        if (p.rec.gOutputMode == OutputMode::CancelOrUserScaleMin) {
            fail(p, {}); // CANCEL: no message of its own
        }
        if (autoDetect && !w.timerRunning && !w.triedBoth) {
            StartTimer(p, w);
        }
        if (!portIsOpen(p)) {
            // Closed by the final time-out, or by the device going away.
            const int error = p.io.port != nullptr ? p.io.port->lastError() : 0;
            if (error != 0) {
                const LinkError cause{error, p.io.port->errorText(error)};
                fail(p, terminatingText(&cause));
            }
            fail(p, terminatingText());
        }
        QString c = readChar(p);
        ++a.counter;
        idle = c.isEmpty();
        if (a.headerStarted) {
            if (c == QLatin1String("\r")) {
                if (autoDetect && a.Line1.size() < 3) {
                    StopTimer(p, w);
                    fail(p, headerFragmentText(a.Line1));
                }
                return;
            }
            a.Line1 += c;
        } else if (!c.isEmpty()) {
            lowBattery = false;
            if (startsHeader(c, lowBattery)) {
                a.headerStarted = true;
                a.Line1 = c;
            }
            if (lowBattery) {
                a.flag = true;
            }
        }
        if (a.Line1.size() == 3 && w.timerRunning &&
            !familyCodeAccepted(p, w, a.Line1, FlipCaller::HeaderWindow)) {
            throw Failed{};
        }
    }
}

} // namespace

QString terminatingText(const LinkError *cause)
{
    QString text;
    if (cause != nullptr) {
        text = QStringLiteral("Error ") + textformat::withLeadingBlank(cause->number) +
               QStringLiteral(":  ") + cause->text + kCrLf + kCrLf;
    }
    return text + QStringLiteral("Terminating the initialization");
}

void abortLog(Program &p, const QString &line)
{
    state(p).logLabel += line + kCrLf;
    syncAbort(p);
}

void loadAbortWindow(Program &p)
{
    AbortWindowState &a = state(p);
    if (a.loaded) {
        return;
    }
    loadWaitWindow(p, a.wait, [&p] { AbortTimer1(p); });
    a.wait.refresh = [&p] { syncAbort(p); };
    a.wait.label1 = QStringLiteral("NO REPONSE");
    a.loaded = true;
    a.visible = false;
    a.logLabel.clear();
    a.abortFrmErrorFlag = false;
    a.flag = false;
    a.Line1.clear();
    a.headerStarted = false;
    a.counter = 0;
    a.inTimer1 = false;
    a.hasPendingError = false;
}

void showAbortWindow(Program &p)
{
    loadAbortWindow(p);
    AbortWindowState &a = state(p);
    a.visible = true;
    if (p.windows.abort != nullptr) {
        p.windows.abort->sync();
        p.windows.abort->show();
    }
}

void unloadAbortWindow(Program &p)
{
    AbortWindowState &a = state(p);
    if (a.wait.timer1 != nullptr) {
        disableTimer1(a.wait);
    }
    a.wait.timerRunning = false;
    a.wait.unloaded = true;
    a.loaded = false;
    a.visible = false;
    if (p.windows.abort != nullptr) {
        p.windows.abort->unload();
    }
    p.sync();
}

void AbortCancel(Program &p)
{
    p.rec.gOutputMode = OutputMode::CancelOrUserScaleMin;
}

void AbortTimer1(Program &p)
{
    AbortWindowState &a = state(p);
    WaitWindow &w = a.wait;
    if (a.inTimer1 || !a.loaded) {
        return;
    }
    a.inTimer1 = true;
    try {
        if (!w.triedBoth) {
            w.restartWait = true;
            FlipPortSettings(p, w, FlipCaller::HeaderWindow);
            // The next time-out counts from the end of the switch.
            if (w.timer1Enabled()) {
                enableTimer1(w);
            }
        } else {
            p.link.gErrorCallPoint = 217;
            disableTimer1(w);
            p.dialogs().message(noResponseAtBothRatesText() + kCrLf + checkConnectedText());
            closePort(p);
            w.timerRunning = false;
            unloadAbortWindow(p);
            p.clock().processEvents(0);
        }
    } catch (const LinkError &e) {
        a.hasPendingError = true;
        a.pendingError = e;
    }
    a.inTimer1 = false;
}

void SpecialSub(Program &p)
{
    AbortWindowState &a = state(p);
    WaitWindow &w = a.wait;
    w.restartWait = true;
    w.triedBoth = false;
    w.unloaded = false;
    a.abortFrmErrorFlag = false;
    try {
        receiveHeader(p);
    } catch (const Failed &) {
        a.abortFrmErrorFlag = true;
    } catch (const LinkError &e) {
        // A port failure while waiting (the cable pulled, a port that cannot
        // be reopened at the other rate): one message, the port closed.
        p.dialogs().message(terminatingText(&e));
        closePort(p);
        a.abortFrmErrorFlag = true;
    }
    if (a.abortFrmErrorFlag) {
        StopTimer(p, w);
    }
}
