#include "cli/cli.h"

#include "cli/cli_dialogs.h"
#include "platform/qt_clock.h"
#include "platform/qt_settings_store.h"
#include "program/program.h"
#include "recording/calc_date.h"
#include "recording/fileopen.h"
#include "recording/save.h"
#include "reports/printinfo.h"
#include "reports/report_commands.h"

#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace {

const char *const kUsage = "usage: rdx600-cli summary FILE...\n"
                           "       rdx600-cli time FILE INDEX\n"
                           "       rdx600-cli save-as FILE FIRST LAST OUT\n";

std::optional<int> toIndex(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

// A program with the command line's services.
class CliProgram {
public:
    explicit CliProgram(QTextStream &err) : dialogs(err)
    {
        const QString ini = qEnvironmentVariable("RDX600_CLI_SETTINGS");
        settings = std::make_unique<QtSettingsStore>(
            ini.isEmpty() ? dir.filePath(QStringLiteral("rdx600.ini")) : ini);
        Services s;
        s.dialogs = &dialogs;
        s.settings = settings.get();
        s.clock = &clock;
        program = std::make_unique<Program>(s);
        program->modes.fill();
        provideReportProcedures(*program);
    }
    QTemporaryDir dir;
    CliDialogs dialogs;
    std::unique_ptr<QtSettingsStore> settings;
    QtClock clock;
    std::unique_ptr<Program> program;
};

int status(const CliProgram &cli)
{
    return cli.dialogs.messages == 0 ? 0 : 1;
}

int summary(const QStringList &files, QTextStream &out, QTextStream &err)
{
    CliProgram cli(err);
    Program &p = *cli.program;
    int refused = 0;
    for (const QString &file : files) {
        if (p.rec.openCount() >= kSlots) {
            err << "rdx600-cli: three recordings are open already, not read: " << file << '\n';
            ++refused;
            continue;
        }
        openRecordingFile(p, file);
    }
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!p.rec.slotInUse(slot)) {
            continue;
        }
        p.rec.ginx = slot;
        p.rec.gOutputMode = 3;
        Printinfo(p);
        for (const QString &label : {p.view.Label1.text, p.view.Label2.text}) {
            QString text = unixLines(label);
            if (!text.endsWith(QLatin1Char('\n'))) {
                text += QLatin1Char('\n');
            }
            out << text;
        }
    }
    return refused > 0 ? 1 : status(cli);
}

int timeStamp(const QString &file, const QString &indexText, QTextStream &out, QTextStream &err)
{
    const auto index = toIndex(indexText);
    if (!index) {
        err << kUsage;
        return 2;
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    if (!openRecordingFile(p, file)) {
        return 1;
    }
    p.rec.ginx = 0;
    p.rec.gDateX = *index;
    CalcDate(p);
    out << p.rec.gText << '\n';
    return status(cli);
}

int saveAs(const QStringList &args, QTextStream &err)
{
    const auto first = toIndex(args[1]);
    const auto last = toIndex(args[2]);
    if (!first || !last) {
        err << kUsage;
        return 2;
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    if (!openRecordingFile(p, args[0])) {
        return 1;
    }
    p.rec.ginx = 0;
    p.rec.gDatastart = *first;
    p.rec.gdataend = *last;
    if (!buildSaveAsText(p)) {
        err << "rdx600-cli: the time stamp of the range cannot be computed\n";
        return 1;
    }
    cli.dialogs.saveAnswer = args[3];
    SaveDialogProc(p);
    return status(cli);
}

} // namespace

QString unixLines(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

int runCli(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);
    int result = 2;
    if (command == QLatin1String("summary") && !rest.isEmpty()) {
        result = summary(rest, out, err);
    } else if (command == QLatin1String("time") && rest.size() == 2) {
        result = timeStamp(rest[0], rest[1], out, err);
    } else if (command == QLatin1String("save-as") && rest.size() == 4) {
        result = saveAs(rest, err);
    } else {
        err << kUsage;
    }
    out.flush();
    err.flush();
    return result;
}
