// The serial port as the instrument exchanges use it: one port, numbered from
// 1, opened and closed by each exchange, read without blocking.
//
// Reads never block. Received bytes reach the port while the event loop runs
// (Clock::processEvents), so an exchange loop alternates "let events run"
// (which waits for the next event when nothing is pending, a byte on the port
// being one) and `input()`.
//
// A device that goes away while open (cable unplugged, the peer of a
// pseudo-terminal closed) closes the port: the bytes that had arrived can
// still be taken, then `portOpen()` turns false and `lastError()` tells why,
// so a loop that checks `portOpen()` ends instead of spinning.
#pragma once

#include <QByteArray>
#include <QString>

// Error numbers of the serial port, all in the range 8000-8999.
namespace SerialError {
inline constexpr int kNone = 0;
// The port number has no device (below 1, or no such device on this system).
inline constexpr int kInvalidPortNumber = 8002;
// The device is in use: by another program, or this port is already open.
inline constexpr int kPortAlreadyOpen = 8005;
// The user may not read and write the device. Told apart from a device in
// use because the remedy differs: the user needs access, not another port.
inline constexpr int kPermissionDenied = 8006;
// The device went away while open (unplugged, hung up).
inline constexpr int kHardwareNotAvailable = 8010;
// The settings text is malformed or the device refused the settings.
inline constexpr int kCannotSetCommState = 8015;
// Input or output while the port is closed.
inline constexpr int kPortNotOpen = 8018;
// Reading or writing the device failed.
inline constexpr int kReadError = 8020;
inline constexpr int kWriteError = 8021;
// Any other failure of the device.
inline constexpr int kUnknownError = 8099;

inline constexpr bool isSerialError(int n)
{
    return n >= 8000 && n <= 8999;
}

// The text of an error number above ("Invalid port number", ...); every
// implementation (and the test fakes) answer errorText() with it.
QString text(int n);
// The text of kPermissionDenied for a device, with what to do about it:
// join `group` (the group that owns the device and may read and write it)
// and log in again; with no such group, ask for access to the device.
QString permissionDeniedText(const QString &device, const QString &group);
} // namespace SerialError

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Port number (1, 2, ...). Takes effect at the next open. Returns 0 or
    // kInvalidPortNumber (n below 1); kPortAlreadyOpen while the port is open.
    virtual int setCommPort(int n) = 0;
    virtual int commPort() const = 0;

    // "9600,N,8,1" style settings: baud rate, parity N/E/O/M/S, data bits 5-8,
    // stop bits 1, 1.5 or 2. Returns 0 or kCannotSetCommState (malformed
    // text, or refused by an open device). While open the new settings apply
    // at once.
    virtual int setSettings(const QString &settings) = 0;
    virtual QString settings() const = 0;

    // Opens (true) or closes (false) the port; returns 0 or an error number.
    // Closing a closed port does nothing and returns 0.
    virtual int setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;

    // Most bytes one `input()` returns; 0 means all that are waiting.
    virtual void setInputLen(int n) = 0;
    virtual int inputLen() const = 0;
    // Takes up to InputLen received bytes; empty when nothing is waiting or
    // the port is closed. Never blocks.
    virtual QByteArray input() = 0;
    // Bytes received and not yet taken.
    virtual int inBufferCount() const = 0;

    // Queues bytes for sending. Returns 0, kPortNotOpen or kWriteError.
    virtual int output(const QByteArray &bytes) = 0;

    // DTR is asserted while the port is open and this is true. Devices
    // without modem lines (pseudo-terminals) ignore it.
    virtual void setDTREnable(bool on) = 0;
    virtual bool dtrEnable() const = 0;
    // Ctrl-Z (code 26) detection. Received bytes are delivered unchanged
    // either way; the flag is kept for the exchanges that set it.
    virtual void setEOFEnable(bool on) = 0;
    virtual bool eofEnable() const = 0;

    // The last error number met (0 after a successful open), including the
    // one that closed the port when its device went away.
    virtual int lastError() const = 0;
    // The platform's text for an error number.
    virtual QString errorText(int error) const = 0;
};
