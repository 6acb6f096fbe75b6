// The instrument information is on screen in the main window's Label1 as soon
// as it is set (the " PROCEED" message that follows is read beside it), with
// Save As usable and no recording open.
#include "program/menu_items.h"
#include "setup/instrument_info.h"
#include "shell/startup.h"
#include "shell/ui/main_window.h"
#include "support/test_program.h"
#include "ui_test_app.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <gtest/gtest.h>

TEST(InstrumentInfoLabel, ShownAtOnceWithSaveEnabled)
{
    ensureUiTestApp();
    TestProgram tp;
    Program &p = tp.p();
    loadStartupValues(p.splash, QDir::currentPath());
    initialiseProgram(p);
    RDX window(p);
    window.sync();
    ASSERT_FALSE(window.Label1->isVisibleTo(&window));
    ASSERT_FALSE(window.action(menu::kItemSave)->isEnabled());

    p.rec.gText = QStringLiteral("\r\nKQAd   0042                   03-15-26 12:00\r\nT: 1 2 3 ") + QChar(26);
    Program::run(p.procs.Showinfo);
    EXPECT_TRUE(window.Label1->isVisibleTo(&window));
    EXPECT_TRUE(window.Label1->text().contains("Downloaded or stopped at:  12:00  Mar 15, 26"));
    EXPECT_EQ(window.Label1->text().count('\n'), 4);
    EXPECT_TRUE(window.action(menu::kItemSave)->isEnabled());
}
