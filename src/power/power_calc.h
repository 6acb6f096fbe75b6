// The power computation: the combined current of the open current
// recordings, kilowatts per value, the energy over a span, the value axis of
// the power plot and its title. Pure functions of the recording model.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

struct Recording;

namespace power {

// Number of open recordings among slots 0..2.
int openRecordings(const Recording &r);

// Why the open recordings cannot be combined into power.
enum class Refusal { None, Amps, Average };
struct Check {
    Refusal refusal = Refusal::None;
    bool minMaxAvg = false; // a min/max/avg recording is open (Power View is then disabled)
};
// What keeps one open recording out of the power: its units, or, taking
// precedence, its min/max/avg mode.
Refusal recordingRefusal(const Recording &r, int slot);
// Tests the open recordings in slot order, the units before the mode of each;
// the last error found is the one reported.
Check checkRecordings(const Recording &r);
// The message of a refusal; empty for none.
QString refusalMessage(Refusal refusal);

// The combined current at a value index in tenths of amps: A for one
// recording, A + B for two, (A + B + C) / 3 x 1.732 for three. The sums are
// formed in wide arithmetic, so three phases above 3276.7 A come out right.
// A recording contributes 0 beyond its own last value.
double combinedCurrent(const Recording &r, int openCount, int32_t index);

// Kilowatts of a combined current in tenths of amps.
inline double kilowatts(double tenths, double kilovolts, double powerFactor)
{
    return tenths / 10.0 * kilovolts * powerFactor;
}

struct Result {
    std::vector<float> kw; // kw[j] for value index first + j
    double maxTenths = 0;  // largest combined current, at least 0
    double minTenths = 0;  // smallest combined current, at most maxTenths
    double kwh = 0;        // energy of the span; the first value opens it and carries no interval
    double axisMin = 0;
    double axisMax = 1;
};

// Power over value indices first..last (an empty span when last < first).
Result compute(const Recording &r, int openCount, int32_t first, int32_t last, double kilovolts,
               double powerFactor, int intervalMinutes);

// The energy as shown: "###,###,##0 KWHR", or in MWHR above 1,000,000 kWh.
QString energyText(double kwh);
// Kilovolts as the title writes them: a leading blank when not negative and
// no leading zero (0.48 -> " .48", 13.8 -> " 13.8").
QString kilovoltText(double kilovolts);
// The chart title: the file names from the highest slot down, "  Combined;"
// for several recordings, the nominal line voltage and the power factor.
QString titleText(const Recording &r, double kilovolts, float powerFactor);

} // namespace power
