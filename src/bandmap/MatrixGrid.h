#pragma once

#include "bandmap/BandMapTables.h"
#include "platform/CellGrid.h"

namespace bdx4 {

/// A plain 21 x 16 cell matrix that behaves like the check-box grid: a write that changes a
/// cell notifies, an equal write does not, hiding keeps the value. Serves tests and the
/// command-line tool, which has no window.
class MatrixGrid : public CellGrid {
public:
    MatrixGrid();
    int cell(int row, int output) const override { return value_[row][output]; }
    void setCell(int row, int output, int value) override;
    void setCellVisible(int row, int output, bool visible) override {
        visible_[row][output] = visible;
    }
    bool isCellVisible(int row, int output) const override { return visible_[row][output]; }

    /// A user click: toggles a visible cell (hidden boxes take no clicks) and notifies.
    void click(int row, int output);
    /// How many change notifications were raised so far.
    int notifications() const { return notifications_; }

private:
    int value_[kBandRows][kOutputs] = {};
    bool visible_[kBandRows][kOutputs] = {};
    int notifications_ = 0;
};

} // namespace bdx4
