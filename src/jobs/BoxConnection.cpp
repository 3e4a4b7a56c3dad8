#include "jobs/BoxConnection.h"

#include <QSerialPort>

namespace bdx4 {

BoxConnection::BoxConnection(SerialLine& line, QObject* parent) : QObject(parent), line_(line) {
    connect(&line_, &SerialLine::readyRead, this, &BoxConnection::onReadyRead);
    connect(&line_, &SerialLine::lineLost, this, &BoxConnection::lineLost);
}

std::optional<OpenFailure> BoxConnection::openOn(int port) {
    const std::optional<qint32> speed = standardSpeed(speed_);
    if (!speed) {
        line_.close();
        OpenFailure failure;
        failure.kind = OpenFailure::UnsupportedSpeed;
        failure.code = int(QSerialPort::UnsupportedOperationError);
        failure.port = port;
        failure.detail = speed_;
        return failure;
    }
    return line_.open(port, *speed);
}

PortOpenResult BoxConnection::open() {
    PortOpenResult result;
    ready_ = false;
    if (std::optional<OpenFailure> failure = openOn(port_)) {
        result.failures.append({port_, *failure});
        if (startPort_ != port_) {
            port_ = startPort_;
            if (std::optional<OpenFailure> again = openOn(port_))
                result.failures.append({port_, *again});
            else
                ready_ = true;
        }
    } else {
        ready_ = true;
    }
    result.opened = ready_;
    return result;
}

QString BoxConnection::portDescription() const {
    const QString name = portName(port_);
    const QString device = line_.deviceName(port_);
    if (device.isEmpty() || device == name)
        return name;
    return name + QStringLiteral(" (") + device + QLatin1Char(')');
}

void BoxConnection::onReadyRead() {
    const ReplyReader::Arrival arrival = reader_.take(line_.readAll());
    if (arrival.acknowledged)
        emit acknowledged();
    for (const QByteArray& reply : arrival.replies)
        emit replyReceived(reply);
}

} // namespace bdx4
