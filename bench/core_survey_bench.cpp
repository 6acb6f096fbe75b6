// The load survey at full size: four feeders of three phases of 42,967
// values each. One run computes every feeder result (peaks, currents, peak
// times, result text) and the station peak with its text, through the same
// procedures as the survey window's buttons. A second benchmark reads one
// full phase file.
#include "bench_dialogs.h"
#include "platform/clock.h"
#include "platform/memory_settings_store.h"
#include "program/program.h"
#include "recording/survey_reader.h"
#include "survey/load_survey.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A daily load curve with some noise, different for every phase.
int16_t load(int feeder, int phase, int i)
{
    const int hour = (i / 4) % 24;
    const int base = 150 + 40 * feeder + 10 * phase;
    const int day = hour >= 8 && hour < 20 ? 120 : 0;
    return static_cast<int16_t>(base + day + (i * 7919 + feeder * 31 + phase * 17) % 50);
}

struct Survey {
    Survey()
    {
        Services s;
        s.dialogs = &dialogs;
        s.settings = &settings;
        program = std::make_unique<Program>(s);
        program->modes.fill();
        Program &p = *program;
        for (int f = 0; f < kFeeders; ++f) {
            for (int ph = 0; ph < kPhases; ++ph) {
                for (int i = 0; i < kMaxValues; ++i) {
                    p.survey.gSurveyValues[f][ph][i] = load(f, ph, i);
                }
            }
        }
        p.link.gSampleCapacity = kLastValueIndex;
        for (int phase = 0; phase < kPhases; ++phase) {
            p.survey.phaseFiles[phase] =
                PhaseFile{phase, QString(), QStringLiteral("a"), QStringLiteral("10:07 Mar 15, 26")};
        }
        p.survey.recording0Mode = QStringLiteral("a");
        p.survey.recording0End = QStringLiteral("10:07 Mar 15, 26");
    }
    BenchDialogs dialogs;
    MemorySettingsStore settings;
    std::unique_ptr<Program> program;
};

void BM_SurveyFeederResultsAndStationPeak(benchmark::State &state)
{
    Survey bench;
    Program &p = *bench.program;
    for (auto _ : state) {
        for (int f = 0; f < kFeeders; ++f) {
            p.survey.gFeederIndex = f;
            p.survey.loadsurv.Command2.enabled = true;
            SurveyShowResult(p);
        }
        SurveyShowStationPeak(p);
        benchmark::DoNotOptimize(p.survey.stationText);
    }
    if (bench.dialogs.messages != 0 || !p.survey.stationText.contains(QLatin1String("F4:"))) {
        state.SkipWithError("the survey did not run");
    }
}
BENCHMARK(BM_SurveyFeederResultsAndStationPeak)->Unit(benchmark::kMillisecond);

void BM_SurveyReadFullPhaseFile(benchmark::State &state)
{
    Survey bench;
    Program &p = *bench.program;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("phase.dat"));
    QByteArray text = "\"MQAa   0042                   03-15-26 10:07\r\nT: ";
    for (int i = 0; i < kMaxValues; ++i) {
        text += QByteArray::number(load(0, 0, i)) + ((i + 1) % 10 == 0 ? "\r\n" : " ");
    }
    text += "\x1a\"\r\n";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) {
        state.SkipWithError("cannot write the phase file");
        return;
    }
    f.close();
    for (auto _ : state) {
        p.rec.gInfo[0][kColPath] = QString();
        if (readSurveyPhaseFile(p, 0, path) != SurveyReadResult::Read) {
            state.SkipWithError("the phase file was refused");
            break;
        }
    }
}
BENCHMARK(BM_SurveyReadFullPhaseFile)->Unit(benchmark::kMillisecond);

} // namespace
