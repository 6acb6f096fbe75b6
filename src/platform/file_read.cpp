#include "platform/file_read.h"

#include <QFile>
#include <QFileInfo>

bool isReadableRegularFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        return false;
    }
    QFile f(path);
    return f.open(QIODevice::ReadOnly);
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > maxBytes) {
        return std::nullopt;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // The file may have grown since it was measured: read one byte more than
    // allowed to see it.
    QByteArray bytes = f.read(maxBytes + 1);
    if (bytes.size() > maxBytes || f.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}
