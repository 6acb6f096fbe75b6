// The instrument types the program serves: number, display name, the caption
// of its button in the selection window, and the serial settings, memory
// capacity and interface kind an exchange with it depends on.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class Program;

namespace InstType {
inline constexpr int kNone = 0;
inline constexpr int kCustom = 9;
inline constexpr int kAutoDetect = 11;
inline constexpr int kLast = 14;
// The two members of the MQA-S5 family automatic detection chooses between.
inline constexpr int kMqaS5 = 7;
inline constexpr int kMqaS5Mh = 8;
} // namespace InstType

inline const QString kSettings9600 = QStringLiteral("9600,N,8,1");
inline const QString kSettings115200 = QStringLiteral("115200,N,8,1");

struct InstrumentType {
    int number = 0;
    QString name;    // InstName
    QString caption; // caption of its option button in InstSel
    bool offered = false;
    bool voltageRecorder = false;
};

// Every type 0..14 in number order.
const std::vector<InstrumentType> &instrumentCatalogue();

// Display name of type n; empty for a number outside the catalogue.
QString InstName(int n);

// Settings, capacity and interface flag of a type. For Custom these are the
// Custom values, for automatic detection those of the assumed member.
struct TypeSettings {
    QString portSettings;
    int32_t maxSamples = 0;
    bool s5 = true;
};
// nullopt-like: `valid` false for type 0 (and numbers outside the catalogue),
// whose selection changes nothing.
struct TypeSettingsRule {
    bool valid = false;
    TypeSettings settings;
};
TypeSettingsRule typeSettings(const Program &p, int type);

// Applies the settings rule of a type to the start-up values and gS5Flag.
void applyTypeSettings(Program &p, int type);

// The automatic-detection type is selected.
bool autoDetectSelected(const Program &p);

// Buttons of the properties window, with the values they stand for.
struct BaudChoice {
    int button;
    QString caption;
    QString settings;
};
struct CapacityChoice {
    int button;
    QString caption;
    int32_t samples;
};
const std::vector<BaudChoice> &baudChoices();
const std::vector<CapacityChoice> &capacityChoices();
