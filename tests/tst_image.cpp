// The configuration image: the seven Intel HEX records, compared whole.
#include "bandmap/BandMaps.h"
#include "bandmap/MatrixGrid.h"
#include "image/ConfigImage.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace bdx4;

namespace {

struct Fixture {
    MatrixGrid grid;
    test::FakeMessageBoxes boxes;
    test::FakeMenuMarks marks;
    BandMaps maps{grid, boxes, marks};
    Voltages volts;
    ConfigImage image{maps.state(), volts.state()};

    explicit Fixture(bool buildLists = true) {
        maps.FillOutputBitMask();
        volts.FillBandCode();
        if (buildLists)
            volts.BuildAnalogTables(); // all bands at level 0
    }
    QStringList lines() {
        maps.PrepareRowOutputBits();
        return image.DownloadLines();
    }
};

QString repeat(char c, int n) {
    return QString(n, QLatin1Char(c));
}

/// Decodes one data record; fails the test on a malformed record or a wrong checksum.
QByteArray decode(const QString& record, int expectedAddress) {
    const QByteArray bytes = QByteArray::fromHex(record.mid(1).toLatin1());
    if (!record.startsWith(':') || record.mid(1) != record.mid(1).toUpper() || bytes.size() < 5 ||
        bytes.size() != 5 + quint8(bytes[0]))
        return {};
    int sum = 0;
    for (char b : bytes)
        sum += quint8(b);
    const int address = (quint8(bytes[1]) << 8) | quint8(bytes[2]);
    if (sum % 256 != 0 || address != expectedAddress || bytes[3] != 0)
        return {};
    return bytes.mid(4, quint8(bytes[0]));
}

} // namespace

class TestImage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyGridDefaultTableZeroVoltages() {
        Fixture f;
        QCOMPARE(f.lines(),
                 (QStringList{
                     ";BD00;BD73;BDE;",
                     ":200040000000000000000000000000000000000000000000000000000000000000000000A0",
                     ":100060000000000000000000000000000000000090",
                     ":100070000020406080A0C0E000204080FFFFFFFF24",
                     ":2000A000" + repeat('F', 64) + "60", ":2000C000" + repeat('F', 64) + "40",
                     ":2000E000" + repeat('F', 64) + "20", ":00000001FF"}));
    }

    void workedRecords_data() {
        QTest::addColumn<bool>("useAcc");
        QTest::addColumn<QList<QPoint>>("cells"); // (output, row) checked
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("record");
        QList<QPoint> all, acc;
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c) {
                all << QPoint(c, r);
                if (c >= kFirstAccOutput)
                    acc << QPoint(c, r);
            }
        const QString emptyHf = ":20004000" + repeat('0', 64) + "A0";
        QTest::newRow("160M on 160, 20M on 20")
            << false << QList<QPoint>{{0, 0}, {5, 5}} << 1
            << ":2000400000000100000000000000000200000000000000000000000000000000000000009D";
        QTest::newRow("60M travels in slot 10")
            << false << QList<QPoint>{{2, 2}} << 1
            << ":20004000" + repeat('0', 40) + "0400" + repeat('0', 20) + "9C";
        QTest::newRow("accessory record while ACn drive bands")
            << true << QList<QPoint>{} << 3 << ":100070000000000000000000000000000000000080";
        QTest::newRow("every box, HF")
            << true << all << 1 << ":200040000000" + repeat('F', 56) + "0000BC";
        QTest::newRow("every box, VHF")
            << true << all << 2 << ":100060000000FFFFFFFFFFFFFFFFFFFFFFFFFFFF9E";
        QTest::newRow("sum a multiple of 256") << true << QList<QPoint>{{12, 14}, {15, 14}} << 2
                                               << ":100060000000900000000000000000000000000000";
        QTest::newRow("AC boxes in default-table mode, HF") << false << acc << 1 << emptyHf;
        QTest::newRow("AC boxes in default-table mode, VHF")
            << false << acc << 2 << ":100060000000000000000000000000000000000090";
    }
    void workedRecords() {
        QFETCH(bool, useAcc);
        QFETCH(QList<QPoint>, cells);
        QFETCH(int, line);
        Fixture f;
        f.maps.state().UseAccForBandmap = useAcc;
        for (const QPoint& cell : cells)
            f.grid.setCell(cell.y(), cell.x(), 1);
        QTEST(f.lines().at(line), "record");
    }

    void an1Records_data() {
        QTest::addColumn<QList<int>>("levels");
        QTest::addColumn<QString>("record");
        QList<int> defaults;
        for (auto level : kDefaultLevelsAn1An3)
            defaults << level;
        QTest::newRow("defaults") << defaults
                                  << ":2000A0001F04330C40095A0773058D03A602FE01" + repeat('F', 32) +
                                         "95";
        QList<int> pair(kVoltBands, 0);
        pair[7] = 0x33;  // 20 m, band code 5
        pair[12] = 0x80; // 160 m, band code 1
        QTest::newRow("two bands") << pair << ":2000A00033058001" + repeat('F', 56) + "A3";
    }
    void an1Records() {
        QFETCH(QList<int>, levels);
        Fixture f;
        for (int b = 0; b < kVoltBands; ++b)
            f.volts.state().BandVoltTable[0][b] = levels[b];
        f.volts.BuildAnalogTables();
        QTEST(f.lines().at(4), "record");
    }

    void listsNeverBuiltCarryZeros() {
        Fixture f(false); // no voltage store at start-up
        const QString zeros = repeat('0', 52) + "FFFFFFFFFFFF";
        QCOMPARE(f.lines().mid(4, 3),
                 (QStringList{":2000A000" + zeros + "46", ":2000C000" + zeros + "26",
                              ":2000E000" + zeros + "06"}));
    }

    void randomConfigurationsDecodeBack() {
        QRandomGenerator random(20261206);
        for (int round = 0; round < 300; ++round) {
            Fixture f;
            const bool useAcc = random.bounded(2) == 1;
            f.maps.state().UseAccForBandmap = useAcc;
            int cells[kBandRows][kOutputs];
            for (int r = 0; r < kBandRows; ++r)
                for (int c = 0; c < kOutputs; ++c) {
                    cells[r][c] = random.bounded(3) == 0 ? 1 : 0;
                    f.grid.setCell(r, c, cells[r][c]);
                }
            for (int t = 0; t < kVoltTables; ++t)
                for (int b = 0; b < kVoltBands; ++b)
                    f.volts.state().BandVoltTable[t][b] =
                        random.bounded(4) == 0 ? 0 : random.bounded(256);
            f.volts.BuildAnalogTables();
            const QStringList lines = f.lines();
            QCOMPARE(lines.size(), 8);
            QCOMPARE(lines[7], QStringLiteral(":00000001FF"));

            // Band rows: every output's bit is set exactly when its box is checked (AC1-AC3
            // only while they are band outputs); the empty slots stay 0000.
            const QByteArray hf = decode(lines[1], 0x0040);
            const QByteArray vhf = decode(lines[2], 0x0060);
            QVERIFY(hf.size() == 32 && vhf.size() == 16);
            QCOMPARE(hf.left(2) + hf.right(2) + vhf.left(2), QByteArray(6, 0));
            for (int r = 0; r < kBandRows; ++r) {
                const int slotOffset =
                    r < 14 ? 2 * int(std::find(kHfSlotRows.begin(), kHfSlotRows.end(), r) -
                                     kHfSlotRows.begin())
                           : 2 * (r - 13);
                const QByteArray& rec = r < 14 ? hf : vhf;
                for (int c = 0; c < kOutputs; ++c) {
                    const int byte = kOutputMasks[c][0] ? 0 : 1;
                    const bool bit = quint8(rec[slotOffset + byte]) & kOutputMasks[c][byte];
                    const bool expected = cells[r][c] == 1 && (c < kFirstAccOutput || useAcc);
                    QVERIFY2(
                        bit == expected,
                        qPrintable(QString("round %1 row %2 output %3").arg(round).arg(r).arg(c)));
                }
            }
            QCOMPARE(decode(lines[3], 0x0070),
                     useAcc
                         ? QByteArray(16, 0)
                         : QByteArray(reinterpret_cast<const char*>(kAccDefaultTable.data()), 16));

            // Voltage pairs: ascending levels, each pair a band of the table at its level (255
            // counted as 254), all non-zero bands present once, empty pairs at the tail.
            for (int t = 0; t < kVoltTables; ++t) {
                const QByteArray an = decode(lines[4 + t], 0x00A0 + 0x20 * t);
                QCOMPARE(an.size(), 32);
                QCOMPARE(an.right(6), QByteArray(6, char(0xFF)));
                QMultiMap<int, int> expected; // band code -> level
                for (int b = 0; b < kVoltBands; ++b) {
                    const int level = int(f.volts.state().BandVoltTable[t][b]);
                    if (level != 0)
                        expected.insert(kBandCodes[b], qMin(level, 254));
                }
                QMultiMap<int, int> seen;
                int previous = -1;
                for (int i = 0; i < kVoltBands; ++i) {
                    const int level = quint8(an[2 * i]);
                    const int code = quint8(an[2 * i + 1]);
                    QVERIFY(level >= previous);
                    previous = level;
                    if (level == 255)
                        QCOMPARE(code, 255);
                    else
                        seen.insert(code, level);
                }
                QCOMPARE(seen, expected);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestImage)
#include "tst_image.moc"
