// The windows of initialization and recovery on the offscreen platform: the
// options InitInst passes on, the header exchange window during an
// initialization, the recover window's buttons; each window drawn whole.
#include "core/link_test_fixture.h"
#include "link/ui/abort_window.h"
#include "program/menu_items.h"
#include "setup/initialize.h"
#include "setup/recover.h"
#include "setup/ui/init_inst_window.h"
#include "setup/ui/recover_window.h"
#include "ui_test_app.h"
#include "window_picture.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct UiApp {
    UiApp() { ensureUiTestApp(); }
};

class SetupWindows : private UiApp, public LinkTest {
protected:
    SetupWindows()
    {
        p().windows.initInst = &initInst;
        p().windows.abort = &abort;
        p().windows.recover = &recover;
        p().modes.fill();
        installInitializeCommand(p());
        installRecoverCommand(p());
    }

    InitInstWindow initInst{p()};
    AbortWindow abort{p()};
    RecoverWindow recover{p()};
};

TEST_F(SetupWindows, InitInstPassesTheChosenOptionsAndTheHeaderWindowShowsProgress)
{
    select(8);
    // Warning OK; the prompt OK; the read-back never comes: CANCEL below,
    // then Cancel at the prompt shown again.
    tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Cancel};
    port.answerWhenAwake({}, headerLine("KQA", "a"), 100);
    QTimer::singleShot(0, [this] {
        EXPECT_TRUE(initInst.isVisible());
        EXPECT_EQ(initInst.windowTitle(), "Initialization Options");
        EXPECT_TRUE(initInst.Option1->isChecked());
        EXPECT_TRUE(initInst.Option4->isChecked());
        EXPECT_TRUE(initInst.Option6->isChecked());
        EXPECT_TRUE(initInst.Command1->isDefault());
        EXPECT_TRUE(drawnWhole(initInst));
        initInst.Option2->click();
        initInst.Option5->click();
        initInst.Option7->click();
        initInst.Command1->click();
    });
    QString progress;
    bool shown = false;
    at(400, [&] {
        shown = abort.isVisible();
        progress = abort.Label1->text();
        EXPECT_TRUE(drawnWhole(abort));
        abort.Command1->click(); // CANCEL while the unit's answer is awaited
    });
    p().runCommand(menu::kItemInitialize);
    EXPECT_EQ(p().setup.initInst.timeOption, 2);
    EXPECT_EQ(p().setup.initInst.kindOption, 5);
    EXPECT_EQ(p().setup.initInst.memoryOption, 7);
    EXPECT_EQ(p().link.abort.logLabel.left(9), "IMode$=k\r");
    EXPECT_TRUE(shown);
    EXPECT_EQ(progress, "INITIALIZING...\n  - May take around 15 seconds\n\n(You can cancel at any time)");
    EXPECT_FALSE(initInst.isVisible());
    EXPECT_FALSE(abort.isVisible());
    EXPECT_FALSE(port.portOpen());
}

TEST_F(SetupWindows, RecoverWindowPromptsAndEscapeClosesIt)
{
    select(2);
    p().runCommand(menu::kItemRecover);
    ASSERT_TRUE(recover.isVisible());
    EXPECT_TRUE(recover.OK->isVisible());
    EXPECT_FALSE(recover.CancelButton->isVisible());
    EXPECT_TRUE(recover.Label1->text().startsWith("   Press 'OK'."));
    EXPECT_TRUE(drawnWhole(recover));
    recover.reject(); // Escape
    EXPECT_FALSE(recover.isVisible());
    EXPECT_FALSE(p().setup.recover.loaded);
    EXPECT_FALSE(port.portOpen());
}

} // namespace
