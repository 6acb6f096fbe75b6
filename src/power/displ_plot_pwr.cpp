#include "power/displ_plot_pwr.h"

#include "chart/chart_commands.h"
#include "chart/displ_plot.h"
#include "platform/chart_device.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "platform/textformat.h"
#include "power/power_calc.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kVline = QStringLiteral("Vline");

// The title stands in a box of its own above the plot area, after the site,
// selection and caption boxes of the recording plot.
constexpr plot::BoxPlace kTitleBox{50, 0, 900, 18};

void drawPowerChart(Program &p, ChartDevice &chart, const power::Result &res, int openCount, double kilovolts)
{
    Recording &r = p.rec;
    ChartState &cs = p.chart;
    const auto points = static_cast<int>(res.kw.size());
    chart.setValueAxisTitle(QStringLiteral("KW"));
    chart.openData(1, points);
    for (int j = 0; j < points; ++j) {
        chart.setValue(0, j, res.kw[static_cast<size_t>(j)]);
    }
    chart.setSeriesLegend(0, QStringLiteral("KW"));
    double axisMin = res.axisMin;
    double axisMax = res.axisMax;
    if (cs.gYScaleMin != 0) {
        axisMin = cs.gYScaleMin;
        // A user's minimum at or above the largest power keeps an axis with a range.
        if (axisMax <= axisMin) {
            axisMax = axisMin + std::max(1.0, std::abs(axisMin) * 0.1);
        }
    }
    chart.setValueAxisMax(axisMax);
    chart.setValueAxisMin(axisMin);

    // Time axis, from the time stamp of the span's first value.
    const int timeSlot = powerSlot(p);
    const QString letter = r.gInfo[timeSlot][kColMode].text();
    const int interval = p.modes.interval(letter).value_or(0);
    r.gDateX = r.gDatastart;
    r.gModeLetter = letter;
    r.gText = calcDate(letter, r.gInfo[timeSlot][kColStart].text(), r.gDateX);
    chart.setTimeLabelFont({QStringLiteral("arial"), 8, false, ChartColor{0, 0, 0}});
    const int step = plot::labelStep(points - 1);
    chart.setTimeLabelStep(step);
    const auto start = textformat::parseDate(r.gText);
    const QStringList labels = start ? plot::timeLabels(*start, step, interval) : QStringList();
    for (int j = 0; j <= 8; ++j) {
        chart.setTimeLabel(j, j < labels.size() ? labels[j] : QString());
    }

    // Boxes: site (one-page mode), selection, caption (none for power), title.
    QString site;
    if (cs.gOnePageFlag) {
        site = plot::siteText(plot::slotZeroSiteInfo(p, false, openCount));
    }
    const QString selection =
        cs.gMarkFlag ? plot::selectionText(cs.gSelStartText, cs.gSelEndText) : QString();
    plot::BoxPlace selectionPlace = plot::kSelectionBox;
    if (cs.gOnePageFlag) {
        selectionPlace.top = plot::kSelectionBoxOnePageTop;
    }
    chart.removeAllBoxes();
    chart.addBox(plot::makeBox(plot::kSiteBoxScreen, site, false, plot::kBoxGrey, 9));
    chart.addBox(plot::makeBox(selectionPlace, selection, true, ChartColor{255, 255, 255}, 9));
    chart.addBox(plot::makeBox(plot::kCaptionBoxScreen, QString(), true, plot::kBoxGrey, 10));
    ChartBox title = plot::makeBox(kTitleBox, power::titleText(r, kilovolts, p.power.gPowerFactor), false,
                                   ChartColor{255, 255, 255}, 10);
    title.transparent = true;
    chart.addBox(title);

    chart.closeData();
    chart.removeBands();
    if (cs.gMarkFlag) {
        chart.addBand(cs.gSelStart, cs.gSelEnd, plot::kBandColor);
    }
    const plot::Margins m = plot::margins(cs.gOnePageFlag, false);
    chart.setMargins(m.first, m.second);
    if (cs.gPrintLayout) {
        plot::moveBoxesForPrinting(chart);
    }
}

} // namespace

QString storedLineVoltage(const Program &p)
{
    return p.settings().get(kSettings, kVline);
}

double storedKilovolts(const Program &p)
{
    return textformat::leadingNumber(storedLineVoltage(p)) / 1000.0;
}

int powerSlot(const Program &p)
{
    for (int slot = 0; slot < kSlots; ++slot) {
        if (p.rec.slotInUse(slot)) {
            return slot;
        }
    }
    return 0;
}

void DisplPlotPwr(Program &p)
{
    Recording &r = p.rec;
    ChartState &cs = p.chart;
    PowerState &ps = p.power;

    const power::Check check = power::checkRecordings(r);
    if (check.minMaxAvg) {
        p.menu.setEnabled(menu::kPwrview, false);
    }
    if (check.refusal != power::Refusal::None) {
        p.dialogs().message(power::refusalMessage(check.refusal));
        return;
    }
    const int n = power::openRecordings(r);
    if (n == 0) {
        return; // nothing open: nothing to compute
    }
    if (ps.gPowerFactor == 0.0F) {
        ps.gPowerFactor = 1.0F;
    }

    // The span, with a pending zoom into chart points gSelStart..gSelEnd.
    const plot::Range range =
        plot::averageRange(r.gDatastart, r.gdataend, cs.gZoomPending, cs.gSelStart, cs.gSelEnd);
    r.gDatastart = std::clamp<int32_t>(range.start, 0, kLastValueIndex);
    r.gdataend = std::clamp<int32_t>(range.end, 0, kLastValueIndex);
    if (cs.gZoomPending) {
        r.gSelectFlag = true;
    }
    cs.gPointCount = std::max<int32_t>(r.gdataend - r.gDatastart, 0);

    const double kv = storedKilovolts(p);
    const int interval = p.modes.interval(r.gInfo[powerSlot(p)][kColMode].text()).value_or(0);
    const power::Result res = power::compute(r, n, r.gDatastart, r.gdataend, kv, ps.gPowerFactor, interval);

    // The power array: cleared, then the span's values from index 0.
    ps.power.assign(kMaxValues, 0.0F);
    std::copy(res.kw.begin(), res.kw.end(), ps.power.begin());
    ps.first = r.gDatastart;
    ps.last = r.gDatastart + static_cast<int32_t>(res.kw.size()) - 1;
    ps.energyText = power::energyText(res.kwh);
    ps.minTenths = static_cast<int32_t>(textformat::roundHalfEven(res.minTenths));
    ps.maxTenths = static_cast<int32_t>(textformat::roundHalfEven(res.maxTenths));
    cs.gSelMin = ps.minTenths;
    cs.gSelMax = ps.maxTenths;

    if (p.io.chart1 != nullptr) {
        drawPowerChart(p, *p.io.chart1, res, n, kv);
    }
    cs.gPowerShown = true;
    if (cs.gPrintLayout) {
        p.menu.setEnabled(menu::kItemOnepgPlot, false);
        p.menu.setChecked(menu::kItemOnepgPlot, false);
        return;
    }
    p.menu.setEnabled(
        {menu::kItemViewPwrTable, menu::kItemViewpwrsummry, menu::kItemPrintpwrSum, menu::kItemOnepgPlot},
        true);
    p.menu.setChecked(menu::kItemOnepgPlot, cs.gOnePageFlag);
    ShowChart(p);
    cs.gMarkFlag = false;
    cs.gZoomPending = false;
    // The chart is shown, not a table: the exports wait for a table again.
    r.gOutputMode = OutputMode::Nothing;
}

void startWholePowerSpan(Program &p)
{
    Recording &r = p.rec;
    ChartState &cs = p.chart;
    r.gDatastart = 0;
    r.gdataend = r.gInfo[powerSlot(p)][kColLast].toInt();
    r.gSelectFlag = false;
    r.gZoomFlag = false;
    cs.gMarkFlag = false;
    cs.gYScaleMin = 0;
    cs.gOnePageFlag = false;
}

void PowerPlotCommand(Program &p)
{
    ChartState &cs = p.chart;
    if (p.io.chart1 != nullptr) {
        p.io.chart1->addTypeFlag(chartcmd::kTypeFlag);
    }
    startWholePowerSpan(p);
    HideTextViews(p);
    HideChart(p);
    cs.gPowerView = true;

    QString stored = storedLineVoltage(p);
    if (stored.isEmpty()) {
        stored = QStringLiteral("0");
        p.settings().save(kSettings, kVline, stored);
    }
    const QString answer =
        p.dialogs().inputBox(QStringLiteral("Enter line voltage for power calculation") + QLatin1Char('\r') +
                                 QStringLiteral("input must be volts, not 'KV'"),
                             QString(), stored);
    if (answer.isEmpty()) {
        return;
    }
    if (answer != stored) {
        p.settings().save(kSettings, kVline, answer);
    }
    DisplPlotPwr(p);
    p.menu.setEnabled({menu::kItemPrintTable, menu::kItemExportType, menu::kZoom}, false);
}
