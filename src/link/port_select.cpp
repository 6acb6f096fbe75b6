#include "link/port_select.h"

#include "link/link_windows.h"
#include "link/serial_link.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "program/program.h"
#include "program/view_procs.h"

QString portSelCaption(int button)
{
    return button == kPortButtons ? QStringLiteral("com8") : QStringLiteral("Com%1").arg(button);
}

namespace {

void unloadPortSel(Program &p)
{
    if (p.windows.portSel != nullptr) {
        p.windows.portSel->unload();
    }
}

} // namespace

void mnuItemPortSelect(Program &p)
{
    HideTextViews(p);
    // The stored number as it is, with no default: nothing stored selects no
    // button.
    p.link.gCommPort = storedCommPort(p);
    const int n = p.link.gCommPort;
    p.link.portSel.selected = (n >= 1 && n <= kPortButtons) ? n : 0;
    p.link.portSel.open = true;
    if (p.windows.portSel != nullptr) {
        p.windows.portSel->showModal();
    }
    // Closed by its frame: as Cancel.
    if (p.link.portSel.open) {
        PortSelCancel(p);
    }
}

void PortSelOk(Program &p, int selectedButton)
{
    p.link.portSel.open = false;
    try {
        if (selectedButton >= 1 && selectedButton <= kPortButtons) {
            p.link.gCommPort = selectedButton;
        }
        probePort(p);
        p.settings().save(QStringLiteral("Comm"), QStringLiteral("RDX.MSComm1.CommPort"),
                          QString::number(p.link.gCommPort));
        unloadPortSel(p);
    } catch (const LinkError &e) {
        closePort(p);
        unloadPortSel(p);
        p.dialogs().message(QStringLiteral("Invalid Port") + permissionNote(e));
        reloadCommPort(p);
    }
    p.sync();
}

void PortSelCancel(Program &p)
{
    p.link.portSel.open = false;
    unloadPortSel(p);
    // The window took the stored number without a default; an empty store
    // must not leave port 0 in use.
    reloadCommPort(p);
    p.sync();
}
