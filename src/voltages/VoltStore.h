#pragma once

#include "platform/SerialLine.h" // Failure
#include "voltages/Voltages.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace bdx4 {

/// The file that keeps the three voltage tables.
inline const QString kVoltStoreName = QStringLiteral("bdx4_bv.ini");

/// The voltage store in `folder`.
QString VoltStorePath(const QString& folder);

/// Creates the store holding the line "0,0" and sets every level of BandVoltTable to 0. The
/// level lists are rebuilt from the table, so an all-zero table sends only empty entries.
Failure CreateVoltStore(Voltages& volts, const QString& folder);

/// Reads up to 39 values from an open store into BandVoltTable (AN1 bands 0-12, then AN2, then
/// AN3). Values are separated by commas or line ends; blanks and empty fields are skipped; a
/// value outside 0-255 is clamped into it. The reading stops at the end of the file or at a
/// field that is not a number; the elements not reached keep what they held. The level lists
/// are rebuilt from the table in every case. Returns how many values were read.
int ReadVoltStore(Voltages& volts, QIODevice& store);

/// Writes the 39 values of BandVoltTable, one per line, replacing the store only once the new
/// one is complete (on failure the old store stays as it was), and rebuilds the level lists.
Failure WriteVoltStore(Voltages& volts, const QString& folder);

/// Fills BandVoltTable from the store, creating the store when there is none (at start-up and
/// when a voltage window opens). Silent: whatever cannot be read keeps its value. A store that
/// is there but cannot be opened is left alone. The level lists are rebuilt in every case.
void LoadVoltStore(Voltages& volts, const QString& folder);

/// The 39-line store for the given tables.
QByteArray VoltStoreText(const VoltageState& state);

} // namespace bdx4
