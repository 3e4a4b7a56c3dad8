#include "voltages/VoltStore.h"

#include "store/TextItems.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace bdx4 {

QString VoltStorePath(const QString& folder) {
    return QDir(folder).filePath(kVoltStoreName);
}

Failure CreateVoltStore(Voltages& volts, const QString& folder) {
    for (auto& table : volts.state().BandVoltTable)
        for (auto& level : table)
            level = 0;
    volts.BuildAnalogTables();
    return writeWholeFile(VoltStorePath(folder), QByteArray("0,0") + kLineEnd);
}

int ReadVoltStore(Voltages& volts, QIODevice& store) {
    TextItemReader in(store);
    VoltageState& s = volts.state();
    int read = 0;
    while (read < kVoltTables * kVoltBands) {
        const std::optional<QString> item = in.next();
        if (!item)
            break;
        if (item->isEmpty())
            continue;
        bool ok = false;
        const double value = item->toDouble(&ok);
        if (!ok || !std::isfinite(value))
            break;
        // Only a hand-edited store holds a level outside the slider's range.
        s.BandVoltTable[read / kVoltBands][read % kVoltBands] =
            float(std::clamp(value, 0.0, 255.0) + 0.0); // + 0.0: no "-0" in the store
        ++read;
    }
    volts.BuildAnalogTables();
    return read;
}

QByteArray VoltStoreText(const VoltageState& s) {
    QByteArray text;
    for (const auto& table : s.BandVoltTable)
        for (const float level : table)
            text += QByteArray::number(double(level), 'g', 9) + kLineEnd;
    return text;
}

Failure WriteVoltStore(Voltages& volts, const QString& folder) {
    volts.BuildAnalogTables();
    return writeWholeFile(VoltStorePath(folder), VoltStoreText(volts.state()));
}

void LoadVoltStore(Voltages& volts, const QString& folder) {
    QFile store(VoltStorePath(folder));
    if (store.open(QIODevice::ReadOnly))
        ReadVoltStore(volts, store);
    else if (!QFileInfo::exists(store.fileName()))
        CreateVoltStore(volts, folder);
    else // kept: a fresh store written over it would lose the user's tables
        volts.BuildAnalogTables();
}

} // namespace bdx4
