#include "platform/textformat.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <limits>

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

// Rounds half away from zero at the given number of decimals, through the
// decimal text so that 2.675 with 2 decimals gives what the user reads.
QString roundedDigits(double absValue, int decimals)
{
    // Eight digits beyond the ones kept recover the decimal the value was
    // written as (0.15 is stored as 0.1499999...; its text "0.150000000" rounds up).
    const QString exact = QString::number(absValue, 'f', std::min(15, decimals + 8));
    const int dot = exact.indexOf(QLatin1Char('.'));
    QString intPart = dot < 0 ? exact : exact.left(dot);
    QString frac = dot < 0 ? QString() : exact.mid(dot + 1);
    while (frac.size() < decimals + 1) {
        frac += QLatin1Char('0');
    }
    const bool roundUp = frac.at(decimals) >= QLatin1Char('5');
    QString digits = intPart + frac.left(decimals);
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
                --i;
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            digits.prepend(QLatin1Char('1'));
        }
    }
    return digits; // integer digits followed by `decimals` decimal digits
}

} // namespace

QString picture(double v, const QString &pic)
{
    if (!std::isfinite(v)) {
        return QString::number(v);
    }
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
        return pic;
    }
    // The decimal point belongs to the number when it stands among the digit
    // places or right beside them (".000" and "0." both have one).
    int dot = pic.indexOf(QLatin1Char('.'), std::max(0, first - 1));
    if (dot > last + 1) {
        dot = -1;
    }
    const int start = (dot >= 0 && dot < first) ? dot : first;
    const int end = std::max(last, dot); // last character of the number part
    const QString prefix = pic.left(start);
    const QString suffix = pic.mid(end + 1);
    const QString intPic = dot < 0 ? pic.mid(first, last - first + 1) : pic.mid(start, dot - start);
    const QString decPic = dot < 0 ? QString() : pic.mid(dot + 1, end - dot);

    const int minInt = static_cast<int>(intPic.count(QLatin1Char('0')));
    const bool thousands = intPic.contains(QLatin1Char(','));
    const int maxDec = static_cast<int>(decPic.count(QLatin1Char('0')) + decPic.count(QLatin1Char('#')));
    int minDec = 0; // decimals up to the last "0" are always shown
    for (int i = 0; i < decPic.size(); ++i) {
        if (decPic[i] == QLatin1Char('0')) {
            minDec = i + 1;
        }
    }

    const QString digits = roundedDigits(std::fabs(v), maxDec);
    QString intDigits = digits.left(digits.size() - maxDec);
    QString decDigits = digits.right(maxDec);
    while (intDigits.size() > 1 && intDigits.startsWith(QLatin1Char('0'))) {
        intDigits.remove(0, 1);
    }
    if (intDigits == QLatin1String("0") && minInt == 0) {
        intDigits.clear();
    }
    while (intDigits.size() < minInt) {
        intDigits.prepend(QLatin1Char('0'));
    }
    while (decDigits.size() > minDec && decDigits.endsWith(QLatin1Char('0'))) {
        decDigits.chop(1);
    }
    if (thousands) {
        for (int i = static_cast<int>(intDigits.size()) - 3; i > 0; i -= 3) {
            intDigits.insert(i, QLatin1Char(','));
        }
    }
    QString number = intDigits;
    if (dot >= 0 && (!decDigits.isEmpty() || decPic.isEmpty())) {
        number += QLatin1Char('.') + decDigits;
    }
    // A value that rounds to zero shows no sign; otherwise the sign leads the
    // whole picture, literal blanks included.
    const bool zero = !digits.contains(QRegularExpression(QStringLiteral("[1-9]")));
    const QString sign = (v < 0 && !zero) ? QStringLiteral("-") : QString();
    return sign + prefix + number + suffix;
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

QString dateText(const QDateTime &t, DateText layout)
{
    if (!t.isValid()) {
        return {};
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
    // The C locale gives the English month names whatever the user's locale.
    return QLocale::c().toString(t, QString::fromLatin1(fmt));
}

namespace {

// 1..12 for an English month name, its three-letter form or "Sept"; 0 otherwise.
int monthFromName(const QString &word)
{
    static const char *const full[] = {"january", "february", "march",     "april",   "may",      "june",
                                       "july",    "august",   "september", "october", "november", "december"};
    const QString w = word.toLower();
    for (int m = 1; m <= 12; ++m) {
        const QString name = QString::fromLatin1(full[m - 1]);
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
