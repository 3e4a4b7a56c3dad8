#include "store/MapStore.h"

#include "store/TextItems.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace bdx4 {

namespace {

std::optional<std::uint8_t> cellValue(const QString& item) {
    bool ok = false;
    const uint value = item.toUInt(&ok, 10);
    if (!ok || value > 255 || item.isEmpty() || !item.at(0).isDigit())
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

} // namespace

MapStore::MapStore(BandMaps& maps, MessageBoxes& boxes, MapCaptions& captions)
    : maps_(maps), boxes_(boxes), captions_(captions) {}

QString MapStore::storePath() const {
    return QDir(folder_).filePath(kMapStoreName);
}

void MapStore::StartMapStore() {
    QFile store(storePath());
    if (store.open(QIODevice::ReadOnly))
        ReadMapStore(store);
    else if (!QFileInfo::exists(storePath()))
        CreateMapStore();
    // A store that is there but cannot be opened is kept: writing a fresh one over it would
    // throw the user's maps away. The start-up goes on as after a failed read.
    loaded_ = true;
}

Failure MapStore::CreateMapStore() {
    if (Failure failure = writeWholeFile(storePath(), label("Empty")))
        return failure;
    BandMapState& s = maps_.state();
    s.CurrentMap = 0;
    for (auto& map : s.BandMapStore)
        for (auto& row : map)
            for (auto& cell : row)
                cell = 0;
    maps_.SetAccMarks(false);
    maps_.ShowAccColumns(false);
    maps_.Defaults_Click();
    return std::nullopt;
}

bool MapStore::ReadMapStore(QIODevice& store) {
    TextItemReader in(store);
    BandMapState& s = maps_.state();

    const std::optional<QString> first = in.next();
    if (!first)
        return false;
    if (*first == QLatin1String("Empty")) {
        maps_.SetAccMarks(false);
        maps_.ShowAccColumns(false);
        maps_.Defaults_Click();
        return true;
    }
    // The labels ("Map 1", "Row 0" ...) only have to be there; the first one was read above.
    bool mapLabelRead = true;
    for (int m = 0; m < kMaps; ++m) {
        if (!mapLabelRead && !in.next())
            return false;
        mapLabelRead = false;
        for (int r = 0; r < kBandRows; ++r) {
            if (!in.next())
                return false;
            for (int c = 0; c < kOutputs; ++c) {
                const std::optional<QString> item = in.next();
                const std::optional<std::uint8_t> value =
                    item ? cellValue(*item) : std::optional<std::uint8_t>();
                if (!value)
                    return false;
                s.BandMapStore[m][r][c] = *value;
            }
        }
    }
    if (!in.next()) // "----"
        return false;
    const std::optional<QString> flagItem = in.next();
    const std::optional<bool> flag = flagItem ? modeFlag(*flagItem) : std::nullopt;
    if (!flag)
        return false;
    s.UseAccForBandmap = *flag;

    Load_MAP_Click(1);
    maps_.SetAccMarks(s.UseAccForBandmap);
    maps_.ShowAccColumns(s.UseAccForBandmap);
    return true;
}

QByteArray MapStore::StoreText(const BandMapState& s) {
    QByteArray text;
    text.reserve(4096);
    for (int m = 0; m < kMaps; ++m) {
        text += label("Map " + QByteArray::number(m + 1));
        for (int r = 0; r < kBandRows; ++r) {
            text += label("Row " + QByteArray::number(r));
            for (int c = 0; c < kOutputs; ++c)
                text += QByteArray::number(s.BandMapStore[m][r][c]) + kLineEnd;
        }
    }
    text += label("----");
    text += QByteArray(s.UseAccForBandmap ? "#TRUE#" : "#FALSE#") + kLineEnd;
    return text;
}

MessageRequest MapStore::WriteFailureMessage(const PlatformError& error) {
    MessageRequest box;
    box.text = QStringLiteral("Oops! Error message...\r\n\r\n") + error.description;
    box.title = QStringLiteral("Error # ") + QString::number(error.number);
    box.buttons = MsgButtons::Ok;
    box.defaultButton = MsgAnswer::Ok;
    box.icon = MsgIcon::Critical;
    return box;
}

Failure MapStore::WriteMapStore() {
    Failure failure = writeWholeFile(storePath(), StoreText(maps_.state()));
    if (failure)
        boxes_.show(WriteFailureMessage(*failure));
    return failure;
}

void MapStore::Load_MAP_Click(int n) {
    if (n < 1 || n > kMaps)
        return;
    BandMapState& s = maps_.state();
    if (const std::optional<MsgAnswer> answer = maps_.AskUnsavedChanges()) {
        if (*answer == MsgAnswer::Yes)
            maps_.StoreMap(s.CurrentMap);
        else
            s.MapChanged = false;
    }
    s.CurrentMap = n - 1;
    maps_.ShowMap(n - 1);
    captions_.showOnly(n - 1);
    s.MapChanged = false;
}

void MapStore::Save_MAP_Click(int n) {
    if (!loaded_ || n < 1 || n > kMaps)
        return;
    BandMapState& s = maps_.state();
    s.CurrentMap = n - 1;
    maps_.StoreMap(n - 1);
    captions_.showOnly(n - 1);
    WriteMapStore();
}

} // namespace bdx4
