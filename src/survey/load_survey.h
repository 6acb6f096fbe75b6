// The load survey (menu Load Survey > Open File): the station name, the
// feeder steps of the survey window loadsurv, the phase files, the feeder
// result window surveyshow, the station window and the printed
// "LOAD SURVEY REPORT". The windows mirror program/survey_state.h and
// forward their button presses to the procedures below.
#pragma once

#include <QString>

class Program;

// The three survey windows as the core drives them.
class SurveyWindowView {
public:
    virtual ~SurveyWindowView() = default;
    virtual void show() = 0; // not modal for loadsurv
    virtual void hide() = 0;
    virtual void sync() = 0; // mirrors the state
};

// mnuitemsurvfil: closes the recordings, asks for the station name and,
// unless the answer is empty, starts a new survey in the survey window.
void LoadsurveyProc(Program &p);
// Starts a new survey of `station` (upper-cased) without asking.
void startSurvey(Program &p, const QString &station);

// The survey window's controls.
void SurveySelectFeeder(Program &p, int option);                  // Option1..Option4 as 0..3
void SurveySetFeederName(Program &p, const QString &text);        // Text4 typed
void SurveyProceed(Program &p);                                   // Command1 "PROCEED"
void SurveyPhase(Program &p, int phase);                          // red, white, blue (dialog)
void SurveyPhaseFile(Program &p, int phase, const QString &path); // the same, file given
void SurveyShowResult(Program &p);                                // Command2 "Show Result"
void SurveyShowStationPeak(Program &p);                           // Command3 "Show Station Peak"
void SurveyPrintAll(Program &p);                                  // Command4 "PRINT ALL FEEDER RESULTS"
void SurveyPrintStation(Program &p);                              // Command5 "PRINT STATION PEAK"
void SurveyCancel(Program &p);                                    // "cancel" (and closing the window)
// The result window's "NEXT FEEDER" (and closing it).
void SurveyNextFeeder(Program &p);
// The station window's "CLOSE WINDOW" (and closing it).
void SurveyCloseStation(Program &p);

void installSurveyCommands(Program &p);
