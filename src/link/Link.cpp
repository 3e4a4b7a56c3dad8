#include "link/Link.h"

namespace bdx4 {

namespace {

// Restores a flag when a search ends by any road.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

QString comName(int port) {
    return QStringLiteral("COM") + QString::number(port);
}

} // namespace

QString seekFailedText() {
    return QStringLiteral("No BDX4 found.  Please check this program's COM settings.\r\n\r\n"
                          "Use the COMM pull-down menu to select the correct Port and BAUD rate\r\n"
                          "that has been set via the jumpers in your BDX4 (see manual).\r\n\r\n"
                          "Also be sure the OP/DL switch on your BDX4 is set to DL (toward Power "
                          "jack).");
}

Link::Link(SerialLine& line, MessageBoxes& boxes, MenuMarks& marks, Clock& clock, StatusBox& status,
           ProgressWindow& progress)
    : line_(line), boxes_(boxes), marks_(marks), clock_(clock), status_(status),
      progress_(progress) {
    line_.setReceiveHandler([this] { MSComm1_OnComm(); });
}

Link::~Link() {
    line_.setReceiveHandler(nullptr);
}

void Link::Use_COM_Click(int index) {
    if (index < kFirstComPort || index > kLastComPort)
        return;
    for (int item = kFirstComPort; item <= kLastComPort; ++item)
        marks_.setChecked(QStringLiteral("Use_COM_") + QString::number(item), false);
    s_.ComPort = index;
    marks_.setChecked(QStringLiteral("Use_COM_") + QString::number(index), true);
}

void Link::ConfigMenu_RS232_Click(int index) {
    if (index < 1 || index > int(kMenuBaudRates.size()))
        return;
    for (int item = 1; item <= int(kMenuBaudRates.size()); ++item)
        marks_.setChecked(QStringLiteral("ConfigMenu_RS232_") + QString::number(item), false);
    s_.BaudRate = QString::fromLatin1(kMenuBaudRates[index - 1]);
    marks_.setChecked(QStringLiteral("ConfigMenu_RS232_") + QString::number(index), true);
}

void Link::ConfigurePort() {
    Failure failure;
    if (line_.portOpen())
        failure = line_.setPortOpen(false);
    if (!failure)
        failure = line_.setCommPort(s_.ComPort);
    if (!failure)
        failure = line_.setSettings(s_.BaudRate + QStringLiteral(",n,8,1"));
    if (!failure)
        failure = line_.setPortOpen(true);
    if (!failure) {
        s_.PortReady = true;
        return;
    }
    if (line_.portOpen())
        line_.setPortOpen(false);
    MessageRequest box;
    box.text = QString::number(failure->number) + QStringLiteral(": ") + failure->description;
    box.title = QStringLiteral("Error Opening COM") + QString::number(s_.ComPort);
    boxes_.show(box);
}

void Link::OpenPort() {
    tellActivity(LinkActivity::OpeningPort);
    s_.PortReady = false;
    ConfigurePort();
    if (!s_.PortReady && s_.StartComPort != s_.ComPort) {
        const int failedPort = s_.ComPort;
        s_.ComPort = s_.StartComPort;
        ConfigurePort();
        if (s_.PortReady) {
            MessageRequest box;
            box.text = comName(failedPort) + QStringLiteral(" didn't work.");
            box.title = QStringLiteral("Reopened COM") + QString::number(s_.StartComPort);
            boxes_.show(box);
        }
    }
    if (!s_.PortReady) {
        MessageRequest box;
        box.text = QStringLiteral("Try selecting another COMM port.");
        box.title = QStringLiteral("Error COM Ports");
        boxes_.show(box);
    }
}

void Link::ClosePort() {
    if (line_.portOpen())
        line_.setPortOpen(false);
}

void Link::MSComm1_OnComm() {
    s_.RxBuffer += line_.input();
    s_.RxCopy = s_.RxBuffer.right(kRxLimit);

    // Cut every finished segment out of the buffer before parsing any of them: parsing can open the
    // firmware box, whose event loop may run this handler again.
    qsizetype last = 0;
    for (qsizetype i = 0; i < s_.RxBuffer.size(); ++i) {
        const char c = s_.RxBuffer.at(i);
        if (c == 'G') {
            s_.AckSeen = true;
            last = i + 1;
        } else if (c == ';') {
            pendingSegments_.push_back(s_.RxBuffer.mid(last, i + 1 - last));
            last = i + 1;
        }
    }
    s_.RxBuffer.remove(0, last);
    if (s_.RxBuffer.size() > kRxLimit)
        s_.RxBuffer = s_.RxBuffer.right(kRxLimit);

    while (!pendingSegments_.empty()) {
        const QByteArray segment = pendingSegments_.front();
        pendingSegments_.pop_front();
        ParseReply(QString::fromLatin1(segment));
    }
}

void Link::ParseReply(const QString& segment) {
    s_.ReplyCode = segment.left(3);
    if (s_.OutString != kVersionQuery)
        return;
    if (!segment.contains(QLatin1String("BDX4"), Qt::CaseInsensitive)) {
        s_.ReplyCode.clear();
        return;
    }
    if (segment.size() != 14)
        return;
    s_.FirmwareRev = segment.mid(9, 4);
    if (clock_.ending())
        return;
    MessageRequest box;
    box.text = QStringLiteral("BDX4 Firmware = ") + s_.FirmwareRev;
    box.title = QStringLiteral("BDX4 Connected");
    box.icon = MsgIcon::Information;
    boxes_.show(box);
    s_.BoxConnected = true;
}

bool Link::pauseUnits(int units) {
    if (!DelayUnits(units))
        return false;
    clock_.processEvents();
    return !clock_.ending();
}

void Link::SeekBox() {
    if (seeking_ || clock_.ending())
        return;
    const FlagScope running(seeking_);
    tellActivity(LinkActivity::SeekingBox);

    s_.SeekCount = 0;
    status_.setText(QString());
    s_.BoxConnected = false;
    s_.ReplyCode.clear();
    progress_.open();

    s_.OutString = QStringLiteral(";");
    send(s_.OutString);
    int units = 2;
    if (!DelayUnits(units)) {
        progress_.close();
        return;
    }
    // Whatever the lone ";" provoked is not an answer to the version query.
    s_.ReplyCode.clear();
    s_.OutString = kVersionQuery;
    send(s_.OutString);
    if (!pauseUnits(1)) {
        progress_.close();
        return;
    }

    if (s_.ReplyCode != QLatin1String("BDV")) {
        for (;;) {
            progress_.setValue(s_.SeekCount);
            if (s_.SeekCount > 10)
                break;
            send(QStringLiteral(";"));
            send(s_.OutString);
            ++s_.SeekCount;
            if (!pauseUnits(1)) {
                progress_.close();
                return;
            }
            if (s_.ReplyCode == QLatin1String("BDV")) {
                s_.SeekCount = 11;
                break;
            }
        }
    }
    progress_.close();

    if (!s_.BoxConnected) {
        MessageRequest box;
        box.text = seekFailedText();
        box.title = QStringLiteral("Error connecting to a BDX4");
        boxes_.show(box);
    }
}

void Link::Test_BDX4_Click() {
    if (seeking_ || clock_.ending())
        return;
    OpenPort();
    if (s_.PortReady)
        SeekBox();
}

bool Link::DelayMs(qint64 ms) {
    return clock_.waitMs(ms);
}

bool Link::DelayUnits(int& units) {
    units *= 300;
    return DelayMs(units);
}

bool Link::WaitForAck() {
    for (int step = 0; step < 3; ++step) {
        int units = 1;
        if (!DelayUnits(units))
            break;
        clock_.processEvents();
        if (s_.AckSeen || clock_.ending())
            break;
    }
    return s_.AckSeen;
}

QString Link::portDescription() const {
    const QString name = comName(s_.ComPort);
    const QString device = line_.deviceName(s_.ComPort);
    if (device.isEmpty() || device == name)
        return name;
    return name + QStringLiteral(" (") + device + QLatin1Char(')');
}

Failure Link::send(const QString& text) {
    return line_.output(text.toLatin1());
}

} // namespace bdx4
