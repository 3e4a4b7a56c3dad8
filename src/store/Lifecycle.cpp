#include "store/Lifecycle.h"

#include "store/MapStore.h"

#include "voltages/VoltStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace bdx4 {

namespace {

/// Whether a file can be created in `folder` (tried, since permission bits do not tell for
/// every user or file system).
bool canCreateFilesIn(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("bdx4-probe-XXXXXX")));
    return probe.open();
}

} // namespace

Lifecycle::Lifecycle(BandMaps& maps, Voltages& volts, MapStore& mapStore, LinkState& link,
                     SettingsStore& settings, MenuMarks& marks, MapCaptions& captions,
                     PortActions port, const QString& executableFolder)
    : maps_(maps), volts_(volts), mapStore_(mapStore), link_(link), settings_(settings),
      marks_(marks), captions_(captions), port_(std::move(port)),
      executableFolder_(executableFolder) {}

int Lifecycle::ComPortFromSetting(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok, 10);
    return ok && port >= kFirstComPort && port <= kLastComPort ? port : kFirstComPort;
}

QString Lifecycle::StoreFolderFor(const QString& executableFolder, const QString& userDataFolder) {
    if (canCreateFilesIn(executableFolder))
        return QDir::cleanPath(executableFolder);
    QDir().mkpath(userDataFolder);
    // Stores already beside the program (saved there before it became read-only) come along
    // the first time, so the user's maps are not replaced by the defaults.
    for (const QString& name : {kMapStoreName, kVoltStoreName}) {
        const QString from = QDir(executableFolder).filePath(name);
        const QString to = QDir(userDataFolder).filePath(name);
        if (QFileInfo(from).isFile() && !QFileInfo::exists(to))
            QFile::copy(from, to);
    }
    return QDir::cleanPath(userDataFolder);
}

QString Lifecycle::StoreFolderFor(const QString& executableFolder) {
    return StoreFolderFor(executableFolder,
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void Lifecycle::Form_Load() {
    link_.ComPort = ComPortFromSetting(settings_.value(kOptionsSection, kComPortKey, "1"));
    link_.StartComPort = link_.ComPort;
    marks_.setChecked(QStringLiteral("Use_COM_%1").arg(link_.ComPort), true);

    link_.BaudRate = settings_.value(kOptionsSection, kBaudRateKey, QStringLiteral("4800"));
    for (std::size_t i = 0; i < kMenuBaudRates.size(); ++i)
        if (link_.BaudRate == QLatin1String(kMenuBaudRates[i]))
            marks_.setChecked(QStringLiteral("ConfigMenu_RS232_%1").arg(i + 1), true);

    maps_.FillOutputBitMask();
    volts_.FillBandCode();
    captions_.showOnly(-1);
}

void Lifecycle::Form_Activate() {
    if (firstActivationDone_)
        return;
    firstActivationDone_ = true;

    if (port_.OpenPort)
        port_.OpenPort();
    if (link_.PortReady && port_.SeekBox)
        port_.SeekBox();

    // From here on nothing is reported: each store step goes as far as it can.
    appPath_ = QDir::cleanPath(executableFolder_);
    storeFolder_ = StoreFolderFor(appPath_);
    mapStore_.setFolder(storeFolder_);
    mapStore_.StartMapStore();
    LoadVoltStore(volts_, storeFolder_);
    maps_.state().StartupDone = true;
}

void Lifecycle::Form_Unload() {
    // Before the start-up has read the store there are no maps of the user's to save, and
    // writing would replace the stored ones.
    if (mapStore_.loaded() && maps_.AskUnsavedChanges() == MsgAnswer::Yes) {
        maps_.StoreMap(maps_.state().CurrentMap);
        mapStore_.WriteMapStore();
    }
    if (link_.PortReady) {
        if (port_.ClosePort)
            port_.ClosePort();
        settings_.setValue(kOptionsSection, kComPortKey, QString::number(link_.ComPort));
        settings_.setValue(kOptionsSection, kBaudRateKey, link_.BaudRate);
        settings_.sync();
    }
}

} // namespace bdx4
