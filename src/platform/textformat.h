// Text helpers shared by every report, file and message of the program:
// numeric pictures, fixed-width fields, rounding rules, leading-number
// parsing and the date texts. All date texts use English month names,
// whatever the locale of the machine.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <optional>

namespace textformat {

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double v);
// Rounds halves to even and converts to a 16-bit integer; nullopt when the
// result does not fit (-32768..32767).
std::optional<int16_t> toInt16(double v);
// Rounds towards minus infinity (-7.5 -> -8).
int64_t floorInt(double v);

// The leading numeric part of a text: optional blanks, sign, digits, one
// decimal point, digits, optional exponent. "12.5abc" -> 12.5, "abc" -> 0.
double leadingNumber(const QString &text);
// Same, but tells whether the text starts with a number at all.
std::optional<double> parseLeadingNumber(const QString &text);

// A number as text with a leading blank when it is not negative: 5 -> " 5",
// -5 -> "-5", 2.5 -> " 2.5". Whole numbers show no decimals; other values
// show up to 7 significant digits.
QString withLeadingBlank(double v);
// The shortest text of a number: up to 7 significant digits, no exponent for
// ordinary magnitudes, no trailing zeros ("123.4", "5", "-0.25").
QString numberText(double v);

// Formats a number with a picture: "0" is a digit always shown, "#" a digit
// shown only when needed, "." the decimal point, "," in the integer part
// asks for thousands separators; any other character (blanks) is copied.
// Integer digits beyond the picture's places are all shown. Digits beyond
// the picture's decimals are rounded half away from zero. A negative value
// gets its "-" in front of the whole text; one that rounds to zero shows no
// sign. Examples: ("##0.0", 3.14) -> "3.1", ("###,###,##0", 1234567) ->
// "1,234,567", (" 0000", 42) -> " 0042", ("000.0", 5) -> "005.0",
// (".000", 4.38) -> "4.380", (".000", 0.5) -> ".500".
QString picture(double v, const QString &pic);

// Where a picture puts the "-" of a negative value.
enum class SignPlace {
    // In front of the whole text, the picture's leading blanks included
    // (("  000.0", -5) -> "-  005.0"), as picture() does.
    Leading,
    // Right before the digits, in the blank that stands there, so that the
    // text keeps its width and a reader splitting at blanks sees one number
    // (("  000.0", -5) -> " -005.0"). Without a blank in the picture it takes
    // the blank that ends the text already written, and only without one does
    // the text grow by the sign.
    BesideDigits,
};

// A picture read once, for formatting many numbers with it:
// PictureFormat(pic)(v) == picture(v, pic).
class PictureFormat {
public:
    explicit PictureFormat(const QString &pic, SignPlace signPlace = SignPlace::Leading);
    QString operator()(double v) const;
    // Appends the formatted number to `out` (no text of its own is made).
    void appendTo(QString &out, double v) const;
    // Appends a number given in tenths (1234 is 123.4), exactly as
    // appendTo(out, tenths / 10.0) would, in integer arithmetic.
    void appendTenths(QString &out, int64_t tenths) const;

private:
    // `digits`: a carry place, the integer digits and maxDec_ decimals.
    void appendDigits(QString &out, bool negative, const char *digits, int n) const;
    QString whole_; // the picture itself, shown when it has no digit place
    QString prefix_, suffix_;
    QByteArray prefixLatin1_, suffixLatin1_; // the same, when they are Latin-1 (pictures are)
    bool latin1Ends_ = false;
    SignPlace signPlace_ = SignPlace::Leading;
    bool hasDigits_ = false;
    bool hasDot_ = false;
    bool noDecimalPlaces_ = true;
    bool thousands_ = false;
    int minInt_ = 0;
    int maxDec_ = 0;
    int minDec_ = 0;
};

// Cuts a text to n characters or pads it with blanks on the right.
QString fixedLeft(const QString &text, int n);
// Pads a text with blanks on the left to n characters (longer texts stay whole).
QString fixedRight(const QString &text, int n);

// The date and time layouts used by the program.
enum class DateText {
    Header,        // "mm-dd-yy hh:mm"         instrument headers, initialization string
    Stamp,         // "hh:mm  MMM dd, yy"      model and reports (two blanks)
    StampOneBlank, // "hh:mm MMM dd, yy"
    StampWide,     // "hh:mm      MMM dd, yy"    (six blanks)
    StationPeak,   // 26 blanks, "hh:mm", 13 blanks, "MMM dd, yy"
    MonthFirst,    // "MMM dd, yy hh:mm"
    MonthDayTime,  // "MMM dd hh:mm"
    MonthDayYear4, // "MMM dd, yyyy"
    MonthDashDate, // "MMM-dd-yy"
    Yymmdd,        // "yymmdd"
    Hhmm,          // "hhmm"
    Columns,       // "yy mm dd hh mm"
};
// Empty text for an invalid time.
QString dateText(const QDateTime &t, DateText layout);
// Appends dateText(t, layout) to `text`.
void appendDateText(QString &text, const QDateTime &t, DateText layout);

// Reads a date and time in any of the layouts above that hold a whole date
// (all but MonthDayTime and Hhmm), and "mm/dd/yy", "mm-dd-yyyy", full or
// three-letter English month names, with or without a time (then 00:00);
// surrounding blanks are ignored. Two-digit years below 80 are 20yy, others
// 19yy. The result is a wall-clock time (kept as UTC, no daylight-saving
// jumps). nullopt when the text is not a date.
std::optional<QDateTime> parseDate(const QString &text);
// Reads "hh:mm" or "hh:mm:ss" (surrounding blanks ignored); nullopt otherwise.
std::optional<QTime> parseTime(const QString &text);

// English three-letter month name, 1 = "Jan".
QString monthName(int month);

} // namespace textformat
