#include "bandmap/MatrixGrid.h"
#include "platform/QtSettingsStore.h"
#include "store/Lifecycle.h"
#include "store/SingleInstance.h"
#include "support/FakeMapCaptions.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSettingsStore.h"
#include "voltages/VoltStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace bdx4;
using namespace bdx4::test;

namespace {

/// The main window's logic without the window: the program as it starts and ends.
struct Program {
    MatrixGrid grid;
    FakeMessageBoxes boxes;
    FakeMenuMarks marks;
    FakeMapCaptions captions;
    BandMaps maps{grid, boxes, marks};
    Voltages volts;
    MapStore mapStore{maps, boxes, captions};
    LinkState link;
    SettingsStore& settings;
    /// What the port does when the start-up opens it.
    bool portOpens = false;
    QStringList calls;
    std::function<void()> duringSeek;
    Lifecycle life;

    Program(SettingsStore& store, const QString& exeFolder)
        : settings(store), life(maps, volts, mapStore, link, store, marks, captions,
                                PortActions{[this] {
                                                calls << "OpenPort";
                                                link.PortReady = portOpens;
                                            },
                                            [this] {
                                                calls << "SeekBox";
                                                if (duringSeek)
                                                    duringSeek();
                                            },
                                            [this] { calls << "ClosePort"; }},
                                exeFolder) {}

    BandMapState& s() { return maps.state(); }
    void start() {
        life.Form_Load();
        life.Form_Activate();
    }
};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    for (QByteArray& line : lines)
        line.chop(1); // the CR
    return lines;
}

QString helperPath() {
    return QCoreApplication::applicationDirPath() + "/bdx4-lock-helper";
}

/// Starts the lock helper; returns once it has said whether it got the lock.
std::unique_ptr<QProcess> startHelper(const QString& lockName, bool hold) {
    auto p = std::make_unique<QProcess>();
    p->start(helperPath(), hold ? QStringList{lockName, "hold"} : QStringList{lockName});
    if (!p->waitForStarted(5000))
        return nullptr;
    while (!p->canReadLine() && p->state() == QProcess::Running)
        p->waitForReadyRead(5000);
    return p;
}

} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void firstRunWithNothingPresent();
    void settingsChooseMenuMarks_data();
    void settingsChooseMenuMarks();
    void portIsOpenedAndBoxSoughtBeforeStores();
    void laterActivationsDoNothing();
    void storedMapsShowMap1AtStart();
    void truncatedStoresAtStart();
    void exitWithNoKeepsStore();
    void settingsWrittenOnlyWhenPortWasReady();
    void menuChoicesCarryToNextStart();
    void exitSaveFailureStillEnds();
    void closingDuringBoxSearchTouchesNoStore();
    void storeFolderFallsBackToUserData();

    void secondCopyEndsWhileFirstRuns();
    void lockOfCrashedCopyIsTakenOver();

private:
    QTemporaryDir home_;
};

void TestLifecycle::initTestCase() {
    QVERIFY(home_.isValid());
    // Nothing of the user's: data, settings and the runtime lock all in a scratch folder.
    QVERIFY(QDir(home_.path()).mkpath("runtime"));
    QFile::setPermissions(home_.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", home_.filePath("runtime").toLocal8Bit());
    qputenv("XDG_DATA_HOME", home_.filePath("data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home_.filePath("config").toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_.filePath("config"));
}

void TestLifecycle::firstRunWithNothingPresent() {
    QTemporaryDir exe;
    FakeSettingsStore settings;
    Program p(settings, exe.path());

    p.life.Form_Load();
    QCOMPARE(p.link.ComPort, 1);
    QCOMPARE(p.link.StartComPort, 1);
    QCOMPARE(p.link.BaudRate, QStringLiteral("4800"));
    QVERIFY(p.marks.isChecked("Use_COM_1"));
    QVERIFY(p.marks.isChecked("ConfigMenu_RS232_1"));
    QCOMPARE(p.marks.marks.size(), 2);
    QCOMPARE(p.captions.shown, -1);
    QCOMPARE(p.captions.calls, 1);
    QCOMPARE(p.s().OutputBitMask[4][1], std::uint8_t(0x01));  // "30": byte 1, bit 0
    QCOMPARE(p.s().OutputBitMask[12][0], std::uint8_t(0x10)); // "XV3": byte 0, bit 4
    QCOMPARE(p.volts.state().BandCode[10], std::uint8_t(10)); // "60 m"
    QVERIFY(p.calls.isEmpty());
    QVERIFY(QDir(exe.path()).isEmpty());

    p.life.Form_Activate();
    QCOMPARE(p.calls, QStringList{"OpenPort"}); // the port did not open: no box search
    QCOMPARE(p.life.AppPath(), QDir::cleanPath(exe.path()));
    QCOMPARE(p.life.StoreFolder(), p.life.AppPath());
    QCOMPARE(fileBytes(exe.filePath("bdx4_cfg.ini")), QByteArray("\"Empty\"\r\n"));
    QCOMPARE(fileBytes(exe.filePath("bdx4_bv.ini")), QByteArray("0,0\r\n"));
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            QCOMPARE(p.grid.cell(r, c), (kDefaultsStartup[r] & out(c)) ? 1 : 0);
    QCOMPARE(p.captions.shown, -1);
    QVERIFY(p.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(p.s().StartupDone);
    QVERIFY(p.life.FirstActivationDone());
    for (int t = 0; t < kVoltTables; ++t)
        for (int i = 0; i < kVoltBands; ++i)
            QCOMPARE(int(p.volts.state().level(t)[i]), 255);
    QVERIFY(p.boxes.shown.isEmpty());

    p.boxes.answers = {MsgAnswer::Yes};
    p.life.Form_Unload();
    QCOMPARE(p.boxes.shown.size(), 1);
    QCOMPARE(p.boxes.shown.first().text,
             QStringLiteral("The last Map1 changes have not been saved.  Do you want to save these "
                            "changes?"));
    QCOMPARE(p.boxes.shown.first().title, QStringLiteral("BDX4 Config"));
    const QByteArray store = fileBytes(exe.filePath("bdx4_cfg.ini"));
    QCOMPARE(store.count("\r\n"), 1076);
    const QList<QByteArray> lines = linesOf(store);
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c) {
                const bool on = m == 0 && (kDefaultsStartup[r] & out(c));
                QCOMPARE(lines[2 + 358 * m + 17 * r + c], QByteArray(on ? "1" : "0"));
            }
    QCOMPARE(lines[1074], QByteArray("\"----\""));
    QCOMPARE(lines[1075], QByteArray("#FALSE#"));
    // The port never opened: port and settings untouched.
    QCOMPARE(p.calls, QStringList{"OpenPort"});
    QCOMPARE(settings.writes, 0);
}

void TestLifecycle::settingsChooseMenuMarks_data() {
    QTest::addColumn<QString>("comSetting");
    QTest::addColumn<QString>("baudSetting");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("baudItem"); // 0: none

    QTest::newRow("COM3 9600") << "3"
                               << "9600" << 3 << 2;
    QTest::newRow("COM16 38400") << "16"
                                 << "38400" << 16 << 4;
    QTest::newRow("19200") << "1"
                           << "19200" << 1 << 3;
    QTest::newRow("COM0 counts as 1") << "0"
                                      << "4800" << 1 << 1;
    QTest::newRow("COM17 counts as 1") << "17"
                                       << "4800" << 1 << 1;
    QTest::newRow("negative counts as 1") << "-2"
                                          << "4800" << 1 << 1;
    QTest::newRow("text counts as 1") << "COM5"
                                      << "4800" << 1 << 1;
    QTest::newRow("empty counts as 1") << ""
                                       << "4800" << 1 << 1;
    QTest::newRow("fraction counts as 1") << "2.5"
                                          << "4800" << 1 << 1;
    QTest::newRow("other rate marks none") << "2"
                                           << "115200" << 2 << 0;
    QTest::newRow("rate with blank marks none") << "2"
                                                << "9600 " << 2 << 0;
    QTest::newRow("rate as caption marks none") << "2"
                                                << "  4800 BAUD" << 2 << 0;
}

void TestLifecycle::settingsChooseMenuMarks() {
    QFETCH(QString, comSetting);
    QFETCH(QString, baudSetting);
    QFETCH(int, port);
    QFETCH(int, baudItem);
    QTemporaryDir exe;
    FakeSettingsStore settings;
    settings.values["Options/COM_Port"] = comSetting;
    settings.values["Options/BAUD_Rate"] = baudSetting;
    Program p(settings, exe.path());
    p.life.Form_Load();

    QCOMPARE(p.link.ComPort, port);
    QCOMPARE(p.link.StartComPort, port);
    QCOMPARE(p.link.BaudRate, baudSetting); // used unchanged by the port
    for (int i = 1; i <= 16; ++i)
        QCOMPARE(p.marks.isChecked(QStringLiteral("Use_COM_%1").arg(i)), i == port);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(p.marks.isChecked(QStringLiteral("ConfigMenu_RS232_%1").arg(i)), i == baudItem);
}

void TestLifecycle::portIsOpenedAndBoxSoughtBeforeStores() {
    QTemporaryDir exe;
    FakeSettingsStore settings;
    Program p(settings, exe.path());
    p.portOpens = true;
    QStringList seen;
    p.duringSeek = [&] {
        seen << (p.life.AppPath().isEmpty() ? "no AppPath" : "AppPath")
             << (QDir(exe.path()).isEmpty() ? "no stores" : "stores")
             << (p.s().StartupDone ? "started" : "starting");
    };
    p.start();
    QCOMPARE(p.calls, (QStringList{"OpenPort", "SeekBox"}));
    QCOMPARE(seen, (QStringList{"no AppPath", "no stores", "starting"}));
    QVERIFY(QFile::exists(exe.filePath("bdx4_cfg.ini")));
    QVERIFY(QFile::exists(exe.filePath("bdx4_bv.ini")));
}

void TestLifecycle::laterActivationsDoNothing() {
    QTemporaryDir exe;
    FakeSettingsStore settings;
    Program p(settings, exe.path());
    p.portOpens = true;
    p.start();
    const BandMapState before = p.s();
    // The stores change behind the program's back; a later activation must not read them.
    writeFile(exe.filePath("bdx4_cfg.ini"), MapStore::StoreText(BandMapState{}));
    writeFile(exe.filePath("bdx4_bv.ini"), "1,2,3\r\n");

    p.life.Form_Activate();
    p.life.Form_Activate();
    QCOMPARE(p.calls, (QStringList{"OpenPort", "SeekBox"}));
    QCOMPARE(std::memcmp(before.BandMapStore, p.s().BandMapStore, sizeof before.BandMapStore), 0);
    QCOMPARE(p.s().MapChanged, true);
    QCOMPARE(p.volts.state().BandVoltTable[0][0], 0.0f);
}

void TestLifecycle::storedMapsShowMap1AtStart() {
    QTemporaryDir exe;
    BandMapState stored;
    for (int r = 0; r < kBandRows; ++r)
        stored.BandMapStore[0][r][r % kOutputs] = 1;
    stored.BandMapStore[1][0][0] = 1;
    stored.UseAccForBandmap = true;
    writeFile(exe.filePath("bdx4_cfg.ini"), MapStore::StoreText(stored));
    Voltages defaults;
    for (int b = 0; b < kVoltBands; ++b)
        defaults.state().BandVoltTable[0][b] = kDefaultLevelsAn1An3[b];
    writeFile(exe.filePath("bdx4_bv.ini"), VoltStoreText(defaults.state()));

    FakeSettingsStore settings;
    Program p(settings, exe.path());
    p.start();
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            QCOMPARE(p.grid.cell(r, c), int(stored.BandMapStore[0][r][c]));
    QCOMPARE(p.captions.shown, 0);
    QVERIFY(p.marks.isChecked("cmd_UseACC_Yes"));
    QVERIFY(!p.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(p.s().UseAccForBandmap);
    QCOMPARE(p.s().MapChanged, false);
    // The AN1 list the box will get: the worked default table.
    const std::uint8_t levels[kVoltBands] = {31,  51,  64,  90,  115, 141, 166,
                                             254, 255, 255, 255, 255, 255};
    const std::uint8_t bands[kVoltBands] = {4, 12, 9, 7, 5, 3, 2, 1, 255, 255, 255, 255, 255};
    QCOMPARE(std::memcmp(p.volts.state().An1Level, levels, kVoltBands), 0);
    QCOMPARE(std::memcmp(p.volts.state().An1Band, bands, kVoltBands), 0);

    p.life.Form_Unload(); // nothing changed: no prompt, store as it was
    QVERIFY(p.boxes.shown.isEmpty());
    QCOMPARE(fileBytes(exe.filePath("bdx4_cfg.ini")), MapStore::StoreText(stored));
}

void TestLifecycle::truncatedStoresAtStart() {
    QTemporaryDir exe;
    BandMapState stored;
    stored.BandMapStore[2][20][15] = 1;
    QByteArray text = MapStore::StoreText(stored);
    text.chop(QByteArray("\"----\"\r\n#FALSE#\r\n").size());
    writeFile(exe.filePath("bdx4_cfg.ini"), text);
    writeFile(exe.filePath("bdx4_bv.ini"), "0,100,200\r\n"); // AN1 bands 0-2 only

    FakeSettingsStore settings;
    Program p(settings, exe.path());
    p.start();
    QCOMPARE(p.s().BandMapStore[2][20][15], std::uint8_t(1));
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            QCOMPARE(p.grid.cell(r, c), 0); // neither MAP1 nor the defaults
    QCOMPARE(p.captions.shown, -1);
    QVERIFY(!p.marks.isChecked("cmd_UseACC_Yes"));
    QVERIFY(!p.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(!p.s().UseAccForBandmap);
    QVERIFY(p.s().StartupDone);
    // What was read goes to the box: (100, "2 m"), (200, "6 m"), then empty entries.
    QCOMPARE(int(p.volts.state().An1Level[0]), 100);
    QCOMPARE(int(p.volts.state().An1Band[0]), 13);
    QCOMPARE(int(p.volts.state().An1Level[1]), 200);
    QCOMPARE(int(p.volts.state().An1Band[1]), 12);
    QCOMPARE(int(p.volts.state().An1Level[2]), 255);
    QCOMPARE(int(p.volts.state().An2Level[0]), 255);
    QVERIFY(p.boxes.shown.isEmpty());
}

void TestLifecycle::exitWithNoKeepsStore() {
    QTemporaryDir exe;
    FakeSettingsStore settings;
    Program p(settings, exe.path());
    p.start();
    p.boxes.answers = {MsgAnswer::No};
    p.life.Form_Unload();
    QCOMPARE(p.boxes.shown.size(), 1);
    QCOMPARE(fileBytes(exe.filePath("bdx4_cfg.ini")), QByteArray("\"Empty\"\r\n"));
}

void TestLifecycle::settingsWrittenOnlyWhenPortWasReady() {
    QTemporaryDir exe;
    {
        FakeSettingsStore settings;
        settings.values["Options/COM_Port"] = "3";
        settings.values["Options/BAUD_Rate"] = "9600";
        Program p(settings, exe.path());
        p.portOpens = false;
        p.start();
        p.link.ComPort = 5; // chosen in the menu, never opened
        p.link.BaudRate = "19200";
        p.boxes.answers = {MsgAnswer::No};
        p.life.Form_Unload();
        QCOMPARE(settings.writes, 0);
        QCOMPARE(settings.values["Options/COM_Port"], QStringLiteral("3"));
        QCOMPARE(settings.values["Options/BAUD_Rate"], QStringLiteral("9600"));
        QVERIFY(!p.calls.contains("ClosePort"));
    }
    {
        FakeSettingsStore settings;
        settings.values["Options/COM_Port"] = "3";
        Program p(settings, exe.path());
        p.portOpens = true;
        p.start();
        p.link.ComPort = 5;
        p.link.BaudRate = "19200";
        p.life.Form_Unload();
        QCOMPARE(p.calls.last(), QStringLiteral("ClosePort"));
        QCOMPARE(settings.values["Options/COM_Port"], QStringLiteral("5"));
        QCOMPARE(settings.values["Options/BAUD_Rate"], QStringLiteral("19200"));
        QCOMPARE(settings.syncs, 1);
    }
}

void TestLifecycle::menuChoicesCarryToNextStart() {
    QTemporaryDir exe;
    const QString name = QStringLiteral("bdx4-lifecycle-test");
    {
        QtSettingsStore settings(name);
        Program p(settings, exe.path());
        p.portOpens = true;
        p.start();
        p.link.ComPort = 5;
        p.link.BaudRate = "19200";
        p.boxes.answers = {MsgAnswer::No};
        p.life.Form_Unload();
        QVERIFY(settings.fileName().startsWith(home_.path()));
    }
    {
        QSettings raw(QSettings::IniFormat, QSettings::UserScope, name, name);
        QCOMPARE(raw.value("Options/COM_Port").toString(), QStringLiteral("5"));
        QCOMPARE(raw.value("Options/BAUD_Rate").toString(), QStringLiteral("19200"));
    }
    QtSettingsStore settings(name);
    Program next(settings, exe.path());
    next.life.Form_Load();
    QCOMPARE(next.link.ComPort, 5);
    QVERIFY(next.marks.isChecked("Use_COM_5"));
    QVERIFY(next.marks.isChecked("ConfigMenu_RS232_3"));
}

void TestLifecycle::exitSaveFailureStillEnds() {
    QTemporaryDir exe;
    FakeSettingsStore settings;
    Program p(settings, exe.path());
    p.portOpens = true;
    p.start();
    // The store's name is taken by a folder meanwhile: the exit save cannot replace it.
    QVERIFY(QFile::remove(exe.filePath("bdx4_cfg.ini")));
    QVERIFY(QDir(exe.path()).mkdir("bdx4_cfg.ini"));
    p.boxes.answers = {MsgAnswer::Yes};
    p.life.Form_Unload();
    QCOMPARE(p.boxes.shown.size(), 2);
    QVERIFY(p.boxes.shown[1].title.startsWith("Error # "));
    QCOMPARE(p.boxes.shown[1].icon, MsgIcon::Critical);
    QCOMPARE(p.calls.last(), QStringLiteral("ClosePort"));
    QCOMPARE(settings.values["Options/COM_Port"], QStringLiteral("1"));
}

void TestLifecycle::closingDuringBoxSearchTouchesNoStore() {
    QTemporaryDir exe;
    BandMapState stored;
    stored.BandMapStore[1][5][5] = 1;
    const QByteArray text = MapStore::StoreText(stored);
    writeFile(exe.filePath("bdx4_cfg.ini"), text);

    FakeSettingsStore settings;
    Program p(settings, exe.path());
    p.portOpens = true;
    qsizetype boxesAtClose = -1;
    int captionsAtClose = -1;
    QByteArray storeAtClose;
    p.duringSeek = [&] {
        // The search lets clicks through: an edit, "Save as MAP1", then the close box.
        p.grid.click(0, 0);
        p.mapStore.Save_MAP_Click(1);
        p.life.Form_Unload();
        boxesAtClose = p.boxes.shown.size();
        captionsAtClose = p.captions.calls;
        storeAtClose = fileBytes(exe.filePath("bdx4_cfg.ini"));
    };
    p.life.Form_Load();
    p.life.Form_Activate(); // the program would end inside the search; here it just returns
    QCOMPARE(boxesAtClose, qsizetype(0));
    QCOMPARE(storeAtClose, text);
    QCOMPARE(captionsAtClose, 1); // only Form_Load's: "Save as MAP1" did nothing
    QCOMPARE(settings.values["Options/COM_Port"], QStringLiteral("1")); // the port had opened
}

void TestLifecycle::storeFolderFallsBackToUserData() {
    QTemporaryDir scratch;
    const QString writable = scratch.filePath("bin");
    QVERIFY(QDir().mkpath(writable));
    const QString userData = scratch.filePath("user/data");
    QCOMPARE(Lifecycle::StoreFolderFor(writable + "/", userData), writable);
    QVERIFY(QDir(writable).isEmpty()); // the probe leaves nothing behind
    QVERIFY(!QFileInfo::exists(userData));

    // A folder where nothing can be created (as root only a file in the way does that).
    writeFile(scratch.filePath("file"), "x");
    const QString locked = scratch.filePath("file/bin");
    QCOMPARE(Lifecycle::StoreFolderFor(locked, userData), userData);
    QVERIFY(QFileInfo(userData).isDir());

    // The whole start-up: the stores go to the per-user data folder, AppPath stays.
    FakeSettingsStore settings;
    Program p(settings, locked);
    p.start();
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(perUser.startsWith(home_.path()));
    QCOMPARE(p.life.AppPath(), locked);
    QCOMPARE(p.life.StoreFolder(), QDir::cleanPath(perUser));
    QCOMPARE(fileBytes(perUser + "/bdx4_cfg.ini"), QByteArray("\"Empty\"\r\n"));
    QCOMPARE(fileBytes(perUser + "/bdx4_bv.ini"), QByteArray("0,0\r\n"));
    p.boxes.answers = {MsgAnswer::Yes};
    p.life.Form_Unload();
    QVERIFY(p.boxes.shown.size() == 1); // the prompt, and no error: the save went through
    QCOMPARE(fileBytes(perUser + "/bdx4_cfg.ini").count("\r\n"), 1076);
    QDir(perUser).removeRecursively();
}

void TestLifecycle::secondCopyEndsWhileFirstRuns() {
    QVERIFY2(QFile::exists(helperPath()), qPrintable(helperPath()));
    const QString name = QStringLiteral("bdx4-instance-a");

    auto first = startHelper(name, true);
    QVERIFY(first);
    QCOMPARE(first->readLine().trimmed(), QByteArray("locked"));

    auto second = startHelper(name, false);
    QVERIFY(second);
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->readAllStandardOutput().trimmed(), QByteArray("busy"));
    QCOMPARE(second->exitCode(), 3);

    SingleInstance here(name);
    QVERIFY(!here.tryAcquire());

    first->closeWriteChannel(); // the first copy ends normally
    QVERIFY(first->waitForFinished(5000));
    QCOMPARE(first->exitCode(), 0);
    QVERIFY(here.tryAcquire());

    // Now this process is the first copy: another one must stay out.
    auto third = startHelper(name, false);
    QVERIFY(third);
    QVERIFY(third->waitForFinished(5000));
    QCOMPARE(third->exitCode(), 3);
}

void TestLifecycle::lockOfCrashedCopyIsTakenOver() {
    QVERIFY2(QFile::exists(helperPath()), qPrintable(helperPath()));
    const QString name = QStringLiteral("bdx4-instance-b");
    auto crashed = startHelper(name, true);
    QVERIFY(crashed);
    QCOMPARE(crashed->readLine().trimmed(), QByteArray("locked"));
    crashed->kill(); // no chance to remove its lock
    QVERIFY(crashed->waitForFinished(5000));

    SingleInstance next(name);
    QVERIFY(QFile::exists(next.lockPath()));
    QVERIFY(next.lockPath().startsWith(home_.path()));
    QVERIFY(next.tryAcquire());
}

QTEST_GUILESS_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
