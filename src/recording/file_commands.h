// Menu commands of the recording files: Save As and Notes. Open and the
// recent files end with the summary report: reports/open_recording.h.
#pragma once

class Program;

void installFileCommands(Program &p);
