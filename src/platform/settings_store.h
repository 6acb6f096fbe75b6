// The per-user settings: text values under the application "RDX600",
// addressed by section and key.
#pragma once

#include <QString>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text; empty when the key was never written.
    virtual QString get(const QString &section, const QString &key) const = 0;
    // Stores the text at once.
    virtual void save(const QString &section, const QString &key, const QString &value) = 0;
};
