#include "io/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bdx4 {

namespace {

class FileTexts {
    Q_DECLARE_TR_FUNCTIONS(RegularFile)
};

/// A platform's error text as words that read on inside a sentence.
QString inSentence(QString text) {
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

#ifdef Q_OS_UNIX
QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    if (S_ISFIFO(mode))
        return FileKind::Fifo;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileKind::Device;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    return FileKind::Other;
}

qint64 nanoseconds(const timespec& time) {
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileStamp stampOf(const struct stat& info) {
    return FileStamp{true,
                     qint64(info.st_size),
                     nanoseconds(info.st_mtim),
                     nanoseconds(info.st_ctim),
                     quint64(info.st_dev),
                     quint64(info.st_ino)};
}

/// Opens the regular file at `path` for reading without waiting (a FIFO would wait for a
/// writer); -1 with the outcome filled in when it is none or cannot be opened.
int openRegular(const QString& path, FileContent& content) {
    const int fd = ::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        const FileKind kind = fileKindOf(path);
        content.outcome = kind == FileKind::Missing ? FileContent::Missing : FileContent::Refused;
        content.reason =
            kind == FileKind::Regular ? inSentence(qt_error_string(error)) : notRegularReason(kind);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) { // what was opened, not the name
        content.outcome = FileContent::Refused;
        content.reason = notRegularReason(kindOf(info.st_mode));
        ::close(fd);
        return -1;
    }
    content.stamp = stampOf(info);
    return fd;
}
#endif

} // namespace

FileKind fileKindOf(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(native(path).constData(), &info) != 0)
        return FileKind::Missing;
    return kindOf(info.st_mode);
#else
    const QFileInfo info(path);
    return !info.exists()  ? FileKind::Missing
           : info.isDir()  ? FileKind::Folder
           : info.isFile() ? FileKind::Regular
                           : FileKind::Other;
#endif
}

QString notRegularReason(FileKind kind) {
    switch (kind) {
    case FileKind::Missing:
    case FileKind::Regular:
        return QString();
    case FileKind::Folder:
        return FileTexts::tr("it is a folder");
    case FileKind::Fifo:
        return FileTexts::tr("it is a FIFO (named pipe), not a file");
    case FileKind::Device:
        return FileTexts::tr("it is a device, not a file");
    case FileKind::Socket:
        return FileTexts::tr("it is a socket, not a file");
    case FileKind::Other:
        break;
    }
    return FileTexts::tr("it is not a regular file");
}

FileStamp FileStamp::of(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(native(path).constData(), &info) != 0)
        return FileStamp();
    return stampOf(info);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return FileStamp();
    return FileStamp{true, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000, 0, 0, 0};
#endif
}

bool operator==(const FileStamp& a, const FileStamp& b) {
    return a.exists == b.exists && a.size == b.size && a.modifiedNs == b.modifiedNs &&
           a.changedNs == b.changedNs && a.device == b.device && a.inode == b.inode;
}

FileContent readRegularFile(const QString& path, qint64 limit) {
    FileContent content;
    QFile file;
#ifdef Q_OS_UNIX
    const int fd = openRegular(path, content);
    if (fd < 0)
        return content;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
#else
    const FileKind kind = fileKindOf(path);
    if (kind != FileKind::Regular) {
        content.outcome = kind == FileKind::Missing ? FileContent::Missing : FileContent::Refused;
        content.reason = notRegularReason(kind);
        return content;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.outcome = FileContent::Refused;
        content.reason = inSentence(file.errorString());
        return content;
    }
    content.stamp = FileStamp::of(path);
#endif
    content.bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        content.outcome = FileContent::Refused;
        content.reason = inSentence(file.errorString());
        content.bytes.clear();
        return content;
    }
    content.outcome = FileContent::Read;
    return content;
}

bool isSameFile(const QString& a, const QString& b) {
    const FileStamp first = FileStamp::of(a), second = FileStamp::of(b);
    if (first.exists || second.exists)
        return first.exists && second.exists && first.device == second.device &&
               first.inode == second.inode;
    // Neither is there yet: where each would be created.
    const auto place = [](const QString& path) {
        const QFileInfo info(path);
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        return (folder.isEmpty() ? QDir::cleanPath(info.absolutePath()) : folder) + u'/' +
               info.fileName();
    };
    return place(a) == place(b);
}

KeptCopy keepDamagedCopy(const QString& path, const QDateTime& when) {
    const QString stem =
        path + QStringLiteral(".damaged-") + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const auto failure = [&stem](const QString& why) {
        return KeptCopy{stem, IoError{int(QFileDevice::CopyError), why}};
    };
    const FileKind kind = fileKindOf(path);
    QFile original(path);
    if (kind != FileKind::Regular)
        return failure(kind == FileKind::Missing ? FileTexts::tr("there is no such file")
                                                 : notRegularReason(kind));
    if (!original.open(QIODevice::ReadOnly))
        return failure(inSentence(original.errorString()));
    QFile copy;
    for (int n = 1;; ++n) {
        copy.setFileName(n == 1 ? stem : stem + QStringLiteral("-%1").arg(n));
        if (copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!copy.exists() || n >= 1000)
            return failure(inSentence(copy.errorString()));
    }
    copy.setPermissions(original.permissions());
    while (!original.atEnd()) {
        const QByteArray chunk = original.read(64 * 1024);
        if (original.error() != QFileDevice::NoError || copy.write(chunk) != chunk.size() ||
            !copy.flush()) {
            const QString why =
                inSentence(original.error() != QFileDevice::NoError ? original.errorString()
                                                                    : copy.errorString());
            copy.remove(); // no half copy that looks whole
            return failure(why);
        }
    }
    copy.close();
    if (copy.error() != QFileDevice::NoError) {
        const QString why = inSentence(copy.errorString());
        copy.remove();
        return failure(why);
    }
    return KeptCopy{copy.fileName(), std::nullopt};
}

} // namespace bdx4
