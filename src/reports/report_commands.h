// Menu commands of the reports: the reading table and summary views and the
// printing of the summary and of the shown table.
#pragma once

class Program;

void installReportCommands(Program &p);

// Options > Print Preview: switches the preview of printed reports on or off.
void PrintPreviewCommand(Program &p);

// Fills in the report procedures that lower subsystems end with (the summary
// shown after a recording is opened or chosen).
void provideReportProcedures(Program &p);
