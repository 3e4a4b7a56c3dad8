#include "voltages/Voltages.h"

#include <algorithm>
#include <cmath>

namespace bdx4 {

void Voltages::FillBandCode() {
    std::copy(kBandCodes.begin(), kBandCodes.end(), s_.BandCode);
}

int Voltages::LevelFromValue(double value) {
    if (!(value > 0)) // also NaN
        return 0;
    if (value >= 255)
        return 255;
    return int(std::nearbyint(value)); // the default rounding mode rounds halves to even
}

void Voltages::BuildAnalogTables() {
    for (int t = 0; t < kVoltTables; ++t) {
        struct Pair {
            std::uint8_t level, band;
        };
        std::array<Pair, kVoltBands> pairs;
        for (int b = 0; b < kVoltBands; ++b) {
            const int level = LevelFromValue(s_.BandVoltTable[t][b]);
            if (level == 0)
                pairs[b] = {kEmptyLevel, kEmptyLevel};
            else // 255 is the empty marker, so a full-scale band goes to the box as 254
                pairs[b] = {std::uint8_t(std::min(level, 254)), s_.BandCode[b]};
        }
        std::stable_sort(pairs.begin(), pairs.end(),
                         [](const Pair& a, const Pair& b) { return a.level < b.level; });
        for (int i = 0; i < kVoltBands; ++i) {
            s_.level(t)[i] = pairs[i].level;
            s_.band(t)[i] = pairs[i].band;
        }
    }
}

const std::array<std::uint8_t, kVoltBands>& Voltages::DefaultLevels(int table) {
    return table == 1 ? kDefaultLevelsAn2 : kDefaultLevelsAn1An3;
}

QString Voltages::VoltsText(int level, int table) {
    const double volts = double(level * kFullScaleVolts[table]) / 255.0;
    return QString::number(volts, 'f', 2);
}

} // namespace bdx4
