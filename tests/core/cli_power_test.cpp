// rdx600-cli table, power and export, run as a user would.
#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "shell/commands.h"
#include "shell/startup.h"
#include "support/recording_files.h"
#include "support/test_program.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class CliPowerTest : public ::testing::Test {
protected:
    CliRun cli(const QStringList &args)
    {
        QProcess proc;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("RDX600_CLI_SETTINGS", dir.filePath("cli.ini"));
        proc.setProcessEnvironment(env);
        proc.start(RDX600_CLI_PATH, args);
        EXPECT_TRUE(proc.waitForFinished(30000));
        return {proc.exitCode(), QString::fromLatin1(proc.readAllStandardOutput()),
                QString::fromLatin1(proc.readAllStandardError())};
    }
    // A 15-minute high-range current recording, values oldest first.
    QString recording(const QString &name, const QStringList &oldestFirst, const QString &family = "KLA",
                      const QString &stamp = "03-15-26 10:00")
    {
        RecordingFileContent c;
        c.family = family;
        c.stamp = stamp;
        for (const QString &v : oldestFirst) {
            c.values.prepend(v);
        }
        EXPECT_TRUE(writeRecording(dir.filePath(name), c));
        return dir.filePath(name);
    }
    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(CliPowerTest, TablePrintsTheHeadingThenTheTable)
{
    const CliRun r = cli({"table", recording("a.dat", {"10", "20", "30"})});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, " Time     Date                            Eight readings of average  \n"
                     " 09:30  Mar 15, 26         010       020       030   \n");
}

TEST_F(CliPowerTest, PowerPrintsTheSummaryAndThePowerTable)
{
    // 10 + 1, 20 + 2, 30 + 3 A at 1 kV.
    const CliRun r = cli({"power", "--volts", "1000", "--pf", "1", recording("a.dat", {"10", "20", "30"}),
                          recording("b.dat", {"1", "2", "3"})});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 13); // 12 lines and nothing after the last line end
    EXPECT_TRUE(lines[0].startsWith("    File:     a.dat")) << r.out.toStdString();
    EXPECT_TRUE(lines[1].startsWith("    File:     b.dat"));
    EXPECT_EQ(lines[4], "         Min: 11.0 KW                                      Max: 33.0 KW    ");
    EXPECT_EQ(lines[5], "Line Voltage: 1000   Total Energy In Displayed Area: 14 KWHR  Power Factor: 1   ");
    EXPECT_EQ(lines[6], "Loc:    ");
    EXPECT_TRUE(r.out.endsWith(" Time     Date               Eight readings of average power in KW        \n"
                               "09:30  Mar 15, 26       0011    0022    0033   \n"))
        << r.out.toStdString();
}

TEST_F(CliPowerTest, WrongUsageAndRefusals)
{
    const QString a = recording("a.dat", {"10", "20"});
    for (const QStringList &args :
         {QStringList{"power", a}, QStringList{"power", "--volts", "480"},
          QStringList{"power", "--volts", "480", "--pf", "x", a},
          QStringList{"power", "--volts", "480", "--dir", "/tmp", a}, QStringList{"table"},
          QStringList{"export", "bogus", a}, QStringList{"export"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("usage:")) << args.join(' ').toStdString();
    }
    const QString v = recording("v.dat", {"120", "121"}, "KLV");
    const CliRun volts = cli({"power", "--volts", "480", v});
    EXPECT_EQ(volts.exitCode, 1);
    EXPECT_EQ(volts.err,
              "Files must all be amps for power to plot\nrdx600-cli: not a current recording: " + v + "\n");
    EXPECT_EQ(volts.out, "");
}

TEST_F(CliPowerTest, ExportsBesideTheRecording)
{
    const QString a = recording("feeder.dat", {"10", "20", "30"});
    CliRun r = cli({"export", "table", a});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read(dir.filePath("feeder.prn")),
              " Time     Date                            Eight readings of average  \r\n"
              " 09:30  Mar 15, 26         010       020       030   \r\n"
              "\r\n");
    EXPECT_EQ(r.err, QDir::toNativeSeparators(dir.filePath("feeder.prn")) + " saved OK\n");

    r = cli({"export", "per-line", a});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read(dir.filePath("feeder.prn")), "yy mm dd hh mm Reading\r\n"
                                                "26 03 15 09 30 010\r\n"
                                                "26 03 15 09 45 020\r\n"
                                                "26 03 15 10 00 030\r\n"
                                                "\r\n"
                                                "\r\n");
}

TEST_F(CliPowerTest, PowerExportsIntoTheFolderGiven)
{
    // 20 values from 21:15: values 11..14 are 00:00..00:45, 15..18 the next hour.
    QStringList values;
    for (int i = 0; i < 20; ++i) {
        values << QString::number(100 + i);
    }
    const QString a = recording("feeder.dat", values, "KLA", "03-16-26 02:00");
    const QString out = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));

    CliRun r = cli({"export", "csv", "--volts", "1000", "--dir", out, a});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(read(out + "/Lotusint.csv").startsWith(" 21:15  Mar 15, 26, 0100 ,   0101 ,  "));

    r = cli({"export", "interchange", "--volts", "1000", "--pf", "0.9", "--id", "FEEDER-7", "--dir", out, a});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = QString::fromLatin1(read(out + "/Lotusint.prn")).split("\r\n");
    ASSERT_EQ(lines.size(), 5); // header, two hours, the line end after the text, and nothing
    // (111 + 112 + 113 + 114) / 4 x 0.9 = 101.25 kW; kvar 101.25 / 0.9 x 0.43589 = 49.04.
    EXPECT_EQ(lines[1].trimmed().toStdString(),
              "\"FEEDER-7      \",260316,0100,60,\"   KW\",       101,        49,         0,         0");
    EXPECT_TRUE(lines[2].startsWith("\"FEEDER-7      \",260316,0200,60,"));

    // A folder that cannot take the file: one message naming the path, exit 1.
    r = cli({"export", "csv", "--volts", "1000", "--dir", dir.filePath("missing"), a});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("The file could not be written:\n" +
                                 QDir::toNativeSeparators(dir.filePath("missing/Lotusint.csv"))))
        << r.err.toStdString();
}

// The menu commands and rdx600-cli take the span and its first time from the
// same recording (the first opened), whichever was opened last: with two
// recordings that start at different times both write the same bytes.
TEST_F(CliPowerTest, ProgramAndCommandLineWriteTheSameBytes)
{
    // a.dat: 200 values to 10:00 on the 17th; b.dat: 150 values to 14:00 on
    // the 17th, so it starts 18 hours after a.dat.
    QStringList first;
    QStringList second;
    for (int i = 0; i < 200; ++i) {
        first << QString::number(100 + i % 37);
        second << QString::number(50 + i % 11);
    }
    const QString a = recording("a.dat", first, "KLA", "03-17-26 10:00");
    const QString b = recording("b.dat", second.mid(0, 150), "KLA", "03-17-26 14:00");
    const QString programDir = dir.filePath("program");
    const QString cliDir = dir.filePath("cli");
    ASSERT_TRUE(QDir().mkpath(programDir) && QDir().mkpath(cliDir));

    TestProgram tp;
    Program &p = tp.p();
    loadStartupValues(p.splash, QDir::currentPath());
    initialiseProgram(p);
    mainWindowLoad(p);
    installCommands(p);
    tp.settings.store.save("Directory", "default", programDir);
    tp.dialogs.openAnswers = {a, b};
    ASSERT_TRUE(p.runCommand(menu::kItemOpen));
    ASSERT_TRUE(p.runCommand(menu::kItemOpen));
    ASSERT_EQ(p.rec.ginx, 1); // the last opened
    tp.dialogs.inputAnswers = {"1000", "FEEDER-7"};
    ASSERT_TRUE(p.runCommand(menu::kItemViewPower));
    ASSERT_TRUE(p.runCommand(menu::kItemViewPwrTable));
    const QString shownTable = QString(p.view.Header1.text + "\r\n" + p.report.gTable).replace("\r\n", "\n");
    ASSERT_TRUE(p.runCommand(menu::kItemexpdatacsv));
    ASSERT_TRUE(p.runCommand(menu::kItemViewPwrTable));
    ASSERT_TRUE(p.runCommand(menu::kItemexprep));

    const CliRun power = cli({"power", "--volts", "1000", a, b});
    EXPECT_EQ(power.exitCode, 0) << power.err.toStdString();
    EXPECT_TRUE(power.out.endsWith(shownTable)) << shownTable.left(300).toStdString();
    EXPECT_TRUE(shownTable.contains("\n08:15  Mar 15, 26 ")) << shownTable.left(300).toStdString();
    EXPECT_EQ(cli({"export", "csv", "--volts", "1000", "--dir", cliDir, a, b}).exitCode, 0);
    EXPECT_EQ(
        cli({"export", "interchange", "--volts", "1000", "--id", "FEEDER-7", "--dir", cliDir, a, b}).exitCode,
        0);
    for (const char *name : {"Lotusint.csv", "Lotusint.prn"}) {
        const QByteArray written = read(programDir + "/" + name);
        EXPECT_GT(written.size(), 400) << name;
        EXPECT_EQ(written, read(cliDir + "/" + name)) << name;
    }
}

} // namespace
