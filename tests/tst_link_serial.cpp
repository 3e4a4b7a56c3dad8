// The serial line on QSerialPort: port numbers and devices, line settings, why a port did not
// open, and (on a pseudo-terminal) input that arrives while the handler is busy and a far end
// that goes away.
#include "platform/QtSerialLine.h"
#include "platform/SerialDiagnosis.h"
#include "support/FakeSettingsStore.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

using namespace bdx4;

namespace {

#ifdef Q_OS_UNIX
/// The far end of a pseudo-terminal; QSerialPort opens `path()`.
class PseudoTerminal {
public:
    PseudoTerminal() {
        fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0)
            return;
        path_ = QString::fromLocal8Bit(::ptsname(fd_));
        termios raw{};
        if (::tcgetattr(fd_, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(fd_, TCSANOW, &raw);
        }
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    }
    ~PseudoTerminal() { hangUp(); }
    bool ok() const { return fd_ >= 0 && !path_.isEmpty(); }
    QString path() const { return path_; }
    bool send(const QByteArray& bytes) {
        return ::write(fd_, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    QByteArray received() {
        QByteArray all;
        char buffer[256];
        ssize_t n;
        while ((n = ::read(fd_, buffer, sizeof buffer)) > 0)
            all.append(buffer, int(n));
        return all;
    }
    void hangUp() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    QString path_;
};
#endif

} // namespace

class TestLinkSerial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultDevices_data();
    void defaultDevices();
    void settingsNameTheDevice();
    void portWithoutDeviceIsRefused();
    void lineSettings_data();
    void lineSettings();
    void openFailureText_data();
    void openFailureText();
    void factsOfRealFiles();
    void missingDeviceSaysSoOnOpen();
    void writeToClosedPortFails();
    void inputDuringBusyHandlerIsDelivered();
    void vanishedFarEndClosesThePort();
};

void TestLinkSerial::defaultDevices_data() {
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("device");
#ifdef Q_OS_WIN
    QTest::newRow("COM1") << 1 << "COM1";
    QTest::newRow("COM16") << 16 << "COM16";
#else
    QTest::newRow("COM1") << 1 << "/dev/ttyUSB0";
    QTest::newRow("COM8") << 8 << "/dev/ttyUSB7";
    QTest::newRow("COM9") << 9 << "/dev/ttyACM0";
    QTest::newRow("COM12") << 12 << "/dev/ttyACM3";
    QTest::newRow("COM13") << 13 << "/dev/ttyS0";
    QTest::newRow("COM16") << 16 << "/dev/ttyS3";
    QTest::newRow("COM17 has none") << 17 << "";
    QTest::newRow("COM0 has none") << 0 << "";
#endif
}

void TestLinkSerial::defaultDevices() {
    QFETCH(int, port);
    test::FakeSettingsStore settings;
    QtSerialLine line(settings);
    QTEST(line.deviceName(port), "device");
}

void TestLinkSerial::settingsNameTheDevice() {
#ifdef Q_OS_WIN
    QSKIP("Windows ports are always COMn");
#else
    test::FakeSettingsStore settings;
    settings.values[QStringLiteral("Ports/COM1")] = QStringLiteral("/dev/serial/by-id/bdx4");
    settings.values[QStringLiteral("Ports/COM17")] = QStringLiteral(" /dev/ttyUSB9 ");
    QtSerialLine line(settings);
    QCOMPARE(line.deviceName(1), QStringLiteral("/dev/serial/by-id/bdx4"));
    QCOMPARE(line.deviceName(2), QStringLiteral("/dev/ttyUSB1"));
    QCOMPARE(line.deviceName(17), QStringLiteral("/dev/ttyUSB9"));
    QVERIFY(!line.setCommPort(17));
#endif
}

void TestLinkSerial::portWithoutDeviceIsRefused() {
#ifndef Q_OS_WIN
    test::FakeSettingsStore settings;
    QtSerialLine line(settings);
    const Failure failure = line.setCommPort(17);
    QVERIFY(failure);
    QCOMPARE(failure->number, int(QSerialPort::DeviceNotFoundError));
    QVERIFY2(failure->description.contains(QLatin1String("COM17")),
             qPrintable(failure->description));
#endif
}

void TestLinkSerial::lineSettings_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("4800") << "4800,n,8,1" << true;
    QTest::newRow("38400") << "38400,n,8,1" << true;
    QTest::newRow("115200 even 7 2") << "115200,e,7,2" << true;
    QTest::newRow("words") << "fast,n,8,1" << false;
    QTest::newRow("odd speed") << "4801,n,8,1" << false;
    QTest::newRow("empty speed") << ",n,8,1" << false;
    QTest::newRow("negative") << "-4800,n,8,1" << false;
    QTest::newRow("bad parity") << "9600,x,8,1" << false;
    QTest::newRow("bad data bits") << "9600,n,9,1" << false;
    QTest::newRow("bad stop bits") << "9600,n,8,3" << false;
    QTest::newRow("missing fields") << "9600" << false;
}

void TestLinkSerial::lineSettings() {
    QFETCH(QString, settings);
    QFETCH(bool, accepted);
    test::FakeSettingsStore store;
    QtSerialLine line(store);
    const Failure failure = line.setSettings(settings);
    QCOMPARE(!failure, accepted);
    if (failure) {
        QCOMPARE(failure->number, int(QSerialPort::UnsupportedOperationError));
        QVERIFY(!failure->description.isEmpty());
    }
}

void TestLinkSerial::openFailureText_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("readWrite");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("ports");
    QTest::addColumn<QStringList>("mustSay");

    const QString dev = QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("missing, others exist")
        << int(QSerialPort::DeviceNotFoundError) << false << false << ""
        << QStringList{"/dev/ttyS0 (COM13)", "/dev/ttyUSB3 (COM4)"}
        << QStringList{dev + " does not exist",
                       "Serial ports on this computer: /dev/ttyS0 (COM13), /dev/ttyUSB3 (COM4)."};
    QTest::newRow("missing, none exist")
        << int(QSerialPort::DeviceNotFoundError) << false << false << "" << QStringList()
        << QStringList{dev + " does not exist", "No serial ports were found on this computer."};
    QTest::newRow("gone although Qt says permission")
        << int(QSerialPort::PermissionError) << false << false << "" << QStringList()
        << QStringList{"does not exist"};
    QTest::newRow("no access, group known")
        << int(QSerialPort::PermissionError) << true << false << "dialout" << QStringList()
        << QStringList{"may not read and write " + dev, "group \"dialout\"",
                       "adduser $USER dialout", "log out and in again"};
    QTest::newRow("no access, group unknown")
        << int(QSerialPort::PermissionError) << true << false << "" << QStringList()
        << QStringList{"may not read and write " + dev, "administrator"};
    QTest::newRow("held by another program")
        << int(QSerialPort::PermissionError) << true << true << "dialout" << QStringList()
        << QStringList{dev + " is in use by another program"};
    QTest::newRow("other errors keep the serial layer's text")
        << int(QSerialPort::OpenError) << true << true << "dialout" << QStringList()
        << QStringList{dev + ": Device busy somehow"};
}

void TestLinkSerial::openFailureText() {
    QFETCH(int, error);
    QFETCH(bool, exists);
    QFETCH(bool, readWrite);
    QFETCH(QString, group);
    QFETCH(QStringList, ports);
    QFETCH(QStringList, mustSay);
    DeviceFacts facts;
    facts.exists = exists;
    facts.readWrite = readWrite;
    facts.group = group;
    const QString text =
        bdx4::openFailureText(QStringLiteral("/dev/ttyUSB0"), QSerialPort::SerialPortError(error),
                              QStringLiteral("Device busy somehow"), facts, ports);
    for (const QString& part : mustSay)
        QVERIFY2(text.contains(part), qPrintable(text));
    // A refusal is never explained as both causes at once.
    QVERIFY(!(text.contains(QLatin1String("in use")) && text.contains(QLatin1String("group"))));
}

void TestLinkSerial::factsOfRealFiles() {
#ifndef Q_OS_UNIX
    QSKIP("file rights are a Unix matter");
#else
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const DeviceFacts missing = deviceFacts(dir.filePath(QStringLiteral("ttyUSB0")));
    QVERIFY(!missing.exists);

    // A device file stand-in owned by some group other than the user's own.
    const QString path = dir.filePath(QStringLiteral("ttyFake"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const group* wanted = ::getgrnam("dialout");
    if (!wanted)
        wanted = ::getgrgid(::getegid());
    QVERIFY(wanted);
    const QString wantedName = QString::fromLocal8Bit(wanted->gr_name);
    const gid_t wantedGid = wanted->gr_gid;
    const QByteArray native = QFile::encodeName(path);
    if (::chown(native.constData(), ::geteuid(), wantedGid) != 0)
        QSKIP("cannot give the file to another group here");
    DeviceFacts facts = deviceFacts(path);
    QVERIFY(facts.exists);
    QVERIFY(facts.readWrite);
    QCOMPARE(facts.group, wantedName);
    QCOMPARE(groupName(unsigned(wantedGid)), wantedName);

    QVERIFY(::chmod(native.constData(), 0) == 0);
    facts = deviceFacts(path);
    QCOMPARE(facts.group, wantedName);
    if (::geteuid() != 0) // root may read and write anything
        QVERIFY(!facts.readWrite);
#endif
}

void TestLinkSerial::missingDeviceSaysSoOnOpen() {
#ifdef Q_OS_WIN
    QSKIP("needs a device path");
#else
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyGone"));
    test::FakeSettingsStore settings;
    settings.values[QStringLiteral("Ports/COM3")] = device;
    QtSerialLine line(settings);
    QVERIFY(!line.setCommPort(3));
    QVERIFY(!line.setSettings(QStringLiteral("4800,n,8,1")));
    const Failure failure = line.setPortOpen(true);
    QVERIFY(failure);
    QCOMPARE(failure->number, int(QSerialPort::DeviceNotFoundError));
    QVERIFY2(failure->description.contains(device + QLatin1String(" does not exist")),
             qPrintable(failure->description));
    QVERIFY(!line.portOpen());
#endif
}

void TestLinkSerial::writeToClosedPortFails() {
    test::FakeSettingsStore settings;
    QtSerialLine line(settings);
    const Failure failure = line.output(";");
    QVERIFY(failure);
    QCOMPARE(failure->number, int(QSerialPort::NotOpenError));
    QVERIFY2(failure->description.contains(line.deviceName(1)), qPrintable(failure->description));
    QVERIFY(line.input().isEmpty());
}

void TestLinkSerial::inputDuringBusyHandlerIsDelivered() {
#ifndef Q_OS_UNIX
    QSKIP("needs a pseudo-terminal");
#else
    PseudoTerminal far;
    QVERIFY(far.ok());
    test::FakeSettingsStore settings;
    settings.values[QStringLiteral("Ports/COM1")] = far.path();
    QtSerialLine line(settings);
    QVERIFY(!line.setCommPort(1));
    QVERIFY(!line.setSettings(QStringLiteral("9600,n,8,1")));
    const Failure opened = line.setPortOpen(true);
    QVERIFY2(!opened, opened ? qPrintable(opened->description) : "");

    // The first arrival keeps the handler busy in a nested loop (as the firmware box does)
    // while the box sends more; that must come in without waiting for yet another arrival.
    QByteArray got;
    int calls = 0;
    bool secondSeenWhileBusy = false;
    line.setReceiveHandler([&] {
        ++calls;
        got += line.input();
        if (calls == 1) {
            QTimer::singleShot(20, [&] { far.send("G"); });
            QEventLoop nested;
            QTimer::singleShot(300, &nested, &QEventLoop::quit);
            nested.exec();
            secondSeenWhileBusy = got.contains('G');
        }
    });
    QVERIFY(far.send("BDV,BDX4,1.23;"));
    QTRY_VERIFY_WITH_TIMEOUT(got.contains('G'), 2000);
    QVERIFY(secondSeenWhileBusy);
    QCOMPARE(got, QByteArray("BDV,BDX4,1.23;G"));

    QVERIFY(!line.output(";BD00;"));
    QByteArray sent;
    QTRY_VERIFY_WITH_TIMEOUT((sent += far.received()).size() >= 6, 2000);
    QCOMPARE(sent, QByteArray(";BD00;"));
    line.setReceiveHandler(nullptr);
#endif
}

void TestLinkSerial::vanishedFarEndClosesThePort() {
#ifndef Q_OS_UNIX
    QSKIP("needs a pseudo-terminal");
#else
    PseudoTerminal far;
    QVERIFY(far.ok());
    test::FakeSettingsStore settings;
    settings.values[QStringLiteral("Ports/COM2")] = far.path();
    QtSerialLine line(settings);
    QVERIFY(!line.setCommPort(2));
    QVERIFY(!line.setPortOpen(true));
    far.hangUp();
    QTRY_VERIFY_WITH_TIMEOUT(!line.portOpen(), 2000);
    QVERIFY(!line.lostReason().isEmpty());
    const Failure failure = line.output("G");
    QVERIFY(failure);
    QVERIFY2(failure->description.contains(QLatin1String("lost")),
             qPrintable(failure->description));
#endif
}

QTEST_GUILESS_MAIN(TestLinkSerial)
#include "tst_link_serial.moc"
