// Runs a piece of a test in a forked child under a disk fault, so that the
// fault (a file-size limit, an unprivileged user) never reaches the test
// program itself. The child reports what it saw as lines of text through a
// pipe; the parent checks the files on disk and the lines.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

enum class DiskFault {
    None,              // the control: the same run without a fault
    SizeLimitMidway,   // the file-size limit stops the write after a few bytes
    FolderNotWritable, // the folder takes no new file (read-only to the writer)
};

// The fault's name for test names and messages.
const char *diskFaultName(DiskFault fault);

struct ChildRun {
    bool finished = false; // the body ran to its end and its lines arrived
    QStringList lines;     // what the body returned
    QString problem;       // why not finished (or why the fault was not in force)
};

// The size limit of SizeLimitMidway: every writer under test writes more.
inline constexpr long kDiskFaultSizeLimit = 64;

// Forks; the child puts `fault` in force for `folder` and runs `body`, then
// ends with _exit. SizeLimitMidway: SIGXFSZ ignored and RLIMIT_FSIZE set to
// kDiskFaultSizeLimit bytes, so a write beyond it fails with EFBIG.
// FolderNotWritable: `folder` is made 0555 (its mode is put back afterwards)
// and the child drops to user and group 65534 before running `body`; the
// child checks that it can no longer create files in `folder` (root could)
// and reports a problem otherwise. Everything the body needs to read must be
// readable by that user.
ChildRun runUnderDiskFault(DiskFault fault, const QString &folder, const std::function<QStringList()> &body);

// The names in `folder` (no "." and ".."), sorted: a writer that fails must
// leave no scratch file behind.
QStringList folderEntries(const QString &folder);
