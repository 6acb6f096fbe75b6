// The tidy export: the open recordings as one comma-separated table that a
// spreadsheet or a data-analysis library reads without cleaning. One row per
// interval, the time in ISO 8601 in the first column, then one column per
// recording (average), or three for a min/max/avg recording (average,
// maximum, minimum); a header row; RFC 4180 quoting and CR LF line ends;
// UTF-8. Rows are the union of the recordings' times in order, so recordings
// that start or end at other times leave their cells empty there.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class Program;

// The table of every open recording (whole recordings, whatever is zoomed);
// nullopt when none is open or a recording's times cannot be computed.
std::optional<QByteArray> tidyCsv(const Program &p);

// One field as RFC 4180 writes it: quoted when it holds a comma, a quote or a
// line end, with its quotes doubled.
QString csvField(const QString &text);

// Export > Tidy CSV...: asks where to save (the first recording's name with
// ".csv", in the default directory) and writes the table there.
void TidyCsvCommand(Program &p);
