#include "platform/qt_clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace {

class QtWindowTimer : public WindowTimer {
public:
    explicit QtWindowTimer(std::function<void()> onTick)
    {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(onTick));
    }
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

}  // namespace

QtClock::QtClock()
{
    started_.start();
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
        QThread::msleep(static_cast<unsigned long>(ms));
    }
}

void QtClock::processEvents(int maxWaitMs)
{
    if (QCoreApplication::instance() == nullptr) {
        delay(maxWaitMs);
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
    return std::make_unique<QtWindowTimer>(std::move(onTick));
}
