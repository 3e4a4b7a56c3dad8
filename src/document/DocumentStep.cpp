#include "document/DocumentStep.h"

#include "document/ConfigDocument.h"

namespace bdx4 {

DocumentStep::DocumentStep(ConfigDocument& document, const QString& text, DocumentState before,
                           DocumentState after)
    : QUndoCommand(text), document_(document), before_(std::move(before)),
      after_(std::move(after)) {}

void DocumentStep::undo() {
    document_.putBack(before_);
}

void DocumentStep::redo() {
    if (!std::exchange(made_, false))
        document_.putBack(after_);
}

} // namespace bdx4
