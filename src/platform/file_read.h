// Reading a whole input file safely: only regular files are opened (a FIFO
// would block, a device such as /dev/zero never ends) and only up to a size
// that no file of the kind can reach.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// The largest recording, notes, survey or chart file the program reads. A
// full recording holds 43,051 values of at most 7 characters: about 300 KB.
inline constexpr qint64 kMaxInputFileBytes = 8 * 1024 * 1024;

// Whether `path` names a regular file (after following links) that can be
// opened for reading, without blocking on it.
bool isReadableRegularFile(const QString &path);

// The file a path names, for telling two spellings of one file apart (a link,
// "..", a relative path): its canonical path, or its cleaned absolute path
// when it does not exist.
QString fileIdentity(const QString &path);

// The whole file, or nullopt when it is not a readable regular file or holds
// more than `maxBytes`.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes = kMaxInputFileBytes);
