#include "link/instrument_catalogue.h"

#include "program/program.h"

namespace {

constexpr int32_t k512kbit = 42966;
constexpr int32_t k256kbit = 21462;
constexpr int32_t k128kbit = 10710;
constexpr int32_t kOriginalMqa = 2091;
constexpr int32_t kSpecialTest = 294;

} // namespace

const std::vector<InstrumentType> &instrumentCatalogue()
{
    static const std::vector<InstrumentType> types = {
        {0, QStringLiteral("(no instrument selected)"), QStringLiteral("None of the above (Visible=False)"),
         false, false},
        {1, QStringLiteral("KPA10/20"), QStringLiteral("KPA10/20 (No longer Used. ie Visible=False)"), false,
         false},
        {2, QStringLiteral("KPA50/60"), QStringLiteral("KPA50/60"), true, false},
        {3, QStringLiteral("KPV500"), QStringLiteral("KPV500"), true, true},
        {4, QStringLiteral("MQV"), QStringLiteral("MQV"), true, false},
        {5, QStringLiteral("MQV-D"), QStringLiteral("MQV-D"), true, false},
        {6, QStringLiteral("TL40"), QStringLiteral("TL40"), true, true},
        {7, QStringLiteral("MQA-S5"), QStringLiteral("MQA-S5"), true, false},
        {8, QStringLiteral("MQA-S5-MH"), QStringLiteral("MQA-S5-MH"), true, false},
        {9, QStringLiteral("Custom"), QStringLiteral("Custom"), true, false},
        {10, QStringLiteral("MQA"), QStringLiteral("MQA (No longer used ie Visible=False)"), false, false},
        {11, QStringLiteral("MQA-S5-AutoDetect"), QStringLiteral("MQA-S5 Auto Select"), true, false},
        {12, QStringLiteral("TL-R90"), QStringLiteral("TL-R90"), true, false},
        {13, QStringLiteral("MQA-S5-2"), QStringLiteral("MQA-S5-2"), true, false},
        {14, QStringLiteral("TL40-R1"), QStringLiteral("TL40Plus"), true, false},
    };
    return types;
}

QString InstName(int n)
{
    const auto &types = instrumentCatalogue();
    if (n < 0 || n >= static_cast<int>(types.size())) {
        return {};
    }
    return types[static_cast<size_t>(n)].name;
}

TypeSettingsRule typeSettings(const Program &p, int type)
{
    const auto fixed = [](const QString &settings, int32_t samples, bool s5) {
        return TypeSettingsRule{true, TypeSettings{settings, samples, s5}};
    };
    switch (type) {
    case 1:
    case 10:
        return fixed(kSettings9600, kOriginalMqa, false);
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return fixed(kSettings9600, k128kbit, false);
    case InstType::kMqaS5:
        return fixed(kSettings9600, k128kbit, true);
    case InstType::kMqaS5Mh:
    case 12:
    case 13:
        return fixed(kSettings115200, k512kbit, true);
    case 14:
        return fixed(kSettings115200, k256kbit, true);
    case InstType::kCustom:
        return fixed(p.splash.portSettingsCustom, p.splash.maxSamplesCustom, p.splash.gS5FlagCustom);
    case InstType::kAutoDetect:
        return p.splash.instAutoCurrent == InstType::kMqaS5 ? fixed(kSettings9600, k128kbit, true)
                                                            : fixed(kSettings115200, k512kbit, true);
    default:
        return {};
    }
}

void applyTypeSettings(Program &p, int type)
{
    const TypeSettingsRule rule = typeSettings(p, type);
    if (!rule.valid) {
        return;
    }
    p.splash.portSettings = rule.settings.portSettings;
    p.splash.maxSamples = rule.settings.maxSamples;
    p.link.gS5Flag = rule.settings.s5;
}

bool autoDetectSelected(const Program &p)
{
    return p.splash.instSelection == InstType::kAutoDetect;
}

const std::vector<BaudChoice> &baudChoices()
{
    static const std::vector<BaudChoice> choices = {
        {1, QStringLiteral("9,600"), kSettings9600},
        {2, QStringLiteral("115,200"), kSettings115200},
        {8, QStringLiteral("19,200"), QStringLiteral("19200,N,8,1")},
        {9, QStringLiteral("38,400"), QStringLiteral("38400,N,8,1")},
        {10, QStringLiteral("57,600"), QStringLiteral("57600,N,8,1")},
    };
    return choices;
}

const std::vector<CapacityChoice> &capacityChoices()
{
    static const std::vector<CapacityChoice> choices = {
        {3, QStringLiteral("42,966  (512 kbit eeprom)"), k512kbit},
        {4, QStringLiteral("21,462  (256 kbit eeprom)"), k256kbit},
        {5, QStringLiteral("10,710  (128 kbit eeprom)"), k128kbit},
        {6, QStringLiteral("     294  (Special Test)"), kSpecialTest},
        {7, QStringLiteral("  2,091  (Original MQA)"), kOriginalMqa},
    };
    return choices;
}
