#include "ctl/StoreLoading.h"

#include "io/MapStore.h"
#include "io/StorePlaces.h"
#include "io/VoltageStore.h"

#include <QDir>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace bdx4::ctl {

QStringList storePathsFor(const QString& storeFolder) {
    const StorePlaces places = StorePlaces::ofThisProgram();
    const QStringList folders = storeFolder.isEmpty()
                                    ? QStringList{places.programFolder, places.userDataFolder}
                                    : QStringList{storeFolder};
    QStringList paths;
    for (const QString& folder : folders)
        paths << mapStorePath(folder) << voltageStorePath(folder);
    return paths;
}

QString sudoNotice(const QString& folder, const QString& userDataFolder) {
#ifdef Q_OS_UNIX
    const QByteArray user = qgetenv("SUDO_USER");
    if (::geteuid() != 0 || user.isEmpty() || user == "root")
        return QString();
    QString notice =
        Texts::tr("bdx4ctl: running as root through sudo: using the stores in %1").arg(folder);
    const passwd* entry = ::getpwnam(user.constData());
    if (QDir::cleanPath(folder) == QDir::cleanPath(userDataFolder) && entry && entry->pw_dir) {
        const QString theirs = QDir(QString::fromLocal8Bit(entry->pw_dir))
                                   .filePath(QStringLiteral(".local/share/bdx4config"));
        notice += Texts::tr(", root's own; %1's are in %2 (give --store %2 to use them)")
                      .arg(QString::fromLocal8Bit(user), theirs);
    }
    return notice;
#else
    Q_UNUSED(folder);
    Q_UNUSED(userDataFolder);
    return QString();
#endif
}

namespace {

QString readInPart(const QString& path, const StoreReading& reading) {
    return Texts::tr("%1 could not be read whole: %2").arg(path, reading.fault());
}

} // namespace

QStringList loadStores(const QString& folder, int map, BandMaps& maps, VoltageTables& volts,
                       Console& err) {
    QStringList problems;
    const QString mapPath = mapStorePath(folder);
    MapStoreContent content;
    const StoreReading reading = readMapStore(mapPath, content);
    switch (reading.outcome) {
    case StoreReading::Missing:
        err.line(
            Texts::tr("bdx4ctl: there is no %1; the default arrangement stands for MAP1 and the "
                      "other maps are empty")
                .arg(mapPath));
        Q_FALLTHROUGH();
    case StoreReading::Empty:
        maps.setDefaults(Arrangement::FirstStart);
        maps.keepShownMap();
        break;
    case StoreReading::Unreadable:
        problems << Texts::tr("%1 cannot be opened: %2").arg(mapPath, reading.reason);
        break;
    case StoreReading::Incomplete:
        problems << readInPart(mapPath, reading);
        Q_FALLTHROUGH(); // what could be read is shown
    case StoreReading::Complete:
        maps.setStoredMaps(content.maps);
        maps.setAccOutputsForBandMap(content.accForBandMap);
        break;
    }
    maps.display(map - 1);

    const QString voltPath = voltageStorePath(folder);
    const StoreReading voltages = readVoltageStore(voltPath, volts);
    if (voltages.outcome == StoreReading::Missing)
        err.line(Texts::tr("bdx4ctl: there is no %1; every band voltage is 0").arg(voltPath));
    else if (voltages.outcome == StoreReading::Unreadable)
        problems << Texts::tr("%1 cannot be opened: %2").arg(voltPath, voltages.reason);
    else if (voltages.outcome == StoreReading::Incomplete)
        problems << readInPart(voltPath, voltages);
    return problems;
}

} // namespace bdx4::ctl
