#include "platform/qt_settings_store.h"

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("RDX600"), QStringLiteral("RDX600")))
{
}

QtSettingsStore::QtSettingsStore(const QString &iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

QString QtSettingsStore::get(const QString &section, const QString &key) const
{
    return settings_->value(section + QLatin1Char('/') + key).toString();
}

void QtSettingsStore::save(const QString &section, const QString &key, const QString &value)
{
    settings_->setValue(section + QLatin1Char('/') + key, value);
    settings_->sync();
}

QString QtSettingsStore::fileName() const
{
    return settings_->fileName();
}
