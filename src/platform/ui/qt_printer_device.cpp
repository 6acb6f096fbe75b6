#include "platform/ui/qt_printer_device.h"

#include <QAction>
#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// A painted printer on a printer it does not own: the recorded document is
// drawn again through it on the preview's (or the real) printer.
class PrinterOn : public PaintedPrinterDevice {
public:
    explicit PrinterOn(QPrinter &printer) : printer_(printer) {}
    ~PrinterOn() override { endPainting(); }
    PrinterOn(const PrinterOn &) = delete;
    PrinterOn &operator=(const PrinterOn &) = delete;

protected:
    QPagedPaintDevice &device() override { return printer_; }
    int resolution() const override { return printer_.resolution(); }

private:
    QPrinter &printer_;
};

// The preview's Print action, found by the text the preview gives it.
QAction *previewPrintAction(QPrintPreviewDialog &dialog)
{
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction *action : dialog.findChildren<QAction *>()) {
        if (action->text() == print) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

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
    if (!preview_) {
        return *printer_;
    }
    if (!scratch_) {
        // A PDF in a folder of its own, with the real printer's page.
        scratchDir_ = std::make_unique<QTemporaryDir>();
        scratch_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        scratch_->setOutputFormat(QPrinter::PdfFormat);
        scratch_->setOutputFileName(scratchDir_->filePath(QStringLiteral("preview.pdf")));
        scratch_->setResolution(printer_->resolution());
        scratch_->setPageLayout(printer_->pageLayout());
    }
    return *scratch_;
}

int QtPrinterDevice::resolution() const
{
    return printer_->resolution();
}

void QtPrinterDevice::record(Op op)
{
    if (preview_) {
        ops_.push_back(std::move(op));
    }
}

void QtPrinterDevice::setFont(const QString &name, double points)
{
    record([name, points](PrinterDevice &d) { d.setFont(name, points); });
    PaintedPrinterDevice::setFont(name, points);
}

void QtPrinterDevice::setBold(bool bold)
{
    record([bold](PrinterDevice &d) { d.setBold(bold); });
    PaintedPrinterDevice::setBold(bold);
}

void QtPrinterDevice::setScaleLeft(int twips)
{
    record([twips](PrinterDevice &d) { d.setScaleLeft(twips); });
    PaintedPrinterDevice::setScaleLeft(twips);
}

void QtPrinterDevice::setCurrentX(int twips)
{
    record([twips](PrinterDevice &d) { d.setCurrentX(twips); });
    PaintedPrinterDevice::setCurrentX(twips);
}

void QtPrinterDevice::setCurrentY(int twips)
{
    record([twips](PrinterDevice &d) { d.setCurrentY(twips); });
    PaintedPrinterDevice::setCurrentY(twips);
}

void QtPrinterDevice::printLine(const QString &text)
{
    record([text](PrinterDevice &d) { d.printLine(text); });
    PaintedPrinterDevice::printLine(text);
}

void QtPrinterDevice::print(const QString &text)
{
    record([text](PrinterDevice &d) { d.print(text); });
    PaintedPrinterDevice::print(text);
}

void QtPrinterDevice::newPage()
{
    record([](PrinterDevice &d) { d.newPage(); });
    PaintedPrinterDevice::newPage();
}

bool QtPrinterDevice::endDoc()
{
    const bool ok = PaintedPrinterDevice::endDoc();
    if (!scratch_) {
        return ok;
    }
    // The document was drawn on the scratch printer: show it.
    const std::vector<Op> ops = std::move(ops_);
    ops_.clear();
    scratch_.reset();
    scratchDir_.reset();
    if (!ok) {
        return false;
    }
    showPreview([&ops](QPrinter &printer) {
        PrinterOn target(printer);
        for (const Op &op : ops) {
            op(target);
        }
        target.endDoc();
    });
    return true;
}

void QtPrinterDevice::showPreview(const std::function<void(QPrinter &)> &paint)
{
    QPrintPreviewDialog dialog(printer_.get(), QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *printer) { paint(*printer); });
    // The Print button asks through this printer's own dialog, which a PDF
    // printer skips (the preview's own would ask every time).
    auto *view = dialog.findChild<QPrintPreviewWidget *>();
    if (QAction *printAction = previewPrintAction(dialog); printAction != nullptr && view != nullptr) {
        QObject::disconnect(printAction, &QAction::triggered, &dialog, nullptr);
        QObject::connect(printAction, &QAction::triggered, &dialog, [this, &dialog, view] {
            if (showPrintDialog(&dialog)) {
                view->print();
                dialog.accept();
            }
        });
    }
    if (onPreviewShown) {
        QTimer::singleShot(0, &dialog, [this, &dialog] { onPreviewShown(&dialog); });
    }
    dialog.exec();
}
