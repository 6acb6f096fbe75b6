// The reading table: every stored value of one recording as text, several
// values to a line, each line led by the time of its first value. Shown in
// the table area (Header1 and RichTextBox1), kept in gTable for the exports,
// printed with the table print commands.
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

class Program;
struct Recording;

struct ReadingTableLayout {
    int valuesPerLine = 8;
    int valuesPerInterval = 1; // 3 for min/max/avg recordings
    QString heading;
    QString format;     // picture of a value in units
    QString highFormat; // picture for the range "HIGH"
};
// The layout of a mode letter ("a".."l"; any other letter as "a").
ReadingTableLayout readingTableLayout(const QString &modeLetter);

// First and last value index of the table of recording `slot` and the time
// of the first value, from the selection state of the model.
struct ReadingTableSpan {
    int32_t first = 0;
    int32_t last = -1;
    QDateTime start;
};
ReadingTableSpan readingTableSpan(const Recording &r, int slot);

// The table text of recording `slot` over `span` (lines ended by CR LF).
QString readingTableText(const Recording &r, int slot, const ReadingTableSpan &span, int intervalMinutes);

// Builds the table of recording ginx into gTable and shows it with its
// heading, sets output mode 2 and the menus, then rebuilds the summary of
// the same recording beside it.
void ReadingTableProc(Program &p);

// The Table command (mnuItemViewTable): the recording selection, then the
// table. With no recording open at all it offers the Open dialog first.
void TableViewCommand(Program &p);
