// Time for the program: the present time, the pause primitive, window
// timers and the "let window events run" step of the receive loops. The
// program uses the system clock and Qt's event loop; tests use simulated
// time, so a 5-second pause costs them nothing.
#pragma once

#include <QDateTime>
#include <functional>
#include <memory>

class WindowTimer {
public:
    virtual ~WindowTimer() = default;
    virtual void start(int intervalMs) = 0; // repeating
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The present local date and time.
    virtual QDateTime now() const = 0;
    // Milliseconds on a monotonic clock.
    virtual qint64 elapsedMs() const = 0;
    // Pauses without letting window events run.
    virtual void delay(int ms) = 0;
    // Lets pending window events and timers run; when none is pending, waits
    // up to `maxWaitMs` for one (so a polling loop does not spin).
    virtual void processEvents(int maxWaitMs) = 0;
    // A repeating window timer calling `onTick`.
    virtual std::unique_ptr<WindowTimer> createTimer(std::function<void()> onTick) = 0;
};
