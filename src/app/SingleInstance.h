#pragma once

#include <QLockFile>
#include <QString>

namespace bdx4 {

/// Keeps a second copy of the program from running: the first copy holds a lock file in the
/// per-user runtime folder for as long as it runs. A lock left behind by a copy that crashed is
/// recognised (its process is gone) and taken over.
class SingleInstance {
public:
    /// `name` names the lock, normally the program's application name.
    explicit SingleInstance(const QString& name);
    /// True when this is the only running copy; the lock is then held until destruction.
    bool tryAcquire();
    QString lockPath() const { return path_; }

private:
    QString path_;
    QLockFile lock_;
};

/// The name the program's settings and lock go by: its executable's name without the extension
/// ("bdx4-2.1.7" keeps its settings under "bdx4-2.1").
QString applicationNameFor(const QString& executablePath);

} // namespace bdx4
