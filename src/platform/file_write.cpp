#include "platform/file_write.h"

#include <QDir>
#include <QSaveFile>

#include <cerrno>
#include <csignal>

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    const auto fail = [reason](QSaveFile &file, const QString &why) {
        if (reason != nullptr) {
            *reason = why;
        }
        file.cancelWriting();
        return false;
    };
    if (path.isEmpty()) {
        if (reason != nullptr) {
            reason->clear();
        }
        return false;
    }
    QSaveFile file(path);
    // Never write straight into the file where no new file can be made beside
    // it: the file is replaced whole or left alone.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that write() reports what reached the file. Through the
    // buffer a write cut short by a full disk or a file-size limit is lost
    // when the buffer is flushed, and commit() would then put a truncated
    // file in the place of the earlier one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(file, file.errorString());
    }
    errno = 0;
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        // A short write leaves the device without an error of its own; the
        // system's reason is that of the write that stopped it.
        const int code = errno;
        QString why;
        if (code != 0) {
            why = qt_error_string(code);
        } else if (file.error() != QFileDevice::NoError) {
            why = file.errorString();
        } else {
            why = QStringLiteral("Only %1 of %2 bytes were written.").arg(written).arg(bytes.size());
        }
        return fail(file, why);
    }
    if (!file.commit()) {
        if (reason != nullptr) {
            *reason = file.errorString();
        }
        return false;
    }
    return true;
}

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString fileNotWrittenText(const QString &path, const QString &reason)
{
    QString text = QStringLiteral("The file could not be written:") + QLatin1Char('\r') + shownPath(path);
    if (!reason.isEmpty()) {
        text += QLatin1Char('\r') + reason;
    }
    return text;
}

void letFileSizeLimitFailWrites()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
