#pragma once

#include <QSerialPort>
#include <QString>
#include <QStringList>

namespace bdx4 {

/// What the file system says about a serial device, for telling the user why it did not open.
struct DeviceFacts {
    bool exists = false;    ///< the device file is there (a link is followed)
    bool readWrite = false; ///< this user may read and write it
    QString group;          ///< the group that owns it; empty when unknown
};

/// Looks at the device file `path`.
DeviceFacts deviceFacts(const QString& path);

/// The name of group `gid`; empty when the system knows no such group.
QString groupName(unsigned gid);

/// The description the "Error Opening COM" box shows when `device` did not open with `error`.
/// QSerialPort says "permission denied" both when the user lacks access and when another program
/// holds the port, so the device's facts tell the two apart. `systemText` is the serial layer's own
/// text; `existingPorts` lists the serial ports that do exist, as the user may choose them.
QString openFailureText(const QString& device, QSerialPort::SerialPortError error,
                        const QString& systemText, const DeviceFacts& facts,
                        const QStringList& existingPorts);

} // namespace bdx4
