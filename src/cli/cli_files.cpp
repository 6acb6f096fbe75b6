// rdx600-cli: recording files (summary, time, save-as).
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_program.h"
#include "recording/calc_date.h"
#include "recording/fileopen.h"
#include "recording/save.h"
#include "reports/printinfo.h"

int cliSummary(const QStringList &files, QTextStream &out, QTextStream &err)
{
    if (files.isEmpty()) {
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    const int refused = openRecordingFiles(p, files, err);
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!p.rec.slotInUse(slot)) {
            continue;
        }
        p.rec.ginx = slot;
        p.rec.gOutputMode = OutputMode::Summary;
        Printinfo(p);
        for (const QString &label : {p.view.Label1.text, p.view.Label2.text}) {
            QString text = unixLines(label);
            if (!text.endsWith(QLatin1Char('\n'))) {
                text += QLatin1Char('\n');
            }
            out << text;
        }
    }
    return refused > 0 ? 1 : cli.status();
}

int cliTime(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto index = args.size() == 2 ? toIndex(args[1]) : std::nullopt;
    if (!index) {
        return usageError(err);
    }
    const QString &file = args[0];
    CliProgram cli(err);
    Program &p = *cli.program;
    if (!openNamedRecording(p, file, err)) {
        return 1;
    }
    p.rec.ginx = 0;
    p.rec.gDateX = *index;
    CalcDate(p);
    if (p.rec.gText.isEmpty()) {
        err << "rdx600-cli: value index " << *index << " has no time stamp in " << file << '\n';
        return 1;
    }
    out << p.rec.gText << '\n';
    return cli.status();
}

int cliSaveAs(const QStringList &args, QTextStream & /*out*/, QTextStream &err)
{
    if (args.size() != 4) {
        return usageError(err);
    }
    const auto first = toIndex(args[1]);
    const auto last = toIndex(args[2]);
    if (!first || !last) {
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    if (!openNamedRecording(p, args[0], err)) {
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
    return cli.status();
}
