#pragma once

#include "io/SerialLine.h"
#include "io/SettingsStore.h"

#include <QSerialPort>

namespace bdx4 {

/// The serial line on QSerialPort. Port n is the device "COMn" on Windows; elsewhere it is the
/// device the settings name under [Ports] (COM1=/dev/ttyUSB0), or else the fixed table of
/// `defaultDeviceName`.
///
/// `readyRead` is raised from a zero-timer, not from inside QSerialPort::readyRead: that signal
/// is not raised again while its slot runs, so bytes that arrive while a receiver shows a box
/// would otherwise wait for the next arrival. A read or resource error (the adapter pulled out)
/// closes the port at once: Qt reports it again and again until then.
class QtSerialLine : public SerialLine {
    Q_OBJECT
public:
    explicit QtSerialLine(const SettingsStore& settings, QObject* parent = nullptr);
    ~QtSerialLine() override;

    std::optional<OpenFailure> open(int port, qint32 speed) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    IoResult write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    QString deviceName(int port) const override;

    /// The device of port n when the settings name none: COM1-COM8 are /dev/ttyUSB0-7,
    /// COM9-COM12 /dev/ttyACM0-3, COM13-COM16 /dev/ttyS0-3 (on Windows: "COMn"). Empty for a
    /// number outside 1-16.
    static QString defaultDeviceName(int port);
    /// The serial devices at `locations` as the user may choose them: each with the port whose
    /// device it is ("/dev/ttyUSB0 (COM1)"), the same file through a link counting as one.
    QStringList namePorts(const QStringList& locations) const;

private:
    void scheduleDelivery();
    void deliver();
    void onError(QSerialPort::SerialPortError error);
    /// The serial ports that exist, named by `namePorts`.
    QStringList existingPorts() const;

    const SettingsStore& settings_;
    QSerialPort port_;
    bool deliveryPosted_ = false;
};

} // namespace bdx4
