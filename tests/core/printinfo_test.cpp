#include "program/menu_items.h"
#include "recording/file_commands.h"
#include "reports/open_recording.h"
#include "reports/printinfo.h"
#include "reports/report_commands.h"
#include "support/fake_data_select.h"
#include "support/fake_printer.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace {

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

class PrintinfoTest : public ::testing::Test {
protected:
    PrintinfoTest()
    {
        Program &p = tp.p();
        p.io.printer = &printer;
        p.windows.dataSelect = &select;
        installFileCommands(p);
        installOpenCommands(p);
        installReportCommands(p);
        auto &i = p.rec.gInfo[0];
        i[kColMode] = "d";
        i[kColSerial] = "0815";
        i[kColStart] = "09:15  Mar 15, 26";
        i[kColLast] = 3;
        i[kColUnits] = "A";
        i[kColMax] = 40.5;
        i[kColMin] = 10;
        i[kColPath] = "C:\\data\\feeder12.dat";
        i[kColRange] = "HIGH";
        i[kColEnd] = "10:00  Mar 15, 26";
        p.rec.gSite[0] = {"Main St", "Feeder 12", "Jo", "none"};
        p.rec.ginx = 0;
        p.rec.gModeLetter = "d";
    }
    Program &p() { return tp.p(); }

    TestProgram tp;
    FakePrinter printer;
    FakeDataSelect select{tp.p()};
};

const QString kCrLf = "\r\n";

QString averageLabel1()
{
    return "    File:     feeder12.dat" + blanks(12) + blanks(13) + "4" + "  Values" + blanks(21) +
           "Ser. 0815" + kCrLf + "     Mode:    d Average" + blanks(8) + "Stop" + blanks(9) +
           "15 min interval" + blanks(18) + "HIGH  Range" + kCrLf +
           "    Entire File:  Start:  09:15  Mar 15, 26" + blanks(33) + "End:  10:00  Mar 15, 26" + kCrLf +
           "                       Min: 10 A" + blanks(57) + " Max: 40.5 A" + blanks(57);
}

const QString kLabel2 = "Loc:    Main St\r\nName: Jo\r\nCirc:    Feeder 12\r\nOther: none\r\n";

} // namespace

TEST_F(PrintinfoTest, AverageRecordingPanels)
{
    p().rec.gOutputMode = OutputMode::Summary;
    Printinfo(p());
    EXPECT_EQ(p().view.Label1.text, averageLabel1());
    EXPECT_EQ(p().view.Label2.text, kLabel2);
    EXPECT_TRUE(p().view.Label1.visible);
    EXPECT_TRUE(p().view.Label2.visible);
    EXPECT_TRUE(printer.lines.empty());
}

TEST_F(PrintinfoTest, MinMaxAvgRecordingWithASelectedArea)
{
    auto &i = p().rec.gInfo[0];
    i[kColMode] = "h";
    i[kColStart] = "09:00  Mar 15, 26";
    i[kColRange] = "LOW";
    i[kColPath] = "short.dat"; // no folder: the whole path
    p().rec.gSelectFlag = true;
    p().rec.gDatastart = 3;
    p().rec.gdataend = 5;
    p().chart.gSelMin = -15;
    p().chart.gSelMax = 1234;
    Printinfo(p());
    const QString expected = "    File:     short.dat" + blanks(15) + blanks(13) + "4" + "  Values" +
                             blanks(21) + "Ser. 0815" + kCrLf + "     Mode:    h Min/Max/Avg " + blanks(3) +
                             "Cont" + blanks(9) + "5 min interval" + blanks(18) + "LOW  Range" + kCrLf +
                             kCrLf + "           Selected:       Start  09:05  Mar 15, 26" + blanks(19) +
                             "Finish  09:08  Mar 15, 26" + kCrLf + blanks(35) + "Min      -1.5" + blanks(33) +
                             "max       123.4" + blanks(11) + kCrLf;
    EXPECT_EQ(p().view.Label1.text, expected);
}

TEST_F(PrintinfoTest, LongFileNamesAreCutTo24Characters)
{
    p().rec.gInfo[0][kColPath] = "/home/user/a_very_long_recording_name_feeder.dat";
    Printinfo(p());
    EXPECT_TRUE(p().view.Label1.text.startsWith("    File:     a_very_long_recording_na             4"));
}

TEST_F(PrintinfoTest, PrintingSendsBothPanelsOnePageModeDescribesRecordingZero)
{
    p().rec.gOutputMode = OutputMode::Print;
    Printinfo(p());
    ASSERT_EQ(tp.dialogs.printerDialogs, 1);
    EXPECT_EQ(printer.endDocs, 1);
    const QStringList texts = printer.texts();
    ASSERT_EQ(texts.size(), 1 + 4 + 5);
    EXPECT_EQ(texts[0], "");
    EXPECT_EQ(texts[1], averageLabel1().split(kCrLf)[0]);
    EXPECT_EQ(texts[5], "Loc:    Main St");
    for (const auto &line : printer.lines) {
        EXPECT_EQ(line.font, "Times New Roman");
        EXPECT_EQ(line.points, 10);
        EXPECT_EQ(line.x, 1500);
    }
    EXPECT_LT(printer.lines[1].y, printer.lines[2].y);

    // One-page plot mode: recording 0 whatever ginx says, no dialog, no end.
    printer.lines.clear();
    p().chart.gOnePageFlag = true;
    p().rec.ginx = 1;
    p().view.Label1.visible = false;
    Printinfo(p());
    EXPECT_EQ(tp.dialogs.printerDialogs, 1);
    EXPECT_EQ(printer.endDocs, 1);
    EXPECT_EQ(printer.lines.size(), 10U);
    EXPECT_EQ(p().view.Label1.text, averageLabel1());
    EXPECT_FALSE(p().view.Label1.visible);
}

TEST_F(PrintinfoTest, CancelledPrinterDialogPrintsNothing)
{
    p().rec.gOutputMode = OutputMode::Print;
    tp.dialogs.printerAnswers.push_back(false);
    Printinfo(p());
    EXPECT_TRUE(printer.lines.empty());
    EXPECT_EQ(printer.endDocs, 0);
    EXPECT_EQ(p().view.Label1.text, averageLabel1());
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(PrintinfoTest, SummaryCommandsAndTheirNoFileMessages)
{
    ASSERT_TRUE(p().runCommand(menu::kItemViewsummary));
    EXPECT_EQ(p().rec.gOutputMode, OutputMode::Summary);
    EXPECT_EQ(p().view.Label1.text, averageLabel1());
    ASSERT_TRUE(p().runCommand(menu::kItemPrintSum));
    EXPECT_EQ(p().rec.gOutputMode, OutputMode::Print);
    EXPECT_EQ(printer.endDocs, 1);

    p().rec.gInfo[0][kColPath] = QString();
    p().runCommand(menu::kItemViewsummary);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Error - No file available. Need to open a file.");
    p().runCommand(menu::kItemPrintSum);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Error - No file available.  Need to open a file.");
    EXPECT_EQ(tp.dialogs.messages.size(), 2U);
}

TEST_F(PrintinfoTest, SummaryOfTheChosenRecordingAndCancel)
{
    auto &i1 = p().rec.gInfo[1];
    i1 = p().rec.gInfo[0];
    i1[kColPath] = "C:\\data\\second.dat";
    select.clicks = {1};
    p().runCommand(menu::kItemViewsummary);
    EXPECT_EQ(select.shown, 1);
    EXPECT_EQ(p().rec.ginx, 1);
    EXPECT_TRUE(p().view.Label1.text.contains("second.dat"));

    p().view.Label1.text.clear();
    select.pressOk = false;
    p().runCommand(menu::kItemViewsummary);
    EXPECT_EQ(p().rec.ginx, -2);
    EXPECT_TRUE(p().view.Label1.text.isEmpty());
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(PrintinfoTest, PrintShownTable)
{
    p().view.Label1.text = "L1";
    p().view.Label2.text = "L2";
    p().view.Header1.text = "Time      Reading";
    p().view.RichTextBox1.text = "row 1\r\nrow 2";
    p().menu.setEnabled(menu::kItemPrintTable, true);
    ASSERT_TRUE(p().runCommand(menu::kItemPrintTable));
    ASSERT_EQ(printer.texts(), QStringList({"", "L1", "L2", "Time      Reading", "row 1", "row 2"}));
    EXPECT_EQ(printer.lines[3].points, 9.5);
    EXPECT_EQ(printer.lines[4].points, 10);
    EXPECT_EQ(printer.lines[4].x, 1500);
    EXPECT_EQ(printer.endDocs, 1);

    tp.dialogs.printerAnswers.push_back(false);
    p().menu.setEnabled(menu::kItemPrintPwrTable, true);
    ASSERT_TRUE(p().runCommand(menu::kItemPrintPwrTable));
    EXPECT_EQ(printer.endDocs, 1);
}
