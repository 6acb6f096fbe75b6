// Command-line options of rdx600-sim, the simulated instrument.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

struct Faults {
    bool silence = false;     // never transmits
    bool badChars = false;    // a stray "A" at the end of the second data line
    bool noCtrlZ = false;     // the end mark is missing
    bool doubleCtrlZ = false; // the end mark is sent twice
    long stopAfter = -1;      // stops transmitting after this many bytes of a transmission
    bool lowBattery = false;  // family letter sent in lower case
    bool wrongFamily = false; // second letter of the family code replaced by "X"
    bool noTMarker = false;   // the readings follow the header without the "T:" marker
    long unplugAfter = -1;    // closes its end of the terminal after this many bytes
    bool shortLine = false;   // the second data line holds one reading fewer
    bool flood = false;       // after the header, bad characters past every receive limit
};

struct SimOptions {
    int type = 8;                  // catalogue type number
    std::optional<QString> family; // 3-letter family code
    std::optional<QString> serial; // 4 characters
    std::optional<QChar> mode;     // mode letter; upper case = stopped
    bool stopped = false;
    std::optional<QDateTime> clock; // time the recording was started
    std::optional<QString> battery; // three hex digits
    bool noBattery = false;
    std::optional<int> rate; // baud
    std::optional<bool> s5;
    int readings = 960;            // values in memory
    bool full = false;             // memory full: as many readings as the type's capacity
    std::optional<bool> blankMode; // header with a blank mode character (default: type 1)
    double speed = 1.0;      // simulated seconds per real second while recording after an initialization
    int answerDelayMs = 200; // from the TAB to the unit's answer
    int perLine = 10;        // readings per transmitted line (a replayed file keeps its own lines)
    QString recordingFile;   // replayed instead of the generated profile
    unsigned seed = 1;
    std::optional<bool> oldLayout;
    bool lowRange = false;
    double peak = 200.0; // amperes (or volts) of the generated profile
    Faults faults;
    bool fullSpeed = false;
    std::optional<int> cableDelayMs;
    int initDelayMs = 1000;
    // RDX600_TIME_SCALE from the environment (as the program's clock reads
    // it): scales the cable and initialization delays.
    double timeScale = 1.0;
    QString pathFile;
    QString logFile;
    bool exitWithParent = false;
};

// Parses the arguments. On a mistake fills `error` and returns nothing; on
// --help / --version prints and exits.
std::optional<SimOptions> parseSimOptions(const QStringList &arguments, QString &error);

// Reads "mm-dd-yy hh:mm" (years 00-99 are 2000-2099).
std::optional<QDateTime> parseHeaderTime(const QString &text);
