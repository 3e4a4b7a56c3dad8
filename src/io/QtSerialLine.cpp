#include "io/QtSerialLine.h"

#include "io/SerialDiagnosis.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTimer>

namespace bdx4 {

namespace {

QString sameFile(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

QtSerialLine::QtSerialLine(const SettingsStore& settings, QObject* parent)
    : SerialLine(parent), settings_(settings) {
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialLine::scheduleDelivery);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialLine::onError);
}

QtSerialLine::~QtSerialLine() {
    port_.disconnect(this);
    close();
}

QString QtSerialLine::defaultDeviceName(int port) {
#ifdef Q_OS_WIN
    return port >= kFirstPort ? portName(port) : QString();
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
    const QString named = settings_.value(kPortsSection, portName(port), QString()).trimmed();
    if (!named.isEmpty())
        return named;
#endif
    return defaultDeviceName(port);
}

std::optional<OpenFailure> QtSerialLine::open(int port, qint32 speed) {
    close();
    const QString device = deviceName(port);
    if (device.isEmpty()) {
        OpenFailure failure;
        failure.kind = OpenFailure::NoSuchPort;
        failure.code = int(QSerialPort::DeviceNotFoundError);
        failure.port = port;
        return failure;
    }
    port_.setPortName(device);
    port_.setBaudRate(speed);
    port_.setParity(QSerialPort::NoParity);
    port_.setDataBits(QSerialPort::Data8);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.clearError();
    if (!port_.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port_.error();
        return diagnoseOpenFailure(port, device, error, port_.errorString(), deviceFacts(device),
                                   existingPorts());
    }
    return std::nullopt;
}

void QtSerialLine::close() {
    if (!port_.isOpen())
        return;
    port_.flush(); // the end record of a cancelled download must still go out
    port_.close();
}

IoResult QtSerialLine::write(const QByteArray& bytes) {
    if (!port_.isOpen())
        return IoError{int(QSerialPort::NotOpenError),
                       tr("The serial port %1 is not open.").arg(port_.portName())};
    if (port_.write(bytes) != bytes.size())
        return IoError{int(port_.error()),
                       port_.portName() + QStringLiteral(": ") + port_.errorString()};
    return std::nullopt;
}

QByteArray QtSerialLine::readAll() {
    return port_.isOpen() ? port_.readAll() : QByteArray();
}

void QtSerialLine::scheduleDelivery() {
    if (deliveryPosted_)
        return;
    deliveryPosted_ = true;
    QTimer::singleShot(0, this, &QtSerialLine::deliver);
}

void QtSerialLine::deliver() {
    deliveryPosted_ = false;
    // A receiver takes everything there is; bytes that came in while it ran (and perhaps showed
    // a box) are delivered again. Stop when a round takes nothing.
    qint64 waiting = port_.isOpen() ? port_.bytesAvailable() : 0;
    while (waiting > 0) {
        emit readyRead();
        const qint64 left = port_.isOpen() ? port_.bytesAvailable() : 0;
        if (left >= waiting)
            break;
        waiting = left;
    }
}

void QtSerialLine::onError(QSerialPort::SerialPortError error) {
    if ((error != QSerialPort::ReadError && error != QSerialPort::ResourceError) || !port_.isOpen())
        return;
    // Said as what happened: QSerialPort takes its text from errno also when a read found the
    // device gone without an error of its own, so the text is one left over from an earlier call
    // ("File exists", "Inappropriate ioctl for device").
    const QString reason = tr("the serial device went away: unplugged or switched off");
    port_.close();
    // Told from the event loop, so that a receiver may show a box.
    QTimer::singleShot(0, this, [this, reason] { emit lineLost(reason); });
}

QStringList QtSerialLine::existingPorts() const {
    QStringList locations;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
#ifdef Q_OS_WIN
        locations << info.portName();
#else
        locations << info.systemLocation();
#endif
    }
    return namePorts(locations);
}

QStringList QtSerialLine::namePorts(const QStringList& locations) const {
    QStringList ports;
    for (const QString& location : locations) {
        QString entry = location;
        for (int port = kFirstPort; port <= kLastPort; ++port) {
            if (sameFile(deviceName(port)) == sameFile(location)) {
                if (entry != portName(port))
                    entry += QStringLiteral(" (") + portName(port) + QLatin1Char(')');
                break;
            }
        }
        ports << entry;
    }
    return ports;
}

} // namespace bdx4
