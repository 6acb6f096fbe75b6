// The tidy export: the open recordings as one comma-separated table that a
// spreadsheet or a data-analysis library reads without cleaning. One row per
// interval, the time in ISO 8601 with seconds in the first column (the form
// a spreadsheet's default import reads as a date and time), then one column
// per recording (average), or three for a min/max/avg recording (average,
// maximum, minimum); a header row; RFC 4180 quoting and CR LF line ends;
// UTF-8. Rows are the union of the recordings' times in order, so recordings
// that start or end at other times leave their cells empty there.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class Program;

// The table of every open recording (whole recordings, whatever is zoomed);
// nullopt when none is open or a recording's times cannot be computed.
std::optional<QByteArray> tidyCsv(const Program &p);

// The column names of recordings at `paths`: each file's name, with as many
// of its folders as it takes to tell apart files of the same name
// ("north/feed.dat", "south/feed.dat"); the same file given twice is
// numbered ("feed.dat #2").
QStringList recordingNames(const QStringList &paths);

// One field as RFC 4180 writes it: quoted when it holds a comma, a quote or a
// line end, with its quotes doubled.
QString csvField(const QString &text);

// Export > Tidy CSV...: asks where to save (the first recording's name with
// ".csv", in the default directory) and writes the table there.
void TidyCsvCommand(Program &p);
