// What the power subcommands of rdx600-cli share: their options and the
// power computation of the named recordings.
#pragma once

#include "cli/cli_program.h"

#include <QStringList>
#include <QTextStream>
#include <optional>

struct PowerOptions {
    QString volts;             // --volts V, as typed
    float powerFactor = 1.0F;  // --pf PF
    QString dir;               // --dir DIR (empty: the settings' default directory)
    std::optional<QString> id; // --id ID
    QStringList files;
};

// Reads `args`: --volts (required) and --pf always, --dir and --id when
// `exportOptions`; at least one FILE. nullopt for a wrong command line.
std::optional<PowerOptions> parsePowerOptions(const QStringList &args, bool exportOptions);

// Opens the files and runs the power plot over the whole of the first
// recording with the line voltage and power factor given, then builds the
// power table. 0 when power was computed, 1 when refused.
int computePower(CliProgram &cli, const PowerOptions &options, QTextStream &err);
