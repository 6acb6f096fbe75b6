#include "platform/qt_clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

class QtWindowTimer : public WindowTimer {
public:
    QtWindowTimer(std::function<void()> onTick, double timeScale) : timeScale_(timeScale)
    {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(onTick));
    }
    void start(int intervalMs) override
    {
        timer_.start(std::max(1, static_cast<int>(std::lround(intervalMs * timeScale_))));
    }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
    double timeScale_;
};

} // namespace

QtClock::QtClock() : QtClock(timeScaleFromEnvironment()) {}

QtClock::QtClock(double timeScale) : timeScale_(timeScale > 0.0 ? timeScale : 1.0)
{
    started_.start();
}

double QtClock::timeScaleFromEnvironment()
{
    bool ok = false;
    const double scale = qEnvironmentVariable("RDX600_TIME_SCALE").toDouble(&ok);
    return ok && scale > 0.0 ? scale : 1.0;
}

int QtClock::scaled(int ms) const
{
    return static_cast<int>(std::lround(ms * timeScale_));
}

QDateTime QtClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 QtClock::elapsedMs() const
{
    return started_.elapsed();
}

void QtClock::delay(int ms)
{
    if (ms > 0) {
        QThread::msleep(static_cast<unsigned long>(scaled(ms)));
    }
}

void QtClock::processEvents(int maxWaitMs)
{
    if (QCoreApplication::instance() == nullptr) {
        if (maxWaitMs > 0) {
            QThread::msleep(static_cast<unsigned long>(maxWaitMs));
        }
        return;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (maxWaitMs > 0) {
        // Sleeps in the event loop until an event (data on the port, a timer,
        // a click) arrives or the wait ends: no busy spinning.
        QTimer wake;
        wake.setSingleShot(true);
        wake.start(maxWaitMs);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

std::unique_ptr<WindowTimer> QtClock::createTimer(std::function<void()> onTick)
{
    return std::make_unique<QtWindowTimer>(std::move(onTick), timeScale_);
}
