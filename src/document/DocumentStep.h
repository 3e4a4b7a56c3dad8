#pragma once

#include "model/BandMaps.h"
#include "model/OutputNames.h"
#include "model/VoltageTables.h"

#include <QByteArray>
#include <QUndoCommand>

#include <optional>

namespace bdx4 {

class ConfigDocument;

/// What one step of the user's changes leaves behind: the maps always, the voltage tables, the
/// outputs' names and the bytes of each file only when the step changed them.
struct DocumentState {
    BandMaps::State maps;
    std::optional<VoltageTables> volts;
    std::optional<OutputNames> names;
    std::optional<QByteArray> mapStore;
    std::optional<QByteArray> voltageStore;
    std::optional<QByteArray> namesFile;
};

/// One change of the document as a whole, undone and redone as one: a tick, Clear, Defaults,
/// Display MAPn, Save as MAPn, the ACn mode, an opened configuration file, a voltage table saved,
/// the outputs named.
/// It is pushed once the change is made; undo and redo put a whole state back, writing a store
/// back as it was when the step wrote it.
class DocumentStep : public QUndoCommand {
public:
    DocumentStep(ConfigDocument& document, const QString& text, DocumentState before,
                 DocumentState after);
    void undo() override;
    void redo() override;

private:
    ConfigDocument& document_;
    DocumentState before_;
    DocumentState after_;
    bool made_ = true; ///< the first redo is the change itself, already made
};

} // namespace bdx4
