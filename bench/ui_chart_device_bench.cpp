// The recording chart control drawn offscreen: a full plot of three
// recordings of 42,967 readings (values, axes, labels, boxes) drawn once at
// 1000 x 600, and the status-bar read-out of one mouse move.
#include "chart/chart_commands.h"
#include "chart/displ_plot.h"
#include "platform/qt_clock.h"
#include "platform/ui/qcp_chart_device.h"
#include "program/program.h"
#include "recording/recording.h"

#include "bench_app.h"

#include <QApplication>
#include <QImage>
#include <QToolBar>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

// A program with three full 15-minute recordings open and the chart control
// as its recording chart, laid out so that the plot is 1000 x 600 pixels.
struct ChartBench {
    ChartBench()
    {
        Services s;
        s.clock = &clock;
        s.chart1 = &chart;
        program = std::make_unique<Program>(s);
        Program &p = *program;
        p.modes.fill();
        installChartCommands(p);
        chart.setListener(p.chart.interaction.get());
        for (int slot = 0; slot < 3; ++slot) {
            auto &info = p.rec.gInfo[slot];
            info[kColMode] = "a";
            info[kColStart] = "10:00  Jan 01, 26";
            info[kColLast] = kMaxValues - 1;
            info[kColUnits] = "A";
            info[kColPath] = QStringLiteral("C:\\data\\feeder%1.dat").arg(slot);
            for (int i = 0; i < kMaxValues; ++i) {
                const double load =
                    1500 + 900 * std::sin(2 * M_PI * i / 96.0) + 150 * slot + 80 * std::sin(i / 7.0);
                p.rec.gValues[slot][i] = static_cast<int16_t>(load);
            }
        }
        chart.resize(1000, 600 + chart.toolbar()->sizeHint().height());
        chart.show();
        QApplication::processEvents();
    }

    void plot()
    {
        Program &p = *program;
        p.rec.gDatastart = 0;
        p.rec.gdataend = kMaxValues - 1;
        p.rec.ginx = 0;
        DisplPlot(p);
    }

    bool appReady = (benchApp(), true); // the application before the first widget
    QtClock clock;
    QcpChartDevice chart;
    std::unique_ptr<Program> program;
};

ChartBench &bench()
{
    static ChartBench b;
    return b;
}

// DisplPlot into the chart control, then one drawing at 1000 x 600.
void BM_PlotThreeRecordings(benchmark::State &state)
{
    ChartBench &b = bench();
    for (auto _ : state) {
        b.plot();
        QImage image = b.chart.renderImage(1000, 600);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["points"] = 3.0 * kMaxValues;
}
BENCHMARK(BM_PlotThreeRecordings)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Only the drawing of an already plotted chart.
void BM_DrawPlottedChart(benchmark::State &state)
{
    ChartBench &b = bench();
    b.plot();
    for (auto _ : state) {
        QImage image = b.chart.renderImage(1000, 600);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawPlottedChart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A mouse move over the plotted chart: pixel to (point, value), then the
// status-bar texts (time stamp and value) as the chart handling writes them.
void BM_MouseMoveReadout(benchmark::State &state)
{
    ChartBench &b = bench();
    b.plot();
    b.chart.replotNow();
    ChartListener *listener = b.program->chart.interaction.get();
    int x = 100;
    for (auto _ : state) {
        listener->chartMouseMove(x, 300);
        benchmark::DoNotOptimize(b.program->view.statusPanels[1].text.size());
        x = x >= 900 ? 100 : x + 7;
    }
}
BENCHMARK(BM_MouseMoveReadout)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
