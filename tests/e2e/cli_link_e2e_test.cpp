// rdx600-cli status and download against rdx600-sim, as a script would run
// them: the answers come from the options, messages go to standard error.
#include "sim_harness.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class CliLinkE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        qputenv("RDX600_TIME_SCALE", "0.05");
        cli = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath())
                  .dir()
                  .filePath(QStringLiteral("../rdx600-cli"));
        if (!QFile::exists(cli)) {
            GTEST_SKIP() << "no rdx600-cli beside the tests";
        }
    }
    void TearDown() override { qunsetenv("RDX600_TIME_SCALE"); }
    CliRun run(const QStringList &args)
    {
        QProcess proc;
        proc.start(cli, args);
        EXPECT_TRUE(proc.waitForFinished(60000));
        return {proc.exitCode(), QString::fromUtf8(proc.readAllStandardOutput()),
                QString::fromUtf8(proc.readAllStandardError())};
    }
    QString out(const QString &name) const { return dir.filePath(name); }

    QString cli;
    QTemporaryDir dir;
};

TEST_F(CliLinkE2E, StatusPrintsTheStatusText)
{
    SimHarness sim({"--type", "8", "--serial", "4711", "--mode", "j", "--clock", "03-14-26 09:45"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    const CliRun r = run({"status", "--port", "1", "--type", "8"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, " Type: KQA    Serial Number 4711\n"
                     " Mode setting:  j    Min/Max/Avg  Stop   15 min \n"
                     " Time On: 09:45 Mar 14, 26     Condition: Running\n"
                     "Vbatt = 3.806 volts\n");
}

TEST_F(CliLinkE2E, DownloadSavesTheRecording)
{
    SimHarness sim({"--type", "7", "--readings", "600"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    const CliRun r = run({"download", "--port", "1", "--type", "11", out("a.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_TRUE(QFile::exists(out("a.dat")));
    const CliRun summary = run({"summary", out("a.dat")});
    EXPECT_TRUE(summary.out.contains("600  Values")) << summary.out.toStdString();
}

TEST_F(CliLinkE2E, DamagedDownloadIsSavedOnlyWhenAsked)
{
    SimHarness sim({"--type", "8", "--readings", "300", "--fault", "bad-chars"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    CliRun r = run({"download", "--port", "1", "--type", "8", out("d.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Downloaded data has the following error(s):")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out("d.dat")));
    r = run({"download", "--port", "1", "--type", "8", "--save-damaged", out("d.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(out("d.dat")));
    EXPECT_TRUE(r.out.contains("Instrument Information from download")) << r.out.toStdString();
}

TEST_F(CliLinkE2E, DamagedRecoveryIsSavedOnlyWhenAsked)
{
    SimHarness sim({"--type", "8", "--mode", "D", "--readings", "300", "--fault", "bad-chars"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    CliRun r = run({"recover", "--port", "1", "--type", "8", out("r.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Do you want to save this file anyway?")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out("r.dat")));
    r = run({"recover", "--port", "1", "--type", "8", "--save-damaged", out("r.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(out("r.dat")));
}

TEST_F(CliLinkE2E, StoppedOlderUnitNeedsTheFieldInitialization)
{
    SimHarness sim({"--type", "2", "--layout", "old", "--mode", "E", "--readings", "200"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    CliRun r = run({"download", "--port", "1", "--type", "2", out("s.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("--field-init")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out("s.dat")));
    r = run({"download", "--port", "1", "--type", "2", "--field-init", "12-01-26 09:00", out("s.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(out("s.dat")));
}

TEST_F(CliLinkE2E, SilentUnitIsGivenUpAndWrongUsageRefused)
{
    SimHarness sim({"--type", "8", "--fault", "silence"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    CliRun r = run({"download", "--port", "1", "--type", "8", out("q.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("the download was cancelled")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out("q.dat")));
    for (const QStringList &args :
         {QStringList{"download", "--port", "1"},
          QStringList{"download", "--port", "1", "--field-init", "13-01-26 09:00", "x.dat"},
          QStringList{"status"}, QStringList{"download", "--port", "1", "--type", "15", "x"}}) {
        r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("usage: rdx600-cli"));
    }
}

} // namespace
