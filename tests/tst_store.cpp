#include "bandmap/MatrixGrid.h"
#include "store/MapStore.h"
#include "store/TextItems.h"
#include "support/FakeMapCaptions.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/UnopenableFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace bdx4;
using namespace bdx4::test;

namespace {

/// The map store with its main-window surroundings, in a folder of its own.
struct Rig {
    QTemporaryDir dir;
    MatrixGrid grid;
    FakeMessageBoxes boxes;
    FakeMenuMarks marks;
    FakeMapCaptions captions;
    BandMaps maps{grid, boxes, marks};
    MapStore store{maps, boxes, captions};

    Rig() {
        maps.FillOutputBitMask();
        store.setFolder(dir.path());
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
    bool read(const QByteArray& bytes) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return store.ReadMapStore(buffer);
    }
    bool gridEquals(int map) const {
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                if (grid.cell(r, c) != maps.state().BandMapStore[map][r][c])
                    return false;
        return true;
    }
    bool gridShowsStartupDefaults() const {
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                if (grid.cell(r, c) != ((kDefaultsStartup[r] & out(c)) ? 1 : 0))
                    return false;
        return true;
    }
    bool accColumnsVisible() const { return grid.isCellVisible(0, kAC1); }
};

/// A recognisable pattern: each map differs, every row differs, values 0 and 1 only.
void fillPattern(BandMapState& s) {
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                s.BandMapStore[m][r][c] = std::uint8_t((r * 7 + c * 3 + m * 5) % 4 == 0);
}

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
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
    QList<QByteArray> lines = linesOf(store);
    lines[line - 1] = text + '\r';
    return lines.join('\n') + '\n';
}

#ifdef Q_OS_UNIX
/// Makes every file write of this process fail beyond `bytes` (EFBIG), as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};
#endif

} // namespace

class TestStore : public QObject {
    Q_OBJECT

private slots:
    void itemsEndAtCommaOrLineEnd_data();
    void itemsEndAtCommaOrLineEnd();

    void writtenStoreHasTheFixedLayout();
    void writtenStoreReadsBackExactly_data();
    void writtenStoreReadsBackExactly();
    void labelsAndLineEndsAreNotChecked();

    void readFailureKeepsWhatWasRead_data();
    void readFailureKeepsWhatWasRead();
    void emptyLabelShowsDefaultsWhateverFollows();

    void missingStoreIsCreatedEmpty();
    void createFailureChangesNothing();
    void unopenableStoreIsNotReplaced();

    void promptNamesTheMapJustSaved();
    void saveAsOtherMapLeavesShownMapAlone();
    void displayWithYesKeepsEditsInMemoryOnly();
    void displayWithNoDropsEdits();
    void saveBeforeStoreIsLoadedWritesNothing();

    void failedSaveShowsErrorAndKeepsNoPartialFile();
    void failedSaveKeepsOldStoreByteForByte();
};

void TestStore::itemsEndAtCommaOrLineEnd_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("labels and values") << QByteArray("\"Map 1\"\r\n\"Row 0\"\r\n1\r\n0\r\n")
                                       << QStringList{"Map 1", "Row 0", "1", "0"};
    QTest::newRow("comma ends an item") << QByteArray("0,0\r\n") << QStringList{"0", "0"};
    QTest::newRow("comma inside quotes") << QByteArray("\"a,b\",c\r\n") << QStringList{"a,b", "c"};
    QTest::newRow("blanks around items")
        << QByteArray("  12 ,\t\"x\"  \r\n") << QStringList{"12", "x"};
    QTest::newRow("text after closing quote dropped")
        << QByteArray("\"e\"junk\r\nf\r\n") << QStringList{"e", "f"};
    QTest::newRow("empty line is an empty item")
        << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("LF and lone CR end lines")
        << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("unclosed quote ends at line end")
        << QByteArray("\"abc\r\nd") << QStringList{"abc", "d"};
    QTest::newRow("mode flag unquoted")
        << QByteArray("\"----\"\r\n#TRUE#\r\n") << QStringList{"----", "#TRUE#"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestStore::itemsEndAtCommaOrLineEnd() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, items);
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    TextItemReader in(buffer);
    QStringList got;
    while (const std::optional<QString> item = in.next())
        got << *item;
    QCOMPARE(got, items);
}

void TestStore::writtenStoreHasTheFixedLayout() {
    BandMapState s;
    fillPattern(s);
    s.BandMapStore[0][0][0] = 1; // the worked example's first rows
    for (int c = 1; c < kOutputs; ++c)
        s.BandMapStore[0][0][c] = 0;
    s.BandMapStore[0][1][0] = 0;
    const QByteArray text = MapStore::StoreText(s);

    QCOMPARE(firstLines(text, 20), QByteArray("\"Map 1\"\r\n\"Row 0\"\r\n1\r\n0\r\n0\r\n0\r\n0\r\n"
                                              "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                                              "0\r\n\"Row 1\"\r\n0\r\n"));
    QCOMPARE(text.count("\r\n"), 1076);
    QCOMPARE(text.count('\n'), 1076);
    QVERIFY(text.endsWith("\"----\"\r\n#FALSE#\r\n"));
    const QList<QByteArray> lines = linesOf(text);
    for (int m = 0; m < kMaps; ++m) {
        QCOMPARE(lines[358 * m], "\"Map " + QByteArray::number(m + 1) + "\"\r");
        for (int r = 0; r < kBandRows; ++r) {
            QCOMPARE(lines[1 + 358 * m + 17 * r], "\"Row " + QByteArray::number(r) + "\"\r");
            for (int c = 0; c < kOutputs; ++c)
                QCOMPARE(lines[2 + 358 * m + 17 * r + c],
                         QByteArray::number(s.BandMapStore[m][r][c]) + '\r');
        }
    }
    s.UseAccForBandmap = true;
    QVERIFY(MapStore::StoreText(s).endsWith("\"----\"\r\n#TRUE#\r\n"));
}

void TestStore::writtenStoreReadsBackExactly_data() {
    QTest::addColumn<bool>("useAcc");
    QTest::addColumn<int>("odd"); // a stored value beyond 0 and 1 (hand-edited) survives too
    QTest::newRow("ACn default table") << false << 1;
    QTest::newRow("ACn for bandmap") << true << 1;
    QTest::newRow("hand-edited 255") << false << 255;
}

void TestStore::writtenStoreReadsBackExactly() {
    QFETCH(bool, useAcc);
    QFETCH(int, odd);
    Rig a;
    a.store.StartMapStore(); // creates "Empty"
    fillPattern(a.s());
    a.s().BandMapStore[2][20][15] = std::uint8_t(odd);
    a.s().UseAccForBandmap = useAcc;
    a.store.Save_MAP_Click(2); // the grid (defaults) becomes map 2; all is written
    QVERIFY(a.boxes.shown.isEmpty());

    Rig b;
    b.store.setFolder(a.dir.path());
    b.s().CurrentMap = 2;
    b.store.StartMapStore();
    QCOMPARE(std::memcmp(a.s().BandMapStore, b.s().BandMapStore, sizeof a.s().BandMapStore), 0);
    QCOMPARE(b.s().BandMapStore[2][20][15], std::uint8_t(odd));
    QCOMPARE(b.s().UseAccForBandmap, useAcc);
    // MAP1 is shown as after "Display MAP1".
    QVERIFY(b.gridEquals(0));
    QCOMPARE(b.captions.shown, 0);
    QCOMPARE(b.s().CurrentMap, 0);
    QCOMPARE(b.s().MapChanged, false);
    QCOMPARE(b.marks.isChecked("cmd_UseACC_Yes"), useAcc);
    QCOMPARE(b.marks.isChecked("cmd_UseACC_No"), !useAcc);
    QCOMPARE(b.accColumnsVisible(), useAcc);
    QVERIFY(b.boxes.shown.isEmpty());
}

void TestStore::labelsAndLineEndsAreNotChecked() {
    BandMapState s;
    fillPattern(s);
    QByteArray text = MapStore::StoreText(s);
    text = withLine(text, 2 + 17 * 5, "\"whatever\"");         // "Row 5" of map 1
    text = withLine(text, 359, "Map two");                     // "Map 2" without quotes
    text = withLine(text, 1075, "\"-- anything --\"");         // "----"
    text.replace("\r\n", "\n");                                // LF-only line ends
    text += "junk after the flag\n1,2,3\n\"Map 1\"\n#TRUE#\n"; // ignored

    Rig r;
    QVERIFY(r.read(text));
    QCOMPARE(std::memcmp(s.BandMapStore, r.s().BandMapStore, sizeof s.BandMapStore), 0);
    QCOMPARE(r.s().UseAccForBandmap, false);
    QVERIFY(r.gridEquals(0));
}

void TestStore::readFailureKeepsWhatWasRead_data() {
    BandMapState s;
    fillPattern(s);
    s.UseAccForBandmap = true;
    const QByteArray full = MapStore::StoreText(s);
    const int lastCellLine = 3 + 358 * 2 + 17 * 20 + 15; // 1074

    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("cellsRead"); // cells, in store order, that reach memory
    QTest::newRow("truncated after the last map") << firstLines(full, 1074) << 1008;
    QTest::newRow("truncated before the flag") << firstLines(full, 1075) << 1008;
    QTest::newRow("truncated in map 2")
        << firstLines(full, 358 + 2 + 17 * 4 + 6) << 336 + 16 * 4 + 6;
    QTest::newRow("non-numeric cell") << withLine(full, 3 + 17 * 2 + 4, "x") << 16 * 2 + 4;
    QTest::newRow("cell 256") << withLine(full, 3 + 358 + 7, "256") << 336 + 7;
    QTest::newRow("negative cell") << withLine(full, 3, "-1") << 0;
    QTest::newRow("blank cell line") << withLine(full, lastCellLine, "") << 1007;
    QTest::newRow("flag in lower case") << withLine(full, 1076, "#true#") << 1008;
    QTest::newRow("flag missing its marks") << withLine(full, 1076, "TRUE") << 1008;
    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("only a map label") << QByteArray("\"Map 1\"\r\n") << 0;
    QTest::newRow("lower-case empty") << QByteArray("\"empty\"\r\n") << 0;
    QTest::newRow("upper-case empty") << QByteArray("\"EMPTY\"\r\n") << 0;
}

void TestStore::readFailureKeepsWhatWasRead() {
    QFETCH(QByteArray, text);
    QFETCH(int, cellsRead);
    BandMapState source;
    fillPattern(source);

    Rig r;
    // Memory and grid as the start-up left them before reading: cells not read must keep this.
    for (auto& map : r.s().BandMapStore)
        for (auto& row : map)
            for (auto& cell : row)
                cell = 7;
    r.grid.setCell(4, 4, 1);
    r.grid.setCell(20, 0, 1);
    r.s().MapChanged = false;

    QVERIFY(!r.read(text));

    int n = 0;
    for (int m = 0; m < kMaps; ++m)
        for (int row = 0; row < kBandRows; ++row)
            for (int c = 0; c < kOutputs; ++c, ++n) {
                const int want = n < cellsRead ? source.BandMapStore[m][row][c] : 7;
                if (r.s().BandMapStore[m][row][c] != want)
                    QFAIL(qPrintable(QStringLiteral("cell %1/%2/%3").arg(m).arg(row).arg(c)));
            }
    // The rest of the reading is skipped: grid, labels, ACn mode and marks are left alone.
    QCOMPARE(r.grid.cell(4, 4), 1);
    QCOMPARE(r.grid.cell(20, 0), 1);
    QCOMPARE(r.grid.cell(0, 0), 0);
    QCOMPARE(r.captions.calls, 0);
    QCOMPARE(r.s().UseAccForBandmap, false);
    QCOMPARE(r.s().MapChanged, false);
    QVERIFY(!r.marks.isChecked("cmd_UseACC_Yes"));
    QVERIFY(!r.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(r.accColumnsVisible());
    QVERIFY(r.boxes.shown.isEmpty());
}

void TestStore::emptyLabelShowsDefaultsWhateverFollows() {
    BandMapState s;
    fillPattern(s);
    Rig r;
    r.s().UseAccForBandmap = true;
    r.s().CurrentMap = 1;
    QVERIFY(r.read("\"Empty\"\r\n" + MapStore::StoreText(s)));
    QVERIFY(r.gridShowsStartupDefaults());
    QCOMPARE(r.s().MapChanged, true);
    QCOMPARE(r.s().UseAccForBandmap, true); // not touched
    QCOMPARE(r.s().CurrentMap, 1);
    QVERIFY(!r.marks.isChecked("cmd_UseACC_Yes"));
    QVERIFY(r.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(!r.accColumnsVisible());
    QCOMPARE(r.s().BandMapStore[0][0][0], std::uint8_t(0)); // what followed was not read
    QCOMPARE(r.captions.calls, 0);
    QVERIFY(r.boxes.shown.isEmpty());
}

void TestStore::missingStoreIsCreatedEmpty() {
    Rig r;
    r.s().BandMapStore[1][3][3] = 1;
    r.s().CurrentMap = 2;
    r.store.StartMapStore();
    QCOMPARE(r.file(), QByteArray("\"Empty\"\r\n"));
    QCOMPARE(r.s().BandMapStore[1][3][3], std::uint8_t(0));
    QCOMPARE(r.s().CurrentMap, 0);
    QVERIFY(r.gridShowsStartupDefaults());
    QCOMPARE(r.s().MapChanged, true);
    QVERIFY(r.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(!r.marks.isChecked("cmd_UseACC_Yes"));
    QVERIFY(!r.accColumnsVisible());
    QCOMPARE(r.captions.calls, 0);
    QVERIFY(r.boxes.shown.isEmpty());
    QVERIFY(r.store.loaded());
}

void TestStore::createFailureChangesNothing() {
    Rig r;
    QFile blocker(r.dir.filePath("plain-file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    r.store.setFolder(blocker.fileName()); // a folder inside a file: nothing can be created
    r.s().BandMapStore[1][3][3] = 1;
    r.s().CurrentMap = 2;

    QVERIFY(r.store.CreateMapStore().has_value());
    QCOMPARE(r.s().BandMapStore[1][3][3], std::uint8_t(1));
    QCOMPARE(r.s().CurrentMap, 2);
    QCOMPARE(r.grid.cell(0, 0), 0);
    QCOMPARE(r.s().MapChanged, false);
    QVERIFY(!r.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(r.boxes.shown.isEmpty()); // silent at start-up
}

void TestStore::unopenableStoreIsNotReplaced() {
    Rig r;
    // There, but not readable: a fresh "Empty" store written over it would lose the maps.
    if (!makeUnopenableFile(r.store.storePath()))
        QSKIP("no way to make an unopenable file here");
    QFile probe(r.store.storePath());
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    r.store.StartMapStore();
    QVERIFY(QFileInfo(r.store.storePath()).exists());
    QVERIFY(!QFileInfo(r.store.storePath()).isFile());
    QCOMPARE(r.grid.cell(0, 0), 0);
    QCOMPARE(r.s().MapChanged, false);
    QVERIFY(!r.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(r.boxes.shown.isEmpty());
    QVERIFY(r.store.loaded());
}

void TestStore::promptNamesTheMapJustSaved() {
    Rig r;
    r.store.StartMapStore();
    r.store.Save_MAP_Click(1);
    QCOMPARE(r.captions.shown, 0);
    r.grid.click(5, 5);
    r.boxes.answers = {MsgAnswer::No};
    r.store.Load_MAP_Click(2);
    QCOMPARE(r.boxes.shown.size(), 1);
    const MessageRequest& box = r.boxes.shown.first();
    QCOMPARE(box.text, QStringLiteral("The last Map1 changes have not been saved.  Do you want to "
                                      "save these changes?"));
    QCOMPARE(box.title, QStringLiteral("BDX4 Config"));
    QCOMPARE(box.buttons, MsgButtons::YesNo);
    QCOMPARE(box.defaultButton, MsgAnswer::Yes);
    QCOMPARE(box.icon, MsgIcon::None);
    QCOMPARE(r.captions.shown, 1);
    QCOMPARE(r.s().CurrentMap, 1);
    QCOMPARE(r.s().MapChanged, false);
}

void TestStore::saveAsOtherMapLeavesShownMapAlone() {
    Rig r;
    r.store.StartMapStore();
    fillPattern(r.s());
    r.boxes.answers = {MsgAnswer::No}; // drop the defaults, show the pattern's map 1
    r.store.Load_MAP_Click(1);
    r.boxes.shown.clear();
    std::uint8_t map1[kBandRows][kOutputs];
    std::memcpy(map1, r.s().BandMapStore[0], sizeof map1);
    r.grid.click(0, 0);
    r.grid.click(20, 15);

    r.store.Save_MAP_Click(3);
    QVERIFY(r.boxes.shown.isEmpty()); // no prompt
    QCOMPARE(r.captions.shown, 2);
    QCOMPARE(r.s().CurrentMap, 2);
    QCOMPARE(r.s().MapChanged, false);

    Rig back;
    back.store.setFolder(r.dir.path());
    back.store.StartMapStore();
    QCOMPARE(std::memcmp(back.s().BandMapStore[0], map1, sizeof map1), 0);
    for (int row = 0; row < kBandRows; ++row)
        for (int c = 0; c < kOutputs; ++c)
            QCOMPARE(int(back.s().BandMapStore[2][row][c]), r.grid.cell(row, c));
}

void TestStore::displayWithYesKeepsEditsInMemoryOnly() {
    Rig r;
    r.store.StartMapStore();
    r.store.Save_MAP_Click(1);
    const QByteArray before = r.file();
    r.grid.click(3, 9);
    const int edited = r.grid.cell(3, 9);

    r.boxes.answers = {MsgAnswer::Yes};
    r.store.Load_MAP_Click(2);
    QCOMPARE(r.boxes.shown.size(), 1);
    QCOMPARE(int(r.s().BandMapStore[0][3][9]), edited);
    QCOMPARE(r.file(), before);
    QVERIFY(r.gridEquals(1));

    r.store.Load_MAP_Click(1);
    QCOMPARE(r.boxes.shown.size(), 1); // nothing changed on map 2: no prompt
    QCOMPARE(r.grid.cell(3, 9), edited);
    QCOMPARE(r.captions.shown, 0);
}

void TestStore::displayWithNoDropsEdits() {
    Rig r;
    r.store.StartMapStore();
    r.store.Save_MAP_Click(1);
    const int stored = r.s().BandMapStore[0][3][9];
    r.grid.click(3, 9);
    r.boxes.answers = {MsgAnswer::No};
    r.store.Load_MAP_Click(1);
    QCOMPARE(int(r.s().BandMapStore[0][3][9]), stored);
    QCOMPARE(r.grid.cell(3, 9), stored);
    QCOMPARE(r.s().MapChanged, false);
}

void TestStore::saveBeforeStoreIsLoadedWritesNothing() {
    Rig r;
    r.putFile("\"Empty\"\r\nkept\r\n");
    r.store.Save_MAP_Click(2); // during the start-up box search the maps are not loaded yet
    QCOMPARE(r.file(), QByteArray("\"Empty\"\r\nkept\r\n"));
    QCOMPARE(r.captions.calls, 0);
}

void TestStore::failedSaveShowsErrorAndKeepsNoPartialFile() {
    Rig r;
    r.store.StartMapStore();
    // The store's name taken by a folder: the new store cannot replace it.
    QVERIFY(QFile::remove(r.store.storePath()));
    QVERIFY(QDir(r.dir.path()).mkdir("bdx4_cfg.ini"));
    r.store.Save_MAP_Click(1);
    QCOMPARE(r.boxes.shown.size(), 1);
    const MessageRequest box = r.boxes.shown.first();
    QVERIFY(box.text.startsWith(QStringLiteral("Oops! Error message...\r\n\r\n")));
    QVERIFY(box.text.size() > 26); // the platform's description follows
    QVERIFY(box.title.startsWith(QStringLiteral("Error # ")));
    QVERIFY(box.title.mid(8).toInt() != 0);
    QCOMPARE(box.icon, MsgIcon::Critical);
    QCOMPARE(box.buttons, MsgButtons::Ok);
    QVERIFY(QFileInfo(r.store.storePath()).isDir());
    QCOMPARE(QDir(r.dir.path()).entryList(QDir::Files), QStringList());

    // A folder inside a file: the message again, and nothing is left behind.
    QFile blocker(r.dir.filePath("plain-file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    r.store.setFolder(blocker.fileName());
    const Failure failure = r.store.WriteMapStore();
    QVERIFY(failure.has_value());
    QCOMPARE(r.boxes.shown.size(), 2);
    QCOMPARE(r.boxes.shown.last().title, "Error # " + QString::number(failure->number));
    QCOMPARE(r.boxes.shown.last().text, "Oops! Error message...\r\n\r\n" + failure->description);
    QCOMPARE(QDir(r.dir.path()).entryList(QDir::Files), QStringList{"plain-file"});
}

void TestStore::failedSaveKeepsOldStoreByteForByte() {
#ifdef Q_OS_UNIX
    Rig r;
    r.store.StartMapStore();
    fillPattern(r.s());
    r.store.Save_MAP_Click(1);
    const QByteArray old = r.file();
    QCOMPARE(old.count('\n'), 1076);

    r.grid.click(0, 0);
    {
        // The disk fills up part way through the new store.
        FileSizeLimit limit(1000);
        r.store.Save_MAP_Click(2);
    }
    QCOMPARE(r.boxes.shown.size(), 1);
    QCOMPARE(r.boxes.shown.first().icon, MsgIcon::Critical);
    QCOMPARE(r.file(), old);
    QCOMPARE(QDir(r.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bdx4_cfg.ini"});

    // The maps in memory are untouched and the next save goes through.
    QCOMPARE(int(r.s().BandMapStore[1][0][0]), r.grid.cell(0, 0));
    r.store.Save_MAP_Click(2);
    QCOMPARE(r.boxes.shown.size(), 1);
    QCOMPARE(r.file(), MapStore::StoreText(r.s()));
    QVERIFY(r.file() != old);
#else
    QSKIP("needs a file size limit");
#endif
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
