// The instrument catalogue, the selection window and its menu entries, the
// properties window and the automatic-detection type.
#include "link/inst_select.h"
#include "link/status_check.h"
#include "link_test_fixture.h"
#include "program/menu_items.h"

#include <gtest/gtest.h>

namespace {

TEST(Catalogue, NamesOfEveryType)
{
    const QStringList names = {"(no instrument selected)",
                               "KPA10/20",
                               "KPA50/60",
                               "KPV500",
                               "MQV",
                               "MQV-D",
                               "TL40",
                               "MQA-S5",
                               "MQA-S5-MH",
                               "Custom",
                               "MQA",
                               "MQA-S5-AutoDetect",
                               "TL-R90",
                               "MQA-S5-2",
                               "TL40-R1"};
    for (int n = 0; n < names.size(); ++n) {
        EXPECT_EQ(InstName(n), names[n]) << n;
    }
    EXPECT_EQ(InstName(15), "");
    EXPECT_EQ(InstName(-1), "");
    // Hidden rows: none, the first KPA and the first MQA.
    QList<int> hidden;
    for (const InstrumentType &t : instrumentCatalogue()) {
        if (!t.offered) {
            hidden << t.number;
        }
    }
    EXPECT_EQ(hidden, QList<int>({0, 1, 10}));
    EXPECT_EQ(instrumentCatalogue()[14].caption, "TL40Plus");
    EXPECT_EQ(instrumentCatalogue()[11].caption, "MQA-S5 Auto Select");
}

class Selection : public LinkTest {
protected:
    // Shows InstSel from Options and lets the user act in it.
    void fromOptions(std::function<void()> user)
    {
        instSelView.user = std::move(user);
        ASSERT_TRUE(p().runCommand(menu::kItemInstSelect));
    }
};

struct RowCase {
    int type;
    const char *settings;
    int32_t samples;
    bool s5;
};

class CatalogueRows : public LinkTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(CatalogueRows, ChoosingATypeAppliesItsSettings)
{
    const RowCase c = GetParam();
    p().splash.instSelection = 2;
    instSelView.user = [&] {
        InstSelOptionClick(p(), c.type);
        InstSelOk(p());
    };
    p().runCommand(menu::kItemInstSelect);
    EXPECT_EQ(p().splash.instSelection, c.type);
    EXPECT_EQ(p().splash.portSettings, QString::fromLatin1(c.settings));
    EXPECT_EQ(p().splash.maxSamples, c.samples);
    EXPECT_EQ(p().link.gS5Flag, c.s5);
}

INSTANTIATE_TEST_SUITE_P(
    Offered, CatalogueRows,
    ::testing::Values(RowCase{2, "9600,N,8,1", 10710, false}, RowCase{3, "9600,N,8,1", 10710, false},
                      RowCase{6, "9600,N,8,1", 10710, false}, RowCase{7, "9600,N,8,1", 10710, true},
                      RowCase{8, "115200,N,8,1", 42966, true}, RowCase{11, "115200,N,8,1", 42966, true},
                      RowCase{12, "115200,N,8,1", 42966, true}, RowCase{13, "115200,N,8,1", 42966, true},
                      RowCase{14, "115200,N,8,1", 21462, true}));

TEST_F(Selection, HiddenRowsKeepTheirRuleButCannotBeChosen)
{
    select(10);
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
    EXPECT_EQ(p().splash.maxSamples, 2091);
    EXPECT_FALSE(p().link.gS5Flag);
    select(8);
    fromOptions([this] {
        InstSelOptionClick(p(), 1);
        InstSelOk(p());
    });
    EXPECT_EQ(p().splash.instSelection, 8);
    EXPECT_EQ(p().splash.maxSamples, 42966);
}

TEST_F(Selection, FirstUseOfTheInstrumentMenuAsksForATypeFirst)
{
    bool okBefore = true, propertiesBefore = true;
    instSelView.user = [&] {
        const InstSelState &s = p().link.instSel;
        EXPECT_EQ(s.label1, "Must first select an instrument type:");
        EXPECT_EQ(s.selected, 0);
        okBefore = s.okEnabled;
        propertiesBefore = s.propertiesEnabled;
        InstSelOk(p()); // disabled: nothing happens
        InstSelOptionClick(p(), 14);
        EXPECT_TRUE(s.okEnabled);
        EXPECT_TRUE(s.propertiesEnabled);
        InstSelOk(p());
    };
    p().view.Label1.visible = true;
    p().menuOpened(menu::kInstrument);
    EXPECT_FALSE(okBefore);
    EXPECT_FALSE(propertiesBefore);
    EXPECT_FALSE(p().view.Label1.visible);
    EXPECT_EQ(instSelView.showCount, 1);
    EXPECT_EQ(p().splash.instSelection, 14);
    EXPECT_EQ(p().splash.portSettings, kSettings115200);
    EXPECT_EQ(p().splash.maxSamples, 21462);
    EXPECT_TRUE(p().link.gS5Flag);
    // With a type selected, opening the menu shows nothing.
    DoMnuInstrumentClick(p());
    EXPECT_EQ(instSelView.showCount, 1);
}

TEST_F(Selection, FromOptionsTheWindowAsksToSelectAndPressOk)
{
    select(3);
    p().menuOpened(menu::kOptions);
    fromOptions([this] {
        const InstSelState &s = p().link.instSel;
        EXPECT_EQ(s.label1, "Please select the instrument you're using and then Press OK.");
        EXPECT_EQ(s.selected, 3);
        EXPECT_TRUE(s.okEnabled);
        EXPECT_TRUE(s.cancelEnabled);
        EXPECT_TRUE(s.cancelVisible);
        InstSelOptionClick(p(), 5);
        InstSelCancel(p());
    });
    EXPECT_EQ(p().splash.instSelection, 3);
}

TEST_F(Selection, ClosingTheWindowByItsFrameChangesNothing)
{
    fromOptions([] {});
    EXPECT_EQ(p().splash.instSelection, 0);
    EXPECT_EQ(p().splash.portSettings, kSettings115200);
}

TEST_F(Selection, CancelAfterPropertiesRestoresTheRememberedValues)
{
    select(2);
    fromOptions([this] {
        InstSelOptionClick(p(), 9);
        propertiesView.user = [this] { InstPropertiesOk(p(), InstPropertiesChoice{"38400,N,8,1", 294, 12}); };
        InstSelProperties(p());
        EXPECT_EQ(p().splash.instSelection, 9);
        EXPECT_EQ(p().splash.portSettings, "38400,N,8,1");
        InstSelCancel(p());
    });
    EXPECT_EQ(p().splash.instSelection, 2);
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
    EXPECT_EQ(p().splash.maxSamples, 10710);
    EXPECT_FALSE(p().link.gS5Flag);
    // The Custom type's own values keep the edit.
    EXPECT_EQ(p().splash.portSettingsCustom, "38400,N,8,1");
}

TEST_F(Selection, PropertiesOfACatalogueTypeOnlyShowItsValues)
{
    select(14);
    fromOptions([this] {
        propertiesView.user = [this] {
            const InstPropertiesState &s = p().link.instProperties;
            EXPECT_FALSE(s.editable);
            EXPECT_FALSE(s.okEnabled);
            EXPECT_EQ(s.baudSettings, kSettings115200);
            EXPECT_EQ(s.samples, 21462);
            EXPECT_EQ(s.interfaceButton, 11);
            InstPropertiesOk(p(), InstPropertiesChoice{"9600,N,8,1", 294, 12}); // disabled
            InstPropertiesCancel(p());
        };
        InstSelProperties(p());
        InstSelOk(p());
    });
    EXPECT_EQ(propertiesView.showCount, 1);
    EXPECT_EQ(p().splash.portSettings, kSettings115200);
    EXPECT_EQ(p().splash.maxSamples, 21462);
    EXPECT_EQ(p().splash.portSettingsCustom, kSettings115200);
}

TEST_F(Selection, ValuesOutsideTheButtonsLeaveAFrameWithoutSelection)
{
    select(9);
    p().splash.portSettings = "4800,N,8,1";
    p().splash.portSettingsCustom = "4800,N,8,1";
    p().splash.maxSamplesCustom = 1000;
    loadInstProperties(p());
    EXPECT_TRUE(p().link.instProperties.editable);
    EXPECT_TRUE(p().link.instProperties.okDefault);
    EXPECT_EQ(p().link.instProperties.baudSettings, "");
    EXPECT_EQ(p().link.instProperties.samples, 0);
    // OK with no button in a frame keeps that value.
    InstPropertiesOk(p(), InstPropertiesChoice{{}, 0, 12});
    EXPECT_EQ(p().splash.portSettings, "4800,N,8,1");
    EXPECT_EQ(p().splash.maxSamples, 1000);
    EXPECT_FALSE(p().splash.gS5FlagCustom);
}

TEST_F(Selection, CustomEditedTo38400And294NonS5IsUsedByTheNextExchange)
{
    fromOptions([this] {
        InstSelOptionClick(p(), 9);
        propertiesView.user = [this] {
            EXPECT_TRUE(p().link.instProperties.okEnabled);
            InstPropertiesOk(p(), InstPropertiesChoice{"38400,N,8,1", 294, 12});
        };
        InstSelProperties(p());
        InstSelOk(p());
    });
    EXPECT_EQ(p().splash.portSettings, "38400,N,8,1");
    EXPECT_EQ(p().splash.maxSamples, 294);
    EXPECT_FALSE(p().link.gS5Flag);
    EXPECT_FALSE(p().splash.gS5FlagCustom);

    tp.dialogs.messageAnswers = {MsgResult::Cancel};
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.messages[0].text, statusPromptText(false, false, "38400,N,8,1"));
    EXPECT_EQ(port.openSettings.last(), "38400,N,8,1");
}

TEST_F(Selection, AutomaticTypeAfterA9600DetectionAppliesItAtOnce)
{
    select(2);
    p().splash.instAutoCurrent = 7; // a previous detection found MQA-S5
    fromOptions([this] {
        InstSelOptionClick(p(), 11);
        InstSelOk(p());
    });
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
    EXPECT_EQ(p().splash.maxSamples, 10710);
    EXPECT_TRUE(p().link.gS5Flag);
}

} // namespace
