// The in-memory store of the open recordings: three slots of fixed-size
// tables shared by every subsystem.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>

// gOutputMode: what the main window is doing with the open recordings, read by the
// commands that share the report labels, the text view and the printer.
enum class OutputMode {
    Nothing = 0, // nothing shown
    // One value with several uses that may meet in one place: a cancel asked
    // for during an instrument exchange, the plot's use of the user's
    // value-axis minimum, a recording file that could not be read, and the
    // notes window waiting for its recording to be chosen.
    CancelOrUserScaleMin = 1,
    ReadingTable = 2,  // the reading table is shown
    Summary = 3,       // the summary view is shown
    Print = 4,         // the summary goes to the printer
    PowerTable = 5,    // the power table is shown
    FileSelection = 6, // a recording is being chosen
};

// One cell of the information table: empty, a text or a number.
class Cell {
public:
    Cell() = default;
    Cell(const QString &t) : v_(t) {}                   // NOLINT(google-explicit-constructor)
    Cell(const char *t) : v_(QString::fromLatin1(t)) {} // NOLINT(google-explicit-constructor)
    Cell(double n) : v_(n) {}                           // NOLINT(google-explicit-constructor)
    Cell(int n) : v_(static_cast<double>(n)) {}         // NOLINT(google-explicit-constructor)

    bool isEmpty() const;
    bool isNumber() const { return std::holds_alternative<double>(v_); }
    // The cell as text: numbers in their shortest form ("123.4", "5").
    QString text() const;
    // The cell as a number: texts by their leading numeric part.
    double number() const;
    int toInt() const { return static_cast<int>(number()); }

    bool operator==(const Cell &o) const { return v_ == o.v_; }

private:
    std::variant<std::monostate, QString, double> v_;
};

constexpr int kSlots = 3;
constexpr int kInfoRows = 4;
constexpr int kInfoCols = 13;
constexpr int kMaxValues = 42967; // value indices 0..42966
constexpr int kLastValueIndex = kMaxValues - 1;

// Columns of gInfo.
enum InfoCol : int {
    kColMode = 0,    // mode letter "a".."l"
    kColSerial = 1,  // 4 characters from the header
    kColStart = 2,   // start time "hh:mm  MMM dd, yy"
    kColLast = 3,    // last value index
    kColUnits = 4,   // "A" or "V"
    kColMax = 5,     // maximum in units
    kColMin = 6,     // minimum in units
    kColPath = 7,    // file path; empty = slot free
    kColRange = 8,   // "LOW" or "HIGH"
    kColEnd = 9,     // header time stamp, "hh:mm  MMM dd, yy"
    kColEdited = 10, // 1 after forced readings
    kColHeader = 11, // header line as read
    kColFormat = 12, // format marker ("T" for "T:" files)
};

struct Recording {
    std::array<std::array<Cell, kInfoCols>, kInfoRows> gInfo{};
    // Readings in tenths of the unit, oldest first.
    std::array<std::array<int16_t, kMaxValues>, kSlots> gValues{};
    // Site notes: location, circuit, name, other.
    std::array<std::array<QString, 4>, kSlots> gSite{};

    int ginx = 0;
    QString gModeLetter;
    int32_t gDateX = 0;
    int32_t gDatastart = 0;
    int32_t gdataend = 0;
    QString gText;
    bool gZoomFlag = false;
    bool gSelectFlag = false;
    OutputMode gOutputMode = OutputMode::Nothing;
    QString gOpenPath;
    QString gWorkPath;

    bool slotInUse(int slot) const { return slot >= 0 && slot < kSlots && !gInfo[slot][kColPath].isEmpty(); }
    // Number of slots in use (slots fill from 0 upwards).
    int openCount() const;
};

// Recording interval and memory behaviour of each mode letter "a".."m".
class ModeTable {
public:
    void fill();
    void clear();
    bool filled() const { return filled_; }
    // Interval in minutes; 0 for "m"; nullopt for letters outside "a".."m"
    // or before the table is filled.
    std::optional<int> interval(const QString &letter) const;
    // "Cont", "Stop" or empty ("m").
    std::optional<QString> memory(const QString &letter) const;
    // The interval as the instrument texts show it: the minutes, or empty
    // for the row "m", which has no interval; nullopt as for interval().
    std::optional<QString> intervalText(const QString &letter) const;

private:
    static int row(const QString &letter);
    bool filled_ = false;
    std::array<int, 13> minutes_{};
    std::array<QString, 13> memory_{};
};

// A letter greater than "f" (as text) means a min/max/avg recording.
inline bool isMinMaxAvg(const QString &modeLetter)
{
    return modeLetter > QLatin1String("f");
}
