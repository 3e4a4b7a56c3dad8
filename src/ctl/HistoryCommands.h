#pragma once

#include "ctl/CommandLine.h"
#include "ctl/Console.h"
#include "io/WriteHistory.h"
#include "model/ConfigDiff.h"
#include "model/ConfigImage.h"
#include "model/OutputNames.h"

#include <QList>
#include <QString>

namespace bdx4::ctl {

/// Keeps a passed download of `image` in the history beside the stores in `storeFolder`. A
/// history that cannot be kept is one line on `err`: the box holds the configuration all the
/// same, so the write still passed.
void keepInHistory(const QString& storeFolder, const ConfigImage& image, const HistoryEntry& entry,
                   Console& err);
/// What `bdx4ctl history` prints: a line per write, newest first ("2026-12-07 14:03:12  MAP1
/// COM1 (/dev/ttyUSB0)  firmware 2.17  …/history/….txt").
QString historyText(const QList<HistoryEntry>& entries);
/// `bdx4ctl history`: the history beside the stores in `storeFolder`. Always done.
int listHistory(const QString& storeFolder, Console& out);

/// Each difference in words, a line each: "40M: output 20 on in a.txt, off in b.txt", a band
/// voltage, the ACn mode (the first configuration's given); `first` and `second` name the two.
QString diffText(const ConfigDiff& diff, bool firstAccForBandMap, const QString& first,
                 const QString& second);
/// `bdx4ctl diff`: FILE against FILE2 or against map --map with the mode and band voltages of the
/// stores in `storeFolder`. Done when nothing differs; failed when something does, or when a
/// file or a store could not be read whole (said as `show` says it).
int compareConfigurations(const Options& options, const QString& storeFolder, Console& out,
                          Console& err);

/// The outputs' names kept beside the stores in `storeFolder`. What cannot be read is said on
/// `err` with its line; `whole` (when given) tells whether every line was read.
OutputNames readNames(const QString& storeFolder, Console& err, bool* whole = nullptr);
/// A line per named output, in output order ("40   4-square"); empty when none has a name.
QString namesText(const OutputNames& names);
/// `bdx4ctl names`: lists the names, or gives the outputs of `options.names` theirs under the
/// stores' lock and lists them then. A names file that cannot be read whole is not replaced.
int nameOutputs(const Options& options, const QString& storeFolder, Console& out, Console& err);

} // namespace bdx4::ctl
