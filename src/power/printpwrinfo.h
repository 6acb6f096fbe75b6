// The power summary (Printpwrinfo): the power counterpart of the summary
// report, in Label1 (files, mode, times, power, supply) and Label2 (site of
// recording 0), on screen and on the printer.
#pragma once

#include <QString>

class Program;

// Label1's text from the last power plot's results.
QString powerSummaryText(const Program &p);

// Fills Label1 and Label2 and shows them; when gOutputMode is OutputMode::Print, prints
// Label1 after the printer dialog (a cancel ends silently).
void Printpwrinfo(Program &p);

// Power Summary view (mnuItemViewpwrsummry) and print (mnuItemPrintpwrSum).
void PowerSummaryViewCommand(Program &p);
void PrintPowerSummaryCommand(Program &p);
