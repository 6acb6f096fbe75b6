#include "platform/textformat.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace textformat {

double roundHalfEven(double v)
{
    if (!std::isfinite(v)) {
        return v;
    }
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff > 0.5) {
        return f + 1.0;
    }
    if (diff < 0.5) {
        return f;
    }
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

std::optional<int16_t> toInt16(double v)
{
    const double r = roundHalfEven(v);
    if (!std::isfinite(r) || r < std::numeric_limits<int16_t>::min() ||
        r > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(r);
}

int64_t floorInt(double v)
{
    return static_cast<int64_t>(std::floor(v));
}

std::optional<double> parseLeadingNumber(const QString &text)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?))"));
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double v = m.captured(1).toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return v;
}

double leadingNumber(const QString &text)
{
    return parseLeadingNumber(text).value_or(0.0);
}

QString numberText(double v)
{
    if (v == 0.0) {
        return QStringLiteral("0");
    }
    QString s = QString::number(v, 'g', 7);
    if (s.contains(QLatin1Char('e')) && std::fabs(v) < 1e15 && std::fabs(v) >= 1e-4) {
        s = QString::number(v, 'f', 6);
        if (s.contains(QLatin1Char('.'))) {
            while (s.endsWith(QLatin1Char('0'))) {
                s.chop(1);
            }
            if (s.endsWith(QLatin1Char('.'))) {
                s.chop(1);
            }
        }
    }
    return s;
}

QString withLeadingBlank(double v)
{
    const QString s = numberText(v);
    return s.startsWith(QLatin1Char('-')) ? s : QLatin1Char(' ') + s;
}

namespace {

// Writes a >= 0 with `decimals` decimals, correctly rounded (ties to even),
// exactly as std::to_chars(fixed) does; returns the length. Values below
// 2^53 are done in 128-bit integers, which is several times faster.
int fixedText(double a, int decimals, char *buf, int size)
{
    static constexpr uint64_t kPow10[] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL,
                                          10000000000000000ULL,
                                          100000000000000000ULL};
    if (!(a < 9007199254740992.0) || decimals < 0 || decimals > 17 || size < 64) {
        const auto res = std::to_chars(buf, buf + size, a, std::chars_format::fixed, decimals);
        return res.ec == std::errc() ? static_cast<int>(res.ptr - buf) : 0;
    }
    using u128 = unsigned __int128;
    // a = m x 2^e exactly, with e <= 0.
    int e = 0;
    const double f = std::frexp(a, &e);
    const auto m = static_cast<uint64_t>(std::ldexp(f, 53));
    const int shift = 53 - e;
    const u128 x = static_cast<u128>(m) * kPow10[decimals]; // below 2^110
    u128 q = 0;
    if (shift <= 0) {
        q = x << -shift;
    } else if (shift < 120) {
        q = x >> shift;
        const u128 rest = x - (q << shift);
        const u128 half = static_cast<u128>(1) << (shift - 1);
        if (rest > half || (rest == half && (q & 1) != 0)) {
            ++q;
        }
    } // else: less than half a unit of the last decimal, 0
    // q = a x 10^decimals rounded; its digits, the point before the last `decimals`.
    char rev[48];
    int n = 0;
    const auto put = [&rev, &n](uint64_t v, int atLeast) {
        for (int k = 0; k < atLeast || v != 0; ++k) {
            rev[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        }
    };
    constexpr uint64_t kSplit = 10000000000000000000ULL; // 10^19
    if (q >= kSplit) {
        put(static_cast<uint64_t>(q % kSplit), 19);
        put(static_cast<uint64_t>(q / kSplit), 1);
    } else {
        put(static_cast<uint64_t>(q), 1);
    }
    while (n < decimals + 1) {
        rev[n++] = '0';
    }
    int len = 0;
    for (int i = n - 1; i >= 0; --i) {
        if (i == decimals - 1) {
            buf[len++] = '.';
        }
        buf[len++] = rev[i];
    }
    return len;
}

} // namespace

PictureFormat::PictureFormat(const QString &pic, SignPlace signPlace) : whole_(pic), signPlace_(signPlace)
{
    const auto isDigit = [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); };
    int first = -1;
    int last = -1;
    for (int i = 0; i < pic.size(); ++i) {
        if (isDigit(pic[i])) {
            if (first < 0) {
                first = i;
            }
            last = i;
        }
    }
    if (first < 0) {
        return;
    }
    hasDigits_ = true;
    // The decimal point belongs to the number when it stands among the digit
    // places or right beside them (".000" and "0." both have one).
    int dot = static_cast<int>(pic.indexOf(QLatin1Char('.'), std::max(0, first - 1)));
    if (dot > last + 1) {
        dot = -1;
    }
    const int start = (dot >= 0 && dot < first) ? dot : first;
    const int end = std::max(last, dot); // last character of the number part
    prefix_ = pic.left(start);
    suffix_ = pic.mid(end + 1);
    const auto latin1 = [](const QString &t) {
        return std::all_of(t.cbegin(), t.cend(), [](QChar c) { return c.unicode() < 256; });
    };
    if (latin1(prefix_) && latin1(suffix_) && prefix_.size() + suffix_.size() <= 64) {
        prefixLatin1_ = prefix_.toLatin1();
        suffixLatin1_ = suffix_.toLatin1();
        latin1Ends_ = true;
    }
    const QString intPic = dot < 0 ? pic.mid(first, last - first + 1) : pic.mid(start, dot - start);
    const QString decPic = dot < 0 ? QString() : pic.mid(dot + 1, end - dot);
    hasDot_ = dot >= 0;
    noDecimalPlaces_ = decPic.isEmpty();
    minInt_ = static_cast<int>(intPic.count(QLatin1Char('0')));
    thousands_ = intPic.contains(QLatin1Char(','));
    maxDec_ = static_cast<int>(decPic.count(QLatin1Char('0')) + decPic.count(QLatin1Char('#')));
    for (int i = 0; i < decPic.size(); ++i) { // decimals up to the last "0" are always shown
        if (decPic[i] == QLatin1Char('0')) {
            minDec_ = i + 1;
        }
    }
}

QString PictureFormat::operator()(double v) const
{
    QString out;
    appendTo(out, v);
    return out;
}

void PictureFormat::appendTo(QString &out, double v) const
{
    if (!std::isfinite(v)) {
        out += QString::number(v);
        return;
    }
    if (!hasDigits_) {
        out += whole_;
        return;
    }
    if (minInt_ > 300 || maxDec_ > 300) {
        out += QString::number(v, 'f', std::min(maxDec_, 300)); // no picture of the program is that wide
        return;
    }
    // The decimal text with eight digits beyond the ones kept recovers the
    // decimal the value was written as (0.15 is stored as 0.1499999...; its
    // text "0.150000000" rounds up); it is then rounded half away from zero.
    char text[400];
    const int len = fixedText(std::fabs(v), std::min(15, maxDec_ + 8), text, static_cast<int>(sizeof text));
    int intLen = 0;
    while (intLen < len && text[intLen] != '.') {
        ++intLen;
    }
    const char *frac = text + std::min(intLen + 1, len);
    const int fracLen = std::max(len - intLen - 1, 0);
    // digits[0] is room for a carry; the number is digits[1 .. n].
    char digits[640]; // a double has at most 309 integer digits
    int n = 1;
    digits[0] = '0';
    for (int i = 0; i < intLen; ++i) {
        digits[n++] = text[i];
    }
    if (intLen == 0) {
        digits[n++] = '0';
    }
    for (int k = 0; k < maxDec_; ++k) {
        digits[n++] = k < fracLen ? frac[k] : '0';
    }
    if ((maxDec_ < fracLen ? frac[maxDec_] : '0') >= '5') {
        int i = n - 1;
        while (digits[i] == '9') {
            digits[i--] = '0';
        }
        ++digits[i];
    }
    appendDigits(out, v < 0, digits, n);
}

void PictureFormat::appendTenths(QString &out, int64_t tenths) const
{
    if (!hasDigits_ || minInt_ > 300 || maxDec_ > 300) {
        appendTo(out, static_cast<double>(tenths) / 10.0);
        return;
    }
    // Exact: the units, then the tenths digit and zeros for further decimals;
    // without decimals the tenths round half away from zero.
    uint64_t magnitude = tenths < 0 ? 0 - static_cast<uint64_t>(tenths) : static_cast<uint64_t>(tenths);
    if (maxDec_ == 0) {
        magnitude = (magnitude + 5) / 10;
    }
    char units[24];
    int u = 0;
    do {
        units[u++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    char digits[640];
    int n = 0;
    digits[n++] = '0'; // the room for a carry that the other path keeps
    const int wholeDigits = maxDec_ == 0 ? u : u - 1;
    if (wholeDigits == 0) {
        digits[n++] = '0';
    }
    for (int i = u - 1; i >= u - wholeDigits; --i) {
        digits[n++] = units[i];
    }
    if (maxDec_ > 0) {
        digits[n++] = units[0];
        for (int k = 1; k < maxDec_; ++k) {
            digits[n++] = '0';
        }
    }
    appendDigits(out, tenths < 0, digits, n);
}

void PictureFormat::appendDigits(QString &out, bool negative, const char *digits, int n) const
{
    bool zero = true;
    for (int i = 0; i < n; ++i) {
        zero = zero && digits[i] == '0';
    }

    // Integer digits without leading zeros (at least one), then the picture's minimum.
    int from = 0;
    const int intEnd = n - maxDec_;
    while (from < intEnd - 1 && digits[from] == '0') {
        ++from;
    }
    const int intDigits = (intEnd - from == 1 && digits[from] == '0' && minInt_ == 0) ? 0 : intEnd - from;
    char whole[640];
    int w = 0;
    for (int pad = intDigits; pad < minInt_; ++pad) {
        whole[w++] = '0';
    }
    for (int i = intEnd - intDigits; i < intEnd; ++i) {
        whole[w++] = digits[i];
    }
    char number[1300];
    int m = 0;
    for (int i = 0; i < w; ++i) {
        if (thousands_ && i > 0 && (w - i) % 3 == 0) {
            number[m++] = ',';
        }
        number[m++] = whole[i];
    }
    int decimals = maxDec_;
    while (decimals > minDec_ && digits[intEnd + decimals - 1] == '0') {
        --decimals;
    }
    if (hasDot_ && (decimals > 0 || noDecimalPlaces_)) {
        number[m++] = '.';
        for (int k = 0; k < decimals; ++k) {
            number[m++] = digits[intEnd + k];
        }
    }
    // A value that rounds to zero shows no sign; otherwise the sign leads the
    // whole picture, literal blanks included, or stands beside the digits.
    const bool sign = negative && !zero;
    const bool leading = sign && signPlace_ == SignPlace::Leading;
    const bool beside = sign && !leading;
    if (!latin1Ends_) {
        if (leading) {
            out += QLatin1Char('-');
        }
        out += prefix_;
        if (beside) {
            if (out.endsWith(QLatin1Char(' '))) {
                out.back() = QLatin1Char('-');
            } else {
                out += QLatin1Char('-');
            }
        }
        out += QLatin1String(number, m);
        out += suffix_;
        return;
    }
    // One piece: sign, picture text before, number, picture text after.
    char piece[1400];
    int k = 0;
    if (leading) {
        piece[k++] = '-';
    }
    for (const char c : prefixLatin1_) {
        piece[k++] = c;
    }
    if (beside) {
        if (k > 0 && piece[k - 1] == ' ') {
            piece[k - 1] = '-';
        } else if (k == 0 && out.endsWith(QLatin1Char(' '))) {
            out.back() = QLatin1Char('-');
        } else {
            piece[k++] = '-';
        }
    }
    for (int i = 0; i < m; ++i) {
        piece[k++] = number[i];
    }
    for (const char c : suffixLatin1_) {
        piece[k++] = c;
    }
    out += QLatin1String(piece, k);
}

QString picture(double v, const QString &pic)
{
    return PictureFormat(pic)(v);
}

QString fixedLeft(const QString &text, int n)
{
    if (text.size() >= n) {
        return text.left(n);
    }
    return text + QString(n - text.size(), QLatin1Char(' '));
}

QString fixedRight(const QString &text, int n)
{
    if (text.size() >= n) {
        return text;
    }
    return QString(n - text.size(), QLatin1Char(' ')) + text;
}

QString monthName(int month)
{
    static const char *const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (month < 1 || month > 12) {
        return {};
    }
    return QString::fromLatin1(names[month - 1]);
}

namespace {

// Fills a date pattern of the layouts above: "yyyy", "yy", "MMM" (English
// month name, whatever the user's locale), "MM", "dd", "hh" (24 hours),
// "mm"; every other character is copied.
void formatDate(QString &text, const QDateTime &t, const char *pattern)
{
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int year = 0;
    int month = 0;
    int day = 0;
    t.date().getDate(&year, &month, &day); // one conversion for the three parts
    const QTime tm = t.time();
    char out[80];
    int n = 0;
    const auto digits = [&](int v, int width) {
        for (int k = width - 1; k >= 0; --k) {
            out[n + k] = static_cast<char>('0' + v % 10);
            v /= 10;
        }
        n += width;
    };
    const std::string_view p(pattern);
    for (size_t i = 0; i < p.size() && n < 70;) {
        const std::string_view rest = p.substr(i);
        if (rest.substr(0, 4) == "yyyy") {
            digits(std::abs(year) % 10000, 4);
            i += 4;
        } else if (rest.substr(0, 2) == "yy") {
            digits(std::abs(year) % 100, 2);
            i += 2;
        } else if (rest.substr(0, 3) == "MMM") {
            for (const char *m = months[(month + 11) % 12]; *m != 0; ++m) {
                out[n++] = *m;
            }
            i += 3;
        } else if (rest.substr(0, 2) == "MM") {
            digits(month, 2);
            i += 2;
        } else if (rest.substr(0, 2) == "dd") {
            digits(day, 2);
            i += 2;
        } else if (rest.substr(0, 2) == "hh") {
            digits(tm.hour(), 2);
            i += 2;
        } else if (rest.substr(0, 2) == "mm") {
            digits(tm.minute(), 2);
            i += 2;
        } else {
            out[n++] = p[i++];
        }
    }
    text += QLatin1String(out, n);
}

} // namespace

QString dateText(const QDateTime &t, DateText layout)
{
    QString text;
    appendDateText(text, t, layout);
    return text;
}

void appendDateText(QString &text, const QDateTime &t, DateText layout)
{
    if (!t.isValid()) {
        return;
    }
    const char *fmt = "";
    switch (layout) {
    case DateText::Header:
        fmt = "MM-dd-yy hh:mm";
        break;
    case DateText::Stamp:
        fmt = "hh:mm  MMM dd, yy";
        break;
    case DateText::StampOneBlank:
        fmt = "hh:mm MMM dd, yy";
        break;
    case DateText::StampWide:
        fmt = "hh:mm      MMM dd, yy";
        break;
    case DateText::StationPeak:
        fmt = "                          hh:mm             MMM dd, yy";
        break;
    case DateText::MonthFirst:
        fmt = "MMM dd, yy hh:mm";
        break;
    case DateText::MonthDayTime:
        fmt = "MMM dd hh:mm";
        break;
    case DateText::MonthDayYear4:
        fmt = "MMM dd, yyyy";
        break;
    case DateText::MonthDashDate:
        fmt = "MMM-dd-yy";
        break;
    case DateText::Yymmdd:
        fmt = "yyMMdd";
        break;
    case DateText::Hhmm:
        fmt = "hhmm";
        break;
    case DateText::Columns:
        fmt = "yy MM dd hh mm";
        break;
    }
    formatDate(text, t, fmt);
}

namespace {

// 1..12 for an English month name, its three-letter form or "Sept"; 0 otherwise.
int monthFromName(const QString &word)
{
    static const char *const full[] = {"january", "february", "march",     "april",   "may",      "june",
                                       "july",    "august",   "september", "october", "november", "december"};
    const QString w = word.toLower();
    for (int m = 1; m <= 12; ++m) {
        const QLatin1String name(full[m - 1]);
        if (w == name || w == name.left(3) || (m == 9 && w == QLatin1String("sept"))) {
            return m;
        }
    }
    return 0;
}

int fullYear(const QString &digits)
{
    const int y = digits.toInt();
    if (digits.size() > 2) {
        return y;
    }
    return y < 80 ? 2000 + y : 1900 + y;
}

std::optional<QDateTime> makeDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const QDate d(year, month, day);
    const QTime t(hour, minute, second);
    if (!d.isValid() || !t.isValid()) {
        return std::nullopt;
    }
    // Wall-clock times without daylight-saving jumps: the recordings carry
    // local times and interval arithmetic must not skip or repeat an hour.
    return QDateTime(d, t, Qt::UTC);
}

// The model's own layout "hh:mm  MMM dd, yy", read without the general
// parser (tables and exports read thousands of them); nullopt for any other
// text, which the general parser then reads.
std::optional<QDateTime> parseStamp(const QString &t)
{
    if (t.size() != 17) {
        return std::nullopt;
    }
    const auto digit = [&t](int i) { return t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); };
    const auto number = [&t](int i) { return (t[i].unicode() - '0') * 10 + (t[i + 1].unicode() - '0'); };
    for (const int i : {0, 1, 3, 4, 11, 12, 15, 16}) {
        if (!digit(i)) {
            return std::nullopt;
        }
    }
    if (t[2] != QLatin1Char(':') || t[5] != QLatin1Char(' ') || t[6] != QLatin1Char(' ') ||
        t[10] != QLatin1Char(' ') || t[13] != QLatin1Char(',') || t[14] != QLatin1Char(' ')) {
        return std::nullopt;
    }
    const int month = monthFromName(t.mid(7, 3));
    if (month == 0) {
        return std::nullopt;
    }
    return makeDateTime(fullYear(t.mid(15, 2)), month, number(11), number(0), number(3), 0);
}

} // namespace

std::optional<QTime> parseTime(const QString &text)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,2}):(\d{2})(?::(\d{2}))?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt(),
                  m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
    if (!t.isValid()) {
        return std::nullopt;
    }
    return t;
}

std::optional<QDateTime> parseDate(const QString &text)
{
    QString rest = text.trimmed();
    if (rest.isEmpty()) {
        return std::nullopt;
    }
    if (auto stamp = parseStamp(rest)) {
        return stamp;
    }
    int hour = 0;
    int minute = 0;
    int second = 0;
    static const QRegularExpression timeRe(
        QStringLiteral(R"((?:^|\s)(\d{1,2}):(\d{2})(?::(\d{2}))?(?=\s|$))"));
    const auto tm = timeRe.match(rest);
    if (tm.hasMatch()) {
        hour = tm.captured(1).toInt();
        minute = tm.captured(2).toInt();
        second = tm.captured(3).isEmpty() ? 0 : tm.captured(3).toInt();
        rest.remove(tm.capturedStart(0), tm.capturedLength(0));
    }
    // The date part: words and numbers separated by blanks, commas, dashes or slashes.
    static const QRegularExpression sepRe(QStringLiteral(R"([\s,/-]+)"));
    const QStringList parts = rest.split(sepRe, Qt::SkipEmptyParts);
    static const QRegularExpression numRe(QStringLiteral(R"(^\d{1,4}$)"));
    static const QRegularExpression yymmddRe(QStringLiteral(R"(^(\d{2})(\d{2})(\d{2})$)"));
    int month = 0;
    QStringList numbers;
    for (const QString &part : parts) {
        if (numRe.match(part).hasMatch()) {
            numbers.append(part);
        } else if (const auto ym = yymmddRe.match(part); ym.hasMatch() && parts.size() == 1) {
            // "yymmdd"
            return makeDateTime(fullYear(ym.captured(1)), ym.captured(2).toInt(), ym.captured(3).toInt(),
                                hour, minute, second);
        } else if (month == 0 && monthFromName(part) != 0) {
            month = monthFromName(part);
        } else {
            return std::nullopt;
        }
    }
    if (month != 0) {
        // "MMM dd, yy" and "MMM-dd-yy"
        if (numbers.size() != 2) {
            return std::nullopt;
        }
        return makeDateTime(fullYear(numbers[1]), month, numbers[0].toInt(), hour, minute, second);
    }
    if (numbers.size() == 5 && !tm.hasMatch()) {
        // "yy mm dd hh mm"
        return makeDateTime(fullYear(numbers[0]), numbers[1].toInt(), numbers[2].toInt(), numbers[3].toInt(),
                            numbers[4].toInt(), 0);
    }
    if (numbers.size() != 3) {
        return std::nullopt;
    }
    // "mm-dd-yy", "mm/dd/yyyy"
    return makeDateTime(fullYear(numbers[2]), numbers[0].toInt(), numbers[1].toInt(), hour, minute, second);
}

} // namespace textformat
