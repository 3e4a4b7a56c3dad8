#pragma once

#include "io/IoError.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;
class QIODevice;

namespace bdx4 {

/// The line end of every line the program writes to its files.
inline constexpr char kLineEnd[] = "\r\n";

/// How far reading a store got.
struct StoreReading {
    enum Outcome {
        Complete,   ///< everything was read
        Empty,      ///< a map store marked "Empty": nothing stored yet
        Incomplete, ///< it ended early or held an item of the wrong kind; what came before stands
        Missing,    ///< there is no such file
        Unreadable, ///< it is there but cannot be read (see `reason`)
    };
    Outcome outcome = Missing;
    /// Why an unreadable store cannot be read, in words for the user ("permission denied").
    QString reason;
};

/// Opens an existing store for reading. Missing or Unreadable (with the reason) when that cannot
/// be done; a folder in the store's place counts as unreadable.
std::optional<StoreReading> openStore(QFile& file);

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
};

/// Writes `bytes` as the whole new content of `path`. The old file is replaced only once the new
/// one is complete: on any failure it stays exactly as it was and no partial file is left.
IoResult writeFileWhole(const QString& path, const QByteArray& bytes);

} // namespace bdx4
