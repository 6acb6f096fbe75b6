#include "fake_serial_port.h"

#include "support/fake_clock.h"

#include <algorithm>

FakeSerialPort::FakeSerialPort(FakeClock &clock) : clock_(clock) {}

void FakeSerialPort::arrive(qint64 atMs, const QByteArray &bytes, const QString &onlyAt)
{
    schedule(atMs, bytes, onlyAt, false);
}

void FakeSerialPort::schedule(qint64 atMs, const QByteArray &bytes, const QString &onlyAt, bool fromWake)
{
    qint64 t = atMs;
    for (const char b : bytes) {
        pending_.push_back(Pending{t, b, onlyAt, fromWake});
        t += byteIntervalMs;
    }
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const Pending &a, const Pending &b) { return a.at < b.at; });
}

void FakeSerialPort::answerWhenAwake(const QString &settings, const QByteArray &bytes, qint64 afterMs)
{
    responders_.push_back(Responder{settings, bytes, afterMs});
}

void FakeSerialPort::hangUp()
{
    pump();
    if (open_) {
        open_ = false;
        lastError_ = SerialError::kHardwareNotAvailable;
        log << QStringLiteral("hang-up");
    }
}

void FakeSerialPort::pump() const
{
    const qint64 now = clock_.elapsedMs();
    while (!pending_.empty() && pending_.front().at <= now) {
        const Pending p = pending_.front();
        pending_.pop_front();
        if (open_ && (p.onlyAt.isEmpty() || p.onlyAt == settings_)) {
            buffer_.append(p.byte);
        }
    }
}

void FakeSerialPort::wake()
{
    for (const Responder &r : responders_) {
        if (r.settings.isEmpty() || r.settings == settings_) {
            schedule(clock_.elapsedMs() + r.afterMs, r.bytes, settings_, true);
        }
    }
}

int FakeSerialPort::setCommPort(int n)
{
    if (open_) {
        return SerialError::kPortAlreadyOpen;
    }
    if (n < 1) {
        return SerialError::kInvalidPortNumber;
    }
    commPort_ = n;
    return 0;
}

int FakeSerialPort::setSettings(const QString &settings)
{
    pump();
    if (!settings.contains(QLatin1Char(','))) {
        return SerialError::kCannotSetCommState;
    }
    settings_ = settings;
    log << QStringLiteral("settings ") + settings;
    return 0;
}

int FakeSerialPort::setPortOpen(bool open)
{
    pump();
    if (!open) {
        if (open_) {
            open_ = false;
            ++closes;
            log << QStringLiteral("close");
            std::erase_if(pending_, [](const Pending &b) { return b.fromWake; });
        }
        return 0;
    }
    ++openAttempts;
    int error = 0;
    const auto planned = failOpenAttempt.find(openAttempts);
    if (open_) {
        error = SerialError::kPortAlreadyOpen;
    } else if (planned != failOpenAttempt.end()) {
        error = planned->second;
    } else if (failOpenWith != 0) {
        error = failOpenWith;
    } else if (missingPorts.count(commPort_) != 0 || commPort_ < 1) {
        error = SerialError::kInvalidPortNumber;
    } else if (busyPorts.count(commPort_) != 0) {
        error = SerialError::kPortAlreadyOpen;
    }
    if (error != 0) {
        lastError_ = error;
        ++openFailures;
        log << QStringLiteral("open %1 failed %2").arg(commPort_).arg(error);
        return error;
    }
    open_ = true;
    lastError_ = 0;
    buffer_.clear();
    ++opens;
    openSettings << settings_;
    log << QStringLiteral("open %1 %2 dtr=%3").arg(commPort_).arg(settings_).arg(dtr_ ? 1 : 0);
    if (dtr_) {
        wake();
    }
    return 0;
}

QByteArray FakeSerialPort::input()
{
    pump();
    if (!open_) {
        return {};
    }
    const int n =
        inputLen_ == 0 ? static_cast<int>(buffer_.size()) : std::min<int>(inputLen_, buffer_.size());
    QByteArray out = buffer_.left(n);
    buffer_.remove(0, n);
    return out;
}

int FakeSerialPort::inBufferCount() const
{
    pump();
    return static_cast<int>(buffer_.size());
}

int FakeSerialPort::output(const QByteArray &bytes)
{
    if (!open_) {
        return SerialError::kPortNotOpen;
    }
    written += bytes;
    log << QStringLiteral("output ") + QString::fromLatin1(bytes);
    return 0;
}

void FakeSerialPort::setDTREnable(bool on)
{
    pump();
    const bool rises = on && !dtr_;
    if (on != dtr_) {
        log << QStringLiteral("dtr %1").arg(on ? 1 : 0);
    }
    dtr_ = on;
    if (rises && open_) {
        wake();
    }
}
