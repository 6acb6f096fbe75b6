// rdx600-sim: a simulated instrument on a pseudo-terminal (see --help).
#include "instrument.h"
#include "pty_transport.h"
#include "session.h"
#include "sim_log.h"
#include "sim_options.h"
#include "unit_types.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <random>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t gStop = 0;

void onSignal(int /*signal*/)
{
    gStop = 1;
}

void installSignals()
{
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Sends the unit's bytes at its own baud rate and turns them into garbage
// when the program listens at another rate, as a UART would show them.
class Line {
public:
    Line(PtyTransport &pty, SimLog &log, int ownBaud, bool fullSpeed, unsigned seed)
        : pty_(pty), log_(log), ownBaud_(ownBaud), fullSpeed_(fullSpeed), rng_(seed)
    {
    }

    void reset(Session::Clock::time_point now)
    {
        pending_.clear();
        tokens_ = 0;
        last_ = now;
        loggedBaud_ = -1;
    }

    // Moves what is due from the session to the terminal.
    void pump(Session &session, Session::Clock::time_point now)
    {
        const double perSecond = ownBaud_ / 10.0;
        const double burst = std::max(64.0, perSecond / 50.0); // 20 ms worth
        tokens_ = std::min(burst, tokens_ + std::chrono::duration<double>(now - last_).count() * perSecond);
        last_ = now;
        for (;;) {
            if (pending_.isEmpty()) {
                const qsizetype room = fullSpeed_ ? 1024 : static_cast<qsizetype>(tokens_);
                if (room <= 0) {
                    return;
                }
                pending_ = session.take(room, now);
                if (pending_.isEmpty()) {
                    return;
                }
                if (!fullSpeed_) {
                    tokens_ -= static_cast<double>(pending_.size());
                }
                pending_ = onTheWire(pending_);
            }
            const qsizetype n = pty_.write(pending_);
            sent_ += n;
            pending_.remove(0, n);
            if (!pending_.isEmpty()) {
                return; // terminal full: wait until it takes more
            }
        }
    }

    // Bytes taken from the session but not yet written are not sent.
    void dropPending() { pending_.clear(); }

    bool blocked() const { return !pending_.isEmpty(); }
    bool rateMatches() const { return pty_.peerBaud() == ownBaud_; }
    qint64 sent() const { return sent_; }

private:
    QByteArray onTheWire(const QByteArray &bytes)
    {
        const int peer = pty_.peerBaud();
        if (peer != loggedBaud_) {
            loggedBaud_ = peer;
            log_.event(
                peer == ownBaud_
                    ? QStringLiteral("rate seen %1 (matches)").arg(peer)
                    : QStringLiteral("rate seen %1, unit sends at %2: garbage").arg(peer).arg(ownBaud_));
        }
        if (peer == ownBaud_) {
            return bytes;
        }
        if (peer > 0 && peer < ownBaud_) {
            // Listening slower than the unit sends: each byte the program
            // frames spans several of the unit's, so fewer bytes arrive and
            // they take any value, letters and Ctrl-Z among them. The count
            // follows the bytes sent in all, so that the same unit and seed
            // always give the same garbage.
            const qint64 before = slowTotal_ * peer / ownBaud_;
            slowTotal_ += bytes.size();
            const qint64 n = slowTotal_ * peer / ownBaud_ - before;
            QByteArray out(static_cast<qsizetype>(n), '\0');
            for (char &c : out) {
                c = static_cast<char>(rng_() & 0xFF);
            }
            return out;
        }
        // Listening faster: each bit of the unit lasts several of the
        // program's, so bytes arrive as runs of set high bits and nulls;
        // none of them is a letter.
        static constexpr std::array<char, 9> kGarbage{'\x00', '\x80', '\xC0', '\xE0', '\xF0',
                                                      '\xF8', '\xFC', '\xFE', '\xFF'};
        QByteArray out(bytes.size(), '\0');
        for (char &c : out) {
            c = kGarbage[rng_() % kGarbage.size()];
        }
        return out;
    }

    PtyTransport &pty_;
    SimLog &log_;
    int ownBaud_;
    bool fullSpeed_;
    QByteArray pending_;
    double tokens_ = 0;
    Session::Clock::time_point last_{};
    int loggedBaud_ = -1;
    qint64 sent_ = 0;
    std::mt19937 rng_;
    qint64 slowTotal_ = 0;
};

int run(const SimOptions &options, const UnitType &unit)
{
    SimLog log;
    if (!log.open(options.logFile)) {
        std::fprintf(stderr, "rdx600-sim: cannot write %s\n", options.logFile.toLocal8Bit().constData());
        return 2;
    }
    Instrument instrument(options, unit);
    if (!options.recordingFile.isEmpty()) {
        QString error;
        if (!instrument.loadRecording(options.recordingFile, error)) {
            std::fprintf(stderr, "rdx600-sim: %s\n", error.toLocal8Bit().constData());
            return 2;
        }
    } else {
        instrument.generateProfile();
    }

    PtyTransport pty;
    QString error;
    if (!pty.open(error)) {
        std::fprintf(stderr, "rdx600-sim: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    std::printf("%s\n", pty.devicePath().toLocal8Bit().constData());
    std::fflush(stdout);
    if (!options.pathFile.isEmpty()) {
        QFile f(options.pathFile);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(pty.devicePath().toLocal8Bit() + '\n') < 0) {
            std::fprintf(stderr, "rdx600-sim: cannot write %s\n", options.pathFile.toLocal8Bit().constData());
            return 2;
        }
    }
    log.event(QStringLiteral("device %1: %2 %3, serial %4, %5 baud, %6, %7 readings, header '%8'")
                  .arg(pty.devicePath(), QLatin1String(unit.name), QLatin1String(unit.family))
                  .arg(QString::fromLatin1(instrument.headerLine().mid(7, 4)))
                  .arg(instrument.baud())
                  .arg(QLatin1String(instrument.s5() ? "S5" : "non-S5"))
                  .arg(instrument.readingCount())
                  .arg(QString::fromLatin1(instrument.headerLine())));

    Session session(instrument, log, options);
    Line line(pty, log, instrument.baud(), options.fullSpeed, options.seed);
    bool peerOpen = false;
    while (gStop == 0) {
        const auto now = Session::Clock::now();
        int timeoutMs = 20;
        const auto due = session.nextDue();
        if (peerOpen && (line.blocked() || due)) {
            const auto untilDue =
                due ? std::chrono::duration_cast<std::chrono::milliseconds>(*due - now).count() : 0;
            timeoutMs = static_cast<int>(std::clamp<long long>(untilDue, line.blocked() ? 20 : 2, 20));
        }
        const auto ev = pty.wait(timeoutMs, peerOpen, peerOpen && line.blocked());
        const auto after = Session::Clock::now();
        for (const bool open : ev.transitions) {
            if (open == peerOpen) {
                continue; // a second open of an open device changes nothing
            }
            peerOpen = open;
            if (peerOpen) {
                log.event(QStringLiteral("opened (rate %1)").arg(pty.peerBaud()));
                line.reset(after);
                session.opened(after);
            } else {
                log.event(QStringLiteral("closed (%1 bytes sent since open)").arg(session.sentSinceOpen()));
                session.closed(after);
                line.reset(after);
                pty.flush();
            }
        }
        if (!peerOpen) {
            continue;
        }
        if (ev.readable) {
            const QByteArray in = pty.readAvailable();
            if (!in.isEmpty()) {
                if (line.rateMatches()) {
                    session.received(in, after);
                    if (session.takeStreamCut()) {
                        line.dropPending();
                    }
                } else {
                    log.event(QStringLiteral("received %1 bytes at rate %2: unreadable, ignored")
                                  .arg(in.size())
                                  .arg(pty.peerBaud()));
                }
            }
        }
        line.pump(session, after);
        if (session.unplugDue() && !line.blocked()) {
            log.event(
                QStringLiteral("unplugged (fault) after %1 bytes: the terminal hangs up").arg(line.sent()));
            pty.hangUp();
            break;
        }
    }
    log.event(QStringLiteral("exit (%1 bytes sent in all)").arg(line.sent()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const pid_t parent = getppid();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rdx600-sim"));
    QString error;
    const auto options = parseSimOptions(QCoreApplication::arguments(), error);
    if (!options) {
        std::fprintf(stderr, "rdx600-sim: %s (see --help)\n", error.toLocal8Bit().constData());
        return 2;
    }
    installSignals();
    if (options->exitWithParent) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) {
            return 0; // the parent ended before the request took effect
        }
    }
    return run(*options, *findUnitType(QString::number(options->type)));
}
