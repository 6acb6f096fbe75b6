// rdx600-cli: the reading table and power (table, power).
#include "cli/cli_power.h"

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "platform/settings_store.h"
#include "platform/textformat.h"
#include "power/displ_plot_pwr.h"
#include "power/power_calc.h"
#include "power/power_table.h"
#include "power/printpwrinfo.h"
#include "recording/fileopen.h"
#include "reports/reading_table.h"

#include <QCommandLineParser>

namespace {

// A label's text with LF line ends, ended by a line end.
QString block(const QString &text)
{
    QString t = unixLines(text);
    if (!t.endsWith(QLatin1Char('\n'))) {
        t += QLatin1Char('\n');
    }
    return t;
}

} // namespace

std::optional<PowerOptions> parsePowerOptions(const QStringList &args, bool exportOptions)
{
    QCommandLineParser parser;
    const QCommandLineOption volts(QStringLiteral("volts"), QString(), QStringLiteral("V"));
    const QCommandLineOption pf(QStringLiteral("pf"), QString(), QStringLiteral("PF"));
    const QCommandLineOption dir(QStringLiteral("dir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption id(QStringLiteral("id"), QString(), QStringLiteral("ID"));
    parser.addOption(volts);
    parser.addOption(pf);
    if (exportOptions) {
        parser.addOption(dir);
        parser.addOption(id);
    }
    if (!parser.parse(QStringList{QStringLiteral("rdx600-cli")} + args) || !parser.isSet(volts) ||
        parser.positionalArguments().isEmpty()) {
        return std::nullopt;
    }
    PowerOptions o;
    o.volts = parser.value(volts);
    if (!textformat::parseLeadingNumber(o.volts)) {
        return std::nullopt;
    }
    if (parser.isSet(pf)) {
        bool ok = false;
        o.powerFactor = parser.value(pf).toFloat(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    if (exportOptions) {
        o.dir = parser.value(dir);
        if (parser.isSet(id)) {
            o.id = parser.value(id);
        }
    }
    o.files = parser.positionalArguments();
    return o;
}

int computePower(CliProgram &cli, const PowerOptions &options, QTextStream &err)
{
    Program &p = *cli.program;
    if (openRecordingFiles(p, options.files, err) > 0) {
        return 1;
    }
    p.settings().save(QStringLiteral("Settings"), QStringLiteral("Vline"), options.volts);
    if (!options.dir.isEmpty()) {
        p.settings().save(QStringLiteral("Directory"), QStringLiteral("default"), options.dir);
    }
    p.power.gPowerFactor = options.powerFactor;
    startWholePowerSpan(p);
    p.chart.gPowerShown = false;
    DisplPlotPwr(p);
    if (!p.chart.gPowerShown) {
        // Refused; the message says why, and these lines say which files.
        for (int slot = 0; slot < kSlots; ++slot) {
            const power::Refusal refusal =
                p.rec.slotInUse(slot) ? power::recordingRefusal(p.rec, slot) : power::Refusal::None;
            if (refusal != power::Refusal::None) {
                err << "rdx600-cli: "
                    << (refusal == power::Refusal::Average ? "a min/max/avg recording: "
                                                           : "not a current recording: ")
                    << p.rec.gInfo[slot][kColPath].text() << '\n';
            }
        }
        return 1;
    }
    PowerTableProc(p);
    return 0;
}

int cliTable(const QStringList &args, QTextStream &out, QTextStream &err)
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
    out << block(p.view.Header1.text) << unixLines(p.report.gTable);
    return cli.status();
}

int cliPower(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto options = parsePowerOptions(args, false);
    if (!options) {
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    if (computePower(cli, *options, err) != 0) {
        return 1;
    }
    p.rec.ginx = 0;
    p.rec.gOutputMode = OutputMode::Summary;
    Printpwrinfo(p);
    out << block(p.view.Label1.text) << block(p.view.Label2.text);
    out << block(p.view.Header1.text) << unixLines(p.report.gTable);
    return cli.status();
}
