#pragma once

#include "io/SerialLine.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <QString>
#include <QStringList>

namespace bdx4 {

/// What the file system says about a serial device.
struct DeviceFacts {
    bool exists = false;    ///< the device file is there (a link is followed)
    bool readWrite = false; ///< this user may read and write it
    QString group;          ///< the group that owns it and may read and write it; else empty
};

/// Looks at the device file `path`.
DeviceFacts deviceFacts(const QString& path);

/// The name of group `gid`; empty when the system knows no such group.
QString groupName(unsigned gid);

/// Why `device` did not open with `error`. QSerialPort says "permission denied" both when the
/// user lacks access and when another program holds the port; the device's facts tell the two
/// apart.
OpenFailure diagnoseOpenFailure(int port, const QString& device, QSerialPort::SerialPortError error,
                                const QString& systemText, const DeviceFacts& facts,
                                const QStringList& existingPorts);

/// Where the user chooses the port and the speed.
enum class ChoiceHint {
    Menu,        ///< the COMM menu of the windows
    CommandLine, ///< bdx4ctl's --port and --baud
};

/// The failure in words for the user: what happened and what to do.
QString describeOpenFailure(const OpenFailure& failure, ChoiceHint hint);

} // namespace bdx4
