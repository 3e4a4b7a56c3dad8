#include "io/ConfigFile.h"

#include "io/StoreFile.h"

#include <QFile>

namespace bdx4 {

ConfigReading readConfigFile(const QString& path) {
    ConfigReading reading;
    QFile file(path);
    if (const std::optional<StoreReading> failed = openStore(file)) {
        reading.fault.kind = failed->outcome == StoreReading::Missing ? ConfigFault::NoFile
                                                                      : ConfigFault::Unreadable;
        reading.fault.reason = failed->reason;
        return reading;
    }
    // One byte more than the largest file taken tells a larger one, also where the size is not
    // known beforehand (a pipe, a device).
    const QByteArray bytes = file.read(kMaxConfigFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        reading.fault.kind = ConfigFault::Unreadable;
        reading.fault.reason = file.errorString();
        if (!reading.fault.reason.isEmpty())
            reading.fault.reason[0] = reading.fault.reason[0].toLower();
        return reading;
    }
    return ConfigFile::read(bytes);
}

} // namespace bdx4
