#pragma once

#include "bandmap/BandMapTables.h"
#include "platform/CellGrid.h"
#include "platform/MenuMarks.h"
#include "platform/MessageBoxes.h"

#include <cstdint>
#include <optional>

namespace bdx4 {

/// The band maps as the program holds them. Cell values: 0 off, 1 on (2, grayed, is shown and
/// kept but never sent as on).
struct BandMapState {
    /// The three stored maps; slot m is shown to the user as MAP(m + 1).
    std::uint8_t BandMapStore[kMaps][kBandRows][kOutputs] = {};
    /// Staging copy between BandMapStore and the grid.
    std::uint8_t GridWork[kWorkRows][kOutputs] = {};
    /// The packed outputs of each row, byte 0 and byte 1, as the box receives them.
    std::uint8_t RowOutputBits[kWorkRows][2] = {};
    /// The bits each output sets; AC1-AC3 are rewritten by the ACn mode before every packing.
    std::uint8_t OutputBitMask[kMaskEntries][2] = {};
    /// The grid holds changes not yet stored into slot CurrentMap.
    bool MapChanged = false;
    /// The slot (0-2) the grid belongs to.
    int CurrentMap = 0;
    /// True: AC1-AC3 are band outputs. False: the box drives them from its accessory table.
    bool UseAccForBandmap = false;
    /// The first activation has finished reading the stores.
    bool StartupDone = false;
};

/// The three band maps, the grid that shows one of them, Defaults, Clear and the ACn modes.
class BandMaps {
public:
    BandMaps(CellGrid& grid, MessageBoxes& boxes, MenuMarks& marks);

    BandMapState& state() { return s_; }
    const BandMapState& state() const { return s_; }
    CellGrid& grid() { return grid_; }

    /// Fills OutputBitMask with its fixed values (when the main window loads).
    void FillOutputBitMask();

    /// Copies stored slot `map` into the grid. Changed cells raise their notifications.
    void ShowMap(int map);
    /// Copies the grid into slot `map` and clears MapChanged.
    void StoreMap(int map);
    /// Writes 0 into all 336 cells.
    void ClearGrid();
    void WorkToGrid();
    void GridToWork();
    /// Packs the grid as displayed into RowOutputBits.
    void BuildRowOutputBits();
    void OrOutputBit(int row, int output);
    /// Rewrites the AC1-AC3 masks by the ACn mode, then packs the grid (before every download
    /// and export).
    void PrepareRowOutputBits();

    /// The handler every grid cell change runs, whether from a click or a program write.
    void CellChanged(int row, int output);

    /// The unsaved-changes prompt: asked only while MapChanged is true; returns Yes or No,
    /// or nothing when no question was needed.
    std::optional<MsgAnswer> AskUnsavedChanges();
    static QString UnsavedChangesText(int currentMap);

    void Defaults_Click();
    void Clear_Array_Click();
    void cmd_UseACC_Yes_Click();
    void cmd_UseACC_No_Click();
    void ShowAccColumns(bool visible);
    /// Sets the two ACn menu marks.
    void SetAccMarks(bool useAcc);

    /// What a stored cell value looks like on the grid: 0, 1 and 2 as they are; anything else
    /// (only a hand-edited store holds it) shows grayed, so the user sees that the cell is odd,
    /// it is never sent to the box as on, and storing the map keeps it as grayed (2).
    static int CellForGrid(int stored);

private:
    CellGrid& grid_;
    MessageBoxes& boxes_;
    MenuMarks& marks_;
    BandMapState s_;
};

} // namespace bdx4
