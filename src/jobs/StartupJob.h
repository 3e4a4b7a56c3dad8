#pragma once

#include "io/Clock.h"
#include "io/StoreFile.h"
#include "io/StorePlaces.h"
#include "jobs/BoxConnection.h"
#include "jobs/BoxSearch.h"
#include "model/BandMaps.h"
#include "model/VoltageTables.h"

#include <QObject>

#include <memory>

namespace bdx4 {

/// What the start-up found in the stores.
struct StartupResult {
    /// The start-up was cancelled before the stores were read (the window closed).
    bool cancelled = false;
    /// The folder of both stores.
    QString storeFolder;
    /// How reading the map store went. Missing: a fresh one was written, unless
    /// `mapStoreCreated` is false.
    StoreReading maps;
    bool mapStoreCreated = false;
    StoreReading voltages;
};

/// The program's start-up: open the port; if it opened, look for the box; then read both stores
/// into the band maps and the voltage tables, or create them when there are none. The front end
/// shows what the port and the search came to and calls `proceed`; only then does the start-up go
/// on, so that the user meets the port's and the box's messages before the stores are read.
///
/// A store that cannot be read is left as it is; the maps then show the first start's
/// arrangement and the tables hold zeros, in memory only.
class StartupJob : public QObject {
    Q_OBJECT
public:
    StartupJob(BoxConnection& connection, Clock& clock, BandMaps& maps, VoltageTables& volts,
               const StorePlaces& places, QObject* parent = nullptr);

    void start();
    /// The front end has shown the last report; the start-up goes on.
    void proceed();
    /// Ends the start-up at once (the window is closing): the search stops, no store is read.
    void cancel();
    bool isRunning() const { return step_ != Step::Idle; }
    /// The search the start-up runs, for showing its progress and firmware.
    BoxSearch& search() { return search_; }

signals:
    /// The port was tried; the start-up waits for `proceed`.
    void portOpened(const PortOpenResult& result);
    /// The search ended; the start-up waits for `proceed`.
    void searchFinished(const SearchResult& result);
    void finished(const StartupResult& result);

private:
    enum class Step { Idle, PortShown, Searching, SearchShown, Done };

    void onSearchFinished(const SearchResult& result);
    void loadStores();
    void loadMapStore(StartupResult& result);
    void loadVoltageStore(StartupResult& result);
    /// The window as a first start shows it: the default-table mode and the first-start
    /// arrangement, which counts as unsaved.
    void showFirstStart();
    void finish(const StartupResult& result);

    BoxConnection& connection_;
    BoxSearch search_;
    std::unique_ptr<StepTimer> soon_;
    BandMaps& maps_;
    VoltageTables& volts_;
    StorePlaces places_;
    Step step_ = Step::Idle;
};

} // namespace bdx4
