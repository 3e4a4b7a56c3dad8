#pragma once

#include "platform/SerialLine.h" // PlatformError, Failure

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace bdx4 {

/// The line end of every line the program writes to its files.
inline constexpr char kLineEnd[] = "\r\n";

/// Reads the items of the program's text files (the map store, the voltage store) one by one.
/// An item ends at the end of its line or at a comma; blanks before and after it are dropped;
/// a label's double quotes are removed (a comma inside the quotes belongs to the label). An
/// empty line is an empty item. Bytes are 8-bit text (Latin-1).
class TextItemReader {
public:
    explicit TextItemReader(QIODevice& in) : in_(in) {}
    /// The next item, or nothing at the end of the file.
    std::optional<QString> next();

private:
    bool get(char& c);
    void unget(char c);
    /// Drops everything up to and including the next comma or line end.
    void skipToSeparator();

    QIODevice& in_;
    bool havePushed_ = false;
    char pushed_ = 0;
};

/// Writes `bytes` as the whole new content of `path`. The old file is replaced only once the new
/// one is complete: on any failure it stays exactly as it was and no partial file is left.
Failure writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace bdx4
