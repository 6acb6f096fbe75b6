// The printer drawn with QPainter on a paged device (a QPrinter or a
// QPdfWriter). Twips are turned into device units at the device's
// resolution; positions are measured from the printable area's top left
// corner. A page that is full starts a new one.
#pragma once

#include "platform/printer_device.h"

#include <QFont>
#include <memory>

class QPainter;
class QPagedPaintDevice;

class PaintedPrinterDevice : public PrinterDevice {
public:
    PaintedPrinterDevice();
    ~PaintedPrinterDevice() override;
    PaintedPrinterDevice(const PaintedPrinterDevice &) = delete;
    PaintedPrinterDevice &operator=(const PaintedPrinterDevice &) = delete;

    void setFont(const QString &name, double points) override;
    void setBold(bool bold) override;
    void setScaleLeft(int twips) override { scaleLeft_ = twips; }
    void setCurrentX(int twips) override { x_ = twips; }
    void setCurrentY(int twips) override { y_ = twips; }
    int currentX() const override { return x_; }
    int currentY() const override { return y_; }
    void printLine(const QString &text) override;
    void print(const QString &text) override;
    void newPage() override;
    bool endDoc() override;

protected:
    // The device drawn on and its resolution in dots per inch.
    virtual QPagedPaintDevice &device() = 0;
    virtual int resolution() const = 0;
    // Ends a document left open; a subclass calls it before its device goes.
    void endPainting();

private:
    bool begin();
    void put(const QString &text, bool newLine);
    int toDevice(int twips) const;
    int toTwips(int device) const;
    int lineHeightTwips();
    int pageHeightTwips();

    std::unique_ptr<QPainter> painter_;
    QFont font_;
    int scaleLeft_ = 0;
    int x_ = 0;
    int y_ = 0;
    bool failed_ = false;
};
