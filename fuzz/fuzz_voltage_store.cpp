// The voltage store reader fed any bytes. What must hold: it never crashes; every value it
// keeps is a level from 0 to 255 without a sign; a store read whole writes back as it reads.

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
    const StoreReading::Outcome outcome = readVoltageStore(buffer, volts);
    FUZZ_CHECK(outcome == StoreReading::Complete || outcome == StoreReading::Incomplete);
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
