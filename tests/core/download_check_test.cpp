// The end of a download: the check of the received text in both ranges and
// on damaged input, the injected errors, the reports with their save
// question, runspec.txt and the Special Test dump.
#include "link/download_check.h"
#include "platform/dialogs.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "support/recording_files.h"
#include "support/test_program.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QChar kZ(26);

// A downloaded text as the download leaves it: a line end, the header cut to
// 44 characters and its line end, "T: " and the readings, each followed by a
// blank, 10 a line, then `end` (one Ctrl-Z by default).
QString downloadText(const QStringList &readings, const QString &end = QString(kZ), bool tLayout = true)
{
    RecordingFileContent c;
    QString t = kCrLf + headerLine(c).left(44) + kCrLf + (tLayout ? QStringLiteral("T: ") : QString());
    for (qsizetype i = 0; i < readings.size(); ++i) {
        t += readings[i] + QLatin1Char(' ');
        if ((i + 1) % 10 == 0) {
            t += kCrLf;
        }
    }
    return t + end;
}

QStringList readings(int n, bool low)
{
    QStringList out;
    for (int i = 0; i < n; ++i) {
        // Low range: 10.0 to 899.9 with one decimal; high range: 0 to 997.
        out << (low ? QString::number((100 + (i * 373) % 8900) / 10.0, 'f', 1) : QString::number(i % 998));
    }
    return out;
}

// 35 readings (three full lines and a part line), with `k`th replaced.
QStringList with(bool low, std::initializer_list<std::pair<int, QString>> changes)
{
    QStringList r = readings(35, low);
    for (const auto &[k, text] : changes) {
        r[k] = text;
    }
    return r;
}

using Counts = DownloadErrorCounts;

struct CheckCase {
    CheckCase(const char *n, QString t, Counts c, bool change = true, QString a = {})
        : name(n), text(std::move(t)), counts(c), change999(change), after(std::move(a))
    {
    }
    const char *name;
    QString text;
    Counts counts;
    bool change999;
    QString after; // the text after the check; empty: unchanged
};

QString replaced(QString text, const QString &from, const QString &to)
{
    return text.replace(from, to);
}

std::vector<CheckCase> checkCases()
{
    const QString with999 = downloadText(with(false, {{3, "999"}, {14, "999"}}));
    const QString low999 = downloadText(with(true, {{0, "999"}}));
    return {
        {"CleanHighRange", downloadText(readings(35, false)), {0, 0, 0, 0, 0, 1}},
        {"CleanLowRange", downloadText(readings(35, true)), {0, 0, 0, 0, 0, 1}},
        {"FullLinesOnly", downloadText(readings(40, true)), {0, 0, 0, 0, 0, 1}},
        {"NineReadingsInALine", downloadText(with(false, {})).replace(" 12 ", " "), {1, 0, 0, 0, 0, 1}},
        {"ElevenInALowRangeLine", downloadText(with(true, {{5, "1.5 2.5"}})), {1, 0, 0, 0, 0, 1}},
        {"StrayLetterAndSecondCtrlZ",
         downloadText(with(false, {{12, "12A"}}), QString(2, kZ)),
         {0, 2, 65, 0, 0, 2}},
        {"Over999AndLeadingZero999",
         downloadText(with(false, {{1, "1234"}, {2, "0999"}})),
         {0, 0, 0, 0, 1, 1}},
        {"LowRangeNeitherOver999Nor999",
         downloadText(with(true, {{1, "99.9"}, {2, "999.0"}, {3, "0999.9"}})),
         {0, 0, 0, 0, 1, 1}},
        {"LowRangeOver999", downloadText(with(true, {{4, "1000.0"}, {5, "999.5"}})), {0, 0, 0, 0, 2, 1}},
        {"NineNineNineConverted", with999, {0, 0, 0, 2, 0, 1}, true, replaced(with999, " 999 ", " 000 ")},
        {"NineNineNineLeft", with999, {0, 0, 0, 2, 0, 1}, false},
        {"LowRange999Converted", low999, {0, 0, 0, 1, 0, 1}, true, replaced(low999, "T: 999 ", "T: 000 ")},
        {"PointNotBetweenDigits",
         downloadText(with(true, {{1, ".5"}, {2, "5."}, {3, "1.2.3"}})),
         {0, 3, '.', 0, 0, 1}},
        {"NoCtrlZ", downloadText(readings(35, false), QString()), {0, 0, 0, 0, 0, 0}},
        {"CtrlZInsideTheData", downloadText(readings(35, false)).insert(60, kZ), {0, 1, 26, 0, 0, 2}},
        // Readings ended by a line end without a blank (as Save As writes them).
        {"LineEndWithoutBlank",
         downloadText(readings(35, false)).replace(QStringLiteral(" \r\n"), kCrLf),
         {0, 0, 0, 0, 0, 1}},
        {"NoMarkerColon",
         downloadText(readings(35, false)).replace(QStringLiteral("T: "), QStringLiteral("T ")),
         {0, 0, 0, 0, 0, 0}},
        {"OnlyCtrlZs", QString(5, kZ), {0, 0, 0, 0, 0, 0}},
        {"Empty", QString(), {0, 0, 0, 0, 0, 0}},
    };
}

class DownloadCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(DownloadCheck, CountsAndEdits)
{
    const CheckCase &c = GetParam();
    QString text = c.text;
    EXPECT_EQ(countDownloadErrors(text, c.change999), c.counts);
    EXPECT_EQ(text, c.after.isEmpty() ? c.text : c.after);
    // The result text carries the counts to the reports.
    const QString result = downloadErrorResult(c.counts);
    EXPECT_EQ(result.isEmpty(), c.counts.clean());
    if (!result.isEmpty()) {
        EXPECT_EQ(parseDownloadErrorResult(result), c.counts);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DownloadCheck, ::testing::ValuesIn(checkCases()),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(DownloadCheckResult, CountsWithLeadingBlanksSplitAtBlanks)
{
    EXPECT_EQ(downloadErrorResult({0, 2, 65, 0, 0, 2}), " 0  2  65  0  0  2");
    EXPECT_EQ(parseDownloadErrorResult("  1 0 0   0 0 1 "), Counts({1, 0, 0, 0, 0, 1}));
    EXPECT_FALSE(parseDownloadErrorResult(""));
    EXPECT_FALSE(parseDownloadErrorResult(" 1 2 3"));
    EXPECT_FALSE(parseDownloadErrorResult(" 1 2 3 x 5 6"));
}

// Damaged input never crashes: the check reports or declines, whatever it gets.
TEST(DownloadCheckResult, DamagedTextsAreHandled)
{
    TestProgram tp;
    Program &p = tp.p();
    const QString clean = downloadText(readings(35, false));
    // No header, no "T:" marker at position 47, only Ctrl-Zs, empty: no check.
    for (const QString &text : {QString(), QString(3, kZ), QStringLiteral("T: 1 2 3\r\n") + kZ,
                                downloadText(readings(35, false), kZ, false)}) {
        p.rec.gText = text;
        EXPECT_EQ(CountDownloadErrors(p), "") << text.toStdString();
    }
    // A header whose 47th character is "T" but no "T:": no data, no Ctrl-Z.
    p.rec.gText = QString(clean).replace("T: ", "TX ");
    EXPECT_EQ(CountDownloadErrors(p), " 0  0  0  0  0  0");

    // A megabyte of random bytes (letters included), after a header and alone.
    QRandomGenerator rng(1234);
    QByteArray garbage(1 << 20, '\0');
    for (char &b : garbage) {
        b = static_cast<char>(rng.bounded(256));
    }
    for (const QString &text :
         {clean.left(52) + QString::fromLatin1(garbage), QString::fromLatin1(garbage)}) {
        QString t = text;
        const Counts c = countDownloadErrors(t, true);
        EXPECT_EQ(t.size(), text.size());
        EXPECT_GE(c.badCharacters, c.ctrlZ - 1);
        p.rec.gText = text;
        const QString result = CountDownloadErrors(p);
        EXPECT_EQ(downloadReports(result, RunSpecFlags{}).errors.isEmpty(), result.isEmpty());
    }
}

// ------------------------------------------------------------ insertions

struct InsertCase {
    const char *name;
    bool RunSpecFlags::*flag; // null: all seven
    Counts counts;
};

class Insertions : public ::testing::TestWithParam<InsertCase> {};

TEST_P(Insertions, CountedByTheCheck)
{
    const InsertCase &c = GetParam();
    RunSpecFlags flags;
    if (c.flag != nullptr) {
        flags.*c.flag = true;
    } else {
        flags.enableAddedReading = flags.enableMissingReading = flags.enableChangeTo999 = true;
        flags.enableAddedBadChar = flags.enableReadingOver999 = flags.enableAddedCtrlZ = true;
        flags.enableMissingCtrlZ = true;
    }
    for (const bool low : {false, true}) {
        QString text = downloadText(readings(80, low));
        ASSERT_TRUE(insertErrors(text, flags));
        EXPECT_EQ(countDownloadErrors(text, true), c.counts) << (low ? "low range" : "high range");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, Insertions,
    ::testing::Values(InsertCase{"AddedReading", &RunSpecFlags::enableAddedReading, {1, 0, 0, 0, 0, 1}},
                      InsertCase{"MissingReading", &RunSpecFlags::enableMissingReading, {1, 0, 0, 0, 0, 1}},
                      InsertCase{"ChangeTo999", &RunSpecFlags::enableChangeTo999, {0, 0, 0, 1, 0, 1}},
                      InsertCase{"AddedBadChar", &RunSpecFlags::enableAddedBadChar, {0, 1, 65, 0, 0, 1}},
                      InsertCase{"ReadingOver999", &RunSpecFlags::enableReadingOver999, {0, 0, 0, 0, 1, 1}},
                      InsertCase{"AddedCtrlZ", &RunSpecFlags::enableAddedCtrlZ, {0, 1, 26, 0, 0, 2}},
                      InsertCase{"MissingCtrlZ", &RunSpecFlags::enableMissingCtrlZ, {0, 0, 0, 0, 0, 0}},
                      InsertCase{"AllSeven", nullptr, {2, 1, 65, 1, 1, 1}}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(InsertErrors, EachActsOnItsOwnLine)
{
    const QString clean = downloadText(readings(80, false));
    const QStringList lines = clean.split('\n');
    RunSpecFlags flags;
    flags.enableAddedReading = flags.enableMissingReading = flags.enableChangeTo999 = true;
    flags.enableAddedBadChar = flags.enableReadingOver999 = true;
    QString text = clean;
    ASSERT_TRUE(insertErrors(text, flags));
    const QStringList changed = text.split('\n');
    ASSERT_EQ(changed.size(), lines.size());
    // Line 1 of the data is the marker's line (index 2 of the text's lines).
    EXPECT_EQ(changed[2], lines[2] + " 123 ");
    EXPECT_EQ(changed[3], QString(lines[3]).replace(0, 2, "")); // "10" removed, its blank kept
    EXPECT_EQ(changed[4], QString(lines[4]).replace(0, 2, " 999 "));
    EXPECT_EQ(changed[5], lines[5] + "A");
    EXPECT_EQ(changed[6], QString(lines[6]).replace(0, 2, " 1234 "));
    EXPECT_EQ(changed[7], lines[7]);
}

TEST(InsertErrors, WithoutMarkerTheTextStaysAndTheUserIsTold)
{
    TestProgram tp;
    Program &p = tp.p();
    const QString older = downloadText(readings(35, false), kZ, false);
    p.rec.gText = older;
    InsertErrors(p); // no flag set: nothing to do, nothing said
    EXPECT_TRUE(tp.dialogs.messages.empty());
    p.link.download.runSpec.enableAddedBadChar = true;
    p.link.download.runSpec.enableMissingCtrlZ = true;
    InsertErrors(p);
    EXPECT_EQ(p.rec.gText, older);
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{"InsertErrors(): Couldn't find 'T:' in gText$"});
}

// ------------------------------------------------------------ reports and save

class ReportAndSave : public ::testing::Test {
protected:
    ReportAndSave() { tp.settings.store.save("Directory", "default", tp.files.path()); }
    Program &p() { return tp.p(); }
    RunSpecFlags &flags() { return tp.p().link.download.runSpec; }
    QByteArray saved() const
    {
        QFile f(tp.path("out.dat"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool run(const QString &text)
    {
        p().rec.gText = text;
        tp.dialogs.saveAnswers.push_back(tp.path("out.dat"));
        return DownloadReportAndSave(p());
    }
    TestProgram tp;
};

TEST_F(ReportAndSave, CleanAndOlderLayoutGoStraightToTheSaveDialog)
{
    for (const QString &text :
         {downloadText(readings(35, true)), downloadText(with(false, {{3, "1234"}}), kZ, false)}) {
        tp.dialogs.messages.clear();
        EXPECT_TRUE(run(text));
        EXPECT_TRUE(tp.dialogs.messages.empty());
        EXPECT_EQ(saved(), '"' + text.toLatin1() + "\"\r\n");
    }
}

TEST_F(ReportAndSave, DamageIsReportedAndNoKeepsTheTextUnsaved)
{
    const QString text = downloadText(with(false, {{12, "12A"}, {1, "1234"}})).replace(" 25 ", " ");
    tp.dialogs.messageAnswers.push_back(MsgResult::No);
    EXPECT_FALSE(run(text + kZ));
    ASSERT_EQ(tp.dialogs.messages.size(), 1U);
    const auto &m = tp.dialogs.messages[0];
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
    const QString b = QStringLiteral("   \u2022  ");
    EXPECT_EQ(m.text, "Downloaded data has the following error(s):\r\n" + b +
                          "1 line(s) with an incorrect number of readings\r\n" + b +
                          "1 reading(s) over 999\r\n" + b +
                          "2 terminating ctrl/z characters found (should be exactly 1)\r\n" + b +
                          "2 bad character(s)\r\n"
                          "       (ASCII value of first bad character = 65)\r\n"
                          "\r\nDo you want to save this file anyway?\r\n"
                          " (If you click 'No' you can try another Download.)");
    EXPECT_EQ(tp.dialogs.saveDirs.size(), 0);
    EXPECT_TRUE(saved().isEmpty());

    tp.dialogs.messageAnswers.push_back(MsgResult::Yes);
    EXPECT_TRUE(run(text));
    EXPECT_FALSE(saved().isEmpty());
}

TEST_F(ReportAndSave, AnUnknownModeLetterIsReportedBeforeSaving)
{
    // A clean text of either layout whose mode letter the reader refuses.
    for (const QString &text :
         {downloadText(readings(35, true)), downloadText(with(false, {{3, "1234"}}), kZ, false)}) {
        QString bad = text;
        const qsizetype m = downloadHeaderIndex(bad).value_or(0);
        bad[m + 3] = QLatin1Char('N');
        tp.dialogs.messages.clear();
        tp.dialogs.messageAnswers.push_back(MsgResult::No);
        EXPECT_FALSE(run(bad));
        ASSERT_EQ(tp.dialogs.messages.size(), 1U);
        EXPECT_EQ(tp.dialogs.messages[0].buttons, MsgButtons::YesNo);
        EXPECT_TRUE(tp.dialogs.messages[0].text.startsWith(
            "Downloaded data has the following error(s):\r\n   \u2022  unknown mode letter 'N' in the header "
            "(the file will not open)\r\n\r\nDo you want to save this file anyway?"))
            << tp.dialogs.messages[0].text.toStdString();
        EXPECT_TRUE(saved().isEmpty());
    }
    // "m" and a blank are letters the reader takes.
    for (const QChar letter : {QLatin1Char('m'), QLatin1Char(' ')}) {
        QString text = downloadText(readings(35, true));
        text[downloadHeaderIndex(text).value_or(0) + 3] = letter;
        EXPECT_TRUE(unknownModeProblem(text, p().modes).isEmpty());
    }
}

TEST_F(ReportAndSave, RunSpecFlagsSwitchTheReports)
{
    const QString text = downloadText(with(false, {{3, "999"}, {20, "999"}}), QString());
    // Defaults: '999's silently become '000'; the missing Ctrl-Z is asked about.
    EXPECT_TRUE(run(text));
    EXPECT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_TRUE(tp.dialogs.lastMessage().contains("0 terminating ctrl/z"));
    EXPECT_FALSE(saved().contains("999"));

    // The '999' report, the '999's left, no error report: saved without asking.
    tp.dialogs.messages.clear();
    flags().enable999CountReport = true;
    flags().enableChange999sTo000 = false;
    flags().enableErrorReport = false;
    EXPECT_TRUE(run(text));
    EXPECT_EQ(tp.dialogs.messageTexts(),
              QStringList{"Download had 2 '999' reading(s)\r\n(which was/were left as is)"});
    EXPECT_EQ(saved().count("999"), 2);

    flags().enableChange999sTo000 = true;
    EXPECT_EQ(downloadReports(" 0  0  0  2  0  1", flags()).count999,
              "Download had 2 '999' reading(s)\r\n(which was/were converted to '000')");
    EXPECT_EQ(downloadReports(" 0  0  0  2  0  1", flags()).errors, "");
}

// ------------------------------------------------------------ runspec.txt

class RunSpec : public ::testing::Test {
protected:
    RunSpec() { tp.p().splash.workingDirectory = tp.files.path(); }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(tp.path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    RunSpecFlags &flags() { return tp.p().link.download.runSpec; }
    TestProgram tp;
};

TEST_F(RunSpec, NoFileMeansDefaultsAndNoMessage)
{
    flags().enableAddedCtrlZ = true;
    flags().enableErrorReport = false;
    QDir(tp.files.path()).mkdir("runspec.txt"); // a folder is no file
    EXPECT_TRUE(HandleRunspec(tp.p()));
    EXPECT_EQ(flags().enableAddedCtrlZ, false);
    EXPECT_EQ(flags().enableErrorReport, true);
    EXPECT_EQ(flags().enableChange999sTo000, true);
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(RunSpec, MatchingLinesSetTheirFlagsAndAreListed)
{
    write("RunSpec.TXT", "enableErrorReport=False\r\nenableerrorreport=False\n enableAddedCtrlZ=True\n"
                         "enableChange999sTo000=False\r\n\x1a"
                         "enableAddedReading=True\r\n");
    EXPECT_TRUE(HandleRunspec(tp.p()));
    EXPECT_FALSE(flags().enableErrorReport);
    EXPECT_FALSE(flags().enableChange999sTo000);
    EXPECT_FALSE(flags().enableAddedCtrlZ);   // a leading blank: no match
    EXPECT_FALSE(flags().enableAddedReading); // after the Ctrl-Z
    const QString b = QStringLiteral("   \u2022  ");
    EXPECT_EQ(tp.dialogs.messageTexts(),
              QStringList{"Flag settings per 'runspec.txt' file:\r\n" + b + "enableErrorReport=False\r\n" +
                          b + "enableChange999sTo000=False\r\n"});
}

TEST_F(RunSpec, UnrelatedLinesGiveTheNoValidSpecsMessage)
{
    write("runspec.txt", "hello\nenableErrorReport=false\n");
    EXPECT_TRUE(HandleRunspec(tp.p()));
    EXPECT_TRUE(flags().enableErrorReport);
    EXPECT_EQ(tp.dialogs.messageTexts(),
              QStringList{"No valid run specs found in 'runspec.txt'.\r\n"
                          "  - To avoid getting this message either fix file 'runspec.txt'\r\n"
                          "    or delete it."});
}

TEST_F(RunSpec, AnUnreadableFileFailsTheCommand)
{
    ASSERT_EQ(mkfifo(tp.path("runspec.txt").toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(HandleRunspec(tp.p()));
    EXPECT_TRUE(tp.dialogs.messages.empty());
    QFile::remove(tp.path("runspec.txt"));
    ASSERT_TRUE(QFile::link(tp.path("nowhere.txt"), tp.path("RUNSPEC.txt")));
    EXPECT_FALSE(HandleRunspec(tp.p()));
}

// ------------------------------------------------------------ Special Test

TEST(SpecialTestCommand, DumpsTheProgramState)
{
    TestProgram tp;
    Program &p = tp.p();
    installDownloadCheckCommands(p);
    p.rec.gDatastart = 12;
    p.rec.gdataend = -3;
    p.rec.gDateX = 480;
    p.rec.gZoomFlag = true;
    p.rec.ginx = 1;
    p.rec.gInfo[1][kColPath] = QStringLiteral("/data/b.dat");
    ASSERT_TRUE(p.runCommand(menu::kSpecialTest));
    EXPECT_EQ(p.rec.gText, "This is a test saved by 'Save'.\r\n");
    EXPECT_EQ(tp.dialogs.messageTexts(),
              QStringList{"gDatastart='12'  gdataend='-3'\r\n"
                          "gtext$='This is a test saved by 'Save'.\r\n'\r\n"
                          "gDateX='480'\r\ngDateX='480'\r\n"
                          "gZoomFlag='-1'\r\nginx='1'\r\n"
                          "gInfo(0,7)='\r\ngInfo(1,7)='/data/b.dat\r\ngInfo(2,7)='"});
}

} // namespace
