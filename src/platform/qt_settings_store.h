// Settings kept by QSettings in an INI file: the user's file under
// "RDX600", or a given file (tests).
#pragma once

#include "platform/settings_store.h"

#include <QSettings>
#include <memory>

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();                                // the user's own store
    explicit QtSettingsStore(const QString &iniPath); // a store in a given file
    QString get(const QString &section, const QString &key) const override;
    void save(const QString &section, const QString &key, const QString &value) override;
    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};
