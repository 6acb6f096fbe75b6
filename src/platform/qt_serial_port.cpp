#include "platform/qt_serial_port.h"

#include <QFile>
#include <QStringList>
#include <string>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

int errorNumber(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
        return SerialError::kNone;
    case QSerialPort::DeviceNotFoundError:
        return SerialError::kInvalidPortNumber;
    case QSerialPort::PermissionError: // locked by another program (no access: see setPortOpen)
    case QSerialPort::OpenError:       // already open in this object
        return SerialError::kPortAlreadyOpen;
    case QSerialPort::ResourceError:
        return SerialError::kHardwareNotAvailable;
    case QSerialPort::ReadError:
        return SerialError::kReadError;
    case QSerialPort::WriteError:
        return SerialError::kWriteError;
    case QSerialPort::NotOpenError:
        return SerialError::kPortNotOpen;
    case QSerialPort::UnsupportedOperationError:
        return SerialError::kCannotSetCommState;
    default:
        return SerialError::kUnknownError;
    }
}

#ifdef Q_OS_UNIX
// The name of group `gid`, empty when it has none.
QString groupName(gid_t gid)
{
    long size = sysconf(_SC_GETGR_R_SIZE_MAX);
    std::string buf(size > 0 ? static_cast<size_t>(size) : 4096, '\0');
    group entry{};
    group *found = nullptr;
    while (getgrgid_r(gid, &entry, buf.data(), buf.size(), &found) == ERANGE) {
        buf.resize(buf.size() * 2);
    }
    return found != nullptr ? QString::fromLocal8Bit(found->gr_name) : QString();
}
#endif

// Whether this user lacks read and write access to `device`; `group` is then
// the group that owns it when that group may read and write it (joining it
// gives access), else empty. The root group is never offered: joining it
// would give far more than the device.
bool accessDenied(const QString &device, QString &group)
{
    group.clear();
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    if (faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0 || errno != EACCES) {
        return false;
    }
    struct stat st {};
    if (::stat(path.constData(), &st) == 0 && st.st_gid != 0 &&
        (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP)) {
        group = groupName(st.st_gid);
    }
    return true;
#else
    (void)device;
    return false;
#endif
}

} // namespace

std::optional<PortSettings> parsePortSettings(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) {
        return std::nullopt;
    }
    PortSettings s;
    bool ok = false;
    const QString baud = parts[0].trimmed();
    s.baudRate = baud.toInt(&ok);
    if (!ok || s.baudRate <= 0 || baud.startsWith(QLatin1Char('+'))) {
        return std::nullopt;
    }
    const QString parity = parts[1].trimmed().toUpper();
    if (parity == QLatin1String("N")) {
        s.parity = QSerialPort::NoParity;
    } else if (parity == QLatin1String("E")) {
        s.parity = QSerialPort::EvenParity;
    } else if (parity == QLatin1String("O")) {
        s.parity = QSerialPort::OddParity;
    } else if (parity == QLatin1String("M")) {
        s.parity = QSerialPort::MarkParity;
    } else if (parity == QLatin1String("S")) {
        s.parity = QSerialPort::SpaceParity;
    } else {
        return std::nullopt;
    }
    const QString bits = parts[2].trimmed();
    if (bits == QLatin1String("5")) {
        s.dataBits = QSerialPort::Data5;
    } else if (bits == QLatin1String("6")) {
        s.dataBits = QSerialPort::Data6;
    } else if (bits == QLatin1String("7")) {
        s.dataBits = QSerialPort::Data7;
    } else if (bits == QLatin1String("8")) {
        s.dataBits = QSerialPort::Data8;
    } else {
        return std::nullopt;
    }
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1")) {
        s.stopBits = QSerialPort::OneStop;
    } else if (stop == QLatin1String("1.5")) {
        s.stopBits = QSerialPort::OneAndHalfStop;
    } else if (stop == QLatin1String("2")) {
        s.stopBits = QSerialPort::TwoStop;
    } else {
        return std::nullopt;
    }
    return s;
}

PortNaming PortNaming::system()
{
    PortNaming n;
#ifdef Q_OS_WIN
    n.windows = true;
#endif
    n.env = [](const QString &name) { return qEnvironmentVariable(name.toLatin1().constData()); };
    n.exists = [](const QString &path) { return QFile::exists(path); };
    return n;
}

QString portDeviceName(int n, const PortNaming &naming)
{
    if (n < 1) {
        return {};
    }
    if (naming.windows) {
        return QStringLiteral("COM%1").arg(n);
    }
    QString configured = naming.env ? naming.env(QStringLiteral("RDX600_COM%1").arg(n)) : QString();
    if (!configured.isEmpty()) {
        return configured;
    }
    QString usb = QStringLiteral("/dev/ttyUSB%1").arg(n - 1);
    if (naming.exists && naming.exists(usb)) {
        return usb;
    }
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}

QtSerialPort::QtSerialPort(PortNaming naming) : naming_(std::move(naming))
{
    settings_ = *parsePortSettings(settingsText_);
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError e) { onError(e); });
}

QtSerialPort::~QtSerialPort()
{
    if (port_.isOpen()) {
        port_.close();
    }
}

int QtSerialPort::setCommPort(int n)
{
    if (port_.isOpen()) {
        return lastError_ = SerialError::kPortAlreadyOpen;
    }
    if (n < 1) {
        return lastError_ = SerialError::kInvalidPortNumber;
    }
    commPort_ = n;
    return 0;
}

int QtSerialPort::commPort() const
{
    return commPort_;
}

QString QtSerialPort::deviceName() const
{
    return portDeviceName(commPort_, naming_);
}

int QtSerialPort::setSettings(const QString &settings)
{
    const auto parsed = parsePortSettings(settings);
    if (!parsed) {
        return lastError_ = SerialError::kCannotSetCommState;
    }
    settingsText_ = settings;
    settings_ = *parsed;
    return port_.isOpen() ? applySettings() : 0;
}

QString QtSerialPort::settings() const
{
    return settingsText_;
}

int QtSerialPort::applySettings()
{
    const bool ok = port_.setBaudRate(settings_.baudRate) && port_.setParity(settings_.parity) &&
                    port_.setDataBits(settings_.dataBits) && port_.setStopBits(settings_.stopBits) &&
                    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        port_.clearError();
        return lastError_ = SerialError::kCannotSetCommState;
    }
    return 0;
}

void QtSerialPort::applyDtr()
{
    // Pseudo-terminals have no modem lines: Qt reports UnsupportedOperationError,
    // which onError() ignores. The instrument only needs DTR on real cables.
    if (port_.isOpen()) {
        port_.setDataTerminalReady(dtr_);
        port_.clearError();
    }
}

int QtSerialPort::setPortOpen(bool open)
{
    if (!open) {
        if (port_.isOpen()) {
            port_.close();
        }
        leftover_.clear();
        return 0;
    }
    if (port_.isOpen()) {
        return lastError_ = SerialError::kPortAlreadyOpen;
    }
    leftover_.clear();
    const QString device = deviceName();
    if (device.isEmpty()) {
        return lastError_ = SerialError::kInvalidPortNumber;
    }
    port_.setPortName(device);
    port_.setBaudRate(settings_.baudRate);
    port_.setParity(settings_.parity);
    port_.setDataBits(settings_.dataBits);
    port_.setStopBits(settings_.stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        int n = errorNumber(port_.error());
        // Qt reports a device this user may not open as it reports one locked
        // by another program; the two need different remedies.
        if (port_.error() == QSerialPort::PermissionError && accessDenied(device, deniedGroup_)) {
            n = SerialError::kPermissionDenied;
            deniedDevice_ = device;
        }
        port_.clearError();
        return lastError_ = (n == SerialError::kNone ? SerialError::kUnknownError : n);
    }
    if (const int n = applySettings(); n != 0) {
        port_.close();
        return n;
    }
    applyDtr();
    lastError_ = 0;
    return 0;
}

bool QtSerialPort::portOpen() const
{
    // After the device went away the port stays open for the bytes that had
    // arrived, and closes once they are taken.
    return port_.isOpen() || !leftover_.isEmpty();
}

void QtSerialPort::setInputLen(int n)
{
    inputLen_ = n < 0 ? 0 : n;
}

int QtSerialPort::inputLen() const
{
    return inputLen_;
}

QByteArray QtSerialPort::input()
{
    if (!leftover_.isEmpty()) {
        const qsizetype n = inputLen_ > 0 ? qMin<qsizetype>(inputLen_, leftover_.size()) : leftover_.size();
        QByteArray out = leftover_.left(n);
        leftover_.remove(0, n);
        return out;
    }
    if (!port_.isOpen()) {
        return {};
    }
    return inputLen_ > 0 ? port_.read(inputLen_) : port_.readAll();
}

int QtSerialPort::inBufferCount() const
{
    return static_cast<int>(leftover_.size() + (port_.isOpen() ? port_.bytesAvailable() : 0));
}

int QtSerialPort::output(const QByteArray &bytes)
{
    if (!port_.isOpen()) {
        return lastError_ = SerialError::kPortNotOpen;
    }
    if (port_.write(bytes) != bytes.size()) {
        return lastError_ = SerialError::kWriteError;
    }
    return 0;
}

void QtSerialPort::setDTREnable(bool on)
{
    dtr_ = on;
    applyDtr();
}

bool QtSerialPort::dtrEnable() const
{
    return dtr_;
}

void QtSerialPort::setEOFEnable(bool on)
{
    eof_ = on;
}

bool QtSerialPort::eofEnable() const
{
    return eof_;
}

int QtSerialPort::lastError() const
{
    return lastError_;
}

QString QtSerialPort::errorText(int error) const
{
    if (error == SerialError::kPermissionDenied && !deniedDevice_.isEmpty()) {
        return SerialError::permissionDeniedText(deniedDevice_, deniedGroup_);
    }
    return SerialError::text(error);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::UnsupportedOperationError) {
        return;
    }
    if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError) {
        // The device went away (unplugged, or the far end of a pseudo-terminal
        // closed). Qt keeps reporting this in a tight loop while the port stays
        // open, so close it now; what had arrived stays readable.
        lastError_ = errorNumber(error) == SerialError::kReadError ? SerialError::kHardwareNotAvailable
                                                                   : errorNumber(error);
        if (port_.isOpen()) {
            leftover_ += port_.readAll();
            port_.close();
        }
        return;
    }
    if (port_.isOpen()) {
        lastError_ = errorNumber(error);
    }
}
