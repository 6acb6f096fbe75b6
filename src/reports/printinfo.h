// The summary report: the recording block (Label1) and the site block
// (Label2) of one recording, on screen and on the printer.
#pragma once

#include <QString>

class Program;
class PrinterDevice;
struct Recording;
class ModeTable;
struct ChartState;

struct SummaryPanels {
    QString label1; // file, values, serial, mode, interval, range, times, extremes
    QString label2; // location, name, circuit, other
};

// The two panels of recording `slot`. With gSelectFlag set the times and
// extremes are those of the selected area gDatastart..gdataend.
SummaryPanels summaryPanels(const Recording &r, const ModeTable &modes, const ChartState &chart, int slot);

// The site block (Label2) of recording `slot`: location, name, circuit, other.
QString siteBlockText(const Recording &r, int slot);

// Starts a printed report: Times New Roman 10, 1500 twips in from the left,
// an empty line.
void beginReportPrint(PrinterDevice &printer);
// Prints the panels: an empty line, Label1, Label2 in Times New Roman 10,
// 1500 twips in from the left.
void printSummaryPanels(PrinterDevice &printer, const QString &label1, const QString &label2);

// Printinfo: fills Label1 and Label2 for ginx (recording 0 in one-page plot
// mode) and prints them when gOutputMode is OutputMode::Print.
void Printinfo(Program &p);

// The Summary view command (mnuItemViewsummary).
void SummaryViewCommand(Program &p);
// The Data Summary print command (mnuItemPrintSum).
void PrintSummaryCommand(Program &p);
