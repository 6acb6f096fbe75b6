// The load survey's arithmetic and texts: each phase's own peak with the
// feeder's currents at that moment (non-coincidental), and the moment the
// station's summed current is highest with every feeder phase's current
// then (coincidental). Totals are summed in 32 bits: a feeder's three
// phases and four feeders never overflow.
#pragma once

#include "program/survey_state.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace survey {

// The last value index the scans reach: gSampleCapacity kept within the
// value table.
int scanEnd(int32_t sampleCapacity);

// Peak index, currents and row sums of each phase over indices 0..last.
// A value replaces the maximum only when strictly greater; the maximum
// starts at 0, so an all-zero phase peaks at index 0. No peak times.
FeederResult feederPeaks(const FeederValues &values, int last);

struct StationPeak {
    int index = 0;                                  // first index of the highest station total
    int32_t total = 0;                              // the station total there (0 when no total exceeds 0)
    std::vector<int> feeders;                       // participating feeders (0..3), in order
    std::vector<std::array<int16_t, kPhases>> amps; // their currents at the peak
};

// The coincidental peak of the feeders in `feeders` (0..3, in order) over
// indices 0..last.
StationPeak stationPeak(const std::vector<FeederValues> &values, const std::vector<int> &feeders, int last);

// The feeder result text (tabs and CR LF as shown and printed).
QString feederResultText(const FeederResult &result);
// The station peak text; `peakTime` is any date text of the peak.
QString stationText(const StationPeak &peak, const QString &peakTime,
                    const std::array<QString, kFeeders> &feederNames);

// The result window's texts.
QString feederHeading();                              // "FEEDER AMPS DURING FEEDER PEAK (NON-COINCIDENTAL)  "
QString feederLabel(int feeder, const QString &name); // "  F1: name"

} // namespace survey
