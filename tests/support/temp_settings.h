// The real settings store on a temporary INI file.
#pragma once

#include "platform/qt_settings_store.h"

#include <QTemporaryDir>

class TempSettings {
public:
    TempSettings() : store(dir.filePath(QStringLiteral("rdx600.ini"))) {}
    QTemporaryDir dir;
    QtSettingsStore store;
};
