// Simulated time: Delay and waits advance the clock at once; timers fire
// when the simulated time passes their next tick. Hooks let a test act at
// every "let window events run" step (a button press, data arriving).
#pragma once

#include "platform/clock.h"

#include <functional>
#include <memory>
#include <vector>

class FakeClock : public Clock {
public:
    FakeClock();
    QDateTime now() const override;
    qint64 elapsedMs() const override { return elapsed_; }
    void delay(int ms) override;
    void processEvents(int maxWaitMs) override;
    std::unique_ptr<WindowTimer> createTimer(std::function<void()> onTick) override;

    // Moves simulated time on, firing the timers that fall due.
    void advance(qint64 ms);
    void setNow(const QDateTime &t)
    {
        start_ = t;
        elapsed_ = 0;
    }

    // Called at each processEvents, with the simulated time in ms.
    std::function<void(qint64)> onProcessEvents;
    int processEventsCalls = 0;
    qint64 delayedMs = 0;

    struct TimerState {
        std::function<void()> onTick;
        int interval = 0;
        qint64 next = 0;
        bool active = false;
    };

private:
    QDateTime start_;
    qint64 elapsed_ = 0;
    std::vector<std::shared_ptr<TimerState>> timers_;
};
