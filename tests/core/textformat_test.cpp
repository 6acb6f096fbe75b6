#include "platform/textformat.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace textformat;

namespace {

// Runs a test with a German user locale, both Qt's default and the C
// library's, so that any reliance on the machine's locale shows up.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = QLocale();
        const char *old = std::setlocale(LC_ALL, nullptr);
        savedC_ = old != nullptr ? old : "C";
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
            std::setlocale(LC_ALL, "de_DE");
        }
    }
    void TearDown() override
    {
        QLocale::setDefault(saved_);
        std::setlocale(LC_ALL, savedC_.c_str());
    }

private:
    QLocale saved_;
    std::string savedC_;
};

const QDateTime kMay3(QDate(2026, 5, 3), QTime(7, 4), Qt::UTC);
const QDateTime kDec16(QDate(2012, 12, 16), QTime(23, 59), Qt::UTC);

} // namespace

// ---------------------------------------------------------------- rounding

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(-3.5), -4.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(roundHalfEven(2.5001), 3.0);
    EXPECT_EQ(roundHalfEven(-2.6), -3.0);
    EXPECT_EQ(roundHalfEven(7.0), 7.0);
}

TEST(Rounding, ToInt16RoundsAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(toInt16(123.4 * 10), 1234);
    EXPECT_EQ(toInt16(12.25 * 10), 122); // 122.5 -> 122
    EXPECT_EQ(toInt16(12.35 * 10), 124); // 123.5 -> 124
    EXPECT_EQ(toInt16(-0.5), 0);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768); // halves to even stay inside
    EXPECT_FALSE(toInt16(32767.5).has_value());
    EXPECT_FALSE(toInt16(-32769.0).has_value());
    EXPECT_FALSE(toInt16(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(toInt16(std::numeric_limits<double>::infinity()).has_value());
}

TEST(Rounding, FloorGoesTowardsMinusInfinity)
{
    EXPECT_EQ(floorInt(-7.5), -8);
    EXPECT_EQ(floorInt(7.5), 7);
    EXPECT_EQ(floorInt(-0.1), -1);
    EXPECT_EQ(floorInt(-3.0), -3);
    EXPECT_EQ(floorInt(0.9999), 0);
    EXPECT_EQ(floorInt(644490.0), 644490);
}

// ---------------------------------------------------------------- numbers

TEST(LeadingNumber, TakesTheNumericStartOfAText)
{
    EXPECT_DOUBLE_EQ(leadingNumber("12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(leadingNumber("   -3 volts"), -3.0);
    EXPECT_DOUBLE_EQ(leadingNumber("+7"), 7.0);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(leadingNumber("1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(leadingNumber("2e"), 2.0);
    EXPECT_DOUBLE_EQ(leadingNumber("0,9"), 0.0); // the decimal point is always "."
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("-"), 0.0);
}

TEST(LeadingNumber, TellsWhetherThereIsANumberAtAll)
{
    EXPECT_EQ(parseLeadingNumber("0.9"), 0.9);
    EXPECT_EQ(parseLeadingNumber("0"), 0.0);
    EXPECT_FALSE(parseLeadingNumber("abc").has_value());
    EXPECT_FALSE(parseLeadingNumber("").has_value());
    EXPECT_FALSE(parseLeadingNumber("  ").has_value());
    EXPECT_FALSE(parseLeadingNumber(".").has_value());
    EXPECT_FALSE(parseLeadingNumber("1e999").has_value()); // no finite value
}

TEST(NumberText, ShortestFormWithUpToSevenDigits)
{
    EXPECT_EQ(numberText(123.4), "123.4");
    EXPECT_EQ(numberText(static_cast<float>(123.4)), "123.4"); // single precision noise hidden
    EXPECT_EQ(numberText(static_cast<float>(0.9)), "0.9");
    EXPECT_EQ(numberText(5.0), "5");
    EXPECT_EQ(numberText(-0.25), "-0.25");
    EXPECT_EQ(numberText(0.0), "0");
    EXPECT_EQ(numberText(42966.0), "42966");
    EXPECT_EQ(numberText(12345678.0), "12345678");
}

TEST(NumberText, LeadingBlankUnlessNegative)
{
    EXPECT_EQ(withLeadingBlank(5), " 5");
    EXPECT_EQ(withLeadingBlank(-5), "-5");
    EXPECT_EQ(withLeadingBlank(2.5), " 2.5");
    EXPECT_EQ(withLeadingBlank(0), " 0");
    EXPECT_EQ(withLeadingBlank(8005), " 8005");
}

// ---------------------------------------------------------------- pictures

struct PictureCase {
    double value;
    const char *pic;
    const char *expected;
};

class Picture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(Picture, Formats)
{
    const PictureCase &c = GetParam();
    EXPECT_EQ(picture(c.value, QString::fromLatin1(c.pic)), QString::fromLatin1(c.expected))
        << c.value << " with \"" << c.pic << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, Picture,
    ::testing::Values(
        // the recording file's LOW and HIGH values
        PictureCase{3.14, "##0.0", "3.1"}, PictureCase{0.04, "##0.0", "0.0"},
        PictureCase{123.4, "##0.0", "123.4"}, PictureCase{123.45, "##0.0", "123.5"},
        PictureCase{1234.5, "##0.0", "1234.5"}, PictureCase{-12.5, "##0.0", "-12.5"},
        PictureCase{12.0, "###0", "12"}, PictureCase{12.5, "###0", "13"}, PictureCase{0.0, "###0", "0"},
        PictureCase{99999.0, "###0", "99999"}, PictureCase{-3.5, "###0", "-4"},
        // the energy text
        PictureCase{1234567.0, "###,###,##0", "1,234,567"}, PictureCase{999.0, "###,###,##0", "999"},
        PictureCase{1000.0, "###,###,##0", "1,000"}, PictureCase{0.0, "###,###,##0", "0"},
        PictureCase{999.5, "###,###,##0", "1,000"}, PictureCase{1234567890.0, "###,###,##0", "1,234,567,890"},
        PictureCase{-1234.0, "###,###,##0", "-1,234"},
        // zeros are digit places always shown; blanks are copied
        PictureCase{42.0, " 0000", " 0042"}, PictureCase{12345.0, " 0000", " 12345"},
        PictureCase{-42.0, " 0000", "- 0042"}, PictureCase{5.0, "000.0", "005.0"},
        PictureCase{48.25, "000.0", "048.3"}, PictureCase{999.95, "000.0", "1000.0"},
        PictureCase{48.2, "###0.0", "48.2"}, PictureCase{0.35, "###0.0", "0.4"},
        PictureCase{7.0, "000", "007"}, PictureCase{0.5, "000", "001"}, PictureCase{123.0, "0000", "0123"},
        PictureCase{48.2, "  000.0", "  048.2"}, PictureCase{48.2, "     000.0  ", "     048.2  "},
        PictureCase{48.0, " 0000 ", " 0048 "}, PictureCase{123.4, "   000", "   123"},
        PictureCase{123.0, "         0", "         123"}, PictureCase{12.6, "0", "13"},
        PictureCase{-0.04, "0.0", "0.0"},
        // battery voltage: three decimals, no digit forced before the point
        PictureCase{4.38, ".000", "4.380"}, PictureCase{0.5, ".000", ".500"},
        PictureCase{0x3FF * 0.003656 + 0.15, ".000", "3.890"},
        // "#" places
        PictureCase{0.0, "#", ""}, PictureCase{5.0, "#", "5"}, PictureCase{0.5, "#.##", ".5"},
        PictureCase{1.256, "0.0#", "1.26"}, PictureCase{1.2, "0.0#", "1.2"},
        // rounding goes through the decimal text the value was written as
        PictureCase{0.15, "0.0", "0.2"}, PictureCase{2.675, "0.00", "2.68"},
        PictureCase{-0.15, "0.0", "-0.2"},
        // no digit places: the picture itself
        PictureCase{12.0, "abc", "abc"}));

TEST(PictureSpecial, NonFiniteValuesDoNotBreakTheText)
{
    EXPECT_EQ(picture(std::numeric_limits<double>::quiet_NaN(), "##0.0"), "nan");
    EXPECT_EQ(picture(std::numeric_limits<double>::infinity(), "##0.0"), "inf");
}

// Table pictures keep a negative value's sign beside its digits: in the
// picture's blank before them, else in the blank the text before ends with;
// the tenths and the double paths agree.
TEST(PictureSign, BesideTheDigitsInTheFieldsOwnWidth)
{
    struct Case {
        QString before;
        int tenths;
        QString pic;
        QString expected;
    };
    for (const Case &c :
         {Case{"", -50, "  000.0", " -005.0"}, Case{"", -482, " 0000 ", "-0048 "},
          Case{"", -12345, "   000", "  -1235"}, Case{"x  ", -50, "000.0", "x -005.0"},
          Case{"x", -50, "000.0", "x-005.0"}, Case{"", -4, " 0000", " 0000"},
          Case{"", 50, "  000.0", "  005.0"},
          Case{"", -50, QString::fromUtf8("\u2192 000.0"), QString::fromUtf8("\u2192-005.0")},
          Case{"a ", -50, QString::fromUtf8("000.0\u2190"), QString::fromUtf8("a-005.0\u2190")}}) {
        const PictureFormat format(c.pic, SignPlace::BesideDigits);
        QString viaTenths = c.before;
        format.appendTenths(viaTenths, c.tenths);
        QString viaDouble = c.before;
        format.appendTo(viaDouble, c.tenths / 10.0);
        EXPECT_EQ(viaTenths, c.expected) << c.pic.toStdString();
        EXPECT_EQ(viaDouble, c.expected) << c.pic.toStdString();
    }
}

TEST_F(GermanLocale, PicturesAndNumbersKeepThePointAndComma)
{
    EXPECT_EQ(picture(1234567.0, "###,###,##0"), "1,234,567");
    EXPECT_EQ(picture(48.2, "  000.0"), "  048.2");
    EXPECT_EQ(numberText(0.9), "0.9");
    EXPECT_DOUBLE_EQ(leadingNumber("0.9"), 0.9);
}

// ---------------------------------------------------------------- fixed fields

TEST(FixedFields, CutOrPad)
{
    EXPECT_EQ(fixedLeft("abc", 5), "abc  ");
    EXPECT_EQ(fixedLeft("abcdef", 3), "abc");
    EXPECT_EQ(fixedLeft("", 2), "  ");
    EXPECT_EQ(fixedLeft("abc", 3), "abc");
    EXPECT_EQ(fixedRight("12", 5), "   12");
    EXPECT_EQ(fixedRight("123456", 3), "123456"); // a number is never cut
    EXPECT_EQ(fixedRight(picture(48.2, "##0.0"), 5), " 48.2");
}

// ---------------------------------------------------------------- dates

TEST_F(GermanLocale, EveryDateTextHasEnglishMonthNames)
{
    EXPECT_EQ(dateText(kMay3, DateText::Header), "05-03-26 07:04");
    EXPECT_EQ(dateText(kMay3, DateText::Stamp), "07:04  May 03, 26");
    EXPECT_EQ(dateText(kMay3, DateText::StampOneBlank), "07:04 May 03, 26");
    EXPECT_EQ(dateText(kMay3, DateText::StampWide), "07:04      May 03, 26");
    EXPECT_EQ(dateText(kMay3, DateText::StationPeak),
              QString(26, ' ') + "07:04" + QString(13, ' ') + "May 03, 26");
    EXPECT_EQ(dateText(kMay3, DateText::MonthFirst), "May 03, 26 07:04");
    EXPECT_EQ(dateText(kMay3, DateText::MonthDayTime), "May 03 07:04");
    EXPECT_EQ(dateText(kMay3, DateText::MonthDayYear4), "May 03, 2026");
    EXPECT_EQ(dateText(kMay3, DateText::MonthDashDate), "May-03-26");
    EXPECT_EQ(dateText(kMay3, DateText::Yymmdd), "260503");
    EXPECT_EQ(dateText(kMay3, DateText::Hhmm), "0704");
    EXPECT_EQ(dateText(kMay3, DateText::Columns), "26 05 03 07 04");
    // a 24-hour clock and the month the German locale names differently
    EXPECT_EQ(dateText(kDec16, DateText::Stamp), "23:59  Dec 16, 12");
    EXPECT_EQ(dateText(QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC), DateText::MonthDayYear4),
              "Mar 01, 2026");
    EXPECT_EQ(dateText(QDateTime(QDate(2026, 10, 1), QTime(0, 0), Qt::UTC), DateText::MonthDashDate),
              "Oct-01-26");
}

TEST(DateText, InvalidTimeGivesEmptyText)
{
    EXPECT_EQ(dateText(QDateTime(), DateText::Stamp), "");
}

TEST(DateText, MonthNames)
{
    EXPECT_EQ(monthName(1), "Jan");
    EXPECT_EQ(monthName(12), "Dec");
    EXPECT_EQ(monthName(0), "");
    EXPECT_EQ(monthName(13), "");
}

TEST_F(GermanLocale, ParseDateReadsEveryLayoutWithADateBack)
{
    for (const DateText layout :
         {DateText::Header, DateText::Stamp, DateText::StampOneBlank, DateText::StampWide,
          DateText::StationPeak, DateText::MonthFirst, DateText::Columns}) {
        for (const QDateTime &t : {kMay3, kDec16}) {
            const QString text = dateText(t, layout);
            const auto back = parseDate(text);
            ASSERT_TRUE(back.has_value()) << text.toStdString();
            EXPECT_EQ(*back, t) << text.toStdString();
        }
    }
    // layouts without a time read as midnight
    for (const DateText layout : {DateText::MonthDayYear4, DateText::MonthDashDate, DateText::Yymmdd}) {
        const QString text = dateText(kMay3, layout);
        const auto back = parseDate(text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_EQ(*back, QDateTime(kMay3.date(), QTime(0, 0), Qt::UTC)) << text.toStdString();
    }
}

TEST(ParseDate, OtherAcceptedForms)
{
    const QDateTime dec16(QDate(2012, 12, 16), QTime(0, 0), Qt::UTC);
    EXPECT_EQ(parseDate("12/16/2012"), dec16);
    EXPECT_EQ(parseDate("12-16-2012"), dec16);
    EXPECT_EQ(parseDate("Dec 16, 2012"), dec16);
    EXPECT_EQ(parseDate("December 16, 2012"), dec16);
    EXPECT_EQ(parseDate("dec 16 12"), dec16);
    EXPECT_EQ(parseDate("Sept 1, 26"), QDateTime(QDate(2026, 9, 1), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(parseDate("  12-16-12 10:30  "), QDateTime(QDate(2012, 12, 16), QTime(10, 30), Qt::UTC));
    EXPECT_EQ(parseDate("12-16-12 10:30:15"), QDateTime(QDate(2012, 12, 16), QTime(10, 30, 15), Qt::UTC));
    EXPECT_EQ(parseDate("1-2-26 7:05"), QDateTime(QDate(2026, 1, 2), QTime(7, 5), Qt::UTC));
    EXPECT_EQ(parseDate("261207,"), QDateTime(QDate(2026, 12, 7), QTime(0, 0), Qt::UTC));
    // a date text padded to a field width
    EXPECT_EQ(parseDate(QStringLiteral("10:30  Dec 16, 12").leftJustified(22)),
              QDateTime(QDate(2012, 12, 16), QTime(10, 30), Qt::UTC));
}

TEST(ParseDate, TwoDigitYearsWindow)
{
    EXPECT_EQ(parseDate("01-01-79")->date().year(), 2079);
    EXPECT_EQ(parseDate("01-01-80")->date().year(), 1980);
    EXPECT_EQ(parseDate("01-01-99")->date().year(), 1999);
    EXPECT_EQ(parseDate("01-01-00")->date().year(), 2000);
    EXPECT_EQ(parseDate("Jan 01, 1979")->date().year(), 1979);
}

TEST(ParseDate, RefusesWhatIsNotADate)
{
    for (const char *bad : {"",
                            "   ",
                            "abc",
                            "10:00",
                            "13-01-26 10:00",
                            "02-30-26",
                            "12-16-26 25:00",
                            "12-16-26 10:61",
                            "Dex 16, 26",
                            "Decxyz 16, 26",
                            "Dec 16",
                            "May 03 07:04",
                            "0704",
                            "12-16",
                            "12-16-26 10:00 extra",
                            "1-2-3-4",
                            "Dec Jan 16, 26",
                            "2612070",
                            "12:16:26",
                            "12-16-26 10:00:99"}) {
        EXPECT_FALSE(parseDate(QString::fromLatin1(bad)).has_value()) << bad;
    }
}

TEST(ParseTime, HoursAndMinutes)
{
    EXPECT_EQ(parseTime("10:30"), QTime(10, 30));
    EXPECT_EQ(parseTime(" 7:05 "), QTime(7, 5));
    EXPECT_EQ(parseTime("23:59:59"), QTime(23, 59, 59));
    for (const char *bad : {"", "24:00", "10:60", "1030", "10:3", "ab:cd", "10:30 pm"}) {
        EXPECT_FALSE(parseTime(QString::fromLatin1(bad)).has_value()) << bad;
    }
}
