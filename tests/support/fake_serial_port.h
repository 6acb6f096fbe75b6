// A serial port on simulated time. Bytes are scripted to reach the port at
// given times on the FakeClock; bytes that reach a closed port, or a port
// running at other settings than the ones they were sent at, are lost, as on
// a real line. Records every open, close, settings change, DTR change and
// output.
#pragma once

#include "platform/serial_port.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>
#include <map>
#include <set>
#include <vector>

class FakeClock;

class FakeSerialPort : public SerialPort {
public:
    explicit FakeSerialPort(FakeClock &clock);

    // ---- script
    // `bytes` reach the port from `atMs` on (simulated ms since the clock
    // started), one every `byteIntervalMs`. With `onlyAt` set they are lost
    // unless the port then runs at those settings.
    void arrive(qint64 atMs, const QByteArray &bytes, const QString &onlyAt = {});
    // An instrument that starts sending `bytes` `afterMs` after the port is
    // opened with DTR asserted, or after DTR rises on the open port, at
    // `settings` (empty: any settings). The bytes are tied to the settings
    // the port had when they were sent. Closing the port stops what such an
    // instrument had still to send (the next open starts it again).
    void answerWhenAwake(const QString &settings, const QByteArray &bytes, qint64 afterMs);
    // A different instrument on the cable: the earlier answerWhenAwake
    // scripts are forgotten.
    void forgetResponders() { responders_.clear(); }
    // The device goes away: the port closes with kHardwareNotAvailable.
    void hangUp();
    int byteIntervalMs = 1;
    // Error number every open returns (0: opens succeed).
    int failOpenWith = 0;
    // Port numbers that do not exist (8002) or are used elsewhere (8005).
    std::set<int> missingPorts;
    std::set<int> busyPorts;
    // Open attempt (1 = the first) to fail, with its error number.
    std::map<int, int> failOpenAttempt;

    // ---- records
    QStringList log; // "open 3 9600,N,8,1 dtr=1", "close", "dtr 0", "settings ...", "output ..."
    int opens = 0;
    int closes = 0;
    QStringList openSettings; // settings at each open
    QByteArray written;
    int openAttempts = 0;
    int openFailures = 0;

    // ---- SerialPort
    int setCommPort(int n) override;
    int commPort() const override { return commPort_; }
    int setSettings(const QString &settings) override;
    QString settings() const override { return settings_; }
    int setPortOpen(bool open) override;
    bool portOpen() const override { return open_; }
    void setInputLen(int n) override { inputLen_ = n; }
    int inputLen() const override { return inputLen_; }
    QByteArray input() override;
    int inBufferCount() const override;
    int output(const QByteArray &bytes) override;
    void setDTREnable(bool on) override;
    bool dtrEnable() const override { return dtr_; }
    void setEOFEnable(bool on) override { eof_ = on; }
    bool eofEnable() const override { return eof_; }
    int lastError() const override { return lastError_; }
    QString errorText(int error) const override { return SerialError::text(error); }

private:
    struct Pending {
        qint64 at;
        char byte;
        QString onlyAt;
        bool fromWake = false;
    };
    struct Responder {
        QString settings;
        QByteArray bytes;
        qint64 afterMs;
    };
    void schedule(qint64 atMs, const QByteArray &bytes, const QString &onlyAt, bool fromWake);
    // Moves the bytes due by now into the input buffer (or loses them).
    void pump() const;
    void wake();

    FakeClock &clock_;
    int commPort_ = 1;
    QString settings_ = QStringLiteral("9600,N,8,1");
    bool open_ = false;
    bool dtr_ = true;
    bool eof_ = false;
    int inputLen_ = 0;
    int lastError_ = 0;
    mutable std::deque<Pending> pending_;
    mutable QByteArray buffer_;
    std::vector<Responder> responders_;
};
