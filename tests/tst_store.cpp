#include "bandmap/MatrixGrid.h"
#include "store/MapStore.h"
#include "support/FakeMapCaptions.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/UnopenableFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace bdx4;
using namespace bdx4::test;

namespace {

/// The 21 x 16 cells, row by row, one character each.
template <typename Cell> QByteArray cells(Cell value) {
    QByteArray text;
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            text += char('0' + value(r, c));
    return text;
}
QByteArray mapCells(const BandMapState& s, int m) {
    return cells([&](int r, int c) { return s.BandMapStore[m][r][c]; });
}
QByteArray startupDefaults() {
    return cells([](int r, int c) { return (kDefaultsStartup[r] & out(c)) ? 1 : 0; });
}

/// The map store with its main-window surroundings, in a folder of its own.
struct Rig {
    QTemporaryDir dir;
    MatrixGrid grid;
    FakeMessageBoxes boxes;
    FakeMenuMarks marks;
    FakeMapCaptions captions;
    BandMaps maps{grid, boxes, marks};
    MapStore store{maps, boxes, captions};

    explicit Rig(const QString& folder = {}) {
        maps.FillOutputBitMask();
        store.setFolder(folder.isEmpty() ? dir.path() : folder);
    }
    BandMapState& s() { return maps.state(); }
    QByteArray file() const {
        QFile f(store.storePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void putFile(const QByteArray& bytes) const {
        QFile f(store.storePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray shown() const {
        return cells([&](int r, int c) { return grid.cell(r, c); });
    }
    bool accColumnsVisible() const { return grid.isCellVisible(0, kAC1); }
    QString accMarks() const {
        return QStringLiteral("%1%2").arg(marks.isChecked("cmd_UseACC_Yes") ? "Y" : "-",
                                          marks.isChecked("cmd_UseACC_No") ? "N" : "-");
    }
};

/// Each map and row differs; values 0 and 1 only.
void fillPattern(BandMapState& s) {
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                s.BandMapStore[m][r][c] = std::uint8_t((r * 7 + c * 3 + m * 5) % 4 == 0);
}

BandMapState pattern() {
    BandMapState s;
    fillPattern(s);
    return s;
}

/// Lines 1..count of a store (CR LF kept).
QByteArray firstLines(const QByteArray& store, int count) {
    int at = 0;
    for (int i = 0; i < count; ++i)
        at = store.indexOf('\n', at) + 1;
    return store.left(at);
}

/// The store with line `line` (1-based) replaced.
QByteArray withLine(const QByteArray& store, int line, const QByteArray& text) {
    const int from = int(firstLines(store, line - 1).size());
    return store.left(from) + text + store.mid(store.indexOf('\r', from));
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

private slots:
    void writtenStoreReadsBack_data() {
        QTest::addColumn<bool>("useAcc");
        QTest::addColumn<int>("odd"); // a hand-edited value beyond 0 and 1 survives too
        QTest::addColumn<bool>("mangled");
        QTest::newRow("ACn default table") << false << 1 << false;
        QTest::newRow("ACn for bandmap") << true << 1 << false;
        QTest::newRow("hand-edited 255") << false << 255 << false;
        QTest::newRow("labels, LF ends, data after the flag") << true << 0 << true;
    }
    void writtenStoreReadsBack() {
        QFETCH(bool, useAcc);
        QFETCH(int, odd);
        QFETCH(bool, mangled);
        Rig a;
        a.store.StartMapStore(); // creates "Empty"
        fillPattern(a.s());
        a.s().BandMapStore[2][20][15] = std::uint8_t(odd);
        a.s().UseAccForBandmap = useAcc;
        a.store.Save_MAP_Click(2); // the grid (defaults) becomes map 2; all is written
        QVERIFY(a.boxes.shown.isEmpty());
        const QList<QByteArray> lines = a.file().split('\n');
        QCOMPARE(lines.size(), 1077);
        for (int m = 0; m < kMaps; ++m) {
            QCOMPARE(lines[358 * m], "\"Map " + QByteArray::number(m + 1) + "\"\r");
            for (int r = 0; r < kBandRows; ++r) {
                QCOMPARE(lines[1 + 358 * m + 17 * r], "\"Row " + QByteArray::number(r) + "\"\r");
                for (int c = 0; c < kOutputs; ++c)
                    QCOMPARE(lines[2 + 358 * m + 17 * r + c],
                             QByteArray::number(a.s().BandMapStore[m][r][c]) + '\r');
            }
        }
        QCOMPARE(lines.mid(1074),
                 (QList<QByteArray>{"\"----\"\r", useAcc ? "#TRUE#\r" : "#FALSE#\r", ""}));
        if (mangled) {
            // Labels are not compared, line ends may be bare LF, what follows the flag is ignored.
            QByteArray text = withLine(a.file(), 2 + 17 * 5, "\"whatever\"");
            text = withLine(text, 359, "Map two");
            text = withLine(text, 1075, "\"-- anything --\"").replace("\r\n", "\n");
            a.putFile(text + "junk\n1,2,3\n#FALSE#\n");
        }

        Rig b(a.dir.path());
        b.s().CurrentMap = 2;
        b.store.StartMapStore();
        QCOMPARE(std::memcmp(a.s().BandMapStore, b.s().BandMapStore, sizeof a.s().BandMapStore), 0);
        QCOMPARE(b.s().UseAccForBandmap, useAcc);
        // MAP1 is shown as after "Display MAP1", with the ACn mode's marks and columns.
        QCOMPARE(b.shown(), mapCells(a.s(), 0));
        QCOMPARE(b.captions.shown, 0);
        QCOMPARE(b.s().CurrentMap, 0);
        QCOMPARE(b.s().MapChanged, false);
        QCOMPARE(b.accMarks(), useAcc ? "Y-" : "-N");
        QCOMPARE(b.accColumnsVisible(), useAcc);
        QVERIFY(b.boxes.shown.isEmpty());
    }

    void startUpWithoutStoredMapsShowsDefaults_data() {
        QTest::addColumn<bool>("created"); // the store was written, the maps in memory erased
        QTest::newRow("no store: \"Empty\" is written") << true;
        QTest::newRow("\"Empty\" whatever follows") << false;
    }
    void startUpWithoutStoredMapsShowsDefaults() {
        QFETCH(bool, created);
        Rig r;
        const QByteArray before = "\"Empty\"\r\n" + MapStore::StoreText(pattern());
        if (!created)
            r.putFile(before);
        r.s().BandMapStore[1][3][3] = 1; // the pattern holds 0 there
        r.s().CurrentMap = 2;
        r.s().UseAccForBandmap = true;
        r.store.StartMapStore();
        QCOMPARE(r.file(), created ? QByteArray("\"Empty\"\r\n") : before);
        QCOMPARE(r.shown(), startupDefaults());
        QCOMPARE(r.s().MapChanged, true); // so the exit asks about "Map1"
        QCOMPARE(r.accMarks(), "-N");
        QVERIFY(!r.accColumnsVisible());
        QCOMPARE(r.s().BandMapStore[1][3][3], std::uint8_t(created ? 0 : 1));
        QCOMPARE(r.s().CurrentMap, created ? 0 : 2);
        QVERIFY(r.s().UseAccForBandmap);
        QCOMPARE(r.captions.calls, 0);
        QVERIFY(r.boxes.shown.isEmpty());
    }

    void failedStartUpKeepsWhatWasRead_data() {
        BandMapState s = pattern();
        s.UseAccForBandmap = true;
        const QByteArray full = MapStore::StoreText(s);
        QTest::addColumn<QByteArray>("text"); // <blocked>, <unopenable>: no store to read
        QTest::addColumn<int>("cellsRead");   // cells, in store order, that reach memory
        QTest::newRow("truncated after the last map") << firstLines(full, 1074) << 1008;
        QTest::newRow("truncated in map 2") << firstLines(full, 358 + 2 + 17 * 4 + 6) << 336 + 70;
        QTest::newRow("non-numeric cell") << withLine(full, 3 + 17 * 2 + 4, "x") << 16 * 2 + 4;
        QTest::newRow("cell 256") << withLine(full, 3 + 358 + 7, "256") << 336 + 7;
        QTest::newRow("flag in lower case") << withLine(full, 1076, "#true#") << 1008;
        QTest::newRow("flag without marks") << withLine(full, 1076, "TRUE") << 1008;
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("lower-case empty") << QByteArray("\"empty\"\r\n") << 0;
        QTest::newRow("folder cannot be written") << QByteArray("<blocked>") << 0;
        QTest::newRow("store cannot be opened") << QByteArray("<unopenable>") << 0;
    }
    void failedStartUpKeepsWhatWasRead() {
        QFETCH(QByteArray, text);
        QFETCH(int, cellsRead);
        const BandMapState source = pattern();
        Rig r;
        if (text == "<blocked>") { // nothing can be created inside a file
            r.putFile({});
            r.store.setFolder(r.store.storePath());
        } else if (text != "<unopenable>")
            r.putFile(text);
        else if (!makeUnopenableFile(r.store.storePath()))
            QSKIP("no way to make an unopenable file here");
        // Memory and grid as the start-up left them before reading: what is not read keeps this.
        std::memset(r.s().BandMapStore, 7, sizeof r.s().BandMapStore);
        r.grid.setCell(4, 4, 1);
        r.s().MapChanged = false;

        r.store.StartMapStore();
        for (int n = 0; n < kMaps * kBandRows * kOutputs; ++n) {
            const int m = n / (kBandRows * kOutputs), row = n / kOutputs % kBandRows,
                      c = n % kOutputs;
            if (r.s().BandMapStore[m][row][c] !=
                (n < cellsRead ? source.BandMapStore[m][row][c] : 7))
                QFAIL(qPrintable(QStringLiteral("cell %1/%2/%3").arg(m).arg(row).arg(c)));
        }
        // The rest of the reading is skipped: grid, labels, ACn mode and marks are left alone.
        QByteArray untouched(kBandRows * kOutputs, '0');
        untouched[4 * kOutputs + 4] = '1';
        QCOMPARE(r.shown(), untouched);
        QCOMPARE(r.captions.calls, 0);
        QCOMPARE(r.s().UseAccForBandmap, false);
        QCOMPARE(r.s().MapChanged, false);
        QCOMPARE(r.accMarks(), "--");
        QVERIFY(r.accColumnsVisible());
        QVERIFY(r.boxes.shown.isEmpty());
        QVERIFY(r.store.loaded());
        if (text.startsWith('<')) // nothing created, an unreadable store kept
            QVERIFY(!QFileInfo(r.store.storePath()).isFile());
        else
            QCOMPARE(r.file(), text);
    }

    void displayOffersToKeepEdits_data() {
        QTest::addColumn<bool>("keep");
        QTest::newRow("Yes keeps the edit in memory") << true;
        QTest::newRow("No drops it") << false;
    }

    void displayOffersToKeepEdits() {
        QFETCH(bool, keep);
        Rig r;
        r.store.StartMapStore();
        r.store.Save_MAP_Click(2);
        const QByteArray saved = r.file();
        const int stored = r.s().BandMapStore[1][3][9];
        r.grid.click(3, 9);

        r.boxes.answers = {keep ? MsgAnswer::Yes : MsgAnswer::No};
        r.store.Load_MAP_Click(3);
        QCOMPARE(r.boxes.shown.size(), 1);
        QCOMPARE(r.boxes.shown.first().text, BandMaps::UnsavedChangesText(1)); // the map saved
        QCOMPARE(r.shown(), mapCells(r.s(), 2));
        QCOMPARE(r.captions.shown, 2);
        QCOMPARE(r.s().CurrentMap, 2);
        QCOMPARE(r.s().MapChanged, false);
        QCOMPARE(int(r.s().BandMapStore[1][3][9]), keep ? 1 - stored : stored);
        QCOMPARE(r.file(), saved); // Display never writes the store

        r.store.Load_MAP_Click(2);
        QCOMPARE(r.boxes.shown.size(), 1); // nothing changed on map 3: no prompt
        QCOMPARE(r.grid.cell(3, 9), keep ? 1 - stored : stored);
        QCOMPARE(r.captions.shown, 1);
    }

    void saveAsOtherMapLeavesShownMapAlone() {
        Rig r;
        r.store.StartMapStore();
        fillPattern(r.s());
        r.s().MapChanged = false; // the defaults are dropped for MAP1 of the pattern
        r.store.Load_MAP_Click(1);
        const BandMapState before = r.s();
        r.grid.click(0, 0);
        r.grid.click(20, 15);

        r.store.Save_MAP_Click(3);
        QVERIFY(r.boxes.shown.isEmpty()); // no prompt
        QCOMPARE(r.captions.shown, 2);
        QCOMPARE(r.s().CurrentMap, 2);
        QCOMPARE(r.s().MapChanged, false);
        Rig back(r.dir.path());
        back.store.StartMapStore();
        QCOMPARE(mapCells(back.s(), 0), mapCells(before, 0));
        QCOMPARE(mapCells(back.s(), 1), mapCells(before, 1));
        QCOMPARE(mapCells(back.s(), 2), r.shown());
    }

    void failedSaveKeepsOldStoreByteForByte() {
        Rig r;
        r.store.StartMapStore();
        fillPattern(r.s());
        r.store.Save_MAP_Click(1);
        const QByteArray old = r.file();
        r.grid.click(0, 0);
        // The disk fills up part way through the new store.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        limit.rlim_cur = 1000;
        setrlimit(RLIMIT_FSIZE, &limit);
        r.store.Save_MAP_Click(2);
        setrlimit(RLIMIT_FSIZE, &unlimited);

        QCOMPARE(r.file(), old);
        QCOMPARE(QDir(r.dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{kMapStoreName});
        QCOMPARE(r.boxes.shown.size(), 1);
        const MessageRequest& box = r.boxes.shown.first(); // the platform's reason and number
        QVERIFY(box.text.startsWith("Oops! Error message...\r\n\r\n") && box.text.size() > 26);
        QVERIFY(box.title.startsWith("Error # ") && box.title.mid(8).toInt() != 0);
        QCOMPARE(box.icon, MsgIcon::Critical);
        QCOMPARE(box.buttons, MsgButtons::Ok);
        // The edit stays in memory and the next save goes through.
        r.store.Save_MAP_Click(2);
        QCOMPARE(r.boxes.shown.size(), 1);
        QCOMPARE(r.file(), MapStore::StoreText(r.s()));
        QVERIFY(r.file() != old);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
