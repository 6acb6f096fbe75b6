// rdx600-cli validate as a process: the counts line, the report texts and the
// exit status on recording files and raw captures.
#include "cli_fixture.h"

namespace {

RecordingFileContent recording(const QStringList &values, bool tMarker = true)
{
    RecordingFileContent c;
    c.values = values;
    c.tMarker = tMarker;
    return c;
}

class CliValidateTest : public CliTest {
protected:
    QString raw(const QString &name, const QByteArray &bytes)
    {
        QFile f(tp.path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return tp.path(name);
    }
};

} // namespace

TEST_F(CliValidateTest, CleanRecordingsOfBothRangesHaveNothingToReport)
{
    for (const bool low : {false, true}) {
        const QString file = write(low ? "low.dat" : "high.dat", recording(countingValues(95, low)));
        const CliRun r = run({"validate", file});
        EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
        EXPECT_EQ(r.out, "\n");
        EXPECT_EQ(r.err, "");
    }
    // The older layout is not checked.
    const CliRun r = run({"validate", write("old.dat", recording({"1", "2x", "3"}, false))});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "\n");
}

TEST_F(CliValidateTest, DamagePrintsTheCountsAndTheReport)
{
    QStringList values = countingValues(30, false);
    values[4] = "5A";
    values[7] = "1234";
    // The second line loses a reading; a second Ctrl-Z follows the first.
    const QByteArray text =
        recordingText(recording(values)).replace(QStringLiteral(" 14 "), QStringLiteral(" ")).toLatin1() +
        '\x1a';
    const CliRun r = run({"validate", raw("raw.txt", text)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "");
    const QString b = QStringLiteral("   \u2022  ");
    EXPECT_EQ(r.out, "1 2 65 0 1 2\n"
                     "Downloaded data has the following error(s):\n" +
                         b + "1 line(s) with an incorrect number of readings\n" + b +
                         "1 reading(s) over 999\n" + b +
                         "2 terminating ctrl/z characters found (should be exactly 1)\n" + b +
                         "2 bad character(s)\n"
                         "       (ASCII value of first bad character = 65)\n"
                         "\nDo you want to save this file anyway?\n"
                         " (If you click 'No' you can try another Download.)\n");

    // Only '999' readings: reported by the counts, no error report.
    values = countingValues(20, true);
    values[3] = "999";
    const CliRun n = run({"validate", write("n.dat", recording(values))});
    EXPECT_EQ(n.exitCode, 1);
    EXPECT_EQ(n.out, "0 0 0 1 0 1\n");
}

TEST_F(CliValidateTest, UnreadableFilesAndWrongUsage)
{
    CliRun r = run({"validate", tp.path("missing.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("missing.dat"));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(run({"validate"}).exitCode, 2);
    r = run({"validate", "a", "b"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("rdx600-cli validate FILE"));
    // Binary garbage is checked, not choked on.
    QByteArray garbage(300000, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>((i * 7919 + i / 13) % 256);
    }
    r = run({"validate", raw("garbage.bin", garbage)});
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1);
    EXPECT_TRUE(r.out.endsWith('\n'));
}
