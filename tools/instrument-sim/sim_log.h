// Event log of the simulator: one line per event, with the seconds since start,
// flushed at once so that tests can follow it while the simulator runs.
#pragma once

#include <QString>
#include <chrono>
#include <cstdio>

class SimLog {
public:
    SimLog() = default;
    ~SimLog();
    SimLog(const SimLog &) = delete;
    SimLog &operator=(const SimLog &) = delete;
    // Empty path: standard error. False when the file cannot be written.
    bool open(const QString &path);
    void event(const QString &text);

private:
    FILE *file_ = stderr;
    bool own_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
