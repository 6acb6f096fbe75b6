#include "chart/ui/display_sel_window.h"
#include "program/program.h"
#include "support/fake_chart_device.h"
#include "support/test_program.h"
#include "ui_test_app.h"
#include "window_picture.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class DisplaySelWindowTest : public ::testing::Test {
protected:
    DisplaySelWindowTest()
    {
        ensureUiTestApp();
        tp.p().io.chart1 = &chart;
        window = std::make_unique<DisplaySelWindow>(tp.p());
    }
    // Two min/max/avg recordings: average 10 + slot, maximum 20 + slot, minimum 5 + slot.
    void openTwoMinMaxAvg()
    {
        Recording &r = tp.p().rec;
        for (int s = 0; s < 2; ++s) {
            r.gInfo[s][kColMode] = "h";
            r.gInfo[s][kColStart] = "10:00  Jan 01, 24";
            r.gInfo[s][kColLast] = 29;
            r.gInfo[s][kColUnits] = "A";
            r.gInfo[s][kColPath] = QStringLiteral("C:\\data\\m%1.dat").arg(s);
            for (int i = 0; i < 30; ++i) {
                r.gValues[s][i] = static_cast<int16_t>((i % 3 == 0 ? 10 : i % 3 == 1 ? 20 : 5) + s);
            }
        }
        r.gdataend = 29;
    }
    TestProgram tp;
    FakeChartDevice chart;
    std::unique_ptr<DisplaySelWindow> window;
};

TEST_F(DisplaySelWindowTest, CaptionsAndThePresentChoice)
{
    EXPECT_EQ(window->windowTitle(), "display Selection");
    EXPECT_EQ(window->Option1->text(), "Average");
    EXPECT_EQ(window->Option4->text(), "Maximum");
    EXPECT_EQ(window->Option2->text(), "Minimum");
    EXPECT_EQ(window->Command1->text(), "Proceed");
    tp.p().chart.gDisplaySel = 3;
    window->prepare();
    EXPECT_TRUE(window->Option2->isChecked());
    EXPECT_FALSE(window->Option1->isChecked());
    tp.p().chart.gDisplaySel = 1;
    window->prepare();
    EXPECT_TRUE(window->Option1->isChecked());

    window->prepare();
    window->show();
    QTest::qWait(20);
    EXPECT_TRUE(drawnWhole(*window));
}

TEST_F(DisplaySelWindowTest, AttachedWindowLeavesTheProgramWhenItGoes)
{
    DisplaySelWindow *attached = attachDisplaySelWindow(tp.p(), nullptr);
    EXPECT_EQ(tp.p().windows.displaySel, attached);
    delete attached;
    EXPECT_EQ(tp.p().windows.displaySel, nullptr);
}

TEST_F(DisplaySelWindowTest, ProceedSetsTheChoiceAndCloses)
{
    window->prepare();
    window->show();
    QTest::mouseClick(window->Option2, Qt::LeftButton);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(tp.p().chart.gDisplaySel, 3);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(DisplaySelWindowTest, ThePlotAsksAndDrawsThePartChosen)
{
    openTwoMinMaxAvg();
    tp.p().windows.displaySel = window.get();
    tp.p().chart.gAskDisplay = true;
    bool asked = false;
    QTimer::singleShot(0, window.get(), [this, &asked] {
        asked = window->isVisible();
        QTest::mouseClick(window->Option4, Qt::LeftButton);
        QTest::mouseClick(window->Command1, Qt::LeftButton);
    });
    DisplPlot(tp.p());
    EXPECT_TRUE(asked);
    EXPECT_EQ(tp.p().chart.gDisplaySel, 2);
    ASSERT_EQ(chart.seriesCount(), 2);
    EXPECT_DOUBLE_EQ(chart.value(0, 0), 2.0);
    EXPECT_DOUBLE_EQ(chart.value(1, 0), 2.1);
    EXPECT_EQ(chart.box(plot::kCaptionBox).text, "Data Displayed: MAXIMUM");
}

} // namespace
