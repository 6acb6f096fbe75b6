// The program as it starts for a user: the real main window with both chart
// controls wired in, driven through its menu commands.
#include "platform/ui/help_window.h"
#include "platform/ui/qcp_chart_device.h"
#include "shell/ui/app_wiring.h"
#include "shell/ui/main_window.h"
#include "shell/ui/start_panel.h"
#include "support/fake_dialogs.h"
#include "support/recording_files.h"
#include "ui_test_app.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
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

// A screenshot run can run menu commands first (the manual's pictures are
// made so); a command that does not exist or is not enabled is refused.
TEST(AppProcess, ScreenshotRunRunsMenuCommandsFirst)
{
    QTemporaryDir dir;
    RecordingFileContent c;
    c.values = countingValues(90, false);
    ASSERT_TRUE(writeRecording(dir.filePath("a.dat"), c));
    const QString program = QFileInfo(QStringLiteral(RDX600_SIM_PATH)).dir().filePath("rdx600");
    const auto runWith = [&](const QStringList &args) {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", dir.path());
        run.setProcessEnvironment(env);
        run.start(program, QStringList{"--screenshot", dir.filePath("shot.png")} + args);
        EXPECT_TRUE(run.waitForFinished(20000));
        return std::make_pair(run.exitCode(), run.readAllStandardError());
    };
    EXPECT_EQ(runWith({"--plot", "--run", "mnuItemViewTable", dir.filePath("a.dat")}).first, 0);
    const auto refused = runWith({"--plot", "--run", "mnuItemViewPwrTable", dir.filePath("a.dat")});
    EXPECT_EQ(refused.first, 2); // no power plot yet: the power table is not enabled
    EXPECT_TRUE(refused.second.contains("mnuItemViewPwrTable"));
    EXPECT_EQ(runWith({"--plot", "--run", "mnuItemViewPower", "--answer", "480", "--run",
                       "mnuItemViewPwrTable", dir.filePath("a.dat")})
                  .first,
              0);
}

TEST_F(AppTest, StartPanelLeadsToTheFirstRecordingAndGoesAway)
{
    StartPanel *panel = window->startPanel();
    ASSERT_NE(panel, nullptr);
    settle();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->recentButtons().first()->isVisible()); // no recent file yet

    RecordingFileContent c;
    c.values = countingValues(20, false);
    ASSERT_TRUE(writeRecording(path("first.dat"), c));
    dialogs.openAnswers.push_back(path("first.dat"));
    QTest::mouseClick(panel->openButton(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(p().rec.slotInUse(0));
    EXPECT_FALSE(panel->isVisible()); // the summary is shown

    p().runCommand("mnuItemClose");
    settle();
    EXPECT_TRUE(panel->isVisible());
    QPushButton *recent = panel->recentButtons().first();
    ASSERT_TRUE(recent->isVisible());
    EXPECT_TRUE(recent->text().contains("first.dat"));
    QTest::mouseClick(recent, Qt::LeftButton);
    settle();
    EXPECT_EQ(p().rec.gInfo[0][kColPath].text(), path("first.dat"));
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(AppTest, DroppedFilesOpenAsOpenDoesUpToThree)
{
    QList<QUrl> urls;
    for (int i = 1; i <= 4; ++i) {
        RecordingFileContent c;
        c.values = countingValues(10 + i, false);
        const QString name = QStringLiteral("drop%1.dat").arg(i);
        ASSERT_TRUE(writeRecording(path(name), c));
        urls << QUrl::fromLocalFile(path(name));
    }
    urls << QUrl::fromLocalFile(path("missing.dat"));
    QMimeData data;
    data.setUrls({urls[0], urls[4]});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    EXPECT_EQ(p().rec.openCount(), 1);
    EXPECT_EQ(dialogs.lastMessage(), "File not found");

    data.setUrls({urls[1], urls[2], urls[3]});
    QDragEnterEvent again(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &again);
    QDropEvent more(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &more);
    EXPECT_EQ(p().rec.openCount(), 3);
    EXPECT_TRUE(dialogs.lastMessage().contains("drop4.dat was not opened"))
        << dialogs.lastMessage().toStdString();
    EXPECT_EQ(p().rec.gInfo[2][kColPath].text(), path("drop3.dat"));
}

TEST_F(AppTest, StandardKeysRunTheirCommands)
{
    const std::pair<const char *, QKeySequence> keys[] = {
        {"mnuItemOpen", QKeySequence::Open},       {"mnuItemSave", QKeySequence::Save},
        {"mnuItemClose", QKeySequence::Close},     {"mnuItemExit", QKeySequence::Quit},
        {"mnuItemHelp", QKeySequence(Qt::Key_F1)},
    };
    for (const auto &[name, key] : keys) {
        QAction *a = window->action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->shortcut(), key) << name;
    }
    // Ctrl+O runs Open (its dialog is the fake's: cancelled).
    window->activateWindow();
    QApplication::setActiveWindow(window);
    const int before = static_cast<int>(dialogs.openDirs.size());
    QTest::keySequence(window, QKeySequence::Open);
    EXPECT_EQ(static_cast<int>(dialogs.openDirs.size()), before + 1);
    EXPECT_TRUE(window->menu("mnuItemPrint")->menuAction()->text().endsWith("Ctrl+P"));
}

TEST(HelpWindowTest, ShowsTheManualWithContentsAndFindsAWord)
{
    ensureUiTestApp();
    const QString index = manualIndexFile();
    ASSERT_FALSE(index.isEmpty());
    HelpWindow w;
    ASSERT_TRUE(w.load(index));
    ASSERT_GT(w.contents()->topLevelItemCount(), 1);
    EXPECT_EQ(w.contents()->topLevelItem(0)->text(0), "Getting started");
    EXPECT_TRUE(w.search("Latin-1"));
    EXPECT_EQ(w.browser()->textCursor().selectedText(), "Latin-1");
    // The manual names the notes file's encoding in a few sections.
    EXPECT_TRUE(w.searchResult()->text().contains(QRegularExpression("^in [1-9][0-9]* sections?")))
        << w.searchResult()->text().toStdString();
    EXPECT_FALSE(w.search("xyzzy-no-such-word"));
    EXPECT_EQ(w.searchResult()->text(), "not found");
}

TEST_F(AppTest, TidyCsvIsInTheExportMenuWheneverARecordingIsOpen)
{
    QAction *exportMenu = window->action("mnuItemExportType");
    QAction *tidy = window->action("mnuItemExpTidy");
    ASSERT_NE(tidy, nullptr);
    EXPECT_EQ(tidy->text(), QStringLiteral("Tidy CSV\u2026"));
    p().menuOpened("mnuFile");
    EXPECT_FALSE(exportMenu->isEnabled()); // nothing open

    RecordingFileContent c;
    c.values = {"3", "2", "1"};
    ASSERT_TRUE(writeRecording(path("feeder.dat"), c));
    dialogs.openAnswers.push_back(path("feeder.dat"));
    p().runCommand("mnuItemOpen");
    p().menuOpened("mnuFile");
    EXPECT_TRUE(exportMenu->isEnabled());
    EXPECT_TRUE(tidy->isEnabled());
    // The specified exports still wait for a table to be shown.
    EXPECT_FALSE(window->action("MnuItemexpdatacsv")->isEnabled());
    EXPECT_FALSE(window->action("mnuitemexprep")->isEnabled());

    dialogs.saveAnswers.push_back(path("out.csv"));
    tidy->trigger();
    QFile out(path("out.csv"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().startsWith("time,feeder.dat (A)\r\n"));
    EXPECT_TRUE(dialogs.saveDirs.last().endsWith("feeder.csv")) << dialogs.saveDirs.last().toStdString();
}
