#include "io/MapStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace bdx4 {

namespace {

class MapStoreTexts {
    Q_DECLARE_TR_FUNCTIONS(MapStore)
};

// The store's items in order: a map's label, then for each row its label and 16 values; after
// the three maps the label "----" and the ACn flag.
constexpr int kItemsPerRow = 1 + kOutputs;
constexpr int kItemsPerMap = 1 + kBandRows * kItemsPerRow;
constexpr int kEndLabelItem = kMaps * kItemsPerMap;
constexpr int kFlagItem = kEndLabelItem + 1;
constexpr int kItemCount = kFlagItem + 1;

/// What belongs at item `index`.
struct Place {
    enum Kind { Label, Cell, Flag } kind;
    int map = 0, row = 0, output = 0;
};

Place placeOf(int index) {
    if (index >= kEndLabelItem)
        return Place{index == kFlagItem ? Place::Flag : Place::Label};
    const int inMap = index % kItemsPerMap;
    const int output = (inMap - 1) % kItemsPerRow - 1;
    if (inMap == 0 || output < 0)
        return Place{Place::Label};
    return Place{Place::Cell, index / kItemsPerMap, (inMap - 1) / kItemsPerRow, output};
}

/// The number in `text` after `prefix` ("Row 4" after "Row "), as the store writes it.
int numberAfter(const QString& text, QLatin1String prefix) {
    if (!text.startsWith(prefix))
        return -1;
    const QString digits = text.mid(prefix.size());
    bool ok = false;
    const int number = digits.toInt(&ok, 10);
    return ok && QString::number(number) == digits ? number : -1;
}

/// Where the label `text` of the store stands when it comes in item `from`, a value's place:
/// "Row r" of the map being read (also the row being read, whose label place took another
/// item: a line one too many), or else of the next map; "Map n" from the map being read on.
/// -1 when it is no label of the store or lies behind.
int labelPlace(const QString& text, int from) {
    const int map = numberAfter(text, QLatin1String("Map ")),
              row = numberAfter(text, QLatin1String("Row "));
    const int mapStart = from / kItemsPerMap * kItemsPerMap;
    const int rowStart = mapStart + 1 + (from - mapStart - 1) / kItemsPerRow * kItemsPerRow;
    int index = -1;
    if (map >= 1 && map <= kMaps) {
        index = (map - 1) * kItemsPerMap;
        if (index < mapStart)
            index = -1;
    } else if (row >= 0 && row < kBandRows) {
        index = mapStart + 1 + row * kItemsPerRow;
        if (index < rowStart)
            index += kItemsPerMap;
    } else if (text == QLatin1String("----")) {
        index = kEndLabelItem;
    }
    return index < kFlagItem ? index : -1;
}

std::optional<std::uint8_t> cellValue(const QString& item) {
    bool ok = false;
    const uint value = item.toUInt(&ok, 10);
    if (!ok || value > 255 || !item.at(0).isDigit())
        return std::nullopt;
    return std::uint8_t(value);
}

std::optional<bool> modeFlag(const QString& item) {
    if (item == QLatin1String("#TRUE#"))
        return true;
    if (item == QLatin1String("#FALSE#"))
        return false;
    return std::nullopt;
}

QByteArray label(const QByteArray& text) {
    return '"' + text + '"' + kLineEnd;
}

/// Keeps the first fault of a store read in part.
void noteFault(StoreReading& reading, int line, const QString& description) {
    if (reading.outcome != StoreReading::Complete)
        return;
    reading.outcome = StoreReading::Incomplete;
    reading.line = line;
    reading.description = description;
}

/// Item `index`, a value's place, holds `item`, which is none: the fault is noted, and a label of
/// the store or the ACn flag (lines missing or one too many above it) shows where reading goes
/// on. The index of the item read last.
int afterNoValue(const TextItemReader& items, const QString& item, int index, StoreReading& reading,
                 MapStoreContent& content) {
    const int label = items.lastItemWasQuoted() ? labelPlace(item, index) : -1;
    const std::optional<bool> flag = modeFlag(item);
    noteFault(reading, items.line(),
              label >= 0 ? MapStoreTexts::tr("the label %1 stands where a cell value 0-255 "
                                             "belongs: a line above it is missing or one too many")
                               .arg(quotedItem(item))
              : flag ? MapStoreTexts::tr("the ACn mode %1 stands where a cell value 0-255 "
                                         "belongs: lines above it are missing")
                           .arg(quotedItem(item))
                     : MapStoreTexts::tr("%1 is not a cell value 0-255").arg(quotedItem(item)));
    if (flag)
        content.accForBandMap = *flag;
    return flag ? kFlagItem : label >= 0 ? label : index;
}

} // namespace

QString mapStorePath(const QString& folder) {
    return QDir(folder).filePath(kMapStoreName);
}

StoreReading readMapStoreItems(QIODevice& in, MapStoreContent& content) {
    TextItemReader items(in);
    StoreReading reading;
    reading.outcome = StoreReading::Complete;
    std::optional<QString> item = items.next();
    if (!item) {
        noteFault(reading, 1, MapStoreTexts::tr("the file is empty"));
        return reading;
    }
    if (*item == QLatin1String("Empty")) {
        reading.outcome = StoreReading::Empty;
        return reading;
    }
    for (int index = 0; index < kItemCount; ++index, item = items.next()) {
        const Place place = placeOf(index);
        if (!item) {
            noteFault(reading, items.line(),
                      index < kEndLabelItem
                          ? MapStoreTexts::tr("the store ends early, in MAP%1")
                                .arg(index / kItemsPerMap + 1)
                          : MapStoreTexts::tr("the store ends before its ACn mode"));
            break;
        }
        if (place.kind == Place::Label) // any item will do: the labels are not compared
            continue;
        if (place.kind == Place::Flag) {
            if (const std::optional<bool> flag = modeFlag(*item))
                content.accForBandMap = *flag;
            else
                noteFault(reading, items.line(),
                          MapStoreTexts::tr("%1 is not the ACn mode #TRUE# or #FALSE#")
                              .arg(quotedItem(*item)));
        } else if (const std::optional<std::uint8_t> value = cellValue(*item)) {
            content.maps[place.map][place.row][place.output] = *value;
        } else {
            index = afterNoValue(items, *item, index, reading, content);
        }
    }
    return reading;
}

StoreReading readMapStore(const QString& path, MapStoreContent& content) {
    return readStoreFile(path,
                         [&content](QIODevice& in) { return readMapStoreItems(in, content); });
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
