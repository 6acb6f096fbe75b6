#include "chart/import_chart.h"

#include "platform/chart_device.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"

namespace {
constexpr ChartColor kImportGrey{210, 210, 210};
} // namespace

void ImportChart(Program &p)
{
    HideChart(p);
    const QString dir = p.settings().get(QStringLiteral("Directory"), QStringLiteral("default"));
    const std::optional<QString> chosen = p.dialogs().openFile(dir, kChartFileFilter);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    ChartDevice *chart = p.io.chart2;
    if (chart == nullptr || !chart->importFile(*chosen)) {
        return;
    }
    p.rec.gWorkPath = *chosen;
    p.rec.gSelectFlag = false;
    p.menu.setEnabled(menu::kZoom, false);
    chart->setToolbarColor(kImportGrey);
    chart->setVisible(true);
    p.view.chart2Visible = true;
    p.view.Label3.text = QStringLiteral("Displaying ") + *chosen;
    p.view.Label3.visible = true;
}

void installChartFileCommands(Program &p)
{
    p.addCommand(menu::kItemImport, [&p] { ImportChart(p); });
}
