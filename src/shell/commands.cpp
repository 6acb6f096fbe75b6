#include "shell/commands.h"

#include "chart/chart_commands.h"
#include "chart/import_chart.h"
#include "export/export_commands.h"
#include "link/download_check.h"
#include "link/link_commands.h"
#include "power/power_commands.h"
#include "program/program.h"
#include "recording/file_commands.h"
#include "reports/open_recording.h"
#include "reports/printinfo.h"
#include "reports/report_commands.h"
#include "setup/force_readings.h"
#include "setup/initialize.h"
#include "setup/instrument_info.h"
#include "setup/recover.h"
#include "shell/shell_commands.h"
#include "survey/load_survey.h"

void installCommands(Program &p)
{
    provideProcedures(p);
    installShellCommands(p);
    installFileCommands(p);
    installOpenCommands(p);
    installReportCommands(p);
    installChartCommands(p);
    installChartFileCommands(p);
    installForceReadingsCommands(p);
    installLinkCommands(p);
    installDownloadCheckCommands(p);
    installInitializeCommand(p);
    installRecoverCommand(p);
    installPowerCommands(p);
    installExportCommands(p);
    installSurveyCommands(p);
}

void provideProcedures(Program &p)
{
    p.procs.Printinfo = [&p] { Printinfo(p); };
    p.procs.Showinfo = [&p] { Showinfo(p); };
    p.procs.Showinfodb = [&p] { Showinfodb(p); };
}
