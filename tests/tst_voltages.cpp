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
    void levelLists_data() {
        QTest::addColumn<QList<float>>("table");
        QTest::addColumn<Pairs>("expected");
        QList<float> defaults[kVoltTables];
        for (int t = 0; t < kVoltTables; ++t)
            for (auto level : Voltages::DefaultLevels(t))
                defaults[t] << level;
        const Pairs an1 = withEmptyTail(
            {{31, 4}, {51, 12}, {64, 9}, {90, 7}, {115, 5}, {141, 3}, {166, 2}, {254, 1}});
        QTest::newRow("AN1 defaults") << defaults[0] << an1;
        QTest::newRow("AN2 defaults")
            << defaults[1]
            << Pairs{{25, 1},  {42, 2},  {58, 3},   {73, 4},   {91, 5},   {109, 6},  {127, 7},
                     {145, 8}, {160, 9}, {178, 12}, {196, 13}, {254, 14}, {255, 255}};
        QTest::newRow("AN3 defaults are AN1's") << defaults[2] << an1;
        QTest::newRow("all zero") << QList<float>(kVoltBands, 0) << withEmptyTail({});
        Pairs full;
        for (int b = 0; b < kVoltBands; ++b)
            full << qMakePair(254, int(kBandCodes[b]));
        QTest::newRow("all at full scale keep band order") << QList<float>(kVoltBands, 255) << full;
        QList<float> ties(kVoltBands, 0);
        ties[12] = 100; // 160 m
        ties[8] = 100;  // 30 m
        QTest::newRow("equal levels keep band order")
            << ties << withEmptyTail({{100, 4}, {100, 1}});
        QList<float> descending;
        Pairs ascending;
        for (int b = 0; b < kVoltBands; ++b) {
            descending << float(250 - 10 * b);
            ascending.prepend(qMakePair(250 - 10 * b, int(kBandCodes[b])));
        }
        QTest::newRow("reverse order") << descending << ascending;
        // Only a hand-edited store holds these: clamped into 0-255, halves to the even neighbour.
        QList<float> odd(kVoltBands, 0);
        odd[0] = 1000;          // 430 MHz, band code 14
        odd[1] = -3;            // 2 m
        odd[2] = std::nanf(""); // 6 m
        odd[3] = 2.5;           // 10 m, band code 9
        odd[4] = 3.5;           // 12 m, band code 8
        QTest::newRow("out of range and halves")
            << odd << withEmptyTail({{2, 9}, {4, 8}, {254, 14}});
    }
    void levelLists() {
        QFETCH(QList<float>, table);
        for (int t = 0; t < kVoltTables; ++t) { // each table alone; the others stay at 0
            Voltages v;
            v.FillBandCode();
            for (int b = 0; b < kVoltBands; ++b)
                v.state().BandVoltTable[t][b] = table[b];
            v.BuildAnalogTables();
            QTEST(listOf(v, t), "expected");
        }
    }

    void voltsText_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("text");
        QTest::newRow("AN1 full scale") << 255 << 0 << "10.00";
        QTest::newRow("AN2 full scale") << 255 << 1 << "5.00";
        QTest::newRow("AN3 full scale") << 255 << 2 << "10.00";
        QTest::newRow("AN1 one step") << 1 << 0 << "0.04";
        QTest::newRow("AN2 one step") << 1 << 1 << "0.02";
        QTest::newRow("AN1 64") << 64 << 0 << "2.51";
        QTest::newRow("AN2 196") << 196 << 1 << "3.84";
    }
    void voltsText() {
        QFETCH(int, level);
        QFETCH(int, table);
        QTEST(Voltages::VoltsText(level, table), "text");
    }
};

QTEST_GUILESS_MAIN(TestVoltages)
#include "tst_voltages.moc"
