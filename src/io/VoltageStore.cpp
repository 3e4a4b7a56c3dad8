#include "io/VoltageStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace bdx4 {

namespace {

class VoltageStoreTexts {
    Q_DECLARE_TR_FUNCTIONS(VoltageStore)
};

constexpr int kValues = kVoltageTables * kVoltageBands;

/// A level from 0 to 255; + 0.0 keeps a "-0" out of the tables.
std::optional<float> level(const QString& item) {
    bool ok = item.isEmpty(); // an empty field between commas is a 0
    const double value = ok ? 0.0 : item.toDouble(&ok);
    if (!ok || !(value >= 0.0 && value <= double(kTopLevel)))
        return std::nullopt;
    return float(value + 0.0);
}

} // namespace

QString voltageStorePath(const QString& folder) {
    return QDir(folder).filePath(kVoltageStoreName);
}

StoreReading readVoltageStoreItems(QIODevice& in, VoltageTables& tables) {
    TextItemReader items(in);
    StoreReading reading;
    reading.outcome = StoreReading::Complete;
    QStringList firstTwo; // "0,0" on one line is the store as created
    int read = 0;
    for (; read < kValues; ++read) {
        std::optional<QString> item = items.next();
        // An empty line is skipped; a lone pair of quotes is an item, and no level.
        while (item && item->isEmpty() && !items.lastItemIsField() && !items.lastItemWasQuoted())
            item = items.next();
        if (!item)
            break;
        if (read < 2) // bare fields only: a quote makes it a store written by hand
            firstTwo << (items.lastItemIsField() && !items.lastItemWasQuoted() ? *item : QString());
        const bool quotedNothing = item->isEmpty() && items.lastItemWasQuoted();
        if (const std::optional<float> value = quotedNothing ? std::nullopt : level(*item)) {
            tables.setValue(read / kVoltageBands, read % kVoltageBands, *value);
        } else if (reading.outcome == StoreReading::Complete) {
            reading.outcome = StoreReading::Incomplete;
            reading.line = items.line();
            reading.description =
                VoltageStoreTexts::tr("%1 is not a level 0-255").arg(quotedItem(*item));
        }
    }
    if (read == kValues)
        return reading;
    if (read == 2 && firstTwo == QStringList{QStringLiteral("0"), QStringLiteral("0")}) {
        reading.outcome = StoreReading::Empty;
    } else if (reading.outcome == StoreReading::Complete) {
        reading.outcome = StoreReading::Incomplete;
        reading.line = items.line();
        reading.description =
            read == 0 ? VoltageStoreTexts::tr("the file holds no value")
                      : VoltageStoreTexts::tr("the store ends after %1 of its 39 values").arg(read);
    }
    return reading;
}

StoreReading readVoltageStore(const QString& path, VoltageTables& tables) {
    return readStoreFile(path,
                         [&tables](QIODevice& in) { return readVoltageStoreItems(in, tables); });
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
