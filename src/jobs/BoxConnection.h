#pragma once

#include "io/SerialLine.h"
#include "jobs/ReplyReader.h"

#include <QList>
#include <QObject>

namespace bdx4 {

/// What came of opening the port.
struct PortOpenResult {
    struct Failure {
        int port = 0;
        OpenFailure why;
    };
    /// Each port that did not open, in the order they were tried.
    QList<Failure> failures;
    bool opened = false;
    /// The chosen port failed and the port of the start-up opened in its place.
    bool fellBack() const { return opened && !failures.isEmpty(); }
};

/// What is known of the chosen port and speed.
enum class LinkState {
    NotOpen,  ///< they are not what is open (a new choice, a failed open, or nothing opened yet)
    Open,     ///< they are open
    BoxFound, ///< they are open and the box told its firmware version there
    Lost,     ///< they were open and the line went away under the program
};

/// The serial connection to the box: which port and speed to use, opening the port, and what the
/// box sends, cut into acknowledgements and replies. The box search and the download talk to the
/// box through it, one at a time.
class BoxConnection : public QObject {
    Q_OBJECT
public:
    explicit BoxConnection(SerialLine& line, QObject* parent = nullptr);

    /// The port to open, 1-16; a new choice counts from the next `open`.
    int port() const { return port_; }
    void setPort(int port);
    /// The port the program started with: `open` falls back to it once.
    int startPort() const { return startPort_; }
    /// At start-up: the remembered port becomes the chosen and the fallback port.
    void setStartPort(int port);
    /// The speed as text ("4800"); a remembered text that is no speed fails at `open`.
    QString speed() const { return speed_; }
    void setSpeed(const QString& speed);

    /// (Re)opens the chosen port at the chosen speed, 8N1. When that fails and the program started
    /// on another port, that port is tried once and becomes the chosen one.
    PortOpenResult open();
    /// The last `open` went through (the line may have been lost since).
    bool isReady() const { return ready_; }
    bool isOpen() const { return line_.isOpen(); }
    void close();
    /// What is known of the chosen port and speed; `linkChanged` tells every change.
    LinkState linkState() const;
    /// The firmware version the box told on the open port (BoxFound).
    QString firmware() const { return firmware_; }
    /// The box told its firmware version on the open port.
    void setBoxFound(const QString& firmware);
    /// The settings tie a port number to another device now: what is known of the link is told
    /// again. A port open on the device it reached before no longer counts as the chosen one.
    void deviceChosen() { emit linkChanged(); }

    /// Sends bytes exactly as given.
    IoResult send(const QByteArray& bytes) { return line_.write(bytes); }
    /// What the box sent that was not cut off yet, as it stood after its last arrival.
    QByteArray lastReceived() const { return reader_.lastReceived(); }

    /// The port as the user knows it, with its device where that differs: "COM1 (/dev/ttyUSB0)".
    QString portDescription() const;
    /// The device a port number reaches.
    QString deviceName(int port) const { return line_.deviceName(port); }

signals:
    /// The box acknowledged a record ("G").
    void acknowledged();
    /// A reply came in (with its ";").
    void replyReceived(const QByteArray& reply);
    /// The line went away; the port is closed.
    void lineLost(const QString& reason);
    /// The chosen port or speed, or what is known of them, changed.
    void linkChanged();

private:
    std::optional<OpenFailure> openOn(int port);
    void onReadyRead();

    SerialLine& line_;
    ReplyReader reader_;
    int port_ = kFirstPort;
    int startPort_ = kFirstPort;
    QString speed_ = QStringLiteral("4800");
    bool ready_ = false;
    /// The port, speed and device last opened (0: none since the last close) and what became of
    /// them.
    int openedPort_ = 0;
    QString openedSpeed_;
    QString openedDevice_;
    bool lost_ = false;
    QString firmware_;
};

} // namespace bdx4
