#pragma once

#include "io/IoError.h"
#include "model/ConfigImage.h"

#include <QByteArray>
#include <QString>

namespace bdx4 {

/// The export file of an image: the eight lines a download sends, each between double quotes and
/// ending in CR LF.
QByteArray exportText(const ConfigImage& image);

/// Writes the export file, whole or not at all: an earlier file of that name stays as it was
/// when the new one cannot be written.
IoResult exportConfiguration(const QString& path, const ConfigImage& image);

} // namespace bdx4
