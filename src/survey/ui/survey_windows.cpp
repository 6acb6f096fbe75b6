#include "survey/ui/survey_windows.h"

#include "program/program.h"
#include "survey/ui/loadsurv_window.h"
#include "survey/ui/station_window.h"
#include "survey/ui/surveyshow_window.h"

SurveyWindowSet::SurveyWindowSet() = default;

SurveyWindowSet::~SurveyWindowSet()
{
    if (program != nullptr) {
        program->windows.loadsurv = nullptr;
        program->windows.surveyshow = nullptr;
        program->windows.station = nullptr;
    }
    // The result windows are children of the survey window.
    station.reset();
    surveyshow.reset();
}

std::unique_ptr<SurveyWindowSet> installSurveyWindows(Program &p, QWidget *parent)
{
    auto set = std::make_unique<SurveyWindowSet>();
    set->loadsurv = std::make_unique<LoadsurvWindow>(p, parent);
    set->surveyshow = std::make_unique<SurveyshowWindow>(p, set->loadsurv.get());
    set->station = std::make_unique<StationWindow>(p, set->loadsurv.get());
    set->program = &p;
    p.windows.loadsurv = set->loadsurv.get();
    p.windows.surveyshow = set->surveyshow.get();
    p.windows.station = set->station.get();
    return set;
}
