#include "io/StoreFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace bdx4 {

namespace {

// A hand-edited file may hold one endless line; an item longer than this is cut, which makes it
// unreadable as a number or flag without holding the whole line in memory.
constexpr int kMaxItemLength = 4096;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

/// An item is quoted in a message up to this length.
constexpr int kQuotedItemLength = 24;

/// The line the end of `text` is on, as TextItemReader counts: CR LF, a lone CR or a lone LF
/// ends a line.
int linesOf(const QByteArray& text) {
    int lines = 1;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    return lines;
}

/// The permission bits of the file at `path`, when there is one: a save keeps them.
std::optional<unsigned> existingMode(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return unsigned(info.st_mode & 0777);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    return info.isWritable() ? 0666u : 0444u;
#endif
}

/// Gives the new file the old one's permissions.
bool keepMode(QSaveFile& file, unsigned mode) {
#ifdef Q_OS_UNIX
    return ::fchmod(file.handle(), mode_t(mode)) == 0;
#else
    Q_UNUSED(file);
    Q_UNUSED(mode);
    return true;
#endif
}

} // namespace

QString StoreReading::fault() const {
    if (outcome == Unreadable)
        return reason;
    if (outcome != Incomplete)
        return QString();
    return QCoreApplication::translate("StoreFile", "line %1: %2").arg(line).arg(description);
}

StoreReading readStoreFile(const QString& path,
                           const std::function<StoreReading(QIODevice&)>& read) {
    FileContent file = readRegularFile(path, kMaxStoreSize);
    if (file.outcome != FileContent::Read) {
        StoreReading failed;
        failed.outcome =
            file.outcome == FileContent::Missing ? StoreReading::Missing : StoreReading::Unreadable;
        failed.reason = file.reason;
        failed.stamp = FileStamp::of(path);
        return failed;
    }
    const bool cut = file.bytes.size() > kMaxStoreSize;
    file.bytes.truncate(kMaxStoreSize);
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::ReadOnly);
    StoreReading reading = read(buffer);
    reading.stamp = file.stamp;
    // A fault on the last line of a store cut at the size limit is the cut.
    if (cut && reading.outcome == StoreReading::Incomplete && reading.line >= linesOf(file.bytes))
        reading.description = QCoreApplication::translate(
            "StoreFile", "the store goes on past 1 MiB, which no store does; reading stopped here");
    return reading;
}

QString quotedItem(const QString& item) {
    QString text;
    for (const QChar ch : item.left(kQuotedItemLength)) {
        if (ch.unicode() < 0x20 || ch.unicode() >= 0x7F)
            text += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            text += ch;
    }
    if (item.size() > kQuotedItemLength)
        text += QStringLiteral("...");
    return u'"' + text + u'"';
}

bool TextItemReader::get(char& c) {
    if (havePushed_) {
        havePushed_ = false;
        c = pushed_;
        return true;
    }
    return in_.getChar(&c);
}

void TextItemReader::unget(char c) {
    havePushed_ = true;
    pushed_ = c;
}

void TextItemReader::skipToSeparator() {
    char c;
    commaAfter_ = false;
    while (get(c)) {
        if (c == ',') {
            commaAfter_ = true;
            return;
        }
        if (c == '\n') {
            ++line_;
            return;
        }
        if (c == '\r') {
            // CR LF is one line end; a lone CR ends the line too.
            if (get(c) && c != '\n')
                unget(c);
            ++line_;
            return;
        }
    }
}

std::optional<QString> TextItemReader::next() {
    commaBefore_ = commaAfter_;
    quoted_ = false;
    itemLine_ = line_;
    char c;
    do {
        if (!get(c)) {
            // A comma before the end of the file ends a field too, as it does before a line end.
            if (std::exchange(commaAfter_, false))
                return QString();
            return std::nullopt;
        }
    } while (isBlank(c));

    QString item;
    if (c == '"') {
        quoted_ = true;
        while (get(c) && c != '"' && !isLineEnd(c)) {
            if (item.size() < kMaxItemLength)
                item.append(QLatin1Char(c));
        }
        if (isLineEnd(c))
            unget(c);
        skipToSeparator();
        return item;
    }

    unget(c);
    while (get(c)) {
        if (c == ',' || isLineEnd(c)) {
            unget(c);
            break;
        }
        if (item.size() < kMaxItemLength)
            item.append(QLatin1Char(c));
    }
    skipToSeparator();
    return item.trimmed();
}

IoResult writeFileWhole(const QString& path, const QByteArray& bytes) {
    // A save renamed over a FIFO or a device would put a file in its place.
    // Said as the platform says a failure, for messages that name the file themselves.
    if (QString why = notRegularReason(fileKindOf(path)); !why.isEmpty()) {
        why[0] = why[0].toUpper();
        return IoError{
            int(QFileDevice::OpenError),
            QCoreApplication::translate("StoreFile", "%1; it was left as it is.").arg(why)};
    }
    const std::optional<unsigned> mode = existingMode(path);
    if (mode && (*mode & 0222) == 0)
        return IoError{int(QFileDevice::PermissionsError),
                       QCoreApplication::translate("StoreFile",
                                                   "The file is read-only; it was left as it is.")};
    QSaveFile file(path);
    const auto failure = [&file]() -> IoError {
        const int code = file.error() == QFileDevice::NoError ? int(QFileDevice::UnspecifiedError)
                                                              : int(file.error());
        return IoError{code, file.errorString()};
    };
    // Unbuffered, and every write checked: a buffered QSaveFile takes a short write on a full
    // disk for success and commits a cut-off file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure();
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) { // the retry after a short write tells why
            const IoError error = failure();
            file.cancelWriting();
            return error;
        }
        written += n;
    }
    if (mode && !keepMode(file, *mode)) {
        const IoError error = failure();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return failure();
    return std::nullopt;
}

} // namespace bdx4
