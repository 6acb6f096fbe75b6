// Printing into a PDF file for programs without windows (the command-line
// tool). The header names no GUI type: the painting needs QtGui (fonts and
// QPdfWriter) but no display, no widgets and no print system.
#pragma once

#include "platform/printer_device.h"

#include <QCoreApplication>
#include <QString>
#include <memory>

// The application object a program that prints needs: a QGuiApplication on
// the "offscreen" platform unless another is named. Make it in place of a
// QCoreApplication, before anything else of Qt.
std::unique_ptr<QCoreApplication> makePrintingApplication(int &argc, char **argv);

// A printer whose documents go into the PDF file `path` (replaced); null
// when the application was not made by makePrintingApplication.
std::unique_ptr<PrinterDevice> makePdfPrinter(const QString &path);
