// The Export menu: Data: Table and Data: 1 Rdg per Line follow the table
// shown (output mode 5 power table, 2 reading table; nothing otherwise);
// Metering Data Report is the interchange export; Tidy CSV... writes every
// open recording as one table (export/tidy_csv.h) whenever one is open.
#pragma once

class Program;

void installExportCommands(Program &p);

void ExportDataTableCommand(Program &p);  // MnuItemexpdatacsv
void ExportOnePerLineCommand(Program &p); // mnuItemexpdata1perLine
