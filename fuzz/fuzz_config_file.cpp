// The configuration file reader fed any bytes. What must hold: it never crashes; a file it takes
// holds exactly the records its configuration rebuilds (hex digits in either case), whose export
// reads back the same; a file it refuses is named a line within it (or the one after its last).

#include "FuzzCheck.h"

#include "io/ExportFile.h"
#include "model/Configuration.h"

using namespace bdx4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ConfigReading read = ConfigFile::read(bytes);
    if (!read.configuration) {
        const ConfigFault& f = read.fault;
        const bool wholeFile = f.kind == ConfigFault::Empty || f.kind == ConfigFault::TooLarge;
        const int lastLine = int(bytes.count('\n')) + 1 + (f.kind == ConfigFault::MissingLine);
        FUZZ_CHECK(!ConfigFile::describe(f).isEmpty());
        FUZZ_CHECK(wholeFile ? f.line == 0 : f.line >= 1 && f.line <= lastLine);
        return 0;
    }
    const Configuration& c = *read.configuration;
    const QList<QByteArray> rebuilt = c.image().lines();
    FUZZ_CHECK(QByteArray(read.records.join('\n')).toUpper() == rebuilt.mid(1).join('\n'));
    const auto again = ConfigFile::read(exportText(c.image())).configuration;
    FUZZ_CHECK(again && again->map() == c.map() && again->image().lines() == rebuilt);
    return 0;
}
