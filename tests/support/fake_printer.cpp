#include "fake_printer.h"

#include <QRegularExpression>

void FakePrinter::setFont(const QString &name, double points)
{
    font_ = name;
    points_ = points;
}

void FakePrinter::put(const QString &text, bool newLine)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList parts = text.split(lineEnd);
    for (int i = 0; i < parts.size(); ++i) {
        lines.push_back({parts[i], font_, points_, bold_, x_ - scaleLeft_, y_, pages, endDocs + 1});
        const bool last = i == parts.size() - 1;
        if (!last || newLine) {
            x_ = 0;
            y_ += lineHeight();
        } else {
            x_ += static_cast<int>(parts[i].size()) * lineHeight() / 2;
        }
    }
}

void FakePrinter::printLine(const QString &text)
{
    put(text, true);
}

void FakePrinter::print(const QString &text)
{
    put(text, false);
}

void FakePrinter::newPage()
{
    ++pages;
    x_ = 0;
    y_ = 0;
}

bool FakePrinter::endDoc()
{
    ++endDocs;
    pages = 1;
    x_ = 0;
    y_ = 0;
    return endDocResult;
}

QStringList FakePrinter::texts() const
{
    QStringList out;
    for (const auto &l : lines) {
        out << l.text;
    }
    return out;
}
