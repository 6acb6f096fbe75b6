#include "survey/load_survey.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "recording/survey_reader.h"
#include "survey/survey_calc.h"
#include "survey/survey_print.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString kCR = QStringLiteral("\r");

void syncWindow(SurveyWindowView *view, bool visible)
{
    if (view == nullptr) {
        return;
    }
    view->sync();
    if (visible) {
        view->show();
    } else {
        view->hide();
    }
}

// Mirrors the survey's windows and the main window.
void syncAll(Program &p)
{
    const SurveyState &s = p.survey;
    syncWindow(p.windows.loadsurv, s.loadsurv.visible);
    syncWindow(p.windows.surveyshow, s.surveyshow.visible);
    syncWindow(p.windows.station, s.station.visible);
    p.sync();
}

void setCommands(LoadsurvState &w, bool enabled)
{
    for (ViewControl *c : {&w.Command1, &w.Command2, &w.Command3, &w.Command4, &w.Command5}) {
        c->enabled = enabled;
    }
}

void clearPhaseBoxes(LoadsurvState &w)
{
    w.phaseBoxes.fill(QString());
}

std::vector<int> processedFeeders(const SurveyState &s)
{
    std::vector<int> out;
    for (int f = 0; f < kFeeders; ++f) {
        if (s.processed[f]) {
            out.push_back(f);
        }
    }
    return out;
}

// Prints through the program's printer after its dialog; false when there
// is no printer or the dialog was cancelled.
bool printReport(Program &p, bool withStation)
{
    if (p.io.printer == nullptr || !p.dialogs().printerDialog()) {
        return false;
    }
    printSurveyReport(*p.io.printer, p.survey, p.clock().now().date(), withStation);
    return true;
}

// After a phase button's read: a file read shows its name and counts; a
// refused one leaves the button as it was.
void phaseRead(Program &p, int phase, SurveyReadResult result)
{
    SurveyState &s = p.survey;
    LoadsurvState &w = s.loadsurv;
    if (result == SurveyReadResult::Read) {
        w.phaseBoxes[phase] = QFileInfo(p.rec.gOpenPath).fileName();
        ++s.phaseCount;
        w.phaseButtons[phase].enabled = false;
        w.Command1.enabled = false;
        if (s.phaseCount == kPhases) {
            w.Command2.enabled = true;
        }
    }
    syncAll(p);
}

} // namespace

void startSurvey(Program &p, const QString &station)
{
    SurveyState &s = p.survey;
    s.stationName = station.toUpper();
    for (FeederValues &f : s.gSurveyValues) {
        for (PhaseValues &v : f) {
            v.fill(0);
        }
    }
    s.gFeederIndex = 0;
    s.phaseCount = 0;
    s.phaseFiles.fill(PhaseFile{});
    s.recording0Mode.clear();
    s.recording0End.clear();
    s.surveyMode.clear();
    s.feederNames.fill(QString());
    s.processed.fill(false);
    s.feederResults.fill(FeederResult{});
    s.feederTexts.fill(QString());
    s.stationText.clear();

    LoadsurvState &w = s.loadsurv;
    w = LoadsurvState{};
    w.Label1 = s.stationName;
    setCommands(w, false);
    w.Command1.enabled = true;
    for (ViewControl &b : w.phaseButtons) {
        b.visible = false;
        b.enabled = false;
    }
    w.Cancel.visible = false;
    w.visible = true;
    s.surveyshow = SurveyshowState{};
    s.station = StationState{};
    syncAll(p);
}

void LoadsurveyProc(Program &p)
{
    // A survey in progress ends: its recording slots are freed.
    SurveyState &s = p.survey;
    s.loadsurv.visible = false;
    s.surveyshow.visible = false;
    s.station.visible = false;
    CloseRecordings(p);
    syncAll(p);
    Recording &r = p.rec;
    r.gOutputMode = OutputMode::Nothing;
    r.gSelectFlag = false;
    p.dialogs().setBusy(false);
    p.chart.gSelStartText.clear();
    p.chart.gSelEndText.clear();
    const QString answer =
        p.dialogs().inputBox(QStringLiteral("Enter Station Name") + kCR, QString(), p.survey.stationName);
    if (answer.isEmpty()) {
        return;
    }
    startSurvey(p, answer);
}

void SurveySelectFeeder(Program &p, int option)
{
    LoadsurvState &w = p.survey.loadsurv;
    if (option >= 0 && option < kFeeders && w.optionEnabled[option]) {
        w.selectedOption = option;
    }
}

void SurveySetFeederName(Program &p, const QString &text)
{
    p.survey.loadsurv.Text4.text = text;
}

void SurveyProceed(Program &p)
{
    SurveyState &s = p.survey;
    LoadsurvState &w = s.loadsurv;
    const int f = w.selectedOption;
    if (!w.Command1.enabled || f < 0 || f >= kFeeders || !w.optionEnabled[f]) {
        return;
    }
    const QString name = w.Text4.text;
    s.gFeederIndex = f;
    s.feederNames[f] = name;
    w.optionEnabled[f] = false;
    w.Text4.text = QStringLiteral("Feeder ") + QString::number(f + 1) + QLatin1Char(' ') + name;
    // Each feeder reads its own three phase files.
    s.phaseCount = 0;
    s.phaseFiles.fill(PhaseFile{});
    clearPhaseBoxes(w);
    for (ViewControl &b : w.phaseButtons) {
        b.visible = true;
        b.enabled = true;
    }
    w.Cancel.visible = true;
    setCommands(w, false);
    syncAll(p);
}

void SurveyPhaseFile(Program &p, int phase, const QString &path)
{
    if (phase >= 0 && phase < kPhases && p.survey.loadsurv.phaseButtons[phase].enabled) {
        phaseRead(p, phase, readSurveyPhaseFile(p, phase, path));
    }
}

void SurveyPhase(Program &p, int phase)
{
    if (phase >= 0 && phase < kPhases && p.survey.loadsurv.phaseButtons[phase].enabled) {
        phaseRead(p, phase, Fileopenmqa(p, phase));
    }
}

void SurveyShowResult(Program &p)
{
    SurveyState &s = p.survey;
    LoadsurvState &w = s.loadsurv;
    Recording &r = p.rec;
    const int f = s.gFeederIndex;
    if (!w.Command2.enabled || f < 0 || f >= kFeeders) {
        return;
    }
    w.Command2.enabled = false;
    w.Command1.enabled = true;
    w.Command4.enabled = true;
    clearPhaseBoxes(w);

    FeederResult result = survey::feederPeaks(s.gSurveyValues[f], survey::scanEnd(p.link.gSampleCapacity));
    for (int phase = 0; phase < kPhases; ++phase) {
        const PhaseFile &file = s.phaseFiles[phase];
        result.peakTime[phase] = surveyPeakTime(file.modeLetter, file.endText, result.peakIndex[phase]);
        if (r.slotInUse(file.slot) && r.gInfo[file.slot][kColPath].text() == file.path) {
            r.gInfo[file.slot][kColStart] = result.peakTime[phase];
        }
    }
    const QString text = survey::feederResultText(result);
    s.feederResults[f] = result;
    s.feederTexts[f] = text;
    s.processed[f] = true;

    SurveyshowState &show = s.surveyshow;
    show.Label3 = QStringLiteral("STATION: ") + s.stationName;
    show.feederID = survey::feederHeading();
    show.Label1 = survey::feederLabel(f, s.feederNames[f]);
    show.RichTextBox1 = text;
    show.visible = true;

    // The next feeder's files take the slots again.
    for (int slot = 0; slot < kSlots; ++slot) {
        r.gInfo[slot][kColPath] = QString();
    }
    w.Command3.enabled = true;
    syncAll(p);
}

void SurveyNextFeeder(Program &p)
{
    SurveyState &s = p.survey;
    LoadsurvState &w = s.loadsurv;
    s.surveyshow.visible = false;
    // The next feeder still to do, in order after the one just done.
    int next = -1;
    for (int k = 1; k <= kFeeders; ++k) {
        const int f = (s.gFeederIndex + k) % kFeeders;
        if (w.optionEnabled[f]) {
            next = f;
            break;
        }
    }
    if (next >= 0) {
        w.Command1.enabled = true;
        w.selectedOption = next;
        w.Text4.text.clear();
    } else {
        w.Command1.enabled = false;
    }
    syncAll(p);
}

void SurveyShowStationPeak(Program &p)
{
    SurveyState &s = p.survey;
    LoadsurvState &w = s.loadsurv;
    const std::vector<int> feeders = processedFeeders(s);
    if (!w.Command3.enabled || feeders.empty()) {
        return;
    }
    const survey::StationPeak peak =
        survey::stationPeak(s.gSurveyValues, feeders, survey::scanEnd(p.link.gSampleCapacity));
    // The station's time runs back from recording 0's own end time.
    const QString time = calcDate(s.recording0Mode, s.recording0End, -peak.index);
    s.stationText = survey::stationText(peak, time, s.feederNames);
    s.phaseCount = 0;
    clearPhaseBoxes(w);
    s.station.Label1 = QStringLiteral("Station: ") + s.stationName;
    s.station.RichTextBox1 = s.stationText;
    s.station.visible = true;
    syncAll(p);
}

void SurveyCloseStation(Program &p)
{
    p.survey.loadsurv.Command5.enabled = true;
    p.survey.station.visible = false;
    syncAll(p);
}

void SurveyPrintAll(Program &p)
{
    if (p.survey.loadsurv.Command4.enabled) {
        printReport(p, false);
    }
}

void SurveyPrintStation(Program &p)
{
    LoadsurvState &w = p.survey.loadsurv;
    if (w.Command5.enabled && printReport(p, true)) {
        w.Command4.enabled = false;
        syncAll(p);
    }
}

void SurveyCancel(Program &p)
{
    SurveyState &s = p.survey;
    p.dialogs().setBusy(false);
    s.loadsurv.visible = false;
    s.surveyshow.visible = false;
    s.station.visible = false;
    CloseRecordings(p);
    syncAll(p);
}

void installSurveyCommands(Program &p)
{
    p.addCommand(menu::kItemsurvfil, [&p] { LoadsurveyProc(p); });
}
