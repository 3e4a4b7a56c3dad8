#pragma once

#include "io/IoError.h"
#include "io/RegularFile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

namespace bdx4 {

/// The line end of every line the program writes to its files.
inline constexpr char kLineEnd[] = "\r\n";

/// How far reading a store got.
struct StoreReading {
    enum Outcome {
        Complete,   ///< everything was read
        Empty,      ///< a store as created, before anything was saved: nothing stored yet
        Incomplete, ///< read in part: it ends early or holds items that are not what belongs
                    ///< there; everything else stands (see `line` and `description`)
        Missing,    ///< there is no such file
        Unreadable, ///< it is there but cannot be read (see `reason`)
    };
    Outcome outcome = Missing;
    /// Why an unreadable store cannot be read, in words for the user ("permission denied").
    QString reason;
    /// Where a store read in part shows its first fault (counted from 1), and what is wrong there
    /// in words for the user ("\"1x\" is not a cell value 0-255").
    int line = 0;
    QString description;
    /// The file as it was read, to tell before a save whether another program changed it since.
    FileStamp stamp;

    /// What kept the store from being read whole, for a message: "line 40: ..." for a store read
    /// in part, the reason for an unreadable one; empty otherwise.
    QString fault() const;
};

/// A store is never larger than this; reading stops there ("/dev/zero" behind a link is refused
/// before, as no regular file).
inline constexpr qint64 kMaxStoreSize = 1024 * 1024;

/// Reads the regular file at `path` whole (up to kMaxStoreSize) and gives its items to `read`.
/// Missing or Unreadable (with the reason: "it is a FIFO (named pipe), not a file") when that
/// cannot be done; the stamp of the file read in every case.
StoreReading readStoreFile(const QString& path,
                           const std::function<StoreReading(QIODevice&)>& read);

/// An item of a store as a message quotes it: control and non-ASCII bytes as \xHH, cut short
/// after 24 characters, between double quotes.
QString quotedItem(const QString& item);

/// Reads the items of the program's text files one by one. An item ends at the end of its line
/// or at a comma; blanks around it are dropped; a label's double quotes are removed (a comma
/// inside them belongs to the label). An empty line is an empty item. Bytes are 8-bit text.
class TextItemReader {
public:
    explicit TextItemReader(QIODevice& in) : in_(in) {}
    /// The next item, or nothing at the end of the file.
    std::optional<QString> next();
    /// The item last read stands in a list of commas (a comma before or after it on its line):
    /// an empty one is an empty field, not an empty line.
    bool lastItemIsField() const { return commaBefore_ || commaAfter_; }
    /// The item last read was a label between double quotes.
    bool lastItemWasQuoted() const { return quoted_; }
    /// The line the item last read is on, counted from 1; at the end of the file, the line after
    /// the last line end.
    int line() const { return itemLine_; }

private:
    bool get(char& c);
    void unget(char c);
    /// Drops everything up to and including the next comma or line end.
    void skipToSeparator();

    QIODevice& in_;
    bool havePushed_ = false;
    char pushed_ = 0;
    bool commaBefore_ = false;
    bool commaAfter_ = false;
    bool quoted_ = false;
    int line_ = 1;
    int itemLine_ = 1;
};

/// Writes `bytes` as the whole new content of `path`. The old file is replaced only once the new
/// one is complete: on any failure it stays exactly as it was and no partial file is left. Only
/// a regular file is replaced, and only one that may be written (read-only is read-only, also
/// for root); it keeps its permissions.
IoResult writeFileWhole(const QString& path, const QByteArray& bytes);

} // namespace bdx4
