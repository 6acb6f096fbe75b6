// The power plot of three full recordings on the real chart control: the
// values, the axes and one offscreen drawing.
#include "platform/settings_store.h"
#include "platform/ui/qcp_chart_device.h"
#include "power/displ_plot_pwr.h"
#include "program/program.h"
#include "recording/recording.h"

#include "bench_app.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <memory>

namespace {

class VoltsOnly : public SettingsStore {
public:
    QString get(const QString &section, const QString &key) const override
    {
        return section == QLatin1String("Settings") && key == QLatin1String("Vline") ? QStringLiteral("13800")
                                                                                     : QString();
    }
    void save(const QString &, const QString &, const QString &) override {}
};

struct PowerPlotBench {
    PowerPlotBench()
    {
        chart.resize(1000, 480);
        chart.show();
        Services s;
        s.chart1 = &chart;
        s.settings = &settings;
        p = std::make_unique<Program>(s);
        p->modes.fill();
        for (int slot = 0; slot < kSlots; ++slot) {
            auto &info = p->rec.gInfo[slot];
            info[kColMode] = "a";
            info[kColStart] = "10:00  Jan 01, 24";
            info[kColLast] = kLastValueIndex;
            info[kColUnits] = "A";
            info[kColPath] = QStringLiteral("/data/phase%1.dat").arg(slot);
            for (int i = 0; i < kMaxValues; ++i) {
                p->rec.gValues[slot][i] = static_cast<int16_t>(
                    15000 + 13000 * std::sin(i * 2 * M_PI / 96 + slot) + i * 7919 % 1000);
            }
        }
        p->rec.gdataend = kLastValueIndex;
    }
    QApplication &application = benchApp(); // before the first widget
    VoltsOnly settings;
    QcpChartDevice chart;
    std::unique_ptr<Program> p;
};

void BM_PowerPlotThreeFullRecordings(benchmark::State &state)
{
    PowerPlotBench b;
    for (auto _ : state) {
        b.p->rec.gDatastart = 0;
        b.p->rec.gdataend = kLastValueIndex;
        DisplPlotPwr(*b.p);
        benchmark::DoNotOptimize(b.chart.renderImage(1000, 480));
    }
    state.counters["points"] = b.chart.pointCount();
}
BENCHMARK(BM_PowerPlotThreeFullRecordings)->Unit(benchmark::kMillisecond);

} // namespace
