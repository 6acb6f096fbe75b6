// The recording file reader (Fileopen) and the commands that open files:
// Open, the recent-file entries and files named on the command line.
#pragma once

#include <QByteArray>
#include <QString>

class Program;

enum class FileopenResult {
    Opened,          // the lowest free slot holds the recording
    NotFound,        // "File not found": the model is as it was
    ProcessingError, // "Error in processing file"
    ModeMixing,      // "Mode mixing not allowed": nothing changed
    NoFreeSlot,      // three recordings are open already
};

// The recording file as the reader sees it, from one read of the file.
struct RecordingScan {
    QString header;           // from the family letter to the end of its line
    QString rangeText;        // "LOW" when the line after the header holds a ".", else "HIGH"
    QString formatMarker;     // first character of the line after the header
    qsizetype valuesFrom = 0; // byte offset where the value items start
    qsizetype dataEnd = 0;    // offset of the Ctrl-Z (or the end of the bytes)
};

// Finds the header and the line after it. False when the bytes hold no
// family letter ("K" or "M") or no line after the header.
bool scanRecording(const QByteArray &bytes, RecordingScan &scan);

// Reads gOpenPath into the lowest free slot: recent-file list, both passes,
// values, extremes, time stamps, notes and the summary report. Shows the
// reader's own failure messages; sets gOutputMode to 1 when the file could
// not be read or processed.
FileopenResult Fileopen(Program &p);

// Opens a recording as the Open command does once a file is chosen: reads it
// into the lowest free slot and sets the menus. A file that cannot be read
// gives "File not found" without touching the recent-file list. False when
// nothing was opened.
bool openRecordingFile(Program &p, const QString &path);

// The Open command (mnuItemOpen): file dialog, then openRecordingFile.
void OpenCommand(Program &p);
// Recent-file entry i (1..4): opens the file its caption names.
void OpenRecentFile(Program &p, int entry);

// Shifts the recent-file list in the settings and shows the entries that
// hold a path; `path` becomes entry 1.
void updateRecentFiles(Program &p, const QString &path);
