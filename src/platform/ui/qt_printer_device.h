// The printer through QPrinter: the system printer, or a PDF file. The
// drawing itself is PaintedPrinterDevice's.
//
// Preview. While preview is on, a document is drawn on a scratch printer of
// the same page layout (so that the reports' positions are those of the
// paper) and every operation is recorded. At its end the pages are shown in
// a print preview; its Print button draws the recorded document again on the
// real printer, and closing it prints nothing.
#pragma once

#include "platform/ui/print/painted_printer_device.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class QTemporaryDir;
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

    void setFont(const QString &name, double points) override;
    void setBold(bool bold) override;
    void setScaleLeft(int twips) override;
    void setCurrentX(int twips) override;
    void setCurrentY(int twips) override;
    void printLine(const QString &text) override;
    void print(const QString &text) override;
    void newPage() override;
    bool endDoc() override;
    void setPreview(bool on) override { preview_ = on; }
    bool previewOn() const { return preview_; }

    // Shows `paint` (which draws a whole document on the printer it is
    // given) in a print preview on this printer; its Print button sends it
    // to the printer. Runs until the preview is closed.
    void showPreview(const std::function<void(QPrinter &)> &paint);
    // Called with the preview dialog once it is up (tests press its buttons).
    std::function<void(QWidget *)> onPreviewShown;

protected:
    QPagedPaintDevice &device() override;
    int resolution() const override;

private:
    using Op = std::function<void(PrinterDevice &)>;
    void record(Op op);

    std::unique_ptr<QPrinter> printer_;
    bool preview_ = false;
    // While a previewed document is being drawn: the scratch printer and
    // what was done on it.
    std::unique_ptr<QTemporaryDir> scratchDir_;
    std::unique_ptr<QPrinter> scratch_;
    std::vector<Op> ops_;
};
