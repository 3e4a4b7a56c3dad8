#include "ui/EditCommands.h"

namespace bdx4 {

GridCommand::GridCommand(BandMaps& maps, const GridView& before, const GridView& after,
                         const QString& text)
    : QUndoCommand(text), maps_(maps), before_(before), after_(after) {}

void GridCommand::redo() {
    if (!std::exchange(made_, false))
        show(after_);
}

void GridCommand::show(const GridView& view) {
    GridView now = maps_.view();
    now.cells = view.cells;
    if (before_.current != after_.current)
        now.current = view.current;
    if (before_.labelled != after_.labelled)
        now.labelled = view.labelled;
    if (before_.accForBandMap != after_.accForBandMap)
        now.accForBandMap = view.accForBandMap;
    maps_.restore(now);
}

LevelsCommand::LevelsCommand(std::function<void(const Levels&)> show, const Levels& before,
                             const Levels& after, int drag)
    : show_(std::move(show)), before_(before), after_(after), drag_(drag) {}

void LevelsCommand::redo() {
    if (!std::exchange(made_, false))
        show_(after_);
}

bool LevelsCommand::mergeWith(const QUndoCommand* other) {
    // Only the steps of one drag share an id.
    after_ = static_cast<const LevelsCommand*>(other)->after_;
    setObsolete(after_ == before_); // dragged back to where it started: no change at all
    return true;
}

} // namespace bdx4
