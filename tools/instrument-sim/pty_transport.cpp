#include "pty_transport.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

int baudOf(speed_t s)
{
    static constexpr std::array<std::pair<speed_t, int>, 20> kRates{{
        {B50, 50},       {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
        {B200, 200},     {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
        {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
        {B57600, 57600}, {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
    }};
    for (const auto &[code, baud] : kRates) {
        if (code == s) {
            return baud;
        }
    }
    return 0;
}

} // namespace

void PtyTransport::hangUp()
{
    for (int *fd : {&master_, &slave_, &watch_}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

PtyTransport::~PtyTransport()
{
    if (master_ >= 0) {
        ::close(master_);
    }
    if (watch_ >= 0) {
        ::close(watch_);
    }
    if (slave_ >= 0) {
        ::close(slave_);
    }
}

bool PtyTransport::open(QString &error)
{
    int slave = -1;
    std::array<char, 256> name{};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    if (::openpty(&master_, &slave, name.data(), &raw, nullptr) != 0) {
        error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    path_ = QString::fromLocal8Bit(name.data());
    // The device end stays open here, before the watch exists, so the watch
    // reports only the program's opens and closes and flush() needs no open
    // of its own (an open and close of ours could interleave with the
    // program's and be mistaken for them).
    slave_ = slave;
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ < 0 ||
        ::inotify_add_watch(watch_, name.data(), IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        error = QStringLiteral("inotify: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

PtyTransport::Events PtyTransport::wait(int timeoutMs, bool peerOpen, bool wantWrite)
{
    Events e;
    // While nobody has the device open there is nothing to read or write,
    // so only the watch is waited on then.
    std::array<pollfd, 2> p{
        {{watch_, POLLIN, 0}, {master_, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0}}};
    const int n = ::poll(p.data(), peerOpen ? 2 : 1, timeoutMs);
    if (n <= 0) {
        return e;
    }
    if ((p[0].revents & POLLIN) != 0) {
        readTransitions(e.transitions);
    }
    if (peerOpen) {
        e.readable = (p[1].revents & POLLIN) != 0;
        e.writable = (p[1].revents & POLLOUT) != 0;
    }
    return e;
}

void PtyTransport::readTransitions(std::vector<bool> &out)
{
    alignas(inotify_event) std::array<char, 4096> buf{};
    for (;;) {
        const ssize_t n = ::read(watch_, buf.data(), buf.size());
        if (n <= 0) {
            return;
        }
        for (ssize_t at = 0; at < n;) {
            inotify_event ev{};
            std::memcpy(&ev, buf.data() + at, sizeof ev);
            at += static_cast<ssize_t>(sizeof ev + ev.len);
            if ((ev.mask & (IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) == 0) {
                continue;
            }
            out.push_back((ev.mask & IN_OPEN) != 0);
        }
    }
}

QByteArray PtyTransport::readAvailable()
{
    QByteArray out;
    std::array<char, 512> buf{};
    for (;;) {
        const ssize_t n = ::read(master_, buf.data(), buf.size());
        if (n <= 0) {
            break;
        }
        out.append(buf.data(), n);
    }
    return out;
}

qsizetype PtyTransport::write(const QByteArray &bytes)
{
    const ssize_t n = ::write(master_, bytes.constData(), static_cast<size_t>(bytes.size()));
    return n < 0 ? 0 : n;
}

void PtyTransport::flush()
{
    // A closed serial device keeps nothing of what arrived for it; a
    // pseudo-terminal would keep it for the next open. The input queue of the
    // device end is reachable only through that end.
    if (slave_ >= 0) {
        ::tcflush(slave_, TCIOFLUSH);
    }
    ::tcflush(master_, TCIOFLUSH);
}

int PtyTransport::peerBaud() const
{
    termios t{};
    if (::tcgetattr(master_, &t) != 0) {
        return 0;
    }
    return baudOf(cfgetospeed(&t));
}
