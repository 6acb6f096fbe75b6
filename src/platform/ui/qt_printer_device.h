// The printer through QPrinter and QPainter: the system printer, or a PDF
// file. Twips are turned into device units at the printer's resolution;
// positions are measured from the printable area's top left corner.
#pragma once

#include "platform/printer_device.h"

#include <QFont>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

class QtPrinterDevice : public PrinterDevice {
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
    void setScaleLeft(int twips) override { scaleLeft_ = twips; }
    void setCurrentX(int twips) override { x_ = twips; }
    void setCurrentY(int twips) override { y_ = twips; }
    int currentX() const override { return x_; }
    int currentY() const override { return y_; }
    void printLine(const QString &text) override;
    void print(const QString &text) override;
    void newPage() override;
    bool endDoc() override;

private:
    bool begin();
    void put(const QString &text, bool newLine);
    int toDevice(int twips) const;
    int toTwips(int device) const;
    int lineHeightTwips();
    int pageHeightTwips() const;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    int scaleLeft_ = 0;
    int x_ = 0;
    int y_ = 0;
    bool failed_ = false;
};
