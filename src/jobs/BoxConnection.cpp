#include "jobs/BoxConnection.h"

#include <QSerialPort>

namespace bdx4 {

BoxConnection::BoxConnection(SerialLine& line, QObject* parent) : QObject(parent), line_(line) {
    connect(&line_, &SerialLine::readyRead, this, &BoxConnection::onReadyRead);
    connect(&line_, &SerialLine::lineLost, this, [this](const QString& reason) {
        lost_ = true;
        firmware_.clear();
        emit linkChanged();
        emit lineLost(reason);
    });
}

void BoxConnection::setPort(int port) {
    port_ = port;
    emit linkChanged();
}

void BoxConnection::setStartPort(int port) {
    startPort_ = port;
    setPort(port);
}

void BoxConnection::setSpeed(const QString& speed) {
    speed_ = speed;
    emit linkChanged();
}

void BoxConnection::close() {
    line_.close();
    openedPort_ = 0;
    firmware_.clear();
    emit linkChanged();
}

LinkState BoxConnection::linkState() const {
    if (openedPort_ != port_ || openedSpeed_ != speed_ || openedDevice_ != line_.deviceName(port_))
        return LinkState::NotOpen;
    if (lost_)
        return LinkState::Lost;
    if (!line_.isOpen())
        return LinkState::NotOpen;
    return firmware_.isEmpty() ? LinkState::Open : LinkState::BoxFound;
}

void BoxConnection::setBoxFound(const QString& firmware) {
    firmware_ = firmware;
    emit linkChanged();
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
    openedPort_ = ready_ ? port_ : 0;
    openedSpeed_ = speed_;
    openedDevice_ = line_.deviceName(port_);
    lost_ = false;
    firmware_.clear();
    emit linkChanged();
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
