#include "program/menu_items.h"
#include "program/program.h"
#include "setup/ui/force_rdgs_window.h"
#include "support/fake_chart_device.h"
#include "support/test_program.h"
#include "ui_test_app.h"
#include "window_picture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class ForceRdgsWindowTest : public ::testing::Test {
protected:
    ForceRdgsWindowTest()
    {
        ensureUiTestApp();
        tp.p().io.chart1 = &chart;
        installForceReadingsCommands(tp.p());
        window = std::make_unique<ForceRdgsWindow>(tp.p());
        tp.p().windows.forceRdgs = window.get();
        // A low-range recording of 200 values of 50.0, zoomed to 100..149.
        Recording &r = tp.p().rec;
        r.gInfo[0][kColMode] = "a";
        r.gInfo[0][kColStart] = "10:00  Jan 01, 24";
        r.gInfo[0][kColLast] = 199;
        r.gInfo[0][kColUnits] = "A";
        r.gInfo[0][kColPath] = "C:\\data\\f.dat";
        r.gInfo[0][kColRange] = "LOW";
        r.gInfo[0][kColEdited] = 0;
        r.gValues[0].fill(500);
        r.gDatastart = 100;
        r.gdataend = 149;
        r.gZoomFlag = true;
    }
    int16_t value(int i) const { return tp.program->rec.gValues[0][static_cast<size_t>(i)]; }
    // Enters a value and a choice in the open window and presses a button.
    void answer(const QString &text, QRadioButton *option, QPushButton *button)
    {
        window->Text1->selectAll();
        QTest::keyClicks(window->Text1, text);
        QTest::mouseClick(option, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    TestProgram tp;
    FakeChartDevice chart;
    std::unique_ptr<ForceRdgsWindow> window;
};

TEST_F(ForceRdgsWindowTest, CaptionsAndStartingState)
{
    window->Text1->setText("7");
    window->Option3->setChecked(true);
    window->prepare();
    EXPECT_EQ(window->windowTitle(), "Force Readings");
    EXPECT_EQ(
        window->Label1->text(),
        "To force one or all of the readings in the current zoomed range to a particular value, enter the "
        "desired new value in the box below, select the number of readings to change and then press OK.");
    EXPECT_EQ(window->Label2->text(), "Desired value:");
    EXPECT_EQ(window->Label3->text(), "No. of readings to change:");
    EXPECT_EQ(window->Option1->text(), "All");
    EXPECT_EQ(window->Option2->text(), "Leftmost Reading");
    EXPECT_EQ(window->Option3->text(), "Rightmost Reading");
    EXPECT_EQ(window->Command1->text(), "OK");
    EXPECT_EQ(window->Command2->text(), "Cancel");
    EXPECT_EQ(window->Text1->text(), "0");
    EXPECT_TRUE(window->Option1->isChecked());
    window->show();
    QTest::qWait(20);
    EXPECT_TRUE(drawnWhole(*window));
}

TEST_F(ForceRdgsWindowTest, CommandOpensTheWindowAndOkStoresTheValue)
{
    QTimer::singleShot(0, window.get(), [this] { answer("12.34", window->Option2, window->Command1); });
    tp.p().runCommand(menu::kItemForceRdg);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(value(100), 123);
    EXPECT_EQ(value(101), 500);
    EXPECT_EQ(tp.p().rec.gInfo[0][kColEdited], Cell(1));
    EXPECT_TRUE(tp.dialogs.messages.empty());
    // The chart shows the edited range.
    EXPECT_EQ(chart.pointCount(), 50);
    EXPECT_DOUBLE_EQ(chart.value(0, 0), 12.3);
}

TEST_F(ForceRdgsWindowTest, RefusedValueClosesAndRedrawsButChangesNothing)
{
    QTimer::singleShot(0, window.get(), [this] { answer("100", window->Option1, window->Command1); });
    tp.p().runCommand(menu::kItemForceRdg);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(tp.dialogs.lastMessage(),
              "Error - New reading is outside the allowable range.\r\n  - Must be between 0 and 99.9");
    EXPECT_EQ(value(100), 500);
    EXPECT_EQ(tp.p().rec.gInfo[0][kColEdited], Cell(0));
    EXPECT_EQ(chart.pointCount(), 50);
}

TEST_F(ForceRdgsWindowTest, CancelChangesNothing)
{
    QTimer::singleShot(0, window.get(), [this] { answer("3", window->Option3, window->Command2); });
    tp.p().runCommand(menu::kItemForceRdg);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(value(149), 500);
    EXPECT_EQ(chart.pointCount(), 0);
}

TEST_F(ForceRdgsWindowTest, RightmostChangesTheLastReadingOnly)
{
    window->prepare();
    window->show();
    answer("0", window->Option3, window->Command1);
    EXPECT_EQ(value(149), 0);
    EXPECT_EQ(value(148), 500);
}

} // namespace
