#pragma once

#include "bandmap/BandMaps.h"
#include "link/Link.h"
#include "platform/MapCaptions.h"
#include "platform/MenuMarks.h"
#include "platform/SettingsStore.h"
#include "store/MapStore.h"
#include "voltages/Voltages.h"

#include <QString>

#include <functional>

namespace bdx4 {

/// Where the remembered settings live: section and keys.
inline const QString kOptionsSection = QStringLiteral("Options");
inline const QString kComPortKey = QStringLiteral("COM_Port");
inline const QString kBaudRateKey = QStringLiteral("BAUD_Rate");

/// What the start-up and shut-down need of the serial link. The main window binds these to the
/// Link; tests fake the port's outcome by setting LinkState::PortReady.
struct PortActions {
    /// Opens ComPort at BaudRate (with its own messages); leaves the outcome in PortReady.
    std::function<void()> OpenPort;
    /// Looks for the box on the open port and reports the result.
    std::function<void()> SeekBox;
    /// Closes the port if it is open.
    std::function<void()> ClosePort;
};

/// The program's start-up and shut-down as the main window drives them from its events.
class Lifecycle {
public:
    /// `executableFolder` is the folder of the program's executable.
    Lifecycle(BandMaps& maps, Voltages& volts, MapStore& mapStore, LinkState& link,
              SettingsStore& settings, MenuMarks& marks, MapCaptions& captions, PortActions port,
              const QString& executableFolder);

    /// Before the window is shown: the port and speed from the settings with their menu marks,
    /// the fixed tables, the map labels hidden. Reads no store and opens no port.
    void Form_Load();
    /// Every activation of the main window; only the first does anything: opens the port, looks
    /// for the box if the port opened, then reads (or creates) the map store and the voltage
    /// store, and sets StartupDone. Store failures are silent.
    void Form_Activate();
    /// When the main window closes: offers to save unsaved map edits (Yes rewrites the store),
    /// then, only if the port was opened, closes it and remembers port and speed. Never refuses;
    /// the caller ends the program afterwards.
    void Form_Unload();

    bool FirstActivationDone() const { return firstActivationDone_; }
    /// The folder of the executable, without a trailing separator (empty until the first
    /// activation).
    const QString& AppPath() const { return appPath_; }
    /// The folder both stores live in (empty until the first activation): AppPath, or the
    /// per-user data folder when AppPath cannot be written.
    const QString& StoreFolder() const { return storeFolder_; }

    /// The port number a stored COM_Port stands for: a number 1-16, anything else counts as 1.
    static int ComPortFromSetting(const QString& text);
    /// The store folder for an executable in `executableFolder`: that folder when files can be
    /// created in it, otherwise `userDataFolder` (created when missing).
    static QString StoreFolderFor(const QString& executableFolder, const QString& userDataFolder);
    /// The same with the per-user application data folder of this platform.
    static QString StoreFolderFor(const QString& executableFolder);

private:
    BandMaps& maps_;
    Voltages& volts_;
    MapStore& mapStore_;
    LinkState& link_;
    SettingsStore& settings_;
    MenuMarks& marks_;
    MapCaptions& captions_;
    PortActions port_;
    QString executableFolder_;
    bool firstActivationDone_ = false;
    QString appPath_;
    QString storeFolder_;
};

} // namespace bdx4
