#include "jobs/StartupJob.h"

#include "io/MapStore.h"
#include "io/VoltageStore.h"

namespace bdx4 {

StartupJob::StartupJob(BoxConnection& connection, Clock& clock, BandMaps& maps,
                       VoltageTables& volts, const StorePlaces& places, QObject* parent)
    : QObject(parent), connection_(connection), search_(connection, clock),
      soon_(clock.createTimer()), maps_(maps), volts_(volts), places_(places) {
    connect(&search_, &BoxSearch::finished, this, &StartupJob::onSearchFinished);
}

// The start-up, step by step.

void StartupJob::start() {
    if (step_ != Step::Idle)
        return;
    step_ = Step::PortShown;
    emit portOpened(connection_.open());
}

void StartupJob::proceed() {
    // From the event loop: the front end may call this from inside its slot.
    soon_->start(0, [this] {
        if (step_ == Step::PortShown && connection_.isReady()) {
            step_ = Step::Searching;
            search_.start();
        } else if (step_ == Step::PortShown || step_ == Step::SearchShown) {
            loadStores();
        }
    });
}

void StartupJob::onSearchFinished(const SearchResult& result) {
    if (step_ != Step::Searching)
        return;
    step_ = Step::SearchShown;
    emit searchFinished(result);
}

void StartupJob::loadStores() {
    StartupResult result;
    result.storeFolder = places_.storeFolder();
    loadMapStore(result);
    loadVoltageStore(result);
    finish(result);
}

void StartupJob::cancel() {
    if (step_ == Step::Idle || step_ == Step::Done)
        return;
    step_ = Step::Done; // the search's end is no longer shown
    soon_->stop();
    search_.cancel();
    StartupResult result;
    result.cancelled = true;
    finish(result);
}

void StartupJob::finish(const StartupResult& result) {
    step_ = Step::Idle;
    emit finished(result);
}

// The stores.

void StartupJob::loadMapStore(StartupResult& result) {
    const QString path = mapStorePath(result.storeFolder);
    MapStoreContent content{maps_.storedMaps(), maps_.accOutputsForBandMap()};
    result.maps = readMapStore(path, content);
    switch (result.maps.outcome) {
    case StoreReading::Complete:
        maps_.setStoredMaps(content.maps);
        maps_.setAccOutputsForBandMap(content.accForBandMap);
        maps_.display(0);
        break;
    case StoreReading::Incomplete:
        // What was read stands in memory; the grid, its label and the mode are left alone.
        maps_.setStoredMaps(content.maps);
        break;
    case StoreReading::Missing:
        // A store that cannot be created leaves everything as it was; saving tries again.
        result.mapStoreCreated = !createEmptyMapStore(path);
        if (result.mapStoreCreated)
            showFirstStart();
        break;
    case StoreReading::Empty:
    case StoreReading::Unreadable: // kept: a fresh store written over it would lose the maps
        showFirstStart();
        break;
    }
}

void StartupJob::showFirstStart() {
    maps_.setAccOutputsForBandMap(false);
    maps_.setDefaults(Arrangement::FirstStart);
}

void StartupJob::loadVoltageStore(StartupResult& result) {
    const QString path = voltageStorePath(result.storeFolder);
    result.voltages = readVoltageStore(path, volts_);
    if (result.voltages.outcome == StoreReading::Missing)
        createVoltageStore(path); // the tables are zero already; a failure is noticed at Save
}

} // namespace bdx4
