#include "recording/calc_date.h"

#include <gtest/gtest.h>

TEST(CalcDate, AverageModeAddsIntervals)
{
    EXPECT_EQ(calcDate("a", "10:00  Jan 01, 26", 4), "11:00  Jan 01, 26");
}
