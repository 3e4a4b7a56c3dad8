// The band maps, the voltage tables and the records the box receives.

#include "model/ConfigImage.h"
#include "support/Golden.h"
#include "support/Rows.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace bdx4;
using test::fetch;

namespace {

/// Cells given as "row:output" (value 1) or "row:output=value".
BandMaps& withCells(BandMaps& maps, const QStringList& cells) {
    for (const QString& cell : cells) {
        const QStringList parts = cell.split(QRegularExpression(QStringLiteral("[:=]")));
        maps.setCell(parts[0].toInt(), parts[1].toInt(), parts.value(2, "1").toInt());
    }
    return maps;
}

/// withCells() cells, AC1-AC3 as band outputs; row 4's bytes (0 << 8 | 1) or a section's record.
using Packing = std::tuple<QStringList, bool, int>;
using Record = std::tuple<QStringList, bool, int, QByteArray>;

QStringList everyCell() {
    QStringList all;
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            all << QStringLiteral("%1:%2").arg(r).arg(c);
    return all;
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void cellChangesMarkTheMapChanged() {
        BandMaps maps;
        QSignalSpy changed(&maps, &BandMaps::cellChanged);
        maps.setCell(3, 4, 0); // the value it has: nothing happens
        QVERIFY(!maps.hasUnsavedChanges() && changed.isEmpty());
        maps.setCell(3, 4, 7); // above 2: grayed
        QCOMPARE(changed.takeFirst(), (QList<QVariant>{3, 4, 2}));
        QVERIFY(maps.cell(3, 4) == 2 && maps.hasUnsavedChanges());
        maps.discardChanges();
        maps.setCell(3, 4, 2);
        QVERIFY(!maps.hasUnsavedChanges());
        maps.setCell(20, 15, 1);
        QVERIFY(maps.hasUnsavedChanges());
    }

    void mapsAreDisplayedSavedAndKept() {
        BandMaps maps;
        QSignalSpy labelled(&maps, &BandMaps::labelledMapChanged);
        QCOMPARE(maps.labelledMap(), -1);
        withCells(maps, {"0:0", "14:12"}).saveAs(2); // whatever it showed, the grid is MAP3 now
        QVERIFY(maps.currentMap() == 2 && maps.labelledMap() == 2 && !maps.hasUnsavedChanges());
        QCOMPARE(labelled.takeFirst().first().toInt(), 2);
        QVERIFY(maps.storedMaps()[2][14][12] == 1 && maps.storedMaps()[0][0][0] == 0);
        StoredMaps stored = maps.storedMaps();
        stored[1][5][5] = 9; // only a hand-edited store holds such a value
        maps.setStoredMaps(stored);
        maps.display(1);
        QVERIFY(maps.cell(0, 0) == 0 && maps.cell(5, 5) == 2);
        QVERIFY(maps.currentMap() == 1 && maps.labelledMap() == 1 && !maps.hasUnsavedChanges());
        maps.setCell(7, 7, 1);
        maps.keepShownMap(); // into the map it belongs to, in memory
        QVERIFY(maps.storedMaps()[1][7][7] == 1 && maps.storedMaps()[1][5][5] == 2);
        QVERIFY(!maps.hasUnsavedChanges());
        maps.display(1); // the same map again: no change
        QVERIFY(!maps.hasUnsavedChanges());
    }

    void defaultsAndClear() {
        // The Defaults button, then a first start: XVTR1-XVTR7 as output sets.
        for (const auto& [arrangement, xvtr] :
             {std::pair(Arrangement::Standard,
                        QList<int>{0x400, 0x800, 0xC00, 0x1000, 0x1400, 0x1800, 0x1C00}),
              std::pair(Arrangement::FirstStart,
                        QList<int>{0x400, 0x800, 0x1000, 0x2000, 0x4000, 0x8000, 0})}) {
            BandMaps maps;
            maps.setCell(0, 5, 1);
            maps.setDefaults(arrangement);
            // Each band its own output; 6M and XV1 share XV1, XV2 and XV3 follow.
            const QList<int> rows =
                QList<int>{1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 0x400, 0x400, 0x800, 0x1000} +
                xvtr;
            for (int r = 0; r < kBandRows; ++r) {
                int outputs = 0;
                for (int c = 0; c < kOutputs; ++c)
                    outputs |= maps.cell(r, c) << c;
                QCOMPARE(outputs, rows[r]);
            }
            maps.keepShownMap();
            maps.setDefaults(arrangement); // the same cells still count as a change
            QVERIFY(maps.hasUnsavedChanges());
            maps.clear();
            QCOMPARE(maps.rowOutputs(), RowOutputs{});
            maps.discardChanges();
            maps.clear(); // an empty grid cleared: no change
            QVERIFY(!maps.hasUnsavedChanges());
        }
    }

    // Each output's bits: the diagonal records below; all of them together: "all on HF".
    void rowsPackAsTheBoxReadsThem_data() {
        const test::Rows<Packing> row;
        row("grayed counts as off", {{"4:0=2", "4:4"}, true, 0x0001});
        row("every output but 160, AC left to the box", // 160's bit from no other
            {everyCell().mid(65, 15), false, 0x1EFF});
    }
    void rowsPackAsTheBoxReadsThem() {
        const auto& [cells, acc, bytes] = fetch<Packing>();
        BandMaps maps;
        maps.setAccOutputsForBandMap(acc);
        const RowOutputs rows = withCells(maps, cells).rowOutputs();
        for (int r = 0; r < kBandRows; ++r) // each row is packed from its own cells only
            QCOMPARE(rows[r][0] << 8 | rows[r][1], r == 4 ? bytes : 0);
    }

    void levelsAndVolts() {
        const QList<std::pair<double, int>> levels = {{12.5, 12},        {13.5, 14},   {-3, 0},
                                                      {std::nan(""), 0}, {254.6, 255}, {1e9, 255}};
        for (const auto& [value, level] : levels) // halves go to the even neighbour
            QCOMPARE(VoltageTables::levelOf(value), level);
        for (const auto& [level, table, text] : QList<std::tuple<int, int, QString>>{
                 {255, 1, "5.00"}, {255, 2, "10.00"}, {1, 0, "0.04"}, {1, 1, "0.02"}})
            QCOMPARE(VoltageTables::voltsText(level, table), text);
        // People read volts in their language's form, and may type either form.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(VoltageTables::voltsText(178, 1), QStringLiteral("3,49"));
        QCOMPARE(VoltageTables::readVoltsText(QStringLiteral("3.49"), 1).level, 178);
        QLocale::setDefault(before);
        const int above = -TypedVolts::AboveRange, below = -TypedVolts::BelowZero,
                  nan = -TypedVolts::NotANumber;
        const QList<std::tuple<int, QString, int>> typed = {
            {0, "2.51", 64},     {0, " 10 ", 255}, {1, "2.5", 128},     {1, "5,00", 255},
            {0, "0", 0},         {2, "-0", 0},     {0, "10.01", above}, {1, "6", above},
            {0, "-0.01", below}, {0, "abc", nan},  {2, "inf", nan},     {1, "", nan}};
        for (const auto& [table, text, level] : typed) { // negative: why it is not taken
            const TypedVolts read = VoltageTables::readVoltsText(text, table);
            QCOMPARE(read.outcome == TypedVolts::Taken ? read.level : -read.outcome, level);
        }
    }

    void records_data() {
        const test::Rows<Record> row;
        using namespace golden;
        row("AC as band outputs", {{}, true, 2, kAccessoryZeros});
        QStringList diagonal; // row r ticks output r % 16: each slot shows which row it carries
        for (int r = 0; r < kBandRows; ++r)
            diagonal << QStringLiteral("%1:%2").arg(r).arg(r % kOutputs);
        row("diagonal HF, 60M after 10M",
            {diagonal, true, 0,
             ":20004000000001000200080000010002000400080010002004000040008010002000000062"});
        row("diagonal VHF", {diagonal, true, 1, ":1000600000004000800001000200040008000001C0"});
        row("all on HF", {everyCell(), true, 0, ":200040000000" + golden::ffs(56) + kHfAllOnEnd});
        row("checksum 00", {{"14:12", "14:15"}, true, 1, kVhfChecksumZero});
    }
    void records() {
        const auto& [cells, acc, section, record] = fetch<Record>();
        BandMaps maps;
        maps.setAccOutputsForBandMap(acc);
        QCOMPARE(ConfigImage::of(withCells(maps, cells), VoltageTables()).record(Section(section)),
                 record);
    }

    // Each table's level list: its bands by level with their codes, empty entries (FFFF) last.
    void voltageRecordsAndLines() {
        VoltageTables worked;
        worked.setValue(0, 7, 0x33);            // 20 m
        worked.setValue(0, 12, 0x80);           // 160 m
        worked.setValue(1, 8, 100);             // 30 m
        worked.setValue(1, 12, 100);            // 160 m
        worked.setValue(1, 2, 99.5);            // 6 m: rounds to even, 100, and comes first by band
        for (int b = 0; b < kVoltageBands; ++b) // full scale goes as 254, bands in their order
            worked.setValue(2, b, 255);
        const ConfigImage image = ConfigImage::of(BandMaps(), worked);
        QCOMPARE(image.record(Section::An1), ":2000A00033058001" + golden::ffs(56) + "A3");
        QCOMPARE(image.record(Section::An2), ":2000C000640C64046401" + golden::ffs(52) + "FD");
        QCOMPARE(image.record(Section::An3),
                 ":2000E000FE0EFE0DFE0CFE09FE08FE07FE06FE05FE04FE03FE0AFE02FE01" + golden::ffs(12) +
                     "C2");
        QCOMPARE(ConfigImage::of(BandMaps(), golden::defaultVolts()).lines().mid(4, 2),
                 (QList<QByteArray>{golden::kAn1Defaults, golden::kAn2Defaults}));
        const QList<QByteArray> nothingSet = {
            golden::kDownloadCommand, golden::kEmptyHf,  golden::kEmptyVhf, golden::kAccessoryTable,
            golden::kEmptyAn1,        golden::kEmptyAn2, golden::kEmptyAn3, ":00000001FF"};
        QCOMPARE(ConfigImage::of(BandMaps(), VoltageTables()).lines(), nothingSet);
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
