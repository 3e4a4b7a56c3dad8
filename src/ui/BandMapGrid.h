#pragma once

#include "model/BandMaps.h"
#include "model/OutputNames.h"

#include <QCheckBox>
#include <QObject>

#include <array>
#include <functional>

class QKeyEvent;

namespace bdx4 {

class Twips;

/// A grid check box: a click toggles between unchecked and checked (the grayed state is only
/// ever set by the program); the keys that walk the grid go to its handler.
class GridCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    /// Marks the box as differing from a configuration it was compared with (or not).
    void setDiffers(bool differs);
    bool differs() const { return differs_; }
    /// Called for a key pressed on the box; true when it moved the focus within the grid.
    void setMoveHandler(std::function<bool(const QKeyEvent&)> handler) {
        move_ = std::move(handler);
    }

signals:
    /// The box took the focus, by a click, a key or the Tab key.
    void focused();

protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<bool(const QKeyEvent&)> move_;
    bool differs_ = false;
};

/// The 21 x 16 check boxes on which the user sets the shown band map, one per band and output,
/// placed on the main window's canvas. They show the map's cells as the map changes and report
/// the user's clicks; the AC1-AC3 columns are hidden (keeping their values) while the box drives
/// those outputs from its accessory table.
///
/// The grid is one stop in the window's Tab order: only its current box takes the Tab key, the
/// others are reached with the arrow keys, Home and End (the ends of the row) and Ctrl+Home and
/// Ctrl+End (the corners), or with the mouse. Each box keeps its own name and state for screen
/// readers.
class BandMapGrid : public QObject {
    Q_OBJECT
public:
    BandMapGrid(const BandMaps& maps, QWidget* canvas, const Twips& twips);

    QCheckBox* box(int row, int output) const { return boxes_[row][output]; }
    /// The box that Tab enters the grid at: the one that had the focus last.
    QCheckBox* currentBox() const { return boxes_[currentRow_][currentOutput_]; }
    /// The output (column) of that box.
    int currentOutput() const { return currentOutput_; }
    /// Takes clicks, or not (before the stores are read).
    void setEnabled(bool enabled);
    /// Each box's name for screen readers with its output's name: "40M to 40, 4-square".
    void showNames(const OutputNames& names);
    /// Marks the boxes that differ from a compared configuration, until the next change.
    void markDifferences(const QList<std::pair<int, int>>& cells);

    /// Top edge of a row, in twips: the XVTR rows begin one row lower than a continuous grid.
    static int rowTopTwips(int row);

signals:
    /// The user ticked (1) or unticked (0) a box; the map has not changed yet.
    void toggledByUser(int row, int output, int value);

private:
    void showCell(int row, int output, int value);
    void clearDifferences();
    void showAccColumns(bool visible);
    void makeCurrent(int row, int output);
    /// Moves the focus as the key says; false when it leads nowhere (an edge).
    bool moveFocus(int row, int output, const QKeyEvent& key);
    /// The first shown box of `row` from `output` on, stepping by `step`; nullptr if none.
    GridCheckBox* shownFrom(int row, int output, int step) const;

    const BandMaps& maps_;
    std::array<std::array<GridCheckBox*, kOutputs>, kBandRows> boxes_ = {};
    int currentRow_ = 0;
    int currentOutput_ = 0;
};

} // namespace bdx4
