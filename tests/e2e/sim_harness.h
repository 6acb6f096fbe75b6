// Runs rdx600-sim (the simulated instrument) for an end-to-end test: starts it
// with the given options, reads the pseudo-terminal path it prints, points
// RDX600_COM<n> at it and reads its event log.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QCoreApplication;

// User and system CPU time this test process has used so far, in seconds.
double processCpuSeconds();

// The application object the serial port needs for its notifiers; made once
// for the whole test program.
QCoreApplication &ensureCoreApplication();

class SimHarness {
public:
    // Starts the simulator with `options` (plus --log and --exit-with-parent)
    // and sets RDX600_COM<port> to its device.
    explicit SimHarness(const QStringList &options, int port = 1);
    ~SimHarness();
    SimHarness(const SimHarness &) = delete;
    SimHarness &operator=(const SimHarness &) = delete;

    bool started() const { return !devicePath_.isEmpty(); }
    QString error() const { return error_; }
    QString devicePath() const { return devicePath_; }

    // The event log so far.
    QString log() const;
    // How often `text` occurs in the log.
    int countInLog(const QString &text) const;
    // Waits (letting events run) until the log holds `text` at least `count` times.
    bool waitForLog(const QString &text, int timeoutMs, int count = 1) const;

    // Ends the simulator now (the pseudo-terminal hangs up).
    void stop();

    // The simulator program: $RDX600_SIM, else rdx600-sim in the build directory.
    static QString program();

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString logPath_;
    QString devicePath_;
    QString error_;
    QByteArray envName_;
};
