#include "platform/ui/print/painted_printer_device.h"

#include "platform/ui/print/program_fonts.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>

PaintedPrinterDevice::PaintedPrinterDevice()
{
    font_.setPointSizeF(10);
}

PaintedPrinterDevice::~PaintedPrinterDevice() = default;

void PaintedPrinterDevice::endPainting()
{
    if (painter_ && painter_->isActive()) {
        painter_->end();
    }
    painter_.reset();
}

void PaintedPrinterDevice::setFont(const QString &name, double points)
{
    programfonts::setFamily(font_, name);
    font_.setPointSizeF(points);
    if (painter_) {
        painter_->setFont(font_);
    }
}

void PaintedPrinterDevice::setBold(bool bold)
{
    font_.setBold(bold);
    if (painter_) {
        painter_->setFont(font_);
    }
}

int PaintedPrinterDevice::toDevice(int twips) const
{
    return static_cast<int>(static_cast<qint64>(twips) * resolution() / 1440);
}

int PaintedPrinterDevice::toTwips(int device) const
{
    const int res = resolution();
    return res > 0 ? static_cast<int>(static_cast<qint64>(device) * 1440 / res) : device;
}

int PaintedPrinterDevice::lineHeightTwips()
{
    return toTwips(QFontMetrics(font_, &device()).height());
}

int PaintedPrinterDevice::pageHeightTwips()
{
    return toTwips(device().pageLayout().paintRectPixels(resolution()).height());
}

bool PaintedPrinterDevice::begin()
{
    if (painter_ && painter_->isActive()) {
        return true;
    }
    if (failed_) {
        return false;
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&device())) {
        failed_ = true; // reported by endDoc
        return false;
    }
    painter_->setFont(font_);
    painter_->setPen(Qt::black);
    return true;
}

void PaintedPrinterDevice::put(const QString &text, bool newLine)
{
    if (!begin()) {
        return;
    }
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList parts = text.split(lineEnd);
    const QFontMetrics fm(font_, &device());
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

void PaintedPrinterDevice::printLine(const QString &text)
{
    put(text, true);
}

void PaintedPrinterDevice::print(const QString &text)
{
    put(text, false);
}

void PaintedPrinterDevice::newPage()
{
    if (begin()) {
        device().newPage();
    }
    x_ = 0;
    y_ = 0;
}

bool PaintedPrinterDevice::endDoc()
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
