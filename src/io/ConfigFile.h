#pragma once

#include "model/Configuration.h"

#include <QString>

namespace bdx4 {

/// Reads the configuration file at `path` (see ConfigFile::read). A file that is not there, a
/// folder or a file that cannot be read gives NoFile or Unreadable with the reason; one larger
/// than kMaxConfigFileSize gives TooLarge without being read whole.
ConfigReading readConfigFile(const QString& path);

} // namespace bdx4
