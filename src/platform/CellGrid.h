#pragma once

#include <functional>

namespace bdx4 {

/// The 21 x 16 grid of band -> output check boxes, as the band-map model reaches it.
/// Cell values: 0 unchecked, 1 checked, 2 grayed.
class CellGrid {
public:
    using ChangedHandler = std::function<void(int row, int output)>;

    virtual ~CellGrid() = default;
    /// The value of cell (row 0-20, output 0-15).
    virtual int cell(int row, int output) const = 0;
    /// Writes a cell. When the value differs from the present one, the grid raises the same
    /// cell-changed notification as a user click before it returns; an equal write raises none.
    virtual void setCell(int row, int output, int value) = 0;
    /// Shows or hides a cell. Hiding keeps the value and raises no notification.
    virtual void setCellVisible(int row, int output, bool visible) = 0;
    /// Whether the cell is shown.
    virtual bool isCellVisible(int row, int output) const = 0;

    /// The model listens here: it is told of every change, from a click or from a write.
    void setChangedHandler(ChangedHandler handler) { changed_ = std::move(handler); }

protected:
    void notifyChanged(int row, int output) {
        if (changed_)
            changed_(row, output);
    }

private:
    ChangedHandler changed_;
};

} // namespace bdx4
