#include "shell/shell_commands.h"

#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "shell/startup.h"
#include "support/test_program.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FakeMainView : public MainView {
public:
    void sync() override { ++syncs; }
    void quit() override { ++quits; }
    int syncs = 0;
    int quits = 0;
};

class ShellCommands : public ::testing::Test {
protected:
    ShellCommands()
    {
        tp.p().windows.main = &mainView;
        loadStartupValues(p().splash, QDir::currentPath());
        initialiseProgram(p());
        mainWindowLoad(p());
        installShellCommands(p());
    }
    Program &p() { return tp.p(); }
    SettingsStore &store() { return tp.settings.store; }
    FakeDialogs &dialogs() { return tp.dialogs; }
    MenuModel &menu() { return p().menu; }
    // A recording in `slot` as the reader leaves it, with the menus of an open file.
    void openSlot(int slot, const QString &path, int edited = 0)
    {
        p().rec.gInfo[slot][kColPath] = path;
        p().rec.gInfo[slot][kColEdited] = edited;
        p().rec.gSite[slot].fill("site");
        menu().setEnabled({menu::kItemClose, menu::kItemViewPlot, menu::kItemPrint, menu::kView,
                           menu::kItemViewTable, menu::kItemPrintTable, menu::kItemExportType, menu::kZoom,
                           menu::kPwrview, menu::kItemViewPower, menu::kItemViewPwrTable,
                           menu::kItemViewpwrsummry, menu::kItemSave, menu::kItemOnepgPlot},
                          true);
    }
    void storeRecent(int i, const QString &path)
    {
        store().save("Settings", QStringLiteral("mrufile%1").arg(i), path);
    }
    bool mruVisible(int i) { return menu().visible(MenuModel::mru(i)); }

    TestProgram tp;
    FakeMainView mainView;
};

const QStringList kClosedDisabled{menu::kItemClose,
                                  menu::kItemViewTable,
                                  menu::kItemPrintTable,
                                  menu::kItemViewPlot,
                                  menu::kView,
                                  menu::kItemExportType,
                                  menu::kZoom,
                                  menu::kPwrview,
                                  menu::kItemViewPower,
                                  menu::kItemViewPwrTable,
                                  menu::kItemViewpwrsummry,
                                  menu::kItemSave};

} // namespace

// ---------------------------------------------------------------- close and exit

TEST_F(ShellCommands, CloseFreesEverySlotAndReturnsToTheStartState)
{
    storeRecent(1, "/data/b.dat");
    storeRecent(2, "/data/a.dat");
    openSlot(0, "/data/a.dat");
    openSlot(1, "/data/b.dat");
    menu().setChecked(menu::kItemOnepgPlot, true);
    p().chart.gOnePageFlag = true;
    p().rec.gZoomFlag = true;
    p().rec.gSelectFlag = true;
    p().chart.gYScaleMin = 12;
    p().chart.gPrintLayout = true;
    p().power.energyText = "1,234 KWHR";
    p().view.label1Background = 0xFFFFFF;
    p().view.busy = true;
    p().view.chart1Visible = true;
    p().view.RichTextBox1.visible = true;

    ASSERT_TRUE(p().runCommand(menu::kItemClose));

    EXPECT_EQ(p().rec.openCount(), 0);
    for (int slot = 0; slot < kSlots; ++slot) {
        for (const QString &site : p().rec.gSite[slot]) {
            EXPECT_EQ(site, QString(52, ' '));
        }
    }
    EXPECT_TRUE(mruVisible(1));
    EXPECT_TRUE(mruVisible(2));
    EXPECT_FALSE(mruVisible(3));
    EXPECT_FALSE(mruVisible(4));
    EXPECT_TRUE(menu().enabled(menu::kItemOpen));
    for (const QString &name : kClosedDisabled) {
        EXPECT_FALSE(menu().enabled(name)) << name.toStdString();
    }
    EXPECT_FALSE(menu().enabled(menu::kItemOnepgPlot));
    EXPECT_FALSE(menu().checked(menu::kItemOnepgPlot));
    EXPECT_FALSE(p().chart.gOnePageFlag);
    EXPECT_FALSE(p().rec.gZoomFlag);
    EXPECT_FALSE(p().rec.gSelectFlag);
    EXPECT_EQ(p().chart.gYScaleMin, 0);
    EXPECT_FALSE(p().chart.gPrintLayout);
    EXPECT_EQ(p().power.energyText, "");
    EXPECT_EQ(p().view.label1Background, 0xE0E0E0U);
    EXPECT_FALSE(p().view.busy);
    EXPECT_FALSE(dialogs().busy_);
    EXPECT_FALSE(p().view.chart1Visible);
    EXPECT_FALSE(p().view.RichTextBox1.visible);
    EXPECT_GE(mainView.syncs, 1); // the window mirrors the new state
}

TEST_F(ShellCommands, StartUpWithTwoRecentFilesThenClose)
{
    TestProgram fresh;
    fresh.settings.store.save("Settings", "mrufile1", "/data/new.dat");
    fresh.settings.store.save("Settings", "mrufile2", "/data/old.dat");
    Program &q = fresh.p();
    loadStartupValues(q.splash, "/");
    initialiseProgram(q);
    installShellCommands(q);
    q.rec.gInfo[0][kColPath] = "/data/new.dat";
    q.menu.setEnabled(menu::kItemClose, true);
    // the recent entries may have been hidden while files were open
    q.menu.setVisible(MenuModel::mru(1), false);
    ASSERT_TRUE(q.runCommand(menu::kItemClose));
    EXPECT_TRUE(q.menu.visible(MenuModel::mru(1)));
    EXPECT_TRUE(q.menu.visible(MenuModel::mru(2)));
    EXPECT_FALSE(q.menu.visible(MenuModel::mru(3)));
    EXPECT_FALSE(q.menu.visible(MenuModel::mru(4)));
    EXPECT_EQ(q.menu.caption(MenuModel::mru(2)), "/data/old.dat");
}

TEST_F(ShellCommands, CloseIsRefusedWhileDisabled)
{
    openSlot(0, "/data/a.dat");
    menu().setEnabled(menu::kItemClose, false);
    EXPECT_FALSE(p().runCommand(menu::kItemClose));
    EXPECT_TRUE(p().rec.slotInUse(0));
}

TEST_F(ShellCommands, ExitEndsTheProgramWithoutAsking)
{
    EXPECT_TRUE(p().runCommand(menu::kItemExit));
    EXPECT_EQ(mainView.quits, 1);
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_TRUE(dialogs().inputs.empty());
}

// ---------------------------------------------------------------- power factor and user name

TEST_F(ShellCommands, PowerFactorAnswers)
{
    dialogs().inputAnswers = {"0.9"};
    p().runCommand(menu::kItemPF);
    EXPECT_FLOAT_EQ(p().power.gPowerFactor, 0.9F);
    ASSERT_EQ(dialogs().inputs.size(), 1U);
    EXPECT_EQ(dialogs().inputs[0].prompt, "Enter Power Factor to be used must be 1 or less\r");
    EXPECT_EQ(dialogs().inputs[0].title, "");
    EXPECT_EQ(dialogs().inputs[0].defaultText, "1");

    dialogs().inputAnswers = {"2"}; // no range test
    p().runCommand(menu::kItemPF);
    EXPECT_FLOAT_EQ(p().power.gPowerFactor, 2.0F);
    EXPECT_EQ(dialogs().inputs[1].defaultText, "0.9");

    dialogs().inputAnswers = {""}; // cancel keeps the value
    p().runCommand(menu::kItemPF);
    EXPECT_FLOAT_EQ(p().power.gPowerFactor, 2.0F);

    for (const char *bad : {"abc", "nan", "inf", "0.9 volts"}) {
        dialogs().inputAnswers = {bad};
        p().runCommand(menu::kItemPF);
        EXPECT_FLOAT_EQ(p().power.gPowerFactor, 2.0F) << bad;
    }

    dialogs().inputAnswers = {"  0.85 "};
    p().runCommand(menu::kItemPF);
    EXPECT_FLOAT_EQ(p().power.gPowerFactor, 0.85F);
    // the value lasts for the run only
    EXPECT_EQ(store().get("Settings", "PF"), "");
}

TEST_F(ShellCommands, PowerFactorZeroBecomesOneFirst)
{
    p().power.gPowerFactor = 0.0F;
    p().runCommand(menu::kItemPF); // cancelled
    EXPECT_FLOAT_EQ(p().power.gPowerFactor, 1.0F);
    EXPECT_EQ(dialogs().inputs.back().defaultText, "1");
}

TEST_F(ShellCommands, UserNameIsStoredWhenGiven)
{
    p().view.Label1.visible = true;
    p().view.RichTextBox1.visible = true;
    dialogs().inputAnswers = {"J. Smith"};
    p().runCommand(menu::kItemUserID);
    EXPECT_EQ(store().get("Security", "userid"), "J. Smith");
    EXPECT_EQ(dialogs().inputs.back().prompt, "Enter user name below\r");
    EXPECT_EQ(dialogs().inputs.back().defaultText, "");
    EXPECT_FALSE(p().view.Label1.visible);
    EXPECT_FALSE(p().view.RichTextBox1.visible);

    dialogs().inputAnswers = {""};
    p().runCommand(menu::kItemUserID);
    EXPECT_EQ(dialogs().inputs.back().defaultText, "J. Smith");
    EXPECT_EQ(store().get("Security", "userid"), "J. Smith");
}

// ---------------------------------------------------------------- help and about

TEST_F(ShellCommands, AboutText)
{
    store().save("Security", "userid", "Jane");
    p().runCommand(menu::kItemAbout);
    ASSERT_EQ(dialogs().messages.size(), 1U);
    const auto &m = dialogs().messages[0];
    EXPECT_EQ(m.text, "RDX600  Version 3.35\rDec 16, 2012\rUser Name   Jane\r\r"
                      "Copyright (c) 2026 the RDX600 developers\r       https://rdx600.example.org");
    EXPECT_EQ(m.title, "");
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(m.icon, MsgIcon::None);
}

TEST_F(ShellCommands, AboutWithoutAUserName)
{
    EXPECT_TRUE(aboutText(p()).contains("\rUser Name   \r\r"));
}

TEST_F(ShellCommands, HelpOpensTheFileInTheCurrentDirectory)
{
    p().runCommand(menu::kItemHelp);
    ASSERT_EQ(tp.help.opened.size(), 1);
    EXPECT_EQ(tp.help.opened[0], QDir::current().filePath("RDX600Help.chm"));
    EXPECT_TRUE(dialogs().messages.empty());
}

TEST_F(ShellCommands, MissingHelpIsReported)
{
    tp.help.result = false;
    p().runCommand(menu::kItemHelp);
    ASSERT_EQ(dialogs().messages.size(), 1U);
    EXPECT_TRUE(dialogs().messages[0].text.contains("RDX600Help.chm"));
    // Without the compiled help file, the program's own manual opens.
    tp.help.manualResult = true;
    p().runCommand(menu::kItemHelp);
    EXPECT_EQ(tp.help.manualOpened, 2);
    EXPECT_EQ(dialogs().messages.size(), 1U);
}

// ---------------------------------------------------------------- menu-opening rules

TEST_F(ShellCommands, FileMenuWithNothingOpenDisablesCloseAndPrint)
{
    menu().setEnabled({menu::kItemClose, menu::kItemPrint}, true);
    p().menuOpened(menu::kFile);
    EXPECT_FALSE(menu().enabled(menu::kItemClose));
    EXPECT_FALSE(menu().enabled(menu::kItemPrint));
}

TEST_F(ShellCommands, FileMenuEnablesCloseWhileAnImportedChartIsShown)
{
    p().view.chart2Visible = true;
    p().menuOpened(menu::kFile);
    EXPECT_TRUE(menu().enabled(menu::kItemClose));
    EXPECT_FALSE(menu().enabled(menu::kItemPrint));
}

TEST_F(ShellCommands, FileMenuRefreshesRecentCaptions)
{
    storeRecent(2, "/data/second.dat");
    menu().setCaption(MenuModel::mru(2), "stale");
    menu().setCaption(MenuModel::mru(3), "kept");
    p().menuOpened(menu::kFile);
    EXPECT_EQ(menu().caption(MenuModel::mru(2)), "/data/second.dat");
    EXPECT_EQ(menu().caption(MenuModel::mru(3)), "kept"); // nothing stored: unchanged
}

TEST_F(ShellCommands, FileMenuSaveAsRule)
{
    openSlot(0, "/data/a.dat");
    p().menuOpened(menu::kFile);
    EXPECT_FALSE(menu().enabled(menu::kItemSave)); // unedited, not zoomed
    EXPECT_TRUE(menu().enabled(menu::kItemClose)); // left as the open set it

    p().rec.gZoomFlag = true;
    p().menuOpened(menu::kFile);
    EXPECT_TRUE(menu().enabled(menu::kItemSave));
    p().rec.gZoomFlag = false;

    p().rec.gInfo[0][kColEdited] = 1;
    p().menuOpened(menu::kFile);
    EXPECT_TRUE(menu().enabled(menu::kItemSave));
    p().rec.gInfo[0][kColEdited] = 0;

    // an edited flag in a free slot does not count
    p().rec.gInfo[1][kColEdited] = 1;
    p().menuOpened(menu::kFile);
    EXPECT_FALSE(menu().enabled(menu::kItemSave));

    openSlot(1, "/data/b.dat", 1); // edited recording in slot 1
    p().menuOpened(menu::kFile);
    EXPECT_TRUE(menu().enabled(menu::kItemSave));

    p().rec.gInfo[1][kColEdited] = 0;
    openSlot(2, "/data/c.dat", 1);
    p().menuOpened(menu::kFile);
    EXPECT_TRUE(menu().enabled(menu::kItemSave));
}

TEST_F(ShellCommands, FileMenuLeavesSaveAsAloneWithoutSlotZero)
{
    menu().setEnabled(menu::kItemSave, true); // a download enables Save As with nothing open
    p().menuOpened(menu::kFile);
    EXPECT_TRUE(menu().enabled(menu::kItemSave));
}

TEST_F(ShellCommands, EditMenuRule)
{
    p().view.Label2.visible = true;
    p().menuOpened(menu::kEdit);
    EXPECT_FALSE(menu().enabled(menu::kItemNotes));
    EXPECT_FALSE(menu().enabled(menu::kItemForceRdg));
    EXPECT_FALSE(p().view.Label2.visible);

    openSlot(0, "/data/a.dat");
    p().menuOpened(menu::kEdit);
    EXPECT_TRUE(menu().enabled(menu::kItemNotes));
    EXPECT_FALSE(menu().enabled(menu::kItemForceRdg));

    p().rec.gZoomFlag = true;
    p().menuOpened(menu::kEdit);
    EXPECT_TRUE(menu().enabled(menu::kItemForceRdg));
}

// ---------------------------------------------------------------- default directory

TEST_F(ShellCommands, DefaultDirectoryPanelFlow)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    MainViewState &v = p().view;
    EXPECT_FALSE(v.Drive1.visible);
    EXPECT_FALSE(v.Command1.visible);

    ASSERT_TRUE(p().runCommand(menu::kItemDefaultDir));
    EXPECT_TRUE(v.Drive1.visible);
    EXPECT_TRUE(v.Drive1.enabled);
    EXPECT_TRUE(v.Command1.visible);
    EXPECT_TRUE(v.Command1.enabled);
    EXPECT_FALSE(v.Dir1.visible);
    EXPECT_EQ(v.drive1Drive, QDir::rootPath());

    DefaultDirSelectDrive(p());
    EXPECT_TRUE(v.Dir1.visible);
    EXPECT_TRUE(v.Dir1.enabled);
    EXPECT_EQ(v.dir1Path, QDir::rootPath());
    EXPECT_FALSE(v.Drive1.visible);
    EXPECT_FALSE(v.Command1.visible);
    EXPECT_FALSE(v.Command1.enabled);
    EXPECT_TRUE(v.Command2.visible);
    EXPECT_TRUE(v.Command2.enabled);
    EXPECT_EQ(store().get("Directory", "default"), QDir::rootPath());

    v.dir1Path = folder.path(); // the user picks a folder in Dir1
    DefaultDirSelectDirectory(p());
    EXPECT_EQ(store().get("Directory", "default"), folder.path());
    EXPECT_FALSE(v.Dir1.visible);
    EXPECT_FALSE(v.Dir1.enabled);
    EXPECT_FALSE(v.Drive1.visible);
    EXPECT_FALSE(v.Command1.visible);
    EXPECT_FALSE(v.Command2.visible);
    EXPECT_FALSE(v.Command2.enabled);
    EXPECT_TRUE(dialogs().messages.empty());
}

TEST_F(ShellCommands, DefaultDirectoryStartsOnTheStoredFoldersDrive)
{
    store().save("Directory", "default", QDir::tempPath());
    p().runCommand(menu::kItemDefaultDir);
    EXPECT_EQ(p().view.drive1Drive, QDir::rootPath());
}

TEST_F(ShellCommands, UnreadableDriveAsksForADisk)
{
    store().save("Directory", "default", "/kept");
    p().runCommand(menu::kItemDefaultDir);
    p().view.drive1Drive = tp.path("no-such-drive");
    DefaultDirSelectDrive(p());
    EXPECT_EQ(dialogs().lastMessage(), "Insert disk and repeat");
    EXPECT_EQ(dialogs().messages.back().title, "");
    EXPECT_EQ(dialogs().messages.back().buttons, MsgButtons::Ok);
    const MainViewState &v = p().view;
    for (const ViewControl *c : {&v.Dir1, &v.Drive1, &v.Command1, &v.Command2}) {
        EXPECT_FALSE(c->visible);
        EXPECT_FALSE(c->enabled);
    }
    EXPECT_EQ(store().get("Directory", "default"), "/kept");
}

// ---------------------------------------------------------------- view procedures

TEST_F(ShellCommands, HideTextViewsHidesTheFourTextControls)
{
    MainViewState &v = p().view;
    for (ViewControl *c : {&v.RichTextBox1, &v.Label1, &v.Label2, &v.Header1, &v.Label3}) {
        c->visible = true;
    }
    HideTextViews(p());
    EXPECT_FALSE(v.RichTextBox1.visible);
    EXPECT_FALSE(v.Label1.visible);
    EXPECT_FALSE(v.Label2.visible);
    EXPECT_FALSE(v.Header1.visible);
    EXPECT_TRUE(v.Label3.visible); // Label3 belongs to the chart
}

TEST_F(ShellCommands, ShowAndHideChart)
{
    MainViewState &v = p().view;
    p().chart.gAnnotating = true;
    v.statusPanels[1].text = "10:00  Jan 01, 26";
    v.statusPanels[2].text = "42";
    ShowChart(p());
    EXPECT_TRUE(v.chart1Visible);
    EXPECT_TRUE(v.statusBarVisible);
    EXPECT_EQ(v.statusPanels[0].text, "Status:");
    EXPECT_EQ(v.statusPanels[1].text, "");
    EXPECT_EQ(v.statusPanels[2].text, "");
    for (const ViewControl &panel : v.statusPanels) {
        EXPECT_TRUE(panel.visible);
    }
    EXPECT_TRUE(menu().enabled(menu::kItemScale));
    EXPECT_TRUE(menu().enabled(menu::kItemAnnot));
    EXPECT_FALSE(p().chart.gAnnotating);

    v.chart2Visible = true;
    v.Label3.visible = true;
    HideChart(p());
    EXPECT_FALSE(v.chart1Visible);
    EXPECT_FALSE(v.chart2Visible);
    EXPECT_FALSE(v.Label3.visible);
    EXPECT_FALSE(v.statusBarVisible);
    for (const ViewControl &panel : v.statusPanels) {
        EXPECT_FALSE(panel.visible);
    }
    EXPECT_FALSE(menu().enabled(menu::kItemScale));
    EXPECT_FALSE(menu().enabled(menu::kItemAnnot));
}
