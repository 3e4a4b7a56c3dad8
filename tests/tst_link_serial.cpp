// The serial line on QSerialPort: port numbers and devices, line settings, why a port did not
// open, and (on a pseudo-terminal) input that arrives while the handler is busy and a far end
// that goes away.
#include "platform/QtSerialLine.h"
#include "platform/SerialDiagnosis.h"
#include "support/FakeSettingsStore.h"

#include <QEventLoop>
#include <QFile>
#include <QScopeGuard>
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

/// A line whose port `port` is the device `device`.
struct Line {
    test::FakeSettingsStore settings;
    QtSerialLine line{settings};
    explicit Line(int port = 0, const QString& device = QString()) {
        if (port)
            settings.values[QStringLiteral("Ports/COM%1").arg(port)] = device;
    }
};

} // namespace

class TestLinkSerial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultDevices_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device");
#ifdef Q_OS_WIN
        QTest::newRow("COM16") << 16 << "COM16";
#else
        QTest::newRow("COM1") << 1 << "/dev/ttyUSB0";
        QTest::newRow("COM8") << 8 << "/dev/ttyUSB7";
        QTest::newRow("COM9") << 9 << "/dev/ttyACM0";
        QTest::newRow("COM13") << 13 << "/dev/ttyS0";
        QTest::newRow("COM16") << 16 << "/dev/ttyS3";
        QTest::newRow("COM17 has none") << 17 << "";
        QTest::newRow("COM0 has none") << 0 << "";
#endif
    }
    void defaultDevices() {
        QFETCH(int, port);
        Line l;
        QTEST(l.line.deviceName(port), "device");
    }

    void portsAndDevicesSayWhyTheyFail() {
#ifdef Q_OS_WIN
        QSKIP("Windows ports are always COMn");
#else
        QTemporaryDir dir;
        const QString gone = dir.filePath(QStringLiteral("ttyGone"));
        Line l(17, QStringLiteral(" /dev/ttyUSB9 "));
        l.settings.values[QStringLiteral("Ports/COM1")] = gone;
        QCOMPARE(l.line.deviceName(1), gone);
        QCOMPARE(l.line.deviceName(2), QStringLiteral("/dev/ttyUSB1"));
        QCOMPARE(l.line.deviceName(17), QStringLiteral("/dev/ttyUSB9"));
        QVERIFY(!l.line.setCommPort(17));
        // Without a device of its own, a port beyond the menu's is refused by name.
        Failure failure = Line().line.setCommPort(17);
        QCOMPARE(failure->number, int(QSerialPort::DeviceNotFoundError));
        QCOMPARE(failure->description, QStringLiteral("There is no serial port COM17: choose one "
                                                      "of COM1 to COM16 in the COMM menu."));
        QVERIFY(!l.line.setCommPort(1));
        failure = l.line.setPortOpen(true);
        QCOMPARE(failure->number, int(QSerialPort::DeviceNotFoundError));
        QVERIFY2(failure->description.contains(gone + QLatin1String(" does not exist")),
                 qPrintable(failure->description));
        QVERIFY(!l.line.portOpen());
        failure = l.line.output(";");
        QCOMPARE(failure->number, int(QSerialPort::NotOpenError));
        QCOMPARE(failure->description, "The serial port " + gone + " is not open.");
#endif
    }

    void lineSettings_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("4800") << "4800,n,8,1" << true;
        QTest::newRow("115200 even 7 2") << "115200,e,7,2" << true;
        QTest::newRow("words") << "fast,n,8,1" << false;
        QTest::newRow("odd speed") << "4801,n,8,1" << false;
        QTest::newRow("negative") << "-4800,n,8,1" << false;
        QTest::newRow("bad parity") << "9600,x,8,1" << false;
        QTest::newRow("bad data bits") << "9600,n,9,1" << false;
        QTest::newRow("bad stop bits") << "9600,n,8,3" << false;
        QTest::newRow("missing fields") << "9600" << false;
    }
    void lineSettings() {
        QFETCH(QString, settings);
        Line l;
        const Failure failure = l.line.setSettings(settings);
        QTEST(!failure, "accepted");
        if (failure)
            QCOMPARE(failure->number, int(QSerialPort::UnsupportedOperationError));
    }

    void openFailureText_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("readWrite");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, QSerialPort::SerialPortError error, bool exists,
                            bool readWrite, const char* group, QStringList ports,
                            const QString& text) {
            QTest::newRow(name) << int(error) << exists << readWrite << QString(group) << ports
                                << text;
        };
        const QString missing = QStringLiteral(
            "The serial device /dev/ttyUSB0 does not exist (is the adapter plugged in?).  ");
        const QString noAccess = QStringLiteral("You may not read and write /dev/ttyUSB0.  ");
        row("missing, others exist", QSerialPort::DeviceNotFoundError, false, false, "",
            {"/dev/ttyS0 (COM13)", "/dev/ttyUSB3 (COM4)"},
            missing + "Serial ports on this computer: /dev/ttyS0 (COM13), /dev/ttyUSB3 (COM4).  "
                      "Choose one in the COMM menu.");
        row("missing, none exist", QSerialPort::DeviceNotFoundError, false, false, "", {},
            missing + "No serial ports were found on this computer.");
        row("gone although Qt says permission", QSerialPort::PermissionError, false, false, "", {},
            missing + "No serial ports were found on this computer.");
        row("no access, group known", QSerialPort::PermissionError, true, false, "dialout", {},
            noAccess + "It belongs to the group \"dialout\", whose members may use it: add "
                       "yourself to that group (for example: sudo adduser $USER dialout), then "
                       "log out and in again.");
        row("no access, group unknown", QSerialPort::PermissionError, true, false, "", {},
            noAccess + "Ask the administrator for access to it.");
        row("held by another program", QSerialPort::PermissionError, true, true, "dialout", {},
            "/dev/ttyUSB0 is in use by another program.  Close that program, or let it release "
            "the port, and try again.");
        row("other errors keep the serial layer's text", QSerialPort::OpenError, true, true,
            "dialout", {}, "/dev/ttyUSB0: Device busy somehow");
    }
    void openFailureText() {
        QFETCH(int, error);
        QFETCH(QStringList, ports);
        QFETCH(bool, exists);
        QFETCH(bool, readWrite);
        QFETCH(QString, group);
        const DeviceFacts facts{exists, readWrite, group};
        QTEST(bdx4::openFailureText(QStringLiteral("/dev/ttyUSB0"),
                                    QSerialPort::SerialPortError(error),
                                    QStringLiteral("Device busy somehow"), facts, ports),
              "text");
    }

    void factsOfRealFiles() {
#ifndef Q_OS_UNIX
        QSKIP("file rights are a Unix matter");
#else
        QTemporaryDir dir;
        QVERIFY(!deviceFacts(dir.filePath(QStringLiteral("ttyUSB0"))).exists);
        const QString path = dir.filePath(QStringLiteral("ttyFake"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // Given to "dialout" where we may (as root), the file's group is not the user's own.
        const QByteArray native = QFile::encodeName(path);
        const group* owner = ::getgrnam("dialout");
        if (!owner || ::chown(native.constData(), ::geteuid(), owner->gr_gid) != 0)
            owner = ::getgrgid(::getegid());
        const DeviceFacts facts = deviceFacts(path);
        QVERIFY(facts.exists && facts.readWrite);
        QCOMPARE(facts.group, QString::fromLocal8Bit(owner->gr_name));
        QVERIFY(::chmod(native.constData(), 0) == 0);
        if (::geteuid() != 0) // root may read and write anything
            QVERIFY(!deviceFacts(path).readWrite);
#endif
    }

    // (A far end that hangs up is tested end to end, against the simulated box.)
    void inputDuringBusyHandlerIsDelivered() {
#ifndef Q_OS_UNIX
        QSKIP("needs a pseudo-terminal");
#else
        const int far = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(far >= 0 && ::grantpt(far) == 0 && ::unlockpt(far) == 0);
        const auto closeFar = qScopeGuard([far] { ::close(far); });
        termios raw{};
        QVERIFY(::tcgetattr(far, &raw) == 0);
        ::cfmakeraw(&raw);
        ::tcsetattr(far, TCSANOW, &raw);
        const auto send = [far](const QByteArray& bytes) {
            return ::write(far, bytes.constData(), size_t(bytes.size())) == bytes.size();
        };
        Line l(1, QString::fromLocal8Bit(::ptsname(far)));
        QVERIFY(!l.line.setCommPort(1) && !l.line.setPortOpen(true));
        // The first arrival keeps the handler busy in a nested loop (as the firmware box does)
        // while the box sends more; that must come in without waiting for yet another arrival.
        QByteArray got;
        int calls = 0;
        bool secondSeenWhileBusy = false;
        l.line.setReceiveHandler([&] {
            got += l.line.input();
            if (++calls == 1) {
                QTimer::singleShot(20, [&] { send("G"); });
                QEventLoop nested;
                QTimer::singleShot(300, &nested, &QEventLoop::quit);
                nested.exec();
                secondSeenWhileBusy = got.contains('G');
            }
        });
        QVERIFY(send("BDV,BDX4,1.23;"));
        QTRY_VERIFY_WITH_TIMEOUT(got.contains('G'), 2000);
        QVERIFY(secondSeenWhileBusy);
        QCOMPARE(got, QByteArray("BDV,BDX4,1.23;G"));
        l.line.setReceiveHandler(nullptr);
#endif
    }
};

QTEST_GUILESS_MAIN(TestLinkSerial)
#include "tst_link_serial.moc"
