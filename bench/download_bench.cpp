// The download against rdx600-sim on a pseudo-terminal, and its processing
// alone:
//  - BM_DownloadFullMemory: a full memory (about 205,000 characters) sent as
//    fast as the terminal takes it, received, processed, checked and saved;
//    the saved values are compared with the recording the simulator sent.
//  - BM_Download115200: a transfer at the real 115,200 baud; reports how long
//    after the simulator wrote the last character the download ended, and
//    the share of one core the program used while receiving.
//  - BM_ProcessFullMemory: processing and checking alone, 205,000
//    characters in memory.
// The simulator is build/rdx600-sim, or the program named by $RDX600_SIM.
#include "bench_dialogs.h"
#include "link/download.h"
#include "link/download_check.h"
#include "link/download_text.h"
#include "link/instrument_catalogue.h"
#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"
#include "platform/qt_settings_store.h"
#include "program/program.h"
#include "reports/open_recording.h"
#include "shell/commands.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// A recording of 42,966 readings, three and four digits, whose transmission
// is just under 205,000 characters.
QString fullMemoryFile()
{
    const QString path = folder().filePath(QStringLiteral("full.dat"));
    if (QFile::exists(path)) {
        return path;
    }
    QByteArray text = "\r\nKQAa   0042                   12-01-26 08:00\r\nT: ";
    for (int i = 0; i < 42966; ++i) {
        const int v = i % 100 < 55 ? 1000 + i % 997 : 100 + i % 899;
        text += QByteArray::number(v) + (i % 10 == 9 ? " \r\n" : " ");
    }
    text += char(26);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        return {};
    }
    f.write("\"" + text + "\"\r\n");
    return path;
}

// The simulator on a pseudo-terminal, reached as port 1.
class Sim {
public:
    explicit Sim(const QStringList &options)
    {
        QString program = qEnvironmentVariable("RDX600_SIM");
        if (program.isEmpty()) {
            program = QDir(QCoreApplication::applicationDirPath())
                          .absoluteFilePath(QStringLiteral("../rdx600-sim"));
        }
        log_ = folder().filePath(QStringLiteral("sim%1.log").arg(++count_));
        process_.start(program, options + QStringList{QStringLiteral("--log"), log_,
                                                      QStringLiteral("--exit-with-parent")});
        started_.start();
        if (process_.waitForStarted(5000) && process_.waitForReadyRead(5000)) {
            path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
            qputenv("RDX600_COM1", path_.toLocal8Bit());
        }
    }
    ~Sim()
    {
        process_.terminate();
        process_.waitForFinished(3000);
    }
    bool ok() const { return !path_.isEmpty(); }
    // Milliseconds on this process's clock, since the simulator started,
    // when its log last recorded `event`; -1 when it has not.
    double eventMs(const QString &event) const
    {
        QFile f(log_);
        if (!f.open(QIODevice::ReadOnly)) {
            return -1;
        }
        const QString text = QString::fromLocal8Bit(f.readAll());
        static const QRegularExpression line(QStringLiteral("^\\[\\s*([0-9.]+)\\] (.*)$"),
                                             QRegularExpression::MultilineOption);
        double at = -1;
        for (auto it = line.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(2).startsWith(event)) {
                at = m.captured(1).toDouble() * 1000.0;
            }
        }
        return at;
    }
    qint64 sinceStartMs() const { return started_.elapsed(); }

private:
    static inline int count_ = 0;
    QProcess process_;
    QString log_;
    QString path_;
    QElapsedTimer started_;
};

struct Downloader {
    explicit Downloader(int type) : settings(folder().filePath(QStringLiteral("bench.ini")))
    {
        Services s;
        s.dialogs = &dialogs;
        s.settings = &settings;
        s.clock = &clock;
        s.port = &port;
        program = std::make_unique<Program>(s);
        Program &p = *program;
        p.modes.fill();
        p.splash.instAutoCurrent = 8;
        p.splash.portSettingsCustom = kSettings115200;
        p.splash.maxSamplesCustom = 42966;
        p.link.gCommPort = 1;
        p.splash.instSelection = type;
        applyTypeSettings(p, type);
        provideProcedures(p);
        // The text is ready when the instrument information is shown.
        p.procs.Showinfo = [this, show = p.procs.Showinfo] {
            textAt = static_cast<double>(elapsed.nsecsElapsed()) / 1e6;
            Program::run(show);
        };
    }
    // Download and OK; false when the download did not save.
    bool run(const QString &saveTo)
    {
        dialogs.saveTo = saveTo;
        // "Save anyway?" is answered Yes: the full memory holds readings
        // above 999, which the check reports.
        dialogs.yesNo = MsgResult::Yes;
        textAt = -1;
        mnuItemDownload(*program);
        elapsed.start();
        DownloadOK(*program);
        return program->link.download.saved;
    }
    BenchDialogs dialogs;
    QtSettingsStore settings;
    QtClock clock{1.0};
    QtSerialPort port;
    std::unique_ptr<Program> program;
    QElapsedTimer elapsed;
    double textAt = -1; // ms from OK to the text being ready (processed)
};

std::vector<int16_t> valuesOf(Program &p, const QString &path)
{
    const int slot = p.rec.openCount();
    if (slot >= kSlots || !openRecordingFile(p, path)) {
        return {};
    }
    const int last = p.rec.gInfo[slot][kColLast].toInt();
    return {p.rec.gValues[slot].begin(), p.rec.gValues[slot].begin() + last + 1};
}

void BM_DownloadFullMemory(benchmark::State &state)
{
    const QString source = fullMemoryFile();
    Sim sim({QStringLiteral("--type"), QStringLiteral("8"), QStringLiteral("--recording"), source,
             QStringLiteral("--full-speed")});
    if (!sim.ok()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    Downloader d(8);
    const QString saved = folder().filePath(QStringLiteral("saved.dat"));
    for (auto _ : state) {
        QFile::remove(saved);
        QElapsedTimer t;
        t.start();
        if (!d.run(saved)) {
            state.SkipWithError("the download did not save");
            return;
        }
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
    }
    Program &p = *d.program;
    const std::vector<int16_t> sent = valuesOf(p, source);
    const std::vector<int16_t> got = valuesOf(p, saved);
    qint64 differing = static_cast<qint64>(sent.size()) - static_cast<qint64>(got.size());
    for (size_t i = 0; i < std::min(sent.size(), got.size()); ++i) {
        differing += sent[i] != got[i] ? 1 : 0;
    }
    state.counters["characters"] = static_cast<double>(p.link.download.charsReceived);
    state.counters["values"] = static_cast<double>(got.size());
    state.counters["values_lost_or_changed"] = static_cast<double>(std::llabs(differing));
    if (differing != 0 || got.size() != 42966U) {
        state.SkipWithError("values were lost");
    }
}
BENCHMARK(BM_DownloadFullMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Download115200(benchmark::State &state)
{
    const bool ctrlZ = state.range(0) != 0;
    QStringList options{QStringLiteral("--type"), QStringLiteral("8"), QStringLiteral("--readings"),
                        QStringLiteral("6000")};
    if (!ctrlZ) {
        options << QStringLiteral("--fault") << QStringLiteral("no-ctrlz");
    }
    Sim sim(options);
    if (!sim.ok()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    Downloader d(8);
    double lateMs = 0;
    double cpuShare = 0;
    for (auto _ : state) {
        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        const qint64 okAt = sim.sinceStartMs();
        if (!d.run(folder().filePath(QStringLiteral("paced.dat")))) {
            state.SkipWithError("the download did not save");
            return;
        }
        const double cpu = cpuSeconds() - cpu0;
        state.SetIterationTime(static_cast<double>(wall.nsecsElapsed()) / 1e9);
        const double lastChar = sim.eventMs(QStringLiteral("transmission complete"));
        const double ended = static_cast<double>(okAt) + d.textAt;
        lateMs = ended - lastChar;
        cpuShare = cpu / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
    }
    state.counters["end_after_last_char_ms"] = lateMs;
    state.counters["cpu_percent_of_one_core"] = cpuShare * 100.0;
}
BENCHMARK(BM_Download115200)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ProcessFullMemory(benchmark::State &state)
{
    QFile f(fullMemoryFile());
    if (!f.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no file");
        return;
    }
    // The cells as received: the file's text without its quotes and the
    // first character.
    const QByteArray cells = f.readAll().mid(2).chopped(3);
    qint64 size = 0;
    int over999 = 0;
    for (auto _ : state) {
        QString text = QString::fromLatin1(processDownload(cells, false));
        const DownloadErrorCounts counts = countDownloadErrors(text, true);
        size = text.size();
        over999 = counts.readingsOver999;
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["readings_over_999"] = over999;
    state.counters["characters"] = static_cast<double>(cells.size());
    state.counters["text"] = static_cast<double>(size);
}
BENCHMARK(BM_ProcessFullMemory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
