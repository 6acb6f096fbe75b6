#include "platform/ui/qt_printer_device.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

QtPrinterDevice::QtPrinterDevice() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    font_.setPointSizeF(10);
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
    if (painter_ && painter_->isActive()) {
        painter_->end();
    }
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

void QtPrinterDevice::setFont(const QString &name, double points)
{
    font_.setFamily(name);
    font_.setPointSizeF(points);
    if (painter_) {
        painter_->setFont(font_);
    }
}

void QtPrinterDevice::setBold(bool bold)
{
    font_.setBold(bold);
    if (painter_) {
        painter_->setFont(font_);
    }
}

int QtPrinterDevice::toDevice(int twips) const
{
    return static_cast<int>(static_cast<qint64>(twips) * printer_->resolution() / 1440);
}

int QtPrinterDevice::toTwips(int device) const
{
    const int res = printer_->resolution();
    return res > 0 ? static_cast<int>(static_cast<qint64>(device) * 1440 / res) : device;
}

int QtPrinterDevice::lineHeightTwips()
{
    return toTwips(QFontMetrics(font_, printer_.get()).height());
}

int QtPrinterDevice::pageHeightTwips() const
{
    return toTwips(printer_->pageLayout().paintRectPixels(printer_->resolution()).height());
}

bool QtPrinterDevice::begin()
{
    if (painter_ && painter_->isActive()) {
        return true;
    }
    if (failed_) {
        return false;
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        failed_ = true; // reported by endDoc
        return false;
    }
    painter_->setFont(font_);
    painter_->setPen(Qt::black);
    return true;
}

void QtPrinterDevice::put(const QString &text, bool newLine)
{
    if (!begin()) {
        return;
    }
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList parts = text.split(lineEnd);
    const QFontMetrics fm(font_, printer_.get());
    for (int i = 0; i < parts.size(); ++i) {
        const int height = lineHeightTwips();
        if (y_ + height > pageHeightTwips() && y_ > 0) {
            newPage();
        }
        const QString &part = parts[i];
        if (!part.isEmpty()) {
            painter_->drawText(QPoint(toDevice(x_ - scaleLeft_), toDevice(y_) + fm.ascent()), part);
        }
        const bool last = i == parts.size() - 1;
        if (!last || newLine) {
            x_ = 0;
            y_ += height;
        } else {
            x_ += toTwips(fm.horizontalAdvance(part));
        }
    }
}

void QtPrinterDevice::printLine(const QString &text)
{
    put(text, true);
}

void QtPrinterDevice::print(const QString &text)
{
    put(text, false);
}

void QtPrinterDevice::newPage()
{
    if (begin()) {
        printer_->newPage();
    }
    x_ = 0;
    y_ = 0;
}

bool QtPrinterDevice::endDoc()
{
    const bool failed = failed_;
    failed_ = false;
    x_ = 0;
    y_ = 0;
    if (!painter_ || !painter_->isActive()) {
        painter_.reset();
        return !failed;
    }
    const bool ok = painter_->end();
    painter_.reset();
    return ok;
}
