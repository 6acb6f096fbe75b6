// The serial port as the instrument exchanges use it.
#pragma once

#include <QByteArray>
#include <QString>

class SerialPort {
public:
    virtual ~SerialPort() = default;
    virtual void setCommPort(int n) = 0;
    virtual int commPort() const = 0;
    // "115200,N,8,1" style settings.
    virtual void setSettings(const QString &settings) = 0;
    virtual QString settings() const = 0;
    // Opens or closes the port; returns 0 or an error number (8000-8999).
    virtual int setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;
    virtual void setInputLen(int n) = 0;
    // Takes up to InputLen received bytes (all when 0).
    virtual QByteArray input() = 0;
    virtual int inBufferCount() const = 0;
    virtual void output(const QByteArray &bytes) = 0;
    virtual void setDTREnable(bool on) = 0;
    virtual void setEOFEnable(bool on) = 0;
    // Platform text of the last error number.
    virtual QString errorText(int error) const = 0;
};
