// The recording file reader (Fileopen) and the commands that open files:
// Open, the recent-file entries and files named on the command line.
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
// values, extremes, time stamps, notes and the summary report. Shows the
// reader's own failure messages; sets gOutputMode to
// OutputMode::CancelOrUserScaleMin when the file could not be read or
// processed.
FileopenResult Fileopen(Program &p);

// Opens a recording as the Open command does once a file is chosen: reads it
// into the lowest free slot and sets the menus. A file that cannot be read
// gives "File not found" and leaves the recent-file list without it. False
// when nothing was opened.
bool openRecordingFile(Program &p, const QString &path);

// The Open command (mnuItemOpen): file dialog, then openRecordingFile.
void OpenCommand(Program &p);
// Recent-file entry i (1..4): opens the file its caption names.
void OpenRecentFile(Program &p, int entry);

// Puts `path` at the top of the recent-file list in the settings (a file
// already in it moves up rather than appearing twice; paths that name the
// same file are one) and shows the entries that hold a path.
void updateRecentFiles(Program &p, const QString &path);
// Takes the file out of the recent-file list (a file that failed to open).
void forgetRecentFile(Program &p, const QString &path);
