// The instrument information shown in the main window's Label1 after a
// download (Showinfo) or a recovery (Showinfodb): type, serial number, mode,
// interval and the time the instrument was read out, with the reminder to
// save. Both enable Save As, also when no recording file is open.
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

class Program;
class ModeTable;

// What the header of a received text says about the instrument.
struct InstrumentHeaderInfo {
    QString type;   // family code (header characters 1-3)
    QString mode;   // mode letter, lower case, a blank read as "a"
    QString serial; // header characters 8-11
    QString time;   // header characters 31-44 as "hh:mm  MMM dd, yy" (as they stand when unreadable)
    std::optional<QDateTime> when; // the same time; nullopt when unreadable
    QString memory;                // "Cont", "Stop" or empty
    int interval = 0;              // minutes
    QString intervalText;          // the minutes, empty for mode "m"
};

// Reads the header of `text` (from its first "K" or "M", 62 characters).
// nullopt when there is no family letter or the mode letter has no row in
// `modes`.
std::optional<InstrumentHeaderInfo> readInstrumentHeader(const QString &text, const ModeTable &modes);

// The information after a download.
QString showinfoText(const InstrumentHeaderInfo &info);
// The number of readings a recovery holds from `start` (a time text as it
// stands in gInfo(0, 2)) to the header time: whole minutes (times 3 for a
// min/max/avg mode) divided by the interval, or `capacity` when that is
// more. Empty when either time cannot be read.
QString recoveredReadingsText(const QString &start, const InstrumentHeaderInfo &info, int32_t capacity);
// The information after a recovery, with the start time and the readings.
QString showinfodbText(const InstrumentHeaderInfo &info, const QString &start, int32_t capacity);

// Show the information of gText in Label1, set gModeLetter and enable Save
// As. A text without a readable header or mode leaves Label1 as it was.
void Showinfo(Program &p);
void Showinfodb(Program &p);
