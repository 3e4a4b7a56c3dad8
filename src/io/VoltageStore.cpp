#include "io/VoltageStore.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace bdx4 {

QString voltageStorePath(const QString& folder) {
    return QDir(folder).filePath(kVoltageStoreName);
}

StoreReading::Outcome readVoltageStore(QIODevice& in, VoltageTables& tables) {
    TextItemReader items(in);
    for (int read = 0; read < kVoltageTables * kVoltageBands;) {
        const std::optional<QString> item = items.next();
        if (!item)
            return StoreReading::Incomplete;
        if (item->isEmpty() && !items.lastItemIsField())
            continue; // an empty line; an empty field between commas is a 0
        bool ok = item->isEmpty();
        const double value = ok ? 0.0 : item->toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return StoreReading::Incomplete;
        // Only a hand-edited store holds a level outside the slider's range; + 0.0 keeps a "-0"
        // out of the store.
        tables.setValue(read / kVoltageBands, read % kVoltageBands,
                        float(std::clamp(value, 0.0, double(kTopLevel)) + 0.0));
        ++read;
    }
    return StoreReading::Complete;
}

StoreReading readVoltageStore(const QString& path, VoltageTables& tables) {
    QFile file(path);
    if (const std::optional<StoreReading> failed = openStore(file))
        return *failed;
    return StoreReading{readVoltageStore(file, tables), QString()};
}

QByteArray voltageStoreText(const VoltageTables& tables) {
    QByteArray text;
    for (int t = 0; t < kVoltageTables; ++t)
        for (int b = 0; b < kVoltageBands; ++b)
            text += QByteArray::number(double(tables.value(t, b)), 'g', 9) + kLineEnd;
    return text;
}

IoResult writeVoltageStore(const QString& path, const VoltageTables& tables) {
    return writeFileWhole(path, voltageStoreText(tables));
}

QByteArray newVoltageStoreText() {
    return QByteArray("0,0") + kLineEnd;
}

IoResult createVoltageStore(const QString& path) {
    return writeFileWhole(path, newVoltageStoreText());
}

} // namespace bdx4
