// The state of the simulated unit: identity, mode, clock, battery and memory,
// and the texts it transmits.
#pragma once

#include "sim_options.h"
#include "unit_types.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <chrono>
#include <random>

class Instrument {
public:
    Instrument(const SimOptions &options, const UnitType &unit);

    // Loads --recording; false with `error` set when the file cannot be used.
    bool loadRecording(const QString &path, QString &error);
    // Fills memory with the generated load profile.
    void generateProfile();

    // What the unit sends when connected: a leading CR LF, the header line,
    // CR LF, the readings and the end mark (faults applied).
    QByteArray transmission() const;
    // The header line as sent (no line end).
    QByteArray headerLine() const;
    // Answer to the TAB that starts an initialization.
    static QByteArray initAnswer();
    // Takes an initialization string ("mm-dd-yy hh:mm m k", CR stripped):
    // clears the memory and takes the new mode and clock. False when the text
    // is not an initialization string (nothing changes).
    // From `now` on the unit records at its new interval (see record()).
    bool initialize(const QByteArray &text, std::chrono::steady_clock::time_point now);
    // Stores the readings of the intervals completed since the
    // initialization, `speed` simulated seconds passing per real second: a
    // stop-when-full unit stops at its capacity, a continuous one drops its
    // oldest readings. Nothing before the first initialization.
    void record(std::chrono::steady_clock::time_point now, double speed);
    // What the unit sends after initializing: CR LF, header line, CR LF, Ctrl-Z.
    QByteArray readBack() const;

    int baud() const { return baud_; }
    bool s5() const { return s5_; }
    QChar mode() const { return mode_; }
    QDateTime clock() const { return clock_; }
    int readingCount() const { return static_cast<int>(values_.size()); }

private:
    int intervalMinutes() const;
    // A stop-when-full unit whose memory is full has stopped.
    void stopWhenFull();
    bool minMaxAvg() const { return mode_ > QLatin1Char('f'); }
    // The readings of interval j (1 = the first after the clock), oldest first.
    QStringList intervalValues(int j);

    QString family_;
    QString serial_;
    QChar mode_;
    bool stopped_;
    QDateTime clock_;
    bool clockGiven_;
    QString battery_; // empty: no Vbatt field
    int baud_;
    bool s5_;
    bool oldLayout_;
    bool lowRange_;
    double peak_;
    unsigned seed_;
    int readings_;
    int capacity_;
    bool voltage_;
    Faults faults_;
    bool blankMode_;
    std::mt19937 rng_;
    std::normal_distribution<double> noise_{0.0, 0.03};
    bool recording_ = false; // recording since an initialization
    std::chrono::steady_clock::time_point recordingFrom_{};
    long recordedIntervals_ = 0;
    QStringList values_; // newest first, as transmitted
    int perLine_;
    QList<int> lineLengths_; // readings per line of a replayed file, in order
    struct {
        bool family = false, serial = false, mode = false;
    } given_; // named by the options (a replayed recording does not override them)
};
