#include "link/ui/link_windows_ui.h"

#include "link/ui/inst_properties_window.h"
#include "link/ui/inst_sel_window.h"
#include "link/ui/port_sel_window.h"
#include "link/ui/status_window.h"
#include "shell/program.h"

void installLinkWindows(Program &p, QWidget *parent)
{
    p.windows.status = new StatusWindow(p, parent);
    p.windows.instSel = new InstSelWindow(p, parent);
    // The properties window opens over the selection window.
    p.windows.instProperties = new InstPropertiesWindow(p, static_cast<InstSelWindow *>(p.windows.instSel));
    p.windows.portSel = new PortSelWindow(p, parent);
}
