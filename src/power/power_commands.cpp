#include "power/power_commands.h"

#include "power/displ_plot_pwr.h"
#include "power/power_table.h"
#include "power/printpwrinfo.h"
#include "program/program.h"

void installPowerCommands(Program &p)
{
    providePowerProcedures(p);
    p.addCommand(QStringLiteral("mnuItemViewPower"), [&p] { PowerPlotCommand(p); });
    p.addCommand(QStringLiteral("mnuItemViewPwrTable"), [&p] { PowerTableCommand(p); });
    p.addCommand(QStringLiteral("mnuItemViewpwrsummry"), [&p] { PowerSummaryViewCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintpwrSum"), [&p] { PrintPowerSummaryCommand(p); });
}

void providePowerProcedures(Program &p)
{
    p.chart.powerPlot = [&p] { DisplPlotPwr(p); };
}
