// The system clock with Qt's event loop and QTimer.
#pragma once

#include "platform/clock.h"

#include <QElapsedTimer>

class QtClock : public Clock {
public:
    QtClock();
    QDateTime now() const override;
    qint64 elapsedMs() const override;
    void delay(int ms) override;
    void processEvents(int maxWaitMs) override;
    std::unique_ptr<WindowTimer> createTimer(std::function<void()> onTick) override;

private:
    QElapsedTimer started_;
};
