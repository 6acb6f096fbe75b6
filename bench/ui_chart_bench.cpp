// The recording plot of three full recordings on the real chart control, and
// the status-bar read-out of a mouse move over it.
#include "chart/chart_commands.h"
#include "chart/displ_plot.h"
#include "platform/chart_device.h"
#include "platform/ui/qcp_chart_device.h"
#include "program/program.h"
#include "recording/recording.h"

#include "bench_app.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

struct PlotBench {
    PlotBench()
    {
        chart.resize(1000, 480);
        chart.show();
        Services s;
        s.chart1 = &chart;
        p = std::make_unique<Program>(s);
        p->modes.fill();
        installChartCommands(*p);
        for (int slot = 0; slot < kSlots; ++slot) {
            auto &info = p->rec.gInfo[slot];
            info[kColMode] = "c";
            info[kColStart] = "10:00  Jan 01, 24";
            info[kColLast] = kLastValueIndex;
            info[kColUnits] = "A";
            info[kColPath] = QStringLiteral("/data/rec%1.dat").arg(slot);
            for (int i = 0; i < kMaxValues; ++i) {
                p->rec.gValues[slot][i] = static_cast<int16_t>(1000 + 400 * std::sin(i / 700.0) + slot * 100);
            }
        }
        p->rec.gdataend = kLastValueIndex;
    }
    QApplication &application = benchApp(); // before the first widget
    QcpChartDevice chart;
    std::unique_ptr<Program> p;
};

void BM_DisplPlotThreeFullRecordings(benchmark::State &state)
{
    PlotBench b;
    for (auto _ : state) {
        DisplPlot(*b.p);
        b.chart.replotNow();
    }
}
BENCHMARK(BM_DisplPlotThreeFullRecordings)->Unit(benchmark::kMillisecond);

void BM_StatusReadOut(benchmark::State &state)
{
    PlotBench b;
    DisplPlot(*b.p);
    b.chart.replotNow();
    ChartListener &listener = *b.p->chart.interaction;
    int x = 100;
    for (auto _ : state) {
        listener.chartMouseMove(x, 200);
        x = x >= 800 ? 100 : x + 7;
    }
}
BENCHMARK(BM_StatusReadOut)->Unit(benchmark::kMicrosecond);

} // namespace
