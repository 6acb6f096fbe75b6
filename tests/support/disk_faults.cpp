#include "disk_faults.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QIODevice>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

// Writes all of `bytes` to `fd`; false when the pipe broke.
bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

QByteArray readAllFrom(int fd)
{
    QByteArray out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) {
            return out;
        }
        out.append(buf, n);
    }
}

// In the child: puts the fault in force. An empty text when it is.
QString applyFault(DiskFault fault, const QByteArray &folder)
{
    switch (fault) {
    case DiskFault::None:
        return {};
    case DiskFault::SizeLimitMidway: {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(kDiskFaultSizeLimit),
                           static_cast<rlim_t>(kDiskFaultSizeLimit)};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return QStringLiteral("setrlimit failed");
        }
        return {};
    }
    case DiskFault::FolderNotWritable:
        // Root writes into a read-only folder all the same: as root the
        // writer runs as an unprivileged user; anyone else is one already.
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            return QStringLiteral("cannot drop to user 65534");
        }
        if (access(folder.constData(), W_OK) == 0) {
            return QStringLiteral("the folder is still writable");
        }
        return {};
    }
    return QStringLiteral("unknown fault");
}

} // namespace

const char *diskFaultName(DiskFault fault)
{
    switch (fault) {
    case DiskFault::None:
        return "NoFault";
    case DiskFault::SizeLimitMidway:
        return "SizeLimitMidway";
    case DiskFault::FolderNotWritable:
        return "FolderNotWritable";
    }
    return "Unknown";
}

ChildRun runUnderDiskFault(DiskFault fault, const QString &folder, const std::function<QStringList()> &body)
{
    ChildRun run;
    const QByteArray nativeFolder = QFile::encodeName(folder);
    struct stat before {};
    if (::stat(nativeFolder.constData(), &before) != 0) {
        run.problem = QStringLiteral("no folder ") + folder;
        return run;
    }
    const bool readOnly = fault == DiskFault::FolderNotWritable;
    if (readOnly && ::chmod(nativeFolder.constData(), 0555) != 0) {
        run.problem = QStringLiteral("cannot make the folder read-only");
        return run;
    }
    int fds[2];
    if (::pipe(fds) != 0) {
        run.problem = QStringLiteral("no pipe");
        return run;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const QString problem = applyFault(fault, nativeFolder);
        QByteArray out;
        QDataStream stream(&out, QIODevice::WriteOnly);
        if (problem.isEmpty()) {
            stream << true << body();
        } else {
            stream << false << QStringList{problem};
        }
        _exit(writeAll(fds[1], out) ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray received;
    if (pid > 0) {
        received = readAllFrom(fds[0]);
    }
    ::close(fds[0]);
    int status = 0;
    const bool waited = pid > 0 && ::waitpid(pid, &status, 0) == pid;
    if (readOnly) {
        ::chmod(nativeFolder.constData(), before.st_mode & 07777);
    }
    if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        run.problem = pid < 0 ? QStringLiteral("fork failed")
                              : QStringLiteral("the child ended abnormally (status %1)").arg(status);
        return run;
    }
    QDataStream stream(received);
    bool faultInForce = false;
    QStringList lines;
    stream >> faultInForce >> lines;
    if (stream.status() != QDataStream::Ok) {
        run.problem = QStringLiteral("the child's report is unreadable");
        return run;
    }
    if (!faultInForce) {
        run.problem = lines.value(0);
        return run;
    }
    run.finished = true;
    run.lines = lines;
    return run;
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}
