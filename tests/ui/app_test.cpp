// The program as it starts for a user: the real main window with both chart
// controls wired in, driven through its menu commands.
#include "platform/ui/qcp_chart_device.h"
#include "shell/ui/app_wiring.h"
#include "shell/ui/main_window.h"
#include "support/fake_dialogs.h"
#include "support/recording_files.h"
#include "ui_test_app.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
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

// A screenshot run of the real program never waits on a dialog, also when
// several min/max/avg recordings would ask which part to plot.
TEST(AppProcess, ScreenshotRunOfSeveralMinMaxAvgRecordingsEnds)
{
    QTemporaryDir dir;
    for (const char *name : {"m1.dat", "m2.dat"}) {
        RecordingFileContent c;
        c.mode = "g";
        c.values = countingValues(90, false);
        ASSERT_TRUE(writeRecording(dir.filePath(name), c));
    }
    const QString program = QFileInfo(QStringLiteral(RDX600_SIM_PATH)).dir().filePath("rdx600");
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", dir.path()); // the user's own settings stay untouched
    run.setProcessEnvironment(env);
    const QString shot = dir.filePath("shot.png");
    run.start(program, {"--plot", "--screenshot", shot, dir.filePath("m1.dat"), dir.filePath("m2.dat"),
                        dir.filePath("missing.dat")});
    ASSERT_TRUE(run.waitForFinished(20000)) << "the run waited on a dialog";
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(shot));
    EXPECT_TRUE(run.readAllStandardError().contains("File not found"));
}
