// The interchange export ("Metering Data Report", "Lotusint.prn"): the
// power of a 15-minute average recording as hourly demand records in a
// fixed, quoted, comma-separated layout for meter-data systems.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

class Program;

struct InterchangeInput {
    std::vector<float> kw; // 15-minute kilowatt values of the span
    QDateTime start;       // time stamp of kw[0], on a quarter hour
    float powerFactor = 1.0F;
    QString recorderId; // as answered; cut or padded to 14 characters
};

// The header line and the records, each line padded with 157 blanks and
// ended by CR LF. Records start at the first midnight of the span, one per
// complete hour; at a day end ("2400") they go on only while at least 97
// further values remain.
QString interchangeText(const InterchangeInput &in);

// A start time moved forward to the next quarter hour (10:07 -> 10:15).
QDateTime quarterHourAligned(const QDateTime &t);

// The interchange export (mnuitemexprep): the mode check, the recorder ID
// question, the file. True when the file was written; a file that cannot be
// written leaves the menu item enabled.
bool InterchangeExport(Program &p);
