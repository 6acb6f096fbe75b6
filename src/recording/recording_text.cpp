#include "recording/recording_text.h"

#include "platform/textformat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kCtrlZ = 26;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Separators between value items, looked up by byte: a full recording has
// a quarter of a million characters to split.
constexpr std::array<bool, 256> kSeparators = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {' ', '\t', '\r', '\n', ',', ':'}) {
        table[c] = true;
    }
    return table;
}();

bool isSeparator(char c)
{
    return kSeparators[static_cast<unsigned char>(c)];
}

// Moves past one line end (CR LF, CR or LF).
qsizetype skipLineEnd(const QByteArray &b, qsizetype pos, qsizetype end)
{
    if (pos < end && b[pos] == '\r') {
        ++pos;
        if (pos < end && b[pos] == '\n') {
            ++pos;
        }
    } else if (pos < end && (b[pos] == '\n' || b[pos] == ',')) {
        ++pos;
    }
    return pos;
}

// The number an item reads as: items that are not numbers read as 0; a
// number too large for a double, an infinity or "nan" gives nullopt (they
// must not pass for a reading of 0).
std::optional<double> itemValue(const char *first, const char *last)
{
    if (first < last && *first == '+') {
        ++first;
    }
    double v = 0.0;
    const auto res = std::from_chars(first, last, v);
    if (res.ec == std::errc::invalid_argument) {
        return 0.0;
    }
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow ("1e-400") is a reading of 0; overflow is no reading.
        const std::string text(first, res.ptr);
        const double near = std::strtod(text.c_str(), nullptr);
        return std::isfinite(near) && std::fabs(near) < 1.0 ? std::optional<double>(0.0) : std::nullopt;
    }
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

// An item in tenths. Plain decimals with at most one decimal digit (what
// the instruments write) are converted exactly without floating point;
// anything else goes through itemValue. nullopt when the result does not
// fit a 16-bit integer.
std::optional<int16_t> itemTenths(const char *first, const char *last)
{
    const char *p = first;
    const bool negative = p < last && *p == '-';
    if (p < last && (*p == '-' || *p == '+')) {
        ++p;
    }
    int64_t whole = 0;
    int digits = 0;
    while (p < last && *p >= '0' && *p <= '9' && digits < 9) {
        whole = whole * 10 + (*p++ - '0');
        ++digits;
    }
    int tenth = 0;
    bool plain = digits > 0;
    if (plain && p < last && *p == '.') {
        ++p;
        if (p < last && *p >= '0' && *p <= '9') {
            tenth = *p++ - '0';
        }
    }
    if (!plain || p != last) {
        const std::optional<double> v = itemValue(first, last);
        return v ? textformat::toInt16(*v * 10.0) : std::nullopt;
    }
    const int64_t tenths = (whole * 10 + tenth) * (negative ? -1 : 1);
    if (tenths < INT16_MIN || tenths > INT16_MAX) {
        return std::nullopt;
    }
    return static_cast<int16_t>(tenths);
}

} // namespace

bool scanRecording(const QByteArray &b, RecordingScan &scan)
{
    const qsizetype ctrlZ = b.indexOf(kCtrlZ);
    const qsizetype end = ctrlZ < 0 ? b.size() : ctrlZ;
    scan.dataEnd = end;
    qsizetype pos = 0;
    while (pos < end && b[pos] != 'K' && b[pos] != 'M') {
        ++pos;
    }
    if (pos == end) {
        return false;
    }
    qsizetype hdrEnd = pos;
    while (hdrEnd < end && !isLineEnd(b[hdrEnd]) && b[hdrEnd] != ',') {
        ++hdrEnd;
    }
    scan.header = QString::fromLatin1(b.constData() + pos, hdrEnd - pos);
    scan.valuesFrom = hdrEnd;
    // The next line, read whole.
    const qsizetype lineStart = skipLineEnd(b, hdrEnd, end);
    if (lineStart >= end) {
        return false;
    }
    qsizetype lineEnd = lineStart;
    while (lineEnd < end && !isLineEnd(b[lineEnd])) {
        ++lineEnd;
    }
    const QByteArray line = b.mid(lineStart, lineEnd - lineStart);
    scan.rangeText = line.contains('.') ? QStringLiteral("LOW") : QStringLiteral("HIGH");
    scan.formatMarker = line.isEmpty() ? QString() : QString(QLatin1Char(line[0]));
    return true;
}

QString modeLetterOf(const QString &header)
{
    const QString m = header.mid(3, 1).toLower();
    return m == QLatin1String(" ") ? QStringLiteral("a") : m;
}

void copyLateStamp(QString &header)
{
    const QString stamp = header.mid(46, 14);
    header.replace(30, stamp.size(), stamp);
}

std::optional<int16_t> itemReading(const char *first, const char *last, ItemScale scale)
{
    if (scale == ItemScale::Tenths) {
        return itemTenths(first, last);
    }
    const std::optional<double> v = itemValue(first, last);
    return v ? textformat::toInt16(*v) : std::nullopt;
}

namespace {

const char *itemEnd(const char *p, const char *end)
{
    while (p < end && !isSeparator(*p)) {
        ++p;
    }
    return p;
}

// The form the instruments write ("123.4", "-5", "12."): up to five digits
// and at most one decimal digit, converted while the item is split. Moves
// `p` to the item's end and returns true, or leaves it and returns false
// for any other form (which then goes through itemTenths).
bool plainTenths(const char *&p, const char *end, int16_t &out)
{
    const bool negative = *p == '-';
    const char *q = negative ? p + 1 : p;
    const char *digitsEnd = std::min(end, q + 5);
    int tenths = 0;
    const char *first = q;
    for (; q < digitsEnd; ++q) {
        const unsigned digit = static_cast<unsigned char>(*q) - unsigned{'0'};
        if (digit > 9) {
            break;
        }
        tenths = tenths * 10 + static_cast<int>(digit);
    }
    if (q == first) {
        return false;
    }
    tenths *= 10;
    if (q < end && *q == '.') {
        ++q;
        if (q < end && *q >= '0' && *q <= '9') {
            tenths += *q++ - '0';
        }
    }
    if (q < end && !isSeparator(*q)) {
        return false;
    }
    tenths = negative ? -tenths : tenths;
    if (tenths < INT16_MIN || tenths > INT16_MAX) {
        return false;
    }
    out = static_cast<int16_t>(tenths);
    p = q;
    return true;
}

// The items of [p, end) in file order. `convert` reads the item at `p`
// (never at a separator or the end) and moves `p` past it.
template <typename Convert>
bool splitItems(const char *p, const char *end, bool skipFirst, ValueItems &values, Convert convert)
{
    int16_t *const out = values.buffer.data();
    int count = values.count;
    while (count < kBufferItems) {
        while (p < end && isSeparator(*p)) {
            ++p;
        }
        if (p == end) {
            break;
        }
        if (skipFirst) { // the "T:" marker
            skipFirst = false;
            p = itemEnd(p, end);
            continue;
        }
        const std::optional<int16_t> reading = convert(p, end);
        if (!reading) {
            values.count = count;
            return false;
        }
        out[count++] = *reading;
    }
    values.count = count;
    return true;
}

} // namespace

bool readValueItems(const QByteArray &b, const RecordingScan &scan, ItemScale scale, ValueItems &values)
{
    const char *p = b.constData() + scan.valuesFrom;
    const char *end = b.constData() + scan.dataEnd;
    if (const void *quote = std::memchr(p, '"', static_cast<size_t>(end - p))) {
        end = static_cast<const char *>(quote);
    }
    const bool skipFirst = scan.formatMarker == QLatin1String("T");
    if (scale == ItemScale::Tenths) {
        return splitItems(p, end, skipFirst, values, [](const char *&q, const char *last) {
            int16_t plain = 0;
            if (plainTenths(q, last, plain)) {
                return std::optional<int16_t>(plain);
            }
            const char *first = q;
            q = itemEnd(first, last);
            return itemTenths(first, q);
        });
    }
    return splitItems(p, end, skipFirst, values, [](const char *&q, const char *last) {
        const char *first = q;
        q = itemEnd(first, last);
        return itemReading(first, q, ItemScale::Whole);
    });
}
