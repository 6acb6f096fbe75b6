// The recording file reader (Fileopen) and the steps around it of the
// commands that open files (Open, the recent-file entries, files named on the
// command line or dropped on the main window); the commands themselves, which
// also show the summary report, are in reports/open_recording.h.
#pragma once

#include "recording/recording_text.h"

#include <QString>

class Program;

enum class FileopenResult {
    Opened,          // the lowest free slot holds the recording
    NotFound,        // "File not found": the model is as it was
    ProcessingError, // "Error in processing file"
    ModeMixing,      // "Mode mixing not allowed": nothing changed
    NoFreeSlot,      // three recordings are open already
};

// Reads gOpenPath into the lowest free slot: recent-file list, both passes,
// values, extremes, time stamps and notes; ginx is the slot. Shows the
// reader's own failure messages; sets gOutputMode to
// OutputMode::CancelOrUserScaleMin when the file could not be read or
// processed.
FileopenResult Fileopen(Program &p);

// Before a named file is read: false when three recordings are open or Open
// is disabled; hides the chart and the text views; a file that cannot be
// read gives "File not found" and leaves the recent-file list. Otherwise
// sets gOpenPath to `path`.
bool startOpeningFile(Program &p, const QString &path);
// The Open command's file dialog, after hiding the chart and the text views:
// sets gOpenPath to the chosen file; false when cancelled or the file cannot
// be read.
bool chooseRecordingFile(Program &p);
// After the Open command or a named file was read: the menus (when a
// recording is open), the selection flag, the pointer and gOutputMode. True
// when `result` says the file opened.
bool finishOpeningFile(Program &p, FileopenResult result);
// Recent-file entry i (1..4): sets gOpenPath to its caption and hides the
// chart and the text views; false after "File not found or disk error" when
// the file cannot be read.
bool startOpeningRecentFile(Program &p, int entry);
// After a recent file was read: "File not found or disk error" when it could
// not be, otherwise the menus; then the pointer and gOutputMode.
void finishOpeningRecentFile(Program &p);

// Puts `path` at the top of the recent-file list in the settings (a file
// already in it moves up rather than appearing twice; paths that name the
// same file are one) and shows the entries that hold a path.
void updateRecentFiles(Program &p, const QString &path);
// Takes the file out of the recent-file list (a file that failed to open).
void forgetRecentFile(Program &p, const QString &path);
