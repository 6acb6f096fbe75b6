// Reading a full recording (42,967 values) into the model with its summary,
// and Save As of all of it.
#include "bench_dialogs.h"
#include "platform/memory_settings_store.h"
#include "program/program.h"
#include "recording/save.h"
#include "reports/open_recording.h"
#include "shell/commands.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Bench {
    Bench()
    {
        Services s;
        s.dialogs = &dialogs;
        s.settings = &settings;
        program = std::make_unique<Program>(s);
        program->modes.fill();
        provideProcedures(*program);
    }
    BenchDialogs dialogs;
    MemorySettingsStore settings;
    std::unique_ptr<Program> program;
};

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// A full recording file: 42,967 values, 10 a line, newest first.
QString makeFile(bool tLayout, bool minMaxAvg)
{
    const QString name =
        QStringLiteral("full_%1_%2.dat").arg(tLayout ? "t" : "old", minMaxAvg ? "mma" : "avg");
    const QString path = folder().filePath(name);
    if (QFile::exists(path)) {
        return path;
    }
    QByteArray text = "\"\r\n";
    QByteArray header = QByteArray("KLA") + (minMaxAvg ? "g" : "a") + "   1234";
    header = header.leftJustified(30, ' ') + "03-15-26 10:00";
    text += header + "\r\n";
    if (tLayout) {
        text += "T: ";
    }
    for (int i = 0; i < kMaxValues; ++i) {
        if (i > 0) {
            text += (i % 10 == 0) ? "\r\n" : " ";
        }
        text += QByteArray::number(100.0 + (i * 37 % 2000) / 10.0, 'f', 1);
    }
    text += "\x1a\"\r\n";
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(text);
    }
    return path;
}

void readFile(benchmark::State &state, bool tLayout, bool minMaxAvg)
{
    const QString path = makeFile(tLayout, minMaxAvg);
    Bench b;
    Program &p = *b.program;
    for (auto _ : state) {
        p.rec.gInfo[0][kColPath] = QString();
        p.rec.gOpenPath = path;
        if (openAndShowSummary(p) != FileopenResult::Opened) {
            state.SkipWithError("not read");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
    state.counters["values"] = p.rec.gInfo[0][kColLast].number() + 1;
}

void BM_ReadTAverage(benchmark::State &s)
{
    readFile(s, true, false);
}
void BM_ReadTMinMaxAvg(benchmark::State &s)
{
    readFile(s, true, true);
}
void BM_ReadOlderAverage(benchmark::State &s)
{
    readFile(s, false, false);
}
void BM_ReadOlderMinMaxAvg(benchmark::State &s)
{
    readFile(s, false, true);
}

void BM_SaveAsFull(benchmark::State &state)
{
    Bench b;
    Program &p = *b.program;
    p.rec.gOpenPath = makeFile(true, false);
    Fileopen(p);
    const QString out = folder().filePath(QStringLiteral("saved.dat"));
    b.dialogs.saveTo = out;
    for (auto _ : state) {
        p.rec.ginx = 0;
        p.rec.gDatastart = 0;
        p.rec.gdataend = kLastValueIndex;
        buildSaveAsText(p);
        if (!SaveDialogProc(p)) {
            state.SkipWithError("not saved");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(QFile(out).size());
}

void BM_SaveAsTextOnly(benchmark::State &state)
{
    Bench b;
    Program &p = *b.program;
    p.rec.gOpenPath = makeFile(true, false);
    Fileopen(p);
    for (auto _ : state) {
        benchmark::DoNotOptimize(saveAsText(p.rec, 0, 0, kLastValueIndex, QStringLiteral("03-15-26 10:00")));
    }
}

} // namespace

BENCHMARK(BM_ReadTAverage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTMinMaxAvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOlderAverage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOlderMinMaxAvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAsFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAsTextOnly)->Unit(benchmark::kMillisecond);
