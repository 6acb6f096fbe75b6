// The choice of the recording a command works on.
#pragma once

#include <QString>

class Program;

// Sets ginx: -1 when no recording is open, 0 when exactly one is, otherwise
// the slot the user picks in the DataSelect window, or -2 when the user
// cancels (or no selection window exists).
void SelectFile(Program &p);

// SelectFile for a command that needs one recording: true when a slot was
// chosen. A cancelled choice ends the command silently; no open recording
// shows `noFileMessage`.
bool SelectRecording(Program &p, const QString &noFileMessage);
