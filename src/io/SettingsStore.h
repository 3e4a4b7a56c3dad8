#pragma once

#include <QString>

namespace bdx4 {

/// The per-user settings: text values by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    /// The stored value, or `fallback` when the key is absent.
    virtual QString value(const QString& section, const QString& key,
                          const QString& fallback) const = 0;
    /// Sets a value; it is kept for good by `sync`.
    virtual void setValue(const QString& section, const QString& key, const QString& value) = 0;
    /// Writes what was set to permanent storage; false when that failed.
    virtual bool sync() = 0;
};

/// The section of the remembered options, and its keys.
inline const QString kOptionsSection = QStringLiteral("Options");
inline const QString kComPortKey = QStringLiteral("COM_Port");
inline const QString kBaudRateKey = QStringLiteral("BAUD_Rate");
/// The port a remembered COM_Port stands for: a number 1-16; anything else counts as 1.
inline int portFromSetting(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok, 10);
    return ok && port >= 1 && port <= 16 ? port : 1;
}

/// The section that names the device of a port number (COM1=/dev/ttyUSB0).
inline const QString kPortsSection = QStringLiteral("Ports");

} // namespace bdx4
