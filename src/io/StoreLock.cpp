#include "io/StoreLock.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace bdx4 {

#ifdef Q_OS_UNIX
/// An open lock file that holds the lock: the system releases it with the last descriptor,
/// also when the program is killed.
struct StoreLock::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0)
            ::close(fd);
    }
};
#else
struct StoreLock::Handle {
    explicit Handle(const QString& path) : file(path) { file.setStaleLockTime(0); }
    QLockFile file;
};
#endif

StoreLock::StoreLock(const QString& storeFolder)
    : path_(QDir(storeFolder).filePath(kStoreLockName)) {}

StoreLock::~StoreLock() = default;

StoreLock::Outcome StoreLock::tryLock() {
    if (handle_)
        return Held;
    reason_.clear();
#ifdef Q_OS_UNIX
    const auto failed = [this](int error) {
        reason_ = qt_error_string(error);
        if (!reason_.isEmpty())
            reason_[0] = reason_[0].toLower();
        return CannotCreate;
    };
    const QByteArray path = QFile::encodeName(path_);
    auto handle = std::make_unique<Handle>();
    handle->fd =
        ::open(path.constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (handle->fd < 0 && errno == EACCES) // another user's lock file locks as well read-only
        handle->fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (handle->fd < 0)
        return failed(errno);
    // Each open of the file locks apart, so a second StoreLock in this process is refused too.
    if (::flock(handle->fd, LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK ? HeldElsewhere : failed(errno);
    // Who holds it, for a person who finds the file.
    const QByteArray owner = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(handle->fd, 0) == 0) {
        [[maybe_unused]] const ssize_t n = ::write(handle->fd, owner.constData(), owner.size());
    }
#else
    auto handle = std::make_unique<Handle>(path_);
    if (!handle->file.tryLock(0)) {
        if (handle->file.error() == QLockFile::LockFailedError)
            return HeldElsewhere;
        reason_ = QStringLiteral("the lock file cannot be created");
        return CannotCreate;
    }
#endif
    handle_ = std::move(handle);
    return Held;
}

} // namespace bdx4
