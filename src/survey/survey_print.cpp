#include "survey/survey_print.h"

#include "platform/printer_device.h"
#include "platform/textformat.h"

namespace {

constexpr int kTabStop = 720; // twips: half an inch

} // namespace

void printTabbedText(PrinterDevice &printer, const QString &text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        const QStringList pieces = line.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0) {
                printer.setCurrentX((printer.currentX() / kTabStop + 1) * kTabStop);
            }
            if (!pieces[i].isEmpty()) {
                printer.print(pieces[i]);
            }
        }
        printer.printLine(QString());
    }
}

bool printSurveyReport(PrinterDevice &printer, const SurveyState &s, const QDate &today, bool withStation)
{
    printer.setFont(QStringLiteral("Times New Roman"), 10);
    printer.setBold(false);
    printer.setScaleLeft(0);
    printer.setCurrentX(3500);
    printer.setCurrentY(144);
    printer.printLine(
        textformat::fixedLeft(QStringLiteral("LOAD SURVEY REPORT"), 69) +
        textformat::dateText(QDateTime(today, QTime(0, 0)), textformat::DateText::MonthDayYear4));
    printer.setCurrentX(144);
    printer.setCurrentY(450);
    printer.printLine(QStringLiteral(" STATION NAME: ") + s.stationName);
    printer.setCurrentY(printer.currentY() + 200);
    printer.setBold(true);
    printer.printLine(QStringLiteral(" Feeder Amperes During Feeder Peak (Non-Coincidental Peak) "));
    printer.setBold(false);

    bool first = true;
    for (int f = 0; f < kFeeders; ++f) {
        if (!s.processed[f]) {
            continue;
        }
        printer.setCurrentY(printer.currentY() + (first ? 100 : 300));
        first = false;
        printer.setCurrentX(144);
        printer.setCurrentY(printer.currentY() + 100);
        printer.printLine(QStringLiteral("  F") + QString::number(f + 1) + QStringLiteral(": ") +
                          s.feederNames[f]);
        printTabbedText(printer, s.feederTexts[f]);
    }

    if (withStation) {
        printer.setCurrentY(printer.currentY() + 800);
        printer.printLine(QStringLiteral("                    ***************                         "));
        printer.setBold(true);
        printer.printLine(QStringLiteral("Feeder Phase Amps During Station Peak (Coincidental Peak)"));
        printer.setBold(false);
        printer.setCurrentY(printer.currentY() + 200);
        printTabbedText(printer, s.stationText);
    }
    return printer.endDoc();
}
