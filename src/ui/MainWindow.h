#pragma once

#include "io/Clock.h"
#include "io/MapStore.h"
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
#include <functional>
#include <set>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QUndoStack;

namespace bdx4 {

class BandMapGrid;
class CommMenu;
class MainCanvas;
class PortStatusBar;
class SeekingWindow;

/// The main window: the grid of the shown band map with the buttons that display and save the
/// three maps, the menus of every command, and the status box where a download reports. On its
/// first showing it runs the start-up; closing it ends the program, after asking whether to keep
/// unsaved changes of the store (the answer Cancel keeps it open).
///
/// Every change of the grid is a step that Edit > Undo takes back. The grid counts as unsaved
/// unless it is at a step where it was kept in its map (displayed, saved, or kept at a question)
/// and still shows what that map holds: a change and its undoing leave nothing unsaved, a tick
/// and its untick do. The store counts as unsaved while the grid does, or while the maps kept in
/// memory or the ACn mode differ from what the map store holds. The title marks an unsaved store.
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
    QLineEdit* statusBox() const;
    /// The start-up has read the stores: the commands may be used.
    bool isReady() const { return ready_; }
    /// The folder of the stores, once the start-up chose it.
    QString storeFolder() const { return storeFolder_; }
    /// The grid holds changes not kept in its map.
    bool hasUnsavedMap() const;
    /// Something would be lost if the program ended now: see the class comment.
    bool hasUnsavedStore() const;

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
    void buildMenus();
    void placeWindow();
    void startUp();

    // The commands.
    void clearGrid();
    void putDefaults();
    void displayMap(int map);
    void saveMap(int map);
    void writeToBox();
    void exportToFile();
    /// Puts a configuration file's map and mode on the grid (one undoable step) and, when the
    /// user agrees, its voltage tables in the store; a file that fails a check changes nothing.
    void openConfigurationFile();
    /// The printable sheet of the shown map, the mode and the voltage tables, on the printer the
    /// user chooses (or a PDF).
    void printSheet();
    void testForBox();
    void setAccMode(bool forBandMap);
    void openVoltageWindow(int table);
    void showHelp();
    void showAbout();
    /// With unsaved changes of the grid, asks whether to keep them in their map (in memory);
    /// false when the user cancelled, and the command must not go on.
    bool settleUnsavedMap();
    /// "The last Map1 changes have not been saved. ..."
    QString unsavedQuestion() const;
    /// Makes `change` of the grid an undoable step named `text`: only when it changed something,
    /// or always with `always` (Defaults counts as a change even where it changes nothing).
    void changeGrid(const QString& text, const std::function<void()>& change, bool always = false);
    /// Writes the three maps and the ACn mode; false (the user told why) when that failed.
    bool writeMapStore();
    /// The grid, as it stands at this step, is kept in its map.
    void markKept();
    void showModified();

    // What the jobs report.
    void showPortOpenResult(const PortOpenResult& result);
    void followSearch(BoxSearch& search);
    void showSearchResult(const SearchResult& result);
    void showStartupResult(const StartupResult& result);
    void showDownloadResult(const DownloadResult& result);
    void showStoreUnreadable(const QString& path, const QString& reason, const QString& what);
    void showAccMode(bool forBandMap);
    void closeSeekingWindow();
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
    /// What the map store holds, as read at the start-up or last written.
    MapStoreContent storeContent_;
    QUndoStack* undo_ = nullptr;
    /// The steps of `undo_` at which the grid was kept in its map.
    std::set<int> keptAt_;
    bool startupQueued_ = false;
    bool startupBegun_ = false;
    bool ready_ = false;
    bool closing_ = false;
    /// The window took its place from the settings: it is not centred.
    bool placed_ = false;

    MainCanvas* canvas_ = nullptr;
    BandMapGrid* grid_ = nullptr;
    PortStatusBar* statusBar_ = nullptr;

    QAction* test_ = nullptr;
    QAction* saveShown_ = nullptr;
    QAction* export_ = nullptr;
    QAction* open_ = nullptr;
    QAction* print_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* accMenu_ = nullptr;
    QAction* accForBandMap_ = nullptr;
    QAction* accDefaultTable_ = nullptr;
    std::array<QAction*, 3> analog_ = {};
    CommMenu* commMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    /// The firmware of the box that answered in this run; empty before.
    QString firmware_;

    QPointer<SeekingWindow> seeking_;
};

} // namespace bdx4
