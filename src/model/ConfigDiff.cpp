#include "model/ConfigDiff.h"

namespace bdx4 {

int ConfigDiff::sentLevel(const VoltageTables& volts, int table, int band) {
    return std::min(volts.level(table, band), kTopLevel - 1);
}

ConfigDiff ConfigDiff::between(const Configuration& first, const Configuration& second) {
    ConfigDiff diff;
    diff.modesDiffer = first.accOutputsForBandMap() != second.accOutputsForBandMap();
    // While neither sends AC1-AC3 as band outputs, their cells reach the box from neither.
    const bool accSent = first.accOutputsForBandMap() || second.accOutputsForBandMap();
    for (int r = 0; r < kBandRows; ++r) {
        for (int c = 0; c < kOutputs; ++c) {
            const bool a = first.map()[r][c] == 1, b = second.map()[r][c] == 1;
            if (a != b && (accSent || c < kFirstAccOutput))
                diff.cells.append({r, c, a});
        }
    }
    for (int t = 0; t < kVoltageTables; ++t) {
        for (int b = 0; b < kVoltageBands; ++b) {
            const int a = sentLevel(first.volts(), t, b), s = sentLevel(second.volts(), t, b);
            if (a != s)
                diff.levels.append({t, b, a, s});
        }
    }
    return diff;
}

} // namespace bdx4
