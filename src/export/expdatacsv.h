// Text exports of the table shown: the power table as comma-separated lines
// ("Lotusint.csv" in the export folder), and the reading table as shown or
// with one recording interval per line (a ".prn" file beside the recording).
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

class Program;

// The comma-separated power lines: " " + time + "," + up to eight values,
// each followed by "," and two blanks; CR LF after each line.
QString powerCsvText(const std::vector<float> &kw, int count, const QDateTime &start, int intervalMinutes,
                     bool high);

// The one-reading-per-line text of a reading table of mode `modeLetter`:
// one line per recording interval, "yy mm dd hh mm" and the interval's
// values. nullopt when a line of the table is too short to hold its time.
std::optional<QString> onePerLineText(const QString &table, const QString &modeLetter, int intervalMinutes);

// The ".prn" path of a recording: its last three characters replaced by "prn".
QString prnPath(const QString &recordingPath);

// The power table export (Data: Table while the power table is shown).
// True when the file was written. A file that cannot be written leaves the
// table shown and gTable as it was.
bool PowerTableExport(Program &p);
// The data table export, or the one-reading-per-line export when
// gExportOnePerLine is set (the reading table is shown). True when written.
bool DataTableExport(Program &p);
