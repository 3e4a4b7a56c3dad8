#pragma once

#include "platform/SettingsStore.h"

#include <QHash>

namespace bdx4::test {

/// Settings kept in a table under "section/key"; counts the writes.
class FakeSettingsStore : public SettingsStore {
public:
    QString value(const QString& section, const QString& key,
                  const QString& fallback) const override {
        return values.value(section + '/' + key, fallback);
    }
    void setValue(const QString& section, const QString& key, const QString& value) override {
        values[section + '/' + key] = value;
        ++writes;
    }
    bool sync() override {
        ++syncs;
        return true;
    }
    QHash<QString, QString> values;
    int writes = 0;
    int syncs = 0;
};

} // namespace bdx4::test
