#include "cli_fixture.h"
#include "platform/qt_settings_store.h"
#include "recording/calc_date.h"
#include "reports/open_recording.h"
#include "support/recording_files.h"
#include "support/test_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

RecordingFileContent recording(const QString &mode, const QStringList &values)
{
    RecordingFileContent s;
    s.mode = mode;
    s.values = values;
    return s;
}

} // namespace

TEST_F(CliTest, SummaryPrintsBothPanelsOfEachRecording)
{
    const QString a = write("a.dat", recording("a", {"30", "20", "10", "40"}));
    const QString b = write("b.dat", recording("a", {"1.5", "2.5"}));
    const CliRun r = run({"summary", a, b});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    const auto panels = [](const QString &name, int count, const QString &range, const QString &start,
                           const QString &min, const QString &max) {
        return "    File:     " + name.leftJustified(24) + QString(13, ' ') + QString::number(count) +
               QString("  Values").leftJustified(29) + "Ser. 1234\n" + "     Mode:    a Average" +
               QString(8, ' ') + "Cont" + QString(9, ' ') + "15 min interval" + QString(18, ' ') + range +
               "  Range\n" + "    Entire File:  Start:  " + start.leftJustified(50) +
               "End:  10:00  Mar 15, 26\n" + "                       Min: " + min +
               QString(" A").leftJustified(59) + " Max: " + max + QString(" A").leftJustified(59) + "\n" +
               "Loc:    \nName: \nCirc:    \nOther: \n";
    };
    const QString expected = panels("a.dat", 4, "HIGH", "09:15  Mar 15, 26", "10", "40") +
                             panels("b.dat", 2, "LOW", "09:45  Mar 15, 26", "1.5", "2.5");
    EXPECT_EQ(r.out, expected);
}

TEST_F(CliTest, MessagesGoToStandardErrorWithStatusOne)
{
    const QString a = write("a.dat", recording("a", {"1"}));
    const QString g = write("g.dat", recording("g", {"1", "2", "3"}));
    CliRun r = run({"summary", tp.path("missing.dat"), a, g});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "File not found\nrdx600-cli: not opened: " + tp.path("missing.dat") +
                         "\nMode mixing not allowed\nrdx600-cli: not opened: " + g + "\n");
    EXPECT_TRUE(r.out.startsWith("    File:     a.dat"));
    EXPECT_EQ(r.out.count("    File:     "), 1);

    r = run({"summary", a, a, a, a});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("three recordings"));
    EXPECT_EQ(r.out.count("    File:     "), 3);

    const QString big = write("big.dat", recording("a", {"5000"}));
    r = run({"summary", big});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error in processing file\nrdx600-cli: not opened: " + big + "\n");
    EXPECT_EQ(r.out, "");

    EXPECT_EQ(run({"summary"}).exitCode, 2);
    EXPECT_EQ(run({"time", a, "x"}).exitCode, 2);
    EXPECT_TRUE(run({"frobnicate"}).err.startsWith("usage:"));
}

// A subcommand given several files names the one it failed on, whichever
// the failure: the reader's, the power's or the export's.
TEST_F(CliTest, SeveralFilesNameTheOneThatFailed)
{
    const QString a = write("a.dat", recording("a", {"1", "2"}));
    const QString five = write("five.dat", recording("b", {"1", "2"}));
    RecordingFileContent volts = recording("a", {"120", "121"});
    volts.family = "KLV";
    const QString v = write("v.dat", volts);
    const QString missing = tp.path("missing.dat");
    const QString dir = tp.files.path();
    struct Case {
        QStringList args;
        QString line;
    };
    for (const Case &c : {
             Case{{"power", "--volts", "480", a, missing}, "rdx600-cli: not opened: " + missing},
             Case{{"power", "--volts", "480", a, v}, "rdx600-cli: not a current recording: " + v},
             Case{{"export", "csv", "--volts", "480", "--dir", dir, a, five},
                  "rdx600-cli: not opened: " + five},
             Case{{"export", "csv", "--volts", "480", "--dir", dir, five},
                  "rdx600-cli: not a 15-minute average recording: " + five},
         }) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.endsWith(c.line + "\n")) << r.err.toStdString();
    }
}

TEST_F(CliTest, HelpAndVersionGoToStandardOutput)
{
    for (const QStringList &args : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"export", "--help"},
                                    QStringList{"--version"}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, "");
        EXPECT_TRUE(
            r.out.startsWith(args.contains("--version") ? "rdx600-cli Version " : "usage: rdx600-cli"))
            << r.out.toStdString();
    }
    EXPECT_EQ(run({"--version", "extra"}).exitCode, 2);
}

TEST_F(CliTest, TimeStampOfAValueIndex)
{
    const QString a = write("a.dat", recording("a", {"30", "20", "10", "40"}));
    EXPECT_EQ(run({"time", a, "0"}).out, "09:15  Mar 15, 26\n");
    EXPECT_EQ(run({"time", a, "3"}).out, "10:00  Mar 15, 26\n");
    EXPECT_EQ(run({"time", a, "-4"}).out, "08:15  Mar 15, 26\n");
    const QString m = write("m.dat", recording("h", {"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(run({"time", m, "4"}).out, "09:57  Mar 15, 26\n");
    const CliRun far = run({"time", a, "-1000000000"});
    EXPECT_EQ(far.exitCode, 1);
    EXPECT_EQ(far.out, "");
    EXPECT_EQ(far.err.count('\n'), 1);
}

TEST_F(CliTest, SaveAsWritesARangeThatReadsBack)
{
    QStringList values;
    for (int v = 20; v >= 1; --v) {
        values << QString::number(v) + ".5";
    }
    const QString a = write("a.dat", recording("a", values));
    const QString out = tp.path("part.dat");
    const CliRun r = run({"save-as", a, "5", "14", out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();

    Program &p = tp.p();
    ASSERT_TRUE(openRecordingFile(p, a));
    ASSERT_TRUE(openRecordingFile(p, out));
    EXPECT_EQ(p.rec.gInfo[1][kColLast].number(), 9);
    EXPECT_EQ(p.rec.gInfo[1][kColRange].text(), "LOW");
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(p.rec.gValues[1][i], p.rec.gValues[0][i + 5]) << i;
    }
    // Value index 5 of the source starts the saved range.
    p.rec.ginx = 0;
    EXPECT_EQ(p.rec.gInfo[1][kColStart].text(), calcDate("a", p.rec.gInfo[0][kColStart].text(), 5));

    const CliRun bad = run({"save-as", a, "0", "3", tp.path("no/such/dir/x.dat")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "   File save error.  Disk may be write  \n  protected or full.  Correct and retry\n" +
                           tp.path("no/such/dir/x.dat") + "\n");
}

TEST_F(CliTest, RecentFilesGoToTheNamedSettingsFile)
{
    const QString a = write("a.dat", recording("a", {"1"}));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString ini = tp.path("cli.ini");
    env.insert("RDX600_CLI_SETTINGS", ini);
    EXPECT_EQ(run({"summary", a}, env).exitCode, 0);
    QtSettingsStore store(ini);
    EXPECT_EQ(store.get("Settings", "mrufile1"), a);
}

TEST_F(CliTest, TidyExportIsOneTableOfEveryRecording)
{
    RecordingFileContent a;
    a.values = {"30", "20", "10"}; // newest first: 10.0 at 09:30 .. 30.0 at 10:00
    RecordingFileContent b;
    b.stamp = "03-15-26 10:15";
    b.values = {"5.5", "6.5"}; // 6.5 at 10:00, 5.5 at 10:15
    const QString fileA = write("a.dat", a);
    const QString fileB = write("b.dat", b);
    const CliRun run1 = run({"export", "tidy", fileA, fileB});
    EXPECT_EQ(run1.exitCode, 0) << run1.err.toStdString();
    EXPECT_EQ(run1.out, "time,a.dat (A),b.dat (A)\r\n"
                        "2026-03-15T09:30:00,10.0,\r\n"
                        "2026-03-15T09:45:00,20.0,\r\n"
                        "2026-03-15T10:00:00,30.0,6.5\r\n"
                        "2026-03-15T10:15:00,,5.5\r\n");

    // A min/max/avg recording gives three columns, at the times the program
    // shows for its intervals everywhere; a comma in a name is quoted.
    RecordingFileContent m;
    m.mode = "g";
    m.family = "KLV";
    m.values = {"10", "20", "15", "-1.5", "-0.5", "-1"};
    const QString fileM = write("feeder, \"north\".dat", m);
    const QString out = tp.path("tidy.csv");
    const CliRun run2 = run({"export", "tidy", fileM, "--out", out});
    EXPECT_EQ(run2.exitCode, 0) << run2.err.toStdString();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).toStdString(),
              "time,\"feeder, \"\"north\"\".dat average (V)\",\"feeder, \"\"north\"\".dat maximum (V)\","
              "\"feeder, \"\"north\"\".dat minimum (V)\"\r\n"
              "2026-03-15T09:35:00,-1.0,-0.5,-1.5\r\n"
              "2026-03-15T09:50:00,15.0,20.0,10.0\r\n");

    // Two files of the same name in two folders: two columns told apart.
    ASSERT_TRUE(QDir().mkpath(tp.path("north")) && QDir().mkpath(tp.path("south")));
    const CliRun run3 =
        run({"export", "tidy", write("north/feed.dat", a), write("south/feed.dat", a), fileB});
    EXPECT_TRUE(run3.out.startsWith("time,north/feed.dat (A),south/feed.dat (A),b.dat (A)\r\n"))
        << run3.out.toStdString();

    EXPECT_EQ(run({"export", "tidy"}).exitCode, 2);
    EXPECT_EQ(run({"export", "tidy", fileA, "--bogus"}).exitCode, 2);
    EXPECT_EQ(run({"export", "tidy", tp.path("missing.dat")}).exitCode, 1);
}
