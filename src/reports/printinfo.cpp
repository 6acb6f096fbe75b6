#include "reports/printinfo.h"

#include "platform/dialogs.h"
#include "platform/printer_device.h"
#include "platform/textformat.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "recording/select_file.h"

#include <algorithm>

using textformat::fixedLeft;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Qt hands out paths with "/" on every system; "\\" is the Windows form.
QString fileName(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString stampText(const QString &text)
{
    const auto t = textformat::parseDate(text);
    return t ? textformat::dateText(*t, textformat::DateText::Stamp) : text;
}

} // namespace

SummaryPanels summaryPanels(const Recording &r, const ModeTable &modes, const ChartState &chart, int slot)
{
    const auto &info = r.gInfo[slot];
    const QString mode = info[kColMode].text();
    const QString units = fixedLeft(QLatin1Char(' ') + info[kColUnits].text(), 59);
    const QString kind = isMinMaxAvg(mode) ? fixedLeft(QStringLiteral("Min/Max/Avg "), 15)
                                           : fixedLeft(QStringLiteral("Average"), 15);

    SummaryPanels s;
    QString &l1 = s.label1;
    l1 += QStringLiteral("    File:     ") + fixedLeft(fileName(info[kColPath].text()), 24) +
          QStringLiteral("             ") + textformat::numberText(info[kColLast].number() + 1) +
          fixedLeft(QStringLiteral("  Values"), 29) + QStringLiteral("Ser. ") + info[kColSerial].text() +
          kCrLf;
    l1 += QStringLiteral("     Mode:  ") + fixedLeft(QStringLiteral("  ") + mode, 4) + kind +
          fixedLeft(modes.memory(mode).value_or(QString()), 13) +
          QString::number(modes.interval(mode).value_or(0)) +
          QStringLiteral(" min interval                  ") + info[kColRange].text() +
          QStringLiteral("  Range") + kCrLf;
    if (r.gSelectFlag) {
        const QString base = info[kColStart].text();
        l1 += kCrLf + QStringLiteral("           Selected:       Start  ") +
              calcDate(mode, base, r.gDatastart) + QStringLiteral("                   Finish  ") +
              calcDate(mode, base, r.gdataend) + kCrLf;
        l1 += QStringLiteral("                                   Min      ") +
              textformat::picture(chart.gSelMin / 10.0, QStringLiteral("###0.0")) +
              QStringLiteral("                                 max       ") +
              textformat::picture(chart.gSelMax / 10.0, QStringLiteral("###0.0")) +
              QStringLiteral("           ") + kCrLf;
    } else {
        l1 += QStringLiteral("    Entire File:  Start:  ") + fixedLeft(info[kColStart].text(), 50) +
              QStringLiteral("End:  ") + stampText(info[kColEnd].text()) + kCrLf;
        l1 += QStringLiteral("                       Min: ") + info[kColMin].text() + units +
              QStringLiteral(" Max: ") + info[kColMax].text() + units;
    }

    s.label2 = siteBlockText(r, slot);
    return s;
}

QString siteBlockText(const Recording &r, int slot)
{
    const auto &site = r.gSite[slot];
    return QStringLiteral("Loc:    ") + site[0] + kCrLf + QStringLiteral("Name: ") + site[2] + kCrLf +
           QStringLiteral("Circ:    ") + site[1] + kCrLf + QStringLiteral("Other: ") + site[3] + kCrLf;
}

void beginReportPrint(PrinterDevice &printer)
{
    printer.setFont(QStringLiteral("Times New Roman"), 10);
    printer.setScaleLeft(-1500);
    printer.printLine(QString());
}

void printSummaryPanels(PrinterDevice &printer, const QString &label1, const QString &label2)
{
    beginReportPrint(printer);
    printer.printLine(label1);
    printer.printLine(label2);
}

void Printinfo(Program &p)
{
    Recording &r = p.rec;
    const bool onePage = p.chart.gOnePageFlag;
    const int slot = onePage ? 0 : r.ginx;
    if (slot < 0 || slot >= kSlots) {
        return;
    }
    const SummaryPanels s = summaryPanels(r, p.modes, p.chart, slot);
    p.view.Label1.text = s.label1;
    p.view.Label2.text = s.label2;
    if (!onePage) {
        p.view.Label1.visible = true;
        p.view.Label2.visible = true;
    }
    if (r.gOutputMode != OutputMode::Print || p.io.printer == nullptr) {
        return;
    }
    // A cancelled printer dialog ends the print without a message.
    if (!onePage && !p.dialogs().printerDialog()) {
        return;
    }
    printSummaryPanels(*p.io.printer, s.label1, s.label2);
    if (!onePage) {
        p.io.printer->endDoc();
    }
}

void SummaryViewCommand(Program &p)
{
    HideTextViews(p);
    HideChart(p);
    if (!SelectRecording(p, QStringLiteral("Error - No file available. Need to open a file."))) {
        return;
    }
    p.rec.gOutputMode = OutputMode::Summary;
    Printinfo(p);
}

void PrintSummaryCommand(Program &p)
{
    if (!SelectRecording(p, QStringLiteral("Error - No file available.  Need to open a file."))) {
        return;
    }
    p.rec.gOutputMode = OutputMode::Print;
    Printinfo(p);
}
