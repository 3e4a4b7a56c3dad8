#include "io/StorePlaces.h"

#include "io/MapStore.h"
#include "io/VoltageStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace bdx4 {

namespace {

/// Whether a file can be created in `folder` (tried, since permission bits do not tell for every
/// user or file system).
bool canCreateFilesIn(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("bdx4-probe-XXXXXX")));
    return probe.open();
}

QString canonical(const QString& folder) {
    return QFileInfo(folder).canonicalFilePath();
}

} // namespace

StorePlaces StorePlaces::ofThisProgram() {
    StorePlaces places;
    places.programFolder = QCoreApplication::applicationDirPath();
    places.installedFolders = QString::fromUtf8(BDX4_INSTALLED_BINDIRS).split(QLatin1Char('|'));
    places.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return places;
}

bool StorePlaces::runsInstalled() const {
    const QString here = canonical(programFolder);
    if (here.isEmpty())
        return false;
    for (const QString& installed : installedFolders)
        if (!installed.isEmpty() && canonical(installed) == here)
            return true;
    return false;
}

QString StorePlaces::storeFolder() const {
    if (!runsInstalled() && canCreateFilesIn(programFolder))
        return QDir::cleanPath(programFolder);
    QDir().mkpath(userDataFolder);
    for (const QString& name : {kMapStoreName, kVoltageStoreName}) {
        const QString from = QDir(programFolder).filePath(name);
        const QString to = QDir(userDataFolder).filePath(name);
        if (QFileInfo(from).isFile() && !QFileInfo::exists(to))
            QFile::copy(from, to);
    }
    return QDir::cleanPath(userDataFolder);
}

} // namespace bdx4
