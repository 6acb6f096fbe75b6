// The end of a download: the runspec.txt test file, the errors it can
// inject into the downloaded text, the check of the text for transmission
// damage, the reports of what was found and the save offer. The Special Test
// command (a dump of program state) completes the test facilities.
//
// The procedures work on the program's state (gText, the download window's
// runspec.txt flags); the pure functions underneath serve the tests
// and rdx600-cli.
#pragma once

#include "program/link_window_states.h"

#include <QString>
#include <optional>

class ModeTable;
class Program;

// "   •  ": three blanks, the bullet (code 149 of the Windows code page,
// shown as U+2022) and two blanks. It starts each line of the
// runspec.txt and error reports.
QString reportBullet();

// ---- runspec.txt ----------------------------------------------------------

// The file of `folder` whose upper-cased name is "RUNSPEC.TXT" (directories
// aside), as a path; empty when there is none. An exact "runspec.txt" wins
// over other spellings.
QString findRunSpecFile(const QString &folder);
// Sets the flag of every line of `text` that equals one of the ten flag
// lines exactly (a Ctrl-Z ends the text, line ends are CR LF or LF) and
// returns the log: the bullet, the line and CR LF for each such line.
QString applyRunSpecLines(const QString &text, RunSpecFlags &flags);
// The message that shows the log, or the "No valid run specs" message when
// the log is empty.
QString runSpecMessage(const QString &log);

// Resets the download window's flags to their defaults, reads runspec.txt
// from the start-up directory when it is there and shows what it set. False
// only when the file is there but cannot be read.
bool HandleRunspec(Program &p);

// ---- Injected errors --------------------------------------------------------

// "InsertErrors(): Couldn't find 'T:' in gText$"
QString insertErrorsNoMarkerText();
// Applies the insertions whose flags are set to `text`, in order 1 to 7.
// False when an insertion was asked for and the text has no "T:" marker
// (the text is then unchanged).
bool insertErrors(QString &text, const RunSpecFlags &flags);
// The same on gText; reports a missing marker.
void InsertErrors(Program &p);

// ---- The check --------------------------------------------------------------

struct DownloadErrorCounts {
    int incorrectLines = 0; // data lines without exactly 10 readings
    int badCharacters = 0;
    int firstBadCharacter = 0; // its character code; 0 when there is none
    int readings999 = 0;
    int readingsOver999 = 0;
    int ctrlZ = 0;

    // Nothing to report: no damage, no '999' reading, exactly one Ctrl-Z.
    bool clean() const
    {
        return incorrectLines == 0 && badCharacters == 0 && readings999 == 0 && readingsOver999 == 0 &&
               ctrlZ == 1;
    }
    bool operator==(const DownloadErrorCounts &) const = default;
};

// Index of the header's family letter ("M", "m", "K" or "k") among the
// first 32767 characters of a downloaded text; nullopt when there is none.
std::optional<qsizetype> downloadHeaderIndex(const QString &text);
// Whether the text is in the "T:" layout: the 47th character counted from
// the header's family letter is "T".
bool hasTLayoutMarker(const QString &text);

// Counts the damage in the data section of `text` (after the first "T:").
// Readings are runs of digits separated by blanks and line ends; a decimal
// point between two digits belongs to the reading (low-range instruments
// write "11.5"). With `change999To000`, every reading "999" is overwritten
// with "000" in `text`.
DownloadErrorCounts countDownloadErrors(QString &text, bool change999To000);
// The result text of the check: the six counts, each with a leading blank,
// separated by one blank; empty when the counts are clean.
QString downloadErrorResult(const DownloadErrorCounts &counts);
// The counts back from a result text (split at blanks); nullopt for an empty
// or malformed text.
std::optional<DownloadErrorCounts> parseDownloadErrorResult(const QString &result);

// The check on gText: empty for the older layout (no check) and for a clean
// text, else the six counts. Converts '999' readings in gText when the
// runspec.txt flag asks for it.
QString CountDownloadErrors(Program &p);

// ---- Reports ----------------------------------------------------------------

// The reports a check result gives under `flags`; an empty text is a report
// that is not shown.
struct DownloadReports {
    QString count999; // OK box
    QString errors;   // Yes/No box: save anyway?
};
// `headerProblem`, when not empty, is one more error, listed first.
DownloadReports downloadReports(const QString &result, const RunSpecFlags &flags,
                                const QString &headerProblem = {});
// The error a header's mode letter makes when it has no row in `modes`
// (a letter outside "a" to "m"; a blank reads as "a"): the file reader
// refuses such a file. Empty when the letter is known or there is no header.
QString unknownModeProblem(const QString &text, const ModeTable &modes);

// The end of a download: the insertions, the check, the reports and, unless
// the error report was answered No, the save dialog for gText. True when a
// file was written.
bool DownloadReportAndSave(Program &p);

// ---- Special Test -----------------------------------------------------------

// The state dump of the Special Test command.
QString specialTestText(const Program &p);
// Special Test: puts a test text into gText and shows the state dump.
void SpecialTest(Program &p);
// Registers the Special Test command.
void installDownloadCheckCommands(Program &p);
