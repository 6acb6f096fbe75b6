// The windows of the recording files, made once for the program's main
// window, and the files named on the command line.
#pragma once

#include <QStringList>
#include <functional>

class Program;
class QWidget;

// Makes the "Select Data" and "Note Editor" windows (owned by `parent`) and
// hands them to the program.
void attachFileWindows(Program &p, QWidget *parent);

// Opens the files named on the command line, in order, as Open does.
void openCommandLineFiles(Program &p, const QStringList &files);

// As soon as `mainWindow` returns a window (at once, or after the splash
// window was dismissed): attaches the file windows to it and opens `files`.
void startFileWindows(Program &p, const std::function<QWidget *()> &mainWindow, const QStringList &files);
