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

/// What both programs say when the export file `shownPath` (as the user should read it) could
/// not be written.
QString exportFailureText(const QString& shownPath, const IoError& failure);

} // namespace bdx4
