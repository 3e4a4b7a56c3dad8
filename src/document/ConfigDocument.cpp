#include "document/ConfigDocument.h"

#include "io/VoltageStore.h"

#include <QBuffer>
#include <QFile>

namespace bdx4 {

namespace {

/// The bytes of the store at `path`, or why there are none (Missing, Unreadable).
StoreReading readStoreBytes(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (const std::optional<StoreReading> failed = openStore(file))
        return *failed;
    bytes = file.readAll();
    return StoreReading{StoreReading::Complete, QString()};
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
    voltageStoreBytes_ = newVoltageStoreText();
    connect(&undo_, &QUndoStack::indexChanged, this, &ConfigDocument::changed);
}

QString ConfigDocument::mapStorePath() const {
    return bdx4::mapStorePath(folder_);
}

QString ConfigDocument::voltageStorePath() const {
    return bdx4::voltageStorePath(folder_);
}

QString ConfigDocument::namesPath() const {
    return outputNamesPath(folder_);
}

// Loading.

StoreLoad ConfigDocument::load(const QString& folder) {
    folder_ = folder;
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
    const QString path = mapStorePath();
    QByteArray bytes;
    load.maps = readStoreBytes(path, bytes);
    const auto showFirstStart = [this] {
        maps_.setAccOutputsForBandMap(false);
        maps_.setDefaults(Arrangement::FirstStart);
    };
    if (load.maps.outcome == StoreReading::Missing) {
        // A store that cannot be created leaves everything as it was; saving tries again.
        load.mapStoreCreated = !createEmptyMapStore(path);
        if (load.mapStoreCreated)
            showFirstStart();
        return;
    }
    if (load.maps.outcome == StoreReading::Unreadable) { // kept: a new store would lose the maps
        showFirstStart();
        return;
    }
    MapStoreContent content;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    load.maps.outcome = readMapStore(buffer, content);
    setMapStoreBytes(bytes);
    switch (load.maps.outcome) {
    case StoreReading::Complete:
        maps_.setStoredMaps(content.maps);
        maps_.setAccOutputsForBandMap(content.accForBandMap);
        maps_.display(0);
        break;
    case StoreReading::Incomplete:
        // What was read stands in memory; the grid, its label and the mode are left alone.
        maps_.setStoredMaps(content.maps);
        break;
    default: // Empty
        showFirstStart();
        break;
    }
}

void ConfigDocument::loadVoltageStore(StoreLoad& load) {
    const QString path = voltageStorePath();
    QByteArray bytes;
    load.volts = readStoreBytes(path, bytes);
    if (load.volts.outcome == StoreReading::Missing) {
        createVoltageStore(path); // the tables are zero already; a failure is noticed at Save
        return;
    }
    if (load.volts.outcome == StoreReading::Unreadable)
        return;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    load.volts.outcome = readVoltageStore(buffer, volts_);
    voltageStoreBytes_ = bytes;
}

void ConfigDocument::loadNames(StoreLoad& load) {
    QByteArray bytes;
    const StoreReading file = readStoreBytes(namesPath(), bytes);
    if (file.outcome == StoreReading::Complete)
        load.names = OutputNamesFile::read(bytes, names_);
    else
        load.names = {file.outcome == StoreReading::Missing ? NamesReading::Missing
                                                            : NamesReading::Unreadable,
                      0, file.reason};
    namesFileBytes_ = bytes; // what a write would put back; the names read are what stands
    emit namesChanged();
}

StoreReading ConfigDocument::reloadVolts() {
    if (!loaded_)
        return StoreReading{StoreReading::Missing, QString()};
    StoreLoad load;
    loadVoltageStore(load);
    if (load.volts.outcome == StoreReading::Missing) {
        volts_ = VoltageTables();
        voltageStoreBytes_ = newVoltageStoreText();
    }
    return load.volts;
}

void ConfigDocument::setMapStoreBytes(const QByteArray& bytes) {
    mapStoreBytes_ = bytes;
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
        after.mapStore = mapStoreBytes_;
    if (before.voltageStore)
        after.voltageStore = voltageStoreBytes_;
    if (before.names)
        after.names = names_;
    if (before.namesFile)
        after.namesFile = namesFileBytes_;
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
    before.mapStore = mapStoreBytes_;
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
        before.voltageStore = voltageStoreBytes_;
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
    before.voltageStore = voltageStoreBytes_;
    if (const IoResult failure = writeVoltageStore(next))
        return failure;
    volts_ = next;
    push(tr("Save AN%1 voltage table").arg(table + 1), before);
    return std::nullopt;
}

IoResult ConfigDocument::setNames(const OutputNames& names) {
    DocumentState before = now();
    before.names = names_;
    before.namesFile = namesFileBytes_;
    const QByteArray bytes = OutputNamesFile::text(names);
    if (const IoResult failure = writeFileWhole(namesPath(), bytes))
        return failure;
    names_ = names;
    namesFileBytes_ = bytes;
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

IoResult ConfigDocument::writeMapStore(const MapStoreContent& content) {
    const QByteArray bytes = mapStoreText(content);
    if (const IoResult failure = writeFileWhole(mapStorePath(), bytes))
        return failure;
    setMapStoreBytes(bytes);
    return std::nullopt;
}

IoResult ConfigDocument::writeVoltageStore(const VoltageTables& volts) {
    const QByteArray bytes = voltageStoreText(volts);
    if (const IoResult failure = writeFileWhole(voltageStorePath(), bytes))
        return failure;
    voltageStoreBytes_ = bytes;
    return std::nullopt;
}

bool ConfigDocument::writeBack(const QString& path, const QByteArray& bytes) {
    if (const IoResult failure = writeFileWhole(path, bytes)) {
        emit storeNotWritten(path, *failure);
        return false;
    }
    return true;
}

void ConfigDocument::putBack(const DocumentState& state) {
    maps_.restoreState(state.maps);
    if (state.volts)
        volts_ = *state.volts;
    if (state.mapStore && *state.mapStore != mapStoreBytes_ &&
        writeBack(mapStorePath(), *state.mapStore))
        setMapStoreBytes(*state.mapStore);
    if (state.voltageStore && *state.voltageStore != voltageStoreBytes_ &&
        writeBack(voltageStorePath(), *state.voltageStore))
        voltageStoreBytes_ = *state.voltageStore;
    if (state.names && *state.names != names_) {
        names_ = *state.names;
        emit namesChanged();
    }
    if (state.namesFile && *state.namesFile != namesFileBytes_ &&
        writeBack(namesPath(), *state.namesFile))
        namesFileBytes_ = *state.namesFile;
}

} // namespace bdx4
