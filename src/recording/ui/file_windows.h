// The windows of the recording files, made once for the program's main
// window.
#pragma once

#include <functional>

class Program;
class QWidget;

// Makes the "Select Data" and "Note Editor" windows (owned by `parent`) and
// hands them to the program.
void attachFileWindows(Program &p, QWidget *parent);

// As soon as `mainWindow` returns a window (at once, or after the splash
// window was dismissed): attaches the file windows to it, then runs
// `attached` (the program opens the files named on its command line).
void startFileWindows(Program &p, const std::function<QWidget *()> &mainWindow,
                      const std::function<void()> &attached);
