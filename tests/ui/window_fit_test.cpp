// Every window fits 1280 x 800 at scale 1 and 2 (640 x 400 device-independent
// pixels) with room for a title bar; the main window keeps its place and icon.
#include "platform/settings_store.h"
#include "recording/ui/file_windows.h"
#include "shell/ui/app_wiring.h"
#include "shell/ui/main_window.h"
#include "support/fake_dialogs.h"
#include "ui_test_app.h"

#include <QDialog>
#include <QLayout>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kTitleAndPanel = 40; // height the screen keeps for itself

class WindowFit : public ::testing::TestWithParam<int> {
protected:
    WindowFit() : app((ensureUiTestApp(), dir.filePath("rdx600.ini")))
    {
        app.program().io.dialogs = &dialogs;
        app.installWindows();
        main = app.startWithoutSplash();
        attachFileWindows(app.program(), main);
    }
    QTemporaryDir dir;
    FakeDialogs dialogs;
    App app;
    RDX *main = nullptr;
};

TEST_P(WindowFit, EveryWindowsSmallestSizeFitsTheScreen)
{
    const int scale = GetParam();
    const QSize screen(1280 / scale, 800 / scale - kTitleAndPanel);
    QList<QWidget *> windows{main};
    for (QDialog *d : main->findChildren<QDialog *>()) {
        windows << d;
    }
    ASSERT_GE(windows.size(), 14); // main, status, download, selection, properties, port, ...
    for (QWidget *w : windows) {
        if (w->layout() != nullptr) {
            w->layout()->activate();
        }
        const QSize smallest = w->minimumSizeHint().expandedTo(w->minimumSize());
        EXPECT_LE(smallest.width(), screen.width()) << w->metaObject()->className();
        EXPECT_LE(smallest.height(), screen.height()) << w->metaObject()->className();
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, WindowFit, ::testing::Values(1, 2));

TEST(MainWindowPlace, SizeAndPlaceComeBackAfterClosing)
{
    ensureUiTestApp();
    QTemporaryDir dir;
    const QString ini = dir.filePath("rdx600.ini");
    {
        App app(ini);
        RDX *w = app.startWithoutSplash();
        w->setGeometry(30, 40, 700, 420);
        w->close();
        EXPECT_FALSE(app.program().settings().get("Window", "geometry").isEmpty());
    }
    App again(ini);
    RDX *w = again.startWithoutSplash();
    EXPECT_EQ(w->geometry(), QRect(30, 40, 700, 420));
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_FALSE(w->windowIcon().pixmap(32, 32).isNull());
}

} // namespace
