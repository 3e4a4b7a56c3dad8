#pragma once

#include "model/BandMaps.h"
#include "model/VoltageTables.h"

#include <QUndoCommand>

#include <array>
#include <functional>

namespace bdx4 {

/// One change of the grid, undone and redone as a whole: a tick, Clear, Defaults, showing a map,
/// a configuration opened from a file. It is pushed once the change is made. Undo puts back the
/// cells as they were, and the map the grid belongs to, its label and the ACn mode only when the
/// change itself moved them: undoing a tick made before "Save as MAP2" leaves the grid MAP2's.
class GridCommand : public QUndoCommand {
public:
    GridCommand(BandMaps& maps, const GridView& before, const GridView& after, const QString& text);
    void undo() override { show(before_); }
    void redo() override;

private:
    void show(const GridView& view);

    BandMaps& maps_;
    GridView before_;
    GridView after_;
    bool made_ = true; ///< the first redo is the change itself, already made
};

/// A voltage table's levels on the sliders of its window.
using Levels = std::array<int, kVoltageBands>;

/// One change of a voltage window's sliders: a move of one slider (the steps of one drag merge
/// into one change), a typed voltage, or Defaults. It is pushed once the change is made.
class LevelsCommand : public QUndoCommand {
public:
    /// `show` puts levels on the sliders. `drag` numbers the drag a move belongs to (0: none).
    LevelsCommand(std::function<void(const Levels&)> show, const Levels& before,
                  const Levels& after, int drag = 0);
    void undo() override { show_(before_); }
    void redo() override;
    int id() const override { return drag_ > 0 ? drag_ : -1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    std::function<void(const Levels&)> show_;
    Levels before_;
    Levels after_;
    int drag_;
    bool made_ = true;
};

} // namespace bdx4
