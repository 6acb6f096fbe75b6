#include "chart/chart_interaction.h"

#include "chart/displ_plot.h"
#include "platform/dialogs.h"
#include "platform/file_write.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "recording/recording.h"

#include <algorithm>
#include <cmath>

namespace {
int32_t floorPoint(double v)
{
    return static_cast<int32_t>(std::clamp(std::floor(v), -2147483648.0, 2147483647.0));
}
} // namespace

int ChartInteraction::leftLimit() const
{
    int left = 0;
    int right = 0;
    return p_.io.chart1 != nullptr && p_.io.chart1->markingEdges(left, right) ? left : leftLimitPx;
}

int ChartInteraction::rightLimit() const
{
    int left = 0;
    int right = 0;
    return p_.io.chart1 != nullptr && p_.io.chart1->markingEdges(left, right) ? right : rightLimitPx;
}

bool ChartInteraction::minMaxAvgPlot() const
{
    return !p_.chart.gPowerShown && isMinMaxAvg(p_.rec.gInfo[0][kColMode].text());
}

bool ChartInteraction::convert(int x, int y)
{
    ChartDevice *chart = p_.io.chart1;
    if (chart == nullptr) {
        return false;
    }
    return chart->pixelToValue(x, y, cursorPoint_, cursorValue_);
}

void ChartInteraction::setPointer(ChartCursor c)
{
    pointer_ = c;
    if (p_.io.chart1 != nullptr) {
        p_.io.chart1->setCursor(c);
    }
}

QString ChartInteraction::stampOf(int32_t valueIndex) const
{
    const Recording &r = p_.rec;
    if (r.ginx < 0 || r.ginx >= kInfoRows) {
        return {};
    }
    const auto &info = r.gInfo[r.ginx];
    return calcDate(info[kColMode].text(), info[kColStart].text(), valueIndex);
}

void ChartInteraction::chartMouseMove(int x, int y)
{
    auto &panels = p_.view.statusPanels;
    const QString before2 = panels[1].text;
    const QString before3 = panels[2].text;
    readOut(x, y);
    // The screen is brought up to date only when the read-out changed.
    if (panels[1].text != before2 || panels[2].text != before3) {
        p_.sync();
    }
}

void ChartInteraction::readOut(int x, int y)
{
    auto &panels = p_.view.statusPanels;
    const Recording &r = p_.rec;
    setPointer(ChartCursor::Arrow);
    outside_ = 0;
    edge_ = 0;
    if (!convert(x, y)) {
        outside_ = 1;
        panels[1].text.clear();
        panels[2].text.clear();
        return;
    }
    int32_t pt = floorPoint(cursorPoint_);
    if (pt < 0) {
        pt = 0;
        edge_ = 1;
    }
    int64_t v = textformat::floorInt(cursorValue_);
    const ChartDevice &chart = *p_.io.chart1;
    if (static_cast<double>(v) < chart.valueAxisMin() || static_cast<double>(v) > chart.valueAxisMax()) {
        outside_ = 1;
        v = 0;
    }
    int64_t index = minMaxAvgPlot() ? 3 * static_cast<int64_t>(pt) : pt;
    index += r.gDatastart;
    if (index > static_cast<int64_t>(r.gdataend) + 1) {
        edge_ = 2;
        outside_ = 2;
        index = r.gdataend + 1;
    }

    if (edge_ == 1) {
        panels[2].text.clear();
        if (x < leftLimit()) {
            setPointer(ChartCursor::NoDrop);
            panels[1].text.clear();
            outside_ = 1;
            return;
        }
        panels[1].text = stampOf(static_cast<int32_t>(index));
    } else if (outside_ == 2) {
        panels[2].text.clear();
        panels[1].text.clear();
        if (!(press_ == 1 && x <= rightLimit())) {
            setPointer(ChartCursor::NoDrop);
        }
    } else if (outside_ == 1) {
        panels[2].text.clear();
        panels[1].text.clear();
        setPointer(ChartCursor::NoDrop);
    } else {
        panels[2].text = textformat::picture(static_cast<double>(v), QStringLiteral("0"));
        panels[1].text = pointer_ == ChartCursor::NoDrop ? QString() : stampOf(static_cast<int32_t>(index));
    }
}

void ChartInteraction::chartMousePress(int x, int y)
{
    ChartState &cs = p_.chart;
    if (cs.gAnnotating) {
        return;
    }
    press_ = 0;
    if (outside_ == 1) {
        edge_ = 1;
        return;
    }
    if (edge_ == 2) {
        return;
    }
    if (!convert(x, y)) {
        edge_ = 1;
        return;
    }
    const int32_t pt = std::clamp(floorPoint(cursorPoint_), 0, std::max(cs.gPointCount, 0));
    cs.gSelStart = pt;
    const int32_t offset = minMaxAvgPlot() ? 3 * pt : pt;
    cs.gSelStartText = stampOf(p_.rec.gDatastart + offset);
    press_ = 1;
    edge_ = 0;
}

void ChartInteraction::chartMouseRelease(int x, int y)
{
    ChartState &cs = p_.chart;
    Recording &r = p_.rec;
    if (cs.gAnnotating || pointer_ == ChartCursor::NoDrop) {
        if (p_.io.chart1 != nullptr) {
            p_.io.chart1->setAnnotationEditing(false);
        }
        edge_ = 0;
        return;
    }
    HideChart(p_);
    if (convert(x, y) && press_ == 1) {
        int32_t pt = floorPoint(cursorPoint_);
        if (pt > cs.gSelStart) {
            pt = std::min(pt, cs.gPointCount);
            cs.gSelEnd = pt;
            // A release clamped back onto the press point marks nothing.
            if (pt > cs.gSelStart) {
                const int32_t offset = minMaxAvgPlot() ? 3 * pt : pt;
                cs.gMarkFlag = true;
                cs.gSelEndText = stampOf(std::min(r.gDatastart + offset, r.gdataend));
                p_.menu.setEnabled(menu::kZoom, true);
            }
        }
    }
    redrawChart(p_);
    edge_ = 0;
    press_ = 0;
    p_.sync();
}

void ChartInteraction::chartUserCommand(int command)
{
    if (command == kSaveChartCommand) {
        saveChart();
    } else if (command == kPrintOnePageCommand) {
        printOnePage();
    }
    p_.sync();
}

void ChartInteraction::saveChart()
{
    ChartDevice *chart = p_.io.chart1;
    if (chart == nullptr) {
        return;
    }
    chart->toggleStyleFlag(kSaveStyleFlag);
    p_.dialogs().message(QStringLiteral("New Save Command"));
    const auto path = p_.dialogs().saveFile(QString(), QStringLiteral("chart files (*.chd) | *.chd"), true);
    if (path && !path->isEmpty() && !chart->saveFile(*path)) {
        // The earlier file, if any, is untouched; the user must hear that
        // the chart was not kept.
        p_.dialogs().message(fileNotWrittenText(*path));
    }
}

void ChartInteraction::printOnePage()
{
    ChartState &cs = p_.chart;
    cs.gPrintLayout = true;
    redrawShownChart(p_);
    p_.menu.setEnabled(menu::kZoom, false);
    const bool confirmed = p_.dialogs().printerDialog();
    CloseRecordings(p_);
    // The print ends one-page mode, as Close does.
    cs.gPrintLayout = false;
    cs.gOnePageFlag = false;
    p_.menu.setEnabled(menu::kItemOnepgPlot, false);
    p_.menu.setChecked(menu::kItemOnepgPlot, false);
    if (confirmed && p_.io.chart1 != nullptr && p_.io.printer != nullptr) {
        p_.io.chart1->print(*p_.io.printer);
    }
}
