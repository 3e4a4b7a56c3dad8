#pragma once

#include "document/ConfigDocument.h"
#include "io/SerialPorts.h"
#include "io/StorePlaces.h"

#include <QMainWindow>

#include <optional>

class QLineEdit;

namespace bdx4 {

class BandMapGrid;
class BoxConnection;
class BoxController;
class Clock;
class FileCommands;
class MainMenus;
class MainCanvas;
class PortStatusBar;
class SerialLine;
class SessionTrace;
class SettingsStore;

/// The main window: it assembles the canvas (the grid of the shown band map and the buttons), the
/// menus, the COMM menu, the status bar and the box's controller around the user's document,
/// carries each command to the room that does it, and asks the questions: whether to keep
/// unsaved changes before a command replaces the grid or the program ends (Cancel backs out),
/// and which files to open, export or print. On its first showing it runs the start-up; closing
/// it ends the program. The title marks what is unsaved.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    /// `line` is the serial line to the box, `places` tells where the stores go; with `trace`,
    /// each box search and download is recorded in its file (`line` must then be its line).
    MainWindow(SettingsStore& settings, SerialLine& line, Clock& clock, const StorePlaces& places,
               SessionTrace* trace = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    ConfigDocument& document() { return document_; }
    const BandMaps& maps() const { return document_.maps(); }
    const VoltageTables& volts() const { return document_.volts(); }
    BoxConnection& connection();
    BandMapGrid& grid() const;
    QLineEdit* statusBox() const;
    /// The start-up has read the stores: the commands may be used.
    bool isReady() const { return ready_; }
    /// The folder of the stores, once the start-up chose it.
    QString storeFolder() const { return document_.storeFolder(); }
    /// Where "Choose Adapter..." reads the serial ports present; the system's until a test gives
    /// its own.
    void usePortSource(const SerialPortSource& source) { portSource_ = &source; }

    /// "Morvane BDX4 Configuration Utility, rev 2.1.7".
    static QString caption();
    /// The About box's text for a program in `programFolder`.
    static QString aboutText(const QString& programFolder);
    /// The unsaved-changes question naming `maps` (0-2): "The last Map1 changes have not been
    /// saved.  Do you want to save these changes?", or with several maps "The last Map1 and Map3
    /// changes ...".
    static QString unsavedQuestion(const QList<int>& maps);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCanvas();
    void buildMenus();
    void wireController();
    void placeWindow();
    void startUp();
    /// The start-up on the line is over: the stores are read and the commands may be used.
    void loadStores();

    // The commands.
    void clearGrid();
    void putDefaults();
    void displayMap(int map);
    void saveMap(int map);
    void writeToBox();
    /// "Output Names", the focus on output `output`: the names the station gives the outputs.
    void nameOutputs(int output);
    void showNamesUnreadable(const NamesReading& reading);
    void openVoltageWindow(int table);
    /// "Choose Adapter...": ties the port chosen in the COMM menu to an adapter.
    void chooseAdapter();
    void showHelp();
    void showAbout();

    /// With unsaved changes of the grid, asks whether to keep them in their map; nothing when
    /// the user cancelled, and the command must not go on.
    std::optional<GridEdits> askAboutGrid();
    /// The maps the exit question names: those unsaved, else (a new mode alone) the grid's.
    QList<int> mapsToAskAbout() const;
    void showMapStoreFailure(const IoError& failure);
    void showModified();
    /// Enables what may be used now: nothing but the ways out until the start-up has read the
    /// stores, and no second download or box search while one runs.
    void updateCommands();

    SettingsStore& settings_;
    Clock& clock_;
    StorePlaces places_;
    SystemSerialPorts systemPorts_;
    const SerialPortSource* portSource_ = &systemPorts_;
    ConfigDocument document_;
    BoxController* controller_ = nullptr;
    MainCanvas* canvas_ = nullptr;
    PortStatusBar* statusBar_ = nullptr;
    MainMenus* menus_ = nullptr;
    FileCommands* files_ = nullptr;
    bool startupQueued_ = false;
    bool ready_ = false;
    bool closing_ = false;
    /// The window took its place from the settings: it is not centred.
    bool placed_ = false;
};

} // namespace bdx4
