#include "fake_clock.h"

#include <algorithm>

namespace {

class FakeTimer : public WindowTimer {
public:
    FakeTimer(std::shared_ptr<FakeClock::TimerState> s, const qint64 *now) : s_(std::move(s)), now_(now) {}
    ~FakeTimer() override { s_->active = false; }
    void start(int intervalMs) override
    {
        s_->interval = std::max(1, intervalMs);
        s_->next = *now_ + s_->interval;
        s_->active = true;
    }
    void stop() override { s_->active = false; }
    bool isActive() const override { return s_->active; }

private:
    std::shared_ptr<FakeClock::TimerState> s_;
    const qint64 *now_;
};

} // namespace

FakeClock::FakeClock() : start_(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC) {}

QDateTime FakeClock::now() const
{
    return start_.addMSecs(elapsed_);
}

void FakeClock::delay(int ms)
{
    // A pause lets no events run: time moves, timers wait.
    delayedMs += ms;
    elapsed_ += ms;
}

void FakeClock::processEvents(int maxWaitMs)
{
    ++processEventsCalls;
    if (onProcessEvents) {
        onProcessEvents(elapsed_);
    }
    advance(std::max(1, maxWaitMs));
}

void FakeClock::advance(qint64 ms)
{
    const qint64 end = elapsed_ + ms;
    for (;;) {
        std::shared_ptr<TimerState> due;
        for (const auto &t : timers_) {
            if (t->active && t->next <= end && (!due || t->next < due->next)) {
                due = t;
            }
        }
        if (!due) {
            break;
        }
        elapsed_ = std::max(elapsed_, due->next);
        due->next += due->interval;
        auto tick = due->onTick;
        tick();
    }
    elapsed_ = end;
}

std::unique_ptr<WindowTimer> FakeClock::createTimer(std::function<void()> onTick)
{
    auto s = std::make_shared<TimerState>();
    s->onTick = std::move(onTick);
    timers_.push_back(s);
    return std::make_unique<FakeTimer>(s, &elapsed_);
}
