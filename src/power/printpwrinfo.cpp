#include "power/printpwrinfo.h"

#include "chart/displ_plot.h"
#include "platform/dialogs.h"
#include "platform/printer_device.h"
#include "platform/textformat.h"
#include "power/displ_plot_pwr.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "reports/printinfo.h"

using textformat::fixedLeft;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString kilowattText(int32_t tenths, const Program &p)
{
    const double kw = tenths / 10.0 * p.power.gPowerFactor * storedKilovolts(p);
    return textformat::picture(kw, QStringLiteral("###0.0"));
}

QString stampText(const QString &text)
{
    const auto t = textformat::parseDate(text);
    return t ? textformat::dateText(*t, textformat::DateText::Stamp) : text;
}

} // namespace

QString powerSummaryText(const Program &p)
{
    const Recording &r = p.rec;
    const PowerState &ps = p.power;
    const int slot = powerSlot(p);
    const auto &info = r.gInfo[slot];
    const QString letter = info[kColMode].text();

    QString files;
    for (int k = 0; k < kSlots; ++k) {
        if (!r.slotInUse(k)) {
            files += QStringLiteral("  ");
            continue;
        }
        files += QStringLiteral("    File:     ") + plot::fileName(r.gInfo[k][kColPath].text()) +
                 QStringLiteral("             ") + textformat::withLeadingBlank(info[kColLast].number()) +
                 fixedLeft(QStringLiteral("  Values"), 29) + QStringLiteral("Ser. ") +
                 r.gInfo[k][kColSerial].text() + kCrLf;
    }
    const QString mode = QStringLiteral("Mode:  ") + fixedLeft(QStringLiteral("  ") + letter, 4) +
                         fixedLeft(QStringLiteral("Average"), 15) +
                         fixedLeft(p.modes.memory(letter).value_or(QString()), 13) +
                         QString::number(p.modes.interval(letter).value_or(0)) +
                         QStringLiteral(" min interval                  ") + info[kColRange].text() +
                         QStringLiteral("  Range") + kCrLf;
    const QString kwMin = kilowattText(ps.minTenths, p);
    const QString kwMax = kilowattText(ps.maxTenths, p);
    QString times;
    QString powerLine;
    if (r.gSelectFlag) {
        const QString base = info[kColStart].text();
        times = QStringLiteral("Selected:       Start  ") + calcDate(letter, base, ps.first) +
                QStringLiteral("                Finish  ") + calcDate(letter, base, ps.last) + kCrLf;
        powerLine = QStringLiteral(" Min ") + kwMin +
                    QStringLiteral("                                      max  ") + kwMax + kCrLf;
    } else {
        times = QStringLiteral("All Files:  Start:  ") + info[kColStart].text() +
                QStringLiteral("                End:  ") + stampText(info[kColEnd].text()) + kCrLf;
        powerLine = QStringLiteral("         Min: ") + kwMin + QStringLiteral(" KW") +
                    QStringLiteral("                                      Max: ") + kwMax +
                    QStringLiteral(" KW    ") + kCrLf;
    }
    QString supply;
    if (!ps.energyText.isEmpty()) {
        supply = QStringLiteral("Line Voltage: ") + storedLineVoltage(p) +
                 QStringLiteral("   Total Energy In Displayed Area: ") + ps.energyText +
                 QStringLiteral("  Power Factor: ") + textformat::numberText(ps.gPowerFactor) +
                 QStringLiteral("   ");
    }
    return files + mode + times + powerLine + supply;
}

void Printpwrinfo(Program &p)
{
    p.view.Label1.text = powerSummaryText(p);
    p.view.Label2.text = siteBlockText(p.rec, 0);
    p.view.Label1.visible = true;
    p.view.Label2.visible = true;
    if (p.rec.gOutputMode != OutputMode::Print || p.io.printer == nullptr) {
        return;
    }
    if (!p.dialogs().printerDialog()) {
        return; // a cancelled printer dialog ends the print without a message
    }
    PrinterDevice &printer = *p.io.printer;
    beginReportPrint(printer);
    printer.printLine(p.view.Label1.text);
    printer.endDoc();
}

void PowerSummaryViewCommand(Program &p)
{
    HideTextViews(p);
    HideChart(p);
    p.rec.ginx = 0;
    // A view, not a print (a print before it leaves output mode 4 behind).
    p.rec.gOutputMode = OutputMode::Summary;
    Printpwrinfo(p);
}

void PrintPowerSummaryCommand(Program &p)
{
    p.rec.gOutputMode = OutputMode::Print;
    Printpwrinfo(p);
}
