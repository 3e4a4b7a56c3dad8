#pragma once

#include "model/Configuration.h"

#include <QList>

namespace bdx4 {

/// What differs between two configurations, as the box would receive them: a cell counts as on
/// only when it is 1, the AC1-AC3 cells only while either is in the map mode, and a level as it
/// is sent (full scale as 254, 0 as no voltage).
struct ConfigDiff {
    struct Cell {
        int row = 0;
        int output = 0;
        bool onInFirst = false; ///< on in the first configuration (and off in the second)
    };
    struct Level {
        int table = 0;
        int band = 0;
        int first = 0; ///< the level sent for the first configuration
        int second = 0;
    };
    QList<Cell> cells;
    bool modesDiffer = false;
    QList<Level> levels;

    bool isEmpty() const { return cells.isEmpty() && !modesDiffer && levels.isEmpty(); }

    static ConfigDiff between(const Configuration& first, const Configuration& second);
    /// The level the box receives for a stored value: full scale goes as 254.
    static int sentLevel(const VoltageTables& volts, int table, int band);
};

} // namespace bdx4
