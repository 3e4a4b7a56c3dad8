#pragma once

#include "model/Configuration.h"

#include <QString>

namespace bdx4::ctl {

/// A configuration's map as `show` prints it, headed `name` ("MAP2", a file's name): a row per
/// band, a column per output, with the ACn mode.
QString mapText(const Configuration& configuration, const QString& name);
/// The three band-voltage tables in volts, a row per band.
QString voltageText(const VoltageTables& volts);

} // namespace bdx4::ctl
