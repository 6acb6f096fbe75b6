// Settings kept in memory only, for runs that must not touch the user's
// store or the disk (benchmarks, fuzzing): every value lasts as long as the
// store.
#pragma once

#include "platform/settings_store.h"

#include <QString>
#include <map>

class MemorySettingsStore final : public SettingsStore {
public:
    QString get(const QString &section, const QString &key) const override
    {
        const auto it = values_.find(section + QLatin1Char('/') + key);
        return it == values_.end() ? QString() : it->second;
    }
    void save(const QString &section, const QString &key, const QString &value) override
    {
        values_[section + QLatin1Char('/') + key] = value;
    }

private:
    std::map<QString, QString> values_;
};
