#pragma once

#include <QString>

#include <memory>

namespace bdx4 {

/// The lock file in the stores' folder.
inline const QString kStoreLockName = QStringLiteral("bdx4-stores.lock");

/// One writer per store folder. bdx4config holds this lock for as long as it runs, and a bdx4ctl
/// command that writes a store holds it while it does, so that no program saves over another's
/// changes. The lock lives with the stores, not with the program: any copy on the same stores,
/// whatever its name or runtime folder, finds it held. The system lets go of it when its holder
/// ends in any way, so a crash leaves nothing that blocks the next start.
class StoreLock {
public:
    explicit StoreLock(const QString& storeFolder);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    enum Outcome {
        Held,          ///< this object holds the lock until it is destroyed
        HeldElsewhere, ///< another program (or another StoreLock) holds it
        CannotCreate,  ///< the lock file cannot be made: `reason`
    };
    /// Takes the lock if it is free; asking again while holding it keeps it.
    Outcome tryLock();
    /// Why the lock file could not be made, in words that read on inside a sentence.
    QString reason() const { return reason_; }
    QString path() const { return path_; }

private:
    struct Handle;
    QString path_;
    QString reason_;
    std::unique_ptr<Handle> handle_;
};

} // namespace bdx4
