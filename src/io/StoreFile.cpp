#include "io/StoreFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

} // namespace

std::optional<StoreReading> openStore(QFile& file) {
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return StoreReading{StoreReading::Missing, QString()};
    if (info.isDir())
        return StoreReading{StoreReading::Unreadable,
                            QCoreApplication::translate("StoreFile", "it is a folder")};
    if (!file.open(QIODevice::ReadOnly)) {
        QString reason = file.errorString();
        if (!reason.isEmpty())
            reason[0] = reason[0].toLower();
        return StoreReading{StoreReading::Unreadable, reason};
    }
    return std::nullopt;
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
        if (c == '\n')
            return;
        if (c == '\r') {
            // CR LF is one line end; a lone CR ends the line too.
            if (get(c) && c != '\n')
                unget(c);
            return;
        }
    }
}

std::optional<QString> TextItemReader::next() {
    commaBefore_ = commaAfter_;
    char c;
    do {
        if (!get(c))
            return std::nullopt;
    } while (isBlank(c));

    QString item;
    if (c == '"') {
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
    if (!file.commit())
        return failure();
    return std::nullopt;
}

} // namespace bdx4
