#include "recording/recording.h"

#include <gtest/gtest.h>
#include <memory>

TEST(Cell, HoldsNothingTextOrNumber)
{
    const Cell empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNumber());
    EXPECT_EQ(empty.text(), "");
    EXPECT_EQ(empty.number(), 0.0);

    const Cell text(QStringLiteral("LOW"));
    EXPECT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.isNumber());
    EXPECT_EQ(text.text(), "LOW");

    const Cell emptyText(QString{});
    EXPECT_TRUE(emptyText.isEmpty());

    const Cell number(123.4);
    EXPECT_TRUE(number.isNumber());
    EXPECT_FALSE(number.isEmpty());
    EXPECT_EQ(number.text(), "123.4");
    EXPECT_DOUBLE_EQ(number.number(), 123.4);

    const Cell zero(0);
    EXPECT_TRUE(zero.isNumber());
    EXPECT_FALSE(zero.isEmpty()); // the number 0 is a value (the edited flag)
    EXPECT_EQ(zero.text(), "0");
}

TEST(Cell, ConvertsBetweenTextAndNumber)
{
    EXPECT_DOUBLE_EQ(Cell("12.5abc").number(), 12.5);
    EXPECT_DOUBLE_EQ(Cell("abc").number(), 0.0);
    EXPECT_EQ(Cell(" 42").toInt(), 42);
    EXPECT_EQ(Cell(42966).text(), "42966");
    EXPECT_EQ(Cell(static_cast<double>(static_cast<float>(12.3))).text(), "12.3");
    EXPECT_EQ(Cell(1).toInt(), 1);
}

TEST(Cell, EqualityKeepsTheKind)
{
    EXPECT_EQ(Cell(1), Cell(1.0));
    EXPECT_FALSE(Cell(1) == Cell("1"));
    EXPECT_FALSE(Cell() == Cell(""));
    EXPECT_EQ(Cell("a"), Cell(QStringLiteral("a")));
}

TEST(ModeTable, IntervalsAndMemoryOfEveryLetter)
{
    ModeTable t;
    t.fill();
    const int minutes[] = {15, 5, 1, 15, 5, 1, 15, 5, 1, 15, 5, 1};
    const char *memory[] = {"Cont", "Cont", "Cont", "Stop", "Stop", "Stop",
                            "Cont", "Cont", "Cont", "Stop", "Stop", "Stop"};
    for (int i = 0; i < 12; ++i) {
        const QString letter(QChar('a' + i));
        EXPECT_EQ(t.interval(letter), minutes[i]) << i;
        EXPECT_EQ(t.memory(letter), QString::fromLatin1(memory[i])) << i;
    }
}

TEST(ModeTable, ModeMIsAnEmptyRow)
{
    ModeTable t;
    t.fill();
    EXPECT_EQ(t.interval("m"), 0);
    EXPECT_EQ(t.memory("m"), QString());
}

TEST(ModeTable, LettersWithoutARow)
{
    ModeTable t;
    t.fill();
    for (const char *bad : {"n", "z", "A", "G", "", "ab", " ", "`"}) {
        EXPECT_FALSE(t.interval(bad).has_value()) << bad;
        EXPECT_FALSE(t.memory(bad).has_value()) << bad;
    }
}

TEST(ModeTable, EmptyUntilFilledAndAfterClear)
{
    ModeTable t;
    EXPECT_FALSE(t.filled());
    EXPECT_FALSE(t.interval("a").has_value());
    t.fill();
    EXPECT_TRUE(t.filled());
    t.clear();
    EXPECT_FALSE(t.filled());
    EXPECT_FALSE(t.interval("a").has_value());
}

TEST(ModeTable, MinMaxAvgIsATextComparisonWithF)
{
    EXPECT_FALSE(isMinMaxAvg("a"));
    EXPECT_FALSE(isMinMaxAvg("f"));
    EXPECT_TRUE(isMinMaxAvg("g"));
    EXPECT_TRUE(isMinMaxAvg("l"));
    EXPECT_FALSE(isMinMaxAvg(""));
}

TEST(Recording, SlotsAreInUseByTheirPath)
{
    auto r = std::make_unique<Recording>();
    EXPECT_EQ(r->openCount(), 0);
    EXPECT_FALSE(r->slotInUse(0));
    r->gInfo[0][kColPath] = "/tmp/a.dat";
    r->gInfo[1][kColPath] = "/tmp/b.dat";
    EXPECT_TRUE(r->slotInUse(0));
    EXPECT_TRUE(r->slotInUse(1));
    EXPECT_FALSE(r->slotInUse(2));
    EXPECT_FALSE(r->slotInUse(3)); // row 3 is never a slot
    EXPECT_FALSE(r->slotInUse(-1));
    EXPECT_EQ(r->openCount(), 2);
    r->gInfo[1][kColPath] = "";
    EXPECT_EQ(r->openCount(), 1);
}

TEST(Recording, HoldsTheLargestRecording)
{
    auto r = std::make_unique<Recording>();
    EXPECT_EQ(kMaxValues, 42967);
    EXPECT_EQ(kLastValueIndex, 42966);
    r->gValues[2][kLastValueIndex] = -32768;
    EXPECT_EQ(r->gValues[2][42966], -32768);
    EXPECT_EQ(r->gValues[0][0], 0);
}
