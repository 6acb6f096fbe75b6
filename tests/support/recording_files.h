// Recording files written by the tests themselves.
#pragma once

#include <QString>
#include <QStringList>

struct RecordingFileContent {
    QString family = QStringLiteral("KLA");           // characters 1-3; the third is the units letter
    QString mode = QStringLiteral("a");               // character 4
    QString serial = QStringLiteral("1234");          // characters 8-11
    QString stamp = QStringLiteral("03-15-26 10:00"); // characters 31-44
    QString tail;                                     // characters 45 on
    bool tMarker = true;                              // values after "T:"
    QStringList values;                               // newest first, as written
    int perLine = 10;
};

// The header line of the content.
QString headerLine(const RecordingFileContent &content);
// The recording text (header, values, Ctrl-Z), without the quote framing.
QString recordingText(const RecordingFileContent &content);
// Writes the framed file ('"' text '"' CR LF); false on failure.
bool writeRecording(const QString &path, const RecordingFileContent &content);
// Values 1..n as whole numbers or with one decimal, newest first.
QStringList countingValues(int n, bool low);
