#pragma once

#include "document/DocumentStep.h"
#include "document/KeptFile.h"
#include "io/IoError.h"
#include "io/MapStore.h"
#include "io/OutputNamesFile.h"
#include "io/StoreFile.h"
#include "model/BandMaps.h"
#include "model/Configuration.h"
#include "model/VoltageTables.h"

#include <QList>
#include <QObject>
#include <QUndoStack>

#include <array>

namespace bdx4 {

/// How the stores were found when the document loaded them.
struct StoreLoad {
    StoreReading maps;
    /// A missing map store was created (as the one line "Empty").
    bool mapStoreCreated = false;
    StoreReading volts;
    NamesReading names;
};

/// What becomes of the grid's unsaved changes when a command replaces the grid: the user's
/// answer to the unsaved-changes question (no question: Drop, which stores nothing).
enum class GridEdits {
    Keep, ///< kept in the grid's map, in memory
    Drop, ///< not kept
};

/// The user's configuration: the three band maps with the one shown on the grid, the ACn mode,
/// the three voltage tables, what the two stores hold, and the undo history. Every change the
/// user makes goes through it as one undoable step; a step that wrote a store writes it back as
/// it was when undone.
///
/// What is unsaved follows one rule. The grid holds unsaved changes from any change of a cell
/// (or Defaults) until it is kept in its map (displayed, saved, kept at a question); undoing goes
/// back to the state before, so a change and its undoing leave nothing unsaved, a tick and its
/// untick do. A map is unsaved while the grid holds unsaved changes of it, or while what memory
/// holds of it differs from the map store; the ACn mode while it differs from the store's.
class ConfigDocument : public QObject {
    Q_OBJECT
public:
    explicit ConfigDocument(QObject* parent = nullptr);

    const BandMaps& maps() const { return maps_; }
    const VoltageTables& volts() const { return volts_; }
    const OutputNames& names() const { return names_; }
    QUndoStack* undoStack() { return &undo_; }
    /// The folder of both stores; empty before `load`.
    QString storeFolder() const { return folder_; }
    bool isLoaded() const { return loaded_; }

    /// Reads both stores from `folder`, or creates them when they are missing, as the start-up
    /// does last. What was read then counts as saved, and there is nothing to undo.
    StoreLoad load(const QString& folder);

    /// The grid holds changes not kept in its map.
    bool gridIsUnsaved() const;
    /// The maps (0-2, in order) whose changes would be lost if the program ended now.
    QList<int> unsavedMaps() const;
    /// The ACn mode differs from the one the map store holds.
    bool modeIsUnsaved() const;
    /// Something would be lost if the program ended now.
    bool isUnsaved() const { return !unsavedMaps().isEmpty() || modeIsUnsaved(); }

    // The user's changes, each one undoable step (one that changes nothing is no step).
    void setCell(int row, int output, int value);
    void clear(GridEdits edits);
    /// Always a step, also where the grid already held the arrangement.
    void setDefaults(GridEdits edits);
    void display(int map, GridEdits edits);
    /// Keeps the grid as map `map` and rewrites the map store. When the store cannot be written
    /// the map is kept in memory all the same (and stays unsaved).
    IoResult saveAs(int map);
    void setAccMode(bool forBandMap);
    /// The file's map and mode onto the grid, as a change of the map the grid belongs to, and
    /// with `tables` the file's voltage tables into memory and the voltage store; one step. When
    /// the voltage store cannot be written, the tables stay as they were (the map comes all the
    /// same) and the failure is returned.
    IoResult open(const Configuration& configuration, const QString& name, GridEdits edits,
                  bool tables);
    /// A voltage window's levels become table `table` in memory and in the voltage store. When
    /// the store cannot be written nothing changes.
    IoResult saveVoltageTable(int table, const std::array<int, kVoltageBands>& levels);

    /// Gives the outputs `names` and rewrites the names file; nothing changes when that cannot be
    /// written. The names must pass OutputNames::check.
    IoResult setNames(const OutputNames& names);

    /// Reads the voltage store again, as a voltage window does when it opens: a missing store is
    /// created with no table in it, one that cannot be read leaves the tables as they were.
    StoreReading reloadVolts();
    /// At the end: the grid kept in its map and the map store written. Nothing changes when the
    /// store cannot be written.
    IoResult saveAll();

    /// Asked before a file is replaced that another program changed since it was read; without
    /// a question such a file is kept and the change is refused.
    void setReplaceChangedQuestion(ReplaceChangedQuestion question) {
        askReplaceChanged_ = std::move(question);
    }

    /// Puts a step's state back (undo and redo).
    void putBack(const DocumentState& state);

signals:
    /// What is unsaved may have changed.
    void changed();
    /// The outputs' names changed.
    void namesChanged();
    /// Undo or redo could not write a store back; it still holds what it held.
    void storeNotWritten(const QString& path, const IoError& error);
    /// A file read in part was kept as `copy` before it was first replaced.
    void damagedFileKept(const QString& path, const QString& copy);

private:
    DocumentState now() const {
        DocumentState state;
        state.maps = maps_.state();
        return state;
    }
    /// Pushes the change from `before` to what the document holds now as a step named `text`;
    /// only when something changed, or always with `always`.
    void push(const QString& text, DocumentState before, bool always = false);
    void keepOrDrop(GridEdits edits);
    IoResult writeMapStore(const MapStoreContent& content);
    IoResult writeVoltageStore(const VoltageTables& volts);
    /// Replaces `file` with `bytes` with the care KeptFile takes, telling a copy it kept.
    IoResult replace(KeptFile& file, const QByteArray& bytes);
    /// The bytes `file` is to hold again; false when it holds them already or that failed (told
    /// by `storeNotWritten`).
    bool writeBack(KeptFile& file, const QByteArray& bytes);
    void loadMapStore(StoreLoad& load);
    void loadVoltageStore(StoreLoad& load);
    void loadNames(StoreLoad& load);
    void setMapStoreBytes(const QByteArray& bytes);

    BandMaps maps_;
    VoltageTables volts_;
    QUndoStack undo_;
    QString folder_;
    bool loaded_ = false;
    /// The stores and the names file as far as the program knows (a store that is missing or
    /// cannot be read counts as the form a new one would have).
    KeptFile mapFile_;
    MapStoreContent mapStore_;
    KeptFile voltageFile_;
    KeptFile namesFile_;
    OutputNames names_;
    ReplaceChangedQuestion askReplaceChanged_;
};

} // namespace bdx4
