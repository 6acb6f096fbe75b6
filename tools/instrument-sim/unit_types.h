// The instrument models the simulator can play, by catalogue type number.
#pragma once

#include <QString>
#include <optional>

struct UnitType {
    int number;
    const char *name;   // catalogue display name
    const char *family; // family code the unit sends (3rd letter: A current, V voltage)
    int baud;
    int capacity; // stored values
    bool s5;
    bool oldLayout; // readings without the "T:" marker
};

// By number ("8") or by name, case-insensitive ("mqa-s5-mh"). The
// automatic-detection type (11) is a program setting, not a unit.
std::optional<UnitType> findUnitType(const QString &text);
QString unitTypeList();
