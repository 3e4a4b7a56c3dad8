// The band maps, the voltage tables and the records the box receives.

#include "model/ConfigImage.h"
#include "support/Golden.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace bdx4;

namespace {

/// Cells given as "row:output" (value 1) or "row:output=value".
void setCells(BandMaps& maps, const QStringList& cells) {
    for (const QString& cell : cells) {
        const QStringList parts = cell.split(QRegularExpression(QStringLiteral("[:=]")));
        maps.setCell(parts[0].toInt(), parts[1].toInt(),
                     parts.value(2, QStringLiteral("1")).toInt());
    }
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void cellChangesMarkTheMapChanged() {
        BandMaps maps;
        QSignalSpy changed(&maps, &BandMaps::cellChanged);
        maps.setCell(3, 4, 0); // the value it has: nothing happens
        QVERIFY(!maps.hasUnsavedChanges());
        QCOMPARE(changed.size(), 0);
        maps.setCell(3, 4, 7); // above 2: grayed
        QCOMPARE(maps.cell(3, 4), 2);
        QCOMPARE(changed.takeFirst(), (QList<QVariant>{3, 4, 2}));
        QVERIFY(maps.hasUnsavedChanges());
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
        setCells(maps, {"0:0", "14:12"});
        maps.saveAs(2); // whatever map it showed, the grid becomes MAP3
        QCOMPARE(maps.currentMap(), 2);
        QCOMPARE(maps.labelledMap(), 2);
        QCOMPARE(labelled.takeFirst().first().toInt(), 2);
        QVERIFY(!maps.hasUnsavedChanges());
        QCOMPARE(maps.storedMaps()[2][14][12], 1);
        QCOMPARE(maps.storedMaps()[0][0][0], 0);

        StoredMaps stored = maps.storedMaps();
        stored[1][5][5] = 9; // only a hand-edited store holds such a value
        maps.setStoredMaps(stored);
        maps.display(1);
        QCOMPARE(maps.cell(0, 0), 0);
        QCOMPARE(maps.cell(5, 5), 2);
        QCOMPARE(maps.currentMap(), 1);
        QCOMPARE(maps.labelledMap(), 1);
        QVERIFY(!maps.hasUnsavedChanges());

        maps.setCell(7, 7, 1);
        maps.keepShownMap(); // into the map it belongs to, in memory
        QCOMPARE(maps.storedMaps()[1][7][7], 1);
        QCOMPARE(maps.storedMaps()[1][5][5], 2); // grayed it was shown, grayed it is kept
        QVERIFY(!maps.hasUnsavedChanges());
        maps.display(1); // the same map again: nothing changes
        QVERIFY(!maps.hasUnsavedChanges());
    }

    void defaultsAndClear_data() {
        QTest::addColumn<bool>("standard");
        QTest::addColumn<QList<int>>("xvtr"); // XVTR1-XVTR7 as output sets
        QTest::newRow("Defaults button")
            << true << QList<int>{0x400, 0x800, 0xC00, 0x1000, 0x1400, 0x1800, 0x1C00};
        QTest::newRow("first start")
            << false << QList<int>{0x400, 0x800, 0x1000, 0x2000, 0x4000, 0x8000, 0};
    }
    void defaultsAndClear() {
        QFETCH(bool, standard);
        QFETCH(QList<int>, xvtr);
        BandMaps maps;
        maps.setCell(0, 5, 1);
        maps.setDefaults(standard ? Arrangement::Standard : Arrangement::FirstStart);
        for (int r = 0; r < kBandRows; ++r) {
            int outputs = 0;
            for (int c = 0; c < kOutputs; ++c)
                outputs |= maps.cell(r, c) << c;
            const int expected = r < 10              ? 1 << r
                                 : r < kFirstXvtrRow ? 1 << (r == 10 ? 10 : r - 1)
                                                     : xvtr[r - kFirstXvtrRow];
            QCOMPARE(outputs, expected);
        }
        maps.keepShownMap();
        // The same cells again still count as a change.
        maps.setDefaults(standard ? Arrangement::Standard : Arrangement::FirstStart);
        QVERIFY(maps.hasUnsavedChanges());
        maps.clear();
        QCOMPARE(maps.rowOutputs(), RowOutputs{});
        maps.discardChanges();
        maps.clear(); // an empty grid cleared: no change
        QVERIFY(!maps.hasUnsavedChanges());
    }

    void rowsPackAsTheBoxReadsThem_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<bool>("acc");
        QTest::addColumn<int>("byte0");
        QTest::addColumn<int>("byte1");
        QTest::newRow("160 and XV3") << QStringList{"4:0", "4:12"} << true << 0x11 << 0x00;
        QTest::newRow("10 and AC1") << QStringList{"4:9", "4:13"} << true << 0x20 << 0x20;
        QTest::newRow("only XV3") << QStringList{"4:12"} << false << 0x10 << 0x00;
        QTest::newRow("only 30") << QStringList{"4:4"} << false << 0x00 << 0x01;
        QTest::newRow("80, 40, 20, XV2")
            << QStringList{"4:1", "4:3", "4:5", "4:11"} << false << 0x0A << 0x82;
        QTest::newRow("AC1-AC3 left to the box")
            << QStringList{"4:13", "4:14", "4:15"} << false << 0x00 << 0x00;
        QTest::newRow("AC2, AC3 as band outputs")
            << QStringList{"4:14", "4:15"} << true << 0xC0 << 0x00;
        QTest::newRow("grayed counts as off")
            << QStringList{"4:0=2", "4:4"} << true << 0x00 << 0x01;
    }
    void rowsPackAsTheBoxReadsThem() {
        QFETCH(QStringList, cells);
        QFETCH(bool, acc);
        QFETCH(int, byte0);
        QFETCH(int, byte1);
        BandMaps maps;
        maps.setAccOutputsForBandMap(acc);
        setCells(maps, cells);
        const RowOutputs rows = maps.rowOutputs();
        QCOMPARE(int(rows[4][0]), byte0);
        QCOMPARE(int(rows[4][1]), byte1);
        for (int r = 0; r < kBandRows; ++r) // each row is packed from its own cells only
            if (r != 4)
                QCOMPARE(int(rows[r][0] | rows[r][1]), 0);
    }

    void everyOutputOfARow() {
        BandMaps maps;
        for (int c = 0; c < kOutputs; ++c)
            maps.setCell(2, c, 1);
        QCOMPARE(int(maps.rowOutputs()[2][0]), 0x1F);
        maps.setAccOutputsForBandMap(true);
        QCOMPARE(int(maps.rowOutputs()[2][0]), 0xFF);
        QCOMPARE(int(maps.rowOutputs()[2][1]), 0xFF);
    }

    void levelLists_data() {
        QTest::addColumn<QList<double>>("table");
        QTest::addColumn<QList<int>>("list"); // level, band code, level, band code ...
        auto flat = [](const int(&pairs)[13][2]) {
            QList<int> list;
            for (const auto& pair : pairs)
                list << pair[0] << pair[1];
            return list;
        };
        QList<double> an1, an2;
        for (int b = 0; b < kVoltageBands; ++b) {
            an1 << kDefaultLevelsAn1An3[b];
            an2 << kDefaultLevelsAn2[b];
        }
        QList<int> empties, fulls;
        for (int b = 0; b < kVoltageBands; ++b) {
            empties << 255 << 255;
            fulls << 254 << kBandCodes[b];
        }
        QTest::newRow("AN1 defaults") << an1 << flat(golden::kAn1DefaultList);
        QTest::newRow("AN2 defaults") << an2 << flat(golden::kAn2DefaultList);
        QTest::newRow("all at 0") << QList<double>(13, 0.0) << empties;
        QTest::newRow("all at full scale") << QList<double>(13, 255.0) << fulls;
        QList<double> ties(13, 0.0);
        ties[8] = ties[12] = 100; // 30 m and 160 m
        ties[2] = 99.5;           // rounds to even: 100, before both in band order
        QTest::newRow("equal levels keep band order")
            << ties << QList<int>{100, 12, 100, 4, 100, 1} + QList<int>(20, 255);
    }
    void levelLists() {
        QFETCH(QList<double>, table);
        QFETCH(QList<int>, list);
        VoltageTables volts;
        for (int b = 0; b < kVoltageBands; ++b)
            volts.setValue(1, b, float(table[b]));
        QList<int> got;
        for (const LevelEntry& entry : volts.levelList(1))
            got << entry.level << entry.bandCode;
        QCOMPARE(got, list);
        QCOMPARE(volts.levelList(0)[0], (LevelEntry{255, 255})); // the other tables untouched
    }

    void levelsAndVolts() {
        QCOMPARE(VoltageTables::levelOf(12.5), 12); // halves go to the even neighbour
        QCOMPARE(VoltageTables::levelOf(13.5), 14);
        QCOMPARE(VoltageTables::levelOf(-3), 0);
        QCOMPARE(VoltageTables::levelOf(std::nan("")), 0);
        QCOMPARE(VoltageTables::levelOf(254.6), 255);
        QCOMPARE(VoltageTables::levelOf(1e9), 255);
        QCOMPARE(VoltageTables::voltsText(255, 1), QStringLiteral("5.00"));
        QCOMPARE(VoltageTables::voltsText(255, 2), QStringLiteral("10.00"));
        QCOMPARE(VoltageTables::voltsText(1, 0), QStringLiteral("0.04"));
        QCOMPARE(VoltageTables::voltsText(1, 1), QStringLiteral("0.02"));
        QCOMPARE(VoltageTables::voltsText(51, 0), QStringLiteral("2.00"));
        QCOMPARE(VoltageTables::defaultLevels(2), kDefaultLevelsAn1An3);
        QCOMPARE(VoltageTables::defaultLevels(1), kDefaultLevelsAn2);
    }

    void typedVolts_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("level"); // -1: not taken
        QTest::newRow("nearest") << 0 << "2.51" << 64;
        QTest::newRow("blanks") << 0 << " 10 " << 255;
        QTest::newRow("AN2 half way") << 1 << "2.5" << 128;
        QTest::newRow("decimal comma") << 1 << "5,00" << 255;
        QTest::newRow("zero") << 0 << "0" << 0;
        QTest::newRow("above the range") << 0 << "10.01" << -1;
        QTest::newRow("AN2 above its range") << 1 << "6" << -1;
        QTest::newRow("negative") << 0 << "-1" << -1;
        QTest::newRow("not a number") << 0 << "abc" << -1;
        QTest::newRow("infinite") << 2 << "inf" << -1;
    }
    void typedVolts() {
        QFETCH(int, table);
        QFETCH(QString, typed);
        QFETCH(int, level);
        QCOMPARE(VoltageTables::levelOfVoltsText(typed, table).value_or(-1), level);
    }

    void records_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<bool>("acc");
        QTest::addColumn<int>("section");
        QTest::addColumn<QByteArray>("record");
        using namespace golden;
        QStringList all;
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                all << QStringLiteral("%1:%2").arg(r).arg(c);
        QTest::newRow("empty HF") << QStringList() << false << 0 << kEmptyHf;
        QTest::newRow("empty VHF") << QStringList() << false << 1 << kEmptyVhf;
        QTest::newRow("accessory table") << QStringList() << false << 2 << golden::kAccessoryTable;
        QTest::newRow("AC as band outputs") << QStringList() << true << 2 << kAccessoryZeros;
        QTest::newRow("empty AN1") << QStringList() << false << 3 << kEmptyAn1;
        QTest::newRow("empty AN2") << QStringList() << false << 4 << kEmptyAn2;
        QTest::newRow("empty AN3") << QStringList() << false << 5 << kEmptyAn3;
        QTest::newRow("160 and 20") << QStringList{"0:0", "5:5"} << false << 0 << kHf160And20;
        QTest::newRow("all on VHF") << all << true << 1 << kVhfAllOn;
        QTest::newRow("AC checked, left to the box")
            << QStringList{"14:13", "20:15"} << false << 1 << kEmptyVhf;
        QTest::newRow("checksum 00")
            << QStringList{"14:12", "14:15"} << true << 1 << kVhfChecksumZero;
        // 60M sits in slot 10, after 10M; XV3 in slot 14.
        QTest::newRow("slot order") << QStringList{"2:2", "13:12"} << false << 0
                                    << QByteArray(":20004000") + QByteArray(40, '0') + "0400" +
                                           QByteArray(12, '0') + "1000" + QByteArray(4, '0') + "8C";
    }
    void records() {
        QFETCH(QStringList, cells);
        QFETCH(bool, acc);
        QFETCH(int, section);
        QFETCH(QByteArray, record);
        BandMaps maps;
        maps.setAccOutputsForBandMap(acc);
        setCells(maps, cells);
        QCOMPARE(ConfigImage::of(maps, VoltageTables()).record(Section(section)), record);
    }

    void imageLinesAndVoltageRecords() {
        BandMaps maps;
        for (int c = 0; c < kOutputs; ++c)
            for (int r = 0; r < kBandRows; ++r)
                maps.setCell(r, c, 1);
        maps.setAccOutputsForBandMap(true);
        VoltageTables volts;
        for (int b = 0; b < kVoltageBands; ++b)
            volts.setValue(0, b, kDefaultLevelsAn1An3[b]);
        const ConfigImage image = ConfigImage::of(maps, volts);
        QVERIFY(image.record(Section::Hf).endsWith(golden::kHfAllOnEnd));
        QCOMPARE(image.record(Section::An1), golden::kAn1Defaults);
        VoltageTables two;
        two.setValue(0, 7, 0x33);  // 20 m
        two.setValue(0, 12, 0x80); // 160 m
        QCOMPARE(ConfigImage::of(maps, two).record(Section::An1),
                 ":2000A00033058001" + golden::ffs(56) + "A3");
        const QList<QByteArray> lines = image.lines();
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines.first(), QByteArray(";BD00;BD73;BDE;"));
        QCOMPARE(lines[4], golden::kAn1Defaults);
        QCOMPARE(lines.last(), QByteArray(":00000001FF"));
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
