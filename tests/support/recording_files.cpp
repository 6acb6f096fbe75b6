#include "recording_files.h"

#include <QFile>

QString headerLine(const RecordingFileSpec &spec)
{
    QString h = spec.family.leftJustified(3, QLatin1Char(' '), true) + spec.mode.left(1) +
                QStringLiteral("   ") + spec.serial.leftJustified(4, QLatin1Char(' '), true);
    h = h.leftJustified(30, QLatin1Char(' '));
    h += spec.stamp;
    h += spec.tail;
    return h;
}

QString recordingText(const RecordingFileSpec &spec)
{
    QString t = headerLine(spec) + QStringLiteral("\r\n");
    if (spec.tMarker) {
        t += QStringLiteral("T: ");
    }
    for (int i = 0; i < spec.values.size(); ++i) {
        if (i > 0) {
            t += (i % spec.perLine == 0) ? QStringLiteral("\r\n") : QStringLiteral(" ");
        }
        t += spec.values[i];
    }
    t += QChar(26);
    return t;
}

bool writeRecording(const QString &path, const RecordingFileSpec &spec)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = '"' + recordingText(spec).toLatin1() + "\"\r\n";
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
