#include "export/export_file.h"

#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "program/program.h"

#include <QDir>
#include <QSaveFile>

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

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool writeExportFile(Program &p, const QString &path, const QString &text)
{
    return writeExportBytes(p, path, text.toLatin1());
}

bool writeExportBytes(Program &p, const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Writing straight into the file only where a new file cannot be made
    // beside it is not wanted: an export either replaces the file whole or
    // leaves it alone.
    file.setDirectWriteFallback(false);
    if (file.open(QIODevice::WriteOnly)) {
        if (file.write(bytes) == bytes.size() && file.commit()) {
            return true;
        }
    }
    const QString reason = file.errorString();
    file.cancelWriting();
    p.dialogs().message(QStringLiteral("The file could not be written:") + QLatin1Char('\r') +
                        shownPath(path) + (reason.isEmpty() ? QString() : QLatin1Char('\r') + reason));
    return false;
}
