#include "link/serial_link.h"

#include "link/instrument_catalogue.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "program/program.h"

#include <cmath>

namespace {

const QString kCommSection = QStringLiteral("Comm");
const QString kCommKey = QStringLiteral("RDX.MSComm1.CommPort");

} // namespace

int storedCommPort(const Program &p)
{
    bool ok = false;
    const int n = p.settings().get(kCommSection, kCommKey).trimmed().toInt(&ok);
    return ok ? n : 0;
}

void reloadCommPort(Program &p)
{
    // Start-up and every port failure load the number the same way: nothing
    // stored, or text that is no whole number, gives port 1.
    bool ok = false;
    const int n = p.settings().get(kCommSection, kCommKey).trimmed().toInt(&ok);
    p.link.gCommPort = ok ? n : 1;
}

SerialPort &linkPort(Program &p)
{
    if (p.io.port == nullptr) {
        throw LinkError{SerialError::kInvalidPortNumber, SerialError::text(SerialError::kInvalidPortNumber)};
    }
    return *p.io.port;
}

void check(const SerialPort &port, int error)
{
    if (error != 0) {
        throw LinkError{error, port.errorText(error)};
    }
}

void probePort(Program &p)
{
    SerialPort &port = linkPort(p);
    check(port, port.setCommPort(p.link.gCommPort));
    check(port, port.setPortOpen(true));
    check(port, port.setPortOpen(false));
}

QString permissionNote(const LinkError &e)
{
    return e.number == SerialError::kPermissionDenied ? QStringLiteral("\r\n\r\n") + e.text : QString();
}

void openForExchange(Program &p)
{
    SerialPort &port = linkPort(p);
    if (port.portOpen()) {
        port.setPortOpen(false);
    }
    check(port, port.setCommPort(p.link.gCommPort));
    check(port, port.setSettings(p.splash.portSettings));
    check(port, port.setPortOpen(true));
    port.setInputLen(1);
}

namespace {

SerialPort &openLinkPort(Program &p)
{
    SerialPort &port = linkPort(p);
    if (!port.portOpen()) {
        // Closed by a Cancel or a time-out (no error of its own), or by the
        // device going away (its error).
        const int error = port.lastError() != 0 ? port.lastError() : SerialError::kPortNotOpen;
        check(port, error);
    }
    return port;
}

} // namespace

QString readChar(Program &p)
{
    return QString::fromLatin1(openLinkPort(p).input());
}

int readByte(Program &p)
{
    const QByteArray in = openLinkPort(p).input();
    return in.isEmpty() ? -1 : static_cast<unsigned char>(in.at(0));
}

void closePort(Program &p)
{
    if (p.io.port != nullptr && p.io.port->portOpen()) {
        p.io.port->setPortOpen(false);
    }
}

bool portIsOpen(const Program &p)
{
    return p.io.port != nullptr && p.io.port->portOpen();
}

void Delay(Program &p, float seconds)
{
    if (seconds > 0) {
        p.clock().delay(static_cast<int>(std::ceil(static_cast<double>(seconds) * 1000.0)));
    }
}

// ------------------------------------------------------------ waiting windows

void loadWaitWindow(Program &p, WaitWindow &w, std::function<void()> onTimer1)
{
    w.timer1 = p.clock().createTimer(std::move(onTimer1));
    w.timerRunning = false;
    w.triedBoth = false;
    w.restartWait = false;
    w.unloaded = false;
    w.debugLog.clear();
}

void enableTimer1(WaitWindow &w)
{
    if (w.timer1 != nullptr) {
        w.timer1->start(kNoResponseMs);
    }
}

void disableTimer1(WaitWindow &w)
{
    if (w.timer1 != nullptr) {
        w.timer1->stop();
    }
}

namespace {

QString trueFalse(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

void logTimerCall(WaitWindow &w, const char *procedure)
{
    if (w.keepsDebugLog) {
        w.debugLog += QStringLiteral("Start of %1: timer1.enabled=").arg(QLatin1String(procedure)) +
                      trueFalse(w.timer1Enabled()) + QStringLiteral("\r\n");
    }
}

} // namespace

void StartTimer(Program &p, WaitWindow &w)
{
    logTimerCall(w, "StartTimer");
    w.timerRunning = true;
    enableTimer1(w);
    w.label1 = QStringLiteral("Treating unit as ") + InstName(p.splash.instAutoCurrent) +
               QStringLiteral(".  Waiting for response...");
}

void StopTimer(Program &p, WaitWindow &w)
{
    (void)p;
    logTimerCall(w, "StopTimer");
    disableTimer1(w);
    w.timerRunning = false;
}

void letEventsRun(Program &p, WaitWindow &w, int maxWaitMs)
{
    if (w.refresh) {
        w.refresh();
    }
    p.clock().processEvents(maxWaitMs);
}

void toggleAutoType(Program &p)
{
    if (p.splash.instAutoCurrent == InstType::kMqaS5Mh) {
        p.splash.instAutoCurrent = InstType::kMqaS5;
    } else {
        p.splash.instAutoCurrent = InstType::kMqaS5Mh;
    }
    const TypeSettingsRule rule = typeSettings(p, InstType::kAutoDetect);
    p.splash.portSettings = rule.settings.portSettings;
    p.splash.maxSamples = rule.settings.maxSamples;
}

namespace {

const QString kChangingSettings = QStringLiteral(" Changing settings. (Takes about ");
const QString kSeconds = QStringLiteral(" seconds)...");

// Reopens the port at the new settings (DTR as the port keeps it).
void reopen(Program &p)
{
    SerialPort &port = linkPort(p);
    check(port, port.setCommPort(p.link.gCommPort));
    check(port, port.setSettings(p.splash.portSettings));
    check(port, port.setPortOpen(true));
    port.setInputLen(1);
}

// Events ran: a window unloaded meanwhile (cancel, time-out) ends the flip
// with the port closed, so that no exchange is left running behind a closed
// window.
bool abandoned(Program &p, const WaitWindow &w)
{
    if (w.unloaded) {
        closePort(p);
        return true;
    }
    return false;
}

void nowTreating(Program &p, WaitWindow &w)
{
    w.label1 = QStringLiteral("Now treating unit as ") + InstName(p.splash.instAutoCurrent) +
               QStringLiteral(".  Waiting for response...");
    letEventsRun(p, w);
    abandoned(p, w);
}

} // namespace

void FlipPortSettings(Program &p, WaitWindow &w, FlipCaller caller, const QString &leadText)
{
    const QString five = QStringLiteral(" 5");
    const bool status = caller == FlipCaller::Status;
    const QString lead = status ? leadText : QStringLiteral("No response.");
    w.label1 = lead + kChangingSettings + five + kSeconds;
    letEventsRun(p, w);
    if (abandoned(p, w)) {
        return;
    }
    SerialPort &port = linkPort(p);

    if (caller == FlipCaller::Download) {
        toggleAutoType(p);
        p.link.gErrorCallPoint = 315;
        closePort(p);
        reopen(p);
        w.triedBoth = true;
        letEventsRun(p, w);
        if (abandoned(p, w)) {
            return;
        }
        port.setDTREnable(false);
        Delay(p, 5.0F);
        p.link.gErrorCallPoint = 316;
        port.setDTREnable(true);
        nowTreating(p, w);
        return;
    }

    port.setDTREnable(false);
    Delay(p, 5.0F);
    toggleAutoType(p);
    p.link.gErrorCallPoint = status ? 115 : 215;
    closePort(p);
    reopen(p);
    port.setDTREnable(true);
    w.triedBoth = true;
    if (!status) {
        letEventsRun(p, w);
        if (abandoned(p, w)) {
            return;
        }
    }
    p.link.gErrorCallPoint = status ? 116 : 216;
    nowTreating(p, w);
}

// ------------------------------------------------------------ header waits

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

bool startsHeader(QString &ch, bool &lowBattery)
{
    if (ch == QLatin1String("m") || ch == QLatin1String("k")) {
        ch = ch.toUpper();
        lowBattery = true;
    }
    return ch == QLatin1String("M") || ch == QLatin1String("K");
}

QString checkConnectedText()
{
    return QStringLiteral("Check that the instrument is connected or try selecting some other") + kCrLf +
           QStringLiteral(" instrument type (using Options > Instrument Selection).");
}

QString noResponseAtBothRatesText()
{
    return QStringLiteral("No response in ") + QStringLiteral("2.5") + QStringLiteral(" seconds") +
           QStringLiteral(" at each of two different baud rates.") + kCrLf;
}

QString headerFragmentText(const QString &line1)
{
    return QStringLiteral("Invalid header fragment received: '") + line1 + QStringLiteral("'") + kCrLf +
           kCrLf + checkConnectedText();
}

bool familyCodeAccepted(Program &p, WaitWindow &w, const QString &line1, FlipCaller caller,
                        const QString &leadText)
{
    if (line1.toUpper() == QLatin1String("KQA")) {
        StopTimer(p, w);
        w.triedBoth = true;
        return true;
    }
    StopTimer(p, w);
    if (w.triedBoth) {
        p.dialogs().message(
            QStringLiteral(
                "After the 2nd timeout, the following erroneous Line1 characters had been received:") +
            kCrLf + line1 + kCrLf + kCrLf + checkConnectedText());
        closePort(p);
        return false;
    }
    // First wrong family code: try the other rate.
    FlipPortSettings(p, w, caller, leadText);
    enableTimer1(w);
    w.timerRunning = true;
    w.restartWait = true;
    return true;
}
