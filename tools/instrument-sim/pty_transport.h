// The simulator's end of a pseudo-terminal. The program opens the other end
// (the device) as its serial port; the simulator keeps only the master and
// watches the device for opens and closes (inotify), which is how it sees the
// cable go in and out. A close followed at once by a reopen (the program
// switching baud rates) shows as two events, not as nothing.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class PtyTransport {
public:
    PtyTransport() = default;
    ~PtyTransport();
    PtyTransport(const PtyTransport &) = delete;
    PtyTransport &operator=(const PtyTransport &) = delete;

    // Creates the pair (raw mode, non-blocking master). False with `error` set.
    bool open(QString &error);
    QString devicePath() const { return path_; }

    struct Events {
        std::vector<bool> transitions; // in order: true = the program opened, false = closed
        bool readable = false;
        bool writable = false;
    };
    // Waits up to `timeoutMs` for an open or close of the device and, while
    // `peerOpen`, for input (and for room to write when `wantWrite`).
    Events wait(int timeoutMs, bool peerOpen, bool wantWrite);

    QByteArray readAvailable();
    // Writes what fits without blocking; returns the bytes taken (0 when full).
    qsizetype write(const QByteArray &bytes);
    // Drops what the program has not read yet and what it sent.
    void flush();
    // Closes the simulator's ends: the program's device hangs up, as when
    // the cable is pulled.
    void hangUp();
    // The baud rate the program set on its end; 0 when unknown.
    int peerBaud() const;

private:
    void readTransitions(std::vector<bool> &out);

    int master_ = -1;
    int watch_ = -1; // inotify descriptor
    // The simulator's own descriptor of the device end, opened before the
    // watch so it causes no events; flush() discards through it.
    int slave_ = -1;
    QString path_;
};
