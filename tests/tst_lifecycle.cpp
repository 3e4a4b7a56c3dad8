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
    /// What the port does when the start-up opens it.
    bool portOpens = false;
    QStringList calls;
    std::function<void()> duringSeek;
    Lifecycle life;

    Program(SettingsStore& settings, const QString& exeFolder)
        : life(maps, volts, mapStore, link, settings, marks, captions,
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

/// Maps whose map 1 is the start-up defaults, as the grid shows them after a first start.
BandMapState defaultsAsMap1() {
    BandMapState s;
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            s.BandMapStore[0][r][c] = (kDefaultsStartup[r] & out(c)) ? 1 : 0;
    return s;
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

    QTemporaryDir home_;

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        // Nothing of the user's: data, settings and the runtime lock all in a scratch folder.
        QVERIFY(QDir(home_.path()).mkpath("runtime"));
        QFile::setPermissions(home_.filePath("runtime"), QFileDevice::ReadOwner |
                                                             QFileDevice::WriteOwner |
                                                             QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", home_.filePath("runtime").toLocal8Bit());
        qputenv("XDG_DATA_HOME", home_.filePath("data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home_.filePath("config").toLocal8Bit());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_.filePath("config"));
    }

    void firstRunWithNothingPresent_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("Yes at exit writes the maps") << true;
        QTest::newRow("No at exit keeps the store") << false;
    }
    void firstRunWithNothingPresent() {
        QFETCH(bool, save);
        QTemporaryDir exe;
        FakeSettingsStore settings;
        Program p(settings, exe.path());

        p.life.Form_Load();
        QCOMPARE(p.captions.shown, -1);
        QCOMPARE(p.s().OutputBitMask[12][0], std::uint8_t(0x10)); // "XV3": byte 0, bit 4
        QCOMPARE(p.volts.state().BandCode[10], std::uint8_t(10)); // "60 m"
        QVERIFY(p.calls.isEmpty() && QDir(exe.path()).isEmpty());

        p.life.Form_Activate();
        QCOMPARE(p.calls, QStringList{"OpenPort"}); // the port did not open: no box search
        QCOMPARE(p.life.AppPath(), QDir::cleanPath(exe.path()));
        QCOMPARE(p.life.StoreFolder(), p.life.AppPath());
        QCOMPARE(fileBytes(exe.filePath(kMapStoreName)), QByteArray("\"Empty\"\r\n"));
        QCOMPARE(fileBytes(exe.filePath(kVoltStoreName)), QByteArray("0,0\r\n"));
        QVERIFY(p.s().StartupDone);
        QVERIFY(p.boxes.shown.isEmpty());

        p.boxes.answers = {save ? MsgAnswer::Yes : MsgAnswer::No};
        p.life.Form_Unload();
        QCOMPARE(p.boxes.shown.size(), 1);
        QCOMPARE(p.boxes.shown.first().text, BandMaps::UnsavedChangesText(0));
        // Yes: map 1 is the defaults the grid showed, maps 2 and 3 are all zeros.
        QCOMPARE(fileBytes(exe.filePath(kMapStoreName)),
                 save ? MapStore::StoreText(defaultsAsMap1()) : QByteArray("\"Empty\"\r\n"));
        QCOMPARE(p.calls, QStringList{"OpenPort"}); // the port never opened: nothing touched
        QCOMPARE(settings.writes, 0);
    }

    void settingsChooseMenuMarks_data() {
        QTest::addColumn<QString>("comSetting");
        QTest::addColumn<QString>("baudSetting");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("baudItem"); // 0: none
        const auto row = [](const char* name, const char* com, const char* baud, int port,
                            int item) {
            QTest::newRow(name) << QString(com) << QString(baud) << port << item;
        };
        row("nothing stored: COM1, 4800", nullptr, nullptr, 1, 1);
        row("COM3 9600", "3", "9600", 3, 2);
        row("COM16 38400", "16", "38400", 16, 4);
        row("COM0 counts as 1", "0", "4800", 1, 1);
        row("COM17 counts as 1", "17", "4800", 1, 1);
        row("text counts as 1", "COM5", "4800", 1, 1);
        row("other rate marks none", "2", "115200", 2, 0);
        row("rate with a blank marks none", "2", "9600 ", 2, 0);
    }
    void settingsChooseMenuMarks() {
        QFETCH(QString, comSetting);
        QFETCH(QString, baudSetting);
        QFETCH(int, port);
        QFETCH(int, baudItem);
        QTemporaryDir exe;
        FakeSettingsStore settings;
        if (!comSetting.isNull()) {
            settings.values["Options/COM_Port"] = comSetting;
            settings.values["Options/BAUD_Rate"] = baudSetting;
        }
        Program p(settings, exe.path());
        p.life.Form_Load();
        QCOMPARE(p.link.ComPort, port);
        QCOMPARE(p.link.StartComPort, port);
        QCOMPARE(p.link.BaudRate, baudSetting.isNull() ? "4800" : baudSetting); // used unchanged
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(p.marks.isChecked(QStringLiteral("Use_COM_%1").arg(i)), i == port);
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(p.marks.isChecked(QStringLiteral("ConfigMenu_RS232_%1").arg(i)),
                     i == baudItem);
    }

    void boxIsSoughtBeforeStoresAndOnlyOnce() {
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

        // The stores change behind the program's back; later activations must not read them.
        const BandMapState before = p.s();
        writeFile(exe.filePath(kMapStoreName), MapStore::StoreText(BandMapState{}));
        writeFile(exe.filePath(kVoltStoreName), "1,2,3\r\n");
        p.life.Form_Activate();
        p.life.Form_Activate();
        QCOMPARE(p.calls, (QStringList{"OpenPort", "SeekBox"}));
        QCOMPARE(std::memcmp(before.BandMapStore, p.s().BandMapStore, sizeof before.BandMapStore),
                 0);
        QCOMPARE(p.s().MapChanged, true);
        QCOMPARE(p.volts.state().BandVoltTable[0][0], 0.0f);
    }

    void truncatedMapStoreStillReadsVoltages() {
        QTemporaryDir exe;
        BandMapState stored;
        stored.BandMapStore[2][20][15] = 1;
        writeFile(exe.filePath(kMapStoreName), MapStore::StoreText(stored).chopped(17));
        writeFile(exe.filePath(kVoltStoreName), "0,100,200\r\n"); // AN1 bands 0-2 only
        FakeSettingsStore settings;
        Program p(settings, exe.path());
        p.start();
        QCOMPARE(p.s().BandMapStore[2][20][15], std::uint8_t(1));
        for (int r = 0; r < kBandRows; ++r) // neither MAP1 nor the defaults
            for (int c = 0; c < kOutputs; ++c)
                QCOMPARE(p.grid.cell(r, c), 0);
        QCOMPARE(p.captions.shown, -1);
        QVERIFY(!p.marks.isChecked("cmd_UseACC_Yes") && !p.marks.isChecked("cmd_UseACC_No"));
        QVERIFY(p.s().StartupDone);
        // What was read goes to the box: (100, "2 m"), (200, "6 m"), then empty entries.
        QCOMPARE(int(p.volts.state().An1Level[0]), 100);
        QCOMPARE(int(p.volts.state().An1Band[0]), 13);
        QCOMPARE(int(p.volts.state().An1Level[2]), 255);
        p.life.Form_Unload(); // nothing was edited: no prompt, the cut store is not rewritten
        QVERIFY(p.boxes.shown.isEmpty());
        QCOMPARE(fileBytes(exe.filePath(kMapStoreName)), MapStore::StoreText(stored).chopped(17));
    }

    void settingsWrittenAtExitOnlyWhenPortWasReady_data() {
        QTest::addColumn<bool>("ready");
        QTest::newRow("port opened") << true;
        QTest::newRow("port never opened") << false;
    }
    void settingsWrittenAtExitOnlyWhenPortWasReady() {
        QFETCH(bool, ready);
        QTemporaryDir exe;
        const QString name = QStringLiteral("bdx4-lifecycle-") + (ready ? "ready" : "closed");
        {
            QSettings raw(QSettings::IniFormat, QSettings::UserScope, name, name);
            raw.setValue("Options/COM_Port", "3");
            raw.setValue("Options/BAUD_Rate", "9600");
        }
        {
            QtSettingsStore settings(name);
            QVERIFY(settings.fileName().startsWith(home_.path()));
            Program p(settings, exe.path());
            p.portOpens = ready;
            p.start();
            p.link.ComPort = 5; // chosen in the menu after the port opened
            p.link.BaudRate = "19200";
            // The exit save fails (a folder took the store's name): the program still ends.
            QVERIFY(QFile::remove(exe.filePath(kMapStoreName)));
            QVERIFY(QDir(exe.path()).mkdir(kMapStoreName));
            p.boxes.answers = {MsgAnswer::Yes};
            p.life.Form_Unload();
            QCOMPARE(p.boxes.shown.size(), 2);
            QVERIFY(p.boxes.shown[1].title.startsWith("Error # "));
            QCOMPARE(p.calls.contains("ClosePort"), ready);
            QCOMPARE(fileBytes(settings.fileName()).contains("COM_Port=5"), ready); // synced
        }
        QtSettingsStore settings(name);
        Program next(settings, exe.path());
        next.life.Form_Load();
        QCOMPARE(next.link.ComPort, ready ? 5 : 3);
        QCOMPARE(next.link.BaudRate, QString(ready ? "19200" : "9600"));
        QVERIFY(next.marks.isChecked(ready ? "Use_COM_5" : "Use_COM_3"));
        QVERIFY(next.marks.isChecked(ready ? "ConfigMenu_RS232_3" : "ConfigMenu_RS232_2"));
    }

    void closingDuringBoxSearchTouchesNoStore() {
        QTemporaryDir exe;
        BandMapState stored;
        stored.BandMapStore[1][5][5] = 1;
        const QByteArray text = MapStore::StoreText(stored);
        writeFile(exe.filePath(kMapStoreName), text);
        FakeSettingsStore settings;
        Program p(settings, exe.path());
        p.portOpens = true;
        p.duringSeek = [&] {
            // The search lets clicks through: an edit, "Save as MAP1", then the close box.
            p.grid.click(0, 0);
            p.mapStore.Save_MAP_Click(1);
            p.life.Form_Unload();
            QVERIFY(p.boxes.shown.isEmpty());
            QCOMPARE(fileBytes(exe.filePath(kMapStoreName)), text);
            QCOMPARE(p.captions.calls, 1); // only Form_Load's: "Save as MAP1" did nothing
        };
        p.life.Form_Load();
        p.life.Form_Activate(); // the program would end inside the search; here it returns
        QCOMPARE(settings.values["Options/COM_Port"], QStringLiteral("1")); // the port had opened
    }

    void storeFolderFallsBackToUserData() {
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
        QCOMPARE(fileBytes(perUser + "/" + kMapStoreName), QByteArray("\"Empty\"\r\n"));
        QCOMPARE(fileBytes(perUser + "/" + kVoltStoreName), QByteArray("0,0\r\n"));
        QDir(perUser).removeRecursively();
    }

    void secondCopyEndsAndCrashedCopysLockIsTakenOver() {
        QVERIFY2(QFile::exists(helperPath()), qPrintable(helperPath()));
        const QString name = QStringLiteral("bdx4-instance");
        auto first = startHelper(name, true);
        QVERIFY(first);
        QCOMPARE(first->readLine().trimmed(), QByteArray("locked"));
        auto second = startHelper(name, false);
        QVERIFY(second && second->waitForFinished(5000));
        QCOMPARE(second->exitCode(), 3);
        SingleInstance here(name);
        QVERIFY(QFile::exists(here.lockPath()) && here.lockPath().startsWith(home_.path()));
        QVERIFY(!here.tryAcquire());

        first->kill(); // no chance to remove its lock
        QVERIFY(first->waitForFinished(5000));
        QVERIFY(here.tryAcquire());
        auto third = startHelper(name, false); // now this process is the first copy
        QVERIFY(third && third->waitForFinished(5000));
        QCOMPARE(third->exitCode(), 3);
    }
};

QTEST_GUILESS_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
