#include "io/QtSettingsStore.h"

namespace bdx4 {

QtSettingsStore::QtSettingsStore(const QString& applicationName)
    : settings_(QSettings::IniFormat, QSettings::UserScope, applicationName, applicationName) {}

QString QtSettingsStore::value(const QString& section, const QString& key,
                               const QString& fallback) const {
    return settings_.value(section + QLatin1Char('/') + key, fallback).toString();
}

void QtSettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
    settings_.setValue(section + QLatin1Char('/') + key, value);
}

bool QtSettingsStore::sync() {
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

} // namespace bdx4
