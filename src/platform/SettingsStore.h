#pragma once

#include <QString>

namespace bdx4 {

/// The per-user settings store: text values by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    /// The stored value, or `fallback` when the key is absent.
    virtual QString value(const QString& section, const QString& key,
                          const QString& fallback) const = 0;
    virtual void setValue(const QString& section, const QString& key, const QString& value) = 0;
    /// Writes what was set to permanent storage; false when that failed.
    virtual bool sync() = 0;
};

} // namespace bdx4
