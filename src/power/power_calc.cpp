#include "power/power_calc.h"

#include "chart/displ_plot.h"
#include "platform/textformat.h"
#include "recording/recording.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace power {

namespace {

// The open slots' values, each with its own last value index (-1 when the
// slot is not open), so that a shorter recording contributes 0 past its end.
struct Phases {
    explicit Phases(const Recording &r)
    {
        for (int slot = 0; slot < kSlots; ++slot) {
            values[slot] = r.gValues[static_cast<size_t>(slot)].data();
            last[slot] = r.slotInUse(slot) ? std::min(r.gInfo[slot][kColLast].toInt(), kLastValueIndex) : -1;
        }
    }
    int32_t at(int slot, int32_t index) const
    {
        return index >= 0 && index <= last[slot] ? values[slot][index] : 0;
    }
    // Tenths of amps, by the number of open recordings.
    double combined(int openCount, int32_t index) const
    {
        switch (openCount) {
        case 1:
            return at(0, index);
        case 2:
            return at(0, index) + at(1, index);
        case 3:
            return (at(0, index) + at(1, index) + at(2, index)) / 3.0 * 1.732;
        default:
            return 0;
        }
    }
    const int16_t *values[kSlots] = {};
    int32_t last[kSlots] = {};
};

} // namespace

int openRecordings(const Recording &r)
{
    int n = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (r.slotInUse(slot)) {
            ++n;
        }
    }
    return n;
}

Refusal recordingRefusal(const Recording &r, int slot)
{
    if (isMinMaxAvg(r.gInfo[slot][kColMode].text())) {
        return Refusal::Average;
    }
    return r.gInfo[slot][kColUnits].text() != QLatin1String("A") ? Refusal::Amps : Refusal::None;
}

Check checkRecordings(const Recording &r)
{
    Check c;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!r.slotInUse(slot)) {
            continue;
        }
        const Refusal refusal = recordingRefusal(r, slot);
        if (refusal != Refusal::None) {
            c.refusal = refusal;
        }
        c.minMaxAvg = c.minMaxAvg || refusal == Refusal::Average;
    }
    return c;
}

QString refusalMessage(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Average:
        return QStringLiteral("Files must be average mode for power to plot");
    case Refusal::Amps:
        return QStringLiteral("Files must all be amps for power to plot");
    default:
        return {};
    }
}

double combinedCurrent(const Recording &r, int openCount, int32_t index)
{
    return Phases(r).combined(openCount, index);
}

Result compute(const Recording &r, int openCount, int32_t first, int32_t last, double kilovolts,
               double powerFactor, int intervalMinutes)
{
    Result res;
    const Phases phases(r);
    const int32_t count = last >= first ? last - first + 1 : 0;
    res.kw.resize(static_cast<size_t>(count));
    double total = 0;
    double mx = 0; // the largest starts from 0
    double mn = std::numeric_limits<double>::infinity();
    for (int32_t j = 0; j < count; ++j) {
        const double c = phases.combined(openCount, first + j);
        mx = std::max(mx, c);
        mn = std::min(mn, c);
        const auto kw = static_cast<float>(kilowatts(c, kilovolts, powerFactor));
        res.kw[static_cast<size_t>(j)] = kw;
        total += kw;
    }
    mn = std::min(mn, mx); // the smallest starts from the largest
    if (count > 0) {
        total -= res.kw[0];
    }
    res.maxTenths = mx;
    res.minTenths = mn;
    res.kwh = total * intervalMinutes / 60.0;
    res.axisMax = kilowatts(mx * 1.1, kilovolts, powerFactor);
    // 0.9 x the smallest power lies below it when it is positive; below a
    // negative one (reverse power) 1.1 x does, as on the recording plot.
    const double minKw = kilowatts(mn, kilovolts, powerFactor);
    res.axisMin = static_cast<double>(textformat::floorInt(minKw * (minKw < 0 ? 1.1 : 0.9)));
    if (res.axisMax < 1) {
        res.axisMax = 1;
    }
    return res;
}

QString energyText(double kwh)
{
    const QString pic = QStringLiteral("###,###,##0");
    if (kwh > 1'000'000) {
        return textformat::picture(kwh / 1000, pic) + QStringLiteral(" MWHR");
    }
    return textformat::picture(kwh, pic) + QStringLiteral(" KWHR");
}

QString kilovoltText(double kilovolts)
{
    QString t = textformat::withLeadingBlank(kilovolts);
    if (t.mid(1, 2) == QLatin1String("0.")) {
        t.remove(1, 1);
    }
    return t;
}

QString titleText(const Recording &r, double kilovolts, float powerFactor)
{
    QString title;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (r.slotInUse(slot)) {
            title = plot::fileName(r.gInfo[slot][kColPath].text()) + QStringLiteral("   ") + title;
        }
    }
    if (openRecordings(r) > 1) {
        title += QStringLiteral("  Combined;");
    }
    return title + QStringLiteral("   Nominal Line Voltage ") + kilovoltText(kilovolts) +
           QStringLiteral(" KV  ") + QStringLiteral("Power Factor: ") + textformat::numberText(powerFactor);
}

} // namespace power
