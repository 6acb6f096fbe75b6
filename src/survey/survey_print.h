// The printed "LOAD SURVEY REPORT": the head, every processed feeder's
// result and, on request, the station section, on any PrinterDevice.
#pragma once

#include "program/survey_state.h"

#include <QDate>

class PrinterDevice;

// Prints the report (the printer dialog has been answered) and ends the
// document; false when the printer failed. `today` is the date of printing
// shown in the head.
bool printSurveyReport(PrinterDevice &printer, const SurveyState &survey, const QDate &today,
                       bool withStation);

// Prints text whose lines are separated by CR LF, then a line end; a tab
// moves on to the next tab stop (every 720 twips from the left edge).
void printTabbedText(PrinterDevice &printer, const QString &text);
