#include "platform/file_read.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// How much a result grows at least when the file turns out longer than it
// measured.
constexpr qint64 kGrowStep = 64 * 1024;

} // namespace

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
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return std::nullopt;
    }
    // Read straight into the result, sized from the measurement plus one
    // byte: a single request then reads the whole file, and a file that has
    // grown since it was measured (or, like those under /proc, claims no
    // size at all) makes the result grow in steps up to one byte over the
    // limit. Memory is never set aside for the limit itself.
    QByteArray bytes;
    bytes.resize(std::min(info.size(), maxBytes) + 1);
    qint64 have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > maxBytes) {
                return std::nullopt;
            }
            bytes.resize(std::min(std::max(2 * have, have + kGrowStep), maxBytes + 1));
        }
        const qint64 n = f.read(bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        have += n;
    }
    if (f.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    bytes.truncate(have);
    return bytes;
}

QString fileIdentity(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
