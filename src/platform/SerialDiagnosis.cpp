#include "platform/SerialDiagnosis.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace bdx4 {

QString groupName(unsigned gid) {
#ifdef Q_OS_UNIX
    std::vector<char> buffer(4096);
    group entry{};
    group* found = nullptr;
    while (getgrgid_r(gid_t(gid), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
           buffer.size() < 1024 * 1024)
        buffer.resize(buffer.size() * 2);
    if (found && found->gr_name)
        return QString::fromLocal8Bit(found->gr_name);
#else
    Q_UNUSED(gid);
#endif
    return QString();
}

DeviceFacts deviceFacts(const QString& path) {
    DeviceFacts facts;
#ifdef Q_OS_UNIX
    facts.exists = QFileInfo::exists(path);
    if (!facts.exists)
        return facts;
    const QByteArray native = QFile::encodeName(path);
    facts.readWrite = ::access(native.constData(), R_OK | W_OK) == 0;
    struct stat info {};
    if (::stat(native.constData(), &info) == 0)
        facts.group = groupName(unsigned(info.st_gid));
#else
    // "COMn" is no file: the serial layer alone knows whether it exists, and a refusal there
    // means another program holds the port.
    Q_UNUSED(path);
    facts.exists = true;
    facts.readWrite = true;
#endif
    return facts;
}

QString openFailureText(const QString& device, QSerialPort::SerialPortError error,
                        const QString& systemText, const DeviceFacts& facts,
                        const QStringList& existingPorts) {
    if (error == QSerialPort::DeviceNotFoundError || !facts.exists) {
        QString text = QStringLiteral("The serial device %1 does not exist (is the adapter "
                                      "plugged in?).  ")
                           .arg(device);
        if (existingPorts.isEmpty())
            text += QStringLiteral("No serial ports were found on this computer.");
        else
            text += QStringLiteral("Serial ports on this computer: %1.  Choose one in the COMM "
                                   "menu.")
                        .arg(existingPorts.join(QStringLiteral(", ")));
        return text;
    }
    if (error == QSerialPort::PermissionError) {
        if (!facts.readWrite) {
            QString text = QStringLiteral("You may not read and write %1.  ").arg(device);
            if (facts.group.isEmpty())
                return text + QStringLiteral("Ask the administrator for access to it.");
            return text + QStringLiteral("It belongs to the group \"%1\", whose members may use "
                                         "it: add yourself to that group (for example: sudo "
                                         "adduser $USER %1), then log out and in again.")
                              .arg(facts.group);
        }
        return QStringLiteral("%1 is in use by another program.  Close that "
                              "program, or let it "
                              "release the port, and try again.")
            .arg(device);
    }
    return device + QStringLiteral(": ") + systemText;
}

} // namespace bdx4
