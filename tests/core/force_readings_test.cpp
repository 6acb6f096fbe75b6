#include "chart_fixture.h"
#include "program/menu_items.h"
#include "setup/force_readings.h"

#include <gtest/gtest.h>

namespace {

class ForceReadingsTest : public ChartFixture {
protected:
    ForceReadingsTest() { installForceReadingsCommands(tp.p()); }

    // A recording of 300 values of 50.0, zoomed to 100..199.
    void openZoomed(const QString &letter, const QString &range)
    {
        openSlot(0, letter, std::vector<int16_t>(300, 500), "C:\\data\\f.dat", "A", range);
        rec().gDatastart = 100;
        rec().gdataend = 199;
        rec().gZoomFlag = true;
    }
    int16_t value(int i) const { return tp.program->rec.gValues[0][static_cast<size_t>(i)]; }
    int changed() const
    {
        int n = 0;
        for (int i = 0; i < 300; ++i) {
            n += value(i) != 500 ? 1 : 0;
        }
        return n;
    }
};

struct LimitCase {
    const char *range;
    const char *text;
    bool accepted;
    int16_t stored;
};

class ForceLimits : public ForceReadingsTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(ForceLimits, ValuesOutsideZeroToTheLimitAreRefused)
{
    const LimitCase c = GetParam();
    openZoomed("a", c.range);
    ForceRdgsOk(p(), c.text, ForceScope::All);
    if (c.accepted) {
        EXPECT_TRUE(tp.dialogs.messages.empty());
        EXPECT_EQ(changed(), 100);
        EXPECT_EQ(value(100), c.stored);
        EXPECT_EQ(value(199), c.stored);
        EXPECT_EQ(rec().gInfo[0][kColEdited], Cell(1));
    } else {
        ASSERT_EQ(tp.dialogs.messages.size(), 1U);
        const QString limit = QString::fromLatin1(c.range) == "LOW" ? "99.9" : "999";
        EXPECT_EQ(tp.dialogs.lastMessage(),
                  "Error - New reading is outside the allowable range.\r\n  - Must be between 0 and " +
                      limit);
        EXPECT_EQ(changed(), 0);
        EXPECT_EQ(rec().gInfo[0][kColEdited], Cell(0));
    }
    // Either way the chart is drawn again.
    EXPECT_TRUE(chart.isVisible());
    EXPECT_EQ(chart.pointCount(), 100);
}

INSTANTIATE_TEST_SUITE_P(Limits, ForceLimits,
                         ::testing::Values(LimitCase{"LOW", "0", true, 0}, LimitCase{"LOW", "-0.1", false, 0},
                                           LimitCase{"LOW", "99.9", true, 999},
                                           LimitCase{"LOW", "100", false, 0},
                                           LimitCase{"HIGH", "999", true, 9990},
                                           LimitCase{"HIGH", "999.1", false, 0},
                                           LimitCase{"LOW", "12.34", true, 123},
                                           LimitCase{"LOW", "0.25", true, 2},     // 2.5 -> even 2
                                           LimitCase{"LOW", "7.25abc", true, 72}, // 72.5 -> even 72
                                           LimitCase{"LOW", "abc", true, 0}));

TEST_F(ForceReadingsTest, LeftmostAndRightmostChangeOneEnd)
{
    openZoomed("a", "HIGH");
    ForceRdgsOk(p(), "7", ForceScope::Leftmost);
    EXPECT_EQ(changed(), 1);
    EXPECT_EQ(value(100), 70);
    ForceRdgsOk(p(), "8", ForceScope::Rightmost);
    EXPECT_EQ(changed(), 2);
    EXPECT_EQ(value(199), 80);
    EXPECT_EQ(value(198), 500);
}

TEST_F(ForceReadingsTest, MinMaxAvgRangeCountsEveryEntry)
{
    openZoomed("g", "HIGH");
    rec().gDatastart = 30;
    rec().gdataend = 59;
    ForceRdgsOk(p(), "1", ForceScope::All);
    EXPECT_EQ(changed(), 30);
    EXPECT_EQ(value(29), 500);
    EXPECT_EQ(value(30), 10);
    EXPECT_EQ(value(59), 10);
    EXPECT_EQ(value(60), 500);
}

TEST_F(ForceReadingsTest, TheSecondRecordingIsEditedWhenChosen)
{
    openZoomed("a", "HIGH");
    openSlot(1, "a", std::vector<int16_t>(300, 500), "C:\\data\\g.dat");
    rec().gDatastart = 100;
    rec().gdataend = 100;
    rec().ginx = 1;
    ForceRdgsOk(p(), "2", ForceScope::All);
    EXPECT_EQ(rec().gValues[1][100], 20);
    EXPECT_EQ(value(100), 500);
    EXPECT_EQ(rec().gInfo[1][kColEdited], Cell(1));
    EXPECT_EQ(rec().gInfo[0][kColEdited], Cell(0));
}

TEST_F(ForceReadingsTest, SlotOutOfRangeIsReportedAndChangesNothing)
{
    openZoomed("a", "HIGH");
    rec().ginx = 3;
    ForceRdgsOk(p(), "2", ForceScope::All);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Software error in ForceRdgs - 'ginx' is out of range");
    EXPECT_EQ(changed(), 0);
}

TEST_F(ForceReadingsTest, RedrawGoesToThePowerPlotInPowerView)
{
    openZoomed("a", "HIGH");
    int power = 0;
    p().chart.powerPlot = [&power] { ++power; };
    p().chart.gPowerView = true;
    ForceRdgsOk(p(), "2", ForceScope::All);
    EXPECT_EQ(power, 1);
    EXPECT_EQ(chart.seriesCount(), 0);
}

class FakeForceWindow : public ForceRdgsView {
public:
    FakeForceWindow(Program &p, QString text, ForceScope scope) : p_(p), text_(std::move(text)), scope_(scope)
    {
    }
    void showModal() override
    {
        ++shown;
        if (!text_.isNull()) {
            ForceRdgsOk(p_, text_, scope_);
        }
    }
    int shown = 0;

private:
    Program &p_;
    QString text_;
    ForceScope scope_;
};

TEST_F(ForceReadingsTest, CommandNeedsAnOpenRecording)
{
    FakeForceWindow window(p(), "3", ForceScope::All);
    p().windows.forceRdgs = &window;
    p().view.RichTextBox1.visible = true;
    p().runCommand(menu::kItemForceRdg);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Error - No file available. Need to open a file.");
    EXPECT_EQ(window.shown, 0);
    EXPECT_FALSE(p().view.RichTextBox1.visible);
}

TEST_F(ForceReadingsTest, CommandShowsTheWindowForTheOneRecording)
{
    openZoomed("a", "HIGH");
    FakeForceWindow window(p(), "3", ForceScope::All);
    p().windows.forceRdgs = &window;
    tp.dialogs.setBusy(true);
    p().runCommand(menu::kItemForceRdg);
    EXPECT_EQ(window.shown, 1);
    EXPECT_EQ(changed(), 100);
    EXPECT_FALSE(tp.dialogs.busy_);
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(ForceReadingsTest, CancelledSelectionDoesNothing)
{
    openZoomed("a", "HIGH");
    openSlot(1, "a", std::vector<int16_t>(300, 500), "C:\\data\\g.dat");
    FakeForceWindow window(p(), "3", ForceScope::All);
    p().windows.forceRdgs = &window;
    // No selection window answers: the choice counts as cancelled.
    p().runCommand(menu::kItemForceRdg);
    EXPECT_EQ(rec().ginx, -2);
    EXPECT_EQ(window.shown, 0);
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

} // namespace
