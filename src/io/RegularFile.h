#pragma once

#include "io/IoError.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace bdx4 {

/// What a path names, its links followed.
enum class FileKind { Missing, Regular, Folder, Fifo, Device, Socket, Other };

/// The kind of the file at `path`, its links followed (a link to nothing is Missing).
FileKind fileKindOf(const QString& path);

/// Why a file of `kind` is neither read nor replaced, in words that read on inside a sentence
/// ("it is a FIFO (named pipe)"); empty for a regular file and for none. The program reads and
/// replaces regular files only: a FIFO would keep it waiting, a device would never end, and a
/// save renamed over either would put a file in its place.
QString notRegularReason(FileKind kind);

/// What a file was when it was read, so that a later save can tell whether another program has
/// changed or replaced it since. Two stamps of the same unchanged file are equal.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; ///< the time of the last write
    qint64 changedNs = 0;  ///< the time of the last change, which no program can set back
    quint64 device = 0;
    quint64 inode = 0;

    /// The stamp of the file at `path` now (`exists` false when there is none).
    static FileStamp of(const QString& path);
    friend bool operator==(const FileStamp& a, const FileStamp& b);
    friend bool operator!=(const FileStamp& a, const FileStamp& b) { return !(a == b); }
};

/// A regular file read whole, or why it was not.
struct FileContent {
    enum Outcome {
        Read,    ///< `bytes` holds the file (up to the limit and one byte more)
        Missing, ///< there is no such file
        Refused, ///< it is no regular file, or it cannot be opened or read: `reason`
    };
    Outcome outcome = Missing;
    QString reason;   ///< in words that read on inside a sentence ("permission denied")
    QByteArray bytes; ///< more than the limit only when the file is larger
    FileStamp stamp;  ///< of the file that was read
};

/// Reads the regular file at `path`, at most `limit` bytes and one more (which tells a larger
/// file), without ever waiting: a FIFO, a device, a socket or a folder in its place is refused
/// with what it is, also when a link leads to it or it takes the file's place while it opens.
FileContent readRegularFile(const QString& path, qint64 limit);

/// Whether `a` and `b` are the same file, their links followed; a file not there yet is the same
/// as another that is not there either when both would be created in the same folder under the
/// same name.
bool isSameFile(const QString& a, const QString& b);

/// The copy `keepDamagedCopy` made, or why there is none.
struct KeptCopy {
    QString path;     ///< the copy (when it failed: the name it was to have)
    IoResult failure; ///< why no copy could be made
};

/// Keeps the file at `path` as it is now in a copy beside it, named after it with ".damaged-" and
/// the date and time `when` ("bdx4_cfg.ini.damaged-2026-12-07-141203"), before a save replaces
/// a file that could be read only in part. An earlier copy is never overwritten: a second one
/// in the same second gets "-2", and so on.
KeptCopy keepDamagedCopy(const QString& path, const QDateTime& when);

} // namespace bdx4
