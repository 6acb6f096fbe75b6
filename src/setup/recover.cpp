#include "setup/recover.h"

#include "link/download_check.h"
#include "link/download_text.h"
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
#include "recording/save.h"

#include <QDir>
#include <QTemporaryFile>
#include <algorithm>

namespace {

const QString kCr = QStringLiteral("\r");
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kProgressMax = 20000;
constexpr int kPiece = 1000;

RecoverWindowState &state(Program &p)
{
    return p.setup.recover;
}

void syncRecover(Program &p)
{
    if (p.windows.recover != nullptr) {
        p.windows.recover->sync();
    }
}

void message(Program &p, const QString &text)
{
    p.dialogs().message(text);
}

void lowBatteryWarning(Program &p)
{
    p.dialogs().message(QStringLiteral("    LOW INSTRUMENT BATTERY    "), QStringLiteral("WARNING"),
                        MsgButtons::Ok, MsgIcon::Exclamation);
}

void hideRecoverWindow(Program &p)
{
    state(p).visible = false;
    if (p.windows.recover != nullptr) {
        p.windows.recover->hide();
    }
}

void unloadRecoverWindow(Program &p)
{
    RecoverWindowState &w = state(p);
    w.loaded = false;
    w.visible = false;
    w.running = false;
    if (p.windows.recover != nullptr) {
        p.windows.recover->unload();
    }
    p.sync();
}

// Lets window events run; true when the user cancelled meanwhile.
bool eventsCancel(Program &p, int maxWaitMs = 0)
{
    syncRecover(p);
    p.clock().processEvents(maxWaitMs);
    return state(p).cancelled;
}

// How the recovery ends early.
enum class Early { None, Cancelled, Refused };

struct Received {
    QString text;
    bool lowBattery = false;
    Early early = Early::None;
};

// A cancel while receiving: Save disabled, the port closed.
Early cancelReceive(Program &p)
{
    p.dialogs().setBusy(false);
    p.menu.setEnabled(menu::kItemSave, false);
    closePort(p);
    return Early::Cancelled;
}

// Steps 1 to 5: the port, the first character, the receive loop and the
// received text.
Received receive(Program &p)
{
    RecoverWindowState &w = state(p);
    Received r;
    w.label1 = recovery::workingText(p.link.gCommPort);
    w.label1Visible = true;
    w.okVisible = false;
    w.cancelVisible = true;
    openForExchange(p);
    linkPort(p).setEOFEnable(true);
    w.progressMax = kProgressMax;
    w.progressValue = 0;

    // The first character shows the unit transmits; it is not kept.
    for (bool idle = false;;) {
        if (eventsCancel(p, idle ? kIdleWaitMs : 0)) {
            r.early = cancelReceive(p);
            return r;
        }
        idle = readChar(p).isEmpty();
        if (!idle) {
            break;
        }
    }
    w.progressVisible = true;
    p.dialogs().setBusy(true);

    recovery::Receiver rx(recovery::bufferSize(p.splash.maxSamples));
    int progress = 0;
    for (bool idle = false;;) {
        if (eventsCancel(p, idle ? kIdleWaitMs : 0)) {
            r.lowBattery = rx.lowBattery();
            r.early = cancelReceive(p);
            return r;
        }
        const QString c = readChar(p);
        idle = c.isEmpty();
        if (idle) {
            continue;
        }
        const recovery::Receiver::Step step = rx.take(c.at(0));
        w.unitsLetter = rx.unitsLetter();
        if (step == recovery::Receiver::Step::NotValid) {
            message(p, recovery::notValidText(true));
            closePort(p);
            p.dialogs().setBusy(false);
            r.lowBattery = rx.lowBattery();
            r.early = Early::Refused;
            return r;
        }
        if (step == recovery::Receiver::Step::End) {
            break;
        }
        progress = progress >= kProgressMax ? 0 : progress + 1;
        if (rx.inHeaderLine()) {
            progress = std::max(progress, kPiece);
        }
        if (rx.counter() % kPiece == 0) {
            w.progressValue = progress;
        }
    }
    r.lowBattery = rx.lowBattery();

    closePort(p);
    w.progressVisible = false;
    p.dialogs().setBusy(false);
    syncRecover(p);
    message(p, recovery::removeCableText());

    const QString all = rx.text();
    w.label1 = all.left(47) + kCr + QStringLiteral("PROCESSING DATA; WAIT");
    w.okVisible = false;
    w.cancelVisible = true;
    w.progressVisible = true;
    // The text in pieces, so that a cancel is still seen.
    for (qsizetype i = 0; i < all.size(); i += kPiece) {
        r.text += all.mid(i, kPiece);
        w.progressValue = static_cast<int>((i / kPiece) % (kProgressMax / kPiece)) * kPiece;
        if (eventsCancel(p)) {
            r.early = cancelReceive(p);
            return r;
        }
    }
    return r;
}

// Steps 6 to 13, once the text is in.
void process(Program &p, Received &r)
{
    RecoverWindowState &w = state(p);
    const std::optional<recovery::Header> h = recovery::findHeader(r.text);
    hideRecoverWindow(p);
    if (!h || !h->marker) {
        message(p, recovery::notValidText(false));
        r.early = Early::Refused;
        return;
    }
    Recording &rec = p.rec;
    rec.gText = r.text;
    const std::optional<int> count = recovery::countValuesThroughScratchFile(r.text);
    if (!count) {
        message(p, saveErrorText());
        r.early = Early::Refused;
        return;
    }
    if (recovery::continuousAndFull(h->mode, *count, p.splash.maxSamples)) {
        message(p, recovery::continuousText());
        r.early = Early::Refused;
        return;
    }
    const std::optional<QString> stop =
        recovery::stopTime(h->mode, h->initTime, recovery::readingsHeld(*count, p.splash.maxSamples));
    if (!stop) {
        message(p, recovery::notValidText(false));
        r.early = Early::Refused;
        return;
    }
    const auto start = textformat::parseDate(h->initTime);
    rec.gInfo[0][kColMode] = h->mode.toLower();
    rec.gInfo[0][kColStart] = textformat::dateText(*start, textformat::DateText::Stamp);
    rec.ginx = 0;
    rec.gDateX = *count;

    rec.gText = recovery::withStopTime(r.text, h->p, *stop);
    p.link.gSampleCapacity = *count;
    w.cancelled = false;

    Program::run(p.procs.Showinfodb);
    p.sync();
    message(p, QStringLiteral(" PROCEED"));
    w.label1Visible = false;
    if (r.lowBattery) {
        lowBatteryWarning(p);
    }
    // Readings with bad characters are saved only when the user says so, as
    // after a download: a file of them would not open.
    const QString damage = recovery::damageQuestion(rec.gText);
    if (!damage.isEmpty() && p.dialogs().message(damage, {}, MsgButtons::YesNo) != MsgResult::Yes) {
        return;
    }
    w.saved = SaveDialogProc(p);
}

} // namespace

namespace recovery {

Receiver::Step Receiver::take(QChar c)
{
    if (counter_ >= buffer_.size()) {
        return Step::End;
    }
    if (headerPos_ < 0) {
        if (c == QLatin1Char('m') || c == QLatin1Char('k')) {
            c = c.toUpper();
            lowBattery_ = true;
        }
        if (c == QLatin1Char('K') || c == QLatin1Char('M')) {
            headerPos_ = counter_;
        }
    } else if (!lineEnd_ && (c == QLatin1Char('\r') || c == QLatin1Char('\n'))) {
        lineEnd_ = true;
    }
    buffer_[counter_] = c;
    // A Ctrl-Z ends the transfer wherever it comes, even inside an
    // over-long header line.
    if (c == QLatin1Char(kCtrlZ)) {
        ended_ = true;
        return Step::End;
    }
    if (headerPos_ >= 0 && counter_ > headerPos_ + 43 && !lineEnd_) {
        return Step::More; // the header keeps 44 characters: this cell is written again
    }
    if (headerPos_ >= 0 && counter_ == headerPos_ + 2) {
        units_ = c;
    }
    if (headerPos_ >= 0 && counter_ == headerPos_ + 46 && c != QLatin1Char('T')) {
        return Step::NotValid;
    }
    ++counter_;
    return counter_ >= buffer_.size() ? Step::End : Step::More;
}

int bufferSize(int32_t capacity)
{
    return std::max(kBufferSize, memoryCharacters(capacity));
}

std::optional<Header> findHeader(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) != QLatin1Char('K') && text.at(i) != QLatin1Char('M')) {
        ++i;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    Header h;
    h.p = i + 1;
    h.mode = text.mid(i + 3, 1);
    h.initTime = text.mid(i + 30, 14);
    h.marker = text.mid(i + 46, 1) == QLatin1String("T");
    return h;
}

int countValues(const QByteArray &bytes)
{
    return countReadings(bytes, kMaxItems);
}

std::optional<int> countValuesThroughScratchFile(const QString &text)
{
    // A file of this user's own, under a fresh name, removed when it goes
    // out of scope: no other user can plant or read it, two runs never
    // share it.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/rdx600-recover-XXXXXX.dat"));
    if (!scratch.open()) {
        return std::nullopt;
    }
    const QByteArray bytes = recordingFileBytes(text);
    if (scratch.write(bytes) != bytes.size() || !scratch.flush() || !scratch.seek(0)) {
        return std::nullopt;
    }
    return countValues(scratch.readAll());
}

bool continuousAndFull(const QString &mode, int count, int32_t capacity)
{
    return count >= capacity && !stoppedWhenFull(mode.isEmpty() ? QChar() : mode.at(0));
}

int readingsHeld(int count, int32_t capacity)
{
    return std::min<int>(count, std::max<int32_t>(capacity, 0));
}

std::optional<QString> stopTime(const QString &mode, const QString &initTime, int count)
{
    // The same stop time as a download gives a stopped stop-when-full unit.
    const QString stamp = downloadStopTime(mode.toLower(), initTime, count);
    if (stamp.isEmpty()) {
        return std::nullopt;
    }
    return stamp;
}

QString withStopTime(const QString &text, qsizetype p, const QString &stamp)
{
    QString out = text;
    const qsizetype from = p - 1 + 30;
    if (from + 14 <= out.size()) {
        out.replace(from, 14, stamp);
    }
    return out;
}

QString autoSelectRefusalText(const QString &name7, const QString &name8)
{
    return QStringLiteral("The 'Recover' feature is not implemented for the case of the ") + kCrLf +
           QStringLiteral("instrument type being 'Auto Select'.") + kCrLf + kCrLf +
           QStringLiteral("Instead do a 'Status check' to see what instrument type the RDX600") + kCrLf +
           QStringLiteral("ends up treating is as. (It will most likely be ") + name7 +
           QStringLiteral(" or ") + name8 + QStringLiteral(".)") + kCrLf + kCrLf +
           QStringLiteral("Then use Options > Instrument Selection to specifically select") + kCrLf +
           QStringLiteral("the type of instrument being used, and the 'Recover' feature will") + kCrLf +
           QStringLiteral("then be available.");
}

QString cautionText()
{
    return QStringLiteral("                           CAUTION  ") + kCr +
           QStringLiteral("       DATA MAY NOT BE RECOVERED IF") + kCr +
           QStringLiteral("            INSTRUMENT HAD BEEN IN ") + kCr +
           QStringLiteral(" CONTINUOUS MODE AND MEMORY FILLED ") + kCr + kCr;
}

QString workingText(int port)
{
    return QStringLiteral(" Cancel or Escape to quit") + kCr + QStringLiteral("COM") + QString::number(port) +
           QStringLiteral("  in use");
}

QString notValidText(bool removeCable)
{
    QString text = QStringLiteral("     NOT A VALID INSTRUMENT    ") + kCr + kCr;
    if (removeCable) {
        text += QStringLiteral("         REMOVE THE CABLE NOW       ") + kCr + kCr;
    }
    return text;
}

QString removeCableText()
{
    return QStringLiteral("         OK TO REMOVE THE CABLE NOW       ") + kCr + kCr;
}

QString continuousText()
{
    return QStringLiteral("    CONTINUOUS DATA; NOT RECOVERABLE     ") + kCr +
           QStringLiteral("  CANNOT DETERMINE STOPPED TIME ") + kCr + kCr;
}

QString damageQuestion(const QString &text)
{
    QString copy = text;
    const DownloadErrorCounts counts = countDownloadErrors(copy, false);
    if (counts.badCharacters == 0 && counts.ctrlZ == 1) {
        return {};
    }
    QString found;
    if (counts.ctrlZ != 1) {
        found += reportBullet() + QString::number(counts.ctrlZ) +
                 QStringLiteral(" terminating ctrl/z characters found (should be exactly 1)") + kCrLf;
    }
    if (counts.badCharacters != 0) {
        found += reportBullet() + QString::number(counts.badCharacters) +
                 QStringLiteral(" bad character(s)") + kCrLf + QString(7, QLatin1Char(' ')) +
                 QStringLiteral("(ASCII value of first bad character = ") +
                 QString::number(counts.firstBadCharacter) + QStringLiteral(")") + kCrLf;
    }
    return QStringLiteral("Recovered data has the following error(s):") + kCrLf + found + kCrLf +
           QStringLiteral("Do you want to save this file anyway?") + kCrLf +
           QStringLiteral(" (If you click 'No' nothing is saved.)");
}

QString portErrorText(const LinkError &e)
{
    return QStringLiteral("Error ") + textformat::withLeadingBlank(e.number) + QStringLiteral(":  ") +
           e.text + kCrLf + kCrLf + QStringLiteral("Nothing was recovered.");
}

} // namespace recovery

void RecoverProc(Program &p)
{
    RecoverWindowState &w = state(p);
    w.running = true;
    w.saved = false;
    Received r;
    try {
        r = receive(p);
        if (r.early == Early::None) {
            process(p, r);
        }
    } catch (const LinkError &e) {
        // The cable pulled or the port failing: one message, nothing saved.
        closePort(p);
        p.dialogs().setBusy(false);
        p.menu.setEnabled(menu::kItemSave, false);
        message(p, recovery::portErrorText(e));
        r.early = Early::Refused;
    }
    if (r.early != Early::None) {
        if (r.lowBattery) {
            lowBatteryWarning(p);
        }
    }
    w.cancelled = false;
    w.progressVisible = false;
    w.running = false;
    syncRecover(p);
}

void RecoverOk(Program &p)
{
    if (!state(p).loaded || state(p).running) {
        return;
    }
    CloseRecordings(p);
    RecoverProc(p);
    unloadRecoverWindow(p);
}

void RecoverCancel(Program &p)
{
    RecoverWindowState &w = state(p);
    if (w.running) {
        w.cancelled = true;
        p.dialogs().setBusy(false);
    } else if (w.loaded) {
        unloadRecoverWindow(p);
    }
}

void mnuItemRecover(Program &p)
{
    if (autoDetectSelected(p)) {
        message(p, recovery::autoSelectRefusalText(InstName(InstType::kMqaS5), InstName(InstType::kMqaS5Mh)));
        return;
    }
    HideChart(p);
    HideTextViews(p);
    RecoverWindowState &w = state(p);
    w = RecoverWindowState{};
    w.loaded = true;
    w.label1 = QStringLiteral("Ready");
    message(p, recovery::cautionText());
    try {
        reloadCommPort(p);
        probePort(p);
    } catch (const LinkError &e) {
        closePort(p);
        message(p, recovery::portErrorText(e));
        reloadCommPort(p);
        unloadRecoverWindow(p);
        return;
    }
    w.label1 = statusPromptText(p.link.gS5Flag, false, p.splash.portSettings);
    w.okVisible = true;
    w.cancelVisible = false;
    w.visible = true;
    if (p.windows.recover != nullptr) {
        p.windows.recover->sync();
        p.windows.recover->show();
    }
}

void installRecoverCommand(Program &p)
{
    p.addCommand(menu::kItemRecover, [&p] { mnuItemRecover(p); });
}
