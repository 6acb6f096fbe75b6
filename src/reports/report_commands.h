// Menu commands of the reports: the reading table and summary views and the
// printing of the summary and of the shown table.
#pragma once

class Program;

void installReportCommands(Program &p);

// Options > Print Preview: switches the preview of printed reports on or off.
void PrintPreviewCommand(Program &p);
