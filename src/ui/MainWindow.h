#pragma once

#include "bandmap/BandMaps.h"
#include "image/Download.h"
#include "link/Link.h"
#include "platform/Clock.h"
#include "platform/MapCaptions.h"
#include "platform/MessageBoxes.h"
#include "platform/SerialLine.h"
#include "platform/SettingsStore.h"
#include "store/Lifecycle.h"
#include "store/MapStore.h"
#include "ui/CheckGrid.h"
#include "ui/QtMenuMarks.h"
#include "ui/QtMessageBoxes.h"
#include "ui/QtStatusBox.h"
#include "ui/SeekingWindow.h"
#include "voltages/Voltages.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace bdx4 {

class EventLoopClock;

/// What the main window is built on. Only the settings are required; the rest defaults to the
/// real thing (message boxes over the window, the serial port, the event-loop clock, the
/// executable's folder, ending the process).
struct MainWindowParts {
    SettingsStore* settings = nullptr;
    MessageBoxes* boxes = nullptr;
    SerialLine* line = nullptr;
    Clock* clock = nullptr;
    /// Makes every wait of `clock` return at once (needed with an injected clock).
    std::function<void()> beginEnding;
    /// The folder of the program's executable.
    QString executableFolder;
    /// Ends the process when the window closed from inside a wait or a dialog.
    std::function<void()> endProcess;
};

/// `BDX4_Config`: the main window. It shows one band map on its grid, carries the menus and
/// buttons of every command, and drives the program's start-up (`Form_Load` when built,
/// `Form_Activate` on its first activation) and shut-down (`Form_Unload` when closed).
class MainWindow : public QMainWindow, private MapCaptions {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowParts& parts, QWidget* parent = nullptr);
    ~MainWindow() override;

    BandMaps& maps() { return *maps_; }
    Voltages& volts() { return volts_; }
    Link& link() { return *link_; }
    MapStore& mapStore() { return *mapStore_; }
    Lifecycle& lifecycle() { return *lifecycle_; }
    Downloader& downloader() { return *downloader_; }
    CheckGrid& grid() { return *grid_; }
    QLineEdit* statusBox() const { return status_->edit(); }
    /// A menu item by name ("Test_BDX4", "Use_COM_3", "MenuBar_Analog_AN1" ...).
    QAction* menuItem(const QString& name) const;
    /// A button by name ("Clear_Array", "Save_MAP2", "cmd_Quit" ...).
    QPushButton* button(const QString& name) const;
    /// The label of map slot 0-2.
    QLabel* mapCaption(int map) const { return captions_[map]; }

    /// The window caption with the program's version.
    static QString caption();
    /// The About box's text for a program in `programFolder`.
    static QString aboutText(const QString& programFolder);

    /// The first activation's start-up; runs once, whatever calls it first.
    void Form_Activate();
    /// A click on the window's background: clears and hides the status box.
    void Form_Click();
    void HelpAboutMenu_Click();
    void OpenHelpForm_Click();
    /// Opens the voltage window of table 0-2, modally.
    void openVoltageWindow(int table);
    void WriteBandmapToFile_Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showOnly(int map) override;
    void buildCanvas();
    void buildMenus();
    QPushButton* addButton(const char* name, const QString& text, const QString& tip, int left,
                           int top);
    /// Enables what may be used now: nothing but the ways out until the start-up has read the
    /// stores, and no second download or box search while one runs.
    void updateCommands();
    void runSearch(const std::function<void()>& search);

    MainWindowParts parts_;
    std::unique_ptr<QtMessageBoxes> ownBoxes_;
    std::unique_ptr<SerialLine> ownLine_;
    std::unique_ptr<EventLoopClock> ownClock_;
    MessageBoxes* boxes_ = nullptr;
    SerialLine* line_ = nullptr;
    Clock* clock_ = nullptr;

    QWidget* canvas_ = nullptr;
    std::unique_ptr<CheckGrid> grid_;
    std::unique_ptr<QtStatusBox> status_;
    QtMenuMarks marks_;
    std::unique_ptr<SeekingWindow> seeking_;
    QLabel* captions_[kMaps] = {};

    Voltages volts_;
    std::unique_ptr<BandMaps> maps_;
    std::unique_ptr<Link> link_;
    std::unique_ptr<MapStore> mapStore_;
    std::unique_ptr<Lifecycle> lifecycle_;
    std::unique_ptr<Downloader> downloader_;

    bool startupQueued_ = false;
    bool searching_ = false;
    bool closing_ = false;
};

} // namespace bdx4
