// The two stores, files that cannot be read, writing files whole, where the stores live, the
// settings and the serial line's words for what went wrong.

#include "io/ConfigFile.h"
#include "io/MapStore.h"
#include "io/QtSerialLine.h"
#include "io/QtSettingsStore.h"
#include "io/SerialDiagnosis.h"
#include "io/SerialTrace.h"
#include "io/StorePlaces.h"
#include "io/VoltageStore.h"
#include "support/Fakes.h"
#include "support/Golden.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace bdx4;
using test::readFile;

namespace {

/// A store whose cell (m, r, c) holds (m + r + c) % 2, the mode flag set.
MapStoreContent pattern() {
    MapStoreContent content;
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                content.maps[m][r][c] = std::uint8_t((m + r + c) % 2);
    content.accForBandMap = true;
    return content;
}

QByteArray edited(QByteArray text, const QByteArray& from, const QByteArray& to) {
    return text.replace(from, to);
}

} // namespace

class TestIo : public QObject {
    Q_OBJECT
private slots:
    void mapStoreKeepsWhatItWasGiven() {
        QTemporaryDir dir;
        const QString path = mapStorePath(dir.path());
        QVERIFY(!writeMapStore(path, pattern()));
        QCOMPARE(readFile(path), mapStoreText(pattern())); // as mapStoreReading reads it back
        const QList<QByteArray> lines = readFile(path).split('\n');
        QCOMPARE(lines.size(), 1077); // every line ends in CR LF
        QCOMPARE(lines[358], QByteArray("\"Map 2\"\r"));
        QCOMPARE(lines[716 + 1 + 17 * 20], QByteArray("\"Row 20\"\r"));
        QCOMPARE(lines[1074] + lines[1075], QByteArray("\"----\"\r#TRUE#\r"));
        QVERIFY(mapStoreText(MapStoreContent()).endsWith("\"----\"\r\n#FALSE#\r\n"));
    }

    void mapStoreReading_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("cellsRead"); // of the pattern, in store order
        const QByteArray whole = mapStoreText(pattern());
        const auto cut = [&whole](int lines) {
            qsizetype at = 0;
            for (int i = 0; i < lines; ++i)
                at = whole.indexOf('\n', at) + 1;
            return whole.left(at);
        };
        const QByteArray row3 = "\"Row 3\"\r\n1\r\n";
        const int all = kMaps * kBandRows * kOutputs, done = StoreReading::Complete,
                  cutShort = StoreReading::Incomplete;
        QTest::newRow("whole") << whole << done << all;
        QTest::newRow("things after the flag") << whole + "junk\r\n" << done << all;
        QTest::newRow("labels not compared")
            << edited(whole, "\"Row 5\"", "anything") << done << all;
        QTest::newRow("line feeds only") << edited(whole, "\r\n", "\n") << done << all;
        QTest::newRow("carriage returns only") << edited(whole, "\r\n", "\r") << done << all;
        QTest::newRow("blanks around values")
            << edited(whole, "\r\n1\r\n", "\r\n 1 \r\n") << done << all;
        QTest::newRow("Empty") << QByteArray("\"Empty\"\r\nwhatever") << int(StoreReading::Empty)
                               << 0;
        QTest::newRow("empty in small letters") << QByteArray("\"empty\"\r\n") << cutShort << 0;
        QTest::newRow("an empty file") << QByteArray() << cutShort << 0;
        QTest::newRow("cut inside a row") << cut(3) << cutShort << 1;
        QTest::newRow("cut after map 2") << cut(716) << cutShort << 2 * 336;
        QTest::newRow("cut before the flag") << cut(1075) << cutShort << all;
        QTest::newRow("256") << edited(whole, row3, "\"Row 3\"\r\n256\r\n") << cutShort << 48;
        QTest::newRow("a sign") << edited(whole, row3, "\"Row 3\"\r\n+1\r\n") << cutShort << 48;
        QTest::newRow("flag in small letters")
            << edited(whole, "#TRUE#", "#true#") << cutShort << all;
    }
    void mapStoreReading() {
        QFETCH(QByteArray, text);
        QFETCH(int, outcome);
        QFETCH(int, cellsRead);
        MapStoreContent content;
        for (auto& map : content.maps)
            for (auto& row : map)
                row.fill(7); // what the maps held before
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(int(readMapStore(buffer, content)), outcome);
        QCOMPARE(content.accForBandMap, outcome == StoreReading::Complete);
        for (int i = 0; i < kMaps * kBandRows * kOutputs; ++i) {
            const int m = i / 336, r = i / 16 % 21, c = i % 16;
            QCOMPARE(content.maps[m][r][c], i < cellsRead ? pattern().maps[m][r][c] : 7);
        }
    }

    void voltageStore_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<float>>("values"); // read, in store order
        QByteArray whole;
        QList<float> all;
        for (int i = 0; i < 39; ++i) {
            whole += QByteArray::number(i) + "\r\n";
            all << float(i);
        }
        QTest::newRow("whole") << whole << all;
        QTest::newRow("as created") << golden::kNewVoltageStore << QList<float>{0, 0};
        QTest::newRow("blanks, an empty line, an empty field")
            << QByteArray(" 51 ,, 64\r\n\r\n90") << QList<float>{51, 0, 64, 90};
        QTest::newRow("the last line ends in a comma")
            << whole.replace("37\r\n38\r\n", "37,\r\n") << all.mid(0, 38) + QList<float>{0};
        QTest::newRow("clamped") << QByteArray("300\r\n-5\r\n-0\r\n") << QList<float>{255, 0, 0};
        QTest::newRow("a fraction") << QByteArray("12.5\r\n") << QList<float>{12.5f};
        QTest::newRow("not a number") << QByteArray("7\r\nabc\r\n8\r\n") << QList<float>{7};
        QTest::newRow("no end") << QByteArray("inf\r\n") << QList<float>{};
    }
    void voltageStore() {
        QFETCH(QByteArray, text);
        QFETCH(QList<float>, values);
        VoltageTables volts;
        for (int i = 0; i < 39; ++i)
            volts.setValue(i / 13, i % 13, 99);
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(readVoltageStore(buffer, volts),
                 values.size() == 39 ? StoreReading::Complete : StoreReading::Incomplete);
        for (int i = 0; i < 39; ++i) // what was not reached keeps its value
            QCOMPARE(volts.value(i / 13, i % 13), values.value(i, 99.0f));
        QVERIFY(!std::signbit(volts.value(0, 2)));
        QTemporaryDir dir;
        const QString path = voltageStorePath(dir.path());
        QVERIFY(!writeVoltageStore(path, volts));
        QCOMPARE(readFile(path).count("\r\n"), 39);
        VoltageTables back;
        QCOMPARE(readVoltageStore(path, back).outcome, StoreReading::Complete);
        QCOMPARE(voltageStoreText(back), voltageStoreText(volts));
    }

    void filesThatCannotBeRead() {
        // Nothing, a folder, then a socket (which even root cannot open) where the file should be:
        // each reader says why, in words that read on inside a sentence.
        QTemporaryDir dir;
        const QString path = dir.filePath("x");
        const auto reasons = [&path] { // the map store's, the voltage store's, a configuration's
            MapStoreContent maps;
            VoltageTables volts;
            return QStringList{readMapStore(path, maps).reason,
                               readVoltageStore(path, volts).reason,
                               ConfigFile::describe(readConfigFile(path).fault)};
        };
        QCOMPARE(reasons(), (QStringList{"", "", "there is no such file"}));
        QVERIFY(QDir(dir.path()).mkdir("x"));
        const QString folder = "it is a folder";
        QCOMPARE(reasons(), (QStringList{folder, folder, "the file cannot be read: " + folder}));
        const IoResult failure = writeMapStore(path, {}); // the folder left alone
        QVERIFY(failure && !failure->description.isEmpty() && QFileInfo(path).isDir());
        QVERIFY(QDir(dir.path()).rmdir("x"));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        const QString socket = "no such device or address";
        QCOMPARE(reasons(), (QStringList{socket, socket, "the file cannot be read: " + socket}));
        QCOMPARE(ConfigFile::describe(readConfigFile("/proc/self/mem").fault), // opens, reads not
                 "the file cannot be read: input/output error");
        ::close(fd);
        // A file too large for a configuration is not read whole.
        QVERIFY(!writeFileWhole(dir.filePath("c"), QByteArray(1 << 20, '\n')));
        QCOMPARE(int(readConfigFile(dir.filePath("c")).fault.kind), int(ConfigFault::TooLarge));
    }

    void filesWrittenWhole() {
        QTemporaryDir dir;
        QCOMPARE(writeFileWhole(dir.filePath("no/such/folder"), "x")->code,
                 int(QFileDevice::OpenError));
        QVERIFY(!writeFileWhole(dir.filePath("f"), "old content, longer") &&
                !writeFileWhole(dir.filePath("f"), "new"));
        QCOMPARE(readFile(dir.filePath("f")), QByteArray("new"));
    }

    void storePlaces() {
        // A build folder; installed, whoever runs it; a folder that cannot be written.
        for (const auto& [installed, programFolderExists] :
             {std::pair(false, true), std::pair(true, true), std::pair(false, false)}) {
            QTemporaryDir dir;
            StorePlaces places{dir.filePath("bin"), {"/nowhere"}, dir.filePath("home/data")};
            if (programFolderExists) {
                // Stores written there earlier come along to the user's folder, unless the user
                // has a store of that name already.
                QVERIFY(QDir().mkpath(places.programFolder) &&
                        QDir().mkpath(places.userDataFolder));
                QVERIFY(!writeFileWhole(mapStorePath(places.programFolder), "1"));
                QVERIFY(!writeFileWhole(voltageStorePath(places.programFolder), "1"));
                QVERIFY(!writeFileWhole(voltageStorePath(places.userDataFolder), "2"));
            }
            if (installed)
                places.installedFolders << dir.filePath("home/../bin");
            QCOMPARE(places.runsInstalled(), installed);
            const QString folder = places.storeFolder();
            QCOMPARE(folder, !installed && programFolderExists ? places.programFolder
                                                               : places.userDataFolder);
            QVERIFY(QFileInfo(folder).isDir());
            if (installed)
                QCOMPARE(readFile(mapStorePath(folder)) + readFile(voltageStorePath(folder)),
                         QByteArray("12"));
        }
    }

    void rememberedPortAndSpeed() {
        for (const auto& [text, port] :
             QList<std::pair<QString, int>>{{"3", 3}, {" 16 ", 16}, {"0", 1}, {"17", 1}, {"x", 1}})
            QCOMPARE(portFromSetting(text), port);
        QVERIFY(isBoxSpeed("9600") && !isBoxSpeed("1200") && !isBoxSpeed("9600 "));
        QCOMPARE(standardSpeed(" 115200").value_or(0), 115200);
        QVERIFY(!standardSpeed("9601") && !standardSpeed("fast"));
    }

    void portDevices() {
        test::FakeSettings settings;
        settings.values.insert("Ports/COM2", " /dev/bdx4 ");
        QtSerialLine line(settings);
        QStringList devices;
        for (const int port : {1, 2, 8, 9, 12, 13, 16, 17})
            devices << line.deviceName(port);
        QCOMPARE(
            devices.join(' '),
            "/dev/ttyUSB0 /dev/bdx4 /dev/ttyUSB7 /dev/ttyACM0 /dev/ttyACM3 /dev/ttyS0 /dev/ttyS3 ");
        settings.values.insert("Ports/COM3", "/nonexistent/tty");
        QCOMPARE(line.open(3, 4800)->kind, OpenFailure::DeviceMissing);
        QCOMPARE(line.open(17, 4800)->kind, OpenFailure::NoSuchPort);
        QVERIFY(line.write("x"));

        // The ports that exist, named as the COMM menu names them: COM16 as well, a device
        // reached through a link, a device no port reaches, a location that is the name.
        QTemporaryDir dir;
        QVERIFY(!writeFileWhole(dir.filePath("tty"), "") &&
                QFile::link(dir.filePath("tty"), dir.filePath("link")));
        settings.values.insert("Ports/COM4", dir.filePath("link"));
        settings.values.insert("Ports/COM5", "COM5");
        QCOMPARE(
            line.namePorts({"/dev/ttyUSB0", "/dev/ttyS3", dir.filePath("tty"), "/dev/x", "COM5"}),
            QStringList({"/dev/ttyUSB0 (COM1)", "/dev/ttyS3 (COM16)",
                         dir.filePath("tty") + " (COM4)", "/dev/x", "COM5"}));
    }

    void settingsKeptOrNot() { // a file where the settings' folder belongs cannot take them
        QTemporaryDir dir;
        QVERIFY(!writeFileWhole(dir.filePath("file"), ""));
        for (const QString& folder : {dir.filePath("file"), dir.path()}) {
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
            QtSettingsStore settings("bdx4test");
            settings.setValue(kOptionsSection, kComPortKey, folder);
            QCOMPARE(settings.sync(), folder == dir.path());
        }
        QCOMPARE(QtSettingsStore("bdx4test").value(kOptionsSection, kComPortKey, ""), dir.path());
    }

    void openFailuresInWords() {
        const DeviceFacts null = deviceFacts("/dev/null"), none = deviceFacts("/dev/no-such-tty");
        QVERIFY(null.exists && null.readWrite && !none.exists);
        QCOMPARE(null.group, QStringLiteral("root"));
        const auto failure = [](QSerialPort::SerialPortError error, DeviceFacts facts) {
            return diagnoseOpenFailure(4, "/dev/x", error, "it broke", facts,
                                       {"/dev/ttyS0 (COM13)"});
        };
        const OpenFailure missing = failure(QSerialPort::OpenError, {false, false, ""});
        QVERIFY(missing.kind == OpenFailure::DeviceMissing &&
                missing.code == QSerialPort::OpenError);
        QCOMPARE(describeOpenFailure(missing, ChoiceHint::Menu),
                 "The serial device /dev/x does not exist (is the adapter plugged in?).  Serial "
                 "ports on this computer: /dev/ttyS0 (COM13).  Choose one in the COMM menu.");
        QVERIFY(describeOpenFailure(missing, ChoiceHint::CommandLine)
                    .endsWith("(COM13).  Give one with --port."));
        QCOMPARE(
            describeOpenFailure(failure(QSerialPort::PermissionError, {true, false, "dialout"}),
                                ChoiceHint::Menu),
            "You may not read and write /dev/x.  It belongs to the group \"dialout\", whose "
            "members may use it: add yourself to that group (for example: sudo adduser $USER "
            "dialout), then log out and in again.");
        QCOMPARE(failure(QSerialPort::PermissionError, {true, true, ""}).kind, OpenFailure::InUse);
        QCOMPARE(describeOpenFailure(failure(QSerialPort::OpenError, {true, true, ""}),
                                     ChoiceHint::Menu),
                 "/dev/x: it broke");
        QVERIFY(describeOpenFailure({OpenFailure::UnsupportedSpeed, 10, 1, {}, "960", {}},
                                    ChoiceHint::CommandLine)
                    .contains("\"960\" is not one the serial port accepts; give --baud"));
    }

    void traceLines() {
        QCOMPARE(SerialTrace::formatChunk(SerialTrace::Direction::Sent, ";BD\"\\\r\n\x01"),
                 QStringLiteral("TX   8 \";BD\\\"\\\\\\r\\n\\x01\" 3B 42 44 22 5C 0D 0A 01"));
        QTemporaryDir dir;
        test::FakeClock clock;
        test::FakeSerialLine inner(clock);
        SerialTrace trace(clock);
        TracingSerialLine line(inner, trace);
        clock.advance(5);
        QVERIFY(trace.begin(dir.filePath("t/trace.txt"), "a\ntitle"));
        clock.advance(12); // times count from the trace's beginning
        line.open(1, 9600);
        line.write(";");
        inner.receive("G");
        line.readAll();
        line.close();
        const QByteArray traced = readFile(dir.filePath("t/trace.txt"));
        QVERIFY(traced.startsWith("# a title\n") &&
                traced.contains("\n     12 -- opened /dev/fake1 at 9600,n,8,1\n"
                                "     12 TX   1 \";\" 3B\n     12 RX   1 \"G\" 47\n"));
        QVERIFY(!trace.begin(dir.filePath("t/trace.txt/x"), "t") && !trace.error().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestIo)
#include "tst_io.moc"
