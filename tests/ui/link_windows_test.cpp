// The link's windows on the offscreen platform: what they show of the
// core's state, where their presses go, and that each is drawn whole.
#include "core/link_test_fixture.h"
#include "link/inst_select.h"
#include "link/status_check.h"
#include "link/ui/inst_properties_window.h"
#include "link/ui/inst_sel_window.h"
#include "link/ui/port_sel_window.h"
#include "link/ui/status_window.h"
#include "platform/qt_serial_port.h"
#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "ui_test_app.h"
#include "window_picture.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The application exists before any window is made.
struct UiApp {
    UiApp() { ensureUiTestApp(); }
};

class LinkWindows : private UiApp, public LinkTest {
protected:
    LinkWindows()
    {
        p().windows.status = &status;
        p().windows.instSel = &instSel;
        p().windows.instProperties = &properties;
        p().windows.portSel = &portSel;
    }
    // Acts inside the next modal window once its event loop runs.
    static void whenShown(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

    StatusWindow status{p()};
    InstSelWindow instSel{p()};
    InstPropertiesWindow properties{p(), &instSel};
    PortSelWindow portSel{p()};
};

TEST_F(LinkWindows, StatusWindowShowsTheResultOfACheck)
{
    select(8);
    tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::No};
    port.answerWhenAwake({}, headerLine("KQA", "b", "0042"), 300);
    bool shownWhileWaiting = false;
    QString waitingText;
    at(100, [&] {
        shownWhileWaiting = status.isVisible() && status.Label1->isVisible();
        waitingText = status.Label1->text();
    });
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_TRUE(shownWhileWaiting);
    EXPECT_EQ(waitingText, "WAITING FOR RESPONSE FROM INSTRUMENT");
    EXPECT_EQ(status.windowTitle(), "status");
    EXPECT_EQ(status.Label2->text(), " Type: KQA    Serial Number 0042\n"
                                     " Mode setting:  b    Average Cont   5 min \n"
                                     " Time On: 09:30 Dec 07, 26     Condition: Running\n"
                                     "Vbatt = 3.806 volts");
    EXPECT_FALSE(status.Command1->isVisible());
    EXPECT_FALSE(status.isVisible());
    // As it looked while the completion question was asked.
    p().link.status.wait.label1 = "WAITING FOR RESPONSE FROM INSTRUMENT";
    p().link.status.label1Visible = true;
    status.show();
    EXPECT_TRUE(drawnWhole(status));
    status.hide();
}

TEST_F(LinkWindows, StatusWindowReadyLabelAndCancelButton)
{
    select(2);
    tp.dialogs.messageAnswers = {MsgResult::Ok};
    int fontSize = 0;
    at(200, [&] {
        fontSize = status.Label1->font().pointSize();
        EXPECT_EQ(status.Label1->text(), "READY");
        EXPECT_TRUE(drawnWhole(status));
        status.Command2->click();
    });
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(fontSize, 24);
    EXPECT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(status.isVisible());
}

TEST_F(LinkWindows, EscapeInTheStatusWindowCancels)
{
    select(11);
    tp.dialogs.messageAnswers = {MsgResult::Ok};
    at(200, [&] { status.reject(); });
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_FALSE(port.portOpen());
    // Cancel (114) closed the port; the next read ended the check through
    // the silent error report (112).
    EXPECT_EQ(p().link.gErrorCallPoint, 112);
    EXPECT_FALSE(p().link.status.suppressCommErrMsg);
}

TEST_F(LinkWindows, PortSelectionWindowSelectsTheStoredPortAndForwardsOk)
{
    tp.settings.store.save("Comm", "RDX.MSComm1.CommPort", "8");
    bool storedChecked = false;
    whenShown([&] {
        storedChecked = portSel.Option[7]->isChecked();
        EXPECT_EQ(portSel.Option[7]->text(), "com8");
        EXPECT_TRUE(drawnWhole(portSel));
        portSel.Option[4]->click();
        portSel.Command1->click();
    });
    p().runCommand(menu::kItemPortSelect);
    EXPECT_TRUE(storedChecked);
    EXPECT_EQ(portSel.windowTitle(), "Com Port Selection");
    EXPECT_EQ(tp.settings.store.get("Comm", "RDX.MSComm1.CommPort"), "5");
    EXPECT_FALSE(portSel.isVisible());
}

TEST_F(LinkWindows, PortSelectionWindowWithNothingStoredChecksNoButton)
{
    int checked = 0;
    whenShown([&] {
        for (QRadioButton *b : portSel.Option) {
            checked += b->isChecked() ? 1 : 0;
        }
        portSel.Command2->click();
    });
    p().runCommand(menu::kItemPortSelect);
    EXPECT_EQ(checked, 0);
    EXPECT_EQ(p().link.gCommPort, 1);
}

TEST_F(LinkWindows, PortSelectionWindowNamesTheDeviceOfEachPort)
{
    qputenv("RDX600_COM3", "/dev/pts/77");
    QStringList shown;
    whenShown([&] {
        for (QLabel *device : portSel.Device) {
            shown << device->text();
        }
        EXPECT_TRUE(drawnWhole(portSel));
        portSel.Command2->click();
    });
    p().runCommand(menu::kItemPortSelect);
    qunsetenv("RDX600_COM3");
    ASSERT_EQ(shown.size(), kPortButtons);
    for (int n = 1; n <= kPortButtons; ++n) {
        EXPECT_EQ(shown[n - 1], n == 3 ? QString("/dev/pts/77") : portDeviceName(n, PortNaming::system()))
            << n;
    }
}

TEST_F(LinkWindows, InstrumentSelectionFromTheInstrumentMenu)
{
    bool okEnabled = true;
    int visibleOptions = 0;
    whenShown([&] {
        okEnabled = instSel.Command1->isEnabled();
        for (QRadioButton *b : instSel.Option) {
            visibleOptions += b->isVisible() ? 1 : 0;
        }
        EXPECT_EQ(instSel.Label1->text(), "Must first select an instrument type:");
        EXPECT_FALSE(instSel.Command3->isEnabled());
        EXPECT_TRUE(drawnWhole(instSel));
        instSel.Option[14]->click();
        EXPECT_TRUE(instSel.Command1->isEnabled());
        instSel.Command1->click();
    });
    p().menuOpened(menu::kInstrument);
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(visibleOptions, 12);
    EXPECT_EQ(instSel.Option[14]->text(), "TL40Plus");
    EXPECT_EQ(p().splash.instSelection, 14);
    EXPECT_EQ(p().splash.maxSamples, 21462);
}

TEST_F(LinkWindows, CustomPropertiesAreEditedThroughTheWindow)
{
    bool catalogueEnabled = true;
    whenShown([&] {
        instSel.Option[9]->click();
        whenShown([&] {
            EXPECT_TRUE(properties.Option[1]->isEnabled());
            EXPECT_TRUE(properties.Command1->isEnabled());
            properties.Option[9]->click();  // 38,400
            properties.Option[6]->click();  // 294
            properties.Option[12]->click(); // Non-S5
            EXPECT_TRUE(drawnWhole(properties));
            properties.Command1->click();
        });
        instSel.Command3->click();
        instSel.Command1->click();
    });
    p().runCommand(menu::kItemInstSelect);
    EXPECT_EQ(p().splash.portSettings, "38400,N,8,1");
    EXPECT_EQ(p().splash.maxSamples, 294);
    EXPECT_FALSE(p().link.gS5Flag);

    // A catalogue type: every control disabled, its values shown.
    select(7);
    loadInstProperties(p());
    properties.prepare();
    catalogueEnabled = properties.Option[5]->isEnabled() || properties.Command1->isEnabled();
    EXPECT_FALSE(catalogueEnabled);
    EXPECT_TRUE(properties.Option[1]->isChecked());
    EXPECT_TRUE(properties.Option[5]->isChecked());
    EXPECT_TRUE(properties.Option[11]->isChecked());
    properties.show();
    EXPECT_TRUE(drawnWhole(properties));
    properties.hide();
}

} // namespace
