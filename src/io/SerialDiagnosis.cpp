#include "io/SerialDiagnosis.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace bdx4 {

namespace {

/// The words for a port that did not open, under one translation context.
class OpenFailureTexts {
    Q_DECLARE_TR_FUNCTIONS(SerialDiagnosis)
};

} // namespace

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
    // Joining the owning group helps only when the group may read and write the device (a
    // crw------- root root device would otherwise send the user to join "root").
    struct stat info {};
    if (::stat(native.constData(), &info) == 0 &&
        (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP))
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

OpenFailure diagnoseOpenFailure(int port, const QString& device, QSerialPort::SerialPortError error,
                                const QString& systemText, const DeviceFacts& facts,
                                const QStringList& existingPorts) {
    OpenFailure failure;
    failure.code = int(error);
    failure.port = port;
    failure.device = device;
    if (error == QSerialPort::DeviceNotFoundError || !facts.exists) {
        failure.kind = OpenFailure::DeviceMissing;
        failure.existingPorts = existingPorts;
    } else if (error == QSerialPort::PermissionError && !facts.readWrite) {
        failure.kind = OpenFailure::NoAccess;
        failure.detail = facts.group;
    } else if (error == QSerialPort::PermissionError) {
        failure.kind = OpenFailure::InUse;
    } else {
        failure.detail = systemText;
    }
    return failure;
}

QString describeOpenFailure(const OpenFailure& failure, ChoiceHint hint) {
    const bool menu = hint == ChoiceHint::Menu;
    switch (failure.kind) {
    case OpenFailure::NoSuchPort:
        return (menu ? OpenFailureTexts::tr(
                           "There is no serial port %1: choose one of COM1 to COM16 in the COMM "
                           "menu.")
                     : OpenFailureTexts::tr(
                           "There is no serial port %1: give --port a number from 1 to 16 or a "
                           "device path."))
            .arg(portName(failure.port));
    case OpenFailure::UnsupportedSpeed:
        return (menu
                    ? OpenFailureTexts::tr(
                          "The speed \"%1\" is not one the serial port accepts; choose 4800, 9600, "
                          "19200 or 38400 BAUD in the COMM menu.")
                    : OpenFailureTexts::tr(
                          "The speed \"%1\" is not one the serial port accepts; give --baud 4800, "
                          "9600, 19200 or 38400."))
            .arg(failure.detail);
    case OpenFailure::DeviceMissing: {
        QString text = OpenFailureTexts::tr(
                           "The serial device %1 does not exist (is the adapter plugged in?).  ")
                           .arg(failure.device);
        if (failure.existingPorts.isEmpty())
            return text + OpenFailureTexts::tr("No serial ports were found on this computer.");
        return text + (menu
                           ? OpenFailureTexts::tr(
                                 "Serial ports on this computer: %1.  Choose one in the COMM menu.")
                           : OpenFailureTexts::tr(
                                 "Serial ports on this computer: %1.  Give one with --port."))
                          .arg(failure.existingPorts.join(QStringLiteral(", ")));
    }
    case OpenFailure::NoAccess: {
        const QString text =
            OpenFailureTexts::tr("You may not read and write %1.  ").arg(failure.device);
        if (failure.detail.isEmpty())
            return text + OpenFailureTexts::tr("Ask the administrator for access to it.");
        return text + OpenFailureTexts::tr(
                          "It belongs to the group \"%1\", whose members may use it: add yourself "
                          "to that group (for example: sudo adduser $USER %1), then log out and in "
                          "again.")
                          .arg(failure.detail);
    }
    case OpenFailure::InUse:
        return OpenFailureTexts::tr(
                   "%1 is in use by another program.  Close that program, or let it release the "
                   "port, and try again.")
            .arg(failure.device);
    case OpenFailure::Other:
        break;
    }
    return failure.device + QStringLiteral(": ") + failure.detail;
}

} // namespace bdx4
