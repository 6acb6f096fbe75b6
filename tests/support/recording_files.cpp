#include "recording_files.h"

#include <QFile>

QString headerLine(const RecordingFileContent &content)
{
    QString h = content.family.leftJustified(3, QLatin1Char(' '), true) + content.mode.left(1) +
                QStringLiteral("   ") + content.serial.leftJustified(4, QLatin1Char(' '), true);
    h = h.leftJustified(30, QLatin1Char(' '));
    h += content.stamp;
    h += content.tail;
    return h;
}

QString recordingText(const RecordingFileContent &content)
{
    QString t = headerLine(content) + QStringLiteral("\r\n");
    if (content.tMarker) {
        t += QStringLiteral("T: ");
    }
    for (int i = 0; i < content.values.size(); ++i) {
        if (i > 0) {
            t += (i % content.perLine == 0) ? QStringLiteral("\r\n") : QStringLiteral(" ");
        }
        t += content.values[i];
    }
    t += QChar(26);
    return t;
}

bool writeRecording(const QString &path, const RecordingFileContent &content)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = '"' + recordingText(content).toLatin1() + "\"\r\n";
    return f.write(bytes) == bytes.size();
}

QStringList countingValues(int n, bool low)
{
    QStringList out;
    for (int i = 1; i <= n; ++i) {
        out << (low ? QString::number(i % 3000 + 0.5, 'f', 1) : QString::number(i % 3000));
    }
    return out;
}
