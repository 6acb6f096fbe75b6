#include "link/link_commands.h"

#include "link/download.h"
#include "link/inst_select.h"
#include "link/port_select.h"
#include "link/status_check.h"
#include "program/program.h"

void installLinkCommands(Program &p)
{
    p.addCommand(QStringLiteral("mnuItemStatusCheck"), [&p] { mnuItemStatusCheck(p); });
    p.addCommand(QStringLiteral("mnuItemDownload"), [&p] { mnuItemDownload(p); });
    p.addCommand(QStringLiteral("mnuItemPortSelect"), [&p] { mnuItemPortSelect(p); });
    p.addCommand(QStringLiteral("mnuItemInstSelect"), [&p] { mnuItemInstSelect(p); });
    p.addMenuOpenRule(QStringLiteral("mnuInstrument"), [&p] { instrumentMenuOpened(p); });
    p.addMenuOpenRule(QStringLiteral("mnuOptions"), [&p] { optionsMenuOpened(p); });
}
