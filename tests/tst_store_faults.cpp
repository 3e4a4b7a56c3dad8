// Storage faults: folders that cannot be written (even by root), stores that are folders, cut
// short or full of random bytes, and a disk that fills during a save. The start-up stays silent,
// a save says clearly that it failed, and the store that was there survives byte for byte.

#include "bandmap/MatrixGrid.h"
#include "image/Download.h"
#include "store/Lifecycle.h"
#include "store/MapStore.h"
#include "support/FakeClock.h"
#include "support/FakeMapCaptions.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeProgressWindow.h"
#include "support/FakeSerialLine.h"
#include "support/FakeSettingsStore.h"
#include "support/FakeStatusBox.h"
#include "voltages/VoltStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace bdx4;
using namespace bdx4::test;

namespace {

/// Findings of a scenario; empty when all held. Scenarios report rather than use QVERIFY so
/// that they can run in a child process too.
class Problems {
public:
    void check(bool ok, const QString& what) {
        if (!ok)
            list_ << what;
    }
    QString text() const { return list_.join(QLatin1Char('\n')); }
    bool empty() const { return list_.isEmpty(); }

private:
    QStringList list_;
};

/// The main window's store side in one folder: maps with their grid, labels and menu marks,
/// and the voltage tables.
struct Rig {
    MatrixGrid grid;
    FakeMessageBoxes boxes;
    FakeMenuMarks marks;
    FakeMapCaptions captions;
    BandMaps maps{grid, boxes, marks};
    MapStore store{maps, boxes, captions};
    Voltages volts;

    explicit Rig(const QString& folder) {
        maps.FillOutputBitMask();
        volts.FillBandCode();
        store.setFolder(folder);
    }
    BandMapState& s() { return maps.state(); }
    bool gridEquals(int map) const {
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                if (grid.cell(r, c) != maps.state().BandMapStore[map][r][c])
                    return false;
        return true;
    }
    /// Marks grid and memory so that any change by a failed read shows.
    void mark() {
        grid.setCell(3, 3, 1);
        grid.setCell(20, 15, 1);
        for (auto& map : s().BandMapStore)
            for (auto& row : map)
                for (auto& cell : row)
                    cell = 7;
        s().MapChanged = false;
    }
    bool gridStillMarked() const {
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                if (grid.cell(r, c) != ((r == 3 && c == 3) || (r == 20 && c == 15) ? 1 : 0))
                    return false;
        return true;
    }
    bool noAccMark() const {
        return !marks.isChecked("cmd_UseACC_Yes") && !marks.isChecked("cmd_UseACC_No");
    }
};

/// A scratch folder for the cases that write a file thousands of times: in memory where the
/// system has such a place, since on a disk every rewrite costs a block discard.
std::unique_ptr<QTemporaryDir> scratchDir() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable())
        return std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/bdx4-faults-XXXXXX"));
    return std::make_unique<QTemporaryDir>();
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool putFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

/// A store whose maps differ cell by cell, with the ACn mode on.
BandMapState patternMaps() {
    BandMapState s;
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                s.BandMapStore[m][r][c] = std::uint8_t((r * 5 + c * 3 + m) % 3 == 0);
    s.UseAccForBandmap = true;
    return s;
}

QByteArray defaultVoltStore() {
    Voltages v;
    for (int t = 0; t < kVoltTables; ++t)
        for (int b = 0; b < kVoltBands; ++b)
            v.state().BandVoltTable[t][b] = Voltages::DefaultLevels(t)[b];
    return VoltStoreText(v.state());
}

/// The box a failed map save shows: the fixed text, the platform's reason, "Error # n".
bool isWriteFailureBox(const MessageRequest& box) {
    return box.text.startsWith(QStringLiteral("Oops! Error message...\r\n\r\n")) &&
           box.text.size() > 26 && box.title.startsWith(QStringLiteral("Error # ")) &&
           box.title.mid(8).toInt() != 0 && box.icon == MsgIcon::Critical &&
           box.buttons == MsgButtons::Ok;
}

/// Whether the level lists are what the table gives: per table, ascending levels, a (level,
/// band code) pair for every band not at level 0 and (255, 255) for the others.
bool listsFollowTable(const VoltageState& s) {
    for (int t = 0; t < kVoltTables; ++t) {
        int used = 0;
        for (int b = 0; b < kVoltBands; ++b)
            used += Voltages::LevelFromValue(s.BandVoltTable[t][b]) != 0;
        for (int i = 0; i < kVoltBands; ++i) {
            const int level = s.level(t)[i];
            const int code = s.band(t)[i];
            if (i > 0 && level < s.level(t)[i - 1])
                return false;
            if (i >= used) {
                if (level != 255 || code != 255)
                    return false;
                continue;
            }
            const auto at = std::find(kBandCodes.begin(), kBandCodes.end(), code);
            if (at == kBandCodes.end())
                return false;
            const int band = int(at - kBandCodes.begin());
            if (std::min(Voltages::LevelFromValue(s.BandVoltTable[t][band]), 254) != level)
                return false;
        }
    }
    return true;
}

/// Runs `scenario` in a child process after `prepare` has set the child up (a mount
/// namespace, another user, a file size limit). `prepare` returns why it could not, which
/// makes the case a skip. Returns the scenario's findings, or a note that the child died.
struct ChildResult {
    QString skipped;
    QString problems;
};

ChildResult inChild(const std::function<QString()>& prepare,
                    const std::function<QString()>& scenario) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {QStringLiteral("no pipe"), {}};
    const pid_t pid = ::fork();
    if (pid < 0)
        return {QStringLiteral("no fork"), {}};
    if (pid == 0) {
        ::close(fds[0]);
        const QString why = prepare();
        const QByteArray out = why.isEmpty() ? "R" + scenario().toUtf8() : "S" + why.toUtf8();
        qsizetype done = 0;
        while (done < out.size()) {
            const ssize_t n = ::write(fds[1], out.constData() + done, size_t(out.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray in;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0)
            in.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            break;
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {{},
                QStringLiteral("the child ended abnormally (status %1, signal %2)")
                    .arg(status)
                    .arg(WIFSIGNALED(status) ? WTERMSIG(status) : 0)};
    if (in.startsWith('S'))
        return {QString::fromUtf8(in.mid(1)), {}};
    if (!in.startsWith('R'))
        return {{}, QStringLiteral("the child reported nothing")};
    return {{}, QString::fromUtf8(in.mid(1))};
}

QString errnoText(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

/// Makes `folder` read-only for this process: a read-only bind mount in a mount namespace of
/// its own, which stops root too.
QString readOnlyMount(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (::unshare(CLONE_NEWNS) != 0)
        return errnoText("unshare");
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return errnoText("mount private");
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND | MS_REC, nullptr) != 0)
        return errnoText("bind mount");
    if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        return errnoText("read-only remount");
    return {};
}

/// Becomes the user nobody, for whom root's folders are read-only.
QString becomeNobody() {
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
        return errnoText("becoming nobody");
    return {};
}

/// Makes every file write beyond `bytes` fail (EFBIG), as a disk that is full by then. The
/// signal the kernel raises for it is ignored, as the program must for a write to fail
/// cleanly rather than end it.
QString fileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return errnoText("setrlimit");
    return {};
}

/// Start-up and saves with stores in a folder that cannot be written: `stores` holds a map
/// store and a voltage store, `empty` holds nothing (either may be empty to skip that part).
QString readOnlyFolderScenario(const QString& stores, const QByteArray& mapStore,
                               const QByteArray& voltStore, const QString& empty,
                               const QString& userData) {
    Problems p;
    if (!stores.isEmpty()) {
        Rig r(stores);
        r.store.StartMapStore();
        LoadVoltStore(r.volts, stores);
        p.check(r.gridEquals(0) && r.captions.shown == 0 && r.s().UseAccForBandmap &&
                    r.marks.isChecked("cmd_UseACC_Yes"),
                "the map store of a read-only folder is read at start-up");
        p.check(r.volts.state().BandVoltTable[1][0] == 255.0f && listsFollowTable(r.volts.state()),
                "the voltage store of a read-only folder is read at start-up");
        p.check(r.boxes.shown.isEmpty(), "the start-up showed a box");

        r.grid.click(0, 0);
        r.store.Save_MAP_Click(2);
        p.check(r.boxes.shown.size() == 1 && isWriteFailureBox(r.boxes.shown.value(0)),
                "a failed save shows the error box");
        p.check(r.s().BandMapStore[1][0][0] == r.grid.cell(0, 0),
                "the map in memory keeps the edit after a failed save");
        const Failure volts = WriteVoltStore(r.volts, stores);
        p.check(volts.has_value() && !volts->description.isEmpty(),
                "a failed voltage save reports its reason");
        p.check(fileBytes(QDir(stores).filePath(kMapStoreName)) == mapStore,
                "the map store survives byte for byte");
        p.check(fileBytes(QDir(stores).filePath(kVoltStoreName)) == voltStore,
                "the voltage store survives byte for byte");
        p.check(entries(stores) == QStringList({kVoltStoreName, kMapStoreName}),
                "files were left beside the stores: " + entries(stores).join(' '));
        // The start-up moves to the user's data folder and takes the stores along (where this
        // user may create that folder).
        const bool mayCreate = QFileInfo(QFileInfo(userData).absolutePath()).isWritable();
        p.check(!mayCreate ||
                    (Lifecycle::StoreFolderFor(stores, userData) == QDir::cleanPath(userData) &&
                     fileBytes(QDir(userData).filePath(kMapStoreName)) == mapStore &&
                     fileBytes(QDir(userData).filePath(kVoltStoreName)) == voltStore),
                "the stores of a read-only program folder were not taken to the user's folder");
        QDir(userData).removeRecursively();
    }
    if (!empty.isEmpty()) {
        Rig r(empty);
        r.mark();
        r.store.StartMapStore();
        LoadVoltStore(r.volts, empty);
        p.check(r.boxes.shown.isEmpty(), "creating the stores showed a box");
        p.check(r.gridStillMarked() && r.captions.calls == 0 && r.noAccMark() && !r.s().MapChanged,
                "a store that could not be created changed the grid, labels or marks");
        p.check(listsFollowTable(r.volts.state()), "the level lists do not follow the table");
        r.store.Save_MAP_Click(1);
        p.check(r.boxes.shown.size() == 1 && isWriteFailureBox(r.boxes.shown.value(0)),
                "saving into a read-only folder shows the error box");
        p.check(entries(empty).isEmpty() || !QFileInfo(empty).isDir(),
                "something was created in the read-only folder");
        p.check(Lifecycle::StoreFolderFor(empty, userData) == QDir::cleanPath(userData),
                "the start-up does not move the stores to the user's data folder");
    }
    return p.text();
}

} // namespace

class TestStoreFaults : public QObject {
    Q_OBJECT

private slots:
    void readOnlyFolder_data();
    void readOnlyFolder();
    void storesReplacedByFolders();
    void mapStoreCutAfterEveryLine();
    void voltStoreCutAfterEveryLine();
    void randomBytesAsStores_data();
    void randomBytesAsStores();
    void diskFillsDuringSave_data();
    void diskFillsDuringSave();
    void fileSizeLimitEndsNoProgram();
};

void TestStoreFaults::readOnlyFolder_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("a file in the way") << QStringLiteral("file");
    QTest::newRow("read-only bind mount") << QStringLiteral("mount");
    QTest::newRow("run as nobody") << QStringLiteral("nobody");
}

void TestStoreFaults::readOnlyFolder() {
    QFETCH(QString, how);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Open for every user: the "nobody" case must reach the stores to read them.
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                  QFileDevice::ExeOther));
    const QString userData = dir.filePath("user-data");
    const QByteArray mapStore = MapStore::StoreText(patternMaps());
    const QByteArray voltStore = defaultVoltStore();

    if (how == QLatin1String("file")) {
        // Nothing can be created below a plain file, whoever asks.
        QVERIFY(putFile(dir.filePath("plain"), "x"));
        const QString problems =
            readOnlyFolderScenario({}, {}, {}, dir.filePath("plain/bin"), userData);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
        QCOMPARE(fileBytes(dir.filePath("plain")), QByteArray("x"));
        return;
    }

    const QString locked = dir.filePath("locked");
    const QString stores = locked + "/stores";
    const QString empty = locked + "/empty";
    QVERIFY(QDir().mkpath(stores) && QDir().mkpath(empty));
    QVERIFY(putFile(stores + "/" + kMapStoreName, mapStore));
    QVERIFY(putFile(stores + "/" + kVoltStoreName, voltStore));

    const std::function<QString()> prepare =
        how == QLatin1String("mount")
            ? std::function<QString()>([&] { return readOnlyMount(locked); })
            : std::function<QString()>(becomeNobody);
    const ChildResult result = inChild(prepare, [&] {
        return readOnlyFolderScenario(stores, mapStore, voltStore, empty, userData);
    });
    if (!result.skipped.isEmpty())
        QSKIP(qPrintable(result.skipped));
    QVERIFY2(result.problems.isEmpty(), qPrintable(result.problems));
    // Seen from outside the child as well.
    QCOMPARE(fileBytes(stores + "/" + kMapStoreName), mapStore);
    QCOMPARE(fileBytes(stores + "/" + kVoltStoreName), voltStore);
    QCOMPARE(entries(empty), QStringList());
}

void TestStoreFaults::storesReplacedByFolders() {
    QTemporaryDir exe;
    QVERIFY(QDir(exe.path()).mkpath(QString(kMapStoreName) + "/inner"));
    QVERIFY(QDir(exe.path()).mkdir(kVoltStoreName));

    Rig r(exe.path());
    FakeSettingsStore settings;
    LinkState link;
    Lifecycle life(r.maps, r.volts, r.store, link, settings, r.marks, r.captions, PortActions{},
                   exe.path());
    life.Form_Load();
    r.grid.setCell(3, 3, 1);
    r.grid.setCell(20, 15, 1);
    r.s().MapChanged = false;
    life.Form_Activate();

    // Silent, nothing shown, nothing created, nothing replaced.
    QVERIFY(r.boxes.shown.isEmpty());
    QCOMPARE(life.StoreFolder(), QDir::cleanPath(exe.path()));
    QVERIFY(r.s().StartupDone);
    QCOMPARE(r.grid.cell(3, 3), 1);
    QCOMPARE(r.grid.cell(0, 0), 0); // not the defaults either
    QCOMPARE(r.captions.shown, -1);
    QVERIFY(r.noAccMark());
    QVERIFY(listsFollowTable(r.volts.state()));
    QCOMPARE(int(r.volts.state().An1Level[0]), 255);
    QCOMPARE(entries(exe.path()), QStringList({kVoltStoreName, kMapStoreName}));
    QVERIFY(QFileInfo(exe.filePath(kMapStoreName)).isDir());
    QVERIFY(QFileInfo(exe.filePath(QString(kMapStoreName) + "/inner")).isDir());

    // Saving says it failed, each time it is tried; the folders stay.
    r.store.Save_MAP_Click(1);
    r.store.Save_MAP_Click(3);
    QCOMPARE(r.boxes.shown.size(), 2);
    QVERIFY(isWriteFailureBox(r.boxes.shown[0]));
    QVERIFY(isWriteFailureBox(r.boxes.shown[1]));
    QVERIFY(WriteVoltStore(r.volts, exe.path()).has_value());
    QCOMPARE(entries(exe.path()), QStringList({kVoltStoreName, kMapStoreName}));
    QVERIFY(QFileInfo(exe.filePath(kVoltStoreName)).isDir());

    // The folder moved away, the next save goes through.
    QVERIFY(QDir(exe.filePath(kMapStoreName)).removeRecursively());
    r.store.Save_MAP_Click(2);
    QCOMPARE(r.boxes.shown.size(), 2);
    QCOMPARE(fileBytes(exe.filePath(kMapStoreName)), MapStore::StoreText(r.s()));
}

void TestStoreFaults::mapStoreCutAfterEveryLine() {
    const BandMapState source = patternMaps();
    const QByteArray full = MapStore::StoreText(source);
    const QList<QByteArray> lines = full.split('\n'); // each but the last keeps its CR
    QCOMPARE(lines.size(), 1077);
    const auto scratch = scratchDir();
    QTemporaryDir& dir = *scratch;
    const QString path = QDir(dir.path()).filePath(kMapStoreName);

    // Cut after k whole lines, and after k lines and the first byte of the next one.
    for (int k = 0; k <= 1076; ++k) {
        for (int extra = 0; extra <= (k < 1076 ? 1 : 0); ++extra) {
            QByteArray cut;
            for (int i = 0; i < k; ++i)
                cut += lines[i] + '\n';
            int valueLines = 0;
            for (int i = 0; i < k && i < 1074; ++i)
                valueLines += !lines[i].startsWith('"');
            if (extra) {
                cut += lines[k].left(1);
                valueLines += k < 1074 && !lines[k].startsWith('"');
            }
            QVERIFY(putFile(path, cut));
            const QString where =
                QStringLiteral("cut after %1 lines%2").arg(k).arg(extra ? " and a byte" : "");

            Rig r(dir.path());
            r.mark();
            r.store.StartMapStore();
            QVERIFY2(r.boxes.shown.isEmpty(), qPrintable(where));
            QVERIFY2(fileBytes(path) == cut, qPrintable(where));
            int n = 0;
            for (int m = 0; m < kMaps; ++m)
                for (int row = 0; row < kBandRows; ++row)
                    for (int c = 0; c < kOutputs; ++c, ++n) {
                        const int want = n < valueLines ? source.BandMapStore[m][row][c] : 7;
                        if (r.s().BandMapStore[m][row][c] != want)
                            QFAIL(qPrintable(
                                where + QStringLiteral(": cell %1/%2/%3").arg(m).arg(row).arg(c)));
                    }
            if (k == 1076) {
                QVERIFY(r.gridEquals(0));
                QCOMPARE(r.captions.shown, 0);
                QVERIFY(r.s().UseAccForBandmap);
                QVERIFY(r.marks.isChecked("cmd_UseACC_Yes"));
            } else {
                // Reading stopped: grid, labels, ACn mode and marks are as they were.
                QVERIFY2(r.gridStillMarked(), qPrintable(where));
                QVERIFY2(r.captions.calls == 0, qPrintable(where));
                QVERIFY2(!r.s().UseAccForBandmap && r.noAccMark(), qPrintable(where));
                QVERIFY2(!r.s().MapChanged, qPrintable(where));
            }
        }
    }
}

void TestStoreFaults::voltStoreCutAfterEveryLine() {
    Voltages source;
    for (int t = 0; t < kVoltTables; ++t)
        for (int b = 0; b < kVoltBands; ++b)
            source.state().BandVoltTable[t][b] = float(1 + t * kVoltBands + b);
    const QList<QByteArray> lines = VoltStoreText(source.state()).split('\n');
    QCOMPARE(lines.size(), 40);
    QTemporaryDir dir;
    const QString path = VoltStorePath(dir.path());
    for (int k = 0; k <= 39; ++k) {
        QByteArray cut;
        for (int i = 0; i < k; ++i)
            cut += lines[i] + '\n';
        QVERIFY(putFile(path, cut));
        Voltages v;
        v.FillBandCode();
        for (auto& table : v.state().BandVoltTable)
            for (float& level : table)
                level = 200;
        LoadVoltStore(v, dir.path());
        QCOMPARE(fileBytes(path), cut);
        for (int i = 0; i < kVoltTables * kVoltBands; ++i)
            QCOMPARE(v.state().BandVoltTable[i / kVoltBands][i % kVoltBands],
                     i < k ? float(i + 1) : 200.0f);
        QVERIFY(listsFollowTable(v.state()));
    }
}

void TestStoreFaults::randomBytesAsStores_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("any bytes") << 0;
    QTest::newRow("bytes of the stores' alphabet") << 1;
    QTest::newRow("valid stores with bytes changed") << 2;
}

void TestStoreFaults::randomBytesAsStores() {
    QFETCH(int, kind);
    QRandomGenerator random(20240611u + quint32(kind));
    const QByteArray alphabet = "0123456789,.-+ eE\"#\r\nTRUEFALSMapRowty";
    const QByteArray validMaps = MapStore::StoreText(patternMaps());
    const QByteArray validVolts = defaultVoltStore();
    const auto scratch = scratchDir();
    QTemporaryDir& dir = *scratch;
    const QString mapPath = QDir(dir.path()).filePath(kMapStoreName);
    const QString voltPath = VoltStorePath(dir.path());

    auto randomFile = [&](const QByteArray& valid) {
        QByteArray bytes;
        if (kind == 2) {
            bytes = valid;
            for (int flips = 1 + random.bounded(8); flips > 0; --flips)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            if (random.bounded(4) == 0)
                bytes.truncate(random.bounded(int(bytes.size())));
            return bytes;
        }
        const int length = random.bounded(kind == 0 ? 6000 : 4000);
        bytes.resize(length);
        for (char& c : bytes)
            c = kind == 0 ? char(random.bounded(256))
                          : alphabet[random.bounded(int(alphabet.size()))];
        return bytes;
    };

    for (int round = 0; round < 300; ++round) {
        const QByteArray maps = randomFile(validMaps);
        const QByteArray volts = randomFile(validVolts);
        QVERIFY(putFile(mapPath, maps));
        QVERIFY(putFile(voltPath, volts));
        const QString where = QStringLiteral("round %1").arg(round);

        Rig r(dir.path());
        r.mark();
        QFile store(mapPath);
        QVERIFY(store.open(QIODevice::ReadOnly));
        const bool whole = r.store.ReadMapStore(store);
        store.close();
        LoadVoltStore(r.volts, dir.path());
        QVERIFY2(r.boxes.shown.isEmpty(), qPrintable(where));
        QVERIFY2(fileBytes(mapPath) == maps && fileBytes(voltPath) == volts, qPrintable(where));
        if (whole) {
            // Either all three maps and the flag were read and MAP1 shows, or the first item
            // was "Empty" and the defaults show.
            QVERIFY2((r.captions.shown == 0 && r.gridEquals(0)) ||
                         (r.captions.calls == 0 && r.marks.isChecked("cmd_UseACC_No")),
                     qPrintable(where));
        } else {
            QVERIFY2(r.gridStillMarked() && r.captions.calls == 0 && r.noAccMark(),
                     qPrintable(where));
        }
        for (const auto& table : r.volts.state().BandVoltTable)
            for (float level : table)
                QVERIFY2(level >= 0 && level <= 255, qPrintable(where));
        QVERIFY2(listsFollowTable(r.volts.state()), qPrintable(where));

        // Whatever was read, a save writes it whole and it reads back the same.
        QVERIFY(!r.store.WriteMapStore().has_value());
        QVERIFY(!WriteVoltStore(r.volts, dir.path()).has_value());
        Rig back(dir.path());
        QFile again(mapPath);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QVERIFY2(back.store.ReadMapStore(again), qPrintable(where));
        QVERIFY2(
            std::memcmp(back.s().BandMapStore, r.s().BandMapStore, sizeof r.s().BandMapStore) == 0,
            qPrintable(where));
        QCOMPARE(back.s().UseAccForBandmap, r.s().UseAccForBandmap);
        LoadVoltStore(back.volts, dir.path());
        QVERIFY2(std::memcmp(back.volts.state().BandVoltTable, r.volts.state().BandVoltTable,
                             sizeof r.volts.state().BandVoltTable) == 0,
                 qPrintable(where));
    }
}

void TestStoreFaults::diskFillsDuringSave_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("limit"); // bytes a file may take before the disk is "full"
    for (int limit : {0, 1, 1000, 3000})
        QTest::addRow("map store, %d bytes", limit) << QStringLiteral("maps") << limit;
    for (int limit : {0, 1, 40, 100})
        QTest::addRow("voltage store, %d bytes", limit) << QStringLiteral("volts") << limit;
    for (int limit : {0, 1, 100, 400})
        QTest::addRow("export file, %d bytes", limit) << QStringLiteral("export") << limit;
}

void TestStoreFaults::diskFillsDuringSave() {
    QFETCH(QString, file);
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString mapPath = QDir(dir.path()).filePath(kMapStoreName);
    const QString voltPath = VoltStorePath(dir.path());
    const QString exportPath = dir.filePath("bandmap.txt");
    // The earlier files, each longer than any of the limits would let through.
    const QByteArray oldMaps = MapStore::StoreText(patternMaps());
    const QByteArray oldVolts = defaultVoltStore();
    const QByteArray oldExport = QByteArray(600, 'x') + "\r\n";
    QVERIFY(putFile(mapPath, oldMaps));
    QVERIFY(putFile(voltPath, oldVolts));
    QVERIFY(putFile(exportPath, oldExport));

    const ChildResult result = inChild(
        [limit] { return fileSizeLimit(rlim_t(limit)); },
        [&] {
            Problems p;
            Rig r(dir.path());
            FakeClock clock;
            FakeSerialLine line(&clock);
            FakeStatusBox status;
            FakeProgressWindow progress;
            Link link(line, r.boxes, r.marks, clock, status, progress);
            Downloader downloader(r.maps, r.volts, link, status, r.boxes, clock);
            if (file == QLatin1String("maps")) {
                p.check(r.store.WriteMapStore().has_value(), "the map save reported success");
                p.check(r.boxes.shown.size() == 1 && isWriteFailureBox(r.boxes.shown.value(0)),
                        "no clear message for the failed map save");
            } else if (file == QLatin1String("volts")) {
                p.check(WriteVoltStore(r.volts, dir.path()).has_value(),
                        "the voltage save reported success");
            } else {
                downloader.WriteBandmapToFile_Click([&] { return exportPath; });
                const MessageRequest box = r.boxes.shown.value(0);
                p.check(r.boxes.shown.size() == 1 &&
                            box.title == QStringLiteral("Write Bandmap to File") &&
                            box.text.startsWith("The file \"" + exportPath +
                                                "\" could not be written:\r\n") &&
                            box.text.endsWith(
                                QStringLiteral("Nothing was saved; any earlier file of that "
                                               "name is unchanged.")),
                        "no clear message for the failed export: " + box.text);
                p.check(status.text() == QStringLiteral("Last Send Failed!") &&
                            status.color == StatusColor::Red,
                        "the status box does not show the failure");
                p.check(line.writes.isEmpty(), "the export wrote to the port");
            }
            return p.text();
        });
    QVERIFY2(result.skipped.isEmpty(), qPrintable(result.skipped));
    QVERIFY2(result.problems.isEmpty(), qPrintable(result.problems));
    QCOMPARE(fileBytes(mapPath), oldMaps);
    QCOMPARE(fileBytes(voltPath), oldVolts);
    QCOMPARE(fileBytes(exportPath), oldExport);
    QCOMPARE(entries(dir.path()), QStringList({"bandmap.txt", kVoltStoreName, kMapStoreName}));
}

void TestStoreFaults::fileSizeLimitEndsNoProgram() {
    // The command-line program, started as a user's shell would start it: the signal for a
    // write past the limit at its default (ending the process), the limit below the export.
    const QString ctl = QCoreApplication::applicationDirPath() + "/../bdx4ctl";
    if (!QFileInfo(ctl).isExecutable())
        QSKIP("bdx4ctl is not built");
    QTemporaryDir dir;
    QVERIFY(putFile(QDir(dir.path()).filePath(kMapStoreName), MapStore::StoreText(patternMaps())));
    const QString exportPath = dir.filePath("bandmap.txt");
    const QByteArray oldExport = QByteArray(600, 'x') + "\r\n";
    QVERIFY(putFile(exportPath, oldExport));

    QProcess run;
    run.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    run.start(ctl, {"export", "--store", dir.path(), exportPath});
    QVERIFY(run.waitForFinished(20000));
    const QString err = QString::fromLocal8Bit(run.readAllStandardError());
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QVERIFY2(run.exitCode() != 0, qPrintable(err));
    QVERIFY2(err.contains(exportPath), qPrintable(err));
    QCOMPARE(fileBytes(exportPath), oldExport);
    QCOMPARE(entries(dir.path()), QStringList({"bandmap.txt", kMapStoreName}));
}

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "tst_store_faults.moc"
