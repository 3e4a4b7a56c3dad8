#pragma once

#include "io/Clock.h"
#include "io/SerialLine.h"
#include "io/SerialTrace.h"
#include "io/SettingsStore.h"
#include "io/StorePlaces.h"
#include "jobs/BoxConnection.h"
#include "jobs/BoxSearch.h"
#include "jobs/DownloadJob.h"
#include "jobs/StartupJob.h"
#include "model/BandMaps.h"
#include "model/VoltageTables.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace bdx4 {

class BandMapGrid;
class SeekingWindow;

/// The main window: the grid of the shown band map with the buttons that display and save the
/// three maps, the menus of every command, and the status box where a download reports. On its
/// first showing it runs the start-up; closing it ends the program, after asking whether to keep
/// unsaved changes of the map.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    /// `line` is the serial line to the box, `places` tells where the stores go; with `trace`,
    /// each box search and download is recorded in its file (`line` must then be its line).
    MainWindow(SettingsStore& settings, SerialLine& line, Clock& clock, const StorePlaces& places,
               SessionTrace* trace = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    BandMaps& maps() { return maps_; }
    VoltageTables& volts() { return volts_; }
    BoxConnection& connection() { return connection_; }
    BandMapGrid& grid() { return *grid_; }
    QLineEdit* statusBox() const { return status_; }
    /// The start-up has read the stores: the commands may be used.
    bool isReady() const { return ready_; }
    /// The folder of the stores, once the start-up chose it.
    QString storeFolder() const { return storeFolder_; }

    /// "Morvane BDX4 Configuration Utility, rev 2.1.7".
    static QString caption();
    /// The About box's text for a program in `programFolder`.
    static QString aboutText(const QString& programFolder);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCanvas();
    QPushButton* addButton(const QString& text, const QString& tip, int left, int top);
    void buildMenus();
    void loadPortSettings();
    void startUp();

    // The commands.
    void clearGrid();
    void putDefaults();
    void displayMap(int map);
    void saveMap(int map);
    void writeToBox();
    void exportToFile();
    void testForBox();
    void setAccMode(bool forBandMap);
    void openVoltageWindow(int table);
    void showHelp();
    void showAbout();
    void clearStatus();
    /// With unsaved changes, asks whether to keep them in their map (in memory); true for Yes.
    bool askToKeepChanges();
    void writeMapStore();

    // What the jobs report.
    void showPortOpenResult(const PortOpenResult& result);
    void followSearch(BoxSearch& search);
    void showSearchResult(const SearchResult& result);
    void showStartupResult(const StartupResult& result);
    void showDownloadResult(const DownloadResult& result);
    void showStoreUnreadable(const QString& path, const QString& reason, const QString& what);
    void showAccMode(bool forBandMap);
    void showLabelledMap(int map);
    void setStatus(const QString& text, const QColor& color);
    /// The trace is for whoever reads a bug report: its words stay English, like bdx4ctl's.
    void beginTrace(const QString& what);
    /// Enables what may be used now: nothing but the ways out until the start-up has read the
    /// stores, and no second download or box search while one runs.
    void updateCommands();

    SettingsStore& settings_;
    StorePlaces places_;
    SessionTrace* trace_;
    BandMaps maps_;
    VoltageTables volts_;
    BoxConnection connection_;
    StartupJob startup_;
    BoxSearch search_;
    DownloadJob download_;
    QString storeFolder_;
    bool startupQueued_ = false;
    bool startupBegun_ = false;
    bool ready_ = false;
    bool closing_ = false;

    QWidget* canvas_ = nullptr;
    BandMapGrid* grid_ = nullptr;
    QLineEdit* status_ = nullptr;
    QPushButton* cancelDownload_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* defaults_ = nullptr;
    std::array<QPushButton*, kMaps> display_ = {};
    std::array<QPushButton*, kMaps> save_ = {};
    std::array<QLabel*, kMaps> labels_ = {};
    QPushButton* write_ = nullptr;
    QPushButton* quit_ = nullptr;

    QAction* test_ = nullptr;
    QAction* export_ = nullptr;
    QMenu* accMenu_ = nullptr;
    QAction* accForBandMap_ = nullptr;
    QAction* accDefaultTable_ = nullptr;
    std::array<QAction*, 3> analog_ = {};
    QMenu* commMenu_ = nullptr;
    std::array<QAction*, kLastPort> ports_ = {};
    std::array<QAction*, 4> speeds_ = {};
    QMenu* helpMenu_ = nullptr;

    QPointer<SeekingWindow> seeking_;
};

} // namespace bdx4
