// rdx600-cli: the exports (export table|per-line|csv|interchange).
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_power.h"
#include "export/expdatacsv.h"
#include "export/interchange.h"
#include "recording/fileopen.h"
#include "reports/reading_table.h"

namespace {

// The ".prn" exports of a reading table: the table as shown, or one reading a line.
int exportReadingTable(const QStringList &args, bool onePerLine, QTextStream &err)
{
    if (args.size() != 1) {
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    if (!openRecordingFile(p, args[0])) {
        return 1;
    }
    p.rec.ginx = 0;
    ReadingTableProc(p);
    p.report.gExportOnePerLine = onePerLine;
    return DataTableExport(p) ? 0 : 1;
}

// The exports of the power table: "Lotusint.csv" or "Lotusint.prn".
int exportPower(const QStringList &args, bool interchange, QTextStream &err)
{
    const auto options = parsePowerOptions(args, true);
    if (!options) {
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    if (computePower(cli, *options, err) != 0) {
        return 1;
    }
    if (!interchange) {
        return PowerTableExport(p) ? 0 : 1;
    }
    cli.dialogs.inputAnswer = options->id;
    return InterchangeExport(p) ? 0 : 1;
}

} // namespace

int cliExport(const QStringList &args, QTextStream & /*out*/, QTextStream &err)
{
    const QString kind = args.value(0);
    const QStringList rest = args.mid(1);
    if (kind == QLatin1String("table")) {
        return exportReadingTable(rest, false, err);
    }
    if (kind == QLatin1String("per-line")) {
        return exportReadingTable(rest, true, err);
    }
    if (kind == QLatin1String("csv")) {
        return exportPower(rest, false, err);
    }
    if (kind == QLatin1String("interchange")) {
        return exportPower(rest, true, err);
    }
    return usageError(err);
}
