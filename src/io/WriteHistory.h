#pragma once

#include "io/IoError.h"
#include "model/ConfigImage.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace bdx4 {

/// One configuration written into the box, as the history keeps it.
struct HistoryEntry {
    QDateTime written; ///< when the download passed (local time)
    QString source;    ///< what was written: "MAP1" … "MAP3", or a configuration file's name
    bool accForBandMap = false;
    QString port;     ///< "COM1", or the device given in its place
    QString device;   ///< the device the port reached, when it differs from `port`
    QString firmware; ///< the box's, when it told it in that run
    QString path;     ///< the eight lines, byte for byte as "Write Bandmap to File" writes them
};

/// What was written into the box: the box cannot be read back, so every download that passes
/// keeps its configuration in the folder "history" beside the stores (a copy of the stores'
/// folder keeps it too). Each entry is a file of the export's eight lines and a short text that
/// says when, what, where and to which firmware. The newest 500 are kept.
class WriteHistory {
public:
    static constexpr int kKept = 500;

    /// The history of the stores in `storeFolder`.
    explicit WriteHistory(const QString& storeFolder);
    QString folder() const { return folder_; }

    /// Keeps `image`, written now as `entry` says (its time and path are filled in); the oldest
    /// entries beyond kKept go.
    IoResult record(const ConfigImage& image, HistoryEntry entry);
    /// Every entry that can be read, newest first.
    QList<HistoryEntry> entries() const;
    /// The newest entry that can be read (what the box holds, as far as the program knows),
    /// without reading the others.
    std::optional<HistoryEntry> newest() const;

private:
    QStringList aboutFilesNewestFirst() const;
    void dropOldest() const;

    QString folder_;
};

} // namespace bdx4
