// The subcommands of rdx600-cli, one function each. `args` are the words
// after the subcommand's name. Each returns the exit status: 0 done, 1
// refused or failed, 2 wrong usage (after printing the usage).
#pragma once

#include <QStringList>
#include <QTextStream>

// Recording files (cli_files.cpp).
int cliSummary(const QStringList &args, QTextStream &out, QTextStream &err);
int cliTime(const QStringList &args, QTextStream &out, QTextStream &err);
int cliSaveAs(const QStringList &args, QTextStream &out, QTextStream &err);
// The download checks on a recording's text (cli_validate.cpp).
int cliValidate(const QStringList &args, QTextStream &out, QTextStream &err);
// The reading table and power (cli_power.cpp).
int cliTable(const QStringList &args, QTextStream &out, QTextStream &err);
int cliPower(const QStringList &args, QTextStream &out, QTextStream &err);
// The exports: table, per-line, csv, interchange (cli_export.cpp).
int cliExport(const QStringList &args, QTextStream &out, QTextStream &err);
// Instrument exchanges: initialize and recover (cli_instrument.cpp).
int cliInitialize(const QStringList &args, QTextStream &out, QTextStream &err);
int cliRecover(const QStringList &args, QTextStream &out, QTextStream &err);
// The exchanges with an instrument: status, download (cli_link.cpp).
int cliStatus(const QStringList &args, QTextStream &out, QTextStream &err);
int cliDownload(const QStringList &args, QTextStream &out, QTextStream &err);
// The load survey (cli_survey.cpp).
int cliSurvey(const QStringList &args, QTextStream &out, QTextStream &err);
