#include "reports/table_text.h"

#include "platform/textformat.h"

QString tableTimeLabel(const QDateTime &t)
{
    return textformat::fixedLeft(textformat::dateText(t, textformat::DateText::Stamp), 22);
}

QString tableText(int count, const std::function<void(QString &, int)> &format, const QDateTime &start,
                  const TableLayout &layout)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString gap = QStringLiteral("  ");
    const int perLine = std::max(layout.valuesPerLine, 1);
    QString out;
    // Room for every line at once: the label, and each value with its blanks.
    const int lines = (count + perLine - 1) / perLine;
    out.reserve(static_cast<qsizetype>(lines) * (26 + static_cast<qsizetype>(perLine) * 16));
    QDateTime t = start;
    for (int i = 0; i < count; i += perLine) {
        const QString label = tableTimeLabel(t);
        if (layout.blankBeforeLabel) {
            out += QLatin1Char(' ') + label;
        } else {
            out += label + QLatin1Char(' ');
        }
        for (int k = i; k < count && k < i + perLine; ++k) {
            format(out, k);
            out += gap;
        }
        out += crlf;
        t = t.addSecs(static_cast<qint64>(layout.advanceMinutes) * 60);
    }
    return out;
}
