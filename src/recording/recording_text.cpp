#include "recording/recording_text.h"

#include "platform/textformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr char kCtrlZ = 26;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Separators between value items.
bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ':';
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

bool readValueItems(const QByteArray &b, const RecordingScan &scan, ItemScale scale, ValueItems &values)
{
    const char *p = b.constData() + scan.valuesFrom;
    const char *end = b.constData() + scan.dataEnd;
    end = std::find(p, end, '"');
    bool discard = scan.formatMarker == QLatin1String("T");
    while (values.count < kBufferItems) {
        while (p < end && isSeparator(*p)) {
            ++p;
        }
        if (p == end) {
            break;
        }
        const char *start = p;
        while (p < end && !isSeparator(*p)) {
            ++p;
        }
        if (discard) { // the "T:" marker
            discard = false;
            continue;
        }
        const auto reading = itemReading(start, p, scale);
        if (!reading) {
            return false;
        }
        values.buffer[values.count++] = *reading;
    }
    return true;
}
