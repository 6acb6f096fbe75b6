// Printing of the table shown in the main window (reading table or power
// table): the report labels, the table heading and the table text.
#pragma once

class Program;

// mnuItemPrintTable and mnuItemPrintPwrTable.
void PrintShownTableCommand(Program &p);
