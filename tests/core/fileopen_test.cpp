#include "platform/file_read.h"
#include "program/menu_items.h"
#include "program/view_procs.h"
#include "recording/file_commands.h"
#include "recording/notes.h"
#include "reports/open_recording.h"
#include "support/fake_printer.h"
#include "support/recording_files.h"
#include "support/test_program.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class FileopenTest : public ::testing::Test {
protected:
    FileopenTest()
    {
        installFileCommands(tp.p());
        installOpenCommands(tp.p());
    }

    // Writes a file and opens it as the Open command does.
    FileopenResult open(const QString &name, const RecordingFileContent &content)
    {
        const QString path = tp.path(name);
        EXPECT_TRUE(writeRecording(path, content));
        tp.p().rec.gOpenPath = path;
        return openAndShowSummary(tp.p());
    }
    Recording &rec() { return tp.p().rec; }
    const Cell &info(int slot, int col) { return rec().gInfo[slot][col]; }
    int16_t value(int slot, int i) { return rec().gValues[slot][i]; }
    QString setting(const QString &key) { return tp.settings.store.get("Settings", key); }

    TestProgram tp;
};

RecordingFileContent content(const QString &mode, QStringList values, bool tMarker = true)
{
    RecordingFileContent s;
    s.mode = mode;
    s.values = std::move(values);
    s.tMarker = tMarker;
    return s;
}

} // namespace

TEST_F(FileopenTest, AverageTFileFillsTheSlot)
{
    RecordingFileContent s = content("d", {"30", "20", "10", "40"});
    s.serial = "0815";
    s.family = "KLV";
    ASSERT_EQ(open("rec.dat", s), FileopenResult::Opened);
    EXPECT_EQ(rec().ginx, 0);
    // Oldest first.
    EXPECT_EQ(value(0, 0), 400);
    EXPECT_EQ(value(0, 1), 100);
    EXPECT_EQ(value(0, 2), 200);
    EXPECT_EQ(value(0, 3), 300);
    EXPECT_EQ(info(0, kColMode).text(), "d");
    EXPECT_EQ(info(0, kColSerial).text(), "0815");
    EXPECT_EQ(info(0, kColLast).number(), 3);
    EXPECT_EQ(info(0, kColUnits).text(), "V");
    EXPECT_EQ(info(0, kColMax).text(), "40");
    EXPECT_EQ(info(0, kColMin).text(), "10");
    EXPECT_EQ(info(0, kColPath).text(), tp.path("rec.dat"));
    EXPECT_EQ(info(0, kColRange).text(), "HIGH");
    EXPECT_EQ(info(0, kColEnd).text(), "10:00  Mar 15, 26");
    EXPECT_EQ(info(0, kColEdited).number(), 0);
    EXPECT_EQ(info(0, kColHeader).text(), headerLine(s));
    EXPECT_EQ(info(0, kColFormat).text(), "T");
    // N - 1 intervals before the header time.
    EXPECT_EQ(info(0, kColStart).text(), "09:15  Mar 15, 26");
    EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing);
    EXPECT_TRUE(tp.dialogs.messages.empty());
    // The summary is built and shown.
    EXPECT_TRUE(tp.p().view.Label1.visible);
    EXPECT_TRUE(tp.p().view.Label1.text.contains("rec.dat"));
    // Voltage recordings have no power.
    EXPECT_FALSE(tp.p().menu.enabled(menu::kPwrview));
    EXPECT_FALSE(tp.p().menu.enabled(menu::kItemViewPower));
}

TEST_F(FileopenTest, OlderLayoutMovesTheEndTimeToTheIntervalBoundary)
{
    RecordingFileContent s = content("a", {"1", "2", "3"}, false);
    s.stamp = "03-15-26 10:07";
    ASSERT_EQ(open("a.dat", s), FileopenResult::Opened);
    EXPECT_EQ(info(0, kColEnd).text(), "10:07  Mar 15, 26"); // the header's own time
    EXPECT_EQ(info(0, kColFormat).text(), "1");
    // End 10:15, start N x 15 minutes before.
    EXPECT_EQ(info(0, kColStart).text(), "09:30  Mar 15, 26");

    s.stamp = "03-15-26 10:15";
    ASSERT_EQ(open("b.dat", s), FileopenResult::Opened);
    EXPECT_EQ(info(1, kColStart).text(), "09:30  Mar 15, 26");

    // A 1-minute mode never moves.
    RecordingFileContent c = content("c", {"1", "2"}, false);
    c.stamp = "12-31-25 23:59";
    TestProgram other;
    other.p().rec.gOpenPath = other.path("c.dat");
    ASSERT_TRUE(writeRecording(other.p().rec.gOpenPath, c));
    ASSERT_EQ(Fileopen(other.p()), FileopenResult::Opened);
    EXPECT_EQ(other.p().rec.gInfo[0][kColStart].text(), "23:57  Dec 31, 25");
}

TEST_F(FileopenTest, MinMaxAvgTFileStoresAverageMaximumMinimum)
{
    ASSERT_EQ(open("m.dat", content("g", {"10.0", "20.0", "15.0"})), FileopenResult::Opened);
    EXPECT_EQ(value(0, 0), 150);
    EXPECT_EQ(value(0, 1), 200);
    EXPECT_EQ(value(0, 2), 100);
    EXPECT_EQ(info(0, kColLast).number(), 2);
    EXPECT_EQ(info(0, kColRange).text(), "LOW");
    // Three values per interval: index -2 is 2/3 of an interval back.
    EXPECT_EQ(info(0, kColStart).text(), "09:50  Mar 15, 26");
}

TEST_F(FileopenTest, OlderMinMaxAvgFileIsReorderedAndShifted)
{
    // 7 items: the last one is dropped, the first triple (9 5 7) is sorted
    // to minimum, maximum, average (5 9 7), the next one is left alone.
    ASSERT_EQ(open("o.dat", content("h", {"9", "5", "7", "2", "8", "4", "0"}, false)),
              FileopenResult::Opened);
    EXPECT_EQ(info(0, kColLast).number(), 5);
    const std::vector<int16_t> expected{20, 70, 20, 70, 90, 50};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(value(0, i), expected[i]) << i;
    }
    // Too few items for one triple: three values, the missing ones 0.
    ASSERT_EQ(open("p.dat", content("h", {"3", "1"}, false)), FileopenResult::Opened);
    EXPECT_EQ(info(1, kColLast).number(), 2);
    EXPECT_EQ(value(1, 0), 30); // index 2 moved to 0
    EXPECT_EQ(value(1, 1), 0);  // index 3 (never read) moved to 1
    EXPECT_EQ(value(1, 2), 30);
}

TEST_F(FileopenTest, LongFileKeepsTheNewestValues)
{
    QStringList values;
    const int n = 43100;
    for (int i = 0; i < n; ++i) {
        values << QString::number(i % 3000);
    }
    ASSERT_EQ(open("long.dat", content("b", values)), FileopenResult::Opened);
    EXPECT_EQ(info(0, kColLast).number(), kLastValueIndex);
    // The newest (first in the file) is the last index; the oldest kept is
    // the 42,967th item.
    EXPECT_EQ(value(0, kLastValueIndex), 0);
    EXPECT_EQ(value(0, kLastValueIndex - 1), 10);
    EXPECT_EQ(value(0, 0), (kLastValueIndex % 3000) * 10);
    EXPECT_EQ(info(0, kColMax).text(), "2999");
}

TEST_F(FileopenTest, RangeIsLowFromASingleDecimalPoint)
{
    ASSERT_EQ(open("low.dat", content("a", {"10", "20", "30."})), FileopenResult::Opened);
    EXPECT_EQ(info(0, kColRange).text(), "LOW");
    EXPECT_EQ(value(0, 0), 300);
}

TEST_F(FileopenTest, AllNegativeValuesGiveMaximumZero)
{
    ASSERT_EQ(open("neg.dat", content("a", {"-5.0", "-3.5", "-12.5"})), FileopenResult::Opened);
    EXPECT_EQ(info(0, kColMax).number(), 0);
    EXPECT_EQ(info(0, kColMin).text(), "-12.5");
}

TEST_F(FileopenTest, ValueLimitsAndUnreadableDates)
{
    ASSERT_EQ(open("edge.dat", content("a", {"3276.7", "-3276.8"})), FileopenResult::Opened);
    EXPECT_EQ(value(0, 1), 32767);
    EXPECT_EQ(value(0, 0), -32768);

    ASSERT_EQ(open("big.dat", content("a", {"1", "3276.8"})), FileopenResult::ProcessingError);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Error in processing file");
    EXPECT_FALSE(rec().slotInUse(1));
    EXPECT_EQ(rec().gOutputMode, OutputMode::CancelOrUserScaleMin);

    RecordingFileContent bad = content("a", {"1"});
    bad.stamp = "13-45-26 99:00";
    ASSERT_EQ(open("date.dat", bad), FileopenResult::ProcessingError);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Error in processing file");
    EXPECT_FALSE(rec().slotInUse(1));

    // Items that are not numbers read as 0.
    ASSERT_EQ(open("junk.dat", content("a", {"5", "x", "7"})), FileopenResult::Opened);
    EXPECT_EQ(value(1, 1), 0);
}

TEST_F(FileopenTest, HeaderTimeFromCharacters47To60UnlessBatteryVoltage)
{
    RecordingFileContent s = content("a", {"1", "2"});
    s.tail = "  04-01-26 08:30 extra"; // 47-60 after two blanks
    ASSERT_EQ(open("long.dat", s), FileopenResult::Opened);
    EXPECT_EQ(info(0, kColEnd).text(), "08:30  Apr 01, 26");
    EXPECT_EQ(info(0, kColHeader).text().mid(30, 14), "04-01-26 08:30");

    s.tail = "   Vbatt 6.2V  04-01-26 08:30";
    ASSERT_EQ(open("vbatt.dat", s), FileopenResult::Opened);
    EXPECT_EQ(info(1, kColEnd).text(), "10:00  Mar 15, 26");
}

TEST_F(FileopenTest, ModeMixingIsRefused)
{
    ASSERT_EQ(open("a.dat", content("a", {"1"})), FileopenResult::Opened);
    // "d" differs from "a" only in its memory behaviour.
    ASSERT_EQ(open("d.dat", content("d", {"1"})), FileopenResult::ModeMixing);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Mode mixing not allowed");
    EXPECT_FALSE(rec().slotInUse(1));
    EXPECT_TRUE(info(1, kColMode).isEmpty());
    EXPECT_EQ(rec().ginx, 0);
    // Upper case (stopped) and lower case are the same mode.
    ASSERT_EQ(open("A.dat", content("A", {"1"})), FileopenResult::Opened);
    EXPECT_EQ(info(1, kColMode).text(), "a");
}

TEST_F(FileopenTest, NotesAreReadAndAMissingNotesFileGivesEmptyNotes)
{
    ASSERT_EQ(open("n.dat", content("a", {"1"})), FileopenResult::Opened);
    for (const QString &note : rec().gSite[0]) {
        EXPECT_TRUE(note.isEmpty());
    }
    EXPECT_EQ(rec().gWorkPath, tp.path("n.not"));

    ASSERT_TRUE(
        writeNotesFile(tp.path("m.not"), {"Main St, north", "Feeder 12", QString::fromUtf8("Jürgen"), ""}));
    ASSERT_EQ(open("m.dat", content("a", {"1"})), FileopenResult::Opened);
    EXPECT_EQ(rec().gSite[1][0], "Main St, north");
    EXPECT_EQ(rec().gSite[1][1], "Feeder 12");
    EXPECT_EQ(rec().gSite[1][2], QString::fromUtf8("Jürgen"));
    EXPECT_EQ(rec().gSite[1][3], "");
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(FileopenTest, MissingFileLeavesTheModelAndTheRecentFiles)
{
    rec().gOpenPath = tp.path("gone.dat");
    EXPECT_EQ(Fileopen(tp.p()), FileopenResult::NotFound);
    EXPECT_EQ(tp.dialogs.lastMessage(), "File not found");
    EXPECT_FALSE(rec().slotInUse(0));
    EXPECT_EQ(setting("mrufile1"), "");

    // A file without a family letter is not a recording.
    QFile f(tp.path("text.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"hello there\"\r\n");
    f.close();
    rec().gOpenPath = tp.path("text.dat");
    EXPECT_EQ(Fileopen(tp.p()), FileopenResult::NotFound);
    EXPECT_FALSE(rec().slotInUse(0));
}

TEST_F(FileopenTest, RecentFilesShiftNewestFirst)
{
    ASSERT_EQ(open("one.dat", content("a", {"1"})), FileopenResult::Opened);
    ASSERT_EQ(open("two.dat", content("a", {"1"})), FileopenResult::Opened);
    EXPECT_EQ(setting("mrufile1"), tp.path("two.dat"));
    EXPECT_EQ(setting("mrufile2"), tp.path("one.dat"));
    EXPECT_EQ(setting("mrufile3"), "");
    const MenuModel &m = tp.p().menu;
    EXPECT_TRUE(m.visible(MenuModel::mru(1)));
    EXPECT_TRUE(m.visible(MenuModel::mru(2)));
    EXPECT_FALSE(m.visible(MenuModel::mru(3)));
    EXPECT_EQ(m.caption(MenuModel::mru(1)), tp.path("two.dat"));
    // The same file again stays one entry.
    rec().gOpenPath = tp.path("two.dat");
    updateRecentFiles(tp.p(), tp.path("two.dat"));
    EXPECT_EQ(setting("mrufile1"), tp.path("two.dat"));
    EXPECT_EQ(setting("mrufile2"), tp.path("one.dat"));
    EXPECT_EQ(setting("mrufile3"), "");
}

// Each case: the list stored before, then the files opened in order (a name
// in the table; "bad" files hold no recording, "gone" ones do not exist), and
// the list afterwards.
struct RecentCase {
    const char *name;
    QStringList before;
    QStringList opened;
    QStringList after;
};

class RecentFilesTest : public FileopenTest, public ::testing::WithParamInterface<RecentCase> {};

TEST_P(RecentFilesTest, OneEntryPerFileAndOnlyFilesThatOpened)
{
    const RecentCase &c = GetParam();
    QDir(tp.files.path()).mkpath("sub");
    for (const char *name : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat"}) {
        ASSERT_TRUE(writeRecording(tp.path(name), content("a", {"1"})));
    }
    QFile bad(tp.path("bad.dat"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\"no recording here\"\r\n");
    bad.close();
    ASSERT_TRUE(QFile::link(tp.path("a.dat"), tp.path("link-a.dat")));
    const auto full = [this](const QString &name) { return name.isEmpty() ? name : tp.path(name); };
    for (int i = 0; i < c.before.size(); ++i) {
        tp.settings.store.save("Settings", QStringLiteral("mrufile%1").arg(i + 1), full(c.before[i]));
    }
    ShowRecentFileEntries(tp.p()); // as start-up shows them
    for (const QString &name : c.opened) {
        Program &p = tp.p();
        if (p.rec.openCount() == kSlots) {
            CloseRecordings(p);
        }
        ASSERT_TRUE(openRecordingFile(p, full(name)) || name.startsWith("bad") || name.startsWith("gone"))
            << name.toStdString();
    }
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(setting(QStringLiteral("mrufile%1").arg(i)), full(c.after.value(i - 1)))
            << c.name << " entry " << i;
        EXPECT_EQ(tp.p().menu.visible(MenuModel::mru(i)),
                  !c.after.value(i - 1).isEmpty() && tp.p().menu.enabled(menu::kItemOpen))
            << c.name << " entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentFilesTest,
    ::testing::Values(
        RecentCase{"AgainMovesToTheTop", {}, {"a.dat", "b.dat", "a.dat"}, {"a.dat", "b.dat"}},
        RecentCase{"AnOldListNamingAFileTwiceShowsItOnce",
                   {"a.dat", "link-a.dat", "b.dat", "a.dat"},
                   {},
                   {"a.dat", "b.dat"}},
        RecentCase{"NewestFirstFourAtMost",
                   {},
                   {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat"},
                   {"e.dat", "d.dat", "c.dat", "b.dat"}},
        RecentCase{
            "OtherSpellingIsTheSameFile", {"a.dat", "b.dat"}, {"sub/../a.dat"}, {"sub/../a.dat", "b.dat"}},
        RecentCase{"LinkIsTheSameFile", {"b.dat", "link-a.dat"}, {"a.dat"}, {"a.dat", "b.dat"}},
        RecentCase{"DamagedFileIsRemovedAndNotAdded",
                   {"a.dat", "bad.dat", "b.dat"},
                   {"bad.dat"},
                   {"a.dat", "b.dat"}},
        RecentCase{"MissingFileKeepsTheOthers",
                   {"a.dat", "b.dat", "c.dat", "d.dat"},
                   {"gone.dat"},
                   {"a.dat", "b.dat", "c.dat", "d.dat"}},
        RecentCase{
            "MissingListedFileIsRemoved", {"a.dat", "gone.dat", "b.dat"}, {"gone.dat"}, {"a.dat", "b.dat"}},
        RecentCase{"GapsClose", {"a.dat", "", "b.dat"}, {"c.dat"}, {"c.dat", "a.dat", "b.dat"}}),
    [](const ::testing::TestParamInfo<RecentCase> &testInfo) { return std::string(testInfo.param.name); });

TEST_F(FileopenTest, ThirdFileDisablesOpenAndHidesTheRecentFiles)
{
    Program &p = tp.p();
    for (const char *name : {"1.dat", "2.dat", "3.dat"}) {
        ASSERT_TRUE(writeRecording(tp.path(name), content("a", {"1", "2"})));
        tp.dialogs.openAnswers.push_back(tp.path(name));
        EXPECT_TRUE(p.runCommand(menu::kItemOpen));
    }
    EXPECT_EQ(p.rec.openCount(), 3);
    EXPECT_EQ(p.rec.ginx, 2);
    EXPECT_FALSE(p.menu.enabled(menu::kItemOpen));
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(p.menu.visible(MenuModel::mru(i)));
    }
    EXPECT_FALSE(openRecordingFile(p, tp.path("1.dat")));
    EXPECT_EQ(p.rec.openCount(), 3);
}

TEST_F(FileopenTest, FailedThirdFileKeepsOpenUsable)
{
    ASSERT_EQ(open("1.dat", content("a", {"1"})), FileopenResult::Opened);
    ASSERT_EQ(open("2.dat", content("a", {"1"})), FileopenResult::Opened);
    ASSERT_EQ(open("3.dat", content("b", {"1"})), FileopenResult::ModeMixing);
    EXPECT_TRUE(tp.p().menu.enabled(menu::kItemOpen));
    EXPECT_TRUE(tp.p().menu.visible(MenuModel::mru(1)));
    EXPECT_FALSE(tp.p().menu.visible(MenuModel::mru(4)));
}

TEST_F(FileopenTest, OpenCommandUsesTheDefaultDirectoryAndSetsTheMenus)
{
    Program &p = tp.p();
    tp.settings.store.save("Directory", "default", tp.files.path());
    p.rec.gSelectFlag = true;
    ASSERT_TRUE(writeRecording(tp.path("g.dat"), content("g", {"1", "3", "2"})));
    tp.dialogs.openAnswers.push_back(tp.path("g.dat"));
    p.menu.setEnabled(menu::kItemViewTable, true);
    ASSERT_TRUE(p.runCommand(menu::kItemOpen));
    EXPECT_EQ(tp.dialogs.openDirs.value(0), tp.files.path());
    EXPECT_EQ(tp.dialogs.openFilters.value(0), "data files (*.dat)|*.dat|All files (*.*)|*.*");
    EXPECT_TRUE(p.rec.slotInUse(0));
    EXPECT_FALSE(p.rec.gSelectFlag);
    EXPECT_EQ(p.rec.gOutputMode, OutputMode::Nothing);
    EXPECT_FALSE(tp.dialogs.busy_);
    for (const char *on : {menu::kItemClose, menu::kView, menu::kItemViewPlot, menu::kItemPrint}) {
        EXPECT_TRUE(p.menu.enabled(on)) << on;
    }
    for (const char *off :
         {menu::kPwrview, menu::kItemViewTable, menu::kItemPrintTable, menu::kItemViewPwrTable,
          menu::kItemViewpwrsummry, menu::kItemPrintpwrSum, menu::kItemPrintPwrTable}) {
        EXPECT_FALSE(p.menu.enabled(off)) << off;
    }
    // A cancelled dialog ends the command silently.
    EXPECT_TRUE(p.runCommand(menu::kItemOpen));
    EXPECT_EQ(p.rec.openCount(), 1);
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(FileopenTest, RecentFileEntryOpensItsFile)
{
    Program &p = tp.p();
    ASSERT_TRUE(writeRecording(tp.path("r.dat"), content("a", {"4", "5"})));
    updateRecentFiles(p, tp.path("gone.dat"));
    updateRecentFiles(p, tp.path("r.dat"));
    ASSERT_TRUE(p.runCommand(MenuModel::mru(1)));
    EXPECT_TRUE(p.rec.slotInUse(0));
    EXPECT_EQ(tp.settings.store.get("Settings", "mrufile1"), tp.path("r.dat"));
    EXPECT_TRUE(p.menu.enabled(menu::kItemViewPlot));
    EXPECT_FALSE(p.menu.enabled(menu::kItemPrintTable));
    EXPECT_EQ(p.rec.gOutputMode, OutputMode::Nothing);

    // Entry 2 names the file that no longer exists: it fails and leaves the list.
    ASSERT_EQ(p.menu.caption(MenuModel::mru(2)), tp.path("gone.dat"));
    ASSERT_TRUE(p.runCommand(MenuModel::mru(2)));
    EXPECT_EQ(tp.dialogs.lastMessage(), "File not found or disk error");
    EXPECT_EQ(p.rec.openCount(), 1);
    EXPECT_EQ(p.rec.gOutputMode, OutputMode::Nothing);
    EXPECT_EQ(tp.settings.store.get("Settings", "mrufile2"), "");
    EXPECT_FALSE(p.menu.visible(MenuModel::mru(2)));
}

TEST_F(FileopenTest, ValueItemsInEveryWrittenForm)
{
    // Each item with its stored value in tenths (newest first in the file).
    const std::vector<std::pair<QString, int>> items{
        {"12", 120}, {"12.3", 123}, {"-0.5", -5},   {"+7", 70},     {".5", 5},           {"5.", 50},
        {"0.05", 0}, {"0.15", 2},   {"1.25", 12},   {"1e2", 1000},  {"-3276.8", -32768}, {"000123.4", 1234},
        {"abc", 0},  {"-", 0},      {"12.34", 123}, {"3.0", 30},    {"-12.", -120},      {"3276.7", 32767},
        {"-0", 0},   {"7-", 70},    {"1.2.3", 12},  {"00003.5", 35}};
    QStringList values;
    for (const auto &item : items) {
        values << item.first;
    }
    ASSERT_EQ(open("forms.dat", content("a", values)), FileopenResult::Opened);
    const int last = static_cast<int>(items.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        EXPECT_EQ(value(0, last - i), items[i].second) << items[i].first.toStdString();
    }
}

TEST_F(FileopenTest, ValuesThatAreNoFiniteReadingAreRefused)
{
    // Each of these once read as 0 (or was refused only with a minus sign).
    const QString huge = QString(400, QLatin1Char('9'));
    for (const QString &item : {QStringLiteral("1e400"), huge, QStringLiteral("+inf"), QStringLiteral("-inf"),
                                QStringLiteral("inf"), QStringLiteral("nan"), QStringLiteral("-1e309")}) {
        TestProgram fresh;
        const QString path = fresh.path("bad.dat");
        ASSERT_TRUE(writeRecording(path, content("a", {"5", item, "7"})));
        fresh.p().rec.gOpenPath = path;
        EXPECT_EQ(Fileopen(fresh.p()), FileopenResult::ProcessingError) << item.toStdString();
        EXPECT_EQ(fresh.dialogs.lastMessage(), "Error in processing file");
        EXPECT_FALSE(fresh.p().rec.slotInUse(0));
    }
    // A number too small for a double is a reading of 0.
    ASSERT_EQ(open("tiny.dat", content("a", {"5", "1e-400", "7"})), FileopenResult::Opened);
    EXPECT_EQ(value(0, 1), 0);
}

TEST_F(FileopenTest, OnlyRegularFilesOfARecordingsSizeAreRead)
{
    const QString fifo = tp.path("fifo.dat");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QFile big(tp.path("big.dat"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxInputFileBytes + 1));
    big.close();
    for (const QString &path : {fifo, big.fileName(), tp.path(""), QStringLiteral("/dev/zero")}) {
        // The Open command returns (a FIFO once blocked it for ever)...
        tp.dialogs.openAnswers.push_back(path);
        tp.p().runCommand(menu::kItemOpen);
        // ...and the reader, as the recent files and the command line reach
        // it, refuses with its own failure message.
        rec().gOpenPath = path;
        EXPECT_EQ(Fileopen(tp.p()), FileopenResult::NotFound) << path.toStdString();
        EXPECT_EQ(tp.dialogs.lastMessage(), "File not found");
        tp.dialogs.messages.clear();
    }
    EXPECT_FALSE(rec().slotInUse(0));
}

TEST_F(FileopenTest, FilesThatClaimNoSizeAreReadWholeUpToTheLimit)
{
    // Files under /proc measure 0 bytes but have contents.
    const QString path = QStringLiteral("/proc/self/cmdline");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray expected = f.readAll();
    ASSERT_GT(expected.size(), 3);
    EXPECT_EQ(readRegularFile(path), expected);
    EXPECT_EQ(readRegularFile(path, expected.size()), expected);
    EXPECT_EQ(readRegularFile(path, expected.size() - 1), std::nullopt);
}
