#pragma once

#include "io/StoreFile.h"
#include "model/VoltageTables.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace bdx4 {

/// The file that keeps the three voltage tables.
inline const QString kVoltageStoreName = QStringLiteral("bdx4_bv.ini");

/// The voltage store in `folder`.
QString voltageStorePath(const QString& folder);

/// Reads up to 39 values into the tables (AN1 bands 0-12, then AN2, then AN3). Values are
/// separated by commas or line ends; blanks and empty lines are skipped, an empty field between
/// commas ("0,,5", or a line that ends in a comma) is a 0; a value outside 0-255 is clamped into
/// it. Reading stops at the end of the file or at a field that is not a number;
/// the values not reached keep what they held (Incomplete).
StoreReading::Outcome readVoltageStore(QIODevice& in, VoltageTables& tables);
/// The same for the file at `path`; Missing or Unreadable when it cannot be opened.
StoreReading readVoltageStore(const QString& path, VoltageTables& tables);

/// The 39-line store of the tables.
QByteArray voltageStoreText(const VoltageTables& tables);
/// Rewrites the whole store; on failure the old one stays as it was.
IoResult writeVoltageStore(const QString& path, const VoltageTables& tables);
/// The store a first start leaves: the one line "0,0" (two bands at level 0).
QByteArray newVoltageStoreText();
/// Writes the store a first start leaves.
IoResult createVoltageStore(const QString& path);

} // namespace bdx4
