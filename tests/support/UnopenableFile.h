#pragma once

#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace bdx4::test {

/// Puts a file at `path` that exists but cannot be opened for reading, even by root: a Unix
/// domain socket. It can still be replaced like any file. False when that is not possible.
inline bool makeUnopenableFile(const QString& path) {
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.size() >= int(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd); // the socket file stays behind
    return bound;
#else
    Q_UNUSED(path);
    return false;
#endif
}

} // namespace bdx4::test
