#include "chart/chart_commands.h"

#include "chart/chart_interaction.h"
#include "chart/displ_plot.h"
#include "platform/chart_device.h"
#include "platform/dialogs.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/recording.h"

#include <QRegularExpression>

namespace chartcmd {

namespace {
constexpr int kNoteLeft = 300;
constexpr int kNoteTop = 200;
constexpr int kNoteWidth = 100;
constexpr int kNoteHeight = 50;
constexpr int kKeptBoxes = 4; // Clear Notes keeps the first four boxes
constexpr uint32_t kOnePageBackground = 0xC0C0C0;
} // namespace

QString onePageNotice()
{
    return QStringLiteral("\rONE PAGE PLOT IS ENABLED\rClick the Print Icon to print this report.\r"
                          "(To return regular plot mode, uncheck the 'One Page Plot' item under 'Options'");
}

bool parseWholeNumber(const QString &text, int &value)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*[-+]?\\d+\\s*$"));
    if (!whole.match(text).hasMatch()) {
        return false;
    }
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < -32768 || v > 32767) {
        return false;
    }
    value = v;
    return true;
}

void viewPlot(Program &p)
{
    Recording &r = p.rec;
    ChartState &cs = p.chart;
    if (p.io.chart1 != nullptr) {
        p.io.chart1->addTypeFlag(kTypeFlag);
    }
    r.gDatastart = 0;
    r.gdataend = r.gInfo[0][kColLast].toInt();
    r.gSelectFlag = false;
    cs.gMarkFlag = false;
    cs.gOnePageFlag = false;
    HideTextViews(p);
    HideChart(p);
    r.gZoomFlag = false;
    cs.gAskDisplay = true;
    cs.gPowerView = false;
    DisplPlot(p);
    p.menu.setEnabled(menu::kItemViewTable, true);
    p.menu.setEnabled(menu::kItemPrintTable, false);
    p.menu.setEnabled(menu::kItemExportType, false);
    p.menu.setEnabled(menu::kZoom, false);
}

void refresh(Program &p)
{
    redrawChart(p);
}

void zoom(Program &p)
{
    if (p.io.chart1 != nullptr) {
        p.io.chart1->addTypeFlag(kTypeFlag);
    }
    p.chart.gMarkFlag = false;
    p.chart.gZoomPending = true;
    p.rec.gZoomFlag = true;
    HideTextViews(p);
    HideChart(p);
    p.menu.setEnabled(menu::kZoom, false);
    redrawChart(p);
}

void scale(Program &p)
{
    const QString answer =
        p.dialogs().inputBox(QStringLiteral("Enter min value for Y Scale"), QString(), QStringLiteral("0"));
    int v = 0;
    if (!parseWholeNumber(answer, v)) {
        return;
    }
    p.chart.gYScaleMin = v;
    p.rec.gOutputMode = OutputMode::CancelOrUserScaleMin;
    redrawChart(p);
}

void addNote(Program &p)
{
    ChartDevice *chart = p.io.chart1;
    if (chart == nullptr) {
        return;
    }
    ChartBox note;
    note.left = kNoteLeft;
    note.top = kNoteTop;
    note.width = kNoteWidth;
    note.height = kNoteHeight;
    note.fontSize = 9;
    note.framed = true;
    note.text = QStringLiteral("Enter note here. Then click outside this box.");
    chart->addBox(note);
    chart->setAnnotationEditing(true);
    p.chart.gAnnotating = true;
}

void clearNotes(Program &p)
{
    ChartDevice *chart = p.io.chart1;
    if (chart != nullptr) {
        for (int i = chart->boxCount() - 1; i >= kKeptBoxes; --i) {
            chart->removeBox(i);
        }
    }
    DisplPlot(p);
}

void onePagePlot(Program &p)
{
    ChartState &cs = p.chart;
    ChartDevice *chart = p.io.chart1;
    MainViewState &v = p.view;
    if (!cs.gOnePageFlag) {
        cs.gOnePageFlag = true;
        cs.gMarkFlag = false;
        if (chart != nullptr) {
            for (const int b : {0, 1, 2, 5, 7}) {
                chart->setToolbarButtonVisible(b, false);
            }
            chart->addCommand(ChartInteraction::kPrintOnePageCommand, 2, QStringLiteral("Print on one page"));
            chart->insertToolbarButton(7, ChartInteraction::kPrintOnePageCommand);
        }
        redrawShownChart(p);
        p.menu.setEnabled(menu::kView, false);
        p.menu.setEnabled(menu::kPwrview, false);
        p.menu.setChecked(menu::kItemOnepgPlot, true);
        v.Label1.text = onePageNotice();
        v.label1Background = kOnePageBackground;
        v.Label1.visible = true;
        p.menu.setEnabled(menu::kItemOpen, false);
        for (int i = 1; i <= 4; ++i) {
            p.menu.setVisible(MenuModel::mru(i), false);
        }
        return;
    }
    cs.gOnePageFlag = false;
    p.menu.setChecked(menu::kItemOnepgPlot, false);
    if (chart != nullptr) {
        for (const int b : {0, 1, 2, 5}) {
            chart->setToolbarButtonVisible(b, true);
        }
        chart->setCommandText(ChartInteraction::kPrintOnePageCommand, QStringLiteral("Print..."));
    }
    redrawShownChart(p);
    p.menu.setEnabled(menu::kView, true);
    p.menu.setEnabled(menu::kPwrview, true);
    v.Label1.visible = false;
    p.menu.setEnabled(menu::kItemOpen, true);
    ShowRecentFileEntries(p);
}

} // namespace chartcmd

void installChartCommands(Program &p)
{
    p.addCommand(menu::kItemViewPlot, [&p] { chartcmd::viewPlot(p); });
    p.addCommand(menu::kItemRefresh, [&p] { chartcmd::refresh(p); });
    p.addCommand(menu::kZoom, [&p] { chartcmd::zoom(p); });
    p.addCommand(menu::kItemScale, [&p] { chartcmd::scale(p); });
    p.addCommand(menu::kItemadd, [&p] { chartcmd::addNote(p); });
    p.addCommand(menu::kItemClearNote, [&p] { chartcmd::clearNotes(p); });
    p.addCommand(menu::kItemOnepgPlot, [&p] { chartcmd::onePagePlot(p); });
    auto interaction = std::make_shared<ChartInteraction>(p);
    p.chart.interaction = interaction;
    if (p.io.chart1 != nullptr) {
        p.io.chart1->setListener(interaction.get());
    }
}
