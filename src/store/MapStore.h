#pragma once

#include "bandmap/BandMaps.h"
#include "platform/MapCaptions.h"
#include "platform/MessageBoxes.h"
#include "platform/SerialLine.h" // Failure

#include <QByteArray>
#include <QString>

class QIODevice;

namespace bdx4 {

/// The file that keeps the three maps and the ACn mode from one run to the next.
inline const QString kMapStoreName = QStringLiteral("bdx4_cfg.ini");

/// The map store "bdx4_cfg.ini" and the buttons that show and save the maps.
class MapStore {
public:
    MapStore(BandMaps& maps, MessageBoxes& boxes, MapCaptions& captions);

    /// The folder the store lives in (set at start-up, before the store is touched).
    void setFolder(const QString& folder) { folder_ = folder; }
    QString folder() const { return folder_; }
    QString storePath() const;

    /// Start-up: reads the store, or creates it when there is none. Silent whatever happens.
    void StartMapStore();
    /// True once the start-up has dealt with the store. Until then the maps in memory are not
    /// the user's (the box search runs first and lets clicks through), so "Save as MAPn" does
    /// nothing rather than overwrite the store with maps that were never loaded.
    bool loaded() const { return loaded_; }

    /// Writes the one-line "Empty" store, then clears the three maps and shows the defaults.
    /// When the store cannot be written nothing else happens. Silent; returns the outcome.
    Failure CreateMapStore();
    /// Reads the maps and the ACn mode from an open store, then shows MAP1 and the ACn mode.
    /// A store that ends early or holds an unreadable item stops the reading there, silently:
    /// what was read stays in memory and the grid, labels and ACn marks are left alone.
    /// Returns true when the whole store was read.
    bool ReadMapStore(QIODevice& store);
    /// Rewrites the whole store from memory. On failure the old store stays as it was and the
    /// error is shown ("Oops! Error message..."); the outcome is also returned.
    Failure WriteMapStore();

    /// "Display MAPn" (n = 1-3): offers to keep unsaved edits, then shows map n.
    void Load_MAP_Click(int n);
    void Load_MAP1_Click() { Load_MAP_Click(1); }
    void Load_MAP2_Click() { Load_MAP_Click(2); }
    void Load_MAP3_Click() { Load_MAP_Click(3); }
    /// "Save as MAPn" (n = 1-3): the grid becomes map n and the whole store is rewritten.
    void Save_MAP_Click(int n);
    void Save_MAP1_Click() { Save_MAP_Click(1); }
    void Save_MAP2_Click() { Save_MAP_Click(2); }
    void Save_MAP3_Click() { Save_MAP_Click(3); }

    /// The 1,076-line store for the given maps and ACn mode.
    static QByteArray StoreText(const BandMapState& state);
    /// The box shown when a save fails.
    static MessageRequest WriteFailureMessage(const PlatformError& error);

private:
    BandMaps& maps_;
    MessageBoxes& boxes_;
    MapCaptions& captions_;
    QString folder_;
    bool loaded_ = false;
};

} // namespace bdx4
