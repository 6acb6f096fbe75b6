#include "cli/cli_program.h"

#include "reports/report_commands.h"

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
    provideReportProcedures(*program);
}

std::optional<int> toIndex(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}
