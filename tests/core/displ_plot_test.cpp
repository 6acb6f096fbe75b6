#include "chart/displ_plot.h"
#include "chart_fixture.h"
#include "program/menu_items.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

class DisplPlotTest : public ChartFixture {};

const ChartColor kGrey{210, 210, 210};

// Axis limits ---------------------------------------------------------------

TEST(PlotMath, ValueAxisRunsToTenBelowNinePointOneUnits)
{
    // 9.0 units: 1.1 x 9 = 9.9, raised to 10; 9.1 units gives 10.01 and stays.
    EXPECT_DOUBLE_EQ(plot::valueAxisLimits(90, 20).max, 10.0);
    EXPECT_DOUBLE_EQ(plot::valueAxisLimits(90, 20).min, 1.0); // Int(0.9 x 2) = 1
    EXPECT_NEAR(plot::valueAxisLimits(91, 20).max, 10.01, 1e-9);
    const auto zero = plot::valueAxisLimits(0, 0);
    EXPECT_DOUBLE_EQ(zero.max, 10.0);
    EXPECT_DOUBLE_EQ(zero.min, 0.0);
    // The minimum rounds towards minus infinity, and lies below a negative
    // minimum too (-70 tenths: -7.7 -> -8, where 0.9 x m would give -6.3).
    EXPECT_DOUBLE_EQ(plot::valueAxisLimits(1000, -15).min, -2.0);
    EXPECT_DOUBLE_EQ(plot::valueAxisLimits(0, -70).min, -8.0);
}

TEST(PlotMath, LabelStepRoundsHalvesToEvenAndIsAtLeastOne)
{
    EXPECT_EQ(plot::labelStep(4), 1);  // 0.5 -> 0 -> 1
    EXPECT_EQ(plot::labelStep(12), 2); // 1.5 -> 2
    EXPECT_EQ(plot::labelStep(20), 2); // 2.5 -> 2
    EXPECT_EQ(plot::labelStep(28), 4); // 3.5 -> 4
    EXPECT_EQ(plot::labelStep(0), 1);
}

TEST(PlotMath, NineTimeLabelsStepTimesIntervalApart)
{
    const QDateTime start(QDate(2024, 12, 31), QTime(23, 0), Qt::UTC);
    const QStringList labels = plot::timeLabels(start, 2, 15);
    ASSERT_EQ(labels.size(), 9);
    EXPECT_EQ(labels[0], "Dec 31 23:00");
    EXPECT_EQ(labels[1], "Dec 31 23:30");
    EXPECT_EQ(labels[2], "Jan 01 00:00");
    EXPECT_EQ(labels[8], "Jan 01 03:00");
}

TEST(PlotMath, FileNamesAndTitles)
{
    EXPECT_EQ(plot::fileName("C:\\data\\site\\feeder.dat"), "feeder.dat");
    EXPECT_EQ(plot::fileName("/home/u/rec/feeder.dat"), "feeder.dat");
    EXPECT_EQ(plot::fileName("feeder.dat"), "feeder.dat");
    EXPECT_EQ(plot::unitsTitle("V"), "VOLTS");
    EXPECT_EQ(plot::unitsTitle("A"), "AMPS");
    EXPECT_EQ(plot::unitsTitle("x"), "");
}

TEST(PlotMath, ZoomArithmetic)
{
    const auto avg = plot::averageRange(100, 199, true, 10, 30);
    EXPECT_EQ(avg.start, 110);
    EXPECT_EQ(avg.end, 130);
    EXPECT_EQ(avg.count, 20);
    const auto mma = plot::minMaxAvgRange(300, 599, true, 10, 30);
    EXPECT_EQ(mma.start, 330);
    EXPECT_EQ(mma.end, 390);
    EXPECT_EQ(mma.count, 20);
    // The end of a min/max/avg range stays within the table.
    const auto atEnd = plot::minMaxAvgRange(42000, 42966, true, 10, 400);
    EXPECT_EQ(atEnd.start, 42030);
    EXPECT_EQ(atEnd.end, 42966);
    EXPECT_EQ(atEnd.count, 390);
    // Unzoomed: count rounds (end - start) / 3.
    EXPECT_EQ(plot::minMaxAvgRange(0, 29, false, 0, 0).count, 10);
    EXPECT_EQ(plot::minMaxAvgRange(0, 28, false, 0, 0).count, 9);
}

// Whole plots ---------------------------------------------------------------

TEST_F(DisplPlotTest, AverageModeFIsOneCurveOfCountPlusOnePoints)
{
    openSlot(0, "f", series(12, [](int i) { return i * 10; }), "C:\\data\\one.dat", "V");
    DisplPlot(p());
    ASSERT_EQ(chart.seriesCount(), 1);
    ASSERT_EQ(chart.pointCount(), 12);
    EXPECT_DOUBLE_EQ(chart.value(0, 11), 11.0);
    EXPECT_EQ(chart.valueAxisTitle(), "VOLTS");
    EXPECT_EQ(chart.seriesLegend(0), "one.dat");
    EXPECT_EQ(p().chart.gPointCount, 11);
    EXPECT_EQ(chart.labelStep(), 1); // 11 / 8 = 1.375
    // Mode f is one minute an interval.
    EXPECT_EQ(chart.labels()[1], "Jan 01 10:01");
    EXPECT_EQ(chart.labelFont().name, "arial");
    EXPECT_EQ(chart.labelFont().points, 8);
    EXPECT_FALSE(chart.labelFont().bold);
    EXPECT_EQ(chart.labelFont().color, (ChartColor{0, 0, 0}));
    EXPECT_FALSE(chart.dataOpen());
}

TEST_F(DisplPlotTest, AllZeroValuesGiveAxisZeroToTen)
{
    openSlot(0, "a", std::vector<int16_t>(20, 0));
    DisplPlot(p());
    EXPECT_DOUBLE_EQ(chart.valueAxisMax(), 10.0);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 0.0);
    EXPECT_EQ(p().chart.gSelMax, 0);
    EXPECT_EQ(p().chart.gSelMin, 0);
}

TEST_F(DisplPlotTest, TwoAverageRecordingsAreTwoNamedCurvesWithoutCaption)
{
    openSlot(0, "a", series(40, [](int i) { return i * 10; }), "C:\\data\\north.dat");
    openSlot(1, "a", std::vector<int16_t>(40, 5), "C:\\data\\south.dat");
    DisplPlot(p());
    ASSERT_EQ(chart.seriesCount(), 2);
    EXPECT_EQ(chart.pointCount(), 40);
    EXPECT_EQ(chart.seriesLegend(0), "north.dat");
    EXPECT_EQ(chart.seriesLegend(1), "south.dat");
    EXPECT_DOUBLE_EQ(chart.value(0, 39), 39.0);
    EXPECT_DOUBLE_EQ(chart.value(1, 20), 0.5);
    EXPECT_EQ(chart.valueAxisTitle(), "AMPS");
    EXPECT_NEAR(chart.valueAxisMax(), 42.9, 1e-9);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 0.0);
    EXPECT_EQ(p().chart.gSelMax, 390);
    EXPECT_EQ(p().chart.gSelMin, 0);
    // Step 39 / 8 -> 5 points of 15 minutes.
    EXPECT_EQ(chart.labelStep(), 5);
    EXPECT_EQ(chart.labels(),
              QStringList({"Jan 01 10:00", "Jan 01 11:15", "Jan 01 12:30", "Jan 01 13:45", "Jan 01 15:00",
                           "Jan 01 16:15", "Jan 01 17:30", "Jan 01 18:45", "Jan 01 20:00"}));
    ASSERT_EQ(chart.boxCount(), 3);
    for (const ChartBox &b : chart.boxes()) {
        EXPECT_TRUE(b.text.isEmpty());
        EXPECT_TRUE(b.transparent); // empty boxes draw nothing
    }
    EXPECT_TRUE(chart.bands().empty());
    EXPECT_EQ(chart.marginFirst(), 20);
    EXPECT_EQ(chart.marginSecond(), 110);
}

TEST_F(DisplPlotTest, AShorterRecordingEndsWhereItsValuesEnd)
{
    openSlot(0, "a", std::vector<int16_t>(40, 100), "C:\\data\\long.dat");
    openSlot(1, "a", std::vector<int16_t>(10, 50), "C:\\data\\short.dat");
    rec().gdataend = 39;
    DisplPlot(p());
    EXPECT_DOUBLE_EQ(chart.value(1, 9), 5.0);
    for (int j = 10; j < 40; ++j) {
        EXPECT_TRUE(std::isnan(chart.value(1, j))) << j; // a gap, not readings of 0
    }
    EXPECT_EQ(p().chart.gSelMin, 50); // no 0 that was never read

    // Two min/max/avg recordings of different lengths: the same.
    openSlot(0, "g", std::vector<int16_t>(30, 100), "C:\\data\\long.dat");
    openSlot(1, "g", std::vector<int16_t>(9, 60), "C:\\data\\short.dat");
    p().chart.gAskDisplay = false;
    DisplPlot(p());
    EXPECT_DOUBLE_EQ(chart.value(1, 2), 6.0);
    EXPECT_TRUE(std::isnan(chart.value(1, 3)));
}

TEST_F(DisplPlotTest, AScaleAboveTheMaximumStillGivesAnAxisWithARange)
{
    openSlot(0, "a", series(40, [](int i) { return 1000 + i * 20; }));
    p().chart.gYScaleMin = 500;
    rec().gOutputMode = OutputMode::CancelOrUserScaleMin;
    DisplPlot(p());
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 500.0);
    EXPECT_GT(chart.valueAxisMax(), chart.valueAxisMin());
}

TEST_F(DisplPlotTest, OneMinMaxAvgRecordingHasMaxAverageMinAndItsCaption)
{
    // Mode g: average, maximum, minimum of each interval.
    openSlot(0, "g", series(30, [](int i) { return (i % 3 == 0   ? 100
                                                    : i % 3 == 1 ? 200
                                                                 : 50) +
                                                   i / 3; }),
             "C:\\data\\mma.dat");
    DisplPlot(p());
    ASSERT_EQ(chart.seriesCount(), 3);
    ASSERT_EQ(chart.pointCount(), 10);
    EXPECT_EQ(p().chart.gPointCount, 10);
    EXPECT_DOUBLE_EQ(chart.value(0, 4), 20.4); // maximum
    EXPECT_DOUBLE_EQ(chart.value(1, 4), 10.4); // average
    EXPECT_DOUBLE_EQ(chart.value(2, 4), 5.4);  // minimum
    EXPECT_EQ(chart.seriesLegend(0), "Max");
    EXPECT_EQ(chart.seriesLegend(1), "Average");
    EXPECT_EQ(chart.seriesLegend(2), "Min");
    EXPECT_NEAR(chart.valueAxisMax(), 1.1 * 209 / 10, 1e-9);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 4.0); // Int(0.9 x 5.0)
    // Interval j starts 15 x j minutes on.
    EXPECT_EQ(chart.labels()[1], "Jan 01 10:15");

    const ChartBox caption = chart.box(plot::kCaptionBox);
    EXPECT_EQ(caption.text, "File: C:\\data\\mma.dat");
    EXPECT_EQ(caption.background, kGrey);
    EXPECT_EQ(caption.fontSize, 10);
    EXPECT_TRUE(caption.framed);
    EXPECT_EQ(caption.left, 50);
    EXPECT_EQ(caption.top, 410);
    EXPECT_EQ(caption.width, 555);
    EXPECT_EQ(caption.height, 20);
}

TEST_F(DisplPlotTest, ZoomIntoPointsTenToThirtyOfARangeStartingAt100)
{
    openSlot(0, "a", series(300, [](int i) { return i; }));
    rec().gDatastart = 100;
    rec().gdataend = 199;
    p().chart.gSelStart = 10;
    p().chart.gSelEnd = 30;
    p().chart.gZoomPending = true;
    DisplPlot(p());
    EXPECT_EQ(rec().gDatastart, 110);
    EXPECT_EQ(rec().gdataend, 130);
    EXPECT_EQ(chart.pointCount(), 21);
    EXPECT_DOUBLE_EQ(chart.value(0, 0), 11.0);
    EXPECT_DOUBLE_EQ(chart.value(0, 20), 13.0);
    EXPECT_TRUE(rec().gSelectFlag);
    EXPECT_EQ(p().chart.gPointCount, 20);
    EXPECT_FALSE(p().chart.gZoomPending);
    // The time axis starts at value 110: 110 x 15 minutes after 10:00.
    EXPECT_EQ(chart.labels()[0], "Jan 02 13:30");
    EXPECT_EQ(p().chart.gSelMax, 130);
    EXPECT_EQ(p().chart.gSelMin, 110);

    // Redrawn later, the zoomed range keeps its own point count.
    DisplPlot(p());
    EXPECT_EQ(rec().gDatastart, 110);
    EXPECT_EQ(chart.pointCount(), 21);
    EXPECT_EQ(p().chart.gPointCount, 20);
}

TEST_F(DisplPlotTest, MinMaxAvgZoomStopsAtTheLastValueIndex)
{
    openSlot(0, "g", series(kMaxValues, [](int i) { return i % 3 == 1 ? 30 : 10; }));
    rec().gDatastart = 42000;
    rec().gdataend = kLastValueIndex;
    p().chart.gSelStart = 10;
    p().chart.gSelEnd = 400;
    p().chart.gZoomPending = true;
    DisplPlot(p());
    EXPECT_EQ(rec().gDatastart, 42030);
    EXPECT_EQ(rec().gdataend, 42966);
    EXPECT_EQ(chart.pointCount(), 390);
    EXPECT_EQ(p().chart.gPointCount, 390);
    EXPECT_DOUBLE_EQ(chart.value(0, 0), 3.0);
    // Points beyond the table read nothing from outside it.
    EXPECT_DOUBLE_EQ(chart.value(0, 389), 0.0);
    EXPECT_EQ(p().chart.gSelMax, 30);
}

TEST_F(DisplPlotTest, OnePageSiteBoxShowsFileDataOrNA)
{
    openSlot(0, "a", series(20, [](int i) { return 100 + i; }), "C:\\data\\a.dat");
    p().chart.gOnePageFlag = true;
    DisplPlot(p());
    const QString one = chart.box(plot::kSiteBox).text;
    EXPECT_EQ(
        one, "Date printed   Mar-05-24\r\n"
             "Mode:  Average;     Cont;    15 min interval              File Data:   Max  11.9A  Min  10A\r\n"
             "Location: Main St\r\nCircuit:     Feeder 4\r\nName:     J. Doe\r\nOther:      dry\r\n");

    openSlot(1, "a", series(20, [](int i) { return i; }), "C:\\data\\b.dat");
    DisplPlot(p());
    const ChartBox site = chart.box(plot::kSiteBox);
    EXPECT_EQ(site.text,
              "Date printed   Mar-05-24\r\n"
              "Mode:  Average;     Cont;    15 min interval               File Data:  N/A              \r\n"
              "Location: Main St\r\nCircuit:     Feeder 4\r\nName:     J. Doe\r\nOther:      dry\r\n");
    EXPECT_EQ(site.background, kGrey);
    EXPECT_EQ(site.fontSize, 9);
    EXPECT_FALSE(site.framed);
    EXPECT_EQ(site.left, 50);
    EXPECT_EQ(site.top, 15);
    EXPECT_EQ(site.width, 555);
    EXPECT_EQ(site.height, 100);
    EXPECT_EQ(chart.marginFirst(), 120);
    EXPECT_EQ(chart.marginSecond(), 110);
    EXPECT_TRUE(p().menu.checked(menu::kItemOnepgPlot));
    EXPECT_TRUE(p().menu.enabled(menu::kItemOnepgPlot));
}

TEST_F(DisplPlotTest, OnePageMinMaxAvgSiteTextAndMargins)
{
    openSlot(0, "k", series(30, [](int i) { return 50 + i; }));
    p().chart.gOnePageFlag = true;
    DisplPlot(p());
    EXPECT_TRUE(
        chart.box(plot::kSiteBox)
            .text.contains("Mode:  Min/Max/Avg ;     Stop;    5 min interval              File Data:   Max  "
                           "7.9A  Min  5A\r\n"));
    EXPECT_EQ(chart.marginFirst(), 120);
    EXPECT_EQ(chart.marginSecond(), 100);
}

TEST_F(DisplPlotTest, MarkedAreaDrawsBandAndSelectionBoxThenIsConsumed)
{
    openSlot(0, "g", series(60, [](int i) { return 10 + i; }));
    p().chart.gMarkFlag = true;
    p().chart.gSelStart = 3;
    p().chart.gSelEnd = 8;
    p().chart.gSelStartText = "10:45  Jan 01, 24";
    p().chart.gSelEndText = "12:00  Jan 01, 24";
    DisplPlot(p());
    ASSERT_EQ(chart.bands().size(), 1U);
    EXPECT_EQ(chart.bands()[0].from, 3);
    EXPECT_EQ(chart.bands()[0].to, 8);
    EXPECT_EQ(chart.bands()[0].color, (ChartColor{180, 220, 220}));
    const ChartBox sel = chart.box(plot::kSelectionBoxIndex);
    EXPECT_EQ(sel.text, "Selected:   10:45  Jan 01, 24   to   12:00  Jan 01, 24");
    EXPECT_EQ(sel.fontSize, 9);
    EXPECT_TRUE(sel.framed);
    EXPECT_EQ(sel.left, 160);
    EXPECT_EQ(sel.top, 420);
    EXPECT_EQ(sel.width, 290);
    EXPECT_EQ(sel.height, 20);
    // While an area is marked the min/max/avg caption stays empty.
    EXPECT_TRUE(chart.box(plot::kCaptionBox).text.isEmpty());
    EXPECT_FALSE(p().chart.gMarkFlag);

    // The next drawing has no band.
    DisplPlot(p());
    EXPECT_TRUE(chart.bands().empty());
    EXPECT_FALSE(chart.box(plot::kCaptionBox).text.isEmpty());
}

TEST_F(DisplPlotTest, FinishShowsChartAndResetsTheOneShotState)
{
    openSlot(0, "a", series(20, [](int i) { return i; }));
    p().chart.gZoomPending = false;
    p().chart.gAskDisplay = true;
    p().chart.gPowerShown = true;
    p().chart.gAnnotating = true;
    p().chart.gYScaleMin = 5;
    rec().gOutputMode = OutputMode::CancelOrUserScaleMin;
    DisplPlot(p());
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 5.0); // the user's minimum, this once
    EXPECT_TRUE(chart.isVisible());
    EXPECT_TRUE(p().view.chart1Visible);
    EXPECT_EQ(p().view.statusPanels[0].text, "Status:");
    EXPECT_TRUE(p().view.statusPanels[2].visible);
    EXPECT_TRUE(p().menu.enabled(menu::kItemScale));
    EXPECT_TRUE(p().menu.enabled(menu::kItemOnepgPlot));
    EXPECT_FALSE(p().menu.checked(menu::kItemOnepgPlot));
    EXPECT_FALSE(p().chart.gAnnotating);
    EXPECT_FALSE(p().chart.gAskDisplay);
    EXPECT_FALSE(p().chart.gPowerShown);
    EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing);
    DisplPlot(p());
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 0.0);
}

TEST_F(DisplPlotTest, PrintLayoutMovesBoxesAndLeavesStateForTheScreenRedraw)
{
    openSlot(0, "g", series(30, [](int i) { return 10 + i; }));
    p().chart.gOnePageFlag = true;
    p().chart.gPrintLayout = true;
    p().chart.gMarkFlag = true;
    p().chart.gSelStart = 1;
    p().chart.gSelEnd = 4;
    p().menu.setEnabled(menu::kItemOnepgPlot, true);
    p().menu.setChecked(menu::kItemOnepgPlot, true);
    DisplPlot(p());
    const ChartBox site = chart.box(plot::kSiteBox);
    EXPECT_EQ(site.left, 44);
    EXPECT_EQ(site.top, 46);
    EXPECT_EQ(site.width, 570);
    EXPECT_EQ(site.height, 100);
    EXPECT_EQ(chart.box(plot::kCaptionBox).top, 380);
    const ChartBox sel = chart.box(plot::kSelectionBoxIndex);
    EXPECT_EQ(sel.left, 160);
    EXPECT_EQ(sel.top, 40); // one-page place, unchanged for printing
    EXPECT_FALSE(p().menu.enabled(menu::kItemOnepgPlot));
    EXPECT_FALSE(p().menu.checked(menu::kItemOnepgPlot));
    EXPECT_TRUE(p().chart.gMarkFlag);
    EXPECT_FALSE(chart.isVisible());
}

class FakeDisplaySel : public DisplaySelView {
public:
    FakeDisplaySel(Program &p, bool avg, bool max, bool min) : p_(p), avg_(avg), max_(max), min_(min) {}
    void showModal() override
    {
        ++shown;
        DisplaySelProceed(p_, avg_, max_, min_);
    }
    int shown = 0;

private:
    Program &p_;
    bool avg_, max_, min_;
};

TEST_F(DisplPlotTest, SeveralMinMaxAvgRecordingsAskWhichPartOnce)
{
    auto mma = [](int base) {
        return series(30, [base](int i) { return base + (i % 3 == 0 ? 10 : i % 3 == 1 ? 20 : 5); });
    };
    openSlot(0, "g", mma(0), "C:\\d\\x.dat");
    openSlot(1, "g", mma(1), "C:\\d\\y.dat");
    FakeDisplaySel ask(p(), false, true, false);
    p().windows.displaySel = &ask;
    p().chart.gAskDisplay = true;
    DisplPlot(p());
    EXPECT_EQ(ask.shown, 1);
    EXPECT_EQ(p().chart.gDisplaySel, 2);
    ASSERT_EQ(chart.seriesCount(), 2);
    EXPECT_DOUBLE_EQ(chart.value(0, 3), 2.0);
    EXPECT_DOUBLE_EQ(chart.value(1, 3), 2.1);
    EXPECT_EQ(chart.seriesLegend(0), "x.dat");
    EXPECT_EQ(chart.seriesLegend(1), "y.dat");
    EXPECT_EQ(chart.box(plot::kCaptionBox).text, "Data Displayed: MAXIMUM");
    EXPECT_FALSE(p().chart.gAskDisplay);

    // Redraws keep the choice without asking again.
    DisplPlot(p());
    EXPECT_EQ(ask.shown, 1);
    EXPECT_DOUBLE_EQ(chart.value(0, 3), 2.0);

    p().chart.gDisplaySel = 3;
    DisplPlot(p());
    EXPECT_DOUBLE_EQ(chart.value(1, 3), 0.6);
    EXPECT_EQ(chart.box(plot::kCaptionBox).text, "Data Displayed: MINIMUM");
}

TEST_F(DisplPlotTest, DisplaySelectionLastOptionSetWins)
{
    p().chart.gDisplaySel = 3;
    DisplaySelProceed(p(), false, false, false);
    EXPECT_EQ(p().chart.gDisplaySel, 3);
    DisplaySelProceed(p(), true, false, false);
    EXPECT_EQ(p().chart.gDisplaySel, 1);
    DisplaySelProceed(p(), true, false, true);
    EXPECT_EQ(p().chart.gDisplaySel, 3);
    DisplaySelProceed(p(), false, true, true);
    EXPECT_EQ(p().chart.gDisplaySel, 2);
}

TEST_F(DisplPlotTest, NothingOpenDrawsNothing)
{
    DisplPlot(p());
    EXPECT_EQ(chart.seriesCount(), 0);
    EXPECT_FALSE(chart.isVisible());
}

TEST_F(DisplPlotTest, RedrawRoutesToThePowerPlot)
{
    openSlot(0, "a", series(10, [](int i) { return i; }));
    int power = 0;
    p().chart.powerPlot = [&power] { ++power; };
    p().chart.gPowerView = true;
    redrawChart(p());
    EXPECT_EQ(power, 1);
    EXPECT_EQ(chart.seriesCount(), 0);
    redrawShownChart(p()); // the recording plot is shown
    EXPECT_EQ(power, 1);
    EXPECT_EQ(chart.seriesCount(), 1);
    p().chart.gPowerShown = true;
    redrawShownChart(p());
    EXPECT_EQ(power, 2);
}

} // namespace
