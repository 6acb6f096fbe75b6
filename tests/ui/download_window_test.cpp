// The Download window on the offscreen platform: what it shows of the
// download's state, where OK, Cancel and the Escape key go, and that it is
// drawn whole.
#include "core/link_test_fixture.h"
#include "link/download.h"
#include "link/status_check.h"
#include "link/ui/download_window.h"
#include "program/menu_items.h"
#include "ui_test_app.h"
#include "window_picture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct UiApp {
    UiApp() { ensureUiTestApp(); }
};

QByteArray unitData(int readings, bool ctrlZ)
{
    QByteArray out = "\r\n" + headerLine("KQA", "a", "0042", "12-07-26 08:00") + "T: ";
    for (int i = 1; i <= readings; ++i) {
        out += QByteArray::number(100 + i % 7) + (i % 10 == 0 ? " \r\n" : " ");
    }
    return ctrlZ ? out + QByteArray(1, 26) : out;
}

class DownloadWindowTest : private UiApp, public LinkTest {
protected:
    DownloadWindowTest()
    {
        p().windows.download = &window;
        port.setSettings("19200,N,8,1"); // the probe wakes nothing at the exchange's rate
    }
    DownloadWindow window{p()};
};

TEST_F(DownloadWindowTest, PromptThenProgressWhileReceiving)
{
    select(8);
    port.answerWhenAwake({}, unitData(400, true), 50);
    p().runCommand(menu::kItemDownload);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Download");
    QString prompt = statusPromptText(true, false, kSettings115200);
    prompt.replace("\r\n", "\n");
    EXPECT_EQ(window.Label1->text(), prompt);
    EXPECT_TRUE(window.OK->isVisible());
    EXPECT_TRUE(window.CancelButton->isVisible());
    EXPECT_FALSE(window.ProgressBar1->isVisible());
    EXPECT_EQ(window.Label3->text(), "Debugging log:");
    EXPECT_TRUE(drawnWhole(window));

    QString label1While, label2While;
    bool okHidden = false, barShown = false;
    at(400, [&] {
        label1While = window.Label1->text();
        label2While = window.Label2->text();
        okHidden = !window.OK->isVisible();
        barShown = window.ProgressBar1->isVisible() && window.ProgressBar1->value() > 0;
        EXPECT_TRUE(drawnWhole(window));
    });
    tp.dialogs.saveAnswers = {tp.path("w.dat")};
    QTest::mouseClick(window.OK, Qt::LeftButton);
    EXPECT_EQ(label1While, " Cancel or Escape to quit\nCOM1  in use");
    EXPECT_TRUE(label2While.startsWith("Characters received so far: ")) << label2While.toStdString();
    EXPECT_TRUE(okHidden);
    EXPECT_TRUE(barShown);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(p().link.download.saved);
}

TEST_F(DownloadWindowTest, EscapeCancelsWhileReceiving)
{
    select(8);
    port.answerWhenAwake({}, unitData(3000, false), 50);
    p().runCommand(menu::kItemDownload);
    at(1500, [&] { QTest::keyClick(&window, Qt::Key_Escape); });
    QTest::mouseClick(window.OK, Qt::LeftButton);
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(tp.dialogs.saveDirs.isEmpty());
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(DownloadWindowTest, CancelButtonAndClosingBeforeOk)
{
    select(8);
    for (int way = 0; way < 2; ++way) {
        p().runCommand(menu::kItemDownload);
        ASSERT_TRUE(window.isVisible());
        if (way == 0) {
            QTest::mouseClick(window.CancelButton, Qt::LeftButton);
        } else {
            window.close();
        }
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(p().link.download.loaded);
        EXPECT_FALSE(port.portOpen());
    }
}

} // namespace
