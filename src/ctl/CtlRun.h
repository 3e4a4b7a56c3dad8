#pragma once

#include "bandmap/BandMaps.h"
#include "ctl/CtlArguments.h"
#include "ctl/CtlConsole.h"
#include "voltages/Voltages.h"

#include <QString>
#include <QStringList>

namespace bdx4::ctl {

/// Exit statuses.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

/// Runs the command; `commandLine` (the program and its arguments) heads a trace.
int run(const Options& options, const QStringList& commandLine, Console& out, Console& err);

/// The folder the stores are in when no --store is given: the desktop program's rule applied to
/// this program's folder, which it shares.
QString defaultStoreFolder();

/// The grid as `show` prints it: a row per band, a column per output, with the ACn mode.
QString mapText(const CellGrid& grid, int map, bool useAccForBandmap);
/// The three band-voltage tables in volts, a row per band.
QString voltageText(const VoltageState& volts);

} // namespace bdx4::ctl
