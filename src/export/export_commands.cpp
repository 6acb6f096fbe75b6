#include "export/export_commands.h"

#include "export/expdatacsv.h"
#include "export/interchange.h"
#include "export/tidy_csv.h"
#include "program/program.h"

void ExportDataTableCommand(Program &p)
{
    if (p.rec.gOutputMode == 5) {
        PowerTableExport(p);
    } else if (p.rec.gOutputMode == 2) {
        p.report.gExportOnePerLine = false;
        DataTableExport(p);
    }
}

void ExportOnePerLineCommand(Program &p)
{
    if (p.rec.gOutputMode == 2) {
        p.report.gExportOnePerLine = true;
        DataTableExport(p);
    }
}

void installExportCommands(Program &p)
{
    p.addCommand(QStringLiteral("MnuItemexpdatacsv"), [&p] { ExportDataTableCommand(p); });
    p.addCommand(QStringLiteral("mnuItemexpdata1perLine"), [&p] { ExportOnePerLineCommand(p); });
    p.addCommand(QStringLiteral("mnuitemexprep"), [&p] { InterchangeExport(p); });
    p.addCommand(QStringLiteral("mnuItemExpTidy"), [&p] { TidyCsvCommand(p); });
    // The tidy export serves whenever a recording is open, table or not.
    p.addMenuOpenRule(QStringLiteral("mnuFile"),
                      [&p] { p.menu.setEnabled(QStringLiteral("mnuItemExpTidy"), p.rec.slotInUse(0)); });
}
