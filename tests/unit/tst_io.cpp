// The stores, files that cannot be read or are written whole, the settings and the serial line.

#include "io/ConfigFile.h"
#include "io/MapStore.h"
#include "io/QtSerialLine.h"
#include "io/QtSettingsStore.h"
#include "io/RegularFile.h"
#include "io/SerialDiagnosis.h"
#include "io/SerialTrace.h"
#include "io/StoreLock.h"
#include "io/StorePlaces.h"
#include "io/VoltageStore.h"
#include "support/Fakes.h"
#include "support/Golden.h"
#include "support/Rows.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace bdx4;
using test::fetch;
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

/// A store's text; the outcome, the first fault ("line:words", or empty); the map store's cells not
/// read ([from, to) pairs) and whether its ACn flag was read; the voltage store's values.
using StoreCase = std::tuple<QByteArray, int, QString, QList<int>, bool, QList<float>>;

void checkFault(const StoreReading& reading, const QString& fault) {
    QCOMPARE(reading.line, fault.section(':', 0, 0).toInt());
    QVERIFY2(reading.description.contains(fault.section(':', 1)) &&
                 reading.description.isEmpty() == fault.isEmpty(),
             qPrintable(reading.description));
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
        const QList<QByteArray> lines = readFile(path).split('\n'); // every line ends in CR LF
        QCOMPARE(lines.size(), 1077);
        QCOMPARE((QByteArrayList{lines[358], lines[716 + 1 + 17 * 20], lines[1074] + lines[1075]}),
                 (QByteArrayList{"\"Map 2\"\r", "\"Row 20\"\r", "\"----\"\r#TRUE#\r"}));
        QVERIFY(mapStoreText(MapStoreContent()).endsWith("\"----\"\r\n#FALSE#\r\n"));
    }

    void mapStoreReading_data() {
        const test::Rows<StoreCase> rows;
        const QByteArray whole = mapStoreText(pattern());
        const auto cut = [&whole](int lines) {
            qsizetype at = 0;
            for (int i = 0; i < lines; ++i)
                at = whole.indexOf('\n', at) + 1;
            return whole.left(at);
        };
        const auto at = [&](int line, const QByteArray& by) {
            return cut(line - 1) + by + whole.mid(cut(line).size());
        };
        const int done = StoreReading::Complete, inPart = StoreReading::Incomplete,
                  all = kMaps * kBandRows * kOutputs;
        const auto row = [&rows](const char* name, const QByteArray& text, int outcome,
                                 const char* fault, QList<int> notRead, bool modeRead) {
            rows(name, {text, outcome, fault, notRead, modeRead, {}});
        };
        row("whole", whole, done, "", {}, true);
        row("things after the flag", whole + "junk\r\n", done, "", {}, true);
        row("labels not compared", edited(whole, "\"Row 5\"", "anything"), done, "", {}, true);
        row("line feeds only", edited(whole, "\r\n", "\n"), done, "", {}, true);
        row("carriage returns only", edited(whole, "\r\n", "\r"), done, "", {}, true);
        row("blanks around values", edited(whole, "\r\n1\r\n", "\r\n 1 \r\n"), done, "", {}, true);
        row("Empty", " \"Empty\"\r\nwhatever", StoreReading::Empty, "", {0, all}, false);
        row("empty in small letters", "\"empty\"\r\n", inPart, "2:ends early, in MAP1", {0, all},
            false);
        row("an empty file", "", inPart, "1:the file is empty", {0, all}, false);
        row("cut after map 2", cut(716), inPart, "717:ends early, in MAP3", {672, all}, false);
        row("cut before the flag", cut(1075), inPart, "1076:ends before its ACn mode", {}, false);
        // A damaged value keeps what the cell held; the maps after it and the mode are read.
        row("1x, 257 and +1 in map 1", cut(53) + "1x\r\n257\r\n+1\r\n" + whole.mid(cut(56).size()),
            inPart, "54:\"1x\" is not a cell value 0-255", {48, 51}, true);
        row("binary bytes, cut short in the message",
            at(400, QByteArray("\x01\xff\0", 3) + QByteArray(22, 'x') + "\r\n"), inPart,
            "400:\"\\x01\\xff\\x00xxxxxxxxxxxxxxxxxxxxx...\" is not a cell", {373, 374}, true);
        row("flag in small letters", edited(whole, "#TRUE#", "#true#"), inPart,
            "1076:\"#true#\" is not the ACn mode #TRUE# or #FALSE#", {}, false);
        // Lines missing or added: reading goes on after the next label.
        row("a line missing in map 1", at(59, ""), inPart,
            "69:the label \"Row 4\" stands where a cell value 0-255 belongs: a line above it is "
            "missing or one too many",
            {53, 64}, true);
        row("a line missing in map 2's last row", at(706, ""), inPart, "716:the label \"Map 3\"",
            {661, 672}, true);
        row("a line added in map 2", at(365, "7\r\n1\r\n"), inPart, "378:the label \"Row 1\"",
            {340, 352}, true);
        row("map 3 cut short before the end label", cut(720) + "\"----\"\r\n#TRUE#\r\n", inPart,
            "721:the label \"----\"", {674, all}, true);
        row("map 3 cut short before the flag", cut(720) + "#TRUE#\r\n", inPart,
            "721:the ACn mode \"#TRUE#\" stands where a cell value", {674, all}, true);
    }
    void mapStoreReading() {
        auto [text, outcome, fault, notRead, modeRead, values] = fetch<StoreCase>();
        MapStoreContent content;
        for (auto& map : content.maps)
            for (auto& row : map)
                row.fill(7); // what the maps held before
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        const StoreReading reading = readMapStoreItems(buffer, content);
        QCOMPARE(int(reading.outcome), outcome);
        checkFault(reading, fault);
        QCOMPARE(content.accForBandMap, modeRead);
        for (int i = 0; i < kMaps * kBandRows * kOutputs; ++i) {
            const int m = i / 336, r = i / 16 % 21, o = i % 16;
            const bool asStored = content.maps[m][r][o] == pattern().maps[m][r][o];
            bool inRange = false;
            for (int k = 0; k + 1 < notRead.size(); k += 2)
                inRange = inRange || (i >= notRead[k] && i < notRead[k + 1]);
            QVERIFY2(asStored != inRange, qPrintable(QString::number(i)));
        }
    }

    void voltageStore_data() {
        const test::Rows<StoreCase> rows; // values: in store order, 99 where none was read
        QByteArray whole;
        QList<float> all;
        for (int i = 0; i < 39; ++i) {
            whole += QByteArray::number(i) + "\r\n";
            all << float(i);
        }
        const auto with = [&all](std::map<int, float> changes) {
            QList<float> values = all;
            for (const auto& [index, value] : changes)
                values[index] = value;
            return values;
        };
        const int done = StoreReading::Complete, inPart = StoreReading::Incomplete;
        const auto row = [&rows](const char* name, const QByteArray& text, int outcome,
                                 const char* fault, const QList<float>& values) {
            rows(name, {text, outcome, fault, {}, false, values});
        };
        row("whole", whole, done, "", all);
        row("as created", golden::kNewVoltageStore, StoreReading::Empty, "", {0, 0});
        row("two zeros on two lines", "0\r\n0\r\n", inPart, "3:ends after 2 of its 39 values",
            {0, 0});
        row("as created and a comma at the end", "0,0,", inPart, "1:ends after 3 of", {0, 0, 0});
        row("as created and a quote on a line of its own", "0,0\r\"", inPart,
            "2:\"\" is not a level", {0, 0});
        row("as created but with a quote", "0,\"0\r", inPart, "2:ends after 2 of", {0, 0});
        row("blanks, an empty line, an empty field", " 51 ,, 64\r\n\r\n90", inPart,
            "3:ends after 4 of", {51, 0, 64, 90});
        row("the last line ends in a comma", QByteArray(whole).replace("37\r\n38\r\n", "37,\r\n"),
            done, "", all.mid(0, 38) + QList<float>{0});
        row("-0, a fraction and 255",
            "-" + QByteArray(whole).replace("\n5\r", "\n4.5\r").replace("\n7\r", "\n255\r"), done,
            "", with({{5, 4.5f}, {7, 255}}));
        row("cut after 20 values", whole.left(whole.indexOf("20\r\n")), inPart,
            "21:the store ends after 20 of its 39 values", all.mid(0, 20));
        row("an empty file", "", inPart, "1:the file holds no value", {});
        // A value that is no level keeps what it held; AN2 and AN3 are read all the same.
        row("nan", QByteArray(whole).replace("\n20\r", "\nnan\r"), inPart,
            "21:\"nan\" is not a level 0-255", with({{20, 99}}));
        row("300, -5, inf and text",
            QByteArray(whole)
                .replace("\n1\r", "\n300\r")
                .replace("\n38\r", "\n-5\r")
                .replace("\n3\r", "\ninf\r")
                .replace("\n4\r", "\nx\r"),
            inPart, "2:\"300\" is not a level", with({{1, 99}, {3, 99}, {4, 99}, {38, 99}}));
    }
    void voltageStore() {
        auto [text, outcome, fault, notRead, modeRead, values] = fetch<StoreCase>();
        VoltageTables volts;
        for (int i = 0; i < 39; ++i)
            volts.setValue(i / 13, i % 13, 99);
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        const StoreReading reading = readVoltageStoreItems(buffer, volts);
        QCOMPARE(int(reading.outcome), outcome);
        checkFault(reading, fault);
        for (int i = 0; i < 39; ++i) // what was not read keeps its value
            QCOMPARE(volts.value(i / 13, i % 13), values.value(i, 99.0f));
        QVERIFY(!std::signbit(volts.value(0, 0)));
    }

    void filesThatAreNoFile_data() {
        const test::Rows<std::pair<QString, QString>> row;
        row("nothing", {"", ""});
        row("a link to nothing", {"link:/nonexistent/x", ""});
        row("a folder", {"folder", "it is a folder"});
        row("a FIFO", {"fifo", "it is a FIFO (named pipe), not a file"});
        row("/dev/zero behind a link", {"link:/dev/zero", "it is a device, not a file"});
        row("a socket", {"socket", "it is a socket, not a file"});
    }
    void filesThatAreNoFile() {
        // Each is refused at once: none is waited on, read without end or replaced by a file.
        const auto& [made, reason] = fetch<std::pair<QString, QString>>();
        QTemporaryDir dir;
        const QString path = dir.filePath("x");
        const QByteArray native = QFile::encodeName(path);
        int fd = -1;
        if (made == "folder")
            QVERIFY(QDir(dir.path()).mkdir("x"));
        else if (made == "fifo")
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        else if (made.startsWith("link:"))
            QVERIFY(QFile::link(made.mid(5), path));
        else if (made == "socket") {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, native.constData(), sizeof address.sun_path);
            fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        }
        const FileKind kind = fileKindOf(path);
        MapStoreContent maps;
        VoltageTables volts;
        const StoreReading mapReading = readMapStore(path, maps);
        QCOMPARE(mapReading.outcome,
                 reason.isEmpty() ? StoreReading::Missing : StoreReading::Unreadable);
        QCOMPARE((QStringList{mapReading.reason, readVoltageStore(path, volts).reason,
                              ConfigFile::describe(readConfigFile(path).fault)}),
                 (QStringList{reason, reason,
                              reason.isEmpty() ? "there is no such file"
                                               : "the file cannot be read: " + reason}));
        QVERIFY(keepDamagedCopy(path, QDateTime::currentDateTime()).failure);
        if (!reason.isEmpty()) {
            const IoResult failure = writeFileWhole(path, "x");
            QVERIFY(failure && failure->description.contains(reason.mid(1))); // "It is ..."
            test::FakeClock clock;
            SerialTrace trace(clock);
            QVERIFY(!trace.begin(path, "t") && trace.error() == reason);
            QCOMPARE(fileKindOf(path), kind); // left as it is
        }
        if (fd >= 0)
            ::close(fd);
    }

    void filesReadInWords() {
        QTemporaryDir dir;
        QCOMPARE(ConfigFile::describe(readConfigFile("/proc/self/mem").fault), // opens, reads not
                 "the file cannot be read: input/output error");
        QVERIFY(!writeFileWhole(dir.filePath("c"), QByteArray(1 << 20, '\n')));
        QCOMPARE(int(readConfigFile(dir.filePath("c")).fault.kind), int(ConfigFault::TooLarge));
        // UTF-16 is said to be no text, not an odd first character.
        QVERIFY(!writeFileWhole(dir.filePath("u"), QByteArray("\xff\xfe\"\0;\0B\0", 8)));
        QVERIFY(ConfigFile::describe(readConfigFile(dir.filePath("u")).fault)
                    .startsWith("the file cannot be read: it is not a text file"));
        // Past 1 MiB: the cut is said, unless a fault comes first.
        for (const auto& [first, fault] : std::map<QByteArray, QString>{
                 {"", "line 2: the store goes on past 1 MiB, which no store does; reading stopped "
                      "here"},
                 {"\"Row 0\"\r\n1x\r\n", "line 3: \"1x\" is not a cell value 0-255"}}) {
            MapStoreContent maps;
            QVERIFY(!writeFileWhole(dir.filePath("m"), "\"Map 1\"\r\n" + first +
                                                           QByteArray(kMaxStoreSize, ' ') +
                                                           "1\r\n"));
            QCOMPARE(readMapStore(dir.filePath("m"), maps).fault(), fault);
        }
    }

    void filesWrittenWhole() {
        QTemporaryDir dir;
        QCOMPARE(writeFileWhole(dir.filePath("no/such/folder"), "x")->code,
                 int(QFileDevice::OpenError));
        const QString path = dir.filePath("f");
        QVERIFY(
            !writeFileWhole(path, "old content, longer") &&
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(!writeFileWhole(path, "new") && readFile(path) == "new");
        QCOMPARE(QFileInfo(path).permissions() & 0x0777, 0x0640); // kept on replace
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup)); // even for root
        const IoResult failure = writeFileWhole(path, "newer");
        QVERIFY(failure && failure->description.contains("read-only") && readFile(path) == "new");
    }

    void storesReadInPartAreKept() {
        // A save over a store read in part needs its stamp as read and a copy never overwritten.
        QTemporaryDir dir;
        const QString path = mapStorePath(dir.path());
        QVERIFY(!writeFileWhole(path, "\"Map 1\"\r\n"));
        MapStoreContent maps;
        const StoreReading reading = readMapStore(path, maps);
        QVERIFY(reading.stamp.exists && reading.stamp == FileStamp::of(path));
        const QDateTime when(QDate(2026, 12, 7), QTime(14, 12, 3));
        const KeptCopy first = keepDamagedCopy(path, when), second = keepDamagedCopy(path, when);
        QVERIFY(!first.failure && !second.failure && second.path == first.path + "-2");
        QCOMPARE(first.path, path + ".damaged-2026-12-07-141203");
        QVERIFY(!writeFileWhole(path, "\"Map 2\"\r\n")); // another program, the same size
        QVERIFY(FileStamp::of(path) != reading.stamp && !FileStamp::of(path + "x").exists);
        QCOMPARE(readFile(first.path) + readFile(second.path), "\"Map 1\"\r\n\"Map 1\"\r\n");
    }

    void oneWriterPerStoreFolder() {
        QTemporaryDir dir;
        {
            StoreLock first(dir.path()), second(dir.path() + "/."); // the same folder, spelt apart
            QVERIFY(first.tryLock() == StoreLock::Held && first.tryLock() == StoreLock::Held);
            QCOMPARE(second.tryLock(), StoreLock::HeldElsewhere);
        }
        StoreLock again(dir.path()); // the first holder has ended
        QCOMPARE(again.tryLock(), StoreLock::Held);
        QVERIFY(QDir(dir.path()).mkdir("ro") &&
                QFile::setPermissions(dir.filePath("ro"), QFile::ReadOwner | QFile::ExeOwner));
        StoreLock none(::geteuid() == 0 ? QString("/proc") : dir.filePath("ro")); // root: /proc
        QVERIFY(none.tryLock() == StoreLock::CannotCreate && none.reason().at(0).isLower());
    }

    void sameFilesAfterLinks() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a"), b = dir.filePath("b"), none = dir.filePath("new");
        QVERIFY(!writeFileWhole(a, "a") && !writeFileWhole(b, "a") && QFile::link(a, b + "l"));
        QVERIFY(isSameFile(b + "l", dir.path() + "/./a") && !isSameFile(a, b));
        QVERIFY(isSameFile(none, dir.path() + "/./new") && !isSameFile(none, a)); // not there yet
    }

    void storePlaces() {
        // A build folder; installed, whoever runs it; a folder that cannot be written.
        for (const auto& [installed, programFolderExists] :
             {std::pair(false, true), std::pair(true, true), std::pair(false, false)}) {
            QTemporaryDir dir;
            StorePlaces places{dir.filePath("bin"), {"/nowhere"}, dir.filePath("home/data")};
            if (programFolderExists) {
                // Stores written there come along to the user's folder, unless named there.
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

        // COM16, a device through a link, a device no port reaches, a location that is the name.
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
        line.readAll(); // nothing came: no line
        line.close();
        const QByteArray traced = readFile(dir.filePath("t/trace.txt"));
        QVERIFY(traced.startsWith("# a title\n") &&
                traced.contains("\n     12 -- opened /dev/fake1 at 9600,n,8,1\n"
                                "     12 TX   1 \";\" 3B\n     12 RX   1 \"G\" 47\n     12 --"));
        QVERIFY(!trace.begin(dir.filePath("t/trace.txt/x"), "t") && !trace.error().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestIo)
#include "tst_io.moc"
