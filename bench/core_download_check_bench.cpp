// The check a download ends with, on a full memory of 205,000 characters
// already in gText: InsertErrors (no runspec.txt flag set) and
// CountDownloadErrors, in both ranges.
#include "bench_dialogs.h"
#include "link/download_check.h"
#include "program/program.h"

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kFullMemory = 205000;

// A downloaded text of exactly 205,000 characters: the header, "T:", then
// readings followed by a blank, 10 a line, and the Ctrl-Z.
QString fullDownload(bool low)
{
    QString t = QStringLiteral("\r\nKQAa   0042") + QString(19, QLatin1Char(' ')) +
                QStringLiteral("03-15-26 10:00") + QStringLiteral("\r\nT: ");
    t.reserve(kFullMemory);
    for (int i = 0;; ++i) {
        const int v = (i * 7919) % 998;
        const QString reading = low ? QString::number(v / 10.0, 'f', 1) : QString::number(v);
        const QString sep = (i + 1) % 10 == 0 ? QStringLiteral(" \r\n") : QStringLiteral(" ");
        if (t.size() + reading.size() + sep.size() + 1 > kFullMemory) {
            break;
        }
        t += reading + sep;
    }
    t += QString(kFullMemory - 1 - t.size(), QLatin1Char(' '));
    t += QChar(26);
    return t;
}

void checkFullMemory(benchmark::State &state, bool low)
{
    BenchDialogs dialogs;
    Services s;
    s.dialogs = &dialogs;
    Program p(s);
    p.rec.gText = fullDownload(low);
    QString result;
    for (auto _ : state) {
        InsertErrors(p);
        result = CountDownloadErrors(p);
        benchmark::DoNotOptimize(result);
    }
    if (!result.isEmpty() || p.rec.gText.size() != kFullMemory) {
        state.SkipWithError("the full memory did not pass the check clean");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFullMemory);
}

void BM_CheckFullMemoryHighRange(benchmark::State &state)
{
    checkFullMemory(state, false);
}

void BM_CheckFullMemoryLowRange(benchmark::State &state)
{
    checkFullMemory(state, true);
}

} // namespace

BENCHMARK(BM_CheckFullMemoryHighRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckFullMemoryLowRange)->Unit(benchmark::kMillisecond);
