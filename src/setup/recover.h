// Recovery: reads back the memory of an instrument whose recording stopped
// (or whose memory filled in a stop mode) and saves it as a recording file
// with the computed stop time in its header. The instrument sends its whole
// memory once connected; the program only listens, in the window recover.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

class ModeTable;
class Program;
struct LinkError;

class RecoverView {
public:
    virtual ~RecoverView() = default;
    virtual void show() = 0; // not modal
    virtual void hide() = 0;
    virtual void unload() = 0;
    // Mirrors RecoverWindowState on screen.
    virtual void sync() = 0;
};

namespace recovery {

// Characters the receive buffer keeps at least (indices 0 to 80100).
inline constexpr int kBufferSize = 80101;
// Characters the receive buffer keeps for a unit of `capacity` readings:
// a whole memory of the widest readings, as a download receives it, and
// never fewer than kBufferSize.
int bufferSize(int32_t capacity);
// Items counted at most.
inline constexpr int kMaxItems = 42966;

// The receive loop's rules for one received character, kept apart from the
// port so they can be tried on any stream.
class Receiver {
public:
    enum class Step {
        More,     // go on reading
        End,      // a Ctrl-Z, or the buffer is full
        NotValid, // the character after the header line is no "T"
    };
    explicit Receiver(int bufferSize = kBufferSize) : buffer_(bufferSize, QChar()) {}
    Step take(QChar c);

    // The received text: the buffer's characters before the counter, and
    // the Ctrl-Z that ended the transfer (the end mark of a recording).
    QString text() const { return ended_ ? buffer_.left(counter_) + QChar(26) : buffer_.left(counter_); }
    long counter() const { return counter_; }
    bool headerSeen() const { return headerPos_ >= 0; }
    // The header line is still arriving (the progress is held at 1,000).
    bool inHeaderLine() const { return headerSeen() && !lineEnd_; }
    bool lowBattery() const { return lowBattery_; }
    QString unitsLetter() const { return units_; }

private:
    QString buffer_;
    long counter_ = 0;
    bool ended_ = false; // a Ctrl-Z ended the transfer
    long headerPos_ = -1;
    bool lineEnd_ = false;
    bool lowBattery_ = false;
    QString units_;
};

// What the processing reads from the received text.
struct Header {
    qsizetype p = 0;     // 1-based position of the family initial
    QString mode;        // character p+3 as received
    QString initTime;    // characters p+30..p+43, "mm-dd-yy hh:mm"
    bool marker = false; // character p+46 is "T"
};
// nullopt when the text holds no "K" or "M".
std::optional<Header> findHeader(const QString &text);

// The values of a recording file's bytes: the items after the header line
// (its "T:" marker left out), at most kMaxItems, up to the Ctrl-Z or the
// closing quote.
int countValues(const QByteArray &fileBytes);

// Writes `text` as a recording file to a scratch file in the user's
// temporary folder (removed again before this returns), reads it back and
// counts its values. nullopt when the scratch file cannot be written.
std::optional<int> countValuesThroughScratchFile(const QString &text);

// A full memory (count at or above the capacity) of a unit that does not
// stop when full (mode not "D", "E", "F", "J", "K", "L" as sent): its stop
// time cannot be known.
bool continuousAndFull(const QString &mode, int count, int32_t capacity);
// The readings the stop time counts: all of them, or the capacity when more
// arrived (a unit that sends readings of earlier recordings after its own).
int readingsHeld(int count, int32_t capacity);

// The stop time ("mm-dd-yy hh:mm") of a recording of `count` values: the
// initialization time plus Int(interval x count / n) minutes (n = 3 for
// min/max/avg). nullopt when the mode or the time cannot be read.
std::optional<QString> stopTime(const QString &mode, const QString &initTime, int count);

// The text with header positions 31-44 (counted from the initial at p)
// replaced by `stamp`.
QString withStopTime(const QString &text, qsizetype p, const QString &stamp);

// The question shown before the save when the readings of a recovered
// text hold characters that are not readings (a unit sending at another
// rate, noise on the cable) or do not end with exactly one Ctrl-Z (a
// transfer cut at the end of the buffer): what was found and whether to
// save anyway. Empty for a sound text.
QString damageQuestion(const QString &text);

QString autoSelectRefusalText(const QString &name7, const QString &name8);
QString cautionText();
QString workingText(int port);
QString notValidText(bool removeCable);
QString removeCableText();
QString continuousText();
QString portErrorText(const LinkError &e);

} // namespace recovery

// The Recover command (mnuItemRecover).
void mnuItemRecover(Program &p);
// OK of the recover window: closes the open recordings, runs RecoverProc,
// unloads the window.
void RecoverOk(Program &p);
// CancelButton (also Escape and closing): stops a running recovery, or
// closes the window before it started.
void RecoverCancel(Program &p);
void RecoverProc(Program &p);

void installRecoverCommand(Program &p);
