#include "recording/survey_reader.h"

#include "platform/dialogs.h"
#include "platform/file_read.h"
#include "platform/settings_store.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "recording/calc_date.h"
#include "recording/recording_text.h"

#include <algorithm>

namespace {

// What one phase file holds, before anything is stored.
struct ParsedFile {
    QString modeLetter;
    QString serial;
    QString units;
    QString rangeText;
    QString endText; // "hh:mm MMM dd, yy"
    int last = 0;    // last value index
    int peak = 0;
    int peakIndex = 0;
    QString peakTime;
    ValueItems values;
};

SurveyReadResult fail(Program &p, SurveyReadResult result)
{
    p.dialogs().message(result == SurveyReadResult::ModeMixing ? QStringLiteral("Mode mixing not allowed")
                                                               : QStringLiteral("Unknown File Error; Check"));
    if (result == SurveyReadResult::Failed) {
        p.rec.gOutputMode = OutputMode::CancelOrUserScaleMin;
    }
    p.dialogs().setBusy(false);
    return result;
}

// The interval and kind of two mode letters agree.
bool sameTiming(const ModeTable &modes, const QString &a, const QString &b)
{
    return modes.interval(a) == modes.interval(b) && isMinMaxAvg(a) == isMinMaxAvg(b);
}

// Parses the file; Failed when it is no readable recording of a known mode.
SurveyReadResult parsePhaseFile(const Program &p, const QByteArray &bytes, ParsedFile &file)
{
    RecordingScan scan;
    if (!scanRecording(bytes, scan)) {
        return SurveyReadResult::Failed;
    }
    QString header = scan.header;
    file.modeLetter = modeLetterOf(header);
    file.units = header.mid(2, 1);
    file.serial = header.mid(7, 4);
    file.rangeText = scan.rangeText;
    if (header.size() > 46) {
        copyLateStamp(header);
    }
    const auto endTime = textformat::parseDate(header.mid(30, 14));
    const auto interval = p.modes.interval(file.modeLetter);
    if (!endTime || !interval || *interval <= 0) {
        return SurveyReadResult::Failed;
    }
    file.endText = textformat::dateText(*endTime, textformat::DateText::StampOneBlank);

    if (!readValueItems(bytes, scan, ItemScale::Whole, file.values) || file.values.count == 0) {
        return SurveyReadResult::Failed;
    }
    file.last = std::min(file.values.count - 1, kLastValueIndex);
    // The first of the greatest values (the newest of equal peaks); from 0.
    for (int i = 0; i <= file.last; ++i) {
        if (file.values.buffer[i] > file.peak) {
            file.peak = file.values.buffer[i];
            file.peakIndex = i;
        }
    }
    file.peakTime = surveyPeakTime(file.modeLetter, file.endText, file.peakIndex);
    return file.peakTime.isEmpty() ? SurveyReadResult::Failed : SurveyReadResult::Read;
}

} // namespace

QString surveyPeakTime(const QString &modeLetter, const QString &endText, int index)
{
    static const ModeTable modes = [] {
        ModeTable t;
        t.fill();
        return t;
    }();
    const auto interval = modes.interval(modeLetter);
    const auto end = textformat::parseDate(endText);
    if (!interval || *interval <= 0 || !end) {
        return {};
    }
    QDateTime base = *end;
    const int m = base.time().minute();
    if (m % *interval != 0) {
        base = base.addSecs(60LL * (*interval * (m / *interval + 1) - m));
    }
    return calcDate(modeLetter, textformat::dateText(base, textformat::DateText::Stamp), -index);
}

SurveyReadResult readSurveyPhaseFile(Program &p, int phase, const QString &path)
{
    Recording &r = p.rec;
    SurveyState &s = p.survey;
    p.dialogs().setBusy(true);
    r.gOpenPath = path;
    if (phase < 0 || phase >= kPhases || s.gFeederIndex < 0 || s.gFeederIndex >= kFeeders) {
        return fail(p, SurveyReadResult::Failed);
    }
    int slot = 0;
    while (slot < kSlots && r.slotInUse(slot)) {
        ++slot;
    }
    if (slot == kSlots) {
        return fail(p, SurveyReadResult::Failed);
    }

    const std::optional<QByteArray> bytes = readRegularFile(path);
    if (!bytes) {
        return fail(p, SurveyReadResult::Failed);
    }
    ParsedFile file;
    if (parsePhaseFile(p, *bytes, file) != SurveyReadResult::Read) {
        return fail(p, SurveyReadResult::Failed);
    }
    // The phases of a feeder share one mode letter; feeders share the
    // interval and kind, so that value index k is the same moment everywhere.
    if ((slot != 0 && file.modeLetter != r.gInfo[0][kColMode].text()) ||
        (!s.surveyMode.isEmpty() && !sameTiming(p.modes, file.modeLetter, s.surveyMode))) {
        return fail(p, SurveyReadResult::ModeMixing);
    }

    // Values in file order; past the file's end the phase reads 0, so that
    // nothing of an earlier, longer file is left behind.
    PhaseValues &dest = s.gSurveyValues[s.gFeederIndex][phase];
    std::copy_n(file.values.buffer.begin(), file.last + 1, dest.begin());
    std::fill(dest.begin() + file.last + 1, dest.end(), int16_t{0});

    auto &info = r.gInfo[slot];
    info[kColMode] = file.modeLetter;
    info[kColSerial] = file.serial;
    info[kColStart] = file.peakTime;
    info[kColLast] = file.last;
    info[kColUnits] = file.units;
    info[kColMax] = file.peak;
    info[kColMin] = Cell();
    info[kColPath] = path;
    info[kColRange] = file.rangeText;
    info[kColEnd] = file.endText;
    info[kColEdited] = Cell();
    info[kColHeader] = Cell();
    info[kColFormat] = Cell();
    r.gModeLetter = file.modeLetter;
    r.ginx = slot;
    if (slot == 2) {
        p.menu.setEnabled(menu::kItemOpen, false);
    }
    p.link.gSampleCapacity = std::max(p.link.gSampleCapacity, file.last);

    s.phaseFiles[phase] = PhaseFile{slot, path, file.modeLetter, file.endText};
    if (slot == 0) {
        s.recording0Mode = file.modeLetter;
        s.recording0End = file.endText;
    }
    if (s.surveyMode.isEmpty()) {
        s.surveyMode = file.modeLetter;
    }
    s.loadsurv.Command1.enabled = false;
    p.dialogs().setBusy(false);
    return SurveyReadResult::Read;
}

SurveyReadResult Fileopenmqa(Program &p, int phase)
{
    Recording &r = p.rec;
    r.gOutputMode = OutputMode::Nothing;
    r.gWorkPath = p.settings().get(QStringLiteral("Directory"), QStringLiteral("default"));
    const auto path = p.dialogs().openFile(r.gWorkPath, QStringLiteral("data files (*.dat) | *.dat"));
    p.chart.gSelStartText.clear();
    if (!path || path->isEmpty()) {
        return fail(p, SurveyReadResult::Failed);
    }
    return readSurveyPhaseFile(p, phase, *path);
}
