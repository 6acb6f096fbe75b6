#include "reports/report_commands.h"

#include "program/program.h"
#include "reports/print_table.h"
#include "reports/printinfo.h"
#include "reports/reading_table.h"

void installReportCommands(Program &p)
{
    provideReportProcedures(p);
    p.addCommand(QStringLiteral("mnuItemViewTable"), [&p] { TableViewCommand(p); });
    p.addCommand(QStringLiteral("mnuItemViewsummary"), [&p] { SummaryViewCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintSum"), [&p] { PrintSummaryCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintTable"), [&p] { PrintShownTableCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintPwrTable"), [&p] { PrintShownTableCommand(p); });
}

void provideReportProcedures(Program &p)
{
    p.procs.Printinfo = [&p] { Printinfo(p); };
}
