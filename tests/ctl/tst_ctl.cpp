// bdx4ctl as a user runs it: against its stores, and against bdx4-sim over a real
// pseudo-terminal through QSerialPort, on the real clock. Its results are compared with what
// the desktop program's own start-up, export and download give for the same stores.

#include "SimRig.h"

#include "image/ConfigImage.h"
#include "store/Lifecycle.h"
#include "store/MapStore.h"
#include "support/FakeMapCaptions.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSerialLine.h"
#include "support/FakeSettingsStore.h"
#include "support/FakeStatusBox.h"
#include "voltages/VoltStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <memory>

using namespace bdx4;
using namespace bdx4::simrig;

namespace {

const QString kCtl = QStringLiteral(BDX4CTL_PATH);

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
    double cpuSeconds = 0;
};

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList jsonStrings(const QJsonValue& value) {
    QStringList out;
    for (const QJsonValue& v : value.toArray())
        out << v.toString();
    return out;
}

/// The lines of an export file, without their quotes and line ends.
QStringList exportedLines(const QByteArray& file) {
    QStringList lines;
    for (QByteArray line : file.split('\n')) {
        if (line.isEmpty())
            continue;
        line.chop(1); // CR
        lines << QString::fromLatin1(line.mid(1, line.size() - 2));
    }
    return lines;
}

/// Three maps that differ everywhere; map 2 carries the worked HF record (160M drives "160",
/// 20M drives "20") and AC1 in the 60M row; one cell is grayed.
BandMapState patternMaps(bool useAcc) {
    BandMapState s;
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            s.BandMapStore[m][r][(r + 5 * m) % kOutputs] = 1;
    std::fill(&s.BandMapStore[1][0][0], &s.BandMapStore[1][0][0] + kBandRows * kOutputs, 0);
    s.BandMapStore[1][0][0] = 1;
    s.BandMapStore[1][5][5] = 1;
    s.BandMapStore[1][2][kAC1] = 1;
    s.BandMapStore[2][20][kAC3] = 2;
    s.UseAccForBandmap = useAcc;
    return s;
}

QByteArray defaultVoltStore() {
    VoltageState s;
    for (int t = 0; t < kVoltTables; ++t)
        for (int b = 0; b < kVoltBands; ++b)
            s.BandVoltTable[t][b] = Voltages::DefaultLevels(t)[b];
    return VoltStoreText(s);
}

/// The desktop program on the stores in `folder`: its start-up (which creates missing stores,
/// as the program does), then "Display MAPn" for a map other than the one shown, then "Write
/// Bandmap to File". Returns the export file's bytes.
QByteArray desktopExport(const QString& folder, int map, const QString& file) {
    test::FakeMessageBoxes boxes;
    test::FakeMenuMarks marks;
    test::FakeMapCaptions captions;
    test::FakeSettingsStore settings;
    test::FakeStatusBox status;
    test::FakeSerialLine line;
    RecordingProgress progress;
    EventLoopClock clock;
    MatrixGrid grid;
    BandMaps maps(grid, boxes, marks);
    Voltages volts;
    MapStore mapStore(maps, boxes, captions);
    Link link(line, boxes, marks, clock, status, progress);
    Lifecycle lifecycle(maps, volts, mapStore, link.state(), settings, marks, captions,
                        PortActions{}, folder);
    lifecycle.Form_Load();
    lifecycle.Form_Activate();
    if (map != 1)
        mapStore.Load_MAP_Click(map);
    Downloader downloader(maps, volts, link, status, boxes, clock);
    downloader.WriteBandmapToFile_Click([&file] { return file; });
    return readAll(file);
}

} // namespace

class TestCtl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exportEqualsTheDesktopExport_data();
    void exportEqualsTheDesktopExport();
    void exportCarriesTheWorkedRecords();
    void showPrintsTheMapTheModeAndTheVolts();
    void unreadableStoreIsNeverSent();
    void defaultStoreIsBesideTheProgram();

    void writeDeliversTheDesktopRecordsAndTracesThem();
    void unacknowledgedRecordFailsTheWrite();
    void portNumberAndSpeedComeFromTheDesktopSettings();
    void silentBoxIsNotFoundAfterTheRetries();
    void missingDeviceFailsAtOnce();

    void badArgumentsExitTwo_data();
    void badArgumentsExitTwo();
    void helpPrintsTheUsage();

private:
    Result ctl(const QStringList& arguments, int timeoutMs = 20000);
    QString dirPath(const QString& name) const { return dir_->filePath(name); }
    bool writeStores(const QString& folder, const BandMapState& maps, const QByteArray& volts);
    bool startBox(SimProcess& box, const QStringList& options);

    QTemporaryDir home_;
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestCtl::initTestCase() {
    QVERIFY(home_.isValid());
    QVERIFY(QFileInfo(kCtl).isExecutable());
    QVERIFY(QFileInfo(simulatorPath()).isExecutable());
}

void TestCtl::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    // A fresh settings folder for each test: never the user's own.
    QDir(home_.path()).removeRecursively();
    QVERIFY(QDir().mkpath(home_.path()));
}

void TestCtl::cleanup() {
    dir_.reset();
}

Result TestCtl::ctl(const QStringList& arguments, int timeoutMs) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home_.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral("data")));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir_->path());
    Result result;
    const double cpuBefore = childCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    process.start(arguments.value(0) == QLatin1String("@exe") ? arguments.value(1) : kCtl,
                  arguments.value(0) == QLatin1String("@exe") ? arguments.mid(2) : arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("<bdx4ctl did not end>");
        return result;
    }
    result.ms = timer.elapsed();
    result.cpuSeconds = childCpuSeconds() - cpuBefore;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

bool TestCtl::writeStores(const QString& folder, const BandMapState& maps,
                          const QByteArray& volts) {
    return QDir().mkpath(folder) &&
           writeFile(QDir(folder).filePath(kMapStoreName), MapStore::StoreText(maps)) &&
           writeFile(QDir(folder).filePath(kVoltStoreName), volts);
}

bool TestCtl::startBox(SimProcess& box, const QStringList& options) {
    const QString why = box.start(QStringList{QStringLiteral("--link"), dirPath("box"),
                                              QStringLiteral("--json"), dirPath("box.json")} +
                                  options);
    if (!why.isEmpty())
        qWarning("%s", qPrintable(why));
    return why.isEmpty();
}

void TestCtl::exportEqualsTheDesktopExport_data() {
    QTest::addColumn<QString>("stores"); // full, acc, empty, none
    QTest::addColumn<int>("map");
    QTest::newRow("MAP1, default table") << "full" << 1;
    QTest::newRow("MAP2, AC1-AC3 as band outputs") << "acc" << 2;
    QTest::newRow("MAP3 with a grayed cell") << "full" << 3;
    QTest::newRow("fresh store: the default arrangement") << "empty" << 1;
    QTest::newRow("fresh store, MAP2") << "empty" << 2;
    QTest::newRow("no stores at all") << "none" << 1;
}

void TestCtl::exportEqualsTheDesktopExport() {
    QFETCH(QString, stores);
    QFETCH(int, map);
    const QString ctlStores = dirPath("ctl-stores");
    const QString desktopStores = dirPath("desktop-stores");
    QVERIFY(QDir().mkpath(ctlStores));
    QVERIFY(QDir().mkpath(desktopStores));
    for (const QString& folder : {ctlStores, desktopStores}) {
        if (stores == QLatin1String("full") || stores == QLatin1String("acc"))
            QVERIFY(writeStores(folder, patternMaps(stores == QLatin1String("acc")),
                                defaultVoltStore()));
        else if (stores == QLatin1String("empty"))
            QVERIFY(writeFile(QDir(folder).filePath(kMapStoreName), "\"Empty\"\r\n") &&
                    writeFile(QDir(folder).filePath(kVoltStoreName), "0,0\r\n"));
    }
    const QStringList before = QDir(ctlStores).entryList(QDir::Files);

    const Result r = ctl({QStringLiteral("export"), QStringLiteral("--map"), QString::number(map),
                          QStringLiteral("--store"), ctlStores, QStringLiteral("out.txt")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    // Nothing to say but where a store is missing (no questions, no boxes).
    const QString missing =
        QStringLiteral("bdx4ctl: there is no %1; the default arrangement "
                       "stands for MAP1 and the other maps are empty\n"
                       "bdx4ctl: there is no %2; every band voltage is 0\n")
            .arg(QDir(ctlStores).filePath(kMapStoreName), QDir(ctlStores).filePath(kVoltStoreName));
    QCOMPARE(r.err, stores == QLatin1String("none") ? missing : QString());
    const QByteArray exported = readAll(dirPath("out.txt"));
    const QByteArray desktop = desktopExport(desktopStores, map, dirPath("desktop.txt"));
    QCOMPARE(exportedLines(exported).size(), 8);
    QCOMPARE(exported, desktop);
    // The command line reads the stores; it creates none and changes none.
    QCOMPARE(QDir(ctlStores).entryList(QDir::Files), before);
    if (stores != QLatin1String("none"))
        QCOMPARE(readAll(QDir(ctlStores).filePath(kMapStoreName)),
                 readAll(QDir(desktopStores).filePath(kMapStoreName)));
}

void TestCtl::exportCarriesTheWorkedRecords() {
    QVERIFY(writeStores(dirPath("stores"), patternMaps(true), defaultVoltStore()));
    const Result r = ctl({QStringLiteral("export"), QStringLiteral("--store=") + dirPath("stores"),
                          QStringLiteral("--map=2"), dirPath("out.txt")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QStringList lines = exportedLines(readAll(dirPath("out.txt")));
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0], kDownloadCommand);
    // 160M drives "160" (slot 1) and 20M drives "20" (slot 5); AC1 of the 60M row is a band
    // output in this mode (byte 0 bit 5), and the 60M row sits in slot 10, after 10M.
    const QString empty = QStringLiteral("0000");
    QCOMPARE(lines[1], QStringLiteral(":20004000") + empty + QStringLiteral("0100") +
                           empty.repeated(3) + QStringLiteral("0002") + empty.repeated(4) +
                           QStringLiteral("2000") + empty.repeated(5) + QStringLiteral("7D"));
    QCOMPARE(lines[3], QStringLiteral(":100070000000000000000000000000000000000080"));
    QCOMPARE(lines[4], QStringLiteral(":2000A0001F04330C40095A0773058D03A602FE01") +
                           QString(32, QLatin1Char('F')) + QStringLiteral("95"));
    QCOMPARE(lines[7], kEndRecord);
}

void TestCtl::showPrintsTheMapTheModeAndTheVolts() {
    QVERIFY(writeStores(dirPath("stores"), patternMaps(true), defaultVoltStore()));
    const Result r = ctl({QStringLiteral("show"), QStringLiteral("--map"), QStringLiteral("2"),
                          QStringLiteral("--store"), dirPath("stores")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    QVERIFY(lines.contains(QStringLiteral("MAP2")));
    QVERIFY(lines.contains(QStringLiteral("       160  80  60  40  30  20  17  15  12  10 XV1 "
                                          "XV2 XV3 AC1 AC2 AC3")));
    QVERIFY(lines.contains(QStringLiteral("160M     x   .   .   .   .   .   .   .   .   .   .   "
                                          ".   .   .   .   .")));
    QVERIFY(lines.contains(QStringLiteral("60M      .   .   .   .   .   .   .   .   .   .   .   "
                                          ".   .   x   .   .")));
    QVERIFY(lines.contains(QStringLiteral("ACn mode: Use AC1 - AC3 for Bandmap")));
    // Band rows: 430 MHz (AN2 at 5.00) and 160 m (AN1 and AN3 at full scale).
    QVERIFY(lines.contains(QStringLiteral("430 MHz               0.00        5.00        0.00")));
    QVERIFY(lines.contains(QStringLiteral("160 m                10.00        0.49       10.00")));
    QVERIFY(lines.contains(QStringLiteral("30 m                  1.22        1.43        1.22")));

    // MAP3 shows its grayed cell as such, and the default-table mode says AC1-AC3 are not sent.
    QVERIFY(writeStores(dirPath("stores"), patternMaps(false), defaultVoltStore()));
    const Result third = ctl({QStringLiteral("show"), QStringLiteral("--map"), QStringLiteral("3"),
                              QStringLiteral("--store"), dirPath("stores")});
    QCOMPARE(third.exitCode, 0);
    QVERIFY(third.out.contains(QStringLiteral("\nXVTR7    .   .   .   .   .   .   .   .   .   .   "
                                              ".   .   .   .   x   -\n")));
    QVERIFY(third.out.contains(QStringLiteral("ACn mode: Use AC1 - AC3 default table")));
}

void TestCtl::unreadableStoreIsNeverSent() {
    QVERIFY(writeStores(dirPath("stores"), patternMaps(false), defaultVoltStore()));
    // Cut off in the middle of map 2.
    const QString storePath = QDir(dirPath("stores")).filePath(kMapStoreName);
    const QByteArray whole = readAll(storePath);
    QVERIFY(writeFile(storePath, whole.left(whole.indexOf("\"Map 2\"") + 100)));

    const Result exported = ctl({QStringLiteral("export"), QStringLiteral("--store"),
                                 dirPath("stores"), QStringLiteral("out.txt")});
    QCOMPARE(exported.exitCode, 1);
    QVERIFY2(exported.err.contains(storePath + QStringLiteral(" could not be read whole")),
             qPrintable(exported.err));
    QVERIFY(exported.err.contains(QStringLiteral("nothing was written")));
    QVERIFY(!QFileInfo::exists(dirPath("out.txt")));

    // No port is even opened for such a store.
    const Result written =
        ctl({QStringLiteral("write"), QStringLiteral("--port"), dirPath("no-such-device"),
             QStringLiteral("--store"), dirPath("stores")});
    QCOMPARE(written.exitCode, 1);
    QVERIFY(written.err.contains(QStringLiteral("nothing was sent to the box")));
    QVERIFY(!written.err.contains(QStringLiteral("Error Opening")));

    // show prints what it could read, and says what is wrong.
    const Result shown =
        ctl({QStringLiteral("show"), QStringLiteral("--store"), dirPath("stores")});
    QCOMPARE(shown.exitCode, 1);
    QVERIFY(shown.out.contains(QStringLiteral("MAP1")));
    QVERIFY(shown.err.contains(QStringLiteral("could not be read whole")));
}

void TestCtl::defaultStoreIsBesideTheProgram() {
    // A copy of the program in a folder of its own, with its stores beside it.
    const QString folder = dirPath("bin");
    QVERIFY(QDir().mkpath(folder));
    const QString copy = QDir(folder).filePath(QStringLiteral("bdx4ctl"));
    QVERIFY(QFile::copy(kCtl, copy));
    QVERIFY(writeStores(folder, patternMaps(true), defaultVoltStore()));
    const Result r = ctl({QStringLiteral("@exe"), copy, QStringLiteral("show"),
                          QStringLiteral("--map"), QStringLiteral("2")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.startsWith(QStringLiteral("Stores in %1\n").arg(folder)));
    QVERIFY(r.out.contains(QStringLiteral("ACn mode: Use AC1 - AC3 for Bandmap")));
}

void TestCtl::writeDeliversTheDesktopRecordsAndTracesThem() {
    QVERIFY(writeStores(dirPath("stores"), patternMaps(true), defaultVoltStore()));
    QVERIFY(writeStores(dirPath("desktop"), patternMaps(true), defaultVoltStore()));
    SimProcess box;
    QVERIFY(startBox(box, {}));

    const QStringList arguments{
        QStringLiteral("write"),   QStringLiteral("--port"),   dirPath("box"),
        QStringLiteral("--baud"),  QStringLiteral("9600"),     QStringLiteral("--map"),
        QStringLiteral("2"),       QStringLiteral("--store"),  dirPath("stores"),
        QStringLiteral("--trace"), QStringLiteral("trace.txt")};
    const Result r = ctl(arguments);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             (QStringList{QStringLiteral("HF Data"), QStringLiteral("VHF Data"),
                          QStringLiteral("Acc Data"), QStringLiteral("AN1 Data"),
                          QStringLiteral("AN2 Data"), QStringLiteral("AN3 Data"),
                          QStringLiteral("Closing"), QStringLiteral("Last Send Passed!")}));
    QVERIFY2(r.err.contains(QStringLiteral("%1 at 9600 baud").arg(dirPath("box"))),
             qPrintable(r.err));
    QVERIFY(r.ms >= 2700); // the desktop program's own waits

    // The box received what the desktop program sends for the same stores.
    const QStringList desktop =
        exportedLines(desktopExport(dirPath("desktop"), 2, dirPath("desktop.txt")));
    QCOMPARE(desktop.size(), 8);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dirPath("box.json")), 3000);
    const QJsonObject report = readReport(dirPath("box.json"));
    QCOMPARE(jsonStrings(report[QStringLiteral("lines")]), desktop);
    QByteArray wire = desktop[0].toLatin1();
    for (qsizetype i = 1; i < desktop.size(); ++i)
        wire += desktop[i].toLatin1() + "\r\n";
    QCOMPARE(report[QStringLiteral("raw")].toString().toLatin1(), wire);
    QCOMPARE(report[QStringLiteral("acknowledged")].toInt(), 7);

    // The trace: the command line, then every record sent and each "G" after it, in order.
    const QStringList trace = QString::fromUtf8(readAll(dirPath("trace.txt")))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(trace.value(0),
             QStringLiteral("# ") + kCtl + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
    QStringList flow;
    for (const QString& line : trace) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.value(1) == QLatin1String("TX") || fields.value(1) == QLatin1String("RX")) {
            const qsizetype open = line.indexOf(QLatin1Char('"'));
            flow << fields.value(1) + QLatin1Char(' ') +
                        line.mid(open + 1, line.indexOf(QLatin1Char('"'), open + 1) - open - 1);
        } else if (fields.value(1) == QLatin1String("--")) {
            flow << fields.mid(1).join(QLatin1Char(' '));
        }
    }
    QStringList expected{QStringLiteral("-- opening the port"),
                         QStringLiteral("-- opened %1 at 9600,n,8,1").arg(dirPath("box")),
                         QStringLiteral("-- download"), QStringLiteral("TX ") + desktop[0]};
    for (qsizetype i = 1; i < desktop.size(); ++i)
        expected << QStringLiteral("TX ") + desktop[i] + QStringLiteral("\\r\\n")
                 << QStringLiteral("RX G");
    expected << QStringLiteral("-- closed %1").arg(dirPath("box"));
    QCOMPARE(flow, expected);
}

void TestCtl::unacknowledgedRecordFailsTheWrite() {
    QVERIFY(writeStores(dirPath("stores"), patternMaps(false), defaultVoltStore()));
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--ack-limit"), QStringLiteral("3")}));
    const Result r = ctl({QStringLiteral("write"), QStringLiteral("--port"), dirPath("box"),
                          QStringLiteral("--store"), dirPath("stores")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(
        r.err.contains(QStringLiteral("BDX4: G: Download failed in section AN1 Band Voltages")),
        qPrintable(r.err));
    QVERIFY(r.out.endsWith(QStringLiteral("AN1 Data\nLast Send Failed!\n")));
    QVERIFY(!r.out.contains(QStringLiteral("AN2 Data")));
}

void TestCtl::portNumberAndSpeedComeFromTheDesktopSettings() {
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--firmware"), QStringLiteral("3.42")}));
    // The desktop program's settings file names the device of COM3 and its last speed.
    const QString settingsPath = home_.filePath(QStringLiteral("config/bdx4config/bdx4config.ini"));
    QVERIFY(QDir().mkpath(QFileInfo(settingsPath).path()));
    const QByteArray settings =
        "[Options]\nCOM_Port=3\nBAUD_Rate=19200\n\n[Ports]\nCOM3=" + dirPath("box").toLocal8Bit() +
        "\n";
    QVERIFY(writeFile(settingsPath, settings));

    const Result r = ctl({QStringLiteral("query"), QStringLiteral("--port"), QStringLiteral("3"),
                          QStringLiteral("--trace"), dirPath("trace.txt")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out, QStringLiteral("BDX4 Connected: BDX4 Firmware = 3.42\n"));
    QVERIFY2(r.err.contains(QStringLiteral("COM3 (%1) at 19200 baud").arg(dirPath("box"))),
             qPrintable(r.err));
    const QString trace = QString::fromUtf8(readAll(dirPath("trace.txt")));
    QVERIFY(trace.contains(QStringLiteral("-- opened %1 at 19200,n,8,1").arg(dirPath("box"))));
    QVERIFY(trace.contains(QStringLiteral("RX  14 \"BDV:BDX4:3.42;\"")));
    QCOMPARE(readAll(settingsPath), settings); // nothing written back
}

void TestCtl::silentBoxIsNotFoundAfterTheRetries() {
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--silent")}));
    const Result r = ctl({QStringLiteral("query"), QStringLiteral("--port"), dirPath("box"),
                          QStringLiteral("--trace"), dirPath("trace.txt")});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QString());
    QString guidance = seekFailedText();
    guidance.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QVERIFY2(r.err.contains(QStringLiteral("Error connecting to a BDX4: ") + guidance),
             qPrintable(r.err));
    // The first query and eleven retries, 300 ms apart, after the 600 ms of the lone ";".
    QVERIFY2(r.ms >= 4200, qPrintable(QString::number(r.ms)));
    const QString trace = QString::fromUtf8(readAll(dirPath("trace.txt")));
    QCOMPARE(trace.count(QStringLiteral("\";BD00;BD73;BDV;\"")), 12);
    QVERIFY(!trace.contains(QStringLiteral(" RX ")));
    // The waits sleep: a few seconds of waiting cost next to no processor time.
    QVERIFY2(r.cpuSeconds < 1.0, qPrintable(QString::number(r.cpuSeconds)));
}

void TestCtl::missingDeviceFailsAtOnce() {
    const Result r = ctl({QStringLiteral("query"), QStringLiteral("--port"), dirPath("nothing")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(
                 QStringLiteral("The serial device %1 does not exist").arg(dirPath("nothing"))),
             qPrintable(r.err));
    QVERIFY(!r.err.contains(QStringLiteral("No BDX4 found"))); // no search without a port
    QVERIFY(r.ms < 3000);
}

void TestCtl::badArgumentsExitTwo_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("saying");
    QTest::newRow("no command") << QStringList{}
                                << QStringList{"no command", "show, export, query or write"};
    QTest::newRow("unknown command")
        << QStringList{"upload"} << QStringList{"\"upload\" is no command", "show, export"};
    QTest::newRow("option of another command")
        << QStringList{"show", "--port", "1"}
        << QStringList{"show takes no option \"--port\"", "--map, --store"};
    QTest::newRow("trace on export")
        << QStringList{"export", "--trace", "t", "f"} << QStringList{"\"--trace\"", "--map"};
    QTest::newRow("map 0") << QStringList{"show", "--map", "0"}
                           << QStringList{"--map", "\"0\"", "1, 2 or 3"};
    QTest::newRow("map without value")
        << QStringList{"show", "--map"} << QStringList{"--map needs a value"};
    QTest::newRow("export without file")
        << QStringList{"export", "--map", "2"} << QStringList{"export needs the FILE"};
    QTest::newRow("export with two files")
        << QStringList{"export", "a.txt", "b.txt"} << QStringList{"no argument \"b.txt\""};
    QTest::newRow("query without port")
        << QStringList{"query"} << QStringList{"query needs --port", "1 to 16", "device path"};
    QTest::newRow("port 0") << QStringList{"query", "--port", "0"}
                            << QStringList{"--port", "\"0\"", "1 to 16", "device path"};
    QTest::newRow("port by name") << QStringList{"query", "--port", "COM3"}
                                  << QStringList{"--port", "\"COM3\""};
    QTest::newRow("speed 1200") << QStringList{"query", "--port", "1", "--baud", "1200"}
                                << QStringList{"--baud", "\"1200\"", "4800, 9600, 19200 or 38400"};
    QTest::newRow("store that is no folder") << QStringList{"show", "--store", "@DIR@/nowhere"}
                                             << QStringList{"--store", "nowhere", "not a folder"};
    QTest::newRow("empty trace name")
        << QStringList{"query", "--port", "1", "--trace="} << QStringList{"--trace"};
    QTest::newRow("trace that cannot be written")
        << QStringList{"query", "--port", "@DIR@/nothing", "--trace", "@DIR@/plain/trace.txt"}
        << QStringList{"--trace", "plain/trace.txt", "cannot be written"};
    QTest::newRow("stray argument")
        << QStringList{"show", "extra"} << QStringList{"show takes no argument \"extra\""};
}

void TestCtl::badArgumentsExitTwo() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, saying);
    QVERIFY(writeFile(dirPath("plain"), "a file, not a folder"));
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("@DIR@"), dir_->path());
    const Result r = ctl(arguments);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith(QStringLiteral("bdx4ctl: ")), qPrintable(r.err));
    for (const QString& words : saying)
        QVERIFY2(r.err.contains(words), qPrintable(r.err + QStringLiteral(" lacks ") + words));
    QVERIFY(!r.err.contains(QStringLiteral("Error Opening"))); // nothing was tried
}

void TestCtl::helpPrintsTheUsage() {
    for (const QStringList& arguments :
         {QStringList{"--help"}, QStringList{"write", "--port", "99", "--help"}}) {
        const Result r = ctl(arguments);
        QCOMPARE(r.exitCode, 0);
        for (const char* usage : {"bdx4ctl show", "bdx4ctl export", "bdx4ctl query",
                                  "bdx4ctl write", "--trace FILE", "Exit status"})
            QVERIFY2(r.out.contains(QLatin1String(usage)), usage);
    }
}

QTEST_GUILESS_MAIN(TestCtl)
#include "tst_ctl.moc"
