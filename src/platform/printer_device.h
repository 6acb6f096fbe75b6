// The printer as the reports use it: a font, emphasis, a left scale origin,
// a current position and lines of text. Lengths are in twips (1440 an inch),
// measured from the top left corner of the printable area.
#pragma once

#include <QString>

class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;
    virtual void setFont(const QString &name, double points) = 0;
    virtual void setBold(bool bold) = 0;
    // The coordinate of the printable area's left edge. With -1500, text at
    // x = 0 prints 1500 twips to the right of that edge; new lines start at
    // x = 0.
    virtual void setScaleLeft(int twips) = 0;
    virtual void setCurrentX(int twips) = 0;
    virtual void setCurrentY(int twips) = 0;
    virtual int currentX() const = 0;
    virtual int currentY() const = 0;
    // Prints text at the current position and moves to the start of the next
    // line. Line ends inside the text (CR LF, CR or LF) start new lines.
    virtual void printLine(const QString &text) = 0;
    // Prints text at the current position and stays on the line.
    virtual void print(const QString &text) = 0;
    virtual void newPage() = 0;
    // Ends the document and sends it to the printer; false on failure.
    virtual bool endDoc() = 0;
    // While on, a document is shown in a preview at its end, and goes to the
    // printer only from there. A printer without a screen ignores it.
    virtual void setPreview(bool on) { (void)on; }
};
