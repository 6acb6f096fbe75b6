#include "power/power_table.h"

#include "platform/dialogs.h"
#include "platform/textformat.h"
#include "power/displ_plot_pwr.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "reports/table_text.h"

#include <algorithm>

PowerTableLayout powerTableLayout(const QString &modeLetter)
{
    const QString l = modeLetter.toLower();
    if (l == QLatin1String("b") || l == QLatin1String("e")) {
        return {6, QStringLiteral(" Time     Date               Six readings of average power in KW        "),
                QStringLiteral("     000.0  "), QStringLiteral("      000  ")};
    }
    if (l == QLatin1String("c") || l == QLatin1String("f")) {
        return {10,
                QStringLiteral(" Time     Date               Ten readings of average power in KW        "),
                QStringLiteral("000.0"), QStringLiteral(" 0000")};
    }
    return {8, QStringLiteral(" Time     Date               Eight readings of average power in KW      "),
            QStringLiteral("  000.0"), QStringLiteral(" 0000 ")};
}

PowerSpan powerSpan(const Program &p)
{
    const PowerState &ps = p.power;
    const Recording &r = p.rec;
    const int slot = powerSlot(p);
    PowerSpan s;
    s.first = ps.first;
    s.count = std::clamp<int>(ps.last - ps.first + 1, 0, static_cast<int>(ps.power.size()));
    const auto &info = r.gInfo[slot];
    const auto t = textformat::parseDate(calcDate(info[kColMode].text(), info[kColStart].text(), s.first));
    s.start = t.value_or(QDateTime());
    return s;
}

QString powerTableText(const Program &p, const PowerSpan &span)
{
    const auto &info = p.rec.gInfo[powerSlot(p)];
    const QString letter = info[kColMode].text();
    const PowerTableLayout layout = powerTableLayout(letter);
    // Reverse power keeps its sign beside its digits (see the reading table).
    const textformat::PictureFormat format(info[kColRange].text() == QLatin1String("HIGH") ? layout.highFormat
                                                                                           : layout.format,
                                           textformat::SignPlace::BesideDigits);
    TableLayout lines;
    lines.valuesPerLine = layout.valuesPerLine;
    lines.advanceMinutes = layout.valuesPerLine * p.modes.interval(letter).value_or(0);
    lines.blankBeforeLabel = false;
    const std::vector<float> &kw = p.power.power;
    return tableText(
        span.count, [&](QString &out, int i) { format.appendTo(out, kw[static_cast<size_t>(i)]); },
        span.start, lines);
}

void PowerTableProc(Program &p)
{
    p.dialogs().setBusy(true);
    const PowerTableLayout layout = powerTableLayout(p.rec.gInfo[powerSlot(p)][kColMode].text());
    p.report.gTable = powerTableText(p, powerSpan(p));
    p.view.Header1.text = layout.heading + QStringLiteral("  ");
    p.view.RichTextBox1.text = p.report.gTable;
    p.view.Header1.visible = true;
    p.view.RichTextBox1.visible = true;
    p.dialogs().setBusy(false);
    p.rec.gOutputMode = OutputMode::PowerTable;
    p.menu.setEnabled(
        {menu::kItemPrintTable, menu::kItemExportType, menu::kItemexpdatacsv, menu::kItemexprep}, true);
    p.menu.setEnabled(menu::kItemexpdata1perLine, false);
}

void PowerTableCommand(Program &p)
{
    HideTextViews(p);
    HideChart(p);
    PowerTableProc(p);
    p.dialogs().setBusy(false);
    p.menu.setEnabled(menu::kItemPrintPwrTable, true);
    p.menu.setEnabled(menu::kItemPrintTable, false);
    p.menu.setEnabled({menu::kItemexprep, menu::kItemexpdatacsv}, true);
    p.menu.setEnabled(menu::kItemexpdata1perLine, false);
}
