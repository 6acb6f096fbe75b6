// The simulated instrument itself: layouts, replay of a recording, stopped
// units, options and its lifetime.
#include "sim_harness.h"

#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr char kCtrlZ = 26;

// Everything one connection delivers up to the Ctrl-Z (or 5 s).
QByteArray download(const QString &settings)
{
    QtClock clock(1.0);
    QtSerialPort port;
    port.setCommPort(1);
    port.setSettings(settings);
    if (port.setPortOpen(true) != 0) {
        return {};
    }
    port.setInputLen(0);
    QByteArray got;
    QDeadlineTimer deadline(5000);
    while (!got.endsWith(kCtrlZ) && !deadline.hasExpired() && port.portOpen()) {
        clock.processEvents(50);
        got += port.input();
    }
    port.setPortOpen(false);
    return got;
}

QByteArray headerLine(const QByteArray &got)
{
    const qsizetype start = got.indexOf("\r\n") + 2;
    return got.mid(start, got.indexOf('\r', start) - start);
}

class InstrumentSim : public ::testing::Test {
protected:
    void SetUp() override { ensureCoreApplication(); }
};

TEST_F(InstrumentSim, OlderLayoutCarriesTheNewestTimeAndNoMarker)
{
    SimHarness sim({"--type", "KPA10/20", "--mode", "a", "--clock", "01-02-26 10:00", "--readings", "8",
                    "--full-speed", "--cable-delay", "0"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    const QByteArray got = download("9600,N,8,1");
    const QByteArray header = headerLine(got);
    ASSERT_EQ(header.size(), 60) << got.toStdString();
    EXPECT_EQ(header.left(4), "KPAa");
    EXPECT_EQ(header.mid(30, 14), "01-02-26 10:00");
    EXPECT_EQ(header.mid(46, 14), "01-02-26 12:00") << "8 readings of 15 minutes later";
    EXPECT_EQ(got.indexOf("T:"), -1);
    EXPECT_EQ(got.mid(2 + 60 + 2).chopped(1).simplified().split(' ').size(), 8);
}

TEST_F(InstrumentSim, AFullStopWhenFullUnitReportsItselfStopped)
{
    SimHarness sim(
        {"--type", "KPA10/20", "--layout", "t", "--mode", "d", "--readings", "2091", "--full-speed"});
    ASSERT_TRUE(sim.started());
    const QByteArray got = download("9600,N,8,1");
    EXPECT_EQ(headerLine(got).mid(3, 1), "D");
    EXPECT_EQ(got.mid(2 + 56 + 2, 3), "T: ");
}

TEST_F(InstrumentSim, ReplaysARecordingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rec.dat");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"\r\n\n\nMQVg   0815                   06-01-25 08:15   Vbatt 064\r\n"
                "T: 118 122 120 117 121 119 \r\n\x1a\"\r\n");
    }
    SimHarness sim({"--type", "4", "--recording", path, "--full-speed"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    const QByteArray got = download("9600,N,8,1");
    const QByteArray header = headerLine(got);
    EXPECT_EQ(header.left(11), "MQVg   0815");
    EXPECT_EQ(header.mid(30, 14), "06-01-25 08:15");
    // The file's own line of six readings, with its line end.
    EXPECT_TRUE(got.endsWith("T: 118 122 120 117 121 119 \r\n\x1a")) << got.toStdString();
}

TEST_F(InstrumentSim, ReadingsPerLineAndAShortLine)
{
    SimHarness sim(
        {"--type", "8", "--readings", "40", "--per-line", "8", "--fault", "short-line", "--full-speed"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    const QByteArray got = download("115200,N,8,1");
    const QList<QByteArray> lines = got.mid(got.indexOf("T: ") + 3).split('\n');
    ASSERT_EQ(lines.size(), 6);
    QList<qsizetype> counts;
    for (const QByteArray &line : lines) {
        counts << QByteArray(line).replace(kCtrlZ, QByteArray()).simplified().split(' ').size();
    }
    // 40 readings: 8, one fewer on the second line, 8, 8, 8 and the last one.
    EXPECT_EQ(counts, QList<qsizetype>({8, 7, 8, 8, 8, 1}));
    EXPECT_TRUE(got.endsWith(kCtrlZ));
}

TEST_F(InstrumentSim, TheGeneratedProfileDependsOnlyOnSeedAndClock)
{
    auto run = [](const char *seed) {
        SimHarness sim({"--type", "8", "--mode", "h", "--clock", "05-04-26 00:00", "--readings", "300",
                        "--seed", seed, "--full-speed"});
        return sim.started() ? download("115200,N,8,1") : QByteArray();
    };
    const QByteArray first = run("7");
    ASSERT_TRUE(first.endsWith(kCtrlZ));
    EXPECT_EQ(run("7"), first);
    EXPECT_NE(run("8"), first);
    // Min/max/avg: each interval sends minimum, maximum, average.
    const auto values = first.mid(first.indexOf("T: ") + 3).chopped(1).simplified().split(' ');
    ASSERT_EQ(values.size(), 300);
    for (qsizetype i = 0; i + 2 < values.size(); i += 3) {
        const int lo = values[i].toInt(), hi = values[i + 1].toInt(), avg = values[i + 2].toInt();
        EXPECT_LE(lo, avg) << i;
        EXPECT_LE(avg, hi) << i;
    }
}

TEST_F(InstrumentSim, IgnoresTextThatIsNoInitializationString)
{
    SimHarness sim({"--type", "8", "--readings", "10", "--init-delay", "0"});
    ASSERT_TRUE(sim.started());
    QtClock clock(1.0);
    QtSerialPort port;
    port.setCommPort(1);
    port.setSettings("115200,N,8,1");
    ASSERT_EQ(port.setPortOpen(true), 0);
    ASSERT_TRUE(sim.waitForLog("transmission complete", 2000));
    port.output("\t");
    ASSERT_TRUE(sim.waitForLog("TAB received", 2000));
    // The unit listens once it has answered the TAB.
    ASSERT_TRUE(sim.waitForLog("initialization answer complete", 2000));
    port.output("13-45-26 99:99 b1\r");
    EXPECT_TRUE(sim.waitForLog("not an initialization string: ignored", 2000)) << sim.log().toStdString();
    EXPECT_EQ(sim.countInLog("initialized:"), 0);
    // A valid one afterwards still works.
    port.output("\t");
    ASSERT_TRUE(sim.waitForLog("initialization answer complete", 2000, 2));
    port.output("02-03-26 04:05 c0\r");
    EXPECT_TRUE(sim.waitForLog("initialized: mode c, clock 02-03-26 04:05", 2000)) << sim.log().toStdString();
}

TEST_F(InstrumentSim, RejectsBadOptionsAndDocumentsEveryOption)
{
    QProcess p;
    p.start(SimHarness::program(), {"--mode", "ab"});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("one letter"));

    p.start(SimHarness::program(), {"--fault", "thunder"});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 2);

    p.start(SimHarness::program(), {"--help"});
    ASSERT_TRUE(p.waitForFinished(5000));
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    for (const char *option :
         {"--type",       "--family",      "--serial",     "--mode",      "--stopped", "--clock",
          "--battery",    "--no-battery",  "--rate",       "--s5",        "--non-s5",  "--readings",
          "--recording",  "--seed",        "--layout",     "--low-range", "--peak",    "--fault",
          "--full-speed", "--cable-delay", "--init-delay", "--path-file", "--log",     "--exit-with-parent",
          "--per-line",   "unplug-after=", "short-line",   "stop-after="}) {
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    }
}

TEST_F(InstrumentSim, EndsWithItsParent)
{
    QTemporaryDir dir;
    const QString pathFile = dir.filePath("path");
    const QString logFile = dir.filePath("log");
    QProcess parent;
    // A shell that starts the simulator and ends shortly after.
    parent.start("/bin/sh",
                 {"-c", QStringLiteral("'%1' --exit-with-parent --path-file '%2' --log '%3' & sleep 0.5")
                            .arg(SimHarness::program(), pathFile, logFile)});
    ASSERT_TRUE(parent.waitForFinished(5000));
    QDeadlineTimer deadline(3000);
    QByteArray log;
    while (!log.contains("exit") && !deadline.hasExpired()) {
        QFile f(logFile);
        if (f.open(QIODevice::ReadOnly)) {
            log = f.readAll();
        }
        QThread::msleep(20);
    }
    EXPECT_TRUE(log.contains("exit")) << log.toStdString();
    QFile f(pathFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("/dev/pts/"));
}

} // namespace
