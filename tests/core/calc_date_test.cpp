#include "recording/calc_date.h"

#include "program/program.h"
#include "support/test_program.h"

#include <QByteArray>
#include <ctime>
#include <gtest/gtest.h>

namespace {

const QString kBase = QStringLiteral("10:00  Jan 01, 26");

} // namespace

TEST(CalcDate, AverageModesAddOneIntervalPerValue)
{
    EXPECT_EQ(calcDate("a", kBase, 4), "11:00  Jan 01, 26");
    EXPECT_EQ(calcDate("b", kBase, 4), "10:20  Jan 01, 26");
    EXPECT_EQ(calcDate("c", kBase, 4), "10:04  Jan 01, 26");
    EXPECT_EQ(calcDate("d", kBase, 1), "10:15  Jan 01, 26");
    EXPECT_EQ(calcDate("f", kBase, 0), kBase);
}

TEST(CalcDate, MinMaxAvgModesHoldThreeValuesPerInterval)
{
    EXPECT_EQ(calcDate("g", kBase, 4), "10:20  Jan 01, 26");
    // interval j: 3j, 3j+1, 3j+2 -> 15j, 15j+5, 15j+10 minutes
    EXPECT_EQ(calcDate("g", kBase, 3), "10:15  Jan 01, 26");
    EXPECT_EQ(calcDate("g", kBase, 5), "10:25  Jan 01, 26");
    EXPECT_EQ(calcDate("j", kBase, 6), "10:30  Jan 01, 26");
    // 1-minute min/max/avg: thirds of a minute are cut off
    EXPECT_EQ(calcDate("i", kBase, 1), kBase);
    EXPECT_EQ(calcDate("i", kBase, 2), kBase);
    EXPECT_EQ(calcDate("i", kBase, 3), "10:01  Jan 01, 26");
    EXPECT_EQ(calcDate("l", kBase, 5), "10:01  Jan 01, 26");
    // 5-minute: Int(5 x 4 / 3) = 6
    EXPECT_EQ(calcDate("h", kBase, 4), "10:06  Jan 01, 26");
    EXPECT_EQ(calcDate("k", kBase, 4), "10:06  Jan 01, 26");
}

TEST(CalcDate, NegativeIndicesRoundTowardsMinusInfinity)
{
    EXPECT_EQ(calcDate("c", kBase, -1), "09:59  Jan 01, 26");
    EXPECT_EQ(calcDate("a", kBase, -4), "09:00  Jan 01, 26");
    // -1/3 minute -> -1; -4/3 -> -2; 5 x -1 / 3 = -1.67 -> -2
    EXPECT_EQ(calcDate("i", kBase, -1), "09:59  Jan 01, 26");
    EXPECT_EQ(calcDate("i", kBase, -3), "09:59  Jan 01, 26");
    EXPECT_EQ(calcDate("i", kBase, -4), "09:58  Jan 01, 26");
    EXPECT_EQ(calcDate("h", kBase, -1), "09:58  Jan 01, 26");
    // back across midnight and the year
    EXPECT_EQ(calcDate("a", "00:10  Jan 01, 26", -1), "23:55  Dec 31, 25");
}

TEST(CalcDate, ModeMHasNoInterval)
{
    EXPECT_EQ(calcDate("m", kBase, 0), kBase);
    EXPECT_EQ(calcDate("m", kBase, 1000), kBase);
    EXPECT_EQ(calcDate("m", kBase, -1000), kBase);
}

TEST(CalcDate, CrossesDaysYearsAndLeapDays)
{
    EXPECT_EQ(calcDate("b", "23:50  Dec 31, 25", 3), "00:05  Jan 01, 26");
    EXPECT_EQ(calcDate("a", "10:00  Feb 28, 28", 96), "10:00  Feb 29, 28");
    EXPECT_EQ(calcDate("a", "10:00  Feb 28, 27", 96), "10:00  Mar 01, 27");
    // the largest recording: 42,967 values of 15 minutes
    EXPECT_EQ(calcDate("a", kBase, 42966), "23:30  Mar 24, 27");
    EXPECT_EQ(calcDate("i", kBase, 42966), "08:42  Jan 11, 26");
}

TEST(CalcDate, BaseTimeInOtherDateLayouts)
{
    EXPECT_EQ(calcDate("a", "01-01-26 10:00", 4), "11:00  Jan 01, 26");
    EXPECT_EQ(calcDate("a", "10:00 Jan 01, 26", 4), "11:00  Jan 01, 26");
    EXPECT_EQ(calcDate("a", "10:00  Jan 01, 26     ", 4), "11:00  Jan 01, 26");
}

TEST(CalcDate, WallClockTimesIgnoreDaylightSaving)
{
    // Spring forward in Central Europe at 02:00 on Mar 29, 2026: a recording
    // keeps counting in wall-clock minutes.
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const QString t = calcDate("a", "01:30  Mar 29, 26", 4);
    const QString back = calcDate("a", "03:30  Oct 25, 26", -8);
    if (oldTz.isEmpty()) {
        qunsetenv("TZ");
    } else {
        qputenv("TZ", oldTz);
    }
    tzset();
    EXPECT_EQ(t, "02:30  Mar 29, 26");
    EXPECT_EQ(back, "01:30  Oct 25, 26");
}

TEST(CalcDate, FailuresGiveEmptyText)
{
    EXPECT_EQ(calcDate("a", "", 4), "");
    EXPECT_EQ(calcDate("a", "   ", 4), "");
    EXPECT_EQ(calcDate("a", "not a date", 4), "");
    EXPECT_EQ(calcDate("a", "25:00  Jan 01, 26", 4), "");
    EXPECT_EQ(calcDate("n", kBase, 4), "");
    EXPECT_EQ(calcDate("A", kBase, 4), "");
    EXPECT_EQ(calcDate("", kBase, 4), "");
    EXPECT_EQ(calcDate("ab", kBase, 4), "");
    // Indices that lead before year 100 or past year 9999.
    EXPECT_EQ(calcDate("a", kBase, -2000000000), "");
    EXPECT_EQ(calcDate("a", kBase, 2000000000), "");
}

// ---------------------------------------------------------------- the program's form

class CalcDateProgram : public ::testing::Test {
protected:
    TestProgram tp;
    Recording &rec() { return tp.p().rec; }
    void setSlot(int slot, const QString &mode, const QString &start)
    {
        rec().gInfo[slot][kColMode] = mode;
        rec().gInfo[slot][kColStart] = start;
    }
};

TEST_F(CalcDateProgram, LeavesTheStampInGTextAndSetsTheModeLetter)
{
    setSlot(1, "g", kBase);
    rec().ginx = 1;
    rec().gDateX = 4;
    CalcDate(tp.p());
    EXPECT_EQ(rec().gText, "10:20  Jan 01, 26");
    EXPECT_EQ(rec().gModeLetter, "g");

    setSlot(0, "c", kBase);
    rec().ginx = 0;
    rec().gDateX = -1;
    CalcDate(tp.p());
    EXPECT_EQ(rec().gText, "09:59  Jan 01, 26");
    EXPECT_EQ(rec().gModeLetter, "c");
}

TEST_F(CalcDateProgram, RowThreeIsAValidSlot)
{
    setSlot(3, "a", kBase);
    rec().ginx = 3;
    rec().gDateX = 8;
    CalcDate(tp.p());
    EXPECT_EQ(rec().gText, "12:00  Jan 01, 26");
}

TEST_F(CalcDateProgram, ModeMGivesTheBase)
{
    setSlot(2, "m", kBase);
    rec().ginx = 2;
    rec().gDateX = 77;
    CalcDate(tp.p());
    EXPECT_EQ(rec().gText, kBase);
    EXPECT_EQ(rec().gModeLetter, "m");
}

TEST_F(CalcDateProgram, FailuresEmptyAPreviousGText)
{
    setSlot(0, "a", kBase);
    for (const int slot : {-1, 4, -2}) {
        rec().gText = "left over";
        rec().ginx = slot;
        CalcDate(tp.p());
        EXPECT_EQ(rec().gText, "") << slot;
    }
    // a bad letter still becomes gModeLetter before the failure
    setSlot(0, "z", kBase);
    rec().ginx = 0;
    rec().gText = "left over";
    CalcDate(tp.p());
    EXPECT_EQ(rec().gText, "");
    EXPECT_EQ(rec().gModeLetter, "z");
    // an empty base time
    setSlot(0, "a", "");
    rec().gText = "left over";
    CalcDate(tp.p());
    EXPECT_EQ(rec().gText, "");
    // a free slot has neither letter nor base
    rec().ginx = 2;
    rec().gText = "left over";
    CalcDate(tp.p());
    EXPECT_EQ(rec().gText, "");
}
