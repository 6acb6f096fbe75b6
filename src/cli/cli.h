// rdx600-cli: the recording file reader, the summary report, the date
// calculation and Save As from the command line.
//
//   rdx600-cli summary FILE...            the summary panels of each recording
//   rdx600-cli time FILE INDEX            the time stamp of value index INDEX
//   rdx600-cli save-as FILE FIRST LAST OUT  Save As of the indices FIRST..LAST
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
