// A program with a recorded chart and recordings put straight into the model.
#pragma once

#include "program/program.h"
#include "recording/recording.h"
#include "support/fake_chart_device.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <QString>
#include <vector>

class ChartFixture : public ::testing::Test {
protected:
    ChartFixture()
    {
        tp.p().io.chart1 = &chart;
        tp.clock.setNow(QDateTime(QDate(2024, 3, 5), QTime(9, 30), Qt::UTC));
    }

    Program &p() { return tp.p(); }
    Recording &rec() { return tp.p().rec; }

    // Fills slot `slot` as the reader would; values in tenths.
    void openSlot(int slot, const QString &letter, const std::vector<int16_t> &values,
                  const QString &path = QStringLiteral("C:\\data\\rec0.dat"), const QString &units = "A",
                  const QString &range = "HIGH")
    {
        auto &info = rec().gInfo[slot];
        info[kColMode] = letter;
        info[kColSerial] = "1234";
        info[kColStart] = QStringLiteral("10:00  Jan 01, 24");
        info[kColLast] = static_cast<int>(values.size()) - 1;
        info[kColUnits] = units;
        int16_t mx = 0;
        int16_t mn = values.empty() ? 0 : values[0];
        for (size_t i = 0; i < values.size(); ++i) {
            rec().gValues[slot][i] = values[i];
            mx = std::max(mx, values[i]);
            mn = std::min(mn, values[i]);
        }
        info[kColMax] = mx / 10.0;
        info[kColMin] = mn / 10.0;
        info[kColPath] = path;
        info[kColRange] = range;
        info[kColEdited] = 0;
        rec().gSite[slot] = {QStringLiteral("Main St"), QStringLiteral("Feeder 4"), QStringLiteral("J. Doe"),
                             QStringLiteral("dry")};
        rec().ginx = 0;
        rec().gDatastart = 0;
        rec().gdataend = rec().gInfo[0][kColLast].toInt();
    }

    // value(i) = f(i) for n values.
    template <class F> static std::vector<int16_t> series(int n, F f)
    {
        std::vector<int16_t> v(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            v[static_cast<size_t>(i)] = static_cast<int16_t>(f(i));
        }
        return v;
    }

    TestProgram tp;
    FakeChartDevice chart;
};
