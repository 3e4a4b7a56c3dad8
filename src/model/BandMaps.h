#pragma once

#include "model/BandTables.h"

#include <QObject>

#include <array>
#include <cstdint>

namespace bdx4 {

/// One stored map: a value per (row, output), 0 off and 1 on. The map store admits 0-255; the
/// grid shows a value above 1 grayed and never sends it as on.
using StoredMap = std::array<std::array<std::uint8_t, kOutputs>, kBandRows>;
using StoredMaps = std::array<StoredMap, kMaps>;
/// Byte 0 and byte 1 of each row as the box receives them.
using RowOutputs = std::array<std::array<std::uint8_t, 2>, kBandRows>;

/// `map` packed as the box receives it: a cell counts only when it is exactly 1, and AC1-AC3 only
/// while they are band outputs (`accForBandMap`).
RowOutputs packRows(const StoredMap& map, bool accForBandMap);

/// Which default arrangement "Defaults" puts on the grid.
enum class Arrangement {
    FirstStart, ///< what a first start without stored maps shows
    Standard,   ///< what the Defaults button gives once the program has started
};

/// The three stored band maps (MAP1-MAP3), the map shown on the grid, which the user edits and a
/// download sends as it stands, and the mode of the accessory outputs AC1-AC3.
///
/// A cell of the shown map is 0 (off), 1 (on) or 2 (grayed). Every change of a cell, whether the
/// user's or the program's, marks the shown map as holding unsaved changes; writing the value a
/// cell already holds changes nothing.
class BandMaps : public QObject {
    Q_OBJECT
public:
    static constexpr int kGrayed = 2;

    explicit BandMaps(QObject* parent = nullptr);

    /// The value of a cell of the shown map.
    int cell(int row, int output) const { return shown_[row][output]; }
    /// Sets a cell of the shown map (a value above 2 counts as grayed).
    void setCell(int row, int output, int value);

    /// The shown map as a whole.
    const StoredMap& shownMap() const { return shown_; }
    /// Puts `map` on the grid cell by cell, as if the user clicked each cell that differs: the
    /// current map stays, and any change counts as unsaved. An undo of the grid puts the earlier
    /// map back the same way.
    void showMap(const StoredMap& map);

    /// The shown map holds changes that were not kept in its slot.
    bool hasUnsavedChanges() const { return unsaved_; }
    /// Forgets that there are unsaved changes (the user chose not to keep them).
    void discardChanges() { unsaved_ = false; }
    /// The slot (0-2) the shown map belongs to: the unsaved-changes question names it.
    int currentMap() const { return current_; }
    /// The slot last displayed or saved, which the window names; -1 before either.
    int labelledMap() const { return labelled_; }

    /// Keeps the shown map in its slot, in memory only (the store file is written by its owner).
    void keepShownMap() { store(current_); }
    /// Shows stored map `map` (0-2): it becomes the current and labelled map, with no unsaved
    /// changes.
    void display(int map);
    /// Keeps the shown map as map `map` (0-2), whichever map it was showing; it becomes the
    /// current and labelled map.
    void saveAs(int map);
    /// Unchecks every cell (a map that had any checked cell then holds unsaved changes).
    void clear();
    /// Clears the shown map and sets `arrangement`; the map then counts as changed.
    void setDefaults(Arrangement arrangement);

    /// True: AC1-AC3 are band outputs of the map. False (at start): the box drives them from its
    /// accessory table, and their cells are kept but not sent.
    bool accOutputsForBandMap() const { return accForBandMap_; }
    /// Sets the ACn mode and tells the window, even when it is unchanged.
    void setAccOutputsForBandMap(bool forBandMap);

    /// The shown map packed as the box receives it: a cell counts only when it is exactly 1, and
    /// AC1-AC3 only while they are band outputs.
    RowOutputs rowOutputs() const { return packRows(shown_, accForBandMap_); }

    /// Everything the maps hold: undo puts such a state back whole.
    struct State {
        StoredMaps stored = {};
        StoredMap shown = {};
        int current = 0;
        int labelled = -1;
        bool unsaved = false;
        bool accForBandMap = false;
        friend bool operator==(const State& a, const State& b) {
            return a.stored == b.stored && a.shown == b.shown && a.current == b.current &&
                   a.labelled == b.labelled && a.unsaved == b.unsaved &&
                   a.accForBandMap == b.accForBandMap;
        }
        friend bool operator!=(const State& a, const State& b) { return !(a == b); }
    };
    State state() const;
    /// Puts `state` back: each cell that changes is told as by `setCell`, the label and the mode
    /// only when they change.
    void restoreState(const State& state);

    const StoredMaps& storedMaps() const { return stored_; }
    /// Replaces the three stored maps (from the store file); the shown map is unchanged.
    void setStoredMaps(const StoredMaps& maps) { stored_ = maps; }

signals:
    /// A cell of the shown map changed, by a click or by the program.
    void cellChanged(int row, int output, int value);
    /// The ACn mode was set.
    void accModeChanged(bool forBandMap);
    /// The map the window names as displayed changed (-1: none).
    void labelledMapChanged(int map);

private:
    void store(int map);
    void setLabelledMap(int map);

    StoredMaps stored_ = {};
    StoredMap shown_ = {};
    int current_ = 0;
    int labelled_ = -1;
    bool unsaved_ = false;
    bool accForBandMap_ = false;
};

} // namespace bdx4
