#include "reports/print_table.h"

#include "platform/dialogs.h"
#include "platform/printer_device.h"
#include "program/program.h"
#include "reports/printinfo.h"

void PrintShownTableCommand(Program &p)
{
    if (p.io.printer == nullptr || !p.dialogs().printerDialog()) {
        return; // a cancelled printer dialog ends the print silently
    }
    PrinterDevice &printer = *p.io.printer;
    const QString font = QStringLiteral("Times New Roman");
    beginReportPrint(printer);
    printer.printLine(p.view.Label1.text);
    printer.printLine(p.view.Label2.text);
    printer.setFont(font, 9.5);
    printer.printLine(p.view.Header1.text);
    printer.setFont(font, 10);
    printer.printLine(p.view.RichTextBox1.text);
    printer.endDoc();
}
