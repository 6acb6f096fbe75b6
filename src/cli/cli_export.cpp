// rdx600-cli: the exports (export table|per-line|csv|interchange).
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_power.h"
#include "export/expdatacsv.h"
#include "export/export_file.h"
#include "export/interchange.h"
#include "export/tidy_csv.h"
#include "power/displ_plot_pwr.h"
#include "recording/fileopen.h"
#include "reports/reading_table.h"

#include <QFile>
#include <cstdio>

namespace {

// The ".prn" exports of a reading table: the table as shown, or one reading a line.
int exportReadingTable(const QStringList &args, bool onePerLine, QTextStream &err)
{
    if (args.size() != 1) {
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    if (!openNamedRecording(p, args[0], err)) {
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
    cli.dialogs.inputAnswer = options->id;
    if (interchange ? InterchangeExport(p) : PowerTableExport(p)) {
        return 0;
    }
    // The span, its times and its mode are those of the first recording.
    const auto &first = p.rec.gInfo[powerSlot(p)];
    if (!isFifteenMinuteAverage(first[kColMode].text())) {
        err << "rdx600-cli: not a 15-minute average recording: " << first[kColPath].text() << '\n';
    }
    return 1;
}

// The open recordings as one tidy table: into OUT, or to standard output.
int exportTidy(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QStringList files;
    QString target;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--out") && i + 1 < args.size()) {
            target = args[++i];
        } else if (args[i].startsWith(QLatin1String("--"))) {
            return usageError(err);
        } else {
            files << args[i];
        }
    }
    if (files.isEmpty()) {
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    if (openRecordingFiles(p, files, err) > 0 || !p.rec.slotInUse(0)) {
        return 1;
    }
    const std::optional<QByteArray> table = tidyCsv(p);
    if (!table) {
        err << "rdx600-cli: the times of the recordings cannot be computed\n";
        return 1;
    }
    if (target.isEmpty()) {
        out.flush();
        QFile stdOut;
        if (!stdOut.open(stdout, QIODevice::WriteOnly) || stdOut.write(*table) != table->size()) {
            return 1;
        }
        stdOut.flush();
        return 0;
    }
    return writeExportBytes(p, target, *table) ? 0 : 1;
}

} // namespace

int cliExport(const QStringList &args, QTextStream &out, QTextStream &err)
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
    if (kind == QLatin1String("tidy")) {
        return exportTidy(rest, out, err);
    }
    return usageError(err);
}
