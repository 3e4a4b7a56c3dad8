#pragma once

#include "io/IoError.h"
#include "io/RegularFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>

namespace bdx4 {

/// Asked before a file is replaced that another program changed since this one read or wrote
/// it: true replaces it, false keeps it as the other program left it.
using ReplaceChangedQuestion = std::function<bool(const QString& path)>;

/// The code of the failure when the user chose to keep a file another program changed: the
/// user knows, so nothing more is said.
inline constexpr int kKeptAtUsersWord = -1;

/// The write failed for a reason the user has not heard yet.
inline bool needsTelling(const IoResult& failure) {
    return failure && failure->code != kKeptAtUsersWord;
}

/// One of the files the document keeps (a store or the names file): what it holds as far as the
/// program knows, and the care taken before it is replaced.
class KeptFile {
public:
    QString path;
    /// The bytes last read or written (the form a new file would have while there is none).
    QByteArray bytes;

    /// The file was read as `stamp` and holds `bytes`; `partly` when it could be read only in
    /// part, so that its first replacement keeps it in a copy beside it.
    void wasRead(const QByteArray& readBytes, const FileStamp& stamp, bool partly);
    /// The file is now what this program wrote or created there (or not there at all).
    void wasWritten(const QByteArray& written);

    /// What `replace` did besides writing.
    struct Replaced {
        IoResult failure; ///< nothing was written (the file is as it was)
        QString keptCopy; ///< the copy of a file read in part, made before it was replaced
    };
    /// Writes `newBytes` as the whole file. A file another program changed since it was read is
    /// replaced only when `askChanged` says so; a file read in part is first kept in a copy
    /// beside it (at `now`), and not replaced when that copy cannot be made.
    Replaced replace(const QByteArray& newBytes, const ReplaceChangedQuestion& askChanged,
                     const QDateTime& now);

private:
    FileStamp stamp_;
    bool readInPart_ = false;
};

} // namespace bdx4
