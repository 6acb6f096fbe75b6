// What the simulated unit does on the link: transmits when the program opens
// the port, answers the initialization exchange, and stops when the port
// closes. A pseudo-terminal has no cable and no modem lines, so every open
// stands for "connected": an S5 unit (woken by DTR) transmits at once, a
// non-S5 unit after the cable delay (the user inserting the cable after
// pressing OK). The program's baud-rate switch closes and reopens the port,
// which restarts the transmission as the DTR drop does on a real cable.
// Time is passed in so the behaviour does not depend on the loop.
#pragma once

#include "instrument.h"
#include "sim_log.h"

#include <QByteArray>
#include <chrono>
#include <optional>

class Session {
public:
    using Clock = std::chrono::steady_clock;

    Session(Instrument &unit, SimLog &log, const SimOptions &options);

    void opened(Clock::time_point now);
    void closed(Clock::time_point now);
    void received(const QByteArray &bytes, Clock::time_point now);

    // Up to `max` bytes due at `now` (empty when nothing is due).
    QByteArray take(qsizetype max, Clock::time_point now);
    // When the next byte will be due; nothing when the unit has nothing to send.
    std::optional<Clock::time_point> nextDue() const;
    // True once after a TAB stopped the transmission: the bytes the line
    // had taken but not yet written are dropped too.
    bool takeStreamCut();
    // Bytes sent since the port opened.
    qint64 sentSinceOpen() const { return sentSinceOpen_; }
    // The unit is to be unplugged now (fault): its bytes up to the count are out.
    bool unplugDue() const { return unplugAfter_ >= 0 && sentInAll_ >= unplugAfter_; }

private:
    void queue(const QByteArray &bytes, Clock::time_point at, const char *what);

    Instrument &unit_;
    SimLog &log_;
    std::chrono::milliseconds cableDelay_;
    std::chrono::milliseconds initDelay_;
    std::chrono::milliseconds answerDelay_;
    double speed_;
    bool streamCut_ = false;
    bool silence_;
    long stopAfter_;
    long unplugAfter_;
    qint64 sentInAll_ = 0;

    QByteArray out_;
    qsizetype outPos_ = 0;
    Clock::time_point dueAt_{};
    QString outWhat_;
    qint64 sentThisTransmission_ = 0;
    qint64 sentSinceOpen_ = 0;
    bool stoppedByFault_ = false;

    bool collectingInit_ = false;
    QByteArray initText_;
};
