// rdx600-cli: the load survey (survey).
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_program.h"
#include "platform/clock.h"
#include "platform/ui/print/pdf_printer.h"
#include "survey/load_survey.h"
#include "survey/survey_print.h"

#include <QCommandLineParser>
#include <algorithm>

namespace {

const char *const kPhaseNames[kPhases] = {"red", "white", "blue"};

QString endWithLine(const QString &text)
{
    QString t = unixLines(text);
    if (!t.endsWith(QLatin1Char('\n'))) {
        t += QLatin1Char('\n');
    }
    return t;
}

// The texts of the result window as it stands, top to bottom.
QString resultWindowText(const SurveyshowState &s)
{
    return endWithLine(QStringLiteral("NORTHGRID STATION FEEDER REPORT")) + endWithLine(s.Label3) +
           endWithLine(s.Label1) + endWithLine(s.feederID) + endWithLine(s.RichTextBox1);
}

QString stationWindowText(const StationState &s)
{
    return endWithLine(s.Label1) + endWithLine(s.RichTextBox1);
}

} // namespace

bool cliPrintsPdf(const QStringList &args)
{
    return args.value(0) == QLatin1String("survey") &&
           std::any_of(args.begin() + 1, args.end(), [](const QString &a) {
               return a == QLatin1String("--pdf") || a.startsWith(QLatin1String("--pdf="));
           });
}

int cliSurvey(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption pdfOption(QStringLiteral("pdf"), QString(), QStringLiteral("OUT"));
    parser.addOption(pdfOption);
    if (!parser.parse(QStringList{QStringLiteral("survey")} + args)) {
        err << "rdx600-cli: " << parser.errorText() << '\n';
        return usageError(err);
    }
    const QStringList words = parser.positionalArguments();
    const qsizetype feeders = (words.size() - 1) / 4;
    if (words.size() < 5 || (words.size() - 1) % 4 != 0 || feeders > kFeeders ||
        (parser.isSet(pdfOption) && parser.value(pdfOption).isEmpty())) {
        return usageError(err);
    }

    CliProgram cli(err);
    Program &p = *cli.program;
    startSurvey(p, words[0]);
    QString text;
    for (int f = 0; f < feeders; ++f) {
        SurveySelectFeeder(p, f);
        SurveySetFeederName(p, words[1 + 4 * f]);
        SurveyProceed(p);
        for (int phase = 0; phase < kPhases; ++phase) {
            const QString &file = words[2 + 4 * f + phase];
            const int before = p.survey.phaseCount;
            SurveyPhaseFile(p, phase, file);
            if (p.survey.phaseCount == before) {
                err << "rdx600-cli: F" << (f + 1) << ' ' << kPhaseNames[phase] << " phase not read: " << file
                    << '\n';
                return 1;
            }
        }
        SurveyShowResult(p);
        text += resultWindowText(p.survey.surveyshow);
        SurveyNextFeeder(p);
    }
    SurveyShowStationPeak(p);
    text += stationWindowText(p.survey.station);
    SurveyCloseStation(p);

    if (parser.isSet(pdfOption)) {
        const QString path = parser.value(pdfOption);
        const std::unique_ptr<PrinterDevice> printer = makePdfPrinter(path);
        if (!printer || !printSurveyReport(*printer, p.survey, p.clock().now().date(), true)) {
            err << "rdx600-cli: cannot print into " << path << '\n';
            return 1;
        }
    }
    out << text;
    return cli.status();
}
