#pragma once

#include "ctl/Console.h"
#include "model/BandMaps.h"
#include "model/VoltageTables.h"

#include <QString>
#include <QStringList>

namespace bdx4::ctl {

/// The stores a command could reach: those in `storeFolder`, or when none is given, those in
/// every folder bdx4config may keep them in (found without creating anything).
QStringList storePathsFor(const QString& storeFolder);
/// Under sudo, which user's stores a command uses and how to reach the invoking user's; empty
/// otherwise. `folder` is the store folder in use, `userDataFolder` root's per-user data folder.
QString sudoNotice(const QString& folder, const QString& userDataFolder);

/// Reads both stores from `folder` as bdx4config's start-up does, but writes nothing: a missing
/// map store reads as the fresh one bdx4config would create (the first start's arrangement as
/// MAP1), a missing voltage store, or one as created, as all bands at 0. Then map `map` goes on
/// the grid. Says on `err` when a store is missing, since a wrong folder would otherwise pass
/// unnoticed. What a damaged store holds is read all the same; returns what kept a store from
/// being read whole ("…/bdx4_bv.ini could not be read whole: line 21: …").
QStringList loadStores(const QString& folder, int map, BandMaps& maps, VoltageTables& volts,
                       Console& err);

} // namespace bdx4::ctl
