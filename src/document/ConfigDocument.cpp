#include "document/ConfigDocument.h"

#include "io/VoltageStore.h"

#include <QBuffer>
#include <QDateTime>

namespace bdx4 {

namespace {

/// Reads the store at `path` through `parse`, keeping its bytes in `bytes`.
StoreReading readStore(const QString& path, QByteArray& bytes,
                       const std::function<StoreReading(QIODevice&)>& parse) {
    return readStoreFile(path, [&](QIODevice& in) {
        bytes = in.readAll();
        in.seek(0);
        return parse(in);
    });
}

MapStoreContent mapStoreContentOf(QByteArray bytes) {
    MapStoreContent content;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    readMapStore(buffer, content);
    return content;
}

} // namespace

ConfigDocument::ConfigDocument(QObject* parent) : QObject(parent) {
    setMapStoreBytes(emptyMapStoreText());
    voltageFile_.bytes = newVoltageStoreText();
    connect(&undo_, &QUndoStack::indexChanged, this, &ConfigDocument::changed);
}

// Loading.

StoreLoad ConfigDocument::load(const QString& folder) {
    folder_ = folder;
    mapFile_.path = bdx4::mapStorePath(folder);
    voltageFile_.path = bdx4::voltageStorePath(folder);
    namesFile_.path = outputNamesPath(folder);
    StoreLoad load;
    loadMapStore(load);
    loadVoltageStore(load);
    loadNames(load);
    undo_.clear();
    loaded_ = true;
    emit changed();
    return load;
}

void ConfigDocument::loadMapStore(StoreLoad& load) {
    QByteArray bytes;
    MapStoreContent content;
    load.maps = readStore(mapFile_.path, bytes,
                          [&content](QIODevice& in) { return readMapStoreItems(in, content); });
    const auto showFirstStart = [this] {
        maps_.setAccOutputsForBandMap(false);
        maps_.setDefaults(Arrangement::FirstStart);
    };
    if (load.maps.outcome == StoreReading::Missing) {
        // A store that cannot be created leaves everything as it was; saving tries again.
        load.mapStoreCreated = !createEmptyMapStore(mapFile_.path);
        mapFile_.wasWritten(emptyMapStoreText());
        if (load.mapStoreCreated)
            showFirstStart();
        return;
    }
    mapFile_.wasRead(bytes, load.maps.stamp, load.maps.outcome == StoreReading::Incomplete);
    if (load.maps.outcome == StoreReading::Unreadable) { // kept: a new store would lose the maps
        showFirstStart();
        return;
    }
    setMapStoreBytes(bytes);
    if (load.maps.outcome == StoreReading::Empty) {
        showFirstStart();
        return;
    }
    // A store read in part shows all it could read, as a whole one does.
    maps_.setStoredMaps(content.maps);
    maps_.setAccOutputsForBandMap(content.accForBandMap);
    maps_.display(0);
    mapStore_ = content;
}

void ConfigDocument::loadVoltageStore(StoreLoad& load) {
    QByteArray bytes;
    VoltageTables tables = volts_;
    load.volts = readStore(voltageFile_.path, bytes,
                           [&tables](QIODevice& in) { return readVoltageStoreItems(in, tables); });
    if (load.volts.outcome == StoreReading::Missing) {
        createVoltageStore(voltageFile_.path); // the tables are zero already; Save tells a failure
        voltageFile_.wasWritten(newVoltageStoreText());
        return;
    }
    voltageFile_.wasRead(bytes, load.volts.stamp, load.volts.outcome == StoreReading::Incomplete);
    if (load.volts.outcome != StoreReading::Unreadable)
        volts_ = tables;
}

void ConfigDocument::loadNames(StoreLoad& load) {
    const FileContent file = readRegularFile(namesFile_.path, kMaxStoreSize);
    if (file.outcome == FileContent::Read)
        load.names = OutputNamesFile::read(file.bytes, names_);
    else
        load.names = {file.outcome == FileContent::Missing ? NamesReading::Missing
                                                           : NamesReading::Unreadable,
                      0, file.reason};
    // What a write would put back; the names read are what stands.
    namesFile_.wasRead(file.bytes, file.stamp, load.names.outcome == NamesReading::Damaged);
    emit namesChanged();
}

StoreReading ConfigDocument::reloadVolts() {
    if (!loaded_)
        return StoreReading{};
    StoreLoad load;
    loadVoltageStore(load);
    if (load.volts.outcome == StoreReading::Missing) {
        volts_ = VoltageTables();
        voltageFile_.bytes = newVoltageStoreText();
    }
    return load.volts;
}

void ConfigDocument::setMapStoreBytes(const QByteArray& bytes) {
    mapFile_.bytes = bytes;
    mapStore_ = mapStoreContentOf(bytes);
}

// What is unsaved.

bool ConfigDocument::gridIsUnsaved() const {
    return loaded_ && maps_.hasUnsavedChanges();
}

QList<int> ConfigDocument::unsavedMaps() const {
    QList<int> unsaved;
    if (!loaded_)
        return unsaved;
    for (int m = 0; m < kMaps; ++m)
        if ((m == maps_.currentMap() && maps_.hasUnsavedChanges()) ||
            maps_.storedMaps()[m] != mapStore_.maps[m])
            unsaved << m;
    return unsaved;
}

bool ConfigDocument::modeIsUnsaved() const {
    return loaded_ && maps_.accOutputsForBandMap() != mapStore_.accForBandMap;
}

// The user's changes.

void ConfigDocument::push(const QString& text, DocumentState before, bool always) {
    DocumentState after = now();
    if (before.volts)
        after.volts = volts_;
    if (before.mapStore)
        after.mapStore = mapFile_.bytes;
    if (before.voltageStore)
        after.voltageStore = voltageFile_.bytes;
    if (before.names)
        after.names = names_;
    if (before.namesFile)
        after.namesFile = namesFile_.bytes;
    const bool same = before.maps == after.maps && before.volts == after.volts &&
                      before.names == after.names && before.mapStore == after.mapStore &&
                      before.voltageStore == after.voltageStore &&
                      before.namesFile == after.namesFile;
    if (same && !always)
        return;
    undo_.push(new DocumentStep(*this, text, std::move(before), std::move(after)));
}

void ConfigDocument::keepOrDrop(GridEdits edits) {
    if (edits == GridEdits::Keep && maps_.hasUnsavedChanges())
        maps_.keepShownMap();
}

void ConfigDocument::setCell(int row, int output, int value) {
    const DocumentState before = now();
    const QString cell =
        tr("%1 to %2")
            .arg(QLatin1String(kRowCaptions[row]), QLatin1String(kOutputCaptions[output]));
    maps_.setCell(row, output, value);
    push(value == 1 ? tr("Tick %1").arg(cell) : tr("Untick %1").arg(cell), before);
}

void ConfigDocument::clear(GridEdits edits) {
    const DocumentState before = now();
    keepOrDrop(edits);
    maps_.clear();
    push(tr("Clear"), before);
}

void ConfigDocument::setDefaults(GridEdits edits) {
    const DocumentState before = now();
    keepOrDrop(edits);
    maps_.setDefaults(Arrangement::Standard);
    push(tr("Defaults"), before, true);
}

void ConfigDocument::display(int map, GridEdits edits) {
    const DocumentState before = now();
    keepOrDrop(edits);
    maps_.display(map);
    push(tr("Display MAP%1").arg(map + 1), before);
}

void ConfigDocument::setAccMode(bool forBandMap) {
    const DocumentState before = now();
    maps_.setAccOutputsForBandMap(forBandMap);
    push(forBandMap ? tr("Use AC1 - AC3 for Bandmap") : tr("Use AC1 - AC3 default table"), before);
}

IoResult ConfigDocument::saveAs(int map) {
    DocumentState before = now();
    before.mapStore = mapFile_.bytes;
    maps_.saveAs(map);
    const IoResult failure = writeMapStore({maps_.storedMaps(), maps_.accOutputsForBandMap()});
    if (failure)
        before.mapStore.reset(); // the store is as it was: undo has nothing to write back
    push(tr("Save as MAP%1").arg(map + 1), before);
    return failure;
}

IoResult ConfigDocument::open(const Configuration& configuration, const QString& name,
                              GridEdits edits, bool tables) {
    DocumentState before = now();
    keepOrDrop(edits);
    maps_.showMap(configuration.map());
    maps_.setAccOutputsForBandMap(configuration.accOutputsForBandMap());
    IoResult failure;
    if (tables) {
        before.volts = volts_;
        before.voltageStore = voltageFile_.bytes;
        failure = writeVoltageStore(configuration.volts());
        if (failure) {
            before.volts.reset();
            before.voltageStore.reset();
        } else {
            volts_ = configuration.volts();
        }
    }
    push(tr("Open %1").arg(name), before, true);
    return failure;
}

IoResult ConfigDocument::saveVoltageTable(int table, const std::array<int, kVoltageBands>& levels) {
    VoltageTables next = volts_;
    for (int b = 0; b < kVoltageBands; ++b)
        next.setValue(table, b, float(levels[b]));
    DocumentState before = now();
    before.volts = volts_;
    before.voltageStore = voltageFile_.bytes;
    if (const IoResult failure = writeVoltageStore(next))
        return failure;
    volts_ = next;
    push(tr("Save AN%1 voltage table").arg(table + 1), before);
    return std::nullopt;
}

IoResult ConfigDocument::setNames(const OutputNames& names) {
    DocumentState before = now();
    before.names = names_;
    before.namesFile = namesFile_.bytes;
    if (const IoResult failure = replace(namesFile_, OutputNamesFile::text(names)))
        return failure;
    names_ = names;
    emit namesChanged();
    push(tr("Name the outputs"), before);
    return std::nullopt;
}

IoResult ConfigDocument::saveAll() {
    MapStoreContent content{maps_.storedMaps(), maps_.accOutputsForBandMap()};
    if (maps_.hasUnsavedChanges())
        content.maps[maps_.currentMap()] = maps_.shownMap();
    if (const IoResult failure = writeMapStore(content))
        return failure;
    maps_.keepShownMap();
    emit changed();
    return std::nullopt;
}

// The stores.

IoResult ConfigDocument::replace(KeptFile& file, const QByteArray& bytes) {
    const KeptFile::Replaced replaced =
        file.replace(bytes, askReplaceChanged_, QDateTime::currentDateTime());
    if (!replaced.keptCopy.isEmpty())
        emit damagedFileKept(file.path, replaced.keptCopy);
    return replaced.failure;
}

IoResult ConfigDocument::writeMapStore(const MapStoreContent& content) {
    const QByteArray bytes = mapStoreText(content);
    if (const IoResult failure = replace(mapFile_, bytes))
        return failure;
    setMapStoreBytes(bytes);
    return std::nullopt;
}

IoResult ConfigDocument::writeVoltageStore(const VoltageTables& volts) {
    return replace(voltageFile_, voltageStoreText(volts));
}

bool ConfigDocument::writeBack(KeptFile& file, const QByteArray& bytes) {
    if (bytes == file.bytes)
        return false;
    if (const IoResult failure = replace(file, bytes)) {
        emit storeNotWritten(file.path, *failure);
        return false;
    }
    return true;
}

void ConfigDocument::putBack(const DocumentState& state) {
    maps_.restoreState(state.maps);
    if (state.volts)
        volts_ = *state.volts;
    if (state.mapStore && writeBack(mapFile_, *state.mapStore))
        setMapStoreBytes(*state.mapStore);
    if (state.voltageStore)
        writeBack(voltageFile_, *state.voltageStore);
    if (state.names && *state.names != names_) {
        names_ = *state.names;
        emit namesChanged();
    }
    if (state.namesFile)
        writeBack(namesFile_, *state.namesFile);
}

} // namespace bdx4
