// Writing recordings: the save dialog that writes gText as a recording file,
// and Save As, which rebuilds the text of the displayed range of one open
// recording.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class Program;
struct Recording;

// "     Cancelled     "
QString saveCancelledText();
// "   File save error.  Disk may be write  " CR "  protected or full.  Correct and retry"
QString saveErrorText();
// The same message with the path of the file that could not be written on a
// line of its own after it.
QString saveErrorText(const QString &path);

// The file bytes of a recording text: '"' + text + '"' + CR LF, Latin-1.
QByteArray recordingFileBytes(const QString &text);
// Writes the file whole or not at all (writeWholeFile): an existing file
// stays intact when writing fails.
bool writeRecordingFile(const QString &path, const QString &text);

// The save dialog: asks for a "dat" file (confirming an overwrite) in the
// default directory and writes gText to it. Reports a cancel or a failure
// (naming the path); disables Save As after success only. True when the file
// was written.
bool SaveDialogProc(Program &p);

// The Save As text of value indices first..last of `slot`: CR LF LF LF, the
// header with the time stamp `headerStamp` ("mm-dd-yy hh:mm"), "T: " for
// "T" files, the values newest first in fixed fields (10 a line), Ctrl-Z.
// A value that fills or overflows its field gets one blank in front of it,
// so that neighbouring values stay apart when the file is read again.
QString saveAsText(const Recording &r, int slot, int first, int last, const QString &headerStamp);

// One value of the Save As text: "##0.0" right-justified in 5 characters
// (LOW range) or "###0" in 4, with one blank in front when it fills or
// overflows the field.
QString saveValueField(int16_t tenths, bool low);

// Builds the Save As text of the range gDatastart..gdataend of ginx into
// gText (the range is kept within the recording). False when ginx is not an
// open recording or its time stamp cannot be computed.
bool buildSaveAsText(Program &p);

// The Save As command (mnuItemSave).
void SaveCommand(Program &p);
