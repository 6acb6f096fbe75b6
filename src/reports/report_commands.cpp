#include "reports/report_commands.h"

#include "platform/printer_device.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "reports/print_table.h"
#include "reports/printinfo.h"
#include "reports/reading_table.h"

void installReportCommands(Program &p)
{
    p.addCommand(menu::kItemViewTable, [&p] { TableViewCommand(p); });
    p.addCommand(menu::kItemViewsummary, [&p] { SummaryViewCommand(p); });
    p.addCommand(menu::kItemPrintSum, [&p] { PrintSummaryCommand(p); });
    p.addCommand(menu::kItemPrintTable, [&p] { PrintShownTableCommand(p); });
    p.addCommand(menu::kItemPrintPwrTable, [&p] { PrintShownTableCommand(p); });
    p.addCommand(menu::kItemPrintPreview, [&p] { PrintPreviewCommand(p); });
}

void PrintPreviewCommand(Program &p)
{
    // Every printed report (and the one-page plot) goes through the one
    // printer, so one switch serves them all; it lasts for the run.
    p.report.printPreview = !p.report.printPreview;
    p.menu.setChecked(menu::kItemPrintPreview, p.report.printPreview);
    if (p.io.printer != nullptr) {
        p.io.printer->setPreview(p.report.printPreview);
    }
}
