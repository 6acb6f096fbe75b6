// The windows and the printer of the recording files, made once for the
// program's main window.
#pragma once

#include <QStringList>
#include <memory>

class Program;
class QWidget;
class QtPrinterDevice;

// The printer: the system printer, or the PDF file named by the environment
// variable RDX600_PRINT_PDF.
std::unique_ptr<QtPrinterDevice> makePrinterDevice();

// Makes the "Select Data" and "Note Editor" windows (owned by `parent`) and
// hands them to the program.
void attachFileWindows(Program &p, QWidget *parent);

// Opens the files named on the command line, in order, as Open does.
void openCommandLineFiles(Program &p, const QStringList &files);
