#include "chart/displ_plot.h"

#include "platform/clock.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "recording/recording.h"

#include <algorithm>
#include <cmath>

namespace plot {

Range averageRange(int32_t start, int32_t end, bool zoom, int32_t selStart, int32_t selEnd)
{
    if (!zoom) {
        return {start, end, end - start};
    }
    return {start + selStart, start + selEnd, selEnd - selStart};
}

Range minMaxAvgRange(int32_t start, int32_t end, bool zoom, int32_t selStart, int32_t selEnd)
{
    if (!zoom) {
        const auto count = static_cast<int32_t>(textformat::roundHalfEven((end - start) / 3.0));
        return {start, end, count};
    }
    const int32_t count = selEnd - selStart;
    const int32_t newStart = start + 3 * selStart;
    return {newStart, std::min<int32_t>(newStart + 3 * count, kLastValueIndex), count};
}

AxisLimits valueAxisLimits(int32_t maxTenths, int32_t minTenths)
{
    AxisLimits a;
    a.max = 1.1 * maxTenths / 10.0;
    // 0.9 x m lies below a positive minimum; for a negative one it would lie
    // above it and cut the lowest readings off, so 1.1 x m is taken there.
    const double below = minTenths < 0 ? 1.1 : 0.9;
    a.min = static_cast<double>(textformat::floorInt(below * minTenths / 10.0));
    if (a.max < 10) {
        a.max = 10;
    }
    return a;
}

int labelStep(int32_t count)
{
    const auto step = static_cast<int>(textformat::roundHalfEven(count / 8.0));
    return std::max(step, 1);
}

QStringList timeLabels(const QDateTime &start, int step, int intervalMinutes)
{
    QStringList out;
    QDateTime t = start;
    for (int j = 0; j <= 8; ++j) {
        out << textformat::dateText(t, textformat::DateText::MonthDayTime);
        t = t.addSecs(static_cast<qint64>(step) * intervalMinutes * 60);
    }
    return out;
}

QString unitsTitle(const QString &unitsLetter)
{
    if (unitsLetter == QLatin1String("V")) {
        return QStringLiteral("VOLTS");
    }
    if (unitsLetter == QLatin1String("A")) {
        return QStringLiteral("AMPS");
    }
    return {};
}

QString fileName(const QString &path)
{
    // Recordings name their folders with "\"; paths on Linux use "/".
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

QString captionText(int openCount, const QString &path, int displaySel)
{
    if (openCount == 1) {
        return QStringLiteral("File: ") + path;
    }
    switch (displaySel) {
    case 2:
        return QStringLiteral("Data Displayed: MAXIMUM");
    case 3:
        return QStringLiteral("Data Displayed: MINIMUM");
    default:
        return QStringLiteral("Data Displayed: AVERAGE");
    }
}

QString selectionText(const QString &startText, const QString &endText)
{
    return QStringLiteral("Selected:   ") + startText + QStringLiteral("   to   ") + endText;
}

QString siteText(const SiteInfo &info)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString kind = info.minMaxAvg ? QStringLiteral("Min/Max/Avg ") : QStringLiteral("Average");
    const QString fileData = info.severalFiles
                                 ? QStringLiteral("         File Data:  N/A              ")
                                 : QStringLiteral("        File Data:   Max  ") + info.maxText + info.units +
                                       QStringLiteral("  Min  ") + info.minText + info.units;
    const QDateTime today(info.today, QTime(0, 0), Qt::UTC);
    return QStringLiteral("Date printed   ") +
           textformat::dateText(today, textformat::DateText::MonthDashDate) + crlf +
           QStringLiteral("Mode:  ") + kind + QStringLiteral(";     ") + info.memory +
           QStringLiteral(";    ") + QString::number(info.intervalMinutes) +
           QStringLiteral(" min interval      ") + fileData + crlf + QStringLiteral("Location: ") +
           info.location + crlf + QStringLiteral("Circuit:     ") + info.circuit + crlf +
           QStringLiteral("Name:     ") + info.name + crlf + QStringLiteral("Other:      ") + info.other +
           crlf;
}

Margins margins(bool onePage, bool minMaxAvg)
{
    Margins m{20, 110};
    if (onePage) {
        m.first = 120;
        if (minMaxAvg) {
            m.second = 100;
        }
    }
    return m;
}

namespace {
void place(ChartBox &box, const BoxPlace &at)
{
    box.left = at.left;
    box.top = at.top;
    box.width = at.width;
    box.height = at.height;
}
} // namespace

void moveBoxesForPrinting(ChartDevice &chart)
{
    if (chart.boxCount() > kSiteBox) {
        ChartBox b = chart.box(kSiteBox);
        place(b, kSiteBoxPrint);
        chart.setBox(kSiteBox, b);
    }
    if (chart.boxCount() > kCaptionBox) {
        ChartBox b = chart.box(kCaptionBox);
        place(b, kCaptionBoxPrint);
        chart.setBox(kCaptionBox, b);
    }
}

// An empty box is drawn as nothing at all: no frame, no background.
ChartBox makeBox(const BoxPlace &at, const QString &text, bool framed, ChartColor background, double fontSize)
{
    ChartBox b;
    b.left = at.left;
    b.top = at.top;
    b.width = at.width;
    b.height = at.height;
    b.text = text;
    b.fontSize = fontSize;
    b.background = background;
    b.framed = framed && !text.isEmpty();
    b.transparent = text.isEmpty();
    return b;
}

SiteInfo slotZeroSiteInfo(const Program &p, bool minMaxAvg, int openCount)
{
    const Recording &r = p.rec;
    const QString letter = r.gInfo[0][kColMode].text();
    SiteInfo info;
    info.today = p.clock().now().date();
    info.minMaxAvg = minMaxAvg;
    info.intervalMinutes = p.modes.interval(letter).value_or(0);
    info.memory = p.modes.memory(letter).value_or(QString());
    info.severalFiles = openCount > 1;
    info.maxText = r.gInfo[0][kColMax].text();
    info.minText = r.gInfo[0][kColMin].text();
    info.units = r.gInfo[0][kColUnits].text();
    info.location = r.gSite[0][0];
    info.circuit = r.gSite[0][1];
    info.name = r.gSite[0][2];
    info.other = r.gSite[0][3];
    return info;
}

} // namespace plot

namespace {

// A stored value; indices outside the table read as 0.
int16_t stored(const Recording &r, int slot, int32_t index)
{
    if (index < 0 || index > kLastValueIndex) {
        return 0;
    }
    return r.gValues[static_cast<size_t>(slot)][static_cast<size_t>(index)];
}

// Largest of 0 and the values start..end, and smallest of that and the values.
void extremes(const Recording &r, int slot, int32_t start, int32_t end, int32_t &mx, int32_t &mn)
{
    mx = 0;
    const int32_t from = std::max<int32_t>(start, 0);
    const int32_t to = std::min<int32_t>(end, kLastValueIndex);
    for (int32_t i = from; i <= to; ++i) {
        mx = std::max<int32_t>(mx, stored(r, slot, i));
    }
    mn = mx;
    for (int32_t i = from; i <= to; ++i) {
        mn = std::min<int32_t>(mn, stored(r, slot, i));
    }
}

// The display-selection window, when there is one, sets gDisplaySel.
void askDisplaySelection(Program &p)
{
    if (p.windows.displaySel != nullptr) {
        p.windows.displaySel->showModal();
    }
    if (p.chart.gDisplaySel < 1 || p.chart.gDisplaySel > 3) {
        p.chart.gDisplaySel = 1;
    }
}

} // namespace

void DisplaySelProceed(Program &p, bool average, bool maximum, bool minimum)
{
    if (average) {
        p.chart.gDisplaySel = 1;
    }
    if (minimum) {
        p.chart.gDisplaySel = 3;
    }
    if (maximum) {
        p.chart.gDisplaySel = 2;
    }
}

void DisplPlot(Program &p)
{
    ChartDevice *chart = p.io.chart1;
    Recording &r = p.rec;
    ChartState &cs = p.chart;
    if (chart == nullptr) {
        return;
    }

    // 1-3: units, slots in use, interval.
    chart->setValueAxisTitle(plot::unitsTitle(r.gInfo[0][kColUnits].text()));
    int n = 0;
    while (n < kSlots && r.slotInUse(n)) {
        ++n;
    }
    if (n == 0) {
        return; // nothing open: nothing to draw
    }
    const int last = n - 1;
    cs.gPointCount = r.gInfo[last][kColLast].toInt();
    const QString letter = r.gInfo[0][kColMode].text();
    const int interval = p.modes.interval(letter).value_or(0);
    const bool mma = isMinMaxAvg(letter);

    // The range of every slot follows from slot 0 (a pending zoom is applied
    // to it), so the value store can be opened with its final size.
    const bool zoom = cs.gZoomPending;
    plot::Range range = mma ? plot::minMaxAvgRange(r.gDatastart, r.gdataend, zoom, cs.gSelStart, cs.gSelEnd)
                            : plot::averageRange(r.gDatastart, r.gdataend, zoom, cs.gSelStart, cs.gSelEnd);
    r.gDatastart = range.start;
    r.gdataend = range.end;
    if (mma) {
        cs.gPointCount = static_cast<int32_t>(textformat::roundHalfEven((cs.gPointCount + 1) / 3.0));
    }
    if (zoom) {
        r.gSelectFlag = true;
    }
    // While a zoom is in effect the chart shows only the zoomed points.
    if (r.gSelectFlag) {
        cs.gPointCount = range.count;
    }
    const int32_t count = range.count;

    // 4-5: the value store.
    const int series = n > 1 ? n : (mma ? 3 : 1);
    const int points = std::max<int32_t>(mma ? count : count + 1, 0);
    chart->openData(series, points);
    int32_t bigM = 0;
    int32_t smallM = 0;
    for (int s = 0; s <= last; ++s) {
        r.gModeLetter = r.gInfo[s][kColMode].text();
        // A shorter recording ends where its values end: the points past
        // its last value stay unset (a gap), not readings of 0 that never
        // existed, and count for none of the extremes.
        const int32_t slotLast = r.gInfo[s][kColLast].toInt();
        int32_t mx = 0;
        int32_t mn = 0;
        extremes(r, s, r.gDatastart, std::min(r.gdataend, slotLast), mx, mn);
        bigM = std::max(bigM, mx);
        if (s == 0) {
            smallM = mn;
        }
        smallM = std::min(smallM, mn);
        if (!mma) {
            for (int32_t j = 0; j <= count && r.gDatastart + j <= slotLast; ++j) {
                chart->setValue(s, j, stored(r, s, r.gDatastart + j) / 10.0);
            }
        } else if (n > 1) {
            if (cs.gAskDisplay) {
                askDisplaySelection(p);
            }
            const int part = std::clamp(cs.gDisplaySel, 1, 3) - 1;
            for (int32_t k = 0; k < count && r.gDatastart + 3 * k + 2 <= slotLast; ++k) {
                chart->setValue(s, k, stored(r, s, r.gDatastart + 3 * k + part) / 10.0);
            }
            cs.gAskDisplay = false;
        } else {
            for (int32_t k = 0; k < count; ++k) {
                const int32_t i = r.gDatastart + 3 * k;
                chart->setValue(1, k, stored(r, s, i) / 10.0);
                chart->setValue(0, k, stored(r, s, i + 1) / 10.0);
                chart->setValue(2, k, stored(r, s, i + 2) / 10.0);
            }
        }
    }

    // 6-7: extremes and the value axis.
    smallM = std::min(smallM, bigM);
    cs.gSelMin = static_cast<int16_t>(smallM);
    cs.gSelMax = static_cast<int16_t>(bigM);
    plot::AxisLimits axis = plot::valueAxisLimits(bigM, smallM);
    if (r.gOutputMode == OutputMode::CancelOrUserScaleMin) {
        axis.min = cs.gYScaleMin;
        // A user's minimum at or above the data's maximum would leave an
        // axis without a range (and the read-out without values): the
        // maximum then lies one tenth of the axis above it.
        if (axis.max <= axis.min) {
            axis.max = axis.min + std::max(10.0, std::abs(axis.min) * 0.1);
        }
    }
    chart->setValueAxisMax(axis.max);
    chart->setValueAxisMin(axis.min);

    // 8: curve names.
    for (int s = 0; s < kSlots && r.slotInUse(s); ++s) {
        chart->setSeriesLegend(s, plot::fileName(r.gInfo[s][kColPath].text()));
    }

    // 9: time axis, from the time stamp of the first value of the range.
    const int timeSlot = r.slotInUse(r.ginx) ? r.ginx : 0;
    r.gDateX = r.gDatastart;
    r.gModeLetter = r.gInfo[timeSlot][kColMode].text();
    r.gText = calcDate(r.gModeLetter, r.gInfo[timeSlot][kColStart].text(), r.gDateX);
    chart->setTimeLabelFont({QStringLiteral("arial"), 8, false, ChartColor{0, 0, 0}});
    const int step = plot::labelStep(count);
    chart->setTimeLabelStep(step);
    const auto start = textformat::parseDate(r.gText);
    const QStringList labels = start ? plot::timeLabels(*start, step, interval) : QStringList();
    for (int j = 0; j <= 8; ++j) {
        chart->setTimeLabel(j, j < labels.size() ? labels[j] : QString());
    }

    // 10-11, 15-16: the boxes' texts.
    QString caption;
    if (mma && !cs.gMarkFlag) {
        if (n == 1) {
            chart->setSeriesLegend(0, QStringLiteral("Max"));
            chart->setSeriesLegend(1, QStringLiteral("Average"));
            chart->setSeriesLegend(2, QStringLiteral("Min"));
        }
        caption = plot::captionText(n, r.gInfo[0][kColPath].text(), cs.gDisplaySel);
    }
    QString site;
    if (cs.gOnePageFlag) {
        site = plot::siteText(plot::slotZeroSiteInfo(p, mma, n));
    }
    const QString selection =
        cs.gMarkFlag ? plot::selectionText(cs.gSelStartText, cs.gSelEndText) : QString();
    plot::BoxPlace selectionPlace = plot::kSelectionBox;
    if (cs.gOnePageFlag) {
        selectionPlace.top = plot::kSelectionBoxOnePageTop;
    }
    chart->removeAllBoxes();
    chart->addBox(plot::makeBox(plot::kSiteBoxScreen, site, false, plot::kBoxGrey, 9));
    chart->addBox(plot::makeBox(selectionPlace, selection, true, ChartColor{255, 255, 255}, 9));
    chart->addBox(plot::makeBox(plot::kCaptionBoxScreen, caption, true, plot::kBoxGrey, 10));

    // 12-14: close the store, band, margins.
    chart->closeData();
    chart->removeBands();
    if (cs.gMarkFlag) {
        chart->addBand(cs.gSelStart, cs.gSelEnd, plot::kBandColor);
    }
    const plot::Margins m = plot::margins(cs.gOnePageFlag, mma);
    chart->setMargins(m.first, m.second);

    // 17: finish.
    if (cs.gPrintLayout) {
        plot::moveBoxesForPrinting(*chart);
        p.menu.setEnabled(menu::kItemOnepgPlot, false);
        p.menu.setChecked(menu::kItemOnepgPlot, false);
        return;
    }
    p.menu.setEnabled(menu::kItemOnepgPlot, true);
    p.menu.setChecked(menu::kItemOnepgPlot, cs.gOnePageFlag);
    ShowChart(p);
    cs.gAnnotating = false;
    chart->setAnnotationEditing(false);
    cs.gMarkFlag = false;
    cs.gZoomPending = false;
    r.gOutputMode = OutputMode::Nothing;
    cs.gAskDisplay = false;
    cs.gPowerShown = false;
}

void redrawChart(Program &p)
{
    if (p.chart.gPowerView) {
        if (p.chart.powerPlot) {
            p.chart.powerPlot();
        }
        return;
    }
    DisplPlot(p);
}

void redrawShownChart(Program &p)
{
    if (p.chart.gPowerShown) {
        if (p.chart.powerPlot) {
            p.chart.powerPlot();
        }
        return;
    }
    DisplPlot(p);
}
