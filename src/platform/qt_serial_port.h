// The serial port on QSerialPort: real COM ports and pseudo-terminals.
#pragma once

#include "platform/serial_port.h"

#include <QSerialPort>
#include <functional>
#include <optional>

// Parsed "9600,N,8,1" settings text.
struct PortSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Baud rate (positive decimal), parity letter N/E/O/M/S (either case), data
// bits 5-8 and stop bits 1, 1.5 or 2, separated by commas; blanks around the
// pieces are allowed. Anything else gives no value.
std::optional<PortSettings> parsePortSettings(const QString &text);

// Where port number n lives. On Windows it is "COMn". Elsewhere the
// environment variable RDX600_COM<n> names the device when set (the simulated
// instrument and the tests use it); otherwise /dev/ttyUSB<n-1> when it exists,
// else /dev/ttyS<n-1>. Empty for n below 1.
struct PortNaming {
    bool windows = false;
    std::function<QString(const QString &name)> env; // value of a variable, empty when unset
    std::function<bool(const QString &path)> exists; // whether a device file exists
    static PortNaming system();
};
QString portDeviceName(int n, const PortNaming &naming = PortNaming::system());

class QtSerialPort : public SerialPort {
public:
    explicit QtSerialPort(PortNaming naming = PortNaming::system());
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort &) = delete;
    QtSerialPort &operator=(const QtSerialPort &) = delete;

    int setCommPort(int n) override;
    int commPort() const override;
    int setSettings(const QString &settings) override;
    QString settings() const override;
    int setPortOpen(bool open) override;
    bool portOpen() const override;
    void setInputLen(int n) override;
    int inputLen() const override;
    QByteArray input() override;
    int inBufferCount() const override;
    int output(const QByteArray &bytes) override;
    void setDTREnable(bool on) override;
    bool dtrEnable() const override;
    void setEOFEnable(bool on) override;
    bool eofEnable() const override;
    int lastError() const override;
    QString errorText(int error) const override;

    // The device the port number maps to (for messages and tests).
    QString deviceName() const;

private:
    void onError(QSerialPort::SerialPortError error);
    int applySettings();
    void applyDtr();

    PortNaming naming_;
    QSerialPort port_;
    int commPort_ = 1;
    QString settingsText_ = QStringLiteral("9600,N,8,1");
    PortSettings settings_;
    int inputLen_ = 0;
    bool dtr_ = true;
    bool eof_ = false;
    int lastError_ = 0;
    // The device and its group named by errorText(kPermissionDenied).
    QString deniedDevice_;
    QString deniedGroup_;
    // Bytes that had arrived when the device went away; still handed out by
    // input() after the port closed.
    QByteArray leftover_;
};
