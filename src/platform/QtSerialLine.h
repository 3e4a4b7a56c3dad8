#pragma once

#include "platform/SerialLine.h"
#include "platform/SettingsStore.h"

#include <QSerialPort>

namespace bdx4 {

/// The serial line on QSerialPort. Port n is the device "COMn" on Windows; elsewhere it is the
/// device named by the setting "COMn" of section "Ports" (e.g. COM1=/dev/ttyUSB0), or else the
/// fixed table of `defaultDeviceName`.
///
/// Received characters reach the receive handler through a zero-timer, not from inside
/// QSerialPort::readyRead: readyRead is not raised again while its slot runs, so characters that
/// arrive while the handler shows a box would otherwise wait until the next arrival. A read or
/// resource error (the adapter pulled out) closes the port at once; later writes fail until the
/// port is opened again.
class QtSerialLine : public SerialLine {
public:
    explicit QtSerialLine(SettingsStore& settings);
    ~QtSerialLine() override;
    QtSerialLine(const QtSerialLine&) = delete;
    QtSerialLine& operator=(const QtSerialLine&) = delete;

    bool portOpen() const override;
    Failure setPortOpen(bool open) override;
    Failure setCommPort(int port) override;
    /// Accepts "speed,parity,data bits,stop bits" with a standard speed, e.g. "4800,n,8,1".
    Failure setSettings(const QString& settings) override;
    Failure output(const QByteArray& text) override;
    QByteArray input() override;
    QString deviceName(int port) const override;

    /// The device of port n when the settings name none: COM1-COM8 are /dev/ttyUSB0-7, COM9-COM12
    /// /dev/ttyACM0-3, COM13-COM16 /dev/ttyS0-3 (on Windows: "COMn"). Empty for a number outside
    /// 1-16.
    static QString defaultDeviceName(int port);
    /// Why the line was lost under the program, or empty.
    QString lostReason() const { return lostReason_; }

private:
    void scheduleDrain();
    void drain();
    void lineError(QSerialPort::SerialPortError error);
    /// The existing serial ports, each with the port number that reaches it.
    QStringList existingPorts() const;

    SettingsStore& settings_;
    QSerialPort port_;
    int commPort_ = 1;
    qint32 baud_ = 4800;
    QSerialPort::Parity parity_ = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits_ = QSerialPort::Data8;
    QSerialPort::StopBits stopBits_ = QSerialPort::OneStop;
    bool drainPosted_ = false;
    QString lostReason_;
};

} // namespace bdx4
