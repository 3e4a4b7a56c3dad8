// The voltage store reader fed any bytes as "bdx4_bv.ini".
//
// What must hold: the reader never crashes; it takes at most 39 values, each a level from 0
// to 255, in store order, and the elements it did not reach keep what they held; the level
// lists the box receives follow the table (ascending levels, a band code for each band that
// is in use, (255, 255) for the rest); and the store written from the table reads back equal.

#include "FuzzCheck.h"

#include "voltages/VoltStore.h"

#include <QBuffer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

using namespace bdx4;

namespace {

constexpr float kUnread = 77.5f;

int readStore(Voltages& volts, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadVoltStore(volts, buffer);
}

void checkLists(const VoltageState& s) {
    for (int t = 0; t < kVoltTables; ++t) {
        int used = 0;
        for (int b = 0; b < kVoltBands; ++b)
            used += Voltages::LevelFromValue(s.BandVoltTable[t][b]) != 0;
        bool bandSeen[kVoltBands] = {};
        for (int i = 0; i < kVoltBands; ++i) {
            const int level = s.level(t)[i];
            const int code = s.band(t)[i];
            if (i > 0)
                FUZZ_CHECK(level >= s.level(t)[i - 1]);
            if (i >= used) {
                FUZZ_CHECK(level == kEmptyLevel && code == kEmptyLevel);
                continue;
            }
            const auto at = std::find(kBandCodes.begin(), kBandCodes.end(), code);
            FUZZ_CHECK(at != kBandCodes.end());
            const int band = int(at - kBandCodes.begin());
            FUZZ_CHECK(!bandSeen[band]);
            bandSeen[band] = true;
            FUZZ_CHECK(level >= 1 && level <= 254);
            FUZZ_CHECK(std::min(Voltages::LevelFromValue(s.BandVoltTable[t][band]), 254) == level);
            // Equal levels keep band order.
            if (i > 0 && s.level(t)[i - 1] == level) {
                const auto before =
                    std::find(kBandCodes.begin(), kBandCodes.end(), s.band(t)[i - 1]);
                FUZZ_CHECK(before < at);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    Voltages volts;
    volts.FillBandCode();
    for (auto& table : volts.state().BandVoltTable)
        for (float& level : table)
            level = kUnread;
    const int read = readStore(volts, bytes);
    FUZZ_CHECK(read >= 0 && read <= kVoltTables * kVoltBands);
    for (int i = 0; i < kVoltTables * kVoltBands; ++i) {
        const float level = volts.state().BandVoltTable[i / kVoltBands][i % kVoltBands];
        if (i >= read)
            FUZZ_CHECK(level == kUnread);
        else
            FUZZ_CHECK(std::isfinite(level) && level >= 0.0f && level <= 255.0f);
    }
    checkLists(volts.state());

    // The store written from the table reads back equal, lists and all.
    const QByteArray written = VoltStoreText(volts.state());
    FUZZ_CHECK(written.count("\r\n") == kVoltTables * kVoltBands);
    Voltages back;
    back.FillBandCode();
    FUZZ_CHECK(readStore(back, written) == kVoltTables * kVoltBands);
    FUZZ_CHECK(std::memcmp(back.state().BandVoltTable, volts.state().BandVoltTable,
                           sizeof volts.state().BandVoltTable) == 0);
    for (int t = 0; t < kVoltTables; ++t) {
        FUZZ_CHECK(std::memcmp(back.state().level(t), volts.state().level(t), kVoltBands) == 0);
        FUZZ_CHECK(std::memcmp(back.state().band(t), volts.state().band(t), kVoltBands) == 0);
    }
    FUZZ_CHECK(VoltStoreText(back.state()) == written);
    return 0;
}
