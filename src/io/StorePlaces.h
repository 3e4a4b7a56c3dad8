#pragma once

#include <QString>
#include <QStringList>

namespace bdx4 {

/// Where the program may keep its two stores.
struct StorePlaces {
    /// The folder the running executable is in.
    QString programFolder;
    /// The folders an installation puts the executable in (the install prefixes' bin folders,
    /// known to the build).
    QStringList installedFolders;
    /// The per-user data folder.
    QString userDataFolder;

    /// The places of the running program.
    static StorePlaces ofThisProgram();

    /// The program runs from a folder it was installed into.
    bool runsInstalled() const;
    /// The folder both stores live in, created when needed. An installed program keeps them in
    /// the per-user data folder, whoever runs it: program folders are no place for a user's
    /// data, and root would otherwise work on other maps than the user's. A program run from
    /// anywhere else keeps them beside itself when it may create files there, else in the
    /// per-user data folder. Stores found beside the program come along to the per-user folder
    /// the first time, so earlier maps are not replaced by the defaults.
    QString storeFolder() const;
};

} // namespace bdx4
