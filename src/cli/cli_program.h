// The program as the command line runs it: the core with the command line's
// services (messages to standard error, a settings file of its own, the
// system clock), and what every subcommand shares.
#pragma once

#include "cli/cli_dialogs.h"
#include "platform/qt_clock.h"
#include "platform/qt_settings_store.h"
#include "program/program.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>
#include <optional>

class CliProgram {
public:
    explicit CliProgram(QTextStream &err);

    // 0 when no message was shown, 1 otherwise.
    int status() const { return dialogs.messages == 0 ? 0 : 1; }

    QTemporaryDir dir;
    CliDialogs dialogs;
    std::unique_ptr<QtSettingsStore> settings;
    QtClock clock;
    std::unique_ptr<Program> program;
};

// Opens one recording file as the Open command does; when it cannot be
// opened, a line on `err` names it after the reader's own message.
bool openNamedRecording(Program &p, const QString &file, QTextStream &err);

// Opens the recording files into the slots in order; a file beyond the third
// is refused with a line on `err`, and so is each file that cannot be opened.
// The number of files not opened.
int openRecordingFiles(Program &p, const QStringList &files, QTextStream &err);

// A whole number, or nothing.
std::optional<int> toIndex(const QString &text);

// The exit status of a wrong command line; prints the usage.
int usageError(QTextStream &err);
