#pragma once

#include "model/VoltageTables.h"

#include <QUndoCommand>

#include <array>
#include <functional>

namespace bdx4 {

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
