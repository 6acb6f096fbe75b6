#include "chart/chart_commands.h"
#include "chart/displ_plot.h"
#include "power/displ_plot_pwr.h"
#include "power/power_calc.h"
#include "power/power_table.h"
#include "power/printpwrinfo.h"
#include "power_fixture.h"
#include "program/menu_items.h"
#include "support/fake_printer.h"

#include <gtest/gtest.h>

namespace {

const QString kStart = QStringLiteral("10:00  Jan 01, 24");
const QString kCrLf = QStringLiteral("\r\n");

class PowerTest : public PowerFixture {
protected:
    // Slots 0.. with one constant current each (tenths), `count` values.
    void openPhases(const std::vector<int> &tenths, int count = 4)
    {
        for (size_t s = 0; s < tenths.size(); ++s) {
            const int v = tenths[s];
            openAt(static_cast<int>(s), "a", series(count, [v](int) { return v; }), kStart);
        }
        rec().gdataend = count - 1;
    }
};

// kW per value ------------------------------------------------------------------

struct KwCase {
    const char *name;
    std::vector<int> tenths; // one constant current per open recording
    const char *volts;
    float pf;
    double kw;        // worked out by hand
    int32_t combined; // combined current, tenths
};

class PowerKw : public PowerTest, public ::testing::WithParamInterface<KwCase> {};

TEST_P(PowerKw, CombinedCurrentToKilowatts)
{
    const KwCase &c = GetParam();
    openPhases(c.tenths);
    setVolts(c.volts);
    p().power.gPowerFactor = c.pf;
    DisplPlotPwr(p());
    ASSERT_TRUE(p().chart.gPowerShown);
    ASSERT_EQ(chart.pointCount(), 4);
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(chart.value(0, j), c.kw, 0.01) << j;
        EXPECT_NEAR(p().power.power[static_cast<size_t>(j)], c.kw, 0.01) << j;
    }
    EXPECT_EQ(p().power.power[4], 0.0F); // cleared beyond the span
    EXPECT_EQ(p().chart.gSelMax, c.combined);
    EXPECT_EQ(p().chart.gSelMin, c.combined);
}

INSTANTIATE_TEST_SUITE_P(Power, PowerKw,
                         ::testing::Values(
                             // 100 A x 0.48 kV
                             KwCase{"one", {1000}, "480", 1.0F, 48.0, 1000},
                             // (100 + 50) A x 0.48 kV
                             KwCase{"two", {1000, 500}, "480", 1.0F, 72.0, 1500},
                             // 100 A x 1.732 x 13.8 kV x 0.9
                             KwCase{"three", {1000, 1000, 1000}, "13800", 0.9F, 2151.144, 1732},
                             // 3000 A a phase: the sum 9000.0 A is beyond 16 bits; 5196 A x 13.8 kV
                             KwCase{"threeAbove16Bits", {30000, 30000, 30000}, "13800", 1.0F, 71704.8, 51960},
                             // 3000 A + 3000 A at 1 kV
                             KwCase{"twoAbove16Bits", {30000, 30000}, "1000", 1.0F, 6000.0, 60000}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(PowerTest, AShorterRecordingAddsNothingPastItsEnd)
{
    openAt(0, "a", series(6, [](int) { return 1000; }), kStart);
    openAt(1, "a", series(3, [](int) { return 500; }), kStart);
    rec().gValues[1][4] = 7000; // left over from an earlier recording in the slot
    rec().gdataend = 5;
    setVolts("1000");
    DisplPlotPwr(p());
    EXPECT_NEAR(chart.value(0, 2), 150.0, 1e-3);
    EXPECT_NEAR(chart.value(0, 4), 100.0, 1e-3);
}

// Energy --------------------------------------------------------------------------

TEST_F(PowerTest, EnergyLeavesTheFirstValueOut)
{
    // 96, 48, 48, 48 kW at 15 minutes: (48 x 3) x 15 / 60 = 36 kWh; with the
    // first value it would be 60.
    openAt(0, "a", {2000, 1000, 1000, 1000}, kStart);
    setVolts("480");
    DisplPlotPwr(p());
    EXPECT_EQ(p().power.energyText, "36 KWHR");
}

TEST(PowerText, EnergyUnitChangesAboveOneMillionKwh)
{
    EXPECT_EQ(power::energyText(1'000'000), "1,000,000 KWHR");
    EXPECT_EQ(power::energyText(1'000'001), "1,000 MWHR");
    EXPECT_EQ(power::energyText(12'345'678), "12,346 MWHR");
    EXPECT_EQ(power::energyText(0), "0 KWHR");
}

TEST(PowerText, KilovoltsWithoutLeadingZero)
{
    EXPECT_EQ(power::kilovoltText(0.48), " .48");
    EXPECT_EQ(power::kilovoltText(13.8), " 13.8");
    EXPECT_EQ(power::kilovoltText(0), " 0");
    EXPECT_EQ(power::kilovoltText(-0.48), "-.48");
}

// Value axis ----------------------------------------------------------------------

TEST_F(PowerTest, ValueAxisFromTheExtremes)
{
    // 100 A everywhere at 480 V: max 100 x 1.1 x 0.48 = 52.8, min Int(100 x 0.9 x 0.48) = 43.
    openPhases({1000});
    setVolts("480");
    DisplPlotPwr(p());
    EXPECT_EQ(chart.valueAxisTitle(), "KW");
    EXPECT_NEAR(chart.valueAxisMax(), 52.8, 1e-9);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 43.0);

    // The user's minimum stays for every redraw of the power plot.
    p().chart.gYScaleMin = 5;
    DisplPlotPwr(p());
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 5.0);
}

TEST_F(PowerTest, ReversePowerAndAUserMinimumAboveThePower)
{
    // -95 A and -50 A at 1 kV: the axis runs from Int(-95 x 1.1) = -105 to 1.
    openAt(0, "a", {-950, -500}, kStart);
    setVolts("1000");
    DisplPlotPwr(p());
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), -105.0);
    EXPECT_DOUBLE_EQ(chart.valueAxisMax(), 1.0);

    // A user's minimum of 200 above every value: the axis keeps a range.
    p().chart.gYScaleMin = 200;
    DisplPlotPwr(p());
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 200.0);
    EXPECT_DOUBLE_EQ(chart.valueAxisMax(), 220.0);
}

TEST_F(PowerTest, ZeroCurrentGivesAnAxisOfOne)
{
    openPhases({0});
    setVolts("480");
    DisplPlotPwr(p());
    EXPECT_DOUBLE_EQ(chart.valueAxisMax(), 1.0);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 0.0);
    EXPECT_EQ(p().power.energyText, "0 KWHR");
}

// Checks --------------------------------------------------------------------------

struct CheckCase {
    const char *name;
    std::vector<std::pair<const char *, const char *>> slots; // mode letter, units
    const char *message;
    bool powerViewEnabled;
};

class PowerCheck : public PowerTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(PowerCheck, RefusesAllButAverageCurrentRecordings)
{
    const CheckCase &c = GetParam();
    for (size_t s = 0; s < c.slots.size(); ++s) {
        openAt(static_cast<int>(s), c.slots[s].first, counting(6), kStart, "LOW", c.slots[s].second);
    }
    p().menu.setEnabled(menu::kPwrview, true);
    setVolts("480");
    DisplPlotPwr(p());
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{c.message});
    EXPECT_EQ(chart.setValueCalls, 0);
    EXPECT_FALSE(p().chart.gPowerShown);
    EXPECT_EQ(p().menu.enabled(menu::kPwrview), c.powerViewEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Power, PowerCheck,
    ::testing::Values(
        CheckCase{"volts", {{"a", "A"}, {"a", "V"}}, "Files must all be amps for power to plot", true},
        CheckCase{"minMaxAvg", {{"g", "A"}}, "Files must be average mode for power to plot", false},
        // The later recording's error is the one shown; the menu still goes.
        CheckCase{"minMaxAvgThenVolts",
                  {{"g", "A"}, {"a", "V"}},
                  "Files must all be amps for power to plot",
                  false},
        // The mode test of a recording comes after its units test.
        CheckCase{"minMaxAvgVolts", {{"h", "V"}}, "Files must be average mode for power to plot", false}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

// Chart ---------------------------------------------------------------------------

TEST_F(PowerTest, TitleNamesTheFilesFromTheHighestSlotDown)
{
    openPhases({1000, 1000, 1000});
    setVolts("480");
    p().power.gPowerFactor = 0.9F;
    DisplPlotPwr(p());
    ASSERT_EQ(chart.boxes().size(), 4U);
    EXPECT_EQ(chart.boxes()[3].text,
              "rec2.dat   rec1.dat   rec0.dat     Combined;   Nominal Line Voltage  .48 KV  "
              "Power Factor: 0.9");
    EXPECT_EQ(chart.seriesLegend(0), "KW");

    CloseRecordings(p());
    openPhases({1000});
    setVolts("13800");
    p().power.gPowerFactor = 1.0F;
    DisplPlotPwr(p());
    EXPECT_EQ(chart.boxes()[3].text, "rec0.dat      Nominal Line Voltage  13.8 KV  Power Factor: 1");
}

TEST_F(PowerTest, ZoomRefreshAndScaleRedrawThePowerPlot)
{
    openAt(0, "a", counting(100), kStart);
    setVolts("1000");
    installChartCommands(p());
    p().chart.gPowerView = true;
    p().runCommand(menu::kItemRefresh);
    ASSERT_TRUE(p().chart.gPowerShown);
    EXPECT_EQ(chart.pointCount(), 100);

    // Zoom into points 10..30.
    p().chart.gSelStart = 10;
    p().chart.gSelEnd = 30;
    p().menu.setEnabled(menu::kZoom, true);
    p().runCommand(menu::kZoom);
    EXPECT_EQ(rec().gDatastart, 10);
    EXPECT_EQ(rec().gdataend, 30);
    EXPECT_TRUE(rec().gSelectFlag);
    EXPECT_EQ(chart.pointCount(), 21);
    EXPECT_NEAR(chart.value(0, 0), 110.0, 1e-3);
    EXPECT_EQ(p().power.first, 10);
    EXPECT_EQ(p().power.last, 30);
    EXPECT_EQ(p().chart.gPointCount, 20);
    EXPECT_FALSE(p().chart.gZoomPending);
    // The time axis starts at value 10: 10:00 + 150 minutes.
    EXPECT_EQ(chart.labels().value(0), "Jan 01 12:30");

    tp.dialogs.inputAnswers.push_back("100");
    p().runCommand(menu::kItemScale);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 100.0);
    EXPECT_EQ(chart.pointCount(), 21);
}

TEST_F(PowerTest, PrintLayoutMovesTheBoxesAndLeavesTheMenus)
{
    openPhases({1000, 1000});
    setVolts("480");
    p().chart.gOnePageFlag = true;
    p().menu.setEnabled(menu::kItemViewPwrTable, false);
    p().chart.gPrintLayout = true;
    DisplPlotPwr(p());
    EXPECT_EQ(chart.boxes()[plot::kSiteBox].top, plot::kSiteBoxPrint.top);
    EXPECT_TRUE(chart.boxes()[plot::kSiteBox].text.contains("File Data:  N/A"));
    EXPECT_FALSE(p().menu.enabled(menu::kItemOnepgPlot));
    EXPECT_FALSE(p().menu.enabled(menu::kItemViewPwrTable));

    p().chart.gPrintLayout = false;
    DisplPlotPwr(p());
    EXPECT_TRUE(p().menu.enabled(menu::kItemOnepgPlot));
    EXPECT_TRUE(p().menu.checked(menu::kItemOnepgPlot));
    EXPECT_TRUE(p().menu.enabled(menu::kItemViewPwrTable));
    EXPECT_TRUE(p().view.chart1Visible);
}

TEST_F(PowerTest, PowerPlotCommandAsksForTheLineVoltage)
{
    openAt(0, "a", counting(8), kStart);
    p().rec.gSelectFlag = true;
    p().rec.gDatastart = 3;
    p().chart.gYScaleMin = 7;
    p().menu.setEnabled({menu::kPwrview, menu::kItemViewPower}, true); // as opening a current recording does
    // Cancel: nothing drawn, "0" stored for the next time.
    p().runCommand(menu::kItemViewPower);
    ASSERT_EQ(tp.dialogs.inputs.size(), 1U);
    EXPECT_EQ(tp.dialogs.inputs[0].prompt,
              "Enter line voltage for power calculation\rinput must be volts, not 'KV'");
    EXPECT_EQ(tp.dialogs.inputs[0].defaultText, "0");
    EXPECT_EQ(storedLineVoltage(p()), "0");
    EXPECT_EQ(chart.setValueCalls, 0);

    tp.dialogs.inputAnswers.push_back("480");
    p().menu.setEnabled({menu::kItemPrintTable, menu::kItemExportType, menu::kZoom}, true);
    p().runCommand(menu::kItemViewPower);
    EXPECT_EQ(storedLineVoltage(p()), "480");
    EXPECT_EQ(chart.pointCount(), 8); // the whole recording again
    EXPECT_FALSE(rec().gSelectFlag);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 43.0); // Int(100 x 0.9 x 0.48), no user minimum
    EXPECT_TRUE(p().chart.gPowerView);
    for (const char *item : {menu::kItemPrintTable, menu::kItemExportType, menu::kZoom}) {
        EXPECT_FALSE(p().menu.enabled(item)) << item;
    }
    for (const char *item : {menu::kItemViewPwrTable, menu::kItemViewpwrsummry, menu::kItemPrintpwrSum}) {
        EXPECT_TRUE(p().menu.enabled(item)) << item;
    }
}

// Power summary -------------------------------------------------------------------

TEST_F(PowerTest, SummaryOfOneRecording)
{
    openAt(0, "a", {2000, 1000, 1000, 1000}, kStart);
    setVolts("480");
    DisplPlotPwr(p());
    p().runCommand(menu::kItemViewpwrsummry);
    const QString expected =
        "    File:     rec0.dat" + QString(13, ' ') + " 3" + QString("  Values").leftJustified(29) +
        "Ser. 1234" + kCrLf + "    " +
        "Mode:    a Average        Cont         15 min interval                  LOW  Range" + kCrLf +
        "All Files:  Start:  10:00  Jan 01, 24                End:  10:00  Jan 01, 24" + kCrLf +
        "         Min: 48.0 KW                                      Max: 96.0 KW    " + kCrLf +
        "Line Voltage: 480   Total Energy In Displayed Area: 36 KWHR  Power Factor: 1   ";
    EXPECT_EQ(p().view.Label1.text, expected);
    EXPECT_EQ(p().view.Label2.text, "Loc:    Main St\r\nName: J. Doe\r\nCirc:    Feeder 4\r\nOther: dry\r\n");
    EXPECT_TRUE(p().view.Label1.visible);
    EXPECT_TRUE(p().view.Label2.visible);
    EXPECT_FALSE(p().view.chart1Visible);
}

TEST_F(PowerTest, SummaryOfThreeRecordingsAndOfASelection)
{
    openPhases({1000, 1000, 1000}, 40);
    rec().gInfo[1][kColSerial] = "0002";
    rec().gInfo[2][kColLast] = 35; // the count shown is that of ginx for every file
    setVolts("1000");
    rec().ginx = 0;
    installChartCommands(p());
    p().chart.gSelStart = 8;
    p().chart.gSelEnd = 15;
    p().chart.gZoomPending = true;
    DisplPlotPwr(p());
    const QStringList lines = powerSummaryText(p()).split(kCrLf);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[0].startsWith("    File:     rec0.dat              39  Values"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("    File:     rec1.dat              39  Values"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith("Ser. 0002"));
    EXPECT_TRUE(lines[2].startsWith("    File:     rec2.dat              39  Values"));
    // The zoomed span: values 8..15, 10:00 + 2 h .. 10:00 + 3 h 45.
    EXPECT_EQ(lines[4], "Selected:       Start  12:00  Jan 01, 24                Finish  13:45  Jan 01, 24");
    // 173.2 A x 1 kV
    EXPECT_EQ(lines[5], " Min 173.2                                      max  173.2");

    p().power.energyText.clear(); // no power plot in this span: no supply line
    EXPECT_TRUE(powerSummaryText(p()).endsWith("max  173.2\r\n"));
}

TEST_F(PowerTest, SummaryPrintsLabel1Only)
{
    openPhases({1000});
    setVolts("480");
    DisplPlotPwr(p());
    FakePrinter printer;
    p().io.printer = &printer;
    tp.dialogs.printerAnswers = {false};
    p().runCommand(menu::kItemPrintpwrSum);
    EXPECT_TRUE(printer.lines.empty()); // cancelled silently
    EXPECT_TRUE(tp.dialogs.messages.empty());

    p().runCommand(menu::kItemPrintpwrSum);
    const QStringList printed = printer.texts();
    ASSERT_GE(printed.size(), 2);
    EXPECT_EQ(printed[0], "");
    EXPECT_TRUE(printed[1].startsWith("    File:     rec0.dat"));
    EXPECT_FALSE(printed.join('\n').contains("Loc:"));
    EXPECT_EQ(printer.lines[0].font, "Times New Roman");
    EXPECT_EQ(printer.endDocs, 1);

    // The view afterwards shows, and does not print again.
    p().runCommand(menu::kItemViewpwrsummry);
    EXPECT_EQ(printer.endDocs, 1);
    p().io.printer = nullptr;
}

// Power table ---------------------------------------------------------------------

struct PowerTableCase {
    const char *name;
    const char *letter;
    const char *range;
    int values;
    const char *heading;
    int lines;
    const char *firstValue; // the first value as formatted, with its two blanks
    const char *lastLine;
};

class PowerTableLayouts : public PowerTest, public ::testing::WithParamInterface<PowerTableCase> {};

TEST_P(PowerTableLayouts, LinesValuesAndTimes)
{
    const PowerTableCase &c = GetParam();
    // 100.0 + i A at 1 kV: 100 + i kW.
    openAt(0, c.letter, counting(c.values), kStart, c.range);
    setVolts("1000");
    DisplPlotPwr(p());
    p().runCommand(menu::kItemViewPwrTable);
    EXPECT_EQ(p().view.Header1.text, QString(c.heading) + "  ");
    const QStringList lines = p().report.gTable.split(kCrLf);
    ASSERT_EQ(lines.size(), c.lines + 1);
    EXPECT_EQ(lines.last(), "");
    EXPECT_EQ(lines[0].left(23), "10:00  Jan 01, 24      ");
    EXPECT_EQ(lines[0].mid(23, QString(c.firstValue).size()), c.firstValue);
    EXPECT_EQ(lines[c.lines - 1].toStdString(), c.lastLine);
    EXPECT_EQ(p().view.RichTextBox1.text, p().report.gTable);
    EXPECT_EQ(p().rec.gOutputMode, OutputMode::PowerTable);
}

INSTANTIATE_TEST_SUITE_P(
    Power, PowerTableLayouts,
    ::testing::Values(
        // 17 values at 15 minutes: 8, 8 and 1, two hours apart.
        PowerTableCase{"fifteenMinutes", "a", "LOW", 17,
                       " Time     Date               Eight readings of average power in KW      ", 3,
                       "  100.0  ", "14:00  Jan 01, 24        116.0  "},
        PowerTableCase{"fifteenMinutesHigh", "d", "HIGH", 9,
                       " Time     Date               Eight readings of average power in KW      ", 2,
                       " 0100   ", "12:00  Jan 01, 24       0108   "},
        // Six a line, thirty minutes apart.
        PowerTableCase{"fiveMinutesHigh", "b", "HIGH", 7,
                       " Time     Date               Six readings of average power in KW        ", 2,
                       "      100    ", "10:30  Jan 01, 24            106    "},
        PowerTableCase{
            "fiveMinutes", "e", "LOW", 6,
            " Time     Date               Six readings of average power in KW        ", 1, "     100.0    ",
            "10:00  Jan 01, 24           100.0         101.0         102.0         103.0         104.0  "
            "       105.0    "},
        // Ten a line, ten minutes apart.
        PowerTableCase{"oneMinute", "c", "LOW", 11,
                       " Time     Date               Ten readings of average power in KW        ", 2,
                       "100.0  ", "10:10  Jan 01, 24      110.0  "},
        PowerTableCase{"oneMinuteHigh", "f", "HIGH", 11,
                       " Time     Date               Ten readings of average power in KW        ", 2,
                       " 0100  ", "10:10  Jan 01, 24       0110  "}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(PowerTest, HighRangeShowsWholeKilowatts)
{
    // 48.2 A at 1 kV: " 0048 " in the 15-minute high-range format.
    openAt(0, "a", {482, 482}, kStart, "HIGH");
    setVolts("1000");
    DisplPlotPwr(p());
    PowerTableProc(p());
    EXPECT_EQ(p().report.gTable.toStdString(), "10:00  Jan 01, 24       0048    0048   \r\n");
}

TEST_F(PowerTest, PowerTableMenus)
{
    openAt(0, "a", counting(4), kStart);
    setVolts("1000");
    DisplPlotPwr(p());
    p().menu.setEnabled({menu::kItemPrintTable, menu::kItemexpdata1perLine}, true);
    p().runCommand(menu::kItemViewPwrTable);
    for (const char *on :
         {menu::kItemPrintPwrTable, menu::kItemExportType, menu::kItemexpdatacsv, menu::kItemexprep}) {
        EXPECT_TRUE(p().menu.enabled(on)) << on;
    }
    for (const char *off : {menu::kItemPrintTable, menu::kItemexpdata1perLine}) {
        EXPECT_FALSE(p().menu.enabled(off)) << off;
    }
    EXPECT_TRUE(p().view.Header1.visible);
    EXPECT_TRUE(p().view.RichTextBox1.visible);
    EXPECT_FALSE(p().view.chart1Visible);
}

} // namespace
