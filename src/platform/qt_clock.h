// The system clock with Qt's event loop and QTimer.
#pragma once

#include "platform/clock.h"

#include <QElapsedTimer>

// The environment variable RDX600_TIME_SCALE (a number above 0, for example
// 0.1) shortens or lengthens every Delay and window-timer interval by that
// factor; end-to-end runs use it so that 5-second pauses and 2.5-second
// time-outs cost little. Unset or invalid means 1.
class QtClock : public Clock {
public:
    QtClock();
    explicit QtClock(double timeScale);
    static double timeScaleFromEnvironment();
    double timeScale() const { return timeScale_; }
    QDateTime now() const override;
    qint64 elapsedMs() const override;
    void delay(int ms) override;
    void processEvents(int maxWaitMs) override;
    std::unique_ptr<WindowTimer> createTimer(std::function<void()> onTick) override;

private:
    int scaled(int ms) const;

    QElapsedTimer started_;
    double timeScale_ = 1.0;
};
