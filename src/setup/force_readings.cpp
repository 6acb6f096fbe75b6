#include "setup/force_readings.h"

#include "chart/displ_plot.h"
#include "platform/dialogs.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/recording.h"
#include "recording/select_file.h"

#include <algorithm>

namespace force {

double limit(const QString &rangeText)
{
    return rangeText == QLatin1String("LOW") ? 99.9 : 999.0;
}

QString outOfRangeMessage(double limit)
{
    return QStringLiteral(
               "Error - New reading is outside the allowable range.\r\n  - Must be between 0 and ") +
           textformat::numberText(limit);
}

std::optional<int16_t> storedValue(const QString &text, double limit)
{
    // Single precision, as the value box is read; 99.9 compares as 99.9F.
    const auto v = static_cast<float>(textformat::leadingNumber(text));
    if (v < 0.0F || v > static_cast<float>(limit)) {
        return std::nullopt;
    }
    return static_cast<int16_t>(textformat::roundHalfEven(static_cast<double>(v) * 10.0));
}

void apply(Recording &r, int slot, int32_t start, int32_t end, ForceScope scope, int16_t value)
{
    int32_t first = start;
    int32_t last = end;
    if (scope == ForceScope::Leftmost) {
        last = first;
    } else if (scope == ForceScope::Rightmost) {
        first = last;
    }
    first = std::max<int32_t>(first, 0);
    last = std::min<int32_t>(last, kLastValueIndex);
    auto &values = r.gValues[static_cast<size_t>(slot)];
    for (int32_t i = first; i <= last; ++i) {
        values[static_cast<size_t>(i)] = value;
    }
    r.gInfo[slot][kColEdited] = 1;
}

} // namespace force

void ForceRdgsOk(Program &p, const QString &text, ForceScope scope)
{
    Recording &r = p.rec;
    if (r.ginx < 0 || r.ginx > 2) {
        p.dialogs().message(QStringLiteral("Software error in ForceRdgs - 'ginx' is out of range"));
    } else {
        const double lim = force::limit(r.gInfo[r.ginx][kColRange].text());
        const auto value = force::storedValue(text, lim);
        if (!value) {
            p.dialogs().message(force::outOfRangeMessage(lim));
        } else {
            force::apply(r, r.ginx, r.gDatastart, r.gdataend, scope, *value);
        }
    }
    redrawChart(p);
}

void ForceRdgsCommand(Program &p)
{
    HideTextViews(p);
    if (!SelectRecording(p, QStringLiteral("Error - No file available. Need to open a file."))) {
        return;
    }
    if (p.windows.forceRdgs != nullptr) {
        p.windows.forceRdgs->showModal();
    }
    p.dialogs().setBusy(false);
}

void installForceReadingsCommands(Program &p)
{
    p.addCommand(menu::kItemForceRdg, [&p] { ForceRdgsCommand(p); });
}
