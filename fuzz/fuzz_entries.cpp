#include "fuzz_entries.h"

#include "link/download_check.h"
#include "link/download_text.h"
#include "link/status_decode.h"
#include "platform/chart_file.h"
#include "platform/memory_settings_store.h"
#include "program/link_error.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/fileopen.h"
#include "recording/notes.h"
#include "recording/survey_reader.h"
#include "reports/report_commands.h"
#include "setup/initialize.h"
#include "setup/instrument_info.h"
#include "setup/recover.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_help_viewer.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace fuzzentry {
namespace {

// One program with fakes for the whole run: making one per input would cost
// more than the parsers themselves. Each entry leaves it as it found it.
struct FuzzProgram {
    FuzzProgram()
    {
        Services s;
        s.dialogs = &dialogs;
        s.settings = &settings;
        s.clock = &clock;
        s.help = &help;
        program = std::make_unique<Program>(s);
        program->modes.fill();
        provideReportProcedures(*program);
        provideSetupProcedures(*program);
    }
    Program &p() { return *program; }
    QString path(const QString &name) const { return files.filePath(name); }

    FakeDialogs dialogs;
    // In memory: the reader stores the recent-file list on every open, and
    // an INI file would go to disk each time, costing more than the parser.
    MemorySettingsStore settings;
    FakeClock clock;
    FakeHelpViewer help;
    QTemporaryDir files;
    std::unique_ptr<Program> program;
};

FuzzProgram &context()
{
    static FuzzProgram tp;
    return tp;
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return {reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)};
}

// The readers take files, as the program gives them paths.
QString asFile(const char *name, const uint8_t *data, size_t size)
{
    const QString path = context().path(QString::fromLatin1(name));
    // A new file each time: rewriting a file in place makes the file system
    // flush it to disk, which would cost more than the parser.
    QFile::remove(path);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes(data, size));
    }
    return path;
}

void afterRun()
{
    FuzzProgram &tp = context();
    CloseRecordings(tp.p());
    tp.dialogs.messages.clear();
    tp.dialogs.inputs.clear();
}

void recordingReader(const uint8_t *data, size_t size)
{
    // A notes file beside it would be read too; its own target covers it.
    openRecordingFile(context().p(), asFile("in.dat", data, size));
    afterRun();
}

void notesReader(const uint8_t *data, size_t size)
{
    (void)readNotesFile(asFile("in.not", data, size));
}

void surveyReader(const uint8_t *data, size_t size)
{
    Program &p = context().p();
    (void)readSurveyPhaseFile(p, 0, asFile("phase.dat", data, size));
    // What the reader reads back on the next file; the value tables are
    // only written, and copying a fresh survey's would cost more than the
    // reader.
    SurveyState &s = p.survey;
    s.phaseCount = 0;
    s.phaseFiles = {};
    s.surveyMode.clear();
    s.recording0Mode.clear();
    s.recording0End.clear();
    s.loadsurv = LoadsurvState{};
    afterRun();
}

// A chart file as Import reads it; one that parses must write back to a
// file that parses again to the same chart.
void chartFile(const uint8_t *data, size_t size)
{
    const std::optional<ChartContent> content = parseChartFile(bytes(data, size));
    if (!content) {
        return;
    }
    const QByteArray again = chartFileBytes(*content);
    const std::optional<ChartContent> reread = parseChartFile(again);
    if (!reread || chartFileBytes(*reread) != again) {
        std::abort();
    }
}

void statusHeader(const uint8_t *data, size_t size)
{
    try {
        const StatusHeader h =
            decodeStatusHeader(QString::fromLatin1(bytes(data, size)), context().p().modes);
        (void)statusResultText(h);
    } catch (const LinkError &) {
        // A mode letter without a row is the check's reported error 9, which
        // the status check's error handler shows; not a fault.
    }
}

void runSpec(const uint8_t *data, size_t size)
{
    RunSpecFlags flags;
    (void)runSpecMessage(applyRunSpecLines(QString::fromLatin1(bytes(data, size)), flags));
}

// What a download does with its receive buffer: the processing (with the
// MQA-S5 trimming when the first byte is odd), the header completion, then
// every injected error, the check and its reports.
void downloadCheck(const uint8_t *data, size_t size)
{
    const bool trim = size > 0 && (data[0] & 1U) != 0;
    QString text = QString::fromLatin1(processDownload(bytes(data, size), trim));
    if (const auto header = downloadHeaderIndex(text)) {
        static const QDateTime t0(QDate(2026, 12, 8), QTime(9, 30));
        QString shown;
        (void)completeDownloadHeader(context().p(), text, static_cast<int>(*header), t0, shown);
    }
    const RunSpecFlags all{true, true, true, true, true, true, true, true, true, true};
    (void)insertErrors(text, all);
    const DownloadErrorCounts counts = countDownloadErrors(text, true);
    (void)downloadReports(downloadErrorResult(counts), all);
    context().dialogs.messages.clear();
    context().dialogs.inputs.clear();
}

// The instrument information shown after a download or a recovery.
void instrumentInfo(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(bytes(data, size));
    if (const auto info = readInstrumentHeader(text, context().p().modes)) {
        (void)showinfoText(*info);
        (void)showinfodbText(*info, text.left(14), 10710);
    }
}

// A recovered text: its header, its values, its stop time.
void recovery(const uint8_t *data, size_t size)
{
    const QByteArray raw = bytes(data, size);
    const QString text = QString::fromLatin1(raw);
    const int count = recovery::countValues(raw);
    if (const auto h = recovery::findHeader(text)) {
        (void)recovery::continuousAndFull(h->mode, count, 10710);
        if (const auto stamp = recovery::stopTime(h->mode, h->initTime, count)) {
            (void)recovery::withStopTime(text, h->p, *stamp);
        }
    }
}

// The header an instrument reads back after an initialization.
void readBack(const uint8_t *data, size_t size)
{
    bool blankMode = false;
    QString badLetter;
    (void)init::readBackText(QString::fromLatin1(bytes(data, size)), context().p().modes, blankMode,
                             badLetter);
}

constexpr std::array kTargets{
    Target{"recording", recordingReader},
    Target{"notes", notesReader},
    Target{"survey", surveyReader},
    Target{"chart_file", chartFile},
    Target{"status_header", statusHeader},
    Target{"runspec", runSpec},
    Target{"download_check", downloadCheck},
    Target{"instrument_info", instrumentInfo},
    Target{"recovery", recovery},
    Target{"read_back", readBack},
};

} // namespace

std::span<const Target> targets()
{
    return kTargets;
}

const Target *find(const char *name)
{
    for (const Target &t : kTargets) {
        if (std::strcmp(t.name, name) == 0) {
            return &t;
        }
    }
    return nullptr;
}

} // namespace fuzzentry
