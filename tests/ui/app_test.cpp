// The program as it starts for a user: the real main window with both chart
// controls wired in, driven through its menu commands.
#include "core/link_test_fixture.h"
#include "link/download.h"
#include "link/inst_select.h"
#include "platform/ui/help_window.h"
#include "platform/ui/qcp_chart_device.h"
#include "program/menu_items.h"
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
    p().menuOpened(menu::kFile);
    EXPECT_FALSE(p().menu.enabled(menu::kItemClose));
    EXPECT_FALSE(p().menu.enabled(menu::kItemPrint));
}

TEST_F(AppTest, AnImportedChartLiesOverTheRecordingChart)
{
    RecordingFileContent c;
    c.values = countingValues(200, false);
    ASSERT_TRUE(writeRecording(path("a.dat"), c));
    dialogs.openAnswers.push_back(path("a.dat"));
    p().runCommand(menu::kItemOpen);
    p().runCommand(menu::kItemViewPlot);
    ASSERT_NE(p().io.chart1, nullptr);
    ASSERT_TRUE(dynamic_cast<QcpChartDevice *>(p().io.chart1)->saveFile(path("a.chd")));

    dialogs.openAnswers.push_back(path("a.chd"));
    p().runCommand(menu::kItemImport);
    p().runCommand(menu::kItemRefresh);
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

    p().runCommand(menu::kItemClose);
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

// The start panel's instrument buttons run their menu commands as the menu
// does: the instrument type is asked for first; without a choice nothing runs.
TEST_F(AppTest, StartPanelInstrumentButtonsAskForTheTypeFirst)
{
    struct Case {
        const char *button;
        bool chooseType;
    };
    const Case cases[] = {
        {"startStatus", true}, {"startStatus", false}, {"startDownload", true}, {"startDownload", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.button) +
                     (c.chooseType ? " with a type chosen" : " with the question cancelled"));
        FakeClock clock;
        FakeSerialPort port(clock);
        FakeInstSelView question;
        p().io.port = &port;
        p().windows.instSel = &question;
        p().splash.instSelection = InstType::kNone;
        dialogs.messages.clear();
        p().link.download.wait.label1.clear();
        dialogs.messageAnswers = {MsgResult::Cancel}; // the status check's cable prompt
        question.user = [&] {
            EXPECT_EQ(p().link.instSel.label1, "Must first select an instrument type:");
            if (c.chooseType) {
                InstSelOptionClick(p(), 2); // KPA50/60, 9,600 baud, non-S5
                InstSelOk(p());
            } else {
                InstSelCancel(p());
            }
        };
        settle();
        auto *button = window->startPanel()->findChild<QPushButton *>(c.button);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(question.showCount, 1);
        const QString prompt = QString(c.button) == "startStatus"
                                   ? (dialogs.messages.empty() ? QString() : dialogs.messages.front().text)
                                   : p().link.download.wait.label1;
        EXPECT_EQ(prompt.startsWith("   Press 'OK'."), c.chooseType) << prompt.toStdString();
        EXPECT_EQ(p().splash.portSettings, c.chooseType ? "9600,N,8,1" : "115200,N,8,1");
        if (p().link.download.loaded) {
            DownloadCancel(p());
        }
        // With a type chosen the next click asks nothing.
        if (c.chooseType) {
            dialogs.messageAnswers = {MsgResult::Cancel};
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_EQ(question.showCount, 1);
            if (p().link.download.loaded) {
                DownloadCancel(p());
            }
        }
        p().splash.portSettings = "115200,N,8,1";
        p().windows.instSel = nullptr;
        p().io.port = nullptr;
    }
}

// How to try the program without an instrument, as the program was started:
// from the source checkout's build folder, or installed.
TEST(StartPanelHint, NamesWhatFitsTheWayTheProgramWasStarted)
{
    QTemporaryDir root;
    for (const char *folder : {"src/scripts", "src/build", "usr/bin"}) {
        QDir(root.path()).mkpath(folder);
    }
    ASSERT_TRUE(QFile(root.filePath("src/scripts/start.sh")).open(QIODevice::WriteOnly));
    const QString built = StartPanel::simulatorHint(root.filePath("src/build"));
    const QString installed = StartPanel::simulatorHint(root.filePath("usr/bin"));
    EXPECT_TRUE(built.contains("./scripts/start.sh") && built.contains("build/rdx600-sim"))
        << built.toStdString();
    EXPECT_TRUE(installed.contains("RDX600_COM1=/dev/pts/3 rdx600") && !installed.contains("start.sh"))
        << installed.toStdString();
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
        {menu::kItemOpen, QKeySequence::Open},       {menu::kItemSave, QKeySequence::Save},
        {menu::kItemClose, QKeySequence::Close},     {menu::kItemExit, QKeySequence::Quit},
        {menu::kItemHelp, QKeySequence(Qt::Key_F1)},
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
    EXPECT_TRUE(window->menu(menu::kItemPrint)->menuAction()->text().endsWith("Ctrl+P"));
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
    QAction *exportMenu = window->action(menu::kItemExportType);
    QAction *tidy = window->action(menu::kItemExpTidy);
    ASSERT_NE(tidy, nullptr);
    EXPECT_EQ(tidy->text(), QStringLiteral("Tidy CSV\u2026"));
    p().menuOpened(menu::kFile);
    EXPECT_FALSE(exportMenu->isEnabled()); // nothing open

    RecordingFileContent c;
    c.values = {"3", "2", "1"};
    ASSERT_TRUE(writeRecording(path("feeder.dat"), c));
    dialogs.openAnswers.push_back(path("feeder.dat"));
    p().runCommand(menu::kItemOpen);
    p().menuOpened(menu::kFile);
    EXPECT_TRUE(exportMenu->isEnabled());
    EXPECT_TRUE(tidy->isEnabled());
    // The specified exports still wait for a table to be shown.
    EXPECT_FALSE(window->action(menu::kItemexpdatacsv)->isEnabled());
    EXPECT_FALSE(window->action(menu::kItemexprep)->isEnabled());

    dialogs.saveAnswers.push_back(path("out.csv"));
    tidy->trigger();
    QFile out(path("out.csv"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().startsWith("time,feeder.dat (A)\r\n"));
    EXPECT_TRUE(dialogs.saveDirs.last().endsWith("feeder.csv")) << dialogs.saveDirs.last().toStdString();
}
