// The configuration file reader fed any bytes. What must hold: it never crashes; a file it takes
// holds exactly the records its configuration rebuilds (hex digits in either case), and their
// export reads back to the same configuration; a file it refuses is named a line within it, or
// the line just after its last when a record is missing.

#include "FuzzCheck.h"

#include "jobs/Export.h"
#include "model/Configuration.h"

using namespace bdx4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ConfigReading read = ConfigFile::read(bytes);
    if (!read.configuration) {
        const ConfigFault& f = read.fault;
        const int lines = int(bytes.count('\n')) + 1;
        FUZZ_CHECK(!ConfigFile::describe(f).isEmpty());
        if (f.kind == ConfigFault::Empty || f.kind == ConfigFault::TooLarge)
            FUZZ_CHECK(f.line == 0);
        else
            FUZZ_CHECK(f.line >= 1 && f.line <= lines + (f.kind == ConfigFault::MissingLine));
        return 0;
    }
    const Configuration& c = *read.configuration;
    const QList<QByteArray> rebuilt = c.image().lines().mid(1);
    FUZZ_CHECK(read.records.size() == rebuilt.size());
    for (int i = 0; i < rebuilt.size(); ++i)
        FUZZ_CHECK(read.records[i].toUpper() == rebuilt[i]);
    const ConfigReading again = ConfigFile::read(exportText(c.image()));
    FUZZ_CHECK(again.configuration);
    FUZZ_CHECK(again.configuration->map() == c.map());
    FUZZ_CHECK(again.configuration->accOutputsForBandMap() == c.accOutputsForBandMap());
    for (int t = 0; t < kVoltageTables; ++t)
        for (int b = 0; b < kVoltageBands; ++b) {
            FUZZ_CHECK(again.configuration->volts().value(t, b) == c.volts().value(t, b));
            FUZZ_CHECK(c.volts().level(t, b) >= 0 && c.volts().level(t, b) <= 254);
        }
    return 0;
}
