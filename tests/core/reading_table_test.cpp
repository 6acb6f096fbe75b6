#include "platform/textformat.h"
#include "power_fixture.h"
#include "program/menu_items.h"
#include "reports/reading_table.h"
#include "reports/report_commands.h"
#include "support/recording_files.h"

#include <gtest/gtest.h>

namespace {

const QString kStart = QStringLiteral("10:00  Jan 01, 24");
const QString kCrLf = QStringLiteral("\r\n");

class ReadingTableTest : public PowerFixture {
protected:
    ReadingTableTest() { installReportCommands(p()); }
    QStringList tableLines() const
    {
        QStringList lines = tp.program->report.gTable.split(kCrLf);
        EXPECT_EQ(lines.last(), "");
        lines.removeLast();
        return lines;
    }
};

struct LayoutCase {
    const char *name;
    const char *letter;
    const char *range;
    std::vector<int16_t> values;
    const char *heading;
    std::vector<const char *> lines; // first and last line ("" : only one line)
    int lineCount;
};

class ReadingTableLayouts : public ReadingTableTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(ReadingTableLayouts, LinesValuesAndTimes)
{
    const LayoutCase &c = GetParam();
    openAt(0, c.letter, c.values, kStart, c.range);
    ReadingTableProc(p());
    EXPECT_EQ(p().view.Header1.text, QString(c.heading) + "  ");
    const QStringList lines = tableLines();
    ASSERT_EQ(lines.size(), c.lineCount);
    EXPECT_EQ(lines.first().toStdString(), c.lines[0]);
    if (c.lines.size() > 1) {
        EXPECT_EQ(lines.last().toStdString(), c.lines[1]);
    }
    for (const QString &line : lines) {
        // A blank and "hh:mm  MMM dd, yy" lead every line, padded to 23 characters.
        EXPECT_EQ(line.at(0), QLatin1Char(' '));
        EXPECT_TRUE(textformat::parseDate(line.left(18)).has_value()) << line.toStdString();
        EXPECT_EQ(line.mid(18, 5), "     ");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ReadingTableLayouts,
    ::testing::Values(
        // 17 values at 15 minutes: 8, 8 and 1, two hours apart.
        LayoutCase{"fifteenMinutes",
                   "a",
                   "LOW",
                   counting(17),
                   " Time     Date                            Eight readings of average",
                   {" 10:00  Jan 01, 24       100.0    101.0    102.0    103.0    104.0    105.0    106.0    "
                    "107.0  ",
                    " 14:00  Jan 01, 24       116.0  "},
                   3},
        // 123.4 and 123.5 in whole units, rounded half away from zero.
        LayoutCase{"fifteenMinutesHigh",
                   "d",
                   "HIGH",
                   {1234, 1235},
                   " Time     Date                            Eight readings of average",
                   {" 10:00  Jan 01, 24         123       124   "},
                   1},
        // 1234 tenths: 123.4 in the one-minute format, 123 after three blanks in its high format.
        LayoutCase{"oneMinute",
                   "c",
                   "LOW",
                   {1234},
                   " Time     Date                             Ten readings of average",
                   {" 10:00  Jan 01, 24     123.4  "},
                   1},
        LayoutCase{"oneMinuteHigh",
                   "f",
                   "HIGH",
                   {1234},
                   " Time     Date                             Ten readings of average",
                   {" 10:00  Jan 01, 24        123  "},
                   1},
        LayoutCase{
            "oneMinuteTenALine",
            "c",
            "LOW",
            counting(11),
            " Time     Date                             Ten readings of average",
            {" 10:00  Jan 01, 24     100.0  101.0  102.0  103.0  104.0  105.0  106.0  107.0  108.0  109.0  ",
             " 10:10  Jan 01, 24     110.0  "},
            2},
        // Six a line, thirty minutes apart.
        LayoutCase{
            "fiveMinutes",
            "b",
            "LOW",
            counting(7),
            " Time     Date                             Six readings of average",
            {" 10:00  Jan 01, 24          100.0         101.0         102.0         103.0         104.0      "
             "   105.0    ",
             " 10:30  Jan 01, 24          106.0    "},
            2},
        // Min/max/avg at 5 minutes: two intervals a line, ten minutes apart.
        LayoutCase{
            "minMaxAvgFiveMinutes",
            "h",
            "LOW",
            counting(9),
            " Time     Date                 Avg          Max           Min           Avg            Max    "
            "       Min",
            {" 10:00  Jan 01, 24          100.0        101.0        102.0        103.0        104.0        "
             "105.0   ",
             " 10:10  Jan 01, 24          106.0        107.0        108.0   "},
            2},
        LayoutCase{
            "minMaxAvgHigh",
            "j",
            "HIGH",
            {1234, 1500, 1000},
            " Time     Date                 Avg          Max           Min           Avg            Max    "
            "       Min",
            {" 10:00  Jan 01, 24            123           150           100    "},
            1}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(ReadingTableTest, SelectionSpans)
{
    // An average recording zoomed to values 10..20: 11 values from 12:30.
    openAt(0, "a", counting(40), kStart);
    rec().gSelectFlag = true;
    rec().gDatastart = 10;
    rec().gdataend = 20;
    p().chart.gSelEnd = 3; // a mark made after the zoom does not shorten the table
    ReadingTableProc(p());
    QStringList lines = tableLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(" 12:30  Jan 01, 24       110.0"));
    EXPECT_TRUE(lines[1].startsWith(" 14:30  Jan 01, 24       118.0"));
    EXPECT_TRUE(lines[1].endsWith("120.0  "));

    // A min/max/avg recording: the last interval is taken whole, within the recording.
    CloseRecordings(p());
    openAt(0, "g", counting(30), kStart);
    rec().gSelectFlag = true;
    rec().gDatastart = 6; // interval 2, 10:30
    rec().gdataend = 27;  // interval 9's average; +2 gives its minimum, index 29
    ReadingTableProc(p());
    lines = tableLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(" 10:30  Jan 01, 24          106.0")) << lines[0].toStdString();
    EXPECT_TRUE(lines[3].endsWith("129.0   "));
    rec().gdataend = 28; // +2 would pass the last value: kept at index 29
    ReadingTableProc(p());
    EXPECT_TRUE(tableLines().last().endsWith("129.0   "));
}

TEST_F(ReadingTableTest, TableCommandShowsTableAndSummaryAndSetsTheMenus)
{
    openAt(0, "a", counting(9), kStart);
    p().menu.setEnabled({menu::kItemViewTable, menu::kItemexprep, menu::kItemPrintPwrTable}, true);
    p().view.chart1Visible = true;
    p().runCommand(menu::kItemViewTable);
    EXPECT_EQ(rec().gOutputMode, OutputMode::ReadingTable);
    EXPECT_EQ(rec().gdataend, 8);
    EXPECT_EQ(p().view.RichTextBox1.text, p().report.gTable);
    EXPECT_TRUE(p().view.RichTextBox1.visible);
    EXPECT_TRUE(p().view.Header1.visible);
    EXPECT_TRUE(p().view.Label1.visible);
    EXPECT_TRUE(p().view.Label1.text.contains("9  Values"));
    EXPECT_FALSE(p().view.chart1Visible);
    for (const char *on :
         {menu::kItemPrintTable, menu::kItemExportType, menu::kItemexpdatacsv, menu::kItemexpdata1perLine}) {
        EXPECT_TRUE(p().menu.enabled(on)) << on;
    }
    for (const char *off : {menu::kItemPrintPwrTable, menu::kItemexprep}) {
        EXPECT_FALSE(p().menu.enabled(off)) << off;
    }
}

TEST_F(ReadingTableTest, CancelledSelectionDoesNothing)
{
    openAt(0, "a", counting(9), kStart);
    openAt(1, "a", counting(9), kStart);
    p().menu.setEnabled(menu::kItemViewTable, true);
    p().runCommand(menu::kItemViewTable); // no selection window: cancelled
    EXPECT_TRUE(tp.dialogs.messages.empty());
    EXPECT_TRUE(p().report.gTable.isEmpty());
    EXPECT_NE(rec().gOutputMode, OutputMode::ReadingTable);
}

TEST_F(ReadingTableTest, WithNothingOpenTheOpenDialogIsOffered)
{
    p().menu.setEnabled(menu::kItemViewTable, true);
    p().runCommand(menu::kItemViewTable); // the dialog is cancelled
    EXPECT_EQ(tp.dialogs.openFilters.size(), 1);
    EXPECT_TRUE(p().report.gTable.isEmpty());
    EXPECT_TRUE(tp.dialogs.messages.empty());

    RecordingFileContent content;
    content.values = {"30", "20", "10"};
    ASSERT_TRUE(writeRecording(tp.path("feeder.dat"), content));
    tp.dialogs.openAnswers.push_back(tp.path("feeder.dat"));
    p().runCommand(menu::kItemViewTable);
    // Whole units in the high range, every digit place shown.
    EXPECT_EQ(p().report.gTable, " 09:30  Mar 15, 26         010       020       030   \r\n");
    EXPECT_EQ(rec().gOutputMode, OutputMode::ReadingTable);
}

} // namespace

namespace {

TEST(TableFormats, TenthsFormatExactlyAsTheirUnits)
{
    // The reading table formats stored tenths in integer arithmetic; every
    // 16-bit value must read as the picture of its units.
    for (const char *pic : {"  000.0", "    000 ", "     000.0  ", "       000  ", "000.0", "   000",
                            "     000.0 ", "##0.0", "###,###,##0", "0.00", "#"}) {
        const textformat::PictureFormat format{QString::fromLatin1(pic)};
        int mismatches = 0;
        QString first;
        for (int t = -32768; t <= 32767; ++t) {
            QString fast;
            format.appendTenths(fast, t);
            const QString slow = textformat::picture(t / 10.0, QString::fromLatin1(pic));
            if (fast != slow && mismatches++ == 0) {
                first = QString::number(t) + ": " + fast + " / " + slow;
            }
        }
        EXPECT_EQ(mismatches, 0) << pic << " " << first.toStdString();
    }
}

} // namespace
