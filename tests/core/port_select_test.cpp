// The Com Port Selection command and its window: the stored port, the
// probe, "Invalid Port" and the reload rule.
#include "link/download.h"
#include "link/port_select.h"
#include "link/serial_link.h"
#include "link_test_fixture.h"
#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "shell/startup.h"

#include <gtest/gtest.h>

namespace {

class PortSelection : public LinkTest {
protected:
    QString stored() const { return tp.settings.store.get("Comm", "RDX.MSComm1.CommPort"); }
    void store(const QString &v) { tp.settings.store.save("Comm", "RDX.MSComm1.CommPort", v); }
    int shownSelection = -1;
    void choose(int button)
    {
        portSelView.user = [this, button] {
            shownSelection = p().link.portSel.selected;
            if (button >= 0) {
                PortSelOk(p(), button);
            }
        };
        ASSERT_TRUE(p().runCommand(menu::kItemPortSelect));
    }
};

TEST(PortCaptions, EighthIsLowerCase)
{
    EXPECT_EQ(portSelCaption(1), "Com1");
    EXPECT_EQ(portSelCaption(7), "Com7");
    EXPECT_EQ(portSelCaption(8), "com8");
}

TEST_F(PortSelection, NothingStoredUsesPort1AndSelectsNoButton)
{
    reloadCommPort(p());
    EXPECT_EQ(p().link.gCommPort, 1);
    choose(-1); // looks, then closes the window
    EXPECT_EQ(shownSelection, 0);
    EXPECT_EQ(p().link.gCommPort, 1);
    EXPECT_EQ(stored(), "");
}

TEST_F(PortSelection, ChosenPortIsProbedStoredAndSurvivesARestart)
{
    p().view.Label2.visible = true;
    choose(3);
    EXPECT_FALSE(p().view.Label2.visible);
    EXPECT_EQ(port.log, QStringList({"open 3 9600,N,8,1 dtr=1", "close"}));
    EXPECT_EQ(stored(), "3");
    EXPECT_EQ(p().link.gCommPort, 3);
    EXPECT_EQ(portSelView.unloads, 1);
    EXPECT_TRUE(tp.dialogs.messages.empty());

    Services again = p().io;
    Program restarted(again);
    reloadCommPort(restarted);
    EXPECT_EQ(restarted.link.gCommPort, 3);
}

TEST_F(PortSelection, StoredPort9IsKeptAndStoredAgain)
{
    store("9");
    reloadCommPort(p());
    EXPECT_EQ(p().link.gCommPort, 9);
    choose(0);
    EXPECT_EQ(shownSelection, 0);
    EXPECT_EQ(port.commPort(), 9);
    EXPECT_EQ(stored(), "9");
    EXPECT_EQ(p().link.gCommPort, 9);
}

TEST_F(PortSelection, APortThatCannotBeOpenedIsInvalid)
{
    store("2");
    port.missingPorts = {6};
    choose(6);
    ASSERT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Invalid Port");
    EXPECT_EQ(tp.dialogs.messages[0].title, "");
    EXPECT_EQ(stored(), "2");
    EXPECT_EQ(p().link.gCommPort, 2);
    EXPECT_EQ(shownSelection, 2);
    EXPECT_FALSE(port.portOpen());
}

TEST_F(PortSelection, APortInUseIsInvalidToo)
{
    port.busyPorts = {4};
    choose(4);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Invalid Port");
    EXPECT_EQ(stored(), "");
    EXPECT_EQ(p().link.gCommPort, 1);
}

TEST_F(PortSelection, OkWithNothingStoredAndNothingChosenIsInvalid)
{
    choose(0);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Invalid Port");
    EXPECT_EQ(stored(), "");
    EXPECT_EQ(p().link.gCommPort, 1);
}

TEST_F(PortSelection, CancelKeepsTheStoredPort)
{
    store("5");
    portSelView.user = [this] { PortSelCancel(p()); };
    p().runCommand(menu::kItemPortSelect);
    EXPECT_EQ(p().link.gCommPort, 5);
    EXPECT_EQ(port.opens, 0);
    EXPECT_EQ(stored(), "5");
}

} // namespace

TEST_F(PortSelection, AStoredPortThatIsNoNumberGivesPort1OnEveryPath)
{
    store("COM2");
    initialiseProgram(p());
    EXPECT_EQ(p().link.gCommPort, 1);
    portSelView.user = [this] { PortSelCancel(p()); };
    p().runCommand(menu::kItemPortSelect);
    EXPECT_EQ(p().link.gCommPort, 1);
    port.missingPorts = {6};
    portSelView.user = [this] { PortSelOk(p(), 6); };
    p().runCommand(menu::kItemPortSelect);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Invalid Port");
    EXPECT_EQ(p().link.gCommPort, 1);
    EXPECT_EQ(stored(), "COM2");
}

// A port this user may not open: every command that probes it says so with
// the port's text (the device and what to do) instead of suggesting another
// port; a port in use keeps its own advice. The stored port is used again.
TEST_F(PortSelection, PermissionDeniedIsToldApartFromAPortInUse)
{
    const QString comm =
        "\r\n(Communication Error in RDX.mnuItemStatusCheck_Click.\r\ngErrorCallPoint = 3)\r\n";
    struct Case {
        const char *command;
        int error;
        QString message;
    };
    const Case cases[] = {
        {menu::kItemStatusCheck, SerialError::kPermissionDenied,
         "Error  8006:  Permission denied\r\n" + comm},
        {menu::kItemStatusCheck, SerialError::kPortAlreadyOpen,
         "Error  8005:  Port already open\r\n" + comm +
             "\r\nClose all other communication-related programs and try again."},
        {menu::kItemDownload, SerialError::kPermissionDenied,
         "Communication port not valid.\r\n\r\nPermission denied"},
        {menu::kItemDownload, SerialError::kPortAlreadyOpen, portNotValidText()},
        {menu::kItemPortSelect, SerialError::kPermissionDenied, "Invalid Port\r\n\r\nPermission denied"},
        {menu::kItemPortSelect, SerialError::kPortAlreadyOpen, "Invalid Port"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + std::to_string(c.error));
        store("2");
        p().link.gCommPort = 2;
        tp.dialogs.messages.clear();
        port.failOpenWith = c.error;
        portSelView.user = [this] { PortSelOk(p(), 4); };
        ASSERT_TRUE(p().runCommand(c.command));
        EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{c.message});
        EXPECT_EQ(p().link.gCommPort, 2);
        EXPECT_EQ(stored(), "2");
    }
}
