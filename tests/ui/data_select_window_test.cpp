#include "recording/ui/data_select_window.h"
#include "support/test_program.h"
#include "ui_test_app.h"
#include "window_picture.h"

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DataSelectWindowTest : public ::testing::Test {
protected:
    DataSelectWindowTest()
    {
        ensureUiTestApp();
        window = std::make_unique<DataSelectWindow>(tp.p());
    }
    void openSlots(const QStringList &paths)
    {
        for (int s = 0; s < paths.size(); ++s) {
            tp.p().rec.gInfo[s][kColPath] = paths[s];
        }
    }
    void clickRow(int row)
    {
        QListWidget *list = window->List1;
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    TestProgram tp;
    std::unique_ptr<DataSelectWindow> window;
};

} // namespace

TEST_F(DataSelectWindowTest, LongPathsScrollShortOnesDoNot)
{
    const QString longPath =
        "/home/engineer/recordings/2026/march/substation-north/feeder-12/phase-red/rec.dat";
    openSlots({longPath, "/tmp/b.dat"});
    tp.p().rec.gOutputMode = OutputMode::FileSelection;
    window->prepare({longPath, "/tmp/b.dat", ""});
    window->show();
    EXPECT_EQ(window->windowTitle(), "Select Data");
    EXPECT_TRUE(window->HScroll1->isEnabled());
    EXPECT_EQ(window->HScroll1->maximum(), longPath.size());
    EXPECT_FALSE(window->Command1->isEnabled());
    EXPECT_FALSE(window->Command3->isVisible());

    window->HScroll1->setValue(30);
    EXPECT_EQ(window->List1->item(0)->text(), longPath.mid(29));
    EXPECT_EQ(window->List1->item(1)->text(), ""); // shorter than 30 characters
    EXPECT_TRUE(drawnWhole(*window));

    window->prepare({"/a.dat", "/b.dat", ""});
    EXPECT_FALSE(window->HScroll1->isEnabled());
    EXPECT_EQ(window->List1->item(0)->text(), "/a.dat");
}

TEST_F(DataSelectWindowTest, ClickOkAndCancel)
{
    openSlots({"/tmp/a.dat", "/tmp/b.dat"});
    tp.p().rec.gOutputMode = OutputMode::FileSelection;
    window->prepare({"/tmp/a.dat", "/tmp/b.dat", ""});
    window->show();
    clickRow(2);
    EXPECT_EQ(tp.dialogs.lastMessage(), "No Selection Made\r  Click on filename");
    EXPECT_EQ(tp.dialogs.messages.back().title, "Error");
    EXPECT_FALSE(window->Command1->isEnabled());

    clickRow(1);
    EXPECT_TRUE(window->Command1->isEnabled());
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_EQ(tp.p().rec.ginx, 1);
    EXPECT_FALSE(window->isVisible());

    window->prepare({"/tmp/a.dat", "/tmp/b.dat", ""});
    window->show();
    clickRow(0);
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    EXPECT_EQ(tp.p().rec.ginx, -2);
    EXPECT_FALSE(window->isVisible());
}
