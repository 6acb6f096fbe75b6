// The printer as the reports use it: a font, emphasis, a left offset, a
// current position and lines of text. Lengths are in twips (1440 an inch).
#pragma once

#include <QString>

class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;
    virtual void setFont(const QString &name, double points) = 0;
    virtual void setBold(bool bold) = 0;
    // Moves the origin: a negative left offset moves text to the left.
    virtual void setScaleLeft(int twips) = 0;
    virtual void setCurrentX(int twips) = 0;
    virtual void setCurrentY(int twips) = 0;
    virtual int currentX() const = 0;
    virtual int currentY() const = 0;
    // Prints text at the current position and moves to the next line.
    virtual void printLine(const QString &text) = 0;
    // Prints text at the current position and stays on the line.
    virtual void print(const QString &text) = 0;
    virtual void newPage() = 0;
    // Ends the document and sends it to the printer; false on failure.
    virtual bool endDoc() = 0;
};
