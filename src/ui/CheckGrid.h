#pragma once

#include "bandmap/BandMapTables.h"
#include "platform/CellGrid.h"

#include <QCheckBox>

#include <functional>

namespace bdx4 {

class Twips;

/// A grid check box: a click toggles between unchecked and checked; the grayed state is only
/// ever set by the program.
class GridCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    /// Called for an arrow key pressed on the box; true when it moved the focus.
    void setArrowHandler(std::function<bool(int key)> handler) { arrow_ = std::move(handler); }

protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<bool(int key)> arrow_;
};

/// The 21 x 16 band -> output check boxes of the main window. Every box carries its row array's
/// name and its output index as object name ("Check160_0" .. "XVTR7_15"). A click and a program
/// write that changes a box raise the same notification; an equal write and a change of
/// visibility raise none.
class CheckGrid : public CellGrid {
public:
    /// Creates the boxes on `parent` at their places.
    CheckGrid(QWidget* parent, const Twips& twips);

    int cell(int row, int output) const override;
    void setCell(int row, int output, int value) override;
    void setCellVisible(int row, int output, bool visible) override;
    bool isCellVisible(int row, int output) const override;

    QCheckBox* box(int row, int output) const { return boxes_[row][output]; }

    /// Top edge of a row, in twips: the XVTR rows begin one row lower than a continuous grid.
    static int rowTopTwips(int row);
    static int outputLeftTwips(int output) { return 1320 + 480 * output; }

private:
    /// Moves the focus from box (row, output) to the next shown box in the arrow's direction;
    /// false at the grid's edge.
    bool moveFocus(int row, int output, int key);

    GridCheckBox* boxes_[kBandRows][kOutputs] = {};
};

} // namespace bdx4
