#include "link/download_text.h"

#include "link/download_check.h"
#include "platform/textformat.h"
#include "recording/calc_date.h"
#include "recording/recording.h"

#include <algorithm>

using textformat::DateText;

namespace {

bool isFamilyLetter(char c)
{
    return c == 'M' || c == 'm' || c == 'K' || c == 'k';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

QChar charAt(const QString &text, int i)
{
    return i >= 0 && i < text.size() ? text.at(i) : QChar();
}

// Writes `field` over the characters from `at`, when the text holds them.
void writeOver(QString &text, int at, const QString &field)
{
    if (!field.isEmpty() && at >= 0 && at + field.size() <= text.size()) {
        text.replace(at, field.size(), field);
    }
}

// A "hh:mm  MMM dd, yy" result of the date calculation as "mm-dd-yy hh:mm".
QString asHeaderTime(const QString &stamp)
{
    const auto t = textformat::parseDate(stamp);
    return t ? textformat::dateText(*t, DateText::Header) : QString();
}

// A stop time ("mm-dd-yy hh:mm"), or the end time of the download when the
// stop time would be later: a unit cannot have stopped after it was read.
QString notAfter(const QString &stop, const QString &end)
{
    const auto s = textformat::parseDate(stop);
    const auto e = textformat::parseDate(end);
    return s && e && *s > *e ? end : stop;
}

// The wall-clock minute of a time, as the date texts hold it.
QDateTime wallMinute(const QDateTime &t)
{
    return {t.date(), QTime(t.time().hour(), t.time().minute()), Qt::UTC};
}

} // namespace

int32_t memoryCharacters(int32_t capacity)
{
    const int32_t n = std::clamp<int32_t>(capacity, 0, kMaxValues);
    const int32_t lines = (n + kReadingsPerLine - 1) / kReadingsPerLine;
    return kHeaderAllowance + n * kWidestReading + lines * 2 + 1;
}

int32_t downloadCharLimit(int32_t maxSamples)
{
    const int32_t fixed = maxSamples <= kSmallMemory ? kCharLimitSmall : kCharLimitLarge;
    return std::max(fixed, memoryCharacters(maxSamples));
}

int32_t countReadings(QByteArrayView text, int32_t atMost)
{
    const auto isSeparator = [](char c) {
        return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == '\t';
    };
    const auto isEnd = [](char c) { return c == kCtrlZ || c == '"'; };
    qsizetype i = 0;
    while (i < text.size() && text.at(i) != 'K' && text.at(i) != 'M') {
        ++i;
    }
    while (i < text.size() && text.at(i) != '\r' && text.at(i) != '\n') {
        ++i;
    }
    int32_t count = 0;
    bool first = true;
    while (i < text.size() && count < atMost && !isEnd(text.at(i))) {
        if (isSeparator(text.at(i))) {
            ++i;
            continue;
        }
        const qsizetype from = i;
        while (i < text.size() && !isSeparator(text.at(i)) && !isEnd(text.at(i))) {
            ++i;
        }
        // The "T:" marker before the readings is no reading.
        if (!(first && text.at(from) == 'T')) {
            ++count;
        }
        first = false;
    }
    return count;
}

DownloadTextBuilder::DownloadTextBuilder(bool trimToMqaS5, qsizetype expected) : trim_(trimToMqaS5)
{
    text_.reserve(expected + 64);
}

bool DownloadTextBuilder::feed(char c)
{
    if (stopped_) {
        return false;
    }
    const int p = processed_++;
    if (trim_ && firstLineEnded_) {
        // Readings are runs of digits; a decimal point inside one (a
        // low-range reading such as "11.5") is part of it.
        if (isDigit(c)) {
            inReading_ = true;
        } else if (!(c == '.' && inReading_) && inReading_) {
            inReading_ = false;
            if (++readings_ == kMqaS5Readings) {
                text_ += kCtrlZ;
                stopped_ = true;
                return false;
            }
        }
    }
    if (header_ < 0) {
        if (isFamilyLetter(c)) {
            header_ = p;
        }
    } else if (!firstLineEnded_ && (c == '\r' || c == '\n')) {
        firstLineEnded_ = true;
    }
    // The header line keeps its first 44 characters; its line end and
    // everything after it follow unchanged.
    const int base = header_ < 0 ? 0 : header_;
    if (p <= base + kHeaderKept - 1 || firstLineEnded_) {
        text_ += c;
    }
    return true;
}

QByteArray processDownload(const QByteArray &cells, bool trimToMqaS5)
{
    DownloadTextBuilder b(trimToMqaS5, cells.size());
    for (const char c : cells) {
        if (!b.feed(c)) {
            break;
        }
    }
    return b.takeText();
}

QString headerTimeShown(const QString &headerTime)
{
    const auto t = textformat::parseDate(headerTime);
    return t ? textformat::dateText(*t, DateText::StampOneBlank) : headerTime;
}

QString downloadEndTime(const QString &headerTime, int interval, bool tLayout, const QDateTime &t0)
{
    const QDateTime now = wallMinute(t0);
    QDateTime end = now;
    const auto h = textformat::parseDate(headerTime);
    if (tLayout && interval > 1 && h) {
        const qint64 minutes = h->secsTo(now) / 60;
        qint64 whole = minutes / interval;
        if (minutes % interval != 0 && minutes < 0) {
            --whole; // Int() rounds towards minus infinity
        }
        end = h->addSecs(whole * interval * 60);
    }
    return textformat::dateText(end, DateText::Header);
}

bool stoppedWhenFull(QChar modeChar)
{
    return !modeChar.isNull() && QStringLiteral("DEFJKL").contains(modeChar);
}

std::optional<QDateTime> parseFieldInitialization(const QString &answer)
{
    if (answer.size() < 8) {
        return std::nullopt;
    }
    const auto date = textformat::parseDate(answer.left(8));
    const auto time = textformat::parseTime(answer.right(5));
    if (!date || !time || answer.right(5).trimmed().size() != 5) {
        return std::nullopt;
    }
    return QDateTime(date->date(), *time, Qt::UTC);
}

QString downloadStopTime(const QString &modeLetter, const QString &base, int32_t count)
{
    return asHeaderTime(calcDate(modeLetter, base, count));
}

CompletedHeader completedDownloadHeader(QString text, int m, const QDateTime &t0, const ModeTable &modes,
                                        int32_t maxSamples,
                                        const std::optional<QDateTime> &fieldInitialization)
{
    CompletedHeader h;
    for (int i = m; i < m + 3 && i < text.size(); ++i) {
        text[i] = text.at(i).toUpper();
    }
    const QChar modeChar = charAt(text, m + 3);
    h.mode =
        modeChar.isNull() || modeChar == QLatin1Char(' ') ? QStringLiteral("a") : QString(modeChar).toLower();
    const QString headerTime = text.mid(m + kTimeField, kTimeFieldLength);
    h.shownTime = headerTimeShown(headerTime);
    const int interval = modes.interval(h.mode).value_or(0);
    const bool tLayout = hasTLayoutMarker(text);

    const QString end = downloadEndTime(headerTime, interval, tLayout, t0);
    writeOver(text, m + kTimeField, end);
    h.capacity = tLayout ? maxSamples : kOlderLayoutCapacity;
    h.stopped = stoppedWhenFull(modeChar);
    if (!h.stopped) {
        h.text = std::move(text);
        return h;
    }
    // A unit stopped before its memory filled (by a new initialization or
    // by hand) holds fewer readings than its capacity: it stopped after
    // the last of them.
    h.held = countReadings(text.toLatin1(), h.capacity);
    if (!tLayout && !fieldInitialization) {
        h.needsFieldInitialization = true;
        h.text = std::move(text);
        return h;
    }
    h.stopBase = tLayout ? h.shownTime : textformat::dateText(*fieldInitialization, DateText::Header);
    const QString stamp = modes.interval(h.mode) ? calcDate(h.mode, h.stopBase, h.held) : QString();
    const QString stop = notAfter(asHeaderTime(stamp), end);
    if (tLayout) {
        // The stop time replaces the end time.
        writeOver(text, m + kTimeField, stop);
    } else if (!stop.isEmpty() && text.size() >= m + kHeaderKept) {
        // The stop time goes into characters 47-60 of the header line, where
        // the file reader takes it from. The header was cut to 44
        // characters, so they are added to it rather than written over the
        // first readings.
        text.insert(m + kHeaderKept, QStringLiteral("  ") + stop);
    }
    h.text = std::move(text);
    return h;
}
