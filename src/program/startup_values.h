// The start-up values the splash window fixes for the whole run.
#pragma once

#include <QString>
#include <cstdint>

struct StartupValues {
    QString versionID;
    QString versionDate;
    bool showStatus = true;
    int32_t maxSamples = 0;
    QString portSettings;
    int instSelection = 0;
    int instAutoCurrent = 8;
    int32_t maxSamplesCustom = 0;
    QString portSettingsCustom;
    bool gS5FlagCustom = true;
    QString workingDirectory;
};
