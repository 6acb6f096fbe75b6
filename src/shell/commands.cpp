#include "shell/commands.h"

#include "chart/chart_commands.h"
#include "chart/import_chart.h"
#include "link/link_commands.h"
#include "recording/file_commands.h"
#include "setup/force_readings.h"
#include "shell/program.h"
#include "shell/shell_commands.h"

void installCommands(Program &p)
{
    installShellCommands(p);
    installFileCommands(p);
    installChartCommands(p);
    installChartFileCommands(p);
    installForceReadingsCommands(p);
    installLinkCommands(p);
}
