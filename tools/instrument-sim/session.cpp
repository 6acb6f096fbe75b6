#include "session.h"

#include <cmath>

namespace {

constexpr char kTab = 9;
constexpr char kCr = 13;

} // namespace

Session::Session(Instrument &unit, SimLog &log, const SimOptions &o)
    : unit_(unit), log_(log),
      cableDelay_(std::lround(o.cableDelayMs.value_or(unit.s5() ? 50 : 500) * o.timeScale)),
      initDelay_(std::lround(o.initDelayMs * o.timeScale)),
      answerDelay_(std::lround(o.answerDelayMs * o.timeScale)), speed_(o.speed), silence_(o.faults.silence),
      stopAfter_(o.faults.stopAfter), unplugAfter_(o.faults.unplugAfter)
{
}

void Session::queue(const QByteArray &bytes, Clock::time_point at, const char *what)
{
    out_ = bytes;
    outPos_ = 0;
    dueAt_ = at;
    outWhat_ = QString::fromLatin1(what);
    sentThisTransmission_ = 0;
    stoppedByFault_ = false;
}

void Session::opened(Clock::time_point now)
{
    sentSinceOpen_ = 0;
    collectingInit_ = false;
    unit_.record(now, speed_);
    if (silence_) {
        log_.event(QStringLiteral("silent (fault): nothing will be sent"));
        return;
    }
    queue(unit_.transmission(), now + cableDelay_, "transmission");
}

void Session::closed(Clock::time_point /*now*/)
{
    if (outPos_ < out_.size()) {
        log_.event(
            QStringLiteral("%1 cut off after %2 of %3 bytes").arg(outWhat_).arg(outPos_).arg(out_.size()));
    }
    out_.clear();
    outPos_ = 0;
    collectingInit_ = false;
}

void Session::received(const QByteArray &bytes, Clock::time_point now)
{
    for (const char c : bytes) {
        if (collectingInit_) {
            if (c == kCr) {
                collectingInit_ = false;
                log_.event(QStringLiteral("initialization string '%1'").arg(QString::fromLatin1(initText_)));
                if (outPos_ < out_.size()) {
                    // A real unit is not listening before it has answered.
                    log_.event(QStringLiteral("initialization string before the answer: ignored"));
                } else if (unit_.initialize(initText_, now)) {
                    log_.event(QStringLiteral("initialized: mode %1, clock %2, memory cleared")
                                   .arg(unit_.mode())
                                   .arg(unit_.clock().toString(QStringLiteral("MM-dd-yy hh:mm"))));
                    queue(unit_.readBack(), now + initDelay_, "read-back");
                } else {
                    log_.event(QStringLiteral("not an initialization string: ignored"));
                }
            } else if (initText_.size() < 80) {
                initText_ += c;
            }
        } else if (c == kTab) {
            if (outPos_ < out_.size()) {
                log_.event(QStringLiteral("%1 stopped at the TAB after %2 of %3 bytes")
                               .arg(outWhat_)
                               .arg(outPos_)
                               .arg(out_.size()));
            }
            log_.event(QStringLiteral("TAB received: initialization started"));
            streamCut_ = true;
            queue(Instrument::initAnswer(), now + answerDelay_, "initialization answer");
            collectingInit_ = true;
            initText_.clear();
        } else {
            log_.event(QStringLiteral("received byte %1 (ignored)").arg(static_cast<unsigned char>(c)));
        }
    }
}

bool Session::takeStreamCut()
{
    const bool cut = streamCut_;
    streamCut_ = false;
    return cut;
}

QByteArray Session::take(qsizetype max, Clock::time_point now)
{
    if (outPos_ >= out_.size() || now < dueAt_ || stoppedByFault_) {
        return {};
    }
    qsizetype n = std::min(max, out_.size() - outPos_);
    if (stopAfter_ >= 0) {
        n = std::min<qsizetype>(n, stopAfter_ - sentThisTransmission_);
        if (n <= 0) {
            stoppedByFault_ = true;
            log_.event(
                QStringLiteral("%1 stopped after %2 bytes (fault)").arg(outWhat_).arg(sentThisTransmission_));
            return {};
        }
    }
    if (unplugAfter_ >= 0) {
        n = std::min<qsizetype>(n, unplugAfter_ - sentInAll_);
        if (n <= 0) {
            return {};
        }
    }
    if (outPos_ == 0) {
        log_.event(QStringLiteral("%1 started (%2 bytes)").arg(outWhat_).arg(out_.size()));
    }
    QByteArray chunk = out_.mid(outPos_, n);
    outPos_ += n;
    sentThisTransmission_ += n;
    sentSinceOpen_ += n;
    sentInAll_ += n;
    if (outPos_ >= out_.size()) {
        log_.event(QStringLiteral("%1 complete (%2 bytes)").arg(outWhat_).arg(out_.size()));
    }
    return chunk;
}

std::optional<Session::Clock::time_point> Session::nextDue() const
{
    if (outPos_ >= out_.size() || stoppedByFault_) {
        return std::nullopt;
    }
    return dueAt_;
}
