// The state every waiting window (status, download, header wait) shares with
// the receive loop of its exchange. The procedures that drive it are the
// serial link's (link/serial_link.h).
#pragma once

#include <QString>
#include <functional>
#include <memory>

class WindowTimer;

// What every waiting window (status, download, header wait) shares: its
// message label Label1, its no-response timer Timer1 and the flags the
// receive loop, the timer and the buttons exchange.
struct WaitWindow {
    QString label1;
    bool timerRunning = false;
    bool triedBoth = false;
    bool restartWait = false;
    // The window was unloaded (cancel, time-out message): a flip in progress
    // stops and leaves the port closed.
    bool unloaded = false;
    // The download window keeps a debug log of the timer calls.
    bool keepsDebugLog = false;
    QString debugLog;
    std::unique_ptr<WindowTimer> timer1;
    // Mirrors the window's state on screen (before events run).
    std::function<void()> refresh;

    WaitWindow();
    ~WaitWindow();
    WaitWindow(const WaitWindow &) = delete;
    WaitWindow &operator=(const WaitWindow &) = delete;

    bool timer1Enabled() const;
};
