// The voltage store reader fed any bytes. What must hold: it never crashes; every value it
// keeps is a level from 0 to 255 without a sign; only the one line "0,0" is a store as created;
// a store read in part names a line of the input; a store read whole writes back as it reads.

#include "FuzzCheck.h"

#include "io/VoltageStore.h"

#include <QBuffer>

#include <cmath>

using namespace bdx4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    VoltageTables volts;
    const StoreReading reading = readVoltageStoreItems(buffer, volts);
    const StoreReading::Outcome outcome = reading.outcome;
    FUZZ_CHECK(outcome == StoreReading::Empty
                   ? QString::fromLatin1(bytes).simplified().remove(u' ') == u"0,0"
                   : outcome == StoreReading::Complete || outcome == StoreReading::Incomplete);
    FUZZ_CHECK((outcome == StoreReading::Incomplete) == (reading.line > 0));
    FUZZ_CHECK(reading.line <= bytes.count('\n') + bytes.count('\r') + 1);
    for (int i = 0; i < kVoltageTables * kVoltageBands; ++i) {
        const float v = volts.value(i / kVoltageBands, i % kVoltageBands);
        FUZZ_CHECK(v >= 0 && v <= 255 && !std::signbit(v));
    }
    QByteArray text = voltageStoreText(volts);
    QBuffer written(&text);
    written.open(QIODevice::ReadOnly);
    VoltageTables again;
    FUZZ_CHECK(readVoltageStore(written, again) == StoreReading::Complete);
    FUZZ_CHECK(voltageStoreText(again) == text);
    for (int t = 0; t < kVoltageTables; ++t)
        FUZZ_CHECK(again.levelList(t) == volts.levelList(t));
    return 0;
}
