// The load-survey reader (Fileopenmqa): reads one phase file of a feeder.
// It works on the recording file layout as the ordinary reader does
// (fileopen.*), with these differences:
//   - values are stored as written, rounded to whole amps (not in tenths),
//     in file order (newest first), into the survey table of the current
//     feeder and the phase, not into gValues; there is no min/max/avg
//     reordering;
//   - a header longer than 46 characters always takes its time stamp from
//     characters 47-60 (no "   Vbatt" exception);
//   - the slot row of gInfo gets the peak time in column 2 and the peak in
//     column 5; column 6 and columns 10-12 are left empty; column 9 is the
//     end time as "hh:mm MMM dd, yy";
//   - no notes, no recent-file list, no summary report;
//   - every failure is "Unknown File Error; Check".
#pragma once

#include <QString>

class Program;

enum class SurveyReadResult {
    Read,       // the phase holds the file's values
    Failed,     // "Unknown File Error; Check": nothing changed
    ModeMixing, // "Mode mixing not allowed": nothing changed
};

// Time of the value `index` intervals before a phase file's end time
// `endText` (any date text): the end time is first moved forward to the next
// multiple of the interval when its minutes are not one. "hh:mm  MMM dd, yy";
// empty when the mode has no interval or the text is not a date.
QString surveyPeakTime(const QString &modeLetter, const QString &endText, int index);

// Reads `path` as phase `phase` (0 red, 1 white, 2 blue) of the feeder
// gFeederIndex into the lowest free recording slot; shows the reader's
// messages. On success the survey window's PROCEED is disabled.
SurveyReadResult readSurveyPhaseFile(Program &p, int phase, const QString &path);

// Fileopenmqa: the open dialog in the default directory, then
// readSurveyPhaseFile. A cancelled dialog is a failure.
SurveyReadResult Fileopenmqa(Program &p, int phase);
