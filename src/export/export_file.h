// What the exports share: the output folder and writing a file whole.
#pragma once

#include "platform/file_write.h"

#include <QString>

class Program;

// The power exports take 15-minute average recordings only (mode "a" or "d").
bool isFifteenMinuteAverage(const QString &modeLetter);

// The folder of "Lotusint.csv" and "Lotusint.prn": the stored default
// directory ("Directory"/"default"), or the root of the current drive when
// none is stored.
QString exportDirectory(const Program &p);

// Writes `text` as Latin-1 bytes, replacing the file only when the whole
// text was written (writeWholeFile). On failure the earlier file stays as it
// was and one message names the path and the reason; false then.
bool writeExportFile(Program &p, const QString &path, const QString &text);
// The same for bytes already encoded.
bool writeExportBytes(Program &p, const QString &path, const QByteArray &bytes);
