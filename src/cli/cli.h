// rdx600-cli: the jobs that need no window, run through the same core
// procedures as the menu commands (the subcommands are in cli_commands.h).
//
// Messages the program would show go to standard error and make the exit
// status 1; a wrong command line gives the usage and status 2. The recent-file
// list is kept in a temporary settings file, or in the INI file named by the
// environment variable RDX600_CLI_SETTINGS.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// `args` without the program name.
int runCli(const QStringList &args, QTextStream &out, QTextStream &err);

// CR LF and CR line ends become LF.
QString unixLines(const QString &text);

// Whether the command line prints into a PDF file ("survey --pdf"): the tool
// then needs the printing application object (platform/ui/print/pdf_printer.h).
bool cliPrintsPdf(const QStringList &args);
