// Where the instrument windows appear: each belongs to the main window, opens
// centred on it, active with the keyboard in it (so Escape acts at once) and
// with its own default button, the second time as well as the first.
#include "core/link_test_fixture.h"
#include "link/ui/abort_window.h"
#include "link/ui/download_window.h"
#include "link/ui/status_window.h"
#include "platform/ui/qt_dialogs.h"
#include "program/menu_items.h"
#include "setup/initialize.h"
#include "setup/recover.h"
#include "setup/ui/init_inst_window.h"
#include "setup/ui/recover_window.h"
#include "ui_test_app.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct UiApp {
    UiApp() { ensureUiTestApp(); }
};

// What the user meets when a window opens.
struct Shot {
    bool visible = false;
    bool ownedByMain = false;
    QPoint offCentre; // window centre less main window centre
    bool active = false;
    QString focus; // the focused button
    QString defaultButton;
    bool questionsOverIt = false; // messages and input boxes belong to it
};

class ExchangeWindows;
struct ExchangeCase {
    const char *name;
    const char *command;
    int type;
    QString defaultButton;
    QWidget *ExchangeWindows::*window;
    // Closes the first opening with a click here instead of Escape (the
    // focus then rests on it); null for Escape both times.
    QPushButton *(*clickFirst)(ExchangeWindows &);
};

class ExchangeWindows : private UiApp, public LinkTest, public ::testing::WithParamInterface<ExchangeCase> {
public:
    ExchangeWindows()
    {
        main.setGeometry(60, 40, 680, 500);
        main.show();
        questions.setParentWidget(&main);
        p().windows.status = &status;
        p().windows.download = &download;
        p().windows.abort = &abort;
        p().windows.recover = &recover;
        p().windows.initInst = &initInst;
        p().modes.fill();
        installInitializeCommand(p());
        installRecoverCommand(p());
        port.setSettings("19200,N,8,1"); // the probe wakes nothing at the exchange's rate
    }

    Shot shot(QWidget &w)
    {
        QApplication::processEvents();
        Shot s{w.isVisible(),
               w.parentWidget() == &main && w.isWindow(),
               w.frameGeometry().center() - main.frameGeometry().center(),
               QApplication::activeWindow() == &w,
               {},
               {}};
        if (auto *b = qobject_cast<QPushButton *>(QApplication::focusWidget()); b && b->window() == &w) {
            s.focus = b->text();
        }
        s.questionsOverIt = questions.questionOwner() == &w;
        for (QPushButton *b : w.findChildren<QPushButton *>()) {
            s.defaultButton = b->isDefault() && b->isVisible() ? b->text() : s.defaultButton;
        }
        return s;
    }

    // Runs the command; the first time the window is up (in a receive loop,
    // a modal window or after the command) records it and closes it.
    void openAndClose(const ExchangeCase &c, QPushButton *click, std::vector<Shot> &shots)
    {
        QWidget &w = *(this->*c.window);
        bool taken = false;
        const auto take = [&] {
            if (!taken && w.isVisible()) {
                taken = true;
                shots.push_back(shot(w));
                QWidget *keys = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
                click ? QTest::mouseClick(click, Qt::LeftButton) : QTest::keyClick(keys, Qt::Key_Escape);
            }
        };
        tp.clock.onProcessEvents = [&](qint64) { take(); };
        tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Cancel};
        QTimer::singleShot(0, [&] {
            // The initialization options go on to the header exchange.
            c.window == &ExchangeWindows::abortWindow ? initInst.Command1->click() : take();
        });
        p().runCommand(c.command);
        take();
        EXPECT_FALSE(w.isVisible());
        tp.clock.onProcessEvents = {};
        // A window system gives the main window the keyboard back (the
        // offscreen platform does not).
        main.activateWindow();
        QApplication::processEvents();
        EXPECT_EQ(questions.questionOwner(), &main);
    }

    QWidget main;
    QtDialogs questions; // where the program's messages would go
    StatusWindow status{p(), &main};
    DownloadWindow download{p(), &main};
    AbortWindow abort{p(), &main};
    RecoverWindow recover{p(), &main};
    InitInstWindow initInst{p(), &main};
    QWidget *statusWindow = &status, *downloadWindow = &download, *abortWindow = &abort,
            *recoverWindow = &recover, *initInstWindow = &initInst;
};

TEST_P(ExchangeWindows, OpensOverTheMainWindowCentredWithTheKeyboardAndItsDefaultButton)
{
    const ExchangeCase &c = GetParam();
    select(c.type);
    std::vector<Shot> shots;
    openAndClose(c, c.clickFirst ? c.clickFirst(*this) : nullptr, shots);
    openAndClose(c, nullptr, shots);
    ASSERT_EQ(shots.size(), 2U);
    for (const Shot &s : shots) {
        EXPECT_TRUE(s.visible && s.ownedByMain && s.active && s.questionsOverIt);
        EXPECT_LE(s.offCentre.manhattanLength(), 2) << s.offCentre.x() << "," << s.offCentre.y();
        EXPECT_EQ(s.defaultButton, c.defaultButton);
        EXPECT_EQ(s.focus, c.defaultButton);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ExchangeWindows,
    ::testing::Values(
        // Type 2 is a silent non-S5 unit: the exchanges wait for Escape.
        ExchangeCase{"Status", menu::kItemStatusCheck, 2, "Cancel", &ExchangeWindows::statusWindow, nullptr},
        ExchangeCase{"Download", menu::kItemDownload, 8, "OK", &ExchangeWindows::downloadWindow,
                     [](ExchangeWindows &w) { return w.download.CancelButton; }},
        ExchangeCase{"Recover", menu::kItemRecover, 2, "OK", &ExchangeWindows::recoverWindow, nullptr},
        ExchangeCase{"InitializationOptions", menu::kItemInitialize, 8, "Proceed",
                     &ExchangeWindows::initInstWindow, nullptr},
        ExchangeCase{"HeaderExchange", menu::kItemInitialize, 8, "CANCEL", &ExchangeWindows::abortWindow,
                     nullptr}),
    [](const ::testing::TestParamInfo<ExchangeCase> &testInfo) { return std::string(testInfo.param.name); });

} // namespace
