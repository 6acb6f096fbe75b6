// Where the instrument windows appear: each belongs to the main window, opens
// centred on it, active with the keyboard in it (so Escape acts at once) and
// with its own default button, the second time as well as the first.
#include "core/link_test_fixture.h"
#include "link/ui/abort_window.h"
#include "link/ui/download_window.h"
#include "link/ui/status_window.h"
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
    QPoint offCentre;    // window centre less main window centre
    bool active = false; // the window has the keyboard
    QString focus;       // text of the focused button, if any
    QString defaultButton;
};

class ExchangeWindows;
struct ExchangeCase {
    const char *name;
    QString defaultButton;
    // Opens the window twice as a user would and records each opening.
    std::function<void(ExchangeWindows &, std::vector<Shot> &)> openTwice;
};

class ExchangeWindows : private UiApp, public LinkTest, public ::testing::WithParamInterface<ExchangeCase> {
public:
    using LinkTest::at;
    using LinkTest::p;
    using LinkTest::select;
    using LinkTest::tp;
    ExchangeWindows()
    {
        main.setGeometry(60, 40, 680, 500);
        main.show();
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
        Shot s;
        s.visible = w.isVisible();
        s.ownedByMain = w.parentWidget() == &main && w.isWindow();
        s.offCentre = w.frameGeometry().center() - main.frameGeometry().center();
        s.active = QApplication::activeWindow() == &w;
        if (auto *b = qobject_cast<QPushButton *>(QApplication::focusWidget()); b && b->window() == &w) {
            s.focus = b->text();
        }
        for (QPushButton *b : w.findChildren<QPushButton *>()) {
            if (b->isDefault() && b->isVisible()) {
                s.defaultButton = b->text();
            }
        }
        return s;
    }
    // The main window has the keyboard again once a window closed, as a
    // window system gives it back (the offscreen platform does not).
    void backToMain()
    {
        main.activateWindow();
        QApplication::processEvents();
    }
    // Escape where the keyboard is.
    static void escape()
    {
        QWidget *target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                                 : QApplication::activeWindow();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key_Escape);
    }

    QWidget main;
    StatusWindow status{p(), &main};
    DownloadWindow download{p(), &main};
    AbortWindow abort{p(), &main};
    RecoverWindow recover{p(), &main};
    InitInstWindow initInst{p(), &main};
};

TEST_P(ExchangeWindows, OpensOverTheMainWindowCentredWithTheKeyboardAndItsDefaultButton)
{
    std::vector<Shot> shots;
    GetParam().openTwice(*this, shots);
    ASSERT_EQ(shots.size(), 2U);
    for (size_t i = 0; i < shots.size(); ++i) {
        const Shot &s = shots[i];
        SCOPED_TRACE(std::string(GetParam().name) + " opening " + std::to_string(i + 1));
        EXPECT_TRUE(s.visible);
        EXPECT_TRUE(s.ownedByMain);
        EXPECT_LE(s.offCentre.manhattanLength(), 2) << s.offCentre.x() << "," << s.offCentre.y();
        EXPECT_TRUE(s.active);
        EXPECT_EQ(s.defaultButton, GetParam().defaultButton);
        EXPECT_EQ(s.focus, GetParam().defaultButton);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ExchangeWindows,
    ::testing::Values(
        // A silent non-S5 unit: the check waits until Escape.
        ExchangeCase{"Status", "Cancel",
                     [](ExchangeWindows &t, std::vector<Shot> &shots) {
                         t.select(2);
                         for (int i = 0; i < 2; ++i) {
                             t.backToMain();
                             t.tp.clock.onProcessEvents = {};
                             t.at(t.tp.clock.elapsedMs() + 300, [&] {
                                 shots.push_back(t.shot(t.status));
                                 ExchangeWindows::escape();
                             });
                             t.p().runCommand("mnuItemStatusCheck");
                             EXPECT_FALSE(t.status.isVisible());
                         }
                     }},
        // Cancel clicked the first time leaves the focus on it; the second
        // opening still offers OK.
        ExchangeCase{"Download", "OK",
                     [](ExchangeWindows &t, std::vector<Shot> &shots) {
                         t.select(8);
                         t.p().runCommand("mnuItemDownload");
                         shots.push_back(t.shot(t.download));
                         QTest::mouseClick(t.download.CancelButton, Qt::LeftButton);
                         EXPECT_FALSE(t.download.isVisible());
                         t.backToMain();
                         t.p().runCommand("mnuItemDownload");
                         shots.push_back(t.shot(t.download));
                         ExchangeWindows::escape();
                         EXPECT_FALSE(t.download.isVisible());
                     }},
        ExchangeCase{"Recover", "OK",
                     [](ExchangeWindows &t, std::vector<Shot> &shots) {
                         t.select(2);
                         for (int i = 0; i < 2; ++i) {
                             t.backToMain();
                             t.p().runCommand("mnuItemRecover");
                             shots.push_back(t.shot(t.recover));
                             ExchangeWindows::escape();
                             EXPECT_FALSE(t.recover.isVisible());
                         }
                     }},
        ExchangeCase{"InitializationOptions", "Proceed",
                     [](ExchangeWindows &t, std::vector<Shot> &shots) {
                         t.select(8);
                         for (int i = 0; i < 2; ++i) {
                             t.backToMain();
                             QTimer::singleShot(0, [&] {
                                 shots.push_back(t.shot(t.initInst));
                                 ExchangeWindows::escape();
                             });
                             t.p().runCommand("mnuItemInitialize");
                             EXPECT_FALSE(t.initInst.isVisible());
                         }
                     }},
        // The header exchange of an initialization; Escape cancels it and
        // the cable prompt shown again is answered Cancel.
        ExchangeCase{"HeaderExchange", "CANCEL",
                     [](ExchangeWindows &t, std::vector<Shot> &shots) {
                         t.select(8);
                         for (int i = 0; i < 2; ++i) {
                             t.backToMain();
                             t.tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Cancel};
                             QTimer::singleShot(0, [&] { t.initInst.Command1->click(); });
                             t.tp.clock.onProcessEvents = {};
                             t.at(t.tp.clock.elapsedMs() + 300, [&] {
                                 shots.push_back(t.shot(t.abort));
                                 ExchangeWindows::escape();
                             });
                             t.p().runCommand("mnuItemInitialize");
                             EXPECT_FALSE(t.abort.isVisible());
                         }
                     }}),
    [](const ::testing::TestParamInfo<ExchangeCase> &info) { return std::string(info.param.name); });

} // namespace
