#include "reports/report_commands.h"

#include "platform/printer_device.h"
#include "program/program.h"
#include "reports/print_table.h"
#include "reports/printinfo.h"
#include "reports/reading_table.h"

void installReportCommands(Program &p)
{
    p.addCommand(QStringLiteral("mnuItemViewTable"), [&p] { TableViewCommand(p); });
    p.addCommand(QStringLiteral("mnuItemViewsummary"), [&p] { SummaryViewCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintSum"), [&p] { PrintSummaryCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintTable"), [&p] { PrintShownTableCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintPwrTable"), [&p] { PrintShownTableCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintPreview"), [&p] { PrintPreviewCommand(p); });
}

void PrintPreviewCommand(Program &p)
{
    // Every printed report (and the one-page plot) goes through the one
    // printer, so one switch serves them all; it lasts for the run.
    p.report.printPreview = !p.report.printPreview;
    p.menu.setChecked(QStringLiteral("mnuItemPrintPreview"), p.report.printPreview);
    if (p.io.printer != nullptr) {
        p.io.printer->setPreview(p.report.printPreview);
    }
}
