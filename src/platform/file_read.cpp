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
    // Read in pieces: QIODevice::read(n) sets aside n bytes first, which
    // for the limit would be megabytes for every small file. The file may
    // have grown since it was measured, so the limit is checked as it goes.
    QByteArray bytes;
    bytes.reserve(info.size());
    char piece[64 * 1024];
    qint64 n = 0;
    while ((n = f.read(piece, sizeof piece)) > 0) {
        bytes.append(piece, n);
        if (bytes.size() > maxBytes) {
            return std::nullopt;
        }
    }
    if (n < 0 || f.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}
