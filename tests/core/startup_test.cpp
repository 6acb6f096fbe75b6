#include "shell/startup.h"

#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/startup_values.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace {

// The commands that need an open recording, disabled at start-up.
const QStringList kRecordingCommands{menu::kItemexprep,
                                     menu::kItemexpdatacsv,
                                     menu::kItemexpdata1perLine,
                                     menu::kView,
                                     menu::kZoom,
                                     menu::kItemScale,
                                     menu::kItemSave,
                                     menu::kItemExportType,
                                     menu::kItemViewTable,
                                     menu::kItemPrintTable,
                                     menu::kItemViewPwrTable,
                                     menu::kItemPrintPwrTable,
                                     menu::kItemAnnot,
                                     menu::kItemOnepgPlot};

class Startup : public ::testing::Test {
protected:
    TestProgram tp;
    Program &p() { return tp.p(); }
    SettingsStore &store() { return tp.settings.store; }
    // The start-up as the splash window runs it: load, continue, main window load.
    void start()
    {
        loadStartupValues(p().splash, QStringLiteral("/work/dir"));
        initialiseProgram(p());
        mainWindowLoad(p());
    }
    bool mruVisible(int i) { return p().menu.visible(MenuModel::mru(i)); }
};

} // namespace

TEST(StartupValues, SplashLoadSetsEveryValue)
{
    StartupValues s;
    s.showStatus = false;
    s.gS5FlagCustom = false;
    loadStartupValues(s, QStringLiteral("/home/user/recordings"));
    EXPECT_EQ(s.versionID, "Version 3.35");
    EXPECT_EQ(s.versionDate, "Dec 16, 2012");
    EXPECT_TRUE(s.showStatus);
    EXPECT_EQ(s.maxSamples, 42966);
    EXPECT_EQ(s.portSettings, "115200,N,8,1");
    EXPECT_EQ(s.instSelection, 0);
    EXPECT_EQ(s.instAutoCurrent, 8);
    EXPECT_EQ(s.maxSamplesCustom, 42966);
    EXPECT_EQ(s.portSettingsCustom, "115200,N,8,1");
    EXPECT_TRUE(s.gS5FlagCustom);
    EXPECT_EQ(s.workingDirectory, "/home/user/recordings");
}

TEST(SplashLayout, CentresThePictureAndPlacesTheLabels)
{
    // 1920 x 1080 pixels at 96 dots per inch = 28800 x 16200 twips.
    const SplashLayout l = splashLayout(28800, 16200, kSplashPictureWidth, kSplashPictureHeight, 3000, 2000);
    EXPECT_DOUBLE_EQ(l.pictureLeft, 14400 - 4220);
    EXPECT_DOUBLE_EQ(l.pictureTop, 8100 - kSplashPictureHeight / 2.0);
    EXPECT_DOUBLE_EQ(l.label1Left, (28800 - 3000) / 2.0);
    EXPECT_DOUBLE_EQ(l.label1Top, l.pictureTop + 2880);
    EXPECT_DOUBLE_EQ(l.label5Left, (28800 - 2000) / 2.0);
    EXPECT_DOUBLE_EQ(l.label5Top, l.pictureTop + 3600);
    EXPECT_DOUBLE_EQ(l.label4Left, l.pictureLeft + 240);
    EXPECT_DOUBLE_EQ(l.label4Top, l.pictureTop + 5040);
}

TEST(SplashLayout, NarrowScreenCentresByTheScreenWidth)
{
    const SplashLayout l = splashLayout(6000, 9000, kSplashPictureWidth, 5760, 1000, 1000);
    EXPECT_DOUBLE_EQ(l.pictureLeft, 0);
    EXPECT_DOUBLE_EQ(l.pictureTop, 4500 - 2880);
    EXPECT_DOUBLE_EQ(l.label4Left, 240);
    EXPECT_DOUBLE_EQ(l.label1Left, 2500); // the labels still centre on the screen
    // exactly as wide as the picture: still at 0
    EXPECT_DOUBLE_EQ(splashLayout(8440, 9000, 8440, 5760, 0, 0).pictureLeft, 0);
}

TEST(SplashLayout, TwipsAndPixels)
{
    EXPECT_EQ(twipsToPixels(1440, 96), 96);
    EXPECT_EQ(twipsToPixels(kSplashPictureWidth, 96), 563); // 562.67 rounds up
    EXPECT_EQ(twipsToPixels(240, 120), 20);
    EXPECT_DOUBLE_EQ(pixelsToTwips(96, 96), 1440);
    EXPECT_DOUBLE_EQ(pixelsToTwips(1920, 96), 28800);
    EXPECT_DOUBLE_EQ(pixelsToTwips(100, 0), 0);
}

TEST_F(Startup, FirstRunWithAnEmptyStore)
{
    p().modes.clear();
    start();
    EXPECT_EQ(p().link.gCommPort, 1);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(mruVisible(i)) << i;
    }
    EXPECT_FALSE(p().menu.visible(MenuModel::mru(0)));
    EXPECT_TRUE(p().menu.visible(menu::kItemStatusCheck));
    for (const QString &name : kRecordingCommands) {
        EXPECT_FALSE(p().menu.enabled(name)) << name.toStdString();
    }
    EXPECT_TRUE(p().menu.enabled(menu::kItemInitialize));
    EXPECT_TRUE(p().menu.enabled(menu::kItemOpen));
    EXPECT_EQ(p().view.title, "RDX600");
    EXPECT_TRUE(p().modes.filled());
    EXPECT_EQ(p().modes.interval("g"), 15);
    EXPECT_EQ(p().modes.interval("m"), 0);
    EXPECT_EQ(p().modes.memory("m"), QString());
    // no recording open, nothing shown
    EXPECT_EQ(p().rec.openCount(), 0);
    EXPECT_FALSE(p().view.statusBarVisible);
    for (const ViewControl &panel : p().view.statusPanels) {
        EXPECT_FALSE(panel.visible);
    }
}

TEST_F(Startup, InitialisationResetsTheProgramWideState)
{
    p().report.gExportOnePerLine = false;
    p().rec.gDatastart = 77;
    p().power.gPowerFactor = 0.5F;
    p().link.gS5Flag = false;
    p().view.title = "other";
    p().view.statusPanels[1].visible = true;
    p().view.statusBarVisible = true;
    initialiseProgram(p());
    EXPECT_TRUE(p().report.gExportOnePerLine);
    EXPECT_EQ(p().rec.gDatastart, 1);
    EXPECT_EQ(p().power.gPowerFactor, 1.0F);
    EXPECT_TRUE(p().link.gS5Flag);
    EXPECT_EQ(p().view.title, "RDX600");
    EXPECT_FALSE(p().view.statusPanels[1].visible);
    EXPECT_FALSE(p().view.statusBarVisible);
}

TEST_F(Startup, PortNumberFromTheStore)
{
    store().save("Comm", "RDX.MSComm1.CommPort", "3");
    start();
    EXPECT_EQ(p().link.gCommPort, 3);
}

TEST_F(Startup, StoredPortIsUsedUnchangedButTextThatIsNoNumberGivesPortOne)
{
    store().save("Comm", "RDX.MSComm1.CommPort", " 12 ");
    initialiseProgram(p());
    EXPECT_EQ(p().link.gCommPort, 12);
    store().save("Comm", "RDX.MSComm1.CommPort", "COM2");
    initialiseProgram(p());
    EXPECT_EQ(p().link.gCommPort, 1);
}

TEST_F(Startup, OnlyTheThirdRecentFileStored)
{
    store().save("Settings", "mrufile3", "/data/feeder3.dat");
    start();
    EXPECT_FALSE(mruVisible(1));
    EXPECT_FALSE(mruVisible(2));
    EXPECT_TRUE(mruVisible(3));
    EXPECT_FALSE(mruVisible(4));
    EXPECT_EQ(p().menu.caption(MenuModel::mru(3)), "/data/feeder3.dat");
}

TEST_F(Startup, AllFourRecentFiles)
{
    for (int i = 1; i <= 4; ++i) {
        store().save("Settings", QStringLiteral("mrufile%1").arg(i), QStringLiteral("/data/f%1.dat").arg(i));
    }
    start();
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(mruVisible(i)) << i;
        EXPECT_EQ(p().menu.caption(MenuModel::mru(i)), QStringLiteral("/data/f%1.dat").arg(i));
    }
}

TEST_F(Startup, MainWindowLoadFollowsShowStatus)
{
    start();
    EXPECT_TRUE(p().menu.visible(menu::kItemStatusCheck));
    p().splash.showStatus = false;
    mainWindowLoad(p());
    EXPECT_FALSE(p().menu.visible(menu::kItemStatusCheck));
    p().splash.showStatus = true;
    mainWindowLoad(p());
    EXPECT_TRUE(p().menu.visible(menu::kItemStatusCheck));
}

TEST(SplashTexts, ProductAndPrompt)
{
    EXPECT_EQ(splashProductName(), "RDX600");
    EXPECT_EQ(splashContinuePrompt(), "Click or press a key to start");
}
