// Installs every menu command and menu-opening rule of the program.
#pragma once

class Program;

void installCommands(Program &p);
