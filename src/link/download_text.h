// The text of a download: the characters the receive loop stored, turned
// into the text of a recording (header line cut to 44 characters, the
// MQA-S5's readings trimmed to its memory), and the header's time fields
// completed with the end or stop time of the recording.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

class ModeTable;

inline constexpr char kCtrlZ = 26;
// Characters a download receives at most. A limit is kept so that a unit
// that never stops sending still ends the reception; it always holds a
// whole memory of the widest readings (memoryCharacters), and never less
// than the fixed limits of old: 48000 for memories up to 10710 values,
// otherwise 205000.
inline constexpr int32_t kSmallMemory = 10710;
inline constexpr int32_t kCharLimitSmall = 48000;
inline constexpr int32_t kCharLimitLarge = 205000;
int32_t downloadCharLimit(int32_t maxSamples);
// The widest reading a unit sends, with the blank after it: "999.0 " (a
// larger one is damage the check reports as a reading over 999).
inline constexpr int32_t kWidestReading = 6;
// Readings on a line; every line ends with CR LF.
inline constexpr int32_t kReadingsPerLine = 10;
// What comes before the readings: the leading line ends, a header line
// longer than any a unit sends, its line end and the "T:" marker.
inline constexpr int32_t kHeaderAllowance = 256;
// The characters a unit sends for a full memory of `capacity` readings of
// the widest kind: header, readings, line ends and the final Ctrl-Z. The
// capacity is taken within 0..42967 (a recording never holds more).
int32_t memoryCharacters(int32_t capacity);
// The readings of a recording's text (or of a recording file's bytes): the
// items after the header line, its "T:" marker left out, up to the Ctrl-Z
// or a closing quote, at most `atMost`.
int32_t countReadings(QByteArrayView text, int32_t atMost);
// Values after which a stop-when-full unit of the older layout stops.
inline constexpr int32_t kOlderLayoutCapacity = 6531;
// Readings an MQA-S5 holds; anything after them is left over from earlier
// recordings and is dropped.
inline constexpr int kMqaS5Readings = 10710;
// Characters of the header line that are kept.
inline constexpr int kHeaderKept = 44;
// Where the header line holds its time field, counted
// from 0 at the family letter.
inline constexpr int kTimeField = 30;
inline constexpr int kTimeFieldLength = 14;

// Builds the text from the received cells one at a time, so that the caller
// can let events run and show progress in between.
class DownloadTextBuilder {
public:
    // `expected`: the number of cells to come, reserved at once.
    explicit DownloadTextBuilder(bool trimToMqaS5, qsizetype expected = 0);
    // Takes the next cell; false once processing has stopped (the last
    // reading an MQA-S5 holds has ended) and the rest is to be dropped.
    bool feed(char c);
    bool stopped() const { return stopped_; }
    int processed() const { return processed_; }
    const QByteArray &text() const { return text_; }
    QByteArray takeText() { return std::move(text_); }

private:
    bool trim_;
    int processed_ = 0;
    int header_ = -1;
    bool firstLineEnded_ = false;
    bool inReading_ = false;
    int readings_ = 0;
    bool stopped_ = false;
    QByteArray text_;
};

// The whole processing at once.
QByteArray processDownload(const QByteArray &cells, bool trimToMqaS5);

// The header time "mm-dd-yy hh:mm" read and shown as "hh:mm MMM dd, yy"; a
// text that is no date passes unchanged.
QString headerTimeShown(const QString &headerTime);

// The end time written into the header ("mm-dd-yy hh:mm"): the start of the
// download t0, or, for the "T:" layout with an interval above 1 minute, the
// last interval boundary counted from the header time at or before t0.
QString downloadEndTime(const QString &headerTime, int interval, bool tLayout, const QDateTime &t0);

// The mode character of a unit that has stopped in a stop-when-full mode
// ("D", "E", "F", "J", "K", "L").
bool stoppedWhenFull(QChar modeChar);

// An answer to the field-initialization question: its first 8 characters a
// date and its last 5 a time; nothing otherwise.
std::optional<QDateTime> parseFieldInitialization(const QString &answer);

// The time a stop-when-full unit stopped: `count` values after `base`, as
// "mm-dd-yy hh:mm"; empty when it cannot be computed.
QString downloadStopTime(const QString &modeLetter, const QString &base, int32_t count);

// A download text with its header completed, and what the program keeps of
// the header.
struct CompletedHeader {
    QString text;
    QString shownTime;    // the header time as shown ("hh:mm MMM dd, yy")
    int32_t capacity = 0; // the values the unit holds at most
    // The unit stopped in a stop-when-full mode: `mode` (lower case) and
    // `held` readings, counted from `stopBase`.
    bool stopped = false;
    QString mode;
    int32_t held = 0;
    QString stopBase;
    // A stopped unit of the older layout whose field initialization time
    // was not given: the text has no stop time yet.
    bool needsFieldInitialization = false;
};

// Completes the header of a download text whose family letter is at `m`:
// upper-cases the family code, writes the end time (from the start of the
// download `t0`) and, for a unit stopped in a stop-when-full mode, the stop
// time. A unit of the "T:" layout holds up to `maxSamples` values and counts
// from its header time; one of the older layout holds 6531 and counts from
// `fieldInitialization`. The stop time counts the readings received, or the
// capacity when they fill it, and is never later than the end time.
CompletedHeader completedDownloadHeader(QString text, int m, const QDateTime &t0, const ModeTable &modes,
                                        int32_t maxSamples,
                                        const std::optional<QDateTime> &fieldInitialization);
