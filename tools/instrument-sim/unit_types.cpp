#include "unit_types.h"

#include <QStringList>
#include <array>

namespace {

// Family codes are the simulator's choice: "K" or "M" first, units letter last.
constexpr std::array<UnitType, 13> kUnits{{
    {1, "KPA10/20", "KPA", 9600, 2091, false, true},
    {2, "KPA50/60", "KPA", 9600, 10710, false, false},
    {3, "KPV500", "KPV", 9600, 10710, false, false},
    {4, "MQV", "MQV", 9600, 10710, false, false},
    {5, "MQV-D", "MQV", 9600, 10710, false, false},
    {6, "TL40", "KTV", 9600, 10710, false, false},
    {7, "MQA-S5", "KQA", 9600, 10710, true, false},
    {8, "MQA-S5-MH", "KQA", 115200, 42966, true, false},
    {9, "Custom", "KQA", 115200, 42966, true, false},
    {10, "MQA", "MQA", 9600, 2091, false, true},
    {12, "TL-R90", "KTA", 115200, 42966, true, false},
    {13, "MQA-S5-2", "KQA", 115200, 42966, true, false},
    {14, "TL40-R1", "KTV", 115200, 21462, true, false},
}};

} // namespace

std::optional<UnitType> findUnitType(const QString &text)
{
    bool isNumber = false;
    const int n = text.toInt(&isNumber);
    for (const UnitType &u : kUnits) {
        if (isNumber ? u.number == n : text.compare(QLatin1String(u.name), Qt::CaseInsensitive) == 0) {
            return u;
        }
    }
    return std::nullopt;
}

QString unitTypeList()
{
    QStringList items;
    for (const UnitType &u : kUnits) {
        items << QStringLiteral("%1 %2 (%3, %4 baud, %5 values, %6)")
                     .arg(u.number)
                     .arg(QLatin1String(u.name), QLatin1String(u.family))
                     .arg(u.baud)
                     .arg(u.capacity)
                     .arg(QLatin1String(u.s5 ? "S5" : "non-S5"));
    }
    return items.join(QStringLiteral("; ")) + QLatin1Char('.');
}
