#include "chart/ui/chart_wiring.h"

#include "platform/ui/qcp_chart_device.h"
#include "program/program.h"

#include <QLayout>
#include <QVBoxLayout>

namespace {

QcpChartDevice *makeChart(Program &p, QWidget *area, ChartDevice *Services::*slot)
{
    if (area == nullptr) {
        return nullptr;
    }
    if (area->layout() == nullptr) {
        auto *layout = new QVBoxLayout(area);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    auto *chart = new QcpChartDevice(area);
    area->layout()->addWidget(chart);
    // Nothing is shown until a command shows it (an imported chart that
    // reported itself visible would enable File > Close at start-up).
    chart->setVisible(false);
    chart->setPrintServices(p.io.printer, p.io.dialogs);
    ChartDevice *device = chart;
    p.io.*slot = device;
    QObject::connect(chart, &QObject::destroyed, [&p, device, slot] {
        if (p.io.*slot == device) {
            p.io.*slot = nullptr;
        }
    });
    return chart;
}

} // namespace

ChartWidgets wireCharts(Program &p, QWidget *area1, QWidget *area2)
{
    ChartWidgets charts;
    charts.chart1 = makeChart(p, area1, &Services::chart1);
    charts.chart2 = makeChart(p, area2, &Services::chart2);
    if (charts.chart1 != nullptr && p.chart.interaction) {
        charts.chart1->setListener(p.chart.interaction.get());
    }
    return charts;
}
