#include "chart/chart_commands.h"
#include "chart/chart_interaction.h"
#include "chart/displ_plot.h"
#include "chart_fixture.h"
#include "platform/printer_device.h"
#include "program/menu_items.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

namespace {

class NullPrinter : public PrinterDevice {
public:
    void setFont(const QString &, double) override {}
    void setBold(bool) override {}
    void setScaleLeft(int) override {}
    void setCurrentX(int) override {}
    void setCurrentY(int) override {}
    int currentX() const override { return 0; }
    int currentY() const override { return 0; }
    void printLine(const QString &) override {}
    void print(const QString &) override {}
    void newPage() override {}
    bool endDoc() override { return true; }
};

class ChartInteractionTest : public ChartFixture {
protected:
    ChartInteractionTest()
    {
        tp.p().io.printer = &printer;
        installChartCommands(tp.p());
    }

    // An average recording of 50 values 10.0 .. 14.9 units, plotted.
    void plotAverage()
    {
        openSlot(0, "a", series(50, [](int i) { return 100 + i; }), "C:\\data\\feeder.dat");
        p().runCommand(menu::kItemViewPlot);
    }
    // A min/max/avg recording of 30 intervals, plotted.
    void plotMinMaxAvg()
    {
        openSlot(0, "g", series(90, [](int i) { return i % 3 == 1 ? 140 : 100; }), "C:\\data\\mma.dat");
        p().runCommand(menu::kItemViewPlot);
    }
    ChartInteraction &ui() { return static_cast<ChartInteraction &>(*p().chart.interaction); }
    QString panel(int n) const { return tp.program->view.statusPanels[static_cast<size_t>(n - 1)].text; }
    int yIn() const { return chart.yOf(12.3); } // a value inside the axis limits

    NullPrinter printer;
};

// Status-bar read-out ---------------------------------------------------------

TEST_F(ChartInteractionTest, MoveOverDataShowsTimeAndValue)
{
    plotAverage();
    ASSERT_EQ(chart.listener(), p().chart.interaction.get());
    chart.move(chart.xOf(4), yIn());
    EXPECT_EQ(ui().outsideFlag(), 0);
    EXPECT_EQ(ui().edgeFlag(), 0);
    EXPECT_EQ(panel(2), "11:00  Jan 01, 24");
    EXPECT_EQ(panel(3), "12");
    EXPECT_EQ(chart.cursor(), ChartCursor::Arrow);
    EXPECT_NEAR(ui().cursorPoint(), 4.5, 1e-9);
}

TEST_F(ChartInteractionTest, MoveOutsideTheDataEmptiesThePanels)
{
    plotAverage();
    // Above the value axis.
    chart.move(chart.xOf(4), chart.yOf(30));
    EXPECT_EQ(ui().outsideFlag(), 1);
    EXPECT_EQ(panel(2), "");
    EXPECT_EQ(panel(3), "");
    EXPECT_EQ(chart.cursor(), ChartCursor::NoDrop);
    // Right of the last value.
    chart.move(chart.xOf(70), yIn());
    EXPECT_EQ(ui().outsideFlag(), 2);
    EXPECT_EQ(ui().edgeFlag(), 2);
    EXPECT_EQ(panel(2), "");
    EXPECT_EQ(panel(3), "");
    EXPECT_EQ(chart.cursor(), ChartCursor::NoDrop);
    // Left of the first point but inside the chart: the first time stamp.
    chart.move(chart.xOf(-2), yIn());
    EXPECT_EQ(ui().edgeFlag(), 1);
    EXPECT_EQ(panel(2), "10:00  Jan 01, 24");
    EXPECT_EQ(panel(3), "");
    EXPECT_EQ(chart.cursor(), ChartCursor::Arrow);
    // At the left edge of the chart.
    chart.move(10, yIn());
    EXPECT_EQ(ui().outsideFlag(), 1);
    EXPECT_EQ(panel(2), "");
    EXPECT_EQ(chart.cursor(), ChartCursor::NoDrop);
}

TEST_F(ChartInteractionTest, MinMaxAvgPointFourReadsValueIndexStartPlusTwelve)
{
    plotMinMaxAvg();
    // Zoom so that the range starts at value index 6 (interval 2).
    p().chart.gSelStart = 2;
    p().chart.gSelEnd = 20;
    p().menu.setEnabled(menu::kZoom, true);
    p().runCommand(menu::kZoom);
    ASSERT_EQ(rec().gDatastart, 6);
    chart.move(chart.xOf(4), yIn());
    // Value index 6 + 12 = 18: interval 6, 90 minutes on.
    EXPECT_EQ(panel(2), "11:30  Jan 01, 24");
    chart.drag(chart.xOf(1), yIn(), chart.xOf(4), yIn());
    EXPECT_EQ(p().chart.gSelStart, 1);
    EXPECT_EQ(p().chart.gSelEnd, 4);
    EXPECT_EQ(p().chart.gSelStartText, "10:45  Jan 01, 24"); // index 9
    EXPECT_EQ(p().chart.gSelEndText, "11:30  Jan 01, 24");   // index 18
}

TEST_F(ChartInteractionTest, ScreenIsUpdatedOnlyWhenTheReadOutChanges)
{
    struct CountingView : MainView {
        void sync() override { ++syncs; }
        void quit() override {}
        int syncs = 0;
    } view;
    plotAverage();
    p().windows.main = &view;
    chart.move(chart.xOf(4), yIn());
    EXPECT_EQ(view.syncs, 1);
    chart.move(chart.xOf(4) + 2, yIn() + 1); // same point, same value
    EXPECT_EQ(view.syncs, 1);
    chart.move(chart.xOf(5), yIn());
    EXPECT_EQ(view.syncs, 2);
    p().windows.main = nullptr;
}

TEST_F(ChartInteractionTest, ReadOutIsCheap)
{
    plotAverage();
    QElapsedTimer t;
    t.start();
    constexpr int kMoves = 2000;
    for (int i = 0; i < kMoves; ++i) {
        chart.move(chart.xOf(i % 50), yIn());
    }
    const double perMoveMs = static_cast<double>(t.nsecsElapsed()) / 1e6 / kMoves;
    EXPECT_LT(perMoveMs, 1.0);
    RecordProperty("read_out_us", static_cast<int>(perMoveMs * 1000));
}

// Marking an area -----------------------------------------------------------------

TEST_F(ChartInteractionTest, PressAndReleaseMarkAnAreaAndEnableZoom)
{
    plotAverage();
    p().menu.setEnabled(menu::kZoom, false);
    chart.drag(chart.xOf(10), yIn(), chart.xOf(20), yIn());
    EXPECT_EQ(p().chart.gSelStart, 10);
    EXPECT_EQ(p().chart.gSelEnd, 20);
    EXPECT_EQ(p().chart.gSelStartText, "12:30  Jan 01, 24");
    EXPECT_EQ(p().chart.gSelEndText, "15:00  Jan 01, 24");
    EXPECT_TRUE(p().menu.enabled(menu::kZoom));
    ASSERT_EQ(chart.bands().size(), 1U);
    EXPECT_EQ(chart.bands()[0].from, 10);
    EXPECT_EQ(chart.bands()[0].to, 20);
    EXPECT_EQ(chart.box(plot::kSelectionBoxIndex).text,
              "Selected:   12:30  Jan 01, 24   to   15:00  Jan 01, 24");
    EXPECT_TRUE(chart.isVisible());
    EXPECT_EQ(ui().pressFlag(), 0);

    // Zoom into it.
    p().runCommand(menu::kZoom);
    EXPECT_EQ(rec().gDatastart, 10);
    EXPECT_EQ(rec().gdataend, 20);
    EXPECT_EQ(chart.pointCount(), 11);
    EXPECT_TRUE(rec().gZoomFlag);
    EXPECT_FALSE(p().menu.enabled(menu::kZoom));
    EXPECT_TRUE(chart.bands().empty());
    EXPECT_TRUE(chart.typeFlags() & chartcmd::kTypeFlag);
}

TEST_F(ChartInteractionTest, ReleaseLeftOfThePressMarksNothingButRedraws)
{
    plotAverage();
    chart.clearLog();
    chart.drag(chart.xOf(10), yIn(), chart.xOf(5), yIn());
    EXPECT_EQ(p().chart.gSelStart, 10);
    EXPECT_TRUE(chart.bands().empty());
    EXPECT_TRUE(chart.box(plot::kSelectionBoxIndex).text.isEmpty());
    EXPECT_TRUE(chart.calls.contains("openData(1,50)"));
    EXPECT_TRUE(chart.isVisible());
}

TEST_F(ChartInteractionTest, PressAndReleaseBeyondTheEndAreClamped)
{
    plotAverage();
    // A drag that starts right of the data is refused at once.
    chart.clearLog();
    chart.drag(chart.xOf(60), yIn(), chart.xOf(70), yIn());
    EXPECT_EQ(ui().pressFlag(), 0);
    EXPECT_FALSE(chart.calls.contains("openData(1,50)"));

    // Point 50 is past the last point 49 but still next to the data: the
    // press there and a release further right both clamp to the last point,
    // which marks no area.
    chart.drag(chart.xOf(50), yIn(), chart.xOf(55), yIn());
    EXPECT_EQ(p().chart.gSelStart, 49);
    EXPECT_EQ(p().chart.gSelEnd, 49);
    EXPECT_TRUE(chart.bands().empty());
    EXPECT_TRUE(chart.calls.contains("openData(1,50)"));
    EXPECT_TRUE(chart.isVisible());

    // A drag from inside the data to beyond its end stops at the last point.
    chart.drag(chart.xOf(40), yIn(), chart.xOf(52), yIn());
    EXPECT_EQ(p().chart.gSelEnd, 49);
    ASSERT_EQ(chart.bands().size(), 1U);
    EXPECT_EQ(chart.bands()[0].to, 49);
}

TEST_F(ChartInteractionTest, PressOutsideTheValueAxisIsRefused)
{
    plotAverage();
    p().chart.gSelStart = 3;
    chart.move(chart.xOf(10), chart.yOf(40));
    chart.press(chart.xOf(10), chart.yOf(40));
    EXPECT_EQ(ui().edgeFlag(), 1);
    EXPECT_EQ(ui().pressFlag(), 0);
    EXPECT_EQ(p().chart.gSelStart, 3);
    // Its release, back over the data, marks nothing from an old start.
    chart.move(chart.xOf(20), yIn());
    chart.release(chart.xOf(20), yIn());
    EXPECT_TRUE(chart.bands().empty());
}

// Commands ---------------------------------------------------------------------

TEST_F(ChartInteractionTest, PlotCommandResetsRangeAndMenus)
{
    openSlot(0, "a", series(50, [](int i) { return i; }));
    rec().gDatastart = 10;
    rec().gdataend = 20;
    rec().gSelectFlag = true;
    rec().gZoomFlag = true;
    p().chart.gOnePageFlag = true;
    p().chart.gPowerView = true;
    p().menu.setEnabled(menu::kItemViewTable, false);
    p().view.RichTextBox1.visible = true;
    p().runCommand(menu::kItemViewPlot);
    EXPECT_EQ(rec().gDatastart, 0);
    EXPECT_EQ(rec().gdataend, 49);
    EXPECT_FALSE(rec().gSelectFlag);
    EXPECT_FALSE(rec().gZoomFlag);
    EXPECT_FALSE(p().chart.gOnePageFlag);
    EXPECT_FALSE(p().chart.gPowerView);
    EXPECT_FALSE(p().view.RichTextBox1.visible);
    EXPECT_EQ(chart.pointCount(), 50);
    EXPECT_TRUE(chart.typeFlags() & chartcmd::kTypeFlag);
    EXPECT_TRUE(p().menu.enabled(menu::kItemViewTable));
    EXPECT_FALSE(p().menu.enabled(menu::kItemPrintTable));
    EXPECT_FALSE(p().menu.enabled(menu::kItemExportType));
    EXPECT_FALSE(p().menu.enabled(menu::kZoom));
    EXPECT_TRUE(chart.isVisible());
}

TEST_F(ChartInteractionTest, ScaleTakesWholeNumbersForOneDrawing)
{
    plotAverage();
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 9.0);
    for (const char *bad : {"abc", "", "5.5", "99999"}) {
        chart.clearLog();
        tp.dialogs.inputAnswers.push_back(bad);
        p().runCommand(menu::kItemScale);
        EXPECT_EQ(tp.dialogs.inputs.back().prompt, "Enter min value for Y Scale");
        EXPECT_EQ(tp.dialogs.inputs.back().defaultText, "0");
        EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing) << bad;
        EXPECT_DOUBLE_EQ(p().chart.gYScaleMin, 0) << bad;
        EXPECT_TRUE(chart.calls.isEmpty()) << bad;
    }
    EXPECT_TRUE(tp.dialogs.messages.empty());

    tp.dialogs.inputAnswers.push_back("5");
    p().runCommand(menu::kItemScale);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 5.0);
    EXPECT_DOUBLE_EQ(p().chart.gYScaleMin, 5.0);
    EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing);
    p().runCommand(menu::kItemRefresh);
    EXPECT_DOUBLE_EQ(chart.valueAxisMin(), 9.0);
}

TEST_F(ChartInteractionTest, AddNoteStopsMarkingUntilTheNextPlot)
{
    plotAverage();
    p().runCommand(menu::kItemadd);
    ASSERT_EQ(chart.boxCount(), 4);
    const ChartBox note = chart.box(3);
    EXPECT_EQ(note.text, "Enter note here. Then click outside this box.");
    EXPECT_EQ(note.left, 300);
    EXPECT_EQ(note.top, 200);
    EXPECT_EQ(note.width, 100);
    EXPECT_EQ(note.height, 50);
    EXPECT_EQ(note.fontSize, 9);
    EXPECT_TRUE(note.framed);
    EXPECT_TRUE(chart.annotationEditing());
    EXPECT_TRUE(p().chart.gAnnotating);

    p().chart.gSelStart = 0;
    chart.clearLog();
    chart.drag(chart.xOf(10), yIn(), chart.xOf(20), yIn());
    EXPECT_EQ(p().chart.gSelStart, 0);
    EXPECT_TRUE(chart.bands().empty());
    EXPECT_FALSE(chart.annotationEditing()); // the release ends the editing
    EXPECT_FALSE(chart.calls.contains("openData(1,50)"));
    EXPECT_EQ(chart.boxCount(), 4);

    p().runCommand(menu::kItemRefresh);
    EXPECT_FALSE(p().chart.gAnnotating);
    chart.drag(chart.xOf(10), yIn(), chart.xOf(20), yIn());
    EXPECT_EQ(chart.bands().size(), 1U);
}

TEST_F(ChartInteractionTest, ClearNotesRemovesFromTheLastDownToTheFifth)
{
    plotAverage();
    p().runCommand(menu::kItemadd);
    p().runCommand(menu::kItemadd);
    p().runCommand(menu::kItemadd);
    ASSERT_EQ(chart.boxCount(), 6);
    chart.clearLog();
    p().runCommand(menu::kItemClearNote);
    EXPECT_EQ(chart.removedBoxes, (std::vector<int>{5, 4}));
    EXPECT_TRUE(chart.calls.contains("openData(1,50)"));
    EXPECT_EQ(chart.boxCount(), 3);
}

TEST_F(ChartInteractionTest, OnePagePlotOnAndOff)
{
    tp.settings.store.save("Settings", "mrufile1", "C:\\data\\feeder.dat");
    plotAverage();
    p().chart.gMarkFlag = true;
    p().runCommand(menu::kItemOnepgPlot);
    EXPECT_TRUE(p().chart.gOnePageFlag);
    for (int b : {0, 1, 2, 5, 7}) {
        EXPECT_FALSE(chart.buttonVisible(b)) << b;
    }
    EXPECT_TRUE(chart.buttonVisible(3));
    ASSERT_TRUE(chart.commands().count(101));
    EXPECT_EQ(chart.commands().at(101).text, "Print on one page");
    EXPECT_EQ(chart.commands().at(101).picture, 2);
    EXPECT_EQ(chart.toolbar().inserted, (std::vector<int>{7}));
    EXPECT_EQ(chart.toolbar().buttonCommand.at(7), 101);
    EXPECT_FALSE(chart.box(plot::kSiteBox).text.isEmpty());
    EXPECT_TRUE(chart.bands().empty());
    EXPECT_FALSE(p().menu.enabled(menu::kView));
    EXPECT_FALSE(p().menu.enabled(menu::kPwrview));
    EXPECT_TRUE(p().menu.checked(menu::kItemOnepgPlot));
    EXPECT_EQ(
        p().view.Label1.text,
        "\rONE PAGE PLOT IS ENABLED\rClick the Print Icon to print this report.\r(To return regular plot "
        "mode, uncheck the 'One Page Plot' item under 'Options'");
    EXPECT_TRUE(p().view.Label1.visible);
    EXPECT_EQ(p().view.label1Background, 0xC0C0C0U);
    EXPECT_FALSE(p().menu.enabled(menu::kItemOpen));
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(p().menu.visible(MenuModel::mru(i)));
    }

    p().runCommand(menu::kItemOnepgPlot);
    EXPECT_FALSE(p().chart.gOnePageFlag);
    EXPECT_FALSE(p().menu.checked(menu::kItemOnepgPlot));
    for (int b : {0, 1, 2, 5}) {
        EXPECT_TRUE(chart.buttonVisible(b)) << b;
    }
    EXPECT_EQ(chart.commands().at(101).text, "Print...");
    EXPECT_TRUE(chart.box(plot::kSiteBox).text.isEmpty());
    EXPECT_TRUE(p().menu.enabled(menu::kView));
    EXPECT_TRUE(p().menu.enabled(menu::kPwrview));
    EXPECT_FALSE(p().view.Label1.visible);
    EXPECT_TRUE(p().menu.enabled(menu::kItemOpen));
    EXPECT_TRUE(p().menu.visible(MenuModel::mru(1)));
    EXPECT_FALSE(p().menu.visible(MenuModel::mru(2)));
}

TEST_F(ChartInteractionTest, PrintOnOnePageEndsWithNoRecordingOpen)
{
    plotAverage();
    p().runCommand(menu::kItemOnepgPlot);
    chart.clearLog();
    chart.command(ChartInteraction::kPrintOnePageCommand);
    // Redrawn for printing first: boxes in their print places.
    EXPECT_TRUE(chart.calls.contains("openData(1,50)"));
    EXPECT_EQ(chart.box(plot::kSiteBox).left, 44);
    EXPECT_EQ(tp.dialogs.printerDialogs, 1);
    EXPECT_EQ(chart.printCount(), 1);
    EXPECT_GT(chart.calls.indexOf("print()"), chart.calls.indexOf("setToolbarButtonCommand(7,29443)"));
    EXPECT_FALSE(rec().slotInUse(0));
    EXPECT_FALSE(p().chart.gPrintLayout);
    EXPECT_FALSE(p().chart.gOnePageFlag);
    EXPECT_FALSE(p().menu.enabled(menu::kItemOnepgPlot));
    EXPECT_FALSE(p().menu.checked(menu::kItemOnepgPlot));
    EXPECT_FALSE(p().menu.enabled(menu::kZoom));
    EXPECT_FALSE(p().menu.enabled(menu::kItemViewPlot));
    EXPECT_TRUE(p().menu.enabled(menu::kItemOpen));
    EXPECT_FALSE(chart.isVisible());
}

TEST_F(ChartInteractionTest, CancelledPrintStillClosesTheRecordings)
{
    plotAverage();
    p().runCommand(menu::kItemOnepgPlot);
    tp.dialogs.printerAnswers.push_back(false);
    chart.command(ChartInteraction::kPrintOnePageCommand);
    EXPECT_EQ(chart.printCount(), 0);
    EXPECT_FALSE(rec().slotInUse(0));
    EXPECT_FALSE(p().chart.gOnePageFlag);
}

TEST_F(ChartInteractionTest, SaveChartAsksForAChartFile)
{
    plotAverage();
    tp.dialogs.saveAnswers.push_back(tp.path("plot.chd"));
    chart.command(ChartInteraction::kSaveChartCommand);
    EXPECT_EQ(chart.styleFlags() & 0x400U, 0x400U);
    EXPECT_EQ(tp.dialogs.lastMessage(), "New Save Command");
    EXPECT_EQ(tp.dialogs.saveFilters.back(), "chart files (*.chd) | *.chd");
    EXPECT_EQ(tp.dialogs.saveDirs.back(), "");
    EXPECT_EQ(chart.savedFiles, QStringList{tp.path("plot.chd")});

    // Cancelled: nothing saved, no further message; the style bit toggles back.
    chart.command(ChartInteraction::kSaveChartCommand);
    EXPECT_EQ(chart.styleFlags() & 0x400U, 0U);
    EXPECT_EQ(chart.savedFiles.size(), 1);
    EXPECT_EQ(tp.dialogs.messages.size(), 2U);
}

TEST(ChartCommandsText, WholeNumbers)
{
    int v = 0;
    EXPECT_TRUE(chartcmd::parseWholeNumber(" -3 ", v));
    EXPECT_EQ(v, -3);
    EXPECT_TRUE(chartcmd::parseWholeNumber("32767", v));
    EXPECT_FALSE(chartcmd::parseWholeNumber("32768", v));
    EXPECT_FALSE(chartcmd::parseWholeNumber("1e2", v));
    EXPECT_FALSE(chartcmd::parseWholeNumber("5 5", v));
}

} // namespace
