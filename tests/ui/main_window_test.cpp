#include "shell/ui/main_window.h"

#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "program/view_procs.h"
#include "shell/shell_commands.h"
#include "shell/startup.h"
#include "shell/ui/splash_window.h"
#include "support/test_program.h"
#include "ui_test_app.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { ensureUiTestApp(); }
    // Start-up as the splash window runs it, then the main window.
    RDX &start()
    {
        loadStartupValues(p().splash, QDir::currentPath());
        initialiseProgram(p());
        installShellCommands(p());
        window = std::make_unique<RDX>(p());
        return *window;
    }
    Program &p() { return tp.p(); }
    SettingsStore &store() { return tp.settings.store; }
    QAction *act(const QString &name) { return window->findChild<QAction *>(name); }

    TestProgram tp;
    std::unique_ptr<RDX> window;
};

} // namespace

TEST_F(MainWindowTest, EveryMenuItemHasANamedActionWithItsCaptionAndState)
{
    start();
    for (const MenuItem &item : p().menu.items()) {
        QAction *a = act(item.name);
        ASSERT_NE(a, nullptr) << item.name.toStdString();
        EXPECT_EQ(a, window->action(item.name));
        EXPECT_EQ(a->text().section(QLatin1Char('\t'), 0, 0), item.caption) << item.name.toStdString();
        EXPECT_EQ(a->isVisible(), item.visible) << item.name.toStdString();
        if (item.visible) { // Qt disables hidden actions
            EXPECT_EQ(a->isEnabled(), item.enabled) << item.name.toStdString();
        }
    }
}

TEST_F(MainWindowTest, MenuBarOrderAndSubmenus)
{
    start();
    QStringList bar;
    for (QAction *a : window->menuBar()->actions()) {
        bar << a->text();
    }
    EXPECT_EQ(bar, QStringList({"&File", "Load Survey", "E&dit", "Data &View", "Power View", "&Zoom",
                                "&Instrument", "&Options", "&Help"}));
    QMenu *print = window->menu(menu::kItemPrint);
    ASSERT_NE(print, nullptr);
    QStringList items;
    for (QAction *a : print->actions()) {
        items << a->objectName();
    }
    EXPECT_EQ(items, QStringList({menu::kItemPrintSum, menu::kItemPrintpwrSum, menu::kItemPrintTable,
                                  menu::kItemPrintPwrTable}));
    ASSERT_NE(window->menu(menu::kItemAnnot), nullptr);
    EXPECT_EQ(window->menu(menu::kItemAnnot)->actions().size(), 2);
    EXPECT_EQ(window->menu(menu::kZoom), nullptr); // a command of its own on the menu bar
    EXPECT_EQ(window->action(menu::kZoom)->parent(), window->menuBar());
}

TEST_F(MainWindowTest, StartUpStatesOnTheRealActions)
{
    start();
    EXPECT_EQ(window->windowTitle(), "RDX600");
    for (const char *name : {menu::kView, menu::kZoom, menu::kItemSave, menu::kItemExportType,
                             menu::kItemScale, menu::kItemAnnot, menu::kItemOnepgPlot, menu::kPwrview,
                             menu::kItemViewPower, menu::kItemPrintTable}) {
        EXPECT_FALSE(act(name)->isEnabled()) << name;
    }
    for (const char *name :
         {menu::kFile, menu::kItemOpen, menu::kItemInitialize, menu::kItemStatusCheck, menu::kItemExit}) {
        EXPECT_TRUE(act(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(act(menu::kItemStatusCheck)->isVisible());
    EXPECT_FALSE(act(MenuModel::mru(0))->isVisible());
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(act(MenuModel::mru(i))->isVisible()) << i;
    }
    EXPECT_FALSE(window->statusBar()->isVisibleTo(window.get()));
    EXPECT_FALSE(window->chartArea1()->isVisibleTo(window.get()));
    EXPECT_FALSE(window->chartArea2()->isVisibleTo(window.get()));
    EXPECT_NE(window->chartArea1()->layout(), nullptr);
}

TEST_F(MainWindowTest, StatusCheckHiddenWhenTheStartUpValueSaysSo)
{
    loadStartupValues(p().splash, QDir::currentPath());
    p().splash.showStatus = false;
    initialiseProgram(p());
    window = std::make_unique<RDX>(p());
    EXPECT_FALSE(act(menu::kItemStatusCheck)->isVisible());
}

TEST_F(MainWindowTest, DisabledActionRunsNothingAndEnabledOneRunsItsCommand)
{
    start();
    int saves = 0;
    p().addCommand(menu::kItemSave, [&saves] { ++saves; });
    act(menu::kItemSave)->trigger();
    EXPECT_EQ(saves, 0);
    p().menu.setEnabled(menu::kItemSave, true);
    window->sync();
    EXPECT_TRUE(act(menu::kItemSave)->isEnabled());
    act(menu::kItemSave)->trigger();
    EXPECT_EQ(saves, 1);
}

TEST_F(MainWindowTest, TriggeredCommandChangesStateAndTheWindowFollows)
{
    start();
    tp.dialogs.inputAnswers = {"0.9"};
    act(menu::kItemPF)->trigger();
    EXPECT_FLOAT_EQ(p().power.gPowerFactor, 0.9F);

    p().rec.gInfo[0][kColPath] = "/data/a.dat";
    p().menu.setEnabled(menu::kItemClose, true);
    window->sync();
    act(menu::kItemClose)->trigger(); // Close disables it again
    EXPECT_FALSE(act(menu::kItemClose)->isEnabled());
}

TEST_F(MainWindowTest, RecentFileEntriesFollowTheModel)
{
    store().save("Settings", "mrufile2", "/data/R&D/feeder.dat");
    start();
    EXPECT_FALSE(act(MenuModel::mru(1))->isVisible());
    EXPECT_TRUE(act(MenuModel::mru(2))->isVisible());
    EXPECT_EQ(act(MenuModel::mru(2))->text(), "/data/R&&D/feeder.dat"); // shown literally, no accelerator

    store().save("Settings", "mrufile1", "/data/new.dat");
    ShowRecentFileEntries(p());
    window->sync();
    EXPECT_TRUE(act(MenuModel::mru(1))->isVisible());
    EXPECT_EQ(act(MenuModel::mru(1))->text(), "/data/new.dat");
}

TEST_F(MainWindowTest, OpeningTheFileMenuRunsItsRule)
{
    start();
    p().menu.setEnabled({menu::kItemClose, menu::kItemPrint}, true);
    window->sync();
    EXPECT_TRUE(act(menu::kItemClose)->isEnabled());
    Q_EMIT window->menu(menu::kFile)->aboutToShow();
    EXPECT_FALSE(act(menu::kItemClose)->isEnabled());
    EXPECT_FALSE(act(menu::kItemPrint)->isEnabled());
}

TEST_F(MainWindowTest, CheckedItemsShowTheirMark)
{
    start();
    p().menu.setEnabled(menu::kItemOnepgPlot, true);
    p().menu.setChecked(menu::kItemOnepgPlot, true);
    window->sync();
    EXPECT_TRUE(act(menu::kItemOnepgPlot)->isChecked());
    p().menu.setChecked(menu::kItemOnepgPlot, false);
    window->sync();
    EXPECT_FALSE(act(menu::kItemOnepgPlot)->isChecked());
}

TEST_F(MainWindowTest, ViewStateIsMirrored)
{
    start();
    MainViewState &v = p().view;
    v.Label2 = {true, true, "Line one\r\nLine two"};
    v.Header1 = {true, true, " Time     Date"};
    v.RichTextBox1 = {true, true, "row 1\r\nrow 2\r\n"};
    v.label1Background = 0xFFFF00;
    v.Label1 = {true, true, "notice"};
    ShowChart(p());
    window->sync();
    EXPECT_TRUE(window->Label2->isVisibleTo(window.get()));
    EXPECT_EQ(window->Label2->text(), "Line one\nLine two");
    for (QWidget *w :
         {static_cast<QWidget *>(window->Label2), static_cast<QWidget *>(window->RichTextBox1)}) {
        const QFontMetrics m(w->font()); // report columns are made of blanks
        EXPECT_EQ(m.horizontalAdvance("iiii"), m.horizontalAdvance("MMMM"));
        EXPECT_EQ(m.horizontalAdvance("    "), m.horizontalAdvance("WWWW"));
    }
    EXPECT_EQ(window->RichTextBox1->toPlainText(), "row 1\nrow 2\n");
    EXPECT_TRUE(window->RichTextBox1->isReadOnly());
    EXPECT_EQ(window->Header1->text(), " Time     Date");
    EXPECT_TRUE(window->Label1->styleSheet().contains("#ffff00"));
    EXPECT_TRUE(window->statusBar()->isVisibleTo(window.get()));
    EXPECT_EQ(window->StatusPanel[0]->text(), "Status:");
    EXPECT_TRUE(window->chartArea1()->isVisibleTo(window.get()));

    HideTextViews(p());
    HideChart(p());
    window->sync();
    EXPECT_FALSE(window->Label2->isVisibleTo(window.get()));
    EXPECT_FALSE(window->RichTextBox1->isVisibleTo(window.get()));
    EXPECT_FALSE(window->statusBar()->isVisibleTo(window.get()));
    EXPECT_FALSE(window->chartArea1()->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, DefaultDirectoryPanel)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    start();
    act(menu::kItemDefaultDir)->trigger();
    EXPECT_TRUE(window->Drive1->isVisibleTo(window.get()));
    EXPECT_TRUE(window->Command1->isVisibleTo(window.get()));
    EXPECT_EQ(window->Command1->text(), "select drive");
    EXPECT_FALSE(window->Dir1->isVisibleTo(window.get()));
    EXPECT_GE(window->Drive1->findText(QDir::rootPath()), 0);
    window->Drive1->setCurrentIndex(window->Drive1->findText(QDir::rootPath()));

    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_TRUE(window->Dir1->isVisibleTo(window.get()));
    EXPECT_FALSE(window->Drive1->isVisibleTo(window.get()));
    EXPECT_FALSE(window->Command1->isVisibleTo(window.get()));
    EXPECT_TRUE(window->Command2->isVisibleTo(window.get()));
    EXPECT_EQ(window->Command2->text(), "select directory and click OK");
    EXPECT_EQ(store().get("Directory", "default"), QDir::rootPath());

    auto *model = qobject_cast<QFileSystemModel *>(window->Dir1->model());
    ASSERT_NE(model, nullptr);
    window->Dir1->setCurrentIndex(model->index(folder.path()));
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    EXPECT_EQ(store().get("Directory", "default"), folder.path());
    EXPECT_FALSE(window->Dir1->isVisibleTo(window.get()));
    EXPECT_FALSE(window->Command2->isVisibleTo(window.get()));
}

// ---------------------------------------------------------------- splash

class SplashTest : public MainWindowTest {
protected:
    frmSplash *makeSplash()
    {
        splash = new frmSplash(p());
        splash->setContinueHandler([this] {
            installShellCommands(p());
            window = std::make_unique<RDX>(p());
            window->show();
        });
        splash->resize(1280, 800);
        splash->show();
        return splash;
    }
    void expectMainWindowUp()
    {
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle(), "RDX600");
        EXPECT_FALSE(act(menu::kView)->isEnabled()); // initialised before the window loaded
        EXPECT_TRUE(p().modes.filled());
        ASSERT_FALSE(splash.isNull());
        EXPECT_FALSE(splash->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull()); // unloaded
    }
    QPointer<frmSplash> splash;
};

TEST_F(SplashTest, LoadStepSetsTheStartUpValuesAndTexts)
{
    makeSplash();
    EXPECT_EQ(p().splash.versionID, "Version 3.35");
    EXPECT_EQ(p().splash.workingDirectory, QDir::currentPath());
    EXPECT_EQ(splash->Label1->text(), "RDX600");
    EXPECT_EQ(splash->Label5->text(), "Version 3.35");
    EXPECT_EQ(splash->Label4->text(), "Click or press a key to start");
    EXPECT_EQ(window, nullptr);
    delete splash.data();
}

TEST_F(SplashTest, PlacesThePictureAndLabelsFromTheLayout)
{
    makeSplash();
    const double dpiX = splash->logicalDpiX();
    const double dpiY = splash->logicalDpiY();
    const SplashLayout l = splashLayout(
        pixelsToTwips(1280, dpiX), pixelsToTwips(800, dpiY), kSplashPictureWidth, kSplashPictureHeight,
        pixelsToTwips(splash->Label1->width(), dpiX), pixelsToTwips(splash->Label5->width(), dpiX));
    EXPECT_EQ(splash->Image1->width(), twipsToPixels(kSplashPictureWidth, dpiX));
    EXPECT_EQ(splash->Image1->pos(),
              QPoint(twipsToPixels(l.pictureLeft, dpiX), twipsToPixels(l.pictureTop, dpiY)));
    EXPECT_EQ(splash->Label4->pos(),
              QPoint(twipsToPixels(l.label4Left, dpiX), twipsToPixels(l.label4Top, dpiY)));
    EXPECT_EQ(splash->Label1->y(), twipsToPixels(l.label1Top, dpiY));
    // centred on the window
    EXPECT_NEAR(splash->Label1->x() + splash->Label1->width() / 2.0, 640, 1.0);
    EXPECT_NEAR(splash->Label5->x() + splash->Label5->width() / 2.0, 640, 1.0);
    // a narrow window: the picture starts at the left edge
    splash->resize(400, 800);
    EXPECT_EQ(splash->Image1->x(), 0);
    delete splash.data();
}

TEST_F(SplashTest, KeyPressContinues)
{
    makeSplash();
    QTest::keyClick(splash.data(), Qt::Key_Space);
    expectMainWindowUp();
}

TEST_F(SplashTest, ClickOnThePictureContinues)
{
    makeSplash();
    QTest::mouseClick(splash->Image1, Qt::LeftButton);
    expectMainWindowUp();
}

TEST_F(SplashTest, ClickOnALabelOrTheWindowContinuesOnce)
{
    makeSplash();
    int opened = 0;
    splash->setContinueHandler([this, &opened] {
        ++opened;
        window = std::make_unique<RDX>(p());
        window->show();
    });
    QTest::mouseClick(splash->Label4, Qt::LeftButton);
    QTest::mouseClick(splash.data(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened, 1);
    expectMainWindowUp();
}
