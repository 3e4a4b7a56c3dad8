#include "ui/EditCommands.h"

namespace bdx4 {

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
