// The load survey's state: the phase values of up to four feeders, the
// feeder names and results, the station peak and the state of the survey's
// three windows (loadsurv, surveyshow, station). The procedures that change
// it are in survey/; the survey reader (recording/survey_reader.*) fills
// the values.
#pragma once

#include "program/main_view_state.h"
#include "recording/recording.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

inline constexpr int kFeeders = 4;
inline constexpr int kPhases = 3; // 0 red, 1 white, 2 blue

// One phase file's readings in whole amps, in file order: index 0 is the
// newest reading. Indices past the file's end hold 0.
using PhaseValues = std::array<int16_t, kMaxValues>;
using FeederValues = std::array<PhaseValues, kPhases>;

// The survey window loadsurv.
struct LoadsurvState {
    bool visible = false;
    QString Label1 = QStringLiteral("Station Name");
    std::array<bool, kFeeders> optionEnabled{true, true, true, true}; // Option1..Option4
    int selectedOption = 0;                                           // 0..3; -1 none
    ViewControl Text4;                                                // feeder name
    ViewControl Command1;                                             // "PROCEED"
    std::array<ViewControl, kPhases> phaseButtons;                    // red, white, blue
    std::array<QString, kPhases> phaseBoxes;                          // Text1..Text3: file names
    ViewControl Command2;                                             // "Show Result"
    ViewControl Command3;                                             // "Show Station Peak"
    ViewControl Command4;                                             // "PRINT ALL FEEDER RESULTS"
    ViewControl Command5;                                             // "PRINT STATION PEAK"
    ViewControl Cancel;                                               // "cancel"
};

// The feeder result window surveyshow ("RESULT").
struct SurveyshowState {
    bool visible = false;
    QString Label3;       // "STATION: " + station name
    QString feederID;     // heading
    QString Label1;       // "  F" + number + ": " + feeder name
    QString RichTextBox1; // the feeder result text
};

// The station window.
struct StationState {
    bool visible = false;
    QString Label1;       // "Station: " + station name
    QString RichTextBox1; // the station peak text
};

// One feeder's peaks: row p is the peak of phase p, column q the current of
// phase q at that moment.
struct FeederResult {
    std::array<int, kPhases> peakIndex{};
    std::array<std::array<int16_t, kPhases>, kPhases> amps{};
    std::array<int32_t, kPhases> sum{};    // the three currents of a row
    std::array<QString, kPhases> peakTime; // "hh:mm  MMM dd, yy"
};

// A phase file read for the current feeder.
struct PhaseFile {
    int slot = -1; // recording slot; -1: not read
    QString path;
    QString modeLetter;
    QString endText; // the newest value's time, "hh:mm MMM dd, yy"
};

struct SurveyState {
    int gFeederIndex = 0; // the feeder being read (0..3)
    QString stationName;  // upper case
    // Feeder, phase, value index.
    std::vector<FeederValues> gSurveyValues = std::vector<FeederValues>(kFeeders);

    int phaseCount = 0; // phase files read for the current feeder
    // The phase files of the current feeder as read, so that the results do
    // not depend on what the main window does to the recording slots meanwhile.
    std::array<PhaseFile, kPhases> phaseFiles;
    // Mode letter and end time of recording 0 (the first file read of the
    // last feeder): the station peak's time runs back from it.
    QString recording0Mode;
    QString recording0End;
    // Mode letter of the survey's first phase file: every later file must
    // share its interval and kind, or the values of different feeders would
    // not line up.
    QString surveyMode;

    std::array<QString, kFeeders> feederNames;
    std::array<bool, kFeeders> processed{}; // result shown in this survey
    std::array<FeederResult, kFeeders> feederResults;
    std::array<QString, kFeeders> feederTexts;
    QString stationText;

    LoadsurvState loadsurv;
    SurveyshowState surveyshow;
    StationState station;
};
