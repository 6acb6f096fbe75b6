#include "platform/ui/qt_printer_device.h"

#include <QPrintDialog>
#include <QPrinter>

QtPrinterDevice::QtPrinterDevice() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    // RDX600_PRINT_PDF=/path/out.pdf: print into that file instead.
    const QString pdf = qEnvironmentVariable("RDX600_PRINT_PDF");
    if (!pdf.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdf);
    }
}

QtPrinterDevice::QtPrinterDevice(const QString &pdfPath) : QtPrinterDevice()
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfPath);
}

QtPrinterDevice::~QtPrinterDevice()
{
    endPainting();
}

bool QtPrinterDevice::showPrintDialog(QWidget *parent)
{
    if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
        return true;
    }
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

QPagedPaintDevice &QtPrinterDevice::device()
{
    return *printer_;
}

int QtPrinterDevice::resolution() const
{
    return printer_->resolution();
}
