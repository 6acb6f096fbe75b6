#include "cli/cli_program.h"

#include "reports/open_recording.h"
#include "shell/commands.h"

CliProgram::CliProgram(QTextStream &err) : dialogs(err)
{
    const QString ini = qEnvironmentVariable("RDX600_CLI_SETTINGS");
    settings =
        std::make_unique<QtSettingsStore>(ini.isEmpty() ? dir.filePath(QStringLiteral("rdx600.ini")) : ini);
    Services s;
    s.dialogs = &dialogs;
    s.settings = settings.get();
    s.clock = &clock;
    program = std::make_unique<Program>(s);
    program->modes.fill();
    provideProcedures(*program);
}

std::optional<int> toIndex(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

bool openNamedRecording(Program &p, const QString &file, QTextStream &err)
{
    if (openRecordingFile(p, file)) {
        return true;
    }
    err << "rdx600-cli: not opened: " << file << '\n';
    return false;
}

int openRecordingFiles(Program &p, const QStringList &files, QTextStream &err)
{
    int notOpened = 0;
    for (const QString &file : files) {
        if (p.rec.openCount() >= kSlots) {
            err << "rdx600-cli: three recordings are open already, not read: " << file << '\n';
            ++notOpened;
            continue;
        }
        if (!openNamedRecording(p, file, err)) {
            ++notOpened;
        }
    }
    return notOpened;
}
