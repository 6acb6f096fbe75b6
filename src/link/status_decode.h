// What an instrument's header line says, as the status check shows it.
#pragma once

#include "program/link_error.h"

#include <QString>
#include <optional>

class ModeTable;

struct StatusHeader {
    QString type;      // family code, upper-cased
    QString serial;    // characters 8-11
    QString mode;      // character 4 as received
    QString kind;      // "Average", "Min/Max/Avg " or "FAIL; value is "
    QString memory;    // "Cont", "Stop", empty, or the invalid mode character
    QString interval;  // minutes, empty, or " ;   invalid  "
    QString timeOn;    // "hh:mm MMM dd, yy", or the received text when it is no date
    QString condition; // "Running" or "Stopped"
    bool hasVbatt = false;
    QString voltage; // ".000" picture
};

// A header time field ("mm-dd-yy hh:mm") as "hh:mm MMM dd, yy"; a text that
// is no date passes unchanged.
QString headerTimeText(const QString &received);

// Battery voltage of the three hexadecimal digits of a header.
double batteryVoltage(int hexValue);
// The voltage as shown: three decimals, no digit forced before the point.
QString batteryVoltageText(int hexValue);

// Decodes a header line (family letter up to, not including, the CR).
// A mode letter beyond "m" has no row in the mode table: LinkError.
StatusHeader decodeStatusHeader(const QString &line1, const ModeTable &modes);

// The result text of the status window.
QString statusResultText(const StatusHeader &h);
