// The program as it starts for a user: the real main window with both chart
// controls wired in, driven through its menu commands.
#include "platform/ui/qcp_chart_device.h"
#include "shell/ui/app_wiring.h"
#include "shell/ui/main_window.h"
#include "support/fake_dialogs.h"
#include "support/recording_files.h"
#include "ui_test_app.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AppTest : public ::testing::Test {
protected:
    AppTest() : app((ensureUiTestApp(), dir.filePath("rdx600.ini")))
    {
        app.program().io.dialogs = &dialogs;
        window = app.startWithoutSplash();
        window->resize(1000, 700);
        QApplication::processEvents();
    }
    Program &p() { return app.program(); }
    QString path(const QString &name) const { return dir.filePath(name); }
    void settle()
    {
        p().sync();
        QApplication::processEvents();
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    App app;
    RDX *window = nullptr;
};

} // namespace

TEST_F(AppTest, NothingOpenAtStartUpLeavesCloseAndPrintDisabled)
{
    p().menuOpened("mnuFile");
    EXPECT_FALSE(p().menu.enabled("mnuItemClose"));
    EXPECT_FALSE(p().menu.enabled("mnuItemPrint"));
}

TEST_F(AppTest, AnImportedChartLiesOverTheRecordingChart)
{
    RecordingFileContent c;
    c.values = countingValues(200, false);
    ASSERT_TRUE(writeRecording(path("a.dat"), c));
    dialogs.openAnswers.push_back(path("a.dat"));
    p().runCommand("mnuItemOpen");
    p().runCommand("mnuItemViewPlot");
    ASSERT_NE(p().io.chart1, nullptr);
    ASSERT_TRUE(dynamic_cast<QcpChartDevice *>(p().io.chart1)->saveFile(path("a.chd")));

    dialogs.openAnswers.push_back(path("a.chd"));
    p().runCommand("mnuItemImport");
    p().runCommand("mnuItemRefresh");
    settle();
    ASSERT_TRUE(p().view.chart1Visible);
    ASSERT_TRUE(p().view.chart2Visible);
    QWidget *area1 = window->chartArea1();
    QWidget *area2 = window->chartArea2();
    // One place, the full height: not two halves one above the other.
    EXPECT_EQ(area1->geometry(), area2->geometry());
    EXPECT_GT(area2->height(), 400);
    const QWidgetList order = area1->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    EXPECT_GT(order.indexOf(area2), order.indexOf(area1)); // the imported chart on top
}
