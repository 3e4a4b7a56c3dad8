#pragma once

#include "io/IoError.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace bdx4 {

/// The speeds the box's jumpers select, as the COMM menu and bdx4ctl name them.
constexpr std::array<const char*, 4> kBoxSpeeds = {"4800", "9600", "19200", "38400"};
/// Whether `text` names one of the box's speeds.
bool isBoxSpeed(const QString& text);
/// The speed a speed text stands for, when it is one that every serial layer accepts.
std::optional<qint32> standardSpeed(const QString& text);

/// The program's own numbering of serial ports, as in the COMM menu.
constexpr int kFirstPort = 1;
constexpr int kLastPort = 16;
/// "COM3" for port 3.
QString portName(int port);

/// Why a port did not open, for telling the user what to do.
struct OpenFailure {
    enum Kind {
        NoSuchPort,       ///< the port number reaches no device
        UnsupportedSpeed, ///< the speed text is none the serial layer accepts
        DeviceMissing,    ///< the device does not exist (an adapter not plugged in)
        NoAccess,         ///< the user may not read and write the device
        InUse,            ///< another program holds the device
        Other,            ///< anything else the serial layer reported
    };
    Kind kind = Other;
    /// The serial layer's error number.
    int code = 0;
    int port = 0;
    /// The device the port reaches.
    QString device;
    /// The speed text (UnsupportedSpeed), the group that owns the device (NoAccess, may be
    /// empty), or the serial layer's own text (Other).
    QString detail;
    /// The serial ports that do exist, as the user may choose them (DeviceMissing).
    QStringList existingPorts;
};

/// The serial line to the box: one port at a time, 8 data bits, no parity, 1 stop bit, no
/// handshake.
class SerialLine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    /// Opens port `port` (1-16) at `speed` baud, closing the port first if one is open.
    virtual std::optional<OpenFailure> open(int port, qint32 speed) = 0;
    /// Closes the port; what was written is sent first.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    /// Sends the bytes exactly as given.
    virtual IoResult write(const QByteArray& bytes) = 0;
    /// Takes everything received so far.
    virtual QByteArray readAll() = 0;
    /// The device that port `port` reaches on this computer, for the user's eyes.
    virtual QString deviceName(int port) const = 0;

signals:
    /// Bytes have arrived. It comes from the event loop, never from inside a caller's write.
    void readyRead();
    /// The line went away under the program (an adapter pulled out); the port is closed.
    void lineLost(const QString& reason);
};

} // namespace bdx4
