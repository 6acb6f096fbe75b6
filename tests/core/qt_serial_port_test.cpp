// Port numbers to devices, the settings text, and the errors the port reports
// without a device.
#include "platform/qt_serial_port.h"
#include "support/disk_faults.h"

#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

PortNaming linuxNaming(const QMap<QString, QString> &env, const QSet<QString> &devices)
{
    PortNaming n;
    n.windows = false;
    n.env = [env](const QString &name) { return env.value(name); };
    n.exists = [devices](const QString &path) { return devices.contains(path); };
    return n;
}

TEST(PortDeviceName, WindowsUsesComNames)
{
    PortNaming n = linuxNaming({{"RDX600_COM3", "/dev/pts/9"}}, {});
    n.windows = true;
    EXPECT_EQ(portDeviceName(1, n), "COM1");
    EXPECT_EQ(portDeviceName(3, n), "COM3") << "the environment is not consulted on Windows";
    EXPECT_EQ(portDeviceName(12, n), "COM12");
}

TEST(PortDeviceName, LinuxPrefersTheEnvironmentThenUsbThenOnboardPorts)
{
    const PortNaming n =
        linuxNaming({{"RDX600_COM2", "/dev/pts/4"}, {"RDX600_COM5", ""}}, {"/dev/ttyUSB0", "/dev/ttyUSB4"});
    EXPECT_EQ(portDeviceName(1, n), "/dev/ttyUSB0");
    EXPECT_EQ(portDeviceName(2, n), "/dev/pts/4");
    EXPECT_EQ(portDeviceName(3, n), "/dev/ttyS2");
    EXPECT_EQ(portDeviceName(5, n), "/dev/ttyUSB4") << "an empty variable counts as unset";
    EXPECT_EQ(portDeviceName(9, n), "/dev/ttyS8") << "stored numbers beyond 8 are used as they are";
    EXPECT_TRUE(portDeviceName(0, n).isEmpty());
    EXPECT_TRUE(portDeviceName(-1, n).isEmpty());
}

TEST(PortSettingsText, ReadsTheRatesInUse)
{
    for (const int baud : {9600, 19200, 38400, 57600, 115200}) {
        const auto s = parsePortSettings(QStringLiteral("%1,N,8,1").arg(baud));
        ASSERT_TRUE(s.has_value()) << baud;
        EXPECT_EQ(s->baudRate, baud);
        EXPECT_EQ(s->parity, QSerialPort::NoParity);
        EXPECT_EQ(s->dataBits, QSerialPort::Data8);
        EXPECT_EQ(s->stopBits, QSerialPort::OneStop);
    }
}

TEST(PortSettingsText, ReadsOtherFramings)
{
    const auto s = parsePortSettings(" 2400 , e , 7 , 2 ");
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->baudRate, 2400);
    EXPECT_EQ(s->parity, QSerialPort::EvenParity);
    EXPECT_EQ(s->dataBits, QSerialPort::Data7);
    EXPECT_EQ(s->stopBits, QSerialPort::TwoStop);
    EXPECT_EQ(parsePortSettings("300,O,5,1.5")->stopBits, QSerialPort::OneAndHalfStop);
    EXPECT_EQ(parsePortSettings("300,M,6,1")->parity, QSerialPort::MarkParity);
    EXPECT_EQ(parsePortSettings("300,s,8,1")->parity, QSerialPort::SpaceParity);
}

TEST(PortSettingsText, RejectsMalformedText)
{
    for (const char *bad :
         {"", "9600", "9600,N,8", "9600,N,8,1,0", "abc,N,8,1", "0,N,8,1", "-9600,N,8,1", "+9600,N,8,1",
          "9600,X,8,1", "9600,N,9,1", "9600,N,4,1", "9600,N,8,3", "9600;N;8;1"}) {
        EXPECT_FALSE(parsePortSettings(bad).has_value()) << bad;
    }
}

TEST(QtSerialPortWithoutDevice, ReportsErrorNumbersAndKeepsItsSettings)
{
    QtSerialPort port(linuxNaming({{"RDX600_COM1", "/dev/rdx600-test-no-such-device"}}, {}));
    EXPECT_EQ(port.commPort(), 1);
    EXPECT_EQ(port.setCommPort(0), SerialError::kInvalidPortNumber);
    EXPECT_EQ(port.commPort(), 1) << "a refused number changes nothing";
    EXPECT_EQ(port.setSettings("fast"), SerialError::kCannotSetCommState);
    EXPECT_EQ(port.setSettings("115200,N,8,1"), 0);
    EXPECT_EQ(port.settings(), "115200,N,8,1");

    EXPECT_EQ(port.setPortOpen(true), SerialError::kInvalidPortNumber);
    EXPECT_EQ(port.lastError(), SerialError::kInvalidPortNumber);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.setPortOpen(false), 0) << "closing a closed port is no error";
    EXPECT_EQ(port.output("x"), SerialError::kPortNotOpen);
    EXPECT_TRUE(port.input().isEmpty());
    EXPECT_EQ(port.inBufferCount(), 0);

    port.setInputLen(-3);
    EXPECT_EQ(port.inputLen(), 0);
    EXPECT_TRUE(port.dtrEnable()) << "DTR is asserted while open unless dropped";
}

TEST(SerialErrorText, EveryNumberHasItsOwnText)
{
    const int numbers[] = {
        SerialError::kInvalidPortNumber,  SerialError::kPortAlreadyOpen, SerialError::kHardwareNotAvailable,
        SerialError::kCannotSetCommState, SerialError::kPortNotOpen,     SerialError::kReadError,
        SerialError::kWriteError,         SerialError::kUnknownError,    SerialError::kPermissionDenied};
    QSet<QString> texts;
    for (const int n : numbers) {
        EXPECT_TRUE(SerialError::isSerialError(n)) << n;
        texts.insert(SerialError::text(n));
    }
    EXPECT_EQ(texts.size(), static_cast<qsizetype>(std::size(numbers)));
    EXPECT_EQ(SerialError::text(8005), "Port already open");
    EXPECT_FALSE(SerialError::isSerialError(7999));
    EXPECT_FALSE(SerialError::isSerialError(9000));
}

// A device the user may not open is told apart from one in use, and its
// text names the device and the remedy: the owning group when joining it
// gives access, else access to the device itself.
TEST(QtSerialPortPermission, DeniedDeviceIsNamedWithItsRemedy)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to make a terminal another user may not open";
    }
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString device = QString::fromLocal8Bit(ptsname(master));
    const QByteArray path = device.toLocal8Bit();
    // The group serial devices belong to on Debian (any group but root and
    // the unprivileged user's own serves).
    const group *owner = getgrnam("dialout");
    ASSERT_NE(owner, nullptr);
    const gid_t serialGroup = owner->gr_gid;
    const QString ownerGroup = QString::fromLocal8Bit(owner->gr_name);
    const QString askForAccess = "Permission denied for " + device +
                                 ".\r\nAsk the administrator for read and write access to the device.";
    struct Case {
        mode_t mode;
        gid_t group;
        int error;
        QString text;
    };
    const Case cases[] = {
        {0666, serialGroup, 0, SerialError::text(0)},
        {0660, serialGroup, SerialError::kPermissionDenied,
         "Permission denied for " + device + ".\r\nAdd your user to the group that owns the device (" +
             ownerGroup + ") and log in again."},
        {0620, serialGroup, SerialError::kPermissionDenied, askForAccess}, // the group may not read
        {0660, 0, SerialError::kPermissionDenied, askForAccess},           // never "join root"
    };
    QTemporaryDir scratch;
    for (const Case &c : cases) {
        ASSERT_EQ(::chown(path.constData(), 0, c.group), 0);
        ASSERT_EQ(::chmod(path.constData(), c.mode), 0);
        // The open runs as an unprivileged user (root opens anything).
        const ChildRun run = runUnderDiskFault(DiskFault::FolderNotWritable, scratch.path(), [&] {
            QtSerialPort port(PortNaming{false, [&](const QString &) { return device; }, {}});
            const int error = port.setPortOpen(true);
            return QStringList{QString::number(error), port.errorText(error)};
        });
        ASSERT_TRUE(run.finished) << run.problem.toStdString();
        EXPECT_EQ(run.lines.value(0).toInt(), c.error) << std::oct << c.mode << " group " << c.group;
        EXPECT_EQ(run.lines.value(1).toStdString(), c.text.toStdString())
            << std::oct << c.mode << " group " << c.group;
    }
    ::close(master);
}

} // namespace
