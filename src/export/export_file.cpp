#include "export/export_file.h"

#include "platform/dialogs.h"
#include "platform/file_write.h"
#include "platform/settings_store.h"
#include "program/program.h"

#include <QDir>

bool isFifteenMinuteAverage(const QString &modeLetter)
{
    const QString l = modeLetter.toLower();
    return l == QLatin1String("a") || l == QLatin1String("d");
}

QString exportDirectory(const Program &p)
{
    QString stored = p.settings().get(QStringLiteral("Directory"), QStringLiteral("default"));
    if (!stored.isEmpty()) {
        return stored;
    }
    QDir dir = QDir::current();
    while (dir.cdUp()) {
    }
    return dir.absolutePath();
}

bool writeExportFile(Program &p, const QString &path, const QString &text)
{
    return writeExportBytes(p, path, text.toLatin1());
}

bool writeExportBytes(Program &p, const QString &path, const QByteArray &bytes)
{
    QString reason;
    if (writeWholeFile(path, bytes, &reason)) {
        return true;
    }
    p.dialogs().message(fileNotWrittenText(path, reason));
    return false;
}
