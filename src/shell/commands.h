// Installs every menu command and menu-opening rule of the program.
#pragma once

class Program;

void installCommands(Program &p);

// Fills in the procedures that lower subsystems end with (Program::procs).
// Every program runs it once: this one, the command line's, the tests'.
void provideProcedures(Program &p);
