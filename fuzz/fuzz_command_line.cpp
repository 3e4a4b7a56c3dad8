// bdx4ctl's command line, any arguments (0x00 separates them). What must hold: it never crashes;
// a line it takes asks for a command with a map 1-3 and a port 1-16 or a device, an output file
// exactly when it writes one, and no map beside a configuration file; a line it refuses says why.

#include "FuzzCheck.h"

#include "ctl/CommandLine.h"

using namespace bdx4::ctl;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList arguments;
    for (const QByteArray& argument : bytes.split('\0'))
        arguments << QString::fromUtf8(argument);
    const Parsed parsed = parseCommandLine(arguments);
    if (!parsed.options) {
        FUZZ_CHECK(!parsed.error.isEmpty());
        return 0;
    }
    const Options& o = *parsed.options;
    FUZZ_CHECK(o.map >= 1 && o.map <= 3);
    FUZZ_CHECK(o.port >= 0 && o.port <= 16);
    if (o.command == Command::Query || o.command == Command::Write)
        FUZZ_CHECK((o.port > 0) != !o.device.isEmpty());
    const bool writesFile = o.command == Command::Export || o.command == Command::Sheet;
    FUZZ_CHECK(writesFile == !o.outputFile.isEmpty());
    FUZZ_CHECK(o.fromFile.isEmpty() || o.map == 1);
    return 0;
}
