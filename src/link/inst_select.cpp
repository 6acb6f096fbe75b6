#include "link/inst_select.h"

#include "link/instrument_catalogue.h"
#include "link/link_windows.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"

namespace {

bool offeredButton(int button)
{
    const auto &types = instrumentCatalogue();
    return button > 0 && button < static_cast<int>(types.size()) &&
           types[static_cast<size_t>(button)].offered;
}

void syncInstSel(Program &p)
{
    if (p.windows.instSel != nullptr) {
        p.windows.instSel->sync();
    }
}

void unloadInstSel(Program &p)
{
    p.link.instSel.loaded = false;
    if (p.windows.instSel != nullptr) {
        p.windows.instSel->unload();
    }
    p.sync();
}

} // namespace

void mnuItemInstSelect(Program &p)
{
    p.link.instSel.entryFromInstFlag = false;
    ShowInstSel(p);
}

void instrumentMenuOpened(Program &p)
{
    if (p.splash.instSelection != InstType::kNone) {
        return;
    }
    HideTextViews(p);
    p.link.instSel.entryFromInstFlag = true;
    ShowInstSel(p);
}

void DoMnuInstrumentClick(Program &p)
{
    p.menuOpened(menu::kInstrument);
}

void optionsMenuOpened(Program &p)
{
    p.link.instSel.cancelEnabled = true;
    p.link.instSel.cancelVisible = true;
}

void ShowInstSel(Program &p)
{
    HideTextViews(p);
    InstSelState &s = p.link.instSel;
    s.selected = p.splash.instSelection;
    const bool none = s.selected == InstType::kNone;
    s.okEnabled = !none;
    s.propertiesEnabled = !none;

    // Load: remember what Cancel restores.
    s.loaded = true;
    s.savedSelection = p.splash.instSelection;
    s.savedPortSettings = p.splash.portSettings;
    s.savedMaxSamples = p.splash.maxSamples;
    s.savedS5Flag = p.link.gS5Flag;
    s.cancelEnabled = true;
    s.cancelVisible = true;

    // Activate.
    s.label1 = s.entryFromInstFlag
                   ? QStringLiteral("Must first select an instrument type:")
                   : QStringLiteral("Please select the instrument you're using and then Press OK.");
    if (p.windows.instSel != nullptr) {
        p.windows.instSel->sync();
        p.windows.instSel->showModal();
    }
    // A window closed by its frame is unloaded without a choice: as Cancel.
    if (s.loaded) {
        InstSelCancel(p);
    }
}

void InstSelOptionClick(Program &p, int button)
{
    InstSelState &s = p.link.instSel;
    s.selected = button;
    if (offeredButton(button)) {
        s.okEnabled = true;
        s.propertiesEnabled = true;
    }
    syncInstSel(p);
}

void ApplyInstSelection(Program &p)
{
    const int button = p.link.instSel.selected;
    if (offeredButton(button)) {
        p.splash.instSelection = button;
    }
    applyTypeSettings(p, p.splash.instSelection);
}

void InstSelOk(Program &p)
{
    if (!p.link.instSel.okEnabled) {
        return;
    }
    ApplyInstSelection(p);
    unloadInstSel(p);
}

void InstSelCancel(Program &p)
{
    InstSelState &s = p.link.instSel;
    p.splash.instSelection = s.savedSelection;
    p.splash.portSettings = s.savedPortSettings;
    p.splash.maxSamples = s.savedMaxSamples;
    p.link.gS5Flag = s.savedS5Flag;
    unloadInstSel(p);
}

void InstSelProperties(Program &p)
{
    if (!p.link.instSel.propertiesEnabled) {
        return;
    }
    ApplyInstSelection(p);
    loadInstProperties(p);
    if (p.windows.instProperties != nullptr) {
        p.windows.instProperties->showModal();
    }
    syncInstSel(p);
}

void loadInstProperties(Program &p)
{
    InstPropertiesState &s = p.link.instProperties;
    const bool custom = p.splash.instSelection == InstType::kCustom;
    s.editable = custom;
    s.okEnabled = custom;
    s.okDefault = custom;
    if (custom) {
        p.splash.portSettings = p.splash.portSettingsCustom;
        p.splash.maxSamples = p.splash.maxSamplesCustom;
        p.link.gS5Flag = p.splash.gS5FlagCustom;
    }
    s.baudSettings.clear();
    for (const BaudChoice &c : baudChoices()) {
        if (c.settings == p.splash.portSettings) {
            s.baudSettings = c.settings;
        }
    }
    s.samples = 0;
    for (const CapacityChoice &c : capacityChoices()) {
        if (c.samples == p.splash.maxSamples) {
            s.samples = c.samples;
        }
    }
    s.interfaceButton = p.link.gS5Flag ? 11 : 12;
}

void InstPropertiesOk(Program &p, const InstPropertiesChoice &choice)
{
    InstPropertiesState &s = p.link.instProperties;
    if (!s.okEnabled || p.splash.instSelection != InstType::kCustom) {
        return;
    }
    for (const BaudChoice &c : baudChoices()) {
        if (c.settings == choice.baudSettings) {
            p.splash.portSettingsCustom = c.settings;
        }
    }
    for (const CapacityChoice &c : capacityChoices()) {
        if (c.samples == choice.samples) {
            p.splash.maxSamplesCustom = c.samples;
        }
    }
    if (choice.interfaceButton == 11) {
        p.link.gS5Flag = true;
    } else if (choice.interfaceButton == 12) {
        p.link.gS5Flag = false;
    }
    p.splash.portSettings = p.splash.portSettingsCustom;
    p.splash.maxSamples = p.splash.maxSamplesCustom;
    p.splash.gS5FlagCustom = p.link.gS5Flag;
    if (p.windows.instProperties != nullptr) {
        p.windows.instProperties->unload();
    }
}

void InstPropertiesCancel(Program &p)
{
    if (p.windows.instProperties != nullptr) {
        p.windows.instProperties->unload();
    }
}
