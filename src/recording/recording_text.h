// The reading steps both recording readers share: the ordinary reader
// (fileopen.*) and the load-survey reader (survey_reader.*). They find the
// header and the line after it, split the value items and convert them.
// What each reader does with the values stays in its own file.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// Value items a reader takes at most (buffer indices 0..43050).
inline constexpr int kBufferItems = 43051;

// The recording file as the reader sees it, from one read of the file.
struct RecordingScan {
    QString header;           // from the family letter to the end of its line
    QString rangeText;        // "LOW" when the line after the header holds a ".", else "HIGH"
    QString formatMarker;     // first character of the line after the header
    qsizetype valuesFrom = 0; // byte offset where the value items start
    qsizetype dataEnd = 0;    // offset of the Ctrl-Z (or the end of the bytes)
};

// Finds the header and the line after it. False when the bytes hold no
// family letter ("K" or "M") or no line after the header.
bool scanRecording(const QByteArray &bytes, RecordingScan &scan);

// The mode letter of a header: character 4, lower case, a blank read as "a".
QString modeLetterOf(const QString &header);

// Copies characters 47-60 of the header over characters 31-44 (where a long
// header keeps the newest value's time stamp). The caller decides when.
void copyLateStamp(QString &header);

// How a value item becomes a stored reading.
enum class ItemScale {
    Tenths, // times 10: 123.4 -> 1234
    Whole,  // as written, rounded: 123.4 -> 123, 122.5 -> 122
};

// One item converted, rounded half to even. Items that are not numbers read
// as 0. nullopt when the result is no finite number within 16 bits.
std::optional<int16_t> itemReading(const char *first, const char *last, ItemScale scale);

// The value items after the header, in file order (newest first), at most
// kBufferItems; a "T" format marker's item is skipped. The closing quote of
// the file's framing ends the data as a Ctrl-Z does. False when an item is
// refused by itemReading.
struct ValueItems {
    std::vector<int16_t> buffer = std::vector<int16_t>(kBufferItems, 0);
    int count = 0;
};
bool readValueItems(const QByteArray &bytes, const RecordingScan &scan, ItemScale scale, ValueItems &values);
