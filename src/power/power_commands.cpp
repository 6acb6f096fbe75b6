#include "power/power_commands.h"

#include "power/displ_plot_pwr.h"
#include "power/power_table.h"
#include "power/printpwrinfo.h"
#include "program/menu_items.h"
#include "program/program.h"

void installPowerCommands(Program &p)
{
    providePowerProcedures(p);
    p.addCommand(menu::kItemViewPower, [&p] { PowerPlotCommand(p); });
    p.addCommand(menu::kItemViewPwrTable, [&p] { PowerTableCommand(p); });
    p.addCommand(menu::kItemViewpwrsummry, [&p] { PowerSummaryViewCommand(p); });
    p.addCommand(menu::kItemPrintpwrSum, [&p] { PrintPowerSummaryCommand(p); });
}

void providePowerProcedures(Program &p)
{
    p.chart.powerPlot = [&p] { DisplPlotPwr(p); };
}
