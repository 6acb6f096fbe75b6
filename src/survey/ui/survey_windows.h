// Creates the survey's three windows and hands them to the program. The
// returned object owns them; keep it for the whole run.
#pragma once

#include <memory>

class Program;
class QWidget;
class LoadsurvWindow;
class StationWindow;
class SurveyshowWindow;

struct SurveyWindowSet {
    SurveyWindowSet();
    ~SurveyWindowSet();
    SurveyWindowSet(const SurveyWindowSet &) = delete;
    SurveyWindowSet &operator=(const SurveyWindowSet &) = delete;
    std::unique_ptr<LoadsurvWindow> loadsurv;
    std::unique_ptr<SurveyshowWindow> surveyshow; // over loadsurv
    std::unique_ptr<StationWindow> station;       // over loadsurv
    Program *program = nullptr;                   // loses its pointers to them on destruction
};

std::unique_ptr<SurveyWindowSet> installSurveyWindows(Program &p, QWidget *parent);
