// The printer through QPrinter: the system printer, or a PDF file. The
// drawing itself is PaintedPrinterDevice's.
#pragma once

#include "platform/ui/print/painted_printer_device.h"

#include <memory>

class QPrinter;
class QWidget;

class QtPrinterDevice : public PaintedPrinterDevice {
public:
    // Prints on the system's default printer (or into the PDF file named by
    // the environment variable RDX600_PRINT_PDF).
    QtPrinterDevice();
    // Prints into a PDF file (replaced at each document).
    explicit QtPrinterDevice(const QString &pdfPath);
    ~QtPrinterDevice() override;

    // The printer, for the printer dialog.
    QPrinter &printer() { return *printer_; }
    // The printer dialog on this printer, without the page-range choice;
    // false when the user cancels. A PDF printer needs no dialog.
    bool showPrintDialog(QWidget *parent);

protected:
    QPagedPaintDevice &device() override;
    int resolution() const override;

private:
    std::unique_ptr<QPrinter> printer_;
};
