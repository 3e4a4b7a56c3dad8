#pragma once

#include "model/BandMaps.h"

#include <QCheckBox>
#include <QObject>

#include <array>
#include <functional>

namespace bdx4 {

class Twips;

/// A grid check box: a click toggles between unchecked and checked (the grayed state is only
/// ever set by the program), and the arrow keys move to the neighbouring box.
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

/// The 21 x 16 check boxes on which the user sets the shown band map, one per band and output,
/// placed on the main window's canvas. They show the map's cells as the map changes and hand the
/// user's clicks to it; the AC1-AC3 columns are hidden (keeping their values) while the box
/// drives those outputs from its accessory table.
class BandMapGrid : public QObject {
    Q_OBJECT
public:
    BandMapGrid(BandMaps& maps, QWidget* canvas, const Twips& twips);

    QCheckBox* box(int row, int output) const { return boxes_[row][output]; }
    /// Takes clicks, or not (before the stores are read).
    void setEnabled(bool enabled);

    /// Top edge of a row, in twips: the XVTR rows begin one row lower than a continuous grid.
    static int rowTopTwips(int row);

private:
    void showCell(int row, int output, int value);
    void showAccColumns(bool visible);
    /// Moves the focus to the next shown box in the arrow's direction; false at the edge.
    bool moveFocus(int row, int output, int key);

    BandMaps& maps_;
    std::array<std::array<GridCheckBox*, kOutputs>, kBandRows> boxes_ = {};
};

} // namespace bdx4
