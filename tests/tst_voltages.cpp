// Voltage tables: the level lists the box receives and the volts the windows show.
#include "voltages/Voltages.h"

#include <QtTest>

using namespace bdx4;

using Pairs = QList<QPair<int, int>>;
Q_DECLARE_METATYPE(Pairs)

namespace {

Pairs listOf(const Voltages& v, int table) {
    Pairs pairs;
    for (int i = 0; i < kVoltBands; ++i)
        pairs << qMakePair(int(v.state().level(table)[i]), int(v.state().band(table)[i]));
    return pairs;
}

Pairs withEmptyTail(Pairs pairs) {
    while (pairs.size() < kVoltBands)
        pairs << qMakePair(255, 255);
    return pairs;
}

} // namespace

class TestVoltages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void levelLists_data();
    void levelLists();
    void tablesAreSortedIndependently();
    void outOfRangeValuesAreClampedNotWrapped();
    void voltsText_data();
    void voltsText();
};

void TestVoltages::levelLists_data() {
    QTest::addColumn<QList<float>>("table");
    QTest::addColumn<Pairs>("expected");

    QList<float> an1;
    for (auto level : kDefaultLevelsAn1An3)
        an1 << level;
    QTest::newRow("AN1 defaults")
        << an1
        << withEmptyTail(
               {{31, 4}, {51, 12}, {64, 9}, {90, 7}, {115, 5}, {141, 3}, {166, 2}, {254, 1}});
    QList<float> an2;
    for (auto level : kDefaultLevelsAn2)
        an2 << level;
    QTest::newRow("AN2 defaults") << an2
                                  << Pairs{{25, 1},   {42, 2},   {58, 3},   {73, 4},  {91, 5},
                                           {109, 6},  {127, 7},  {145, 8},  {160, 9}, {178, 12},
                                           {196, 13}, {254, 14}, {255, 255}};
    QTest::newRow("all zero") << QList<float>(kVoltBands, 0) << withEmptyTail({});
    Pairs full;
    for (int b = 0; b < kVoltBands; ++b)
        full << qMakePair(254, int(kBandCodes[b]));
    QTest::newRow("all at full scale keep band order") << QList<float>(kVoltBands, 255) << full;

    QList<float> ties(kVoltBands, 0);
    ties[12] = 100; // 160 m
    ties[8] = 100;  // 30 m
    QTest::newRow("equal levels keep band order") << ties << withEmptyTail({{100, 4}, {100, 1}});
    QList<float> descending;
    for (int b = 0; b < kVoltBands; ++b)
        descending << float(250 - 10 * b);
    Pairs ascending;
    for (int b = kVoltBands - 1; b >= 0; --b)
        ascending << qMakePair(250 - 10 * b, int(kBandCodes[b]));
    QTest::newRow("reverse order") << descending << ascending;
}

void TestVoltages::levelLists() {
    QFETCH(QList<float>, table);
    QFETCH(Pairs, expected);
    for (int t = 0; t < kVoltTables; ++t) {
        Voltages v;
        v.FillBandCode();
        for (int b = 0; b < kVoltBands; ++b)
            v.state().BandVoltTable[t][b] = table[b];
        v.BuildAnalogTables();
        QCOMPARE(listOf(v, t), expected);
    }
}

void TestVoltages::tablesAreSortedIndependently() {
    Voltages v;
    v.FillBandCode();
    for (int b = 0; b < kVoltBands; ++b) {
        v.state().BandVoltTable[0][b] = kDefaultLevelsAn1An3[b];
        v.state().BandVoltTable[1][b] = kDefaultLevelsAn2[b];
    }
    v.BuildAnalogTables();
    QCOMPARE(listOf(v, 0).first(), qMakePair(31, 4));
    QCOMPARE(listOf(v, 1).first(), qMakePair(25, 1));
    QCOMPARE(listOf(v, 2), withEmptyTail({}));
}

void TestVoltages::outOfRangeValuesAreClampedNotWrapped() {
    QCOMPARE(Voltages::LevelFromValue(-3), 0);
    QCOMPARE(Voltages::LevelFromValue(300), 255);
    QCOMPARE(Voltages::LevelFromValue(2.5), 2); // halves go to the even neighbour
    QCOMPARE(Voltages::LevelFromValue(3.5), 4);
    QCOMPARE(Voltages::LevelFromValue(std::nan("")), 0);
    Voltages v;
    v.FillBandCode();
    v.state().BandVoltTable[2][0] = 1000;
    v.BuildAnalogTables();
    QCOMPARE(listOf(v, 2).first(), qMakePair(254, 14));
}

void TestVoltages::voltsText_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("text");
    QTest::newRow("AN2 full scale") << 255 << 1 << "5.00";
    QTest::newRow("AN1 full scale") << 255 << 0 << "10.00";
    QTest::newRow("AN3 full scale") << 255 << 2 << "10.00";
    QTest::newRow("AN1 one step") << 1 << 0 << "0.04";
    QTest::newRow("AN2 one step") << 1 << 1 << "0.02";
    QTest::newRow("zero") << 0 << 0 << "0.00";
    QTest::newRow("AN1 64") << 64 << 0 << "2.51";
    QTest::newRow("AN2 196") << 196 << 1 << "3.84";
    QTest::newRow("AN2 42") << 42 << 1 << "0.82";
}

void TestVoltages::voltsText() {
    QFETCH(int, level);
    QFETCH(int, table);
    QFETCH(QString, text);
    QCOMPARE(Voltages::VoltsText(level, table), text);
}

QTEST_GUILESS_MAIN(TestVoltages)
#include "tst_voltages.moc"
