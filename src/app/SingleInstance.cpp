#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace bdx4 {

namespace {

QString lockPathFor(const QString& name) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath(name + ".lock");
}

} // namespace

SingleInstance::SingleInstance(const QString& name) : path_(lockPathFor(name)), lock_(path_) {
    // Only a dead owner makes a lock stale: a copy that has run for hours still owns it.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::tryAcquire() {
    return lock_.isLocked() || lock_.tryLock(0);
}

QString applicationNameFor(const QString& executablePath) {
    return QFileInfo(executablePath).completeBaseName();
}

} // namespace bdx4
