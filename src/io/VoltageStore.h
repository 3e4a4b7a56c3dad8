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

/// Reads the 39 values into the tables (AN1 bands 0-12, then AN2, then AN3). Values are
/// separated by commas or line ends; blanks and empty lines are skipped, an empty field between
/// commas ("0,,5", or a line that ends in a comma) is a 0. A value is a level from 0 to 255
/// (fractions are kept). The store as created, the one line "0,0", holds no tables yet (Empty;
/// its two zeros are read). A value that is no level keeps what it held and reading goes on; a
/// store that ends before its 39th value leaves the rest as they were. The first fault is said
/// with its line (Incomplete).
StoreReading readVoltageStoreItems(QIODevice& in, VoltageTables& tables);
/// The same, its outcome only.
inline StoreReading::Outcome readVoltageStore(QIODevice& in, VoltageTables& tables) {
    return readVoltageStoreItems(in, tables).outcome;
}
/// The same for the file at `path`; Missing or Unreadable when it cannot be read.
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
