#include "platform/QtSerialLine.h"

#include "platform/SerialDiagnosis.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTimer>

#include <algorithm>
#include <array>
#include <optional>

namespace bdx4 {

namespace {

// Speeds that every serial layer the program runs on accepts.
constexpr std::array<qint32, 11> kStandardSpeeds = {110,  300,   600,   1200,  2400,  4800,
                                                    9600, 19200, 38400, 57600, 115200};

PlatformError makeError(QSerialPort::SerialPortError number, const QString& description) {
    return PlatformError{int(number), description};
}

QString comName(int port) {
    return QStringLiteral("COM") + QString::number(port);
}

std::optional<QSerialPort::Parity> parityOf(const QString& text) {
    const QString letter = text.trimmed().toLower();
    if (letter == QLatin1String("n"))
        return QSerialPort::NoParity;
    if (letter == QLatin1String("e"))
        return QSerialPort::EvenParity;
    if (letter == QLatin1String("o"))
        return QSerialPort::OddParity;
    if (letter == QLatin1String("m"))
        return QSerialPort::MarkParity;
    if (letter == QLatin1String("s"))
        return QSerialPort::SpaceParity;
    return std::nullopt;
}

std::optional<QSerialPort::StopBits> stopBitsOf(const QString& text) {
    const QString bits = text.trimmed();
    if (bits == QLatin1String("1"))
        return QSerialPort::OneStop;
    if (bits == QLatin1String("1.5"))
        return QSerialPort::OneAndHalfStop;
    if (bits == QLatin1String("2"))
        return QSerialPort::TwoStop;
    return std::nullopt;
}

QString sameFile(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

QtSerialLine::QtSerialLine(SettingsStore& settings) : settings_(settings) {
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { scheduleDrain(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { lineError(error); });
}

QtSerialLine::~QtSerialLine() {
    QObject::disconnect(&port_, nullptr, &port_, nullptr);
    if (port_.isOpen())
        port_.close();
}

bool QtSerialLine::portOpen() const {
    return port_.isOpen();
}

QString QtSerialLine::defaultDeviceName(int port) {
#ifdef Q_OS_WIN
    return port >= 1 ? comName(port) : QString();
#else
    if (port >= 1 && port <= 8)
        return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
    if (port >= 9 && port <= 12)
        return QStringLiteral("/dev/ttyACM%1").arg(port - 9);
    if (port >= 13 && port <= 16)
        return QStringLiteral("/dev/ttyS%1").arg(port - 13);
    return QString();
#endif
}

QString QtSerialLine::deviceName(int port) const {
#ifndef Q_OS_WIN
    const QString named =
        settings_.value(QStringLiteral("Ports"), comName(port), QString()).trimmed();
    if (!named.isEmpty())
        return named;
#endif
    return defaultDeviceName(port);
}

Failure QtSerialLine::setCommPort(int port) {
    if (deviceName(port).isEmpty())
        return makeError(QSerialPort::DeviceNotFoundError,
                         QStringLiteral("There is no serial port %1: choose one of COM1 to COM16 "
                                        "in the COMM menu.")
                             .arg(comName(port)));
    commPort_ = port;
    return std::nullopt;
}

Failure QtSerialLine::setSettings(const QString& settings) {
    const QStringList parts = settings.split(QLatin1Char(','));
    bool isNumber = false;
    const qint32 speed = parts.value(0).trimmed().toInt(&isNumber);
    if (!isNumber ||
        std::find(kStandardSpeeds.begin(), kStandardSpeeds.end(), speed) == kStandardSpeeds.end())
        return makeError(QSerialPort::UnsupportedOperationError,
                         QStringLiteral("The speed \"%1\" is not one the serial port accepts; "
                                        "choose 4800, 9600, 19200 or 38400 BAUD in the COMM menu.")
                             .arg(parts.value(0)));

    const std::optional<QSerialPort::Parity> newParity = parityOf(parts.value(1));
    const std::optional<QSerialPort::StopBits> newStop = stopBitsOf(parts.value(3));
    const int dataBits = parts.value(2).trimmed().toInt();
    if (parts.size() != 4 || !newParity || !newStop || dataBits < 5 || dataBits > 8)
        return makeError(QSerialPort::UnsupportedOperationError,
                         QStringLiteral("The line settings \"%1\" are not valid.").arg(settings));

    baud_ = speed;
    parity_ = *newParity;
    dataBits_ = QSerialPort::DataBits(dataBits);
    stopBits_ = *newStop;
    if (port_.isOpen() && !(port_.setBaudRate(baud_) && port_.setParity(parity_) &&
                            port_.setDataBits(dataBits_) && port_.setStopBits(stopBits_)))
        return makeError(port_.error(),
                         port_.portName() + QStringLiteral(": ") + port_.errorString());
    return std::nullopt;
}

Failure QtSerialLine::setPortOpen(bool open) {
    if (!open) {
        if (port_.isOpen())
            port_.close();
        return std::nullopt;
    }
    if (port_.isOpen())
        return std::nullopt;

    const QString device = deviceName(commPort_);
    port_.setPortName(device);
    port_.setBaudRate(baud_);
    port_.setParity(parity_);
    port_.setDataBits(dataBits_);
    port_.setStopBits(stopBits_);
    port_.clearError();
    if (!port_.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port_.error();
        return makeError(error, openFailureText(device, error, port_.errorString(),
                                                deviceFacts(device), existingPorts()));
    }
    lostReason_.clear();
    return std::nullopt;
}

Failure QtSerialLine::output(const QByteArray& text) {
    if (!port_.isOpen()) {
        const QString device = deviceName(commPort_);
        QString description =
            lostReason_.isEmpty()
                ? QStringLiteral("The serial port %1 is not open.").arg(device)
                : QStringLiteral("The serial line on %1 was lost (%2).").arg(device, lostReason_);
        return makeError(QSerialPort::NotOpenError, description);
    }
    if (port_.write(text) != text.size())
        return makeError(port_.error(),
                         port_.portName() + QStringLiteral(": ") + port_.errorString());
    return std::nullopt;
}

QByteArray QtSerialLine::input() {
    return port_.isOpen() ? port_.readAll() : QByteArray();
}

void QtSerialLine::scheduleDrain() {
    if (drainPosted_)
        return;
    drainPosted_ = true;
    QTimer::singleShot(0, &port_, [this] {
        drainPosted_ = false;
        drain();
    });
}

void QtSerialLine::drain() {
    // The handler takes everything there is; characters that came in while it ran (and showed a
    // box) are handled by the next round. Stop when a round takes nothing.
    qint64 waiting = port_.isOpen() ? port_.bytesAvailable() : 0;
    while (waiting > 0) {
        notifyReceived();
        const qint64 left = port_.isOpen() ? port_.bytesAvailable() : 0;
        if (left >= waiting)
            break;
        waiting = left;
    }
}

void QtSerialLine::lineError(QSerialPort::SerialPortError error) {
    if ((error != QSerialPort::ReadError && error != QSerialPort::ResourceError) || !port_.isOpen())
        return;
    // Qt reports a vanished device again and again until the port is closed.
    lostReason_ = port_.errorString();
    port_.close();
}

QStringList QtSerialLine::existingPorts() const {
    QStringList ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
#ifdef Q_OS_WIN
        const QString location = info.portName();
#else
        const QString location = info.systemLocation();
#endif
        QString entry = location;
        for (int port = 1; port <= 16; ++port) {
            if (sameFile(deviceName(port)) == sameFile(location)) {
                if (entry != comName(port))
                    entry += QStringLiteral(" (") + comName(port) + QLatin1Char(')');
                break;
            }
        }
        ports << entry;
    }
    return ports;
}

} // namespace bdx4
