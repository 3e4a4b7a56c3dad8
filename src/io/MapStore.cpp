#include "io/MapStore.h"

#include <QDir>
#include <QFile>

namespace bdx4 {

namespace {

std::optional<std::uint8_t> cellValue(const std::optional<QString>& item) {
    bool ok = false;
    const uint value = item ? item->toUInt(&ok, 10) : 0;
    if (!ok || value > 255 || !item->at(0).isDigit())
        return std::nullopt;
    return std::uint8_t(value);
}

std::optional<bool> modeFlag(const std::optional<QString>& item) {
    if (item == QLatin1String("#TRUE#"))
        return true;
    if (item == QLatin1String("#FALSE#"))
        return false;
    return std::nullopt;
}

QByteArray label(const QByteArray& text) {
    return '"' + text + '"' + kLineEnd;
}

} // namespace

QString mapStorePath(const QString& folder) {
    return QDir(folder).filePath(kMapStoreName);
}

StoreReading::Outcome readMapStore(QIODevice& in, MapStoreContent& content) {
    TextItemReader items(in);
    const std::optional<QString> first = items.next();
    if (!first)
        return StoreReading::Incomplete;
    if (*first == QLatin1String("Empty"))
        return StoreReading::Empty;
    // The labels ("Map 1", "Row 0" ...) only have to be there; the first one was read above.
    for (int m = 0; m < kMaps; ++m) {
        if (m > 0 && !items.next())
            return StoreReading::Incomplete;
        for (int r = 0; r < kBandRows; ++r) {
            if (!items.next())
                return StoreReading::Incomplete;
            for (int c = 0; c < kOutputs; ++c) {
                const std::optional<std::uint8_t> value = cellValue(items.next());
                if (!value)
                    return StoreReading::Incomplete;
                content.maps[m][r][c] = *value;
            }
        }
    }
    if (!items.next()) // "----"
        return StoreReading::Incomplete;
    const std::optional<bool> flag = modeFlag(items.next());
    if (!flag)
        return StoreReading::Incomplete;
    content.accForBandMap = *flag;
    return StoreReading::Complete;
}

StoreReading readMapStore(const QString& path, MapStoreContent& content) {
    QFile file(path);
    if (const std::optional<StoreReading> failed = openStore(file))
        return *failed;
    return StoreReading{readMapStore(file, content), QString()};
}

QByteArray mapStoreText(const MapStoreContent& content) {
    QByteArray text;
    text.reserve(4096);
    for (int m = 0; m < kMaps; ++m) {
        text += label("Map " + QByteArray::number(m + 1));
        for (int r = 0; r < kBandRows; ++r) {
            text += label("Row " + QByteArray::number(r));
            for (int c = 0; c < kOutputs; ++c)
                text += QByteArray::number(content.maps[m][r][c]) + kLineEnd;
        }
    }
    text += label("----");
    text += QByteArray(content.accForBandMap ? "#TRUE#" : "#FALSE#") + kLineEnd;
    return text;
}

IoResult writeMapStore(const QString& path, const MapStoreContent& content) {
    return writeFileWhole(path, mapStoreText(content));
}

QByteArray emptyMapStoreText() {
    return label("Empty");
}

IoResult createEmptyMapStore(const QString& path) {
    return writeFileWhole(path, emptyMapStoreText());
}

} // namespace bdx4
