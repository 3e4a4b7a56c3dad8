#include "io/ConfigFile.h"

#include "io/RegularFile.h"

#include <QCoreApplication>

namespace bdx4 {

ConfigReading readConfigFile(const QString& path) {
    ConfigReading reading;
    // One byte more than the largest file taken tells a larger one.
    const FileContent file = readRegularFile(path, kMaxConfigFileSize);
    if (file.outcome != FileContent::Read) {
        reading.fault.kind =
            file.outcome == FileContent::Missing ? ConfigFault::NoFile : ConfigFault::Unreadable;
        reading.fault.reason = file.reason;
        return reading;
    }
    // UTF-16 and UTF-32 text, or anything binary, holds NUL bytes, which no configuration file
    // does: said as such rather than as the first odd character its records would show.
    if (file.bytes.contains('\0')) {
        reading.fault.kind = ConfigFault::Unreadable;
        reading.fault.reason = QCoreApplication::translate(
            "ConfigFile", "it is not a text file (it holds NUL bytes, as UTF-16 text does); save "
                          "it as plain text");
        return reading;
    }
    return ConfigFile::read(file.bytes);
}

} // namespace bdx4
