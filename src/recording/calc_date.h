// Time stamp of a value index of a recording.
#pragma once

#include <QString>
#include <cstdint>

class Program;

// Time stamp of value `index` counted from `baseText` (a date text) for a
// recording of mode `modeLetter`, formatted "hh:mm  MMM dd, yy". Min/max/avg
// modes hold three values per interval. Empty text when the letter is not
// "a".."m" or the base is not a date.
QString calcDate(const QString &modeLetter, const QString &baseText, int32_t index);

// The program's form: reads ginx, gDateX and the slot's mode letter and base
// time from the model, sets gModeLetter and leaves the result in gText.
void CalcDate(Program &p);
