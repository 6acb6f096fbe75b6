#include "cli/cli.h"

#include "cli/cli_commands.h"
#include "cli/cli_program.h"
#include "shell/startup.h"

namespace {

using Runner = int (*)(const QStringList &, QTextStream &, QTextStream &);

struct Subcommand {
    const char *name;
    Runner run;
};

// The subcommands in the order of the usage text.
// clang-format off
const Subcommand kSubcommands[] = {
    {"summary", cliSummary},
    {"time", cliTime},
    {"save-as", cliSaveAs},
    {"validate", cliValidate},
    {"status", cliStatus},
    {"download", cliDownload},
    {"table", cliTable},
    {"power", cliPower},
    {"export", cliExport},
    {"survey", cliSurvey},
    {"initialize", cliInitialize},
    {"recover", cliRecover},
};
// clang-format on

const char *const kUsage =
    "usage: rdx600-cli summary FILE...\n"
    "       rdx600-cli time FILE INDEX\n"
    "       rdx600-cli save-as FILE FIRST LAST OUT\n"
    "       rdx600-cli validate FILE\n"
    "       rdx600-cli status --port N [--type T]\n"
    "       rdx600-cli download --port N [--type T] [--field-init \"mm-dd-yy hh:mm\"]\n"
    "                           [--save-damaged] OUT\n"
    "       rdx600-cli table FILE\n"
    "       rdx600-cli power --volts V [--pf PF] FILE...\n"
    "       rdx600-cli export table FILE\n"
    "       rdx600-cli export per-line FILE\n"
    "       rdx600-cli export csv --volts V [--pf PF] [--dir DIR] FILE...\n"
    "       rdx600-cli export interchange --volts V [--pf PF] [--id ID] [--dir DIR] FILE...\n"
    "       rdx600-cli export tidy FILE... [--out OUT]\n"
    "       rdx600-cli survey [--pdf OUT] STATION NAME RED WHITE BLUE\n"
    "                         [NAME RED WHITE BLUE]...\n"
    "       rdx600-cli initialize --port N [--type T] --interval 15|5|1 --kind average|minmaxavg\n"
    "                             --memory continuous|stop\n"
    "       rdx600-cli recover --port N --type T [--save-damaged] OUT\n"
    "       rdx600-cli --help | --version\n";

// "--help" (or "-h") anywhere asks for the usage; "--version" (or "-v") as
// the only word for the version.
bool asksForHelp(const QStringList &args)
{
    return args.value(0) == QLatin1String("-h") || args.contains(QStringLiteral("--help"));
}
bool asksForVersion(const QStringList &args)
{
    return args.size() == 1 && (args[0] == QLatin1String("--version") || args[0] == QLatin1String("-v"));
}

} // namespace

int usageError(QTextStream &err)
{
    err << kUsage;
    return 2;
}

QString unixLines(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

namespace {

int runSubcommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (asksForHelp(args)) {
        out << kUsage;
        return 0;
    }
    if (asksForVersion(args)) {
        StartupValues startup;
        loadStartupValues(startup, QString());
        out << "rdx600-cli " << startup.versionID << ", " << startup.versionDate << '\n';
        return 0;
    }
    for (const Subcommand &s : kSubcommands) {
        if (args.value(0) == QLatin1String(s.name)) {
            return s.run(args.mid(1), out, err);
        }
    }
    return usageError(err);
}

} // namespace

int runCli(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const int result = runSubcommand(args, out, err);
    out.flush();
    err.flush();
    return result;
}
