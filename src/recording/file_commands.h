// Menu commands of the recording files: Open, the recent files, Save As,
// Notes, the summary view and the printing of the summary and of the shown
// table.
#pragma once

class Program;

void installFileCommands(Program &p);
