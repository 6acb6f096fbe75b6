// A failure met during an instrument exchange: the error number (8000-8999
// for the serial port, small numbers for the program's own failures) and the
// platform's text for it. Thrown inside the link code and caught by the one
// handler of each exchange phase, which reports it.
#pragma once

#include <QString>

struct LinkError {
    int number = 0;
    QString text;
};

// The program's own failure numbers.
namespace LinkErrorNumber {
// A table row that does not exist (a mode letter beyond "m").
inline constexpr int kSubscriptOutOfRange = 9;
} // namespace LinkErrorNumber
