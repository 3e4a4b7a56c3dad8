#pragma once

#include "io/SettingsStore.h"

#include <QSettings>

namespace bdx4 {

/// The per-user settings in an INI file; organization and application name are both
/// `applicationName` (on Linux: ~/.config/bdx4config/bdx4config.ini).
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& applicationName);
    QString value(const QString& section, const QString& key,
                  const QString& fallback) const override;
    void setValue(const QString& section, const QString& key, const QString& value) override;
    bool sync() override;

private:
    mutable QSettings settings_;
};

} // namespace bdx4
