#include "reports/reading_table.h"

#include "platform/dialogs.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "recording/select_file.h"
#include "reports/open_recording.h"
#include "reports/printinfo.h"
#include "reports/table_text.h"

#include <algorithm>

ReadingTableLayout readingTableLayout(const QString &modeLetter)
{
    const QString l = modeLetter.toLower();
    if (l == QLatin1String("b") || l == QLatin1String("e")) {
        return {6, 1, QStringLiteral(" Time     Date                             Six readings of average"),
                QStringLiteral("     000.0  "), QStringLiteral("       000  ")};
    }
    if (l == QLatin1String("c") || l == QLatin1String("f")) {
        return {10, 1, QStringLiteral(" Time     Date                             Ten readings of average"),
                QStringLiteral("000.0"), QStringLiteral("   000")};
    }
    if (l.size() == 1 && l >= QLatin1String("g") && l <= QLatin1String("l")) {
        return {6, 3,
                QStringLiteral(
                    " Time     Date                 Avg          Max           Min           Avg       "
                    "     Max           Min"),
                QStringLiteral("     000.0 "), QStringLiteral("       000  ")};
    }
    return {8, 1, QStringLiteral(" Time     Date                            Eight readings of average"),
            QStringLiteral("  000.0"), QStringLiteral("    000 ")};
}

ReadingTableSpan readingTableSpan(const Recording &r, int slot)
{
    const auto &info = r.gInfo[slot];
    const QString letter = info[kColMode].text();
    const int32_t lastStored = std::min(info[kColLast].toInt(), kLastValueIndex);
    ReadingTableSpan s;
    if (!r.gSelectFlag) {
        s.first = 0;
        s.last = lastStored;
        const auto t = textformat::parseDate(info[kColStart].text());
        s.start = t.value_or(QDateTime());
        return s;
    }
    s.first = std::max<int32_t>(r.gDatastart, 0);
    if (isMinMaxAvg(letter)) {
        // The last interval's three values are taken whole.
        s.last = std::min(r.gdataend + 2, lastStored);
    } else {
        // The zoomed range; a mark made after the zoom does not shorten it.
        s.last = std::min(r.gdataend, lastStored);
    }
    const auto t = textformat::parseDate(calcDate(letter, info[kColStart].text(), s.first));
    s.start = t.value_or(QDateTime());
    return s;
}

QString readingTableText(const Recording &r, int slot, const ReadingTableSpan &span, int intervalMinutes)
{
    const auto &info = r.gInfo[slot];
    const ReadingTableLayout layout = readingTableLayout(info[kColMode].text());
    // The sign of a negative reading stands beside its digits, so that the
    // table, and its export, read as one number per field.
    const textformat::PictureFormat format(info[kColRange].text() == QLatin1String("HIGH") ? layout.highFormat
                                                                                           : layout.format,
                                           textformat::SignPlace::BesideDigits);
    const auto &values = r.gValues[static_cast<size_t>(slot)];
    const int count = std::max(span.last - span.first + 1, 0);
    TableLayout lines;
    lines.valuesPerLine = layout.valuesPerLine;
    lines.advanceMinutes = layout.valuesPerLine / layout.valuesPerInterval * intervalMinutes;
    lines.blankBeforeLabel = true;
    return tableText(
        count,
        [&](QString &out, int i) {
            format.appendTenths(out, values[static_cast<size_t>(span.first) + static_cast<size_t>(i)]);
        },
        span.start, lines);
}

void ReadingTableProc(Program &p)
{
    Recording &r = p.rec;
    const int slot = r.ginx;
    if (!r.slotInUse(slot)) {
        return;
    }
    p.dialogs().setBusy(true);
    const auto &info = r.gInfo[slot];
    const QString letter = info[kColMode].text();
    const ReadingTableSpan span = readingTableSpan(r, slot);
    if (!r.gSelectFlag) {
        r.gdataend = span.last;
    }
    const ReadingTableLayout layout = readingTableLayout(letter);
    p.report.gTable = readingTableText(r, slot, span, p.modes.interval(letter).value_or(0));

    p.view.Header1.text = layout.heading + QStringLiteral("  ");
    p.view.RichTextBox1.text = p.report.gTable;
    p.view.Header1.visible = true;
    p.view.RichTextBox1.visible = true;
    p.dialogs().setBusy(false);
    r.gOutputMode = OutputMode::ReadingTable;
    p.menu.setEnabled({menu::kItemPrintTable, menu::kItemExportType}, true);
    p.menu.setEnabled(menu::kItemexprep, false);
    Printinfo(p);
}

void TableViewCommand(Program &p)
{
    HideTextViews(p);
    HideChart(p);
    // With no recording open there is nothing to choose from: offer one.
    if (!p.rec.slotInUse(0)) {
        OpenCommand(p);
        if (!p.rec.slotInUse(0)) {
            return;
        }
        HideTextViews(p);
    }
    if (!SelectRecording(p, QStringLiteral("Error - No file available. Need to open a file"))) {
        return;
    }
    p.rec.gOutputMode = OutputMode::ReadingTable;
    p.menu.setEnabled(menu::kItemPrintTable, true);
    p.menu.setEnabled(menu::kItemPrintPwrTable, false);
    p.menu.setEnabled({menu::kItemexpdatacsv, menu::kItemexpdata1perLine}, true);
    p.dialogs().setBusy(false);
    ReadingTableProc(p);
}
