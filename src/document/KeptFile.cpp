#include "document/KeptFile.h"

#include "io/StoreFile.h"

#include <QCoreApplication>

namespace bdx4 {

void KeptFile::wasRead(const QByteArray& readBytes, const FileStamp& stamp, bool partly) {
    bytes = readBytes;
    stamp_ = stamp;
    readInPart_ = partly;
}

void KeptFile::wasWritten(const QByteArray& written) {
    bytes = written;
    stamp_ = FileStamp::of(path);
    readInPart_ = false; // what this program wrote is whole
}

KeptFile::Replaced KeptFile::replace(const QByteArray& newBytes,
                                     const ReplaceChangedQuestion& askChanged,
                                     const QDateTime& now) {
    Replaced replaced;
    // Only another program's file is worth a question: a file gone has nothing to lose, and what
    // is no file is refused by the write with what it is.
    const bool otherProgramsFile =
        fileKindOf(path) == FileKind::Regular && FileStamp::of(path) != stamp_;
    if (otherProgramsFile && !(askChanged && askChanged(path))) {
        replaced.failure =
            IoError{kKeptAtUsersWord,
                    QCoreApplication::translate(
                        "KeptFile", "another program changed it since it was read; it was kept as "
                                    "that program left it")};
        return replaced;
    }
    if (readInPart_) {
        const KeptCopy copy = keepDamagedCopy(path, now);
        if (copy.failure) {
            replaced.failure =
                IoError{copy.failure->code,
                        QCoreApplication::translate(
                            "KeptFile", "it could be read only in part, and the copy of it "
                                        "that was to be kept first as %1 could not be made: %2")
                            .arg(copy.path, copy.failure->description)};
            return replaced;
        }
        replaced.keptCopy = copy.path;
        readInPart_ = false;
    }
    replaced.failure = writeFileWhole(path, newBytes);
    if (!replaced.failure)
        wasWritten(newBytes);
    return replaced;
}

} // namespace bdx4
