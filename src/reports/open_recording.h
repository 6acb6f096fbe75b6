// Opening a recording, then showing its summary report: the Open command,
// the recent-file entries, files dropped on the main window or named on a
// command line.
#pragma once

#include "recording/fileopen.h"

#include <QString>
#include <QStringList>

class Program;

// Fileopen, then the summary report of the recording when it opened.
FileopenResult openAndShowSummary(Program &p);

// Opens a recording as the Open command does once a file is chosen: reads it
// into the lowest free slot, shows its summary and sets the menus. A file
// that cannot be read gives "File not found" and leaves the recent-file list
// without it. False when nothing was opened.
bool openRecordingFile(Program &p, const QString &path);
// Opens the files named on the command line, in order, as Open does: full
// paths, so that the recent-file list and the caption still lead to the file
// from another folder.
void openCommandLineFiles(Program &p, const QStringList &files);

// The Open command (mnuItemOpen): file dialog, then the file as above.
void OpenCommand(Program &p);
// Recent-file entry i (1..4): opens the file its caption names.
void OpenRecentFile(Program &p, int entry);

// Installs Open and the recent-file entries.
void installOpenCommands(Program &p);
