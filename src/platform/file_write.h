// Writing a whole output file: the file is replaced only once every byte has
// reached the disk, so a write that fails midway (a full disk, a file-size
// limit) or a folder that cannot take a new file leaves the earlier file
// exactly as it was.
#pragma once

#include <QByteArray>
#include <QString>

// Writes `bytes` into a new file beside `path` and puts it in the place of
// `path` only when all of it was written. False on any failure, with the
// system's reason in `reason` (when given); the earlier file, if any, is then
// untouched and no scratch file is left behind.
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

// A path as the messages show it (native separators).
QString shownPath(const QString &path);

// "The file could not be written:" CR path, then CR and the reason when one
// is known.
QString fileNotWrittenText(const QString &path, const QString &reason = QString());

// Makes a write beyond the process's file-size limit fail like a full disk
// (and be reported by the writer) instead of ending the program with
// SIGXFSZ. Called once at the start of each program.
void letFileSizeLimitFailWrites();
