// The serial ports present: bdx4ctl's list from a fake source, who holds a port as lock files and
// open files tell it, and a watch that follows adapters plugged in and pulled out.

#include "ctl/PortsCommand.h"
#include "io/QtSerialLine.h"
#include "io/SerialDiagnosis.h"
#include "support/FakePorts.h"
#include "support/Fakes.h"
#include "support/Rows.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace bdx4;
using namespace bdx4::test;
using Listing = std::tuple<int, QString, QString>; // adapters of threeAdapters(), --port, the text

class TestPorts : public QObject {
    Q_OBJECT
private slots:
    void listing_data() {
        const Rows<Listing> row;
        const QString ftdi = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XXXXXX-if00-port0";
        const QString three =
            R"(  Port      Device       State                    USB       Serial number Adapter                               Stable name
%1 COM1,COM3 /dev/ttyUSB0 free                     0403:6001 A9XXXXXX      FT232R USB UART, FTDI                 %2
  COM2      /dev/ttyUSB1 busy: minicom (pid 4242) 1a86:7523 -             USB Serial, 1a86                      -
  COM9      /dev/ttyACM0 no permission            2341:0043 8573F0        Arduino Uno, Arduino (www.arduino.cc) /dev/serial/by-id/usb-Arduino_Uno_8573F0-if00
%3
You may not read and write /dev/ttyACM0.  It belongs to the group "dialout", whose members may use it: add yourself to that group (for example: sudo adduser $USER dialout), then log out and in again.)";
        row("none", {0, "", "No serial ports found."});
        row("none, --port 2",
            {0, "2",
             "No serial ports found.\n--port 2 reaches /dev/ttyUSB1, which is not present."});
        row("one, reached through its stable name too",
            {1, "3",
             QString(
                 R"(  Port      Device       State USB       Serial number Adapter               Stable name
* COM1,COM3 /dev/ttyUSB0 free  0403:6001 A9XXXXXX      FT232R USB UART, FTDI %1
* --port 3 reaches /dev/ttyUSB0.)")
                 .arg(ftdi)});
        row("three, by a stable name",
            {3, ftdi, three.arg("*", ftdi, "* --port " + ftdi + " reaches /dev/ttyUSB0.")});
        row("three, a device not there",
            {3, "/dev/bdx4", three.arg(" ", ftdi, "--port /dev/bdx4 is not present.")});
    }
    void listing() {
        const auto& [count, port, text] = fetch<Listing>();
        FakeSettings settings; // COM3 names the FTDI adapter by its stable name
        settings.values["Ports/COM3"] = threeAdapters()[0].stableName;
        const QtSerialLine line(settings);
        const ctl::Parsed parsed = ctl::parseCommandLine(
            port.isEmpty() ? QStringList{"ports"} : QStringList{"ports", "--port", port});
        QVERIFY(parsed.options);
        QCOMPARE(ctl::portsText(threeAdapters().mid(0, count), *parsed.options, line), text);
        settings.values["Ports/COM16"] = "/dev/ttyACM0";
        QCOMPARE(portsReaching(threeAdapters()[2], line), QList<int>({9, 16}));
        SerialPortRow shouting = threeAdapters()[0]; // a device's words reach no terminal raw
        shouting.description = "A\x1b[2J\x7f";
        QVERIFY(ctl::portsText({shouting}, {}, line).contains("A\\x1b[2J\\x7f, FTDI"));
    }

    // Who holds a port, from lock files and open files alone: a FIFO device would hang an open.
    void holders() {
        QTemporaryDir dir;
        const QDir root(dir.path());
        const QString self = QString::number(QCoreApplication::applicationPid());
        const QByteArray parent = QByteArray::number(qint64(::getppid())); // a live process
        const QByteArray dev = QFile::encodeName(root.filePath("dev")) + "/";
        // Each file with what it holds; "@..." is a link to there. The devices, empty, below.
        QList<std::pair<QString, QByteArray>> files = {
            {"dev/serial/by-id/usb-X", "@../../ttyUSB2"},
            {"dev/serial/by-id/usb-gone", "@../../ttyUSB9"},              // pulled out
            {"locks/LCK..ttyUSB0", "      " + parent + "\n"},             // minicom's form
            {"locks/LCK..serial_by-id_usb-X", parent + "\nbdx4config\n"}, // QSerialPort's
            {"locks/LCK..ttyUSB3", "1\n"},                                // init's
            {"locks/LCK..ttyUSB4", "999999999\n"},                        // left behind
            {"locks2/LCK..ttyUSB4", "bdx4config\n"},                      // no number
            {"locks2/LCK..serial_by-id_usb-X", self.toLatin1() + "\n"},   // this program's
            {"proc/4242/comm", "minicom\n"},
            {"proc/4242/fd/3", "@" + dev + "ttyUSB1"},
            {"proc/4242/fd/4", "@" + dev + "serial"},          // no serial port
            {"proc/" + self + "/fd/5", "@" + dev + "ttyUSB4"}, // this program's own
            {"proc/1x/fd/5", "@" + dev + "ttyUSB4"}};          // no process
        for (const char* device :
             {"ttyUSB0", "ttyUSB2", "ttyUSB3", "ttyUSB4", "ttyUSB10", "ttyACM5"})
            files.append({QString("dev/") + device, ""});
        for (const auto& [path, bytes] : files) {
            QFile file(root.filePath(path));
            QVERIFY(root.mkpath(QFileInfo(path).path()) &&
                    (bytes.startsWith('@')
                         ? QFile::link(bytes.mid(1), file.fileName())
                         : file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()));
        }
        QCOMPARE(::mkfifo(QFile::encodeName(root.filePath("dev/ttyUSB1")), 0600), 0);
        const SystemSerialPorts ports({root.filePath("dev"),
                                       root.filePath("dev/serial/by-id"),
                                       {root.filePath("locks"), root.filePath("locks2")},
                                       root.filePath("proc")});
        QStringList devices;
        for (int n = 0; n <= 4; ++n)
            devices << root.filePath(QStringLiteral("dev/ttyUSB%1").arg(n));
        const QHash<QString, QString> held = {{devices[0], "pid " + parent},
                                              {devices[1], "minicom (pid 4242)"},
                                              {devices[2], "pid " + parent},
                                              {devices[3], "pid 1"}};
        QCOMPARE(ports.holders(devices), held);
        // Joining the device's group is worth saying only when the group may read and write it.
        QFile::setPermissions(devices[0], QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(deviceFacts(devices[0]).group.isEmpty());
        QFile::setPermissions(devices[0], QFile::ReadOwner | QFile::ReadGroup | QFile::WriteGroup);
        QCOMPARE(deviceFacts(devices[0]).group, groupName(QFileInfo(devices[0]).groupId()));
        const QString usbX = root.filePath("dev/serial/by-id/usb-X");
        QCOMPARE(ports.stableNames(), (QHash<QString, QString>{{devices[2], usbX}}));
        // The rows in the order a person counts devices, a device gone meanwhile left out.
        const auto info = [&](const char* name, const char* label, std::optional<quint16> vendor,
                              std::optional<quint16> product) {
            return PortInfo{root.filePath(name), label, "FTDI", "A9", vendor, product};
        };
        QStringList rows;
        for (const SerialPortRow& row : ports.rowsOf(
                 {info("dev/ttyUSB10", "FT232R", 0x403, 0x6001), info("dev/ttyUSB2", "", 0x403, {}),
                  info("dev/ttyACM5", "FTDI", {}, {}), info("dev/ttyUSB9", "", {}, {})}))
            rows << QFileInfo(row.device).fileName() + ' ' + row.usbId + '|' + row.label() + '|' +
                        row.holder + '|' + QFileInfo(row.stableName).fileName();
        QCOMPARE(rows, QStringList({"ttyACM5 |FTDI||", "ttyUSB2 |FTDI|pid " + parent + "|usb-X",
                                    "ttyUSB10 0403:6001|FT232R, FTDI||"}));
        const SerialPortRow row{devices[2], {}, {}, {}, {}, "/dev/x", {}, {}, {}};
        QVERIFY(row.isReachedBy(devices[2]) && row.isReachedBy("/dev/x") && row.isReachedBy(usbX));
        QVERIFY(!row.isReachedBy(devices[0]) && !row.isReachedBy(""));
    }

    void watchFollowsPlugging() {
        FakeClock clock;
        FakePortSource source;
        source.rows = threeAdapters().mid(0, 1);
        SerialPortWatch watch(source, clock);
        QSignalSpy changed(&watch, &SerialPortWatch::changed);
        watch.start();
        const QList<SerialPortRow> before = watch.rows();
        clock.advance(999);
        QVERIFY(changed.size() == 1 && before.size() == 1 && source.reads == 1);
        clock.advance(1); // read again, nothing new
        QVERIFY(source.reads == 2 && changed.size() == 1);
        source.rows = threeAdapters(); // two plugged in
        clock.advance(1000);
        QVERIFY(changed.size() == 2 && newPorts(watch.rows(), before).isEmpty());
        QCOMPARE(newPorts(before, watch.rows()), threeAdapters().mid(1));
        source.rows[1].access = PortAccess::Free; // minicom let go
        clock.advance(1000);
        QCOMPARE(changed.size(), 3);
        source.rows.clear(); // all pulled out, read only when asked once stopped
        watch.stop();
        clock.advance(5000);
        QVERIFY(source.reads == 4 && watch.rows().size() == 3);
        watch.refresh();
        QVERIFY(changed.size() == 4 && watch.rows().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_ports.moc"
