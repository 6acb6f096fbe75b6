// A printer that records every printed line with its font and position.
#pragma once

#include "platform/printer_device.h"

#include <QString>
#include <QStringList>
#include <vector>

class FakePrinter : public PrinterDevice {
public:
    struct Line {
        QString text;
        QString font;
        double points = 0;
        bool bold = false;
        int x = 0; // twips from the printable area's left edge
        int y = 0; // twips from its top
        int page = 1;
        int document = 1;
    };

    void setFont(const QString &name, double points) override;
    void setBold(bool bold) override { bold_ = bold; }
    void setScaleLeft(int twips) override { scaleLeft_ = twips; }
    void setCurrentX(int twips) override { x_ = twips; }
    void setCurrentY(int twips) override { y_ = twips; }
    int currentX() const override { return x_; }
    int currentY() const override { return y_; }
    void printLine(const QString &text) override;
    void print(const QString &text) override;
    void newPage() override;
    bool endDoc() override;

    // Height of a line: the font size in twips (20 per point) times 1.2.
    int lineHeight() const { return static_cast<int>(points_ * 24); }

    std::vector<Line> lines; // every printed piece, split at line ends
    int endDocs = 0;
    int pages = 1;
    bool endDocResult = true;
    QStringList texts() const;

private:
    void put(const QString &text, bool newLine);
    QString font_ = QStringLiteral("Arial");
    double points_ = 10;
    bool bold_ = false;
    int scaleLeft_ = 0;
    int x_ = 0;
    int y_ = 0;
};
