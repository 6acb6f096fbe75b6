#include "link/ui/link_windows_ui.h"

#include "link/ui/abort_window.h"
#include "link/ui/download_window.h"
#include "link/ui/inst_properties_window.h"
#include "link/ui/inst_sel_window.h"
#include "link/ui/port_sel_window.h"
#include "link/ui/status_window.h"
#include "program/program.h"

LinkWindowSet::LinkWindowSet() = default;
LinkWindowSet::~LinkWindowSet()
{
    // The properties window is a child of the selection window.
    instProperties.reset();
}

std::unique_ptr<LinkWindowSet> installLinkWindows(Program &p, QWidget *parent)
{
    auto set = std::make_unique<LinkWindowSet>();
    set->status = std::make_unique<StatusWindow>(p, parent);
    set->download = std::make_unique<DownloadWindow>(p, parent);
    set->instSel = std::make_unique<InstSelWindow>(p, parent);
    // The properties window opens over the selection window.
    set->instProperties = std::make_unique<InstPropertiesWindow>(p, set->instSel.get());
    set->portSel = std::make_unique<PortSelWindow>(p, parent);
    set->abort = std::make_unique<AbortWindow>(p, parent);
    p.windows.status = set->status.get();
    p.windows.abort = set->abort.get();
    p.windows.download = set->download.get();
    p.windows.instSel = set->instSel.get();
    p.windows.instProperties = set->instProperties.get();
    p.windows.portSel = set->portSel.get();
    return set;
}
