// The two stores, writing files whole, where the stores live, the settings and the serial
// line's words for what went wrong.

#include "io/MapStore.h"
#include "io/QtSerialLine.h"
#include "io/SerialDiagnosis.h"
#include "io/SerialTrace.h"
#include "io/StorePlaces.h"
#include "io/VoltageStore.h"
#include "support/Fakes.h"
#include "support/Golden.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// A store whose cell (m, r, c) holds (m + r + c) % 2, with the mode flag `acc`.
MapStoreContent pattern(bool acc) {
    MapStoreContent content;
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                content.maps[m][r][c] = std::uint8_t((m + r + c) % 2);
    content.accForBandMap = acc;
    return content;
}

StoreReading::Outcome readMaps(const QByteArray& text, MapStoreContent& content) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return readMapStore(buffer, content);
}

} // namespace

class TestIo : public QObject {
    Q_OBJECT
private slots:
    void mapStoreKeepsWhatItWasGiven() {
        QTemporaryDir dir;
        const QString path = mapStorePath(dir.path());
        const MapStoreContent written = pattern(true);
        QVERIFY(!writeMapStore(path, written));
        const QByteArray text = readFile(path);
        QCOMPARE(text.count("\r\n"), 1076);
        QCOMPARE(text.count('\n'), 1076);
        QVERIFY(text.endsWith("\"----\"\r\n#TRUE#\r\n"));
        QCOMPARE(text.split('\n')[358], QByteArray("\"Map 2\"\r"));
        QCOMPARE(text.split('\n')[716 + 1 + 17 * 20], QByteArray("\"Row 20\"\r"));
        MapStoreContent read;
        QCOMPARE(readMapStore(path, read).outcome, StoreReading::Complete);
        QCOMPARE(read.maps, written.maps);
        QVERIFY(read.accForBandMap);

        MapStoreContent first;
        first.maps[0][0][0] = first.maps[0][1][1] = 1;
        QVERIFY(mapStoreText(first).startsWith(golden::mapStoreStart()));
        QVERIFY(mapStoreText(first).endsWith("\"----\"\r\n#FALSE#\r\n"));

        QVERIFY(!createEmptyMapStore(path));
        QCOMPARE(readFile(path), QByteArray("\"Empty\"\r\n"));
        QCOMPARE(readMapStore(path, read).outcome, StoreReading::Empty);
    }

    void mapStoreReading_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("cellsRead"); // of the pattern, in store order
        const QByteArray whole = mapStoreText(pattern(true));
        auto cut = [&whole](int lines) {
            qsizetype at = 0;
            for (int i = 0; i < lines; ++i)
                at = whole.indexOf('\n', at) + 1;
            return whole.left(at);
        };
        QByteArray withValue = whole;
        withValue.replace(QByteArray("\"Row 3\"\r\n1\r\n"), QByteArray("\"Row 3\"\r\n256\r\n"));
        QByteArray signedValue = whole;
        signedValue.replace(QByteArray("\"Row 3\"\r\n1\r\n"), QByteArray("\"Row 3\"\r\n+1\r\n"));
        QByteArray otherLabels = whole;
        otherLabels.replace(QByteArray("\"Row 5\""), QByteArray("anything"));
        QByteArray lfOnly = whole;
        lfOnly.replace(QByteArray("\r\n"), QByteArray("\n"));
        QByteArray blanks = whole;
        blanks.replace(QByteArray("\r\n1\r\n"), QByteArray("\r\n 1 \r\n"));
        QByteArray lowerFlag = whole;
        lowerFlag.replace(QByteArray("#TRUE#"), QByteArray("#true#"));
        const int all = kMaps * kBandRows * kOutputs;
        QTest::newRow("whole") << whole << int(StoreReading::Complete) << all;
        QTest::newRow("things after the flag") << whole + "junk\r\n"
                                               << int(StoreReading::Complete) << all;
        QTest::newRow("labels are not compared")
            << otherLabels << int(StoreReading::Complete) << all;
        QTest::newRow("line feeds only") << lfOnly << int(StoreReading::Complete) << all;
        QTest::newRow("blanks around values") << blanks << int(StoreReading::Complete) << all;
        QTest::newRow("Empty") << QByteArray("\"Empty\"\r\nwhatever") << int(StoreReading::Empty)
                               << 0;
        QTest::newRow("empty in lower case")
            << QByteArray("\"empty\"\r\n") << int(StoreReading::Incomplete) << 0;
        QTest::newRow("an empty file") << QByteArray() << int(StoreReading::Incomplete) << 0;
        QTest::newRow("cut after map 2") << cut(716) << int(StoreReading::Incomplete) << 2 * 336;
        QTest::newRow("cut before the flag") << cut(1075) << int(StoreReading::Incomplete) << all;
        QTest::newRow("256") << withValue << int(StoreReading::Incomplete) << 3 * 16;
        QTest::newRow("a sign") << signedValue << int(StoreReading::Incomplete) << 3 * 16;
        QTest::newRow("flag in lower case") << lowerFlag << int(StoreReading::Incomplete) << all;
        QTest::newRow("commas end items") << QByteArray("\"Map 1\"\r\n\"Row 0\",1,0,1,1\r\n")
                                          << int(StoreReading::Incomplete) << -4;
    }
    void mapStoreReading() {
        QFETCH(QByteArray, text);
        QFETCH(int, outcome);
        QFETCH(int, cellsRead);
        MapStoreContent content;
        for (auto& map : content.maps)
            for (auto& row : map)
                row.fill(7); // what the maps held before
        QCOMPARE(int(readMaps(text, content)), outcome);
        if (cellsRead < 0) { // the cells the line gave
            QCOMPARE(content.maps[0][0][0], 1);
            QCOMPARE(content.maps[0][0][1], 0);
            QCOMPARE(content.maps[0][0][3], 1);
            QCOMPARE(content.maps[0][0][4], 7);
            return;
        }
        const MapStoreContent expected = pattern(true);
        int index = 0;
        for (int m = 0; m < kMaps; ++m)
            for (int r = 0; r < kBandRows; ++r)
                for (int c = 0; c < kOutputs; ++c, ++index)
                    QCOMPARE(content.maps[m][r][c], index < cellsRead ? expected.maps[m][r][c] : 7);
        QCOMPARE(content.accForBandMap, outcome == StoreReading::Complete);
    }

    void voltageStore_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QList<float>>("first"); // the first values read, in store order
        QTest::addColumn<int>("read");
        QByteArray whole;
        for (int i = 0; i < 39; ++i)
            whole += QByteArray::number(i) + "\r\n";
        QTest::newRow("whole") << whole << int(StoreReading::Complete) << QList<float>{0, 1, 2}
                               << 39;
        QTest::newRow("as created")
            << QByteArray("0,0\r\n") << int(StoreReading::Incomplete) << QList<float>{0, 0} << 2;
        QTest::newRow("blanks and empty fields")
            << QByteArray(" 51 ,, 64\r\n\r\n90") << int(StoreReading::Incomplete)
            << QList<float>{51, 64, 90} << 3;
        QTest::newRow("clamped") << QByteArray("300\r\n-5\r\n-0\r\n")
                                 << int(StoreReading::Incomplete) << QList<float>{255, 0, 0} << 3;
        QTest::newRow("a fraction")
            << QByteArray("12.5\r\n") << int(StoreReading::Incomplete) << QList<float>{12.5f} << 1;
        QTest::newRow("not a number") << QByteArray("7\r\nabc\r\n8\r\n")
                                      << int(StoreReading::Incomplete) << QList<float>{7} << 1;
        QTest::newRow("no end") << QByteArray("inf\r\n") << int(StoreReading::Incomplete)
                                << QList<float>{} << 0;
    }
    void voltageStore() {
        QFETCH(QByteArray, text);
        QFETCH(int, outcome);
        QFETCH(QList<float>, first);
        QFETCH(int, read);
        VoltageTables volts;
        for (int i = 0; i < 39; ++i)
            volts.setValue(i / 13, i % 13, 99);
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(int(readVoltageStore(buffer, volts)), outcome);
        for (int i = 0; i < 39; ++i)
            QCOMPARE(volts.value(i / 13, i % 13), i < first.size() ? first[i]
                                                  : i < read       ? float(i)
                                                                   : 99.0f);
        QVERIFY(!std::signbit(volts.value(0, 2)));
        QByteArray stored = voltageStoreText(volts);
        QCOMPARE(stored.count("\r\n"), 39);
        QVERIFY(stored.startsWith(QByteArray::number(double(volts.value(0, 0)), 'g', 9) + "\r\n"));
    }

    void voltageStoreFiles() {
        QTemporaryDir dir;
        const QString path = voltageStorePath(dir.path());
        VoltageTables volts;
        QCOMPARE(readVoltageStore(path, volts).outcome, StoreReading::Missing);
        QVERIFY(!createVoltageStore(path));
        QCOMPARE(readFile(path), QByteArray("0,0\r\n"));
        volts.setValue(0, 2, 51);
        volts.setValue(2, 12, 12.5f);
        QVERIFY(!writeVoltageStore(path, volts));
        const QList<QByteArray> lines = readFile(path).split('\n');
        QCOMPARE(lines[2], QByteArray("51\r"));
        QCOMPARE(lines[38], QByteArray("12.5\r"));
        VoltageTables back;
        QCOMPARE(readVoltageStore(path, back).outcome, StoreReading::Complete);
        QCOMPARE(back.value(2, 12), 12.5f);
    }

    void storesThatCannotBeRead() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(kMapStoreName)); // a folder where the store should be
        MapStoreContent content;
        const StoreReading reading = readMapStore(mapStorePath(dir.path()), content);
        QCOMPARE(reading.outcome, StoreReading::Unreadable);
        QCOMPARE(reading.reason, QStringLiteral("it is a folder"));
        // Writing over it fails and leaves it as it is.
        const IoResult failure = writeMapStore(mapStorePath(dir.path()), content);
        QVERIFY(failure);
        QVERIFY(!failure->description.isEmpty());
        QVERIFY(QFileInfo(mapStorePath(dir.path())).isDir());
        QVERIFY(writeFileWhole(dir.filePath(QStringLiteral("no/such/folder")), "x"));
        // A file replaced whole.
        const QString path = dir.filePath(QStringLiteral("f"));
        QVERIFY(writeFile(path, "old content, longer"));
        QVERIFY(!writeFileWhole(path, "new"));
        QCOMPARE(readFile(path), QByteArray("new"));
    }

    void storePlaces_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("programFolderExists");
        QTest::addColumn<bool>("besideProgram");
        QTest::newRow("a build folder") << false << true << true;
        QTest::newRow("installed, whoever runs it") << true << true << false;
        QTest::newRow("a folder that cannot be written") << false << false << false;
    }
    void storePlaces() {
        QFETCH(bool, installed);
        QFETCH(bool, programFolderExists);
        QFETCH(bool, besideProgram);
        QTemporaryDir dir;
        StorePlaces places;
        places.programFolder = dir.filePath(QStringLiteral("bin"));
        places.userDataFolder = dir.filePath(QStringLiteral("home/data"));
        places.installedFolders = {QStringLiteral("/nowhere")};
        if (programFolderExists) {
            QVERIFY(QDir().mkpath(places.programFolder));
            // Stores written there earlier come along to the user's folder, unless the user
            // has a store of that name already.
            QVERIFY(writeFile(mapStorePath(places.programFolder), "\"Empty\"\r\n"));
            QVERIFY(writeFile(voltageStorePath(places.programFolder), "1\r\n"));
            QVERIFY(QDir().mkpath(places.userDataFolder));
            QVERIFY(writeFile(voltageStorePath(places.userDataFolder), "2\r\n"));
        }
        if (installed)
            places.installedFolders << dir.filePath(QStringLiteral("home/../bin"));
        QCOMPARE(places.runsInstalled(), installed);
        const QString folder = places.storeFolder();
        QCOMPARE(folder, besideProgram ? places.programFolder : places.userDataFolder);
        QVERIFY(QFileInfo(folder).isDir());
        if (installed) {
            QCOMPARE(readFile(mapStorePath(folder)), QByteArray("\"Empty\"\r\n"));
            QCOMPARE(readFile(voltageStorePath(folder)), QByteArray("2\r\n"));
        }
    }

    void rememberedPort() {
        const QList<QPair<QString, int>> cases = {{"3", 3},  {" 16 ", 16}, {"0", 1},
                                                  {"17", 1}, {"x", 1},     {"", 1}};
        for (const auto& [text, port] : cases)
            QCOMPARE(portFromSetting(text), port);
        QVERIFY(isBoxSpeed("9600") && !isBoxSpeed("1200") && !isBoxSpeed("9600 "));
        QCOMPARE(standardSpeed(" 115200").value_or(0), 115200);
        QVERIFY(!standardSpeed("9601") && !standardSpeed("fast"));
    }

    void portDevices() {
        test::FakeSettings settings;
        settings.values.insert(QStringLiteral("Ports/COM2"), QStringLiteral(" /dev/bdx4 "));
        QtSerialLine line(settings);
        const QStringList devices = {line.deviceName(1),  line.deviceName(2),  line.deviceName(8),
                                     line.deviceName(9),  line.deviceName(12), line.deviceName(13),
                                     line.deviceName(16), line.deviceName(17)};
        QCOMPARE(devices, (QStringList{"/dev/ttyUSB0", "/dev/bdx4", "/dev/ttyUSB7", "/dev/ttyACM0",
                                       "/dev/ttyACM3", "/dev/ttyS0", "/dev/ttyS3", ""}));
        settings.values.insert(QStringLiteral("Ports/COM3"), QStringLiteral("/nonexistent/tty"));
        const std::optional<OpenFailure> failure = line.open(3, 4800);
        QVERIFY(failure);
        QCOMPARE(failure->kind, OpenFailure::DeviceMissing);
        QCOMPARE(failure->device, QStringLiteral("/nonexistent/tty"));
        QCOMPARE(line.open(17, 4800)->kind, OpenFailure::NoSuchPort);
        QVERIFY(line.write("x"));
    }

    void openFailuresInWords_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("readWrite");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("commandLine");
        QTest::newRow("missing, others there")
            << int(QSerialPort::DeviceNotFoundError) << false << false << ""
            << QStringList{"/dev/ttyS0 (COM13)"}
            << "The serial device /dev/x does not exist (is the adapter plugged in?).  Serial "
               "ports "
               "on this computer: /dev/ttyS0 (COM13).  Choose one in the COMM menu."
            << "Give one with --port.";
        QTest::newRow("missing, none there")
            << int(QSerialPort::OpenError) << false << false << "" << QStringList()
            << "No serial ports were found on this computer."
            << "No serial ports were found";
        QTest::newRow("no access")
            << int(QSerialPort::PermissionError) << true << false << "dialout" << QStringList()
            << "You may not read and write /dev/x.  It belongs to the group "
               "\"dialout\", whose members may use it: add yourself to that "
               "group (for example: sudo adduser $USER dialout), then log "
               "out and in again."
            << "group \"dialout\"";
        QTest::newRow("no access, no group")
            << int(QSerialPort::PermissionError) << true << false << "" << QStringList()
            << "Ask the administrator for access to it."
            << "administrator";
        QTest::newRow("in use") << int(QSerialPort::PermissionError) << true << true << ""
                                << QStringList() << "/dev/x is in use by another program."
                                << "in use";
        QTest::newRow("other") << int(QSerialPort::OpenError) << true << true << "" << QStringList()
                               << "/dev/x: it broke"
                               << "/dev/x: it broke";
    }
    void openFailuresInWords() {
        QFETCH(int, error);
        QFETCH(bool, exists);
        QFETCH(bool, readWrite);
        QFETCH(QString, group);
        QFETCH(QStringList, ports);
        QFETCH(QString, menu);
        QFETCH(QString, commandLine);
        const OpenFailure failure = diagnoseOpenFailure(
            4, QStringLiteral("/dev/x"), QSerialPort::SerialPortError(error),
            QStringLiteral("it broke"), DeviceFacts{exists, readWrite, group}, ports);
        QCOMPARE(failure.code, error);
        QVERIFY2(describeOpenFailure(failure, ChoiceHint::Menu).contains(menu),
                 qPrintable(describeOpenFailure(failure, ChoiceHint::Menu)));
        QVERIFY(describeOpenFailure(failure, ChoiceHint::CommandLine).contains(commandLine));
        QVERIFY(!describeOpenFailure(failure, ChoiceHint::CommandLine).contains("COMM menu"));
    }

    void traceLines() {
        QCOMPARE(SerialTrace::formatChunk(SerialTrace::Direction::Sent, ";BD\"\\\r\n\x01"),
                 QStringLiteral("TX   8 \";BD\\\"\\\\\\r\\n\\x01\" 3B 42 44 22 5C 0D 0A 01"));
        QTemporaryDir dir;
        test::FakeClock clock;
        test::FakeSerialLine inner(clock);
        SerialTrace trace(clock);
        TracingSerialLine line(inner, trace);
        QVERIFY(trace.begin(dir.filePath(QStringLiteral("t/trace.txt")), "a\ntitle"));
        clock.advance(12);
        line.open(1, 9600);
        line.write(";");
        inner.receive("G");
        line.readAll();
        line.close();
        trace.end();
        const QStringList lines =
            QString::fromUtf8(readFile(dir.filePath(QStringLiteral("t/trace.txt")))).split('\n');
        QCOMPARE(lines[0], QStringLiteral("# a title"));
        QCOMPARE(lines.mid(3, 4), (QStringList{"     12 -- opened /dev/fake1 at 9600,n,8,1",
                                               "     12 TX   1 \";\" 3B", "     12 RX   1 \"G\" 47",
                                               "     12 -- closed /dev/fake1"}));
        QVERIFY(!trace.begin(dir.filePath(QStringLiteral("t/trace.txt/x")), "t"));
        QVERIFY(!trace.error().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestIo)
#include "tst_io.moc"
