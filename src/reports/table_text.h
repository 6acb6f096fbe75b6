// Tables of values, several to a line, each line led by the time of its
// first value: the reading table and the power table share this layout.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

struct TableLayout {
    int valuesPerLine = 8;
    int advanceMinutes = 120;     // from one line's time to the next
    bool blankBeforeLabel = true; // " " + label (reading table) or label + " " (power table)
};

// `count` values, value i appended by `format(out, i)` and followed by two
// blanks; each line is the time label ("hh:mm  MMM dd, yy" in 22
// characters) and up to valuesPerLine values, ended by CR LF. The last line
// may hold fewer values.
QString tableText(int count, const std::function<void(QString &, int)> &format, const QDateTime &start,
                  const TableLayout &layout);

// The time label of a table line: "hh:mm  MMM dd, yy" in 22 characters.
QString tableTimeLabel(const QDateTime &t);
