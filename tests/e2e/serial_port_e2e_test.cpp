// The QSerialPort adapter against the simulated instrument on a real
// pseudo-terminal: rates, modem lines, hang-up, the exchanges the simulator
// plays, and the cost of waiting.
#include "sim_harness.h"

#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"

#include <QDeadlineTimer>
#include <QScopeGuard>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/resource.h>

namespace {

constexpr char kCtrlZ = 26;

// Reads with the exchanges' pattern (let events run, take one character)
// until `done` holds for what arrived, the port closes or time runs out.
template <typename Done>
QByteArray readUntil(QtSerialPort &port, QtClock &clock, Done done, int timeoutMs = 5000)
{
    QByteArray got;
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        clock.processEvents(50);
        for (QByteArray c = port.input(); !c.isEmpty(); c = port.input()) {
            got += c;
            if (done(got)) {
                return got;
            }
        }
        if (!port.portOpen()) {
            break;
        }
    }
    return got;
}

// The header line: from the family letter to the CR after it.
QByteArray headerOf(const QByteArray &received)
{
    const qsizetype start = received.indexOf('K') >= 0 ? received.indexOf('K') : received.indexOf('M');
    if (start < 0) {
        return {};
    }
    const qsizetype end = received.indexOf('\r', start);
    return received.mid(start, end < 0 ? -1 : end - start);
}

bool hasHeaderLine(const QByteArray &got)
{
    return !headerOf(got).isEmpty() && got.indexOf('\r', got.indexOf(headerOf(got).left(1))) >= 0;
}

bool endsWithCtrlZ(const QByteArray &got)
{
    return got.endsWith(kCtrlZ);
}

class SerialPortE2E : public ::testing::Test {
protected:
    void SetUp() override { ensureCoreApplication(); }

    // Opens port 1 at `settings` with one character per read.
    void open(QtSerialPort &port, const QString &settings)
    {
        ASSERT_EQ(port.setCommPort(1), 0);
        ASSERT_EQ(port.setSettings(settings), 0);
        ASSERT_EQ(port.setPortOpen(true), 0) << port.errorText(port.lastError()).toStdString();
        port.setInputLen(1);
    }

    QtClock clock_{1.0};
};

TEST_F(SerialPortE2E, ReadsTheHeaderAtTheUnitsRateAndTheUnitSeesOpenAndClose)
{
    SimHarness sim(
        {"--type", "8", "--serial", "4711", "--mode", "j", "--clock", "03-14-26 09:45", "--readings", "30"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    QtSerialPort port;
    open(port, "115200,N,8,1");
    const QByteArray got = readUntil(port, clock_, hasHeaderLine);
    const QByteArray header = headerOf(got);
    ASSERT_EQ(header.size(), 56) << got.toStdString();
    EXPECT_EQ(header.left(11), "KQAj   4711");
    EXPECT_EQ(header.mid(30, 14), "03-14-26 09:45");
    EXPECT_EQ(header.mid(47, 5), "Vbatt");
    EXPECT_EQ(header.mid(53, 3), "3E8");
    EXPECT_TRUE(got.startsWith("\r\n")) << "the leading character a download discards";
    EXPECT_TRUE(sim.waitForLog("opened", 2000));
    EXPECT_TRUE(sim.waitForLog("rate seen 115200 (matches)", 2000));
    ASSERT_EQ(port.setPortOpen(false), 0);
    EXPECT_TRUE(sim.waitForLog("closed", 2000)) << sim.log().toStdString();
}

TEST_F(SerialPortE2E, AWrongRateGivesGarbageWithoutAnyFamilyLetter)
{
    SimHarness sim({"--type", "MQA-S5", "--readings", "200"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    QtSerialPort port;
    open(port, "115200,N,8,1");
    const QByteArray got = readUntil(port, clock_, [](const QByteArray &g) { return g.size() >= 100; });
    ASSERT_GE(got.size(), 100);
    for (const char c : got) {
        EXPECT_FALSE(c == 'K' || c == 'M' || c == 'k' || c == 'm' || c == '\r');
    }
    EXPECT_TRUE(sim.waitForLog("rate seen 115200, unit sends at 9600: garbage", 2000));
    port.setPortOpen(false);

    // Switching rates (close, reopen at the other rate) restarts the
    // transmission, and nothing sent at the old rate is left over.
    open(port, "9600,N,8,1");
    const QByteArray again = readUntil(port, clock_, hasHeaderLine);
    EXPECT_TRUE(again.startsWith("\r\nKQAa")) << again.left(20).toHex().toStdString();
    EXPECT_TRUE(sim.waitForLog("transmission started", 2000, 2));
}

TEST_F(SerialPortE2E, DtrOnAPseudoTerminalIsHarmless)
{
    SimHarness sim({"--type", "8", "--readings", "10"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    QtSerialPort port;
    open(port, "115200,N,8,1");
    port.setDTREnable(false);
    port.setDTREnable(true);
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(port.lastError(), 0);
    EXPECT_TRUE(hasHeaderLine(readUntil(port, clock_, hasHeaderLine)));
}

TEST_F(SerialPortE2E, AHungUpUnitClosesThePortInsteadOfSpinning)
{
    SimHarness sim({"--type", "8", "--readings", "10"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    QtSerialPort port;
    open(port, "115200,N,8,1");
    const QByteArray got = readUntil(port, clock_, endsWithCtrlZ);
    ASSERT_TRUE(got.endsWith(kCtrlZ));
    sim.stop();
    const double cpuBefore = processCpuSeconds();
    QDeadlineTimer deadline(3000);
    while (port.portOpen() && !deadline.hasExpired()) {
        clock_.processEvents(100);
        port.input();
    }
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.lastError(), SerialError::kHardwareNotAvailable);
    EXPECT_TRUE(port.input().isEmpty());
    EXPECT_LT(processCpuSeconds() - cpuBefore, 0.5);
    EXPECT_EQ(port.output("x"), SerialError::kPortNotOpen);
}

TEST_F(SerialPortE2E, BytesReceivedBeforeAHangUpCanStillBeTaken)
{
    SimHarness sim({"--type", "8", "--readings", "50", "--full-speed"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    QtSerialPort port;
    open(port, "115200,N,8,1");
    ASSERT_TRUE(sim.waitForLog("transmission complete", 3000));
    // Let the bytes reach the port without taking any.
    QDeadlineTimer deadline(3000);
    while (!deadline.hasExpired() && !port.inBufferCount()) {
        clock_.processEvents(50);
    }
    clock_.processEvents(100);
    const int waiting = port.inBufferCount();
    ASSERT_GT(waiting, 0);
    sim.stop();
    for (int i = 0; i < 10; ++i) {
        clock_.processEvents(50);
    }
    EXPECT_EQ(port.lastError(), SerialError::kHardwareNotAvailable) << "the hang-up was seen";
    ASSERT_TRUE(port.portOpen()) << "still open for what had arrived";
    port.setInputLen(0);
    const QByteArray rest = port.input();
    EXPECT_EQ(rest.size(), waiting);
    EXPECT_TRUE(rest.endsWith(kCtrlZ));
    EXPECT_FALSE(port.portOpen());
    EXPECT_TRUE(port.input().isEmpty());
}

TEST_F(SerialPortE2E, OpeningErrorsHaveTheirNumbers)
{
    SimHarness sim({"--type", "8", "--fault", "silence"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    QtSerialPort port;
    open(port, "115200,N,8,1");
    EXPECT_EQ(port.setPortOpen(true), SerialError::kPortAlreadyOpen);
    QtSerialPort second;
    ASSERT_EQ(second.setCommPort(1), 0);
    EXPECT_EQ(second.setPortOpen(true), SerialError::kPortAlreadyOpen) << "in use by another port object";
    port.setPortOpen(false);
    EXPECT_EQ(second.setPortOpen(true), 0) << "free again after the first closed it";
    second.setPortOpen(false);

    qputenv("RDX600_COM7", "/dev/rdx600-no-such-device");
    QtSerialPort missing;
    ASSERT_EQ(missing.setCommPort(7), 0);
    EXPECT_EQ(missing.setPortOpen(true), SerialError::kInvalidPortNumber);
    qunsetenv("RDX600_COM7");
}

TEST_F(SerialPortE2E, DownloadStreamHasTenReadingsPerLineAndOneCtrlZ)
{
    SimHarness sim({"--type", "8", "--readings", "95", "--full-speed"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    QtSerialPort port;
    open(port, "115200,N,8,1");
    port.setEOFEnable(true);
    const QByteArray got = readUntil(port, clock_, endsWithCtrlZ);
    ASSERT_TRUE(got.endsWith(kCtrlZ));
    EXPECT_EQ(got.count(kCtrlZ), 1);
    const qsizetype marker = got.indexOf("\r\nT: ");
    ASSERT_EQ(marker, 2 + 56) << "the marker starts the line after the header";
    const QList<QByteArray> lines = got.mid(marker + 5).chopped(1).split('\n');
    ASSERT_EQ(lines.size(), 10);
    int readings = 0;
    for (const QByteArray &line : lines) {
        const auto values = line.simplified().split(' ');
        readings += static_cast<int>(values.size());
        for (const QByteArray &v : values) {
            bool ok = false;
            v.toInt(&ok);
            EXPECT_TRUE(ok) << v.toStdString();
        }
    }
    EXPECT_EQ(readings, 95);
    EXPECT_EQ(lines.first().simplified().split(' ').size(), 10);
}

TEST_F(SerialPortE2E, FaultsShowInTheStream)
{
    {
        SimHarness sim({"--type", "8", "--readings", "40", "--fault", "bad-chars,double-ctrlz,low-battery",
                        "--full-speed"});
        ASSERT_TRUE(sim.started());
        QtSerialPort port;
        open(port, "115200,N,8,1");
        const QByteArray got =
            readUntil(port, clock_, [](const QByteArray &g) { return g.count(kCtrlZ) == 2; });
        EXPECT_TRUE(got.startsWith("\r\nkQAa"));
        EXPECT_EQ(got.count('A'), 2) << "the units letter and one stray character";
        EXPECT_TRUE(got.endsWith(QByteArray(2, kCtrlZ)));
    }
    {
        SimHarness sim({"--type", "8", "--readings", "400", "--fault", "stop-after=100"});
        ASSERT_TRUE(sim.started());
        QtSerialPort port;
        open(port, "115200,N,8,1");
        const QByteArray got = readUntil(port, clock_, endsWithCtrlZ, 1500);
        EXPECT_EQ(got.size(), 100);
        EXPECT_TRUE(sim.waitForLog("stopped after 100 bytes (fault)", 1000));
    }
    {
        SimHarness sim({"--type", "8", "--family", "KPA", "--fault", "no-ctrlz", "--readings", "20"});
        ASSERT_TRUE(sim.started());
        QtSerialPort port;
        open(port, "115200,N,8,1");
        const QByteArray got = readUntil(port, clock_, endsWithCtrlZ, 1500);
        EXPECT_EQ(headerOf(got).left(3), "KPA");
        EXPECT_EQ(got.count(kCtrlZ), 0);
        EXPECT_TRUE(sim.waitForLog("transmission complete", 1000));
    }
}

TEST_F(SerialPortE2E, InitializationExchangeChangesModeAndClock)
{
    SimHarness sim({"--type", "7", "--mode", "a", "--readings", "600", "--init-delay", "200"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    QtSerialPort port;
    open(port, "9600,N,8,1");
    ASSERT_TRUE(hasHeaderLine(readUntil(port, clock_, hasHeaderLine)));
    clock_.delay(200);
    ASSERT_EQ(port.output(QByteArray(1, '\t')), 0);
    const QByteArray answer = readUntil(port, clock_, [](const QByteArray &g) { return g.endsWith("INIT"); });
    ASSERT_TRUE(answer.endsWith("INIT"));
    clock_.delay(500);
    ASSERT_EQ(port.output("01-15-26 10:30 b1\r"), 0);
    // Everything up to the read-back header is skipped, as the program does.
    const QByteArray back = readUntil(port, clock_, endsWithCtrlZ);
    const QByteArray header = headerOf(back);
    EXPECT_EQ(header.left(4), "KQAh") << "5-minute min/max/avg, continuous";
    EXPECT_EQ(header.mid(30, 14), "01-15-26 10:30");
    EXPECT_TRUE(sim.waitForLog("initialized: mode h", 1000));
    port.setPortOpen(false);

    // The next connection reports the new settings and an empty memory.
    open(port, "9600,N,8,1");
    const QByteArray next = readUntil(port, clock_, endsWithCtrlZ);
    EXPECT_EQ(headerOf(next).left(4), "KQAh");
    EXPECT_TRUE(next.endsWith("T: \x1a"));
}

TEST_F(SerialPortE2E, NonS5UnitWaitsForTheCableAfterTheOpen)
{
    // The simulator scales its delays by RDX600_TIME_SCALE: measure at real time.
    const QByteArray scale = qgetenv("RDX600_TIME_SCALE");
    qunsetenv("RDX600_TIME_SCALE");
    const auto restore = qScopeGuard([&scale] {
        if (!scale.isEmpty()) {
            qputenv("RDX600_TIME_SCALE", scale);
        }
    });
    SimHarness sim({"--type", "KPA50/60", "--readings", "10", "--cable-delay", "400"});
    ASSERT_TRUE(sim.started());
    QtSerialPort port;
    open(port, "9600,N,8,1");
    const qint64 t0 = clock_.elapsedMs();
    const QByteArray first = readUntil(port, clock_, [](const QByteArray &g) { return !g.isEmpty(); });
    EXPECT_GE(clock_.elapsedMs() - t0, 350);
    const QByteArray rest = readUntil(port, clock_, hasHeaderLine);
    EXPECT_EQ(headerOf(first + rest).left(3), "KPA");
}

// A receive loop waiting on a silent unit must sleep in the event loop, not
// spin: measured over 2 s, it may use at most 5 % of one core.
TEST_F(SerialPortE2E, IdleWaitOnASilentPortCostsLittleCpu)
{
    SimHarness sim({"--type", "8", "--fault", "silence"});
    ASSERT_TRUE(sim.started());
    QtSerialPort port;
    open(port, "115200,N,8,1");
    const double before = processCpuSeconds();
    const qint64 t0 = clock_.elapsedMs();
    long reads = 0;
    while (clock_.elapsedMs() - t0 < 2000) {
        clock_.processEvents(100);
        reads += port.input().isEmpty() ? 1 : 0;
    }
    const double used = processCpuSeconds() - before;
    const double share = used / 2.0;
    std::cout << "[ figure ] idle wait: " << used * 1000.0 << " ms CPU in 2 s (" << share * 100.0
              << " % of one core, " << reads << " polls)\n";
    RecordProperty("idle_cpu_percent", std::to_string(share * 100.0));
    EXPECT_LT(share, 0.05);
    EXPECT_TRUE(port.portOpen());
}

} // namespace
