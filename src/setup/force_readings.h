// Forced readings: overwrite readings of the shown (zoomed) range of one
// recording with a fixed value, for example to remove a spike. The change
// is made in memory and marks the recording as edited.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class Program;
struct Recording;

// The "Force Readings" window.
class ForceRdgsView {
public:
    virtual ~ForceRdgsView() = default;
    // Shows the window modally ("0" in the value box, "All" selected); OK
    // calls ForceRdgsOk, both buttons close it.
    virtual void showModal() = 0;
};

enum class ForceScope { All, Leftmost, Rightmost };

namespace force {

// Highest value a recording takes: 99.9 in the low range, 999 otherwise.
double limit(const QString &rangeText);
// The refusal message for a value outside 0..limit.
QString outOfRangeMessage(double limit);
// The stored value (tenths) for `text`, or nullopt when it is outside
// 0..limit. Only the leading number of the text counts; none reads as 0.
std::optional<int16_t> storedValue(const QString &text, double limit);
// Sets the chosen values of `slot` in start..end and the edited flag.
void apply(Recording &r, int slot, int32_t start, int32_t end, ForceScope scope, int16_t value);

} // namespace force

// The window's OK: checks and stores the value (or shows why not), then
// redraws the chart.
void ForceRdgsOk(Program &p, const QString &text, ForceScope scope);

// mnuItemForceRdg: asks for the recording and shows the window.
void ForceRdgsCommand(Program &p);
void installForceReadingsCommands(Program &p);
