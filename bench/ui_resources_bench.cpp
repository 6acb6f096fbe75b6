// What the program costs to run: start-up of the real program to its main
// window, resident memory with three full recordings plotted, and the growth
// of resident memory over many open-plot-close cycles (offscreen).
#include "bench_app.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "reports/open_recording.h"
#include "shell/ui/app_wiring.h"
#include "support/recording_files.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <memory>

namespace {

// Resident memory of this process in kB.
double residentKb()
{
    malloc_trim(0); // what the allocator keeps but does not use is not counted
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
        }
    }
    return 0;
}

// Bytes the allocator has handed out and not had back, in kB: tells a leak
// (this grows) from a fragmented heap (only the resident size grows).
double heapInUseKb()
{
    return static_cast<double>(mallinfo2().uordblks) / 1024;
}

// Three full recordings (42,967 values each) in a scratch folder.
struct FullRecordings {
    FullRecordings()
    {
        for (int i = 0; i < 3; ++i) {
            RecordingFileContent c;
            c.values = countingValues(42967, false);
            paths << dir.filePath(QStringLiteral("phase%1.dat").arg(i));
            writeRecording(paths.back(), c);
        }
    }
    QTemporaryDir dir;
    QStringList paths;
};

// What the program's event loop does between two commands: pending events,
// and the objects a command gave up with deleteLater(). processEvents() alone
// never deletes those outside an event loop, which would count as growth
// the running program does not have.
void settle()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void openAndPlot(Program &p, const QStringList &paths)
{
    for (const QString &path : paths) {
        openRecordingFile(p, path);
    }
    p.runCommand(menu::kItemViewPlot);
    settle();
}

// The whole program as a user starts it: process start, start-up, main
// window drawn (into a picture, which is then written; an upper bound).
void BM_StartUpToMainWindow(benchmark::State &state)
{
    const QString program = QFileInfo(QStringLiteral(RDX600_PROGRAM_PATH)).absoluteFilePath();
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    for (auto _ : state) {
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(program, {QStringLiteral("--screenshot"), dir.filePath(QStringLiteral("shot.png")),
                            QStringLiteral("--size"), QStringLiteral("800x600")});
        if (!run.waitForFinished(30000) || run.exitCode() != 0) {
            state.SkipWithError("the program did not start");
            break;
        }
    }
    state.SetLabel("process start to the main window's picture written");
}
BENCHMARK(BM_StartUpToMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_ThreeFullRecordingsPlotted(benchmark::State &state)
{
    benchApp();
    FullRecordings files;
    QTemporaryDir settings;
    for (auto _ : state) {
        App rdx(settings.filePath(QStringLiteral("rdx600.ini")));
        rdx.setNonInteractive();
        rdx.startWithoutSplash();
        openAndPlot(rdx.program(), files.paths);
        state.counters["resident_MB"] = residentKb() / 1024;
    }
}
BENCHMARK(BM_ThreeFullRecordingsPlotted)->Unit(benchmark::kMillisecond)->Iterations(1);

// Resident memory after 200 more cycles of opening three full recordings,
// plotting and closing them, compared with after 20 cycles to warm up.
void BM_OpenPlotCloseCycles(benchmark::State &state)
{
    benchApp();
    FullRecordings files;
    QTemporaryDir settings;
    App rdx(settings.filePath(QStringLiteral("rdx600.ini")));
    rdx.setNonInteractive();
    rdx.startWithoutSplash();
    Program &p = rdx.program();
    const auto cycle = [&] {
        openAndPlot(p, files.paths);
        p.runCommand(menu::kItemClose);
        settle();
    };
    for (int i = 0; i < 20; ++i) {
        cycle();
    }
    const double before = residentKb();
    const double heapBefore = heapInUseKb();
    for (auto _ : state) {
        cycle();
    }
    state.counters["growth_MB"] = (residentKb() - before) / 1024;
    state.counters["heap_growth_MB"] = (heapInUseKb() - heapBefore) / 1024;
    state.counters["resident_MB"] = residentKb() / 1024;
}
BENCHMARK(BM_OpenPlotCloseCycles)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
