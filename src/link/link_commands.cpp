#include "link/link_commands.h"

#include "link/download.h"
#include "link/inst_select.h"
#include "link/port_select.h"
#include "link/status_check.h"
#include "program/menu_items.h"
#include "program/program.h"

void installLinkCommands(Program &p)
{
    p.addCommand(menu::kItemStatusCheck, [&p] { mnuItemStatusCheck(p); });
    p.addCommand(menu::kItemDownload, [&p] { mnuItemDownload(p); });
    p.addCommand(menu::kItemPortSelect, [&p] { mnuItemPortSelect(p); });
    p.addCommand(menu::kItemInstSelect, [&p] { mnuItemInstSelect(p); });
    p.addMenuOpenRule(menu::kInstrument, [&p] { instrumentMenuOpened(p); });
    p.addMenuOpenRule(menu::kOptions, [&p] { optionsMenuOpened(p); });
}
