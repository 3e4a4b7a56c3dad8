#pragma once

#include <QLockFile>
#include <QString>

namespace bdx4 {

/// Keeps a second copy of the program from running: the first copy holds a lock file in the
/// per-user runtime folder for as long as it runs. A lock left behind by a copy that crashed
/// is recognised (its process is gone) and taken over.
class SingleInstance {
public:
    /// `name` names the lock, normally the executable's base name.
    explicit SingleInstance(const QString& name);
    /// True when this is the only running copy; the lock is then held until destruction.
    bool tryAcquire();
    /// The lock file's path.
    QString lockPath() const { return path_; }

private:
    QString path_;
    QLockFile lock_;
};

} // namespace bdx4
