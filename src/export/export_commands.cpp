#include "export/export_commands.h"

#include "export/expdatacsv.h"
#include "export/interchange.h"
#include "export/tidy_csv.h"
#include "program/menu_items.h"
#include "program/program.h"

void ExportDataTableCommand(Program &p)
{
    if (p.rec.gOutputMode == OutputMode::PowerTable) {
        PowerTableExport(p);
    } else if (p.rec.gOutputMode == OutputMode::ReadingTable) {
        p.report.gExportOnePerLine = false;
        DataTableExport(p);
    }
}

void ExportOnePerLineCommand(Program &p)
{
    if (p.rec.gOutputMode == OutputMode::ReadingTable) {
        p.report.gExportOnePerLine = true;
        DataTableExport(p);
    }
}

void installExportCommands(Program &p)
{
    p.addCommand(menu::kItemexpdatacsv, [&p] { ExportDataTableCommand(p); });
    p.addCommand(menu::kItemexpdata1perLine, [&p] { ExportOnePerLineCommand(p); });
    p.addCommand(menu::kItemexprep, [&p] { InterchangeExport(p); });
    p.addCommand(menu::kItemExpTidy, [&p] { TidyCsvCommand(p); });
    // The tidy export serves whenever a recording is open, table or not.
    p.addMenuOpenRule(menu::kFile, [&p] { p.menu.setEnabled(menu::kItemExpTidy, p.rec.slotInUse(0)); });
}
