// The user's document without windows, told as user stories.

#include "document/ConfigDocument.h"
#include "io/MapStore.h"
#include "io/VoltageStore.h"
#include "support/Fakes.h"
#include "support/Golden.h"
#include "support/Rows.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using namespace bdx4::test;

namespace {

/// A station's store: MAP1 ticks 160M/160 ("a"), MAP2 80M/80 ("b"), MAP3 60M/60 ("c"); table mode.
QByteArray savedStore() {
    MapStoreContent content;
    content.maps[0][0][0] = content.maps[1][1][1] = content.maps[2][2][2] = 1;
    return mapStoreText(content);
}

/// A map in letters: "D" the usual arrangement, "F" a first start's, else its marks (a, b, c as
/// in the saved store, t the tick at 6M/20), "+" for any other cell, "0" for none.
QString signature(const StoredMap& map) {
    BandMaps arranged;
    arranged.setDefaults(Arrangement::Standard);
    if (map == arranged.shownMap())
        return QStringLiteral("D");
    arranged.setDefaults(Arrangement::FirstStart);
    if (map == arranged.shownMap())
        return QStringLiteral("F");
    const QList<std::tuple<int, int, char>> marks = {
        {0, 0, 'a'}, {1, 1, 'b'}, {2, 2, 'c'}, {10, 5, 't'}};
    StoredMap rest = map;
    QString letters;
    for (const auto& [row, output, letter] : marks)
        if (std::exchange(rest[row][output], 0))
            letters += QLatin1Char(letter);
    if (rest != StoredMap{})
        letters += QLatin1Char('+');
    return letters.isEmpty() ? QStringLiteral("0") : letters;
}

/// The map store in signatures ("a|b|c", "|acc" in map mode), "=" while it holds its first bytes.
QString storeSignature(const QString& path, const QByteArray& startedWith) {
    const QByteArray bytes = readFile(path);
    if (bytes == startedWith)
        return QStringLiteral("=");
    MapStoreContent content;
    readMapStore(path, content);
    QStringList maps;
    for (const StoredMap& map : content.maps)
        maps << signature(map);
    return maps.join(QLatin1Char('|')) + (content.accForBandMap ? "|acc" : "");
}

/// A configuration file's content: 6M to 20 ("t") in the map mode, the AN1 default table.
Configuration friendsConfiguration() {
    StoredMap map = {};
    map[10][5] = 1;
    return Configuration(map, true, golden::defaultVolts(1));
}

/// What the user does: "tick" toggles 6M/20; "clear", "defaults", "displayN" and "open" (a file
/// with its tables) end in "+" when the grid's changes are kept at the question, "-" when not;
/// "saveN", "acc" and "noacc" (the ACn mode), "undo", "redo".
void act(ConfigDocument& document, const QString& words) {
    for (const QString& word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const GridEdits edits = word.endsWith('+') ? GridEdits::Keep : GridEdits::Drop;
        const int map = word.back().isDigit() ? word.back().digitValue() - 1
                                              : word.at(word.size() - 2).digitValue() - 1;
        if (word == "tick")
            document.setCell(10, 5, 1 - document.maps().cell(10, 5));
        else if (word.startsWith("clear"))
            document.clear(edits);
        else if (word.startsWith("defaults"))
            document.setDefaults(edits);
        else if (word.startsWith("display"))
            document.display(map, edits);
        else if (word.startsWith("save"))
            QVERIFY(!document.saveAs(map));
        else if (word == "acc" || word == "noacc")
            document.setAccMode(word == "acc");
        else if (word.startsWith("open"))
            QVERIFY(!document.open(friendsConfiguration(), "friend.txt", edits, true));
        else if (word == "undo")
            document.undoStack()->undo();
        else if (word == "redo")
            document.undoStack()->redo();
        else
            QFAIL(qPrintable("no such action: " + word));
    }
}

/// The map store at the start ("-": none), the actions (act()), what the exit question names (e.g.
/// "1 3 mode"), what the store holds now (No at the exit leaves it), what Yes writes ("-": none).
using Story = std::tuple<QByteArray, QString, QString, QString, QString>;
/// The map and the voltage store ("-": none, "/": a folder in its place), the outcome, and what is
/// shown: 0 MAP1 of a store cut before MAP3, 1 MAP1, 2 the first start's arrangement.
using LoadCase = std::tuple<QByteArray, QByteArray, StoreReading::Outcome, int>;
/// The file (0: map store, saved as MAP1; 1: voltages; 2: names), a fault when loaded, another
/// program's change after it, the answer to replace it (-1 none asked, 0 No, 1 Yes), replaced.
using ReplaceCase = std::tuple<int, bool, bool, int, bool>;

QByteArray damagedFile(int file) {
    return QList<QByteArray>{savedStore().replace("\r\n0\r\n", "\r\nx\r\n"), "1,2,x\r\n",
                             "40=4-square\r\nnothing\r\n"}[file];
}
/// A whole file of each kind as this program (`other` false) or another one wrote it.
QByteArray wholeFile(int file, bool other) {
    VoltageTables volts;
    volts.setValue(2, 12, other ? 7 : 0);
    return QList<QByteArray>{other ? mapStoreText({}) : savedStore(), voltageStoreText(volts),
                             other ? "80=vertical\r\n" : "80=dipole\r\n"}[file];
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void userStories_data() {
        const Rows<Story> row;
        const QByteArray saved = savedStore();
        const QByteArray cut = saved.left(saved.indexOf("\"----\""));
        row("a first start", {"-", "", "1", "=", "F|0|0"});
        row("nothing done", {saved, "", "", "=", "-"});
        row("a tick", {saved, "tick", "1", "=", "at|b|c"});
        row("a tick undone", {saved, "tick undo", "", "=", "-"});
        row("a tick undone and redone", {saved, "tick undo redo", "1", "=", "at|b|c"});
        row("a tick and its untick", {saved, "tick tick", "1", "=", "="});
        row("Display with Yes: the map kept is named",
            {saved, "tick display2+", "1", "=", "at|b|c"});
        row("Display with No", {saved, "tick display2-", "", "=", "-"});
        row("two maps changed", {saved, "tick display2+ tick", "1 2", "=", "at|bt|c"});
        row("Save as another map", {saved, "save2", "", "a|a|c", "-"});
        row("Save as undone: the store back", {saved, "save2 undo", "", "=", "-"});
        row("Save undone, the tick stays", {saved, "tick save1 undo", "1", "=", "at|b|c"});
        row("undo to the saved state", {saved, "tick save1 tick undo", "", "at|b|c", "-"});
        row("the mode alone", {saved, "acc", "mode", "=", "a|b|c|acc"});
        row("the mode undone", {saved, "acc undo", "", "=", "-"});
        row("the mode back by hand", {saved, "acc noacc", "", "=", "-"});
        row("Clear", {saved, "clear-", "1", "=", "0|b|c"});
        row("Defaults", {saved, "defaults-", "1", "=", "D|b|c"});
        row("Clear kept at the question", {saved, "tick clear+", "1", "=", "0|b|c"});
        row("a file opened", {saved, "open-", "1 mode", "=", "t|b|c|acc"});
        row("a file opened and undone", {saved, "open- undo", "", "=", "-"});
        row("a store cut short after its maps", {cut, "", "", "=", "-"});
        row("cut short, then MAP1 shown", {cut, "display1-", "", "=", "-"});
    }
    void userStories() {
        const auto& [start, actions, unsaved, store, afterYes] = fetch<Story>();
        QTemporaryDir dir;
        const QString path = mapStorePath(dir.path());
        if (start != "-")
            QVERIFY(!writeFileWhole(path, start));
        ConfigDocument document;
        document.load(dir.path());
        const QByteArray started = readFile(path);
        act(document, actions);

        QStringList named;
        for (const int map : document.unsavedMaps())
            named << QString::number(map + 1);
        if (document.modeIsUnsaved())
            named << QStringLiteral("mode");
        QCOMPARE(named.join(' '), unsaved);
        QCOMPARE(document.isUnsaved(), !unsaved.isEmpty());
        QCOMPARE(storeSignature(path, started), store);
        if (!document.isUnsaved()) {
            QCOMPARE(QStringLiteral("-"), afterYes);
            return;
        }
        QVERIFY(!document.saveAll());
        QCOMPARE(storeSignature(path, started), afterYes);
        QVERIFY(!document.isUnsaved());
    }

    // An opened file's tables and a voltage table's Save are undone with the store.
    void voltageTablesComeBackWithTheirStore() {
        QTemporaryDir dir;
        QVERIFY(!writeFileWhole(mapStorePath(dir.path()), savedStore()));
        QVERIFY(!writeFileWhole(voltageStorePath(dir.path()), "51\r\n"));
        ConfigDocument document;
        document.load(dir.path());
        const VoltageTables mine = document.volts();
        act(document, "open+");
        QVERIFY(document.volts() == friendsConfiguration().volts());
        QCOMPARE(readFile(voltageStorePath(dir.path())),
                 voltageStoreText(friendsConfiguration().volts()));
        QVERIFY(!document.saveVoltageTable(2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
        QCOMPARE(document.undoStack()->undoText(), QStringLiteral("Save AN3 voltage table"));
        QCOMPARE(document.volts().value(2, 12), 13.0f);
        act(document, "undo");
        QVERIFY(document.volts() == friendsConfiguration().volts());
        act(document, "undo");
        QVERIFY(document.volts() == mine);
        QCOMPARE(readFile(voltageStorePath(dir.path())), QByteArray("51\r\n"));
        act(document, "redo");
        QVERIFY(QFile::remove(voltageStorePath(dir.path())) &&
                QDir(dir.path()).mkdir(kVoltageStoreName));
        QSignalSpy said(&document, &ConfigDocument::storeNotWritten);
        act(document, "undo");
        QCOMPARE(said.size(), 1);
        QCOMPARE(said[0][0].toString(), voltageStorePath(dir.path()));
        QVERIFY(document.volts() == mine);
    }

    // A map store that cannot be written: Save as keeps the map unsaved in memory.
    void aStoreThatCannotBeWritten() {
        QTemporaryDir dir;
        QVERIFY(!writeFileWhole(mapStorePath(dir.path()), savedStore()));
        ConfigDocument document;
        document.load(dir.path());
        act(document, "save2");
        QVERIFY(QFile::remove(mapStorePath(dir.path())) && QDir(dir.path()).mkdir(kMapStoreName));
        QSignalSpy said(&document, &ConfigDocument::storeNotWritten);
        act(document, "undo"); // memory goes back; the store cannot follow
        QCOMPARE(said.size(), 1);
        QCOMPARE(document.unsavedMaps(), QList<int>{1}); // memory's MAP2 is not what it holds
        act(document, "tick");
        QVERIFY(document.saveAs(2));
        QCOMPARE(document.unsavedMaps(), (QList<int>{1, 2}));
        QVERIFY(document.saveAll());
        QCOMPARE(document.unsavedMaps(), (QList<int>{1, 2}));
    }

    void filesAreReplacedWithCare_data() {
        const Rows<ReplaceCase> row;
        for (int file = 0; file < 3; ++file) {
            const QByteArray name = QByteArray::number(file);
            row(name + ": read in part", {file, true, false, -1, true});
            row(name + ": changed, No", {file, false, true, 0, false});
            row(name + ": changed, Yes", {file, false, true, 1, true});
            row(name + ": changed, not asked", {file, false, true, -1, false});
            row(name + ": whole", {file, false, false, -1, true});
        }
    }
    void filesAreReplacedWithCare() {
        const auto& [file, readInPart, changed, answer, replaced] = fetch<ReplaceCase>();
        QTemporaryDir dir;
        const QString path = QStringList{mapStorePath(dir.path()), voltageStorePath(dir.path()),
                                         outputNamesPath(dir.path())}[file];
        QVERIFY(!writeFileWhole(path, readInPart ? damagedFile(file) : wholeFile(file, false)));
        ConfigDocument document;
        document.load(dir.path());
        const QByteArray before = changed ? wholeFile(file, true) : readFile(path);
        if (changed) { // another program's copy, its old time kept (as `cp -p` keeps it)
            struct stat old {};
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &old), 0);
            QVERIFY(!writeFileWhole(path, before));
            const timespec times[2] = {old.st_atim, old.st_mtim};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        }
        QStringList asked;
        if (answer >= 0)
            document.setReplaceChangedQuestion([&, yes = answer == 1](const QString& p) {
                asked << p;
                return yes;
            });
        QSignalSpy kept(&document, &ConfigDocument::damagedFileKept);
        OutputNames names;
        names.setName(3, QStringLiteral("Яги 4 el"));
        const auto save = [&, file = file] {
            const std::array<int, kVoltageBands> levels = {9};
            document.setCell(10, 5, 1 - document.maps().cell(10, 5));
            return file == 0   ? document.saveAs(0)
                   : file == 1 ? document.saveVoltageTable(0, levels)
                               : document.setNames(names);
        };
        QCOMPARE(!save(), replaced);
        QCOMPARE(asked, changed && answer >= 0 ? QStringList{path} : QStringList());
        QCOMPARE(readFile(path) != before, replaced);
        QCOMPARE(kept.size(), readInPart ? 1 : 0);
        const QStringList copies =
            QDir(dir.path()).entryList({QFileInfo(path).fileName() + ".damaged-*"});
        QCOMPARE(copies.size(), kept.size());
        if (readInPart) {
            QCOMPARE(kept.first().at(1).toString(), dir.filePath(copies.first()));
            QCOMPARE(readFile(dir.filePath(copies.first())), before);
            QVERIFY(!save()); // once kept, the file is the program's own
            QCOMPARE(QDir(dir.path()).entryList({"*.damaged-*"}).size(), 1);
        }
    }

    // A change of nothing is no step, an Open always one; a store made here is never "damaged".
    void stepsAndCopies() {
        QTemporaryDir dir;
        ConfigDocument document;
        document.load(dir.path());
        act(document, "clear- clear-");
        QVERIFY(!document.setNames(document.names()));
        QCOMPARE(document.undoStack()->count(), 1);
        act(document, "open- open- save1");
        QCOMPARE(document.undoStack()->count(), 4);
        QCOMPARE(QDir(dir.path()).entryList({"*.damaged-*"}), QStringList());
    }

    void loadingTheStores_data() {
        const Rows<LoadCase> row;
        MapStoreContent content;
        content.maps[0][3][3] = content.maps[2][20][0] = 1;
        content.accForBandMap = true;
        const QByteArray whole = mapStoreText(content);
        using R = StoreReading;
        row("a first start", {"-", "-", R::Missing, 2});
        row("the stores read", {whole, "51\r\n", R::Complete, 1});
        row("an Empty store", {golden::kEmptyMapStore, "-", R::Empty, 2});
        row("a store cut short", {whole.left(800), "-", R::Incomplete, 0});
        QByteArray typo = whole; // a typo in MAP1 loses neither the rest nor the mode
        typo.replace(typo.indexOf("\r\n0\r\n"), 5, "\r\n1x\r\n");
        row("a typo in MAP1", {typo, "-", R::Incomplete, 1});
        row("stores that cannot be read", {"/", "/", R::Unreadable, 2});
    }
    void loadingTheStores() {
        const auto& [mapStore, voltageStore, outcome, shown] = fetch<LoadCase>();
        QTemporaryDir dir;
        for (const auto& [name, content] :
             {std::pair(kMapStoreName, mapStore), std::pair(kVoltageStoreName, voltageStore)}) {
            if (content == "/")
                QDir(dir.path()).mkdir(name);
            else if (content != "-")
                QVERIFY(!writeFileWhole(dir.filePath(name), content));
        }
        ConfigDocument document;
        QSignalSpy modes(&document.maps(), &BandMaps::accModeChanged);
        const StoreLoad load = document.load(dir.path());
        const BandMaps& maps = document.maps();
        QCOMPARE(readFile(dir.filePath(kMapStoreName)), // kept as it was
                 mapStore == "-"   ? golden::kEmptyMapStore
                 : mapStore == "/" ? "<none>"
                                   : mapStore);
        // XVTR4 -> AC1 at a first start; MAP1's 40M/40 read even when cut short.
        QCOMPARE(
            (QList<int>{load.maps.outcome, load.mapStoreCreated, document.gridIsUnsaved(),
                        maps.labelledMap(), int(modes.size()), maps.accOutputsForBandMap(),
                        maps.cell(3, 3), maps.storedMaps()[2][20][0], maps.cell(17, 13),
                        maps.storedMaps()[0][3][3]}),
            (QList<int>{outcome, mapStore == "-", shown == 2, shown == 2 ? -1 : 0, 1, shown == 1, 1,
                        shown == 1 ? 1 : 0, shown == 2 ? 1 : 0, shown == 2 ? 0 : 1}));
        QCOMPARE(document.volts().value(0, 0), voltageStore == "51\r\n" ? 51.0f : 0.0f);
        if (voltageStore == "-")
            QCOMPARE(readFile(dir.filePath(kVoltageStoreName)), golden::kNewVoltageStore);
        QVERIFY(!document.undoStack()->canUndo());
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
