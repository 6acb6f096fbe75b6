// Menu commands of the recording files: Open, the recent files, Save As and
// Notes.
#pragma once

class Program;

void installFileCommands(Program &p);
