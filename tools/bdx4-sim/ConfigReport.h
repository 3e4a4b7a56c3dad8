#pragma once

#include "BoxSession.h"

#include <QByteArray>
#include <QString>

namespace bdx4sim {

/// The last download as a JSON document:
///   firmware       the version the box reports
///   downloads      downloads ended (by their end record) so far
///   complete       all six data blocks and the end record arrived
///   records, acknowledged, rejected   counts of lines after the command
///   lines          the command, then each line received, without line ends
///   recordStatus   per line after the command: {text, status, acknowledged, placement}
///   raw, rawTruncated   the exact bytes received from the command on (CR LF included)
///   received       {HF, VHF, Acc, AN1, AN2, AN3}: which blocks were stored
///   bandRows       21 x {band, bytes: [byte 0, byte 1]}, in the box's row order
///   accessory      the 16 bytes of the accessory table
///   an             {AN1, AN2, AN3}: 13 x [level, band code] each, as received
QByteArray downloadJson(const Download& download, const QByteArray& firmware, int downloads);

/// The same for a person reading the terminal.
QString downloadText(const Download& download, int downloads);

/// Writes the file whole or not at all. Returns an empty text or the reason it failed.
QString writeFileAtomically(const QString& path, const QByteArray& contents);

} // namespace bdx4sim
