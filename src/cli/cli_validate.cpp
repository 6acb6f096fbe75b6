// rdx600-cli validate: the checks a download ends with, on a recording's text.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_program.h"
#include "link/download_check.h"
#include "platform/file_read.h"

namespace {

// The recording text of a file: between the quotes of the recording file's
// framing, or the whole file when it is not framed (a raw capture).
QString recordingText(const QByteArray &bytes)
{
    if (!bytes.startsWith('"')) {
        return QString::fromLatin1(bytes);
    }
    const qsizetype close = bytes.indexOf('"', 1);
    return QString::fromLatin1(bytes.mid(1, close < 0 ? -1 : close - 1));
}

} // namespace

int cliValidate(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1) {
        return usageError(err);
    }
    const auto bytes = readRegularFile(args[0]);
    if (!bytes) {
        err << "rdx600-cli: cannot read " << args[0] << '\n';
        return 1;
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    p.rec.gText = recordingText(*bytes);
    // The default runspec.txt flags: no insertions, '999' readings counted.
    InsertErrors(p);
    const QString result = CountDownloadErrors(p);
    out << result.split(QLatin1Char(' '), Qt::SkipEmptyParts).join(QLatin1Char(' ')) << '\n';
    const DownloadReports reports = downloadReports(result, p.link.download.runSpec);
    for (const QString &report : {reports.count999, reports.errors}) {
        if (!report.isEmpty()) {
            out << unixLines(report) << '\n';
        }
    }
    return result.isEmpty() ? 0 : 1;
}
