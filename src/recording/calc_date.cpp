#include "recording/calc_date.h"

#include "platform/textformat.h"
#include "program/program.h"
#include "recording/recording.h"

#include <QDateTime>
#include <cmath>

namespace {
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;
} // namespace

QString calcDate(const QString &modeLetter, const QString &baseText, int32_t index)
{
    static const ModeTable modes = [] {
        ModeTable t;
        t.fill();
        return t;
    }();
    const auto interval = modes.interval(modeLetter);
    if (!interval) {
        return {};
    }
    const auto base = textformat::parseDate(baseText);
    if (!base) {
        return {};
    }
    const float perInterval = isMinMaxAvg(modeLetter) ? 3.0F : 1.0F;
    // Single precision as the recordings always used; floor, so -7.5 -> -8.
    const float minutes = static_cast<float>(*interval) * static_cast<float>(index) / perInterval;
    const auto offset = static_cast<int64_t>(std::floor(minutes));
    const QDateTime stamp = base->addSecs(offset * 60);
    // Dates run from year 100 to 9999; an index that leads outside fails
    // like any other calculation instead of printing a year such as -23.
    if (!stamp.isValid() || stamp.date().year() < kFirstYear || stamp.date().year() > kLastYear) {
        return {};
    }
    return textformat::dateText(stamp, textformat::DateText::Stamp);
}

void CalcDate(Program &p)
{
    Recording &r = p.rec;
    r.gText.clear();
    if (r.ginx < 0 || r.ginx >= kInfoRows) {
        return;
    }
    r.gModeLetter = r.gInfo[r.ginx][kColMode].text();
    if (!p.modes.interval(r.gModeLetter)) {
        return;
    }
    r.gText = calcDate(r.gModeLetter, r.gInfo[r.ginx][kColStart].text(), r.gDateX);
}
