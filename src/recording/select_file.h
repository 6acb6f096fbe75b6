// The choice of the recording a command works on.
#pragma once

class Program;

// Sets ginx: -1 when no recording is open, 0 when exactly one is, otherwise
// the slot the user picks in the DataSelect window, or -2 when the user
// cancels (or no selection window exists).
void SelectFile(Program &p);
