// The reading table, the power computation, the power table and every
// export, each on full recordings of 42,967 values (three for power).
#include "bench_dialogs.h"
#include "export/expdatacsv.h"
#include "export/interchange.h"
#include "platform/memory_settings_store.h"
#include "power/displ_plot_pwr.h"
#include "power/power_table.h"
#include "program/program.h"
#include "reports/reading_table.h"
#include "shell/commands.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

// Three full 15-minute current recordings in the model, the line voltage set.
struct Bench {
    explicit Bench(int slots = kSlots, const QString &letter = QStringLiteral("a"))
    {
        dialogs.inputText = QStringLiteral("ID"); // the interchange export's meter ID
        Services s;
        s.dialogs = &dialogs;
        s.settings = &settings;
        program = std::make_unique<Program>(s);
        Program &p = *program;
        p.modes.fill();
        provideProcedures(p);
        settings.save(QStringLiteral("Settings"), QStringLiteral("Vline"), QStringLiteral("13800"));
        settings.save(QStringLiteral("Directory"), QStringLiteral("default"), dir.path());
        for (int slot = 0; slot < slots; ++slot) {
            auto &info = p.rec.gInfo[slot];
            info[kColMode] = letter;
            info[kColSerial] = QStringLiteral("000%1").arg(slot);
            info[kColStart] = QStringLiteral("10:07  Jan 01, 24");
            info[kColEnd] = QStringLiteral("10:00  Mar 01, 25");
            info[kColLast] = kLastValueIndex;
            info[kColUnits] = QStringLiteral("A");
            info[kColPath] = dir.filePath(QStringLiteral("rec%1.dat").arg(slot));
            info[kColRange] = QStringLiteral("LOW");
            for (int i = 0; i < kMaxValues; ++i) {
                // A daily load curve with noise, 100 A to 3000 A.
                const double v = 1500 + 1300 * std::sin(i * 2 * M_PI / 96 + slot) + (i * 7919 % 1000) / 10.0;
                p.rec.gValues[slot][i] = static_cast<int16_t>(v * 10);
            }
        }
        p.rec.ginx = 0;
        p.rec.gDatastart = 0;
        p.rec.gdataend = kLastValueIndex;
    }
    Program &p() { return *program; }
    QTemporaryDir dir;
    BenchDialogs dialogs;
    MemorySettingsStore settings;
    std::unique_ptr<Program> program;
};

void BM_ReadingTable(benchmark::State &state)
{
    Bench b(1);
    for (auto _ : state) {
        ReadingTableProc(b.p());
    }
    state.counters["chars"] = static_cast<double>(b.p().report.gTable.size());
}
BENCHMARK(BM_ReadingTable)->Unit(benchmark::kMillisecond);

void BM_ReadingTableMinMaxAvg(benchmark::State &state)
{
    Bench b(1, QStringLiteral("g"));
    for (auto _ : state) {
        ReadingTableProc(b.p());
    }
}
BENCHMARK(BM_ReadingTableMinMaxAvg)->Unit(benchmark::kMillisecond);

// The power plot's computation without a chart: checks, kW, energy, extremes.
void BM_PowerComputeThree(benchmark::State &state)
{
    Bench b;
    for (auto _ : state) {
        b.p().rec.gDatastart = 0;
        b.p().rec.gdataend = kLastValueIndex;
        DisplPlotPwr(b.p());
    }
    state.counters["energy"] = b.p().power.energyText.size();
}
BENCHMARK(BM_PowerComputeThree)->Unit(benchmark::kMillisecond);

void BM_PowerTable(benchmark::State &state)
{
    Bench b;
    DisplPlotPwr(b.p());
    for (auto _ : state) {
        PowerTableProc(b.p());
    }
    state.counters["chars"] = static_cast<double>(b.p().report.gTable.size());
}
BENCHMARK(BM_PowerTable)->Unit(benchmark::kMillisecond);

// Each export writes its whole file (through QSaveFile) on every iteration.
void BM_ExportDataTable(benchmark::State &state)
{
    Bench b(1);
    ReadingTableProc(b.p());
    b.p().report.gExportOnePerLine = false;
    for (auto _ : state) {
        if (!DataTableExport(b.p())) {
            state.SkipWithError("not written");
        }
    }
}
BENCHMARK(BM_ExportDataTable)->Unit(benchmark::kMillisecond);

void BM_ExportOnePerLine(benchmark::State &state)
{
    Bench b(1);
    ReadingTableProc(b.p());
    b.p().report.gExportOnePerLine = true;
    for (auto _ : state) {
        if (!DataTableExport(b.p())) {
            state.SkipWithError("not written");
        }
    }
}
BENCHMARK(BM_ExportOnePerLine)->Unit(benchmark::kMillisecond);

void BM_ExportPowerCsv(benchmark::State &state)
{
    Bench b;
    DisplPlotPwr(b.p());
    for (auto _ : state) {
        if (!PowerTableExport(b.p())) {
            state.SkipWithError("not written");
        }
    }
}
BENCHMARK(BM_ExportPowerCsv)->Unit(benchmark::kMillisecond);

void BM_ExportInterchange(benchmark::State &state)
{
    Bench b;
    DisplPlotPwr(b.p());
    for (auto _ : state) {
        if (!InterchangeExport(b.p())) {
            state.SkipWithError("not written");
        }
    }
}
BENCHMARK(BM_ExportInterchange)->Unit(benchmark::kMillisecond);

} // namespace
