#pragma once

#include "io/StoreFile.h"
#include "model/BandMaps.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace bdx4 {

/// The file that keeps the three maps and the ACn mode from one run to the next.
inline const QString kMapStoreName = QStringLiteral("bdx4_cfg.ini");

/// What the map store holds.
struct MapStoreContent {
    StoredMaps maps = {};
    bool accForBandMap = false;
    friend bool operator==(const MapStoreContent& a, const MapStoreContent& b) {
        return a.maps == b.maps && a.accForBandMap == b.accForBandMap;
    }
};

/// The map store in `folder`.
QString mapStorePath(const QString& folder);

/// Reads a map store: 1,076 lines of labels, cell values and the ACn flag, or the one line
/// "Empty". Values go into `content` as they are read. A damaged item does not lose the rest: a
/// value that is not one keeps what the cell held and reading goes on; a label of the store
/// where a value belongs (a line missing) takes reading on after that label, and the ACn flag
/// where a value belongs to the flag. The first fault is said with its line (Incomplete); a
/// store that ends early leaves what came before it. Labels are not compared with anything,
/// only the first item with "Empty".
StoreReading readMapStoreItems(QIODevice& in, MapStoreContent& content);
/// The same, its outcome only.
inline StoreReading::Outcome readMapStore(QIODevice& in, MapStoreContent& content) {
    return readMapStoreItems(in, content).outcome;
}
/// The same for the file at `path`; Missing or Unreadable when it cannot be read.
StoreReading readMapStore(const QString& path, MapStoreContent& content);

/// The 1,076-line store of `content`.
QByteArray mapStoreText(const MapStoreContent& content);
/// Rewrites the whole store; on failure the old one stays as it was.
IoResult writeMapStore(const QString& path, const MapStoreContent& content);
/// The one-line store "Empty" that stands for "nothing saved yet".
QByteArray emptyMapStoreText();
/// Writes the one-line store "Empty".
IoResult createEmptyMapStore(const QString& path);

} // namespace bdx4
