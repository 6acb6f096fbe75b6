#include "recording/calc_date.h"

#include "platform/textformat.h"
#include "program/program.h"
#include "recording/recording.h"

#include <cmath>

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
    return textformat::dateText(base->addSecs(offset * 60), textformat::DateText::Stamp);
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
