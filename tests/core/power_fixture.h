// Recordings for the power, table and export tests: the chart fixture's
// model with the power commands installed and the line voltage stored.
#pragma once

#include "chart_fixture.h"
#include "platform/settings_store.h"
#include "power/power_commands.h"
#include "program/view_procs.h"

class PowerFixture : public ChartFixture {
protected:
    PowerFixture() { installPowerCommands(p()); }

    void setVolts(const QString &volts)
    {
        tp.settings.store.save(QStringLiteral("Settings"), QStringLiteral("Vline"), volts);
    }
    // Slot `slot` with `values` (tenths), its start time and range.
    void openAt(int slot, const QString &letter, const std::vector<int16_t> &values, const QString &start,
                const QString &range = QStringLiteral("LOW"), const QString &units = QStringLiteral("A"))
    {
        openSlot(slot, letter, values, QStringLiteral("/data/rec%1.dat").arg(slot), units, range);
        rec().gInfo[slot][kColStart] = start;
        rec().gInfo[slot][kColEnd] = start;
    }
};

// Values 1000 + 10 i tenths (100.0 + i units), i = 0..n-1.
inline std::vector<int16_t> counting(int n)
{
    std::vector<int16_t> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        v[static_cast<size_t>(i)] = static_cast<int16_t>(1000 + 10 * i);
    }
    return v;
}
