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

    Fixture() {
        maps.FillOutputBitMask();
        volts.FillBandCode();
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
    void padHex2();
    void emptyGridDefaultTableZeroVoltages();
    void accessoryRecordWhileAcnDrivesBands();
    void accBoxesInDefaultTableModeChangeNoRecord();
    void workedHfRecord();
    void allOutputsEverywhere();
    void checksumOfWholeMultipleIs00();
    void an1Records_data();
    void an1Records();
    void listsNeverBuiltCarryZeros();
    void exportLinesAreQuotedWithCrLf();
    void randomConfigurationsDecodeBack();
};

void TestImage::padHex2() {
    QCOMPARE(ConfigImage::PadHex2("A"), QStringLiteral("0A"));
    QCOMPARE(ConfigImage::PadHex2("FF"), QStringLiteral("FF"));
    QCOMPARE(ConfigImage::PadHex2(""), QString());
}

void TestImage::emptyGridDefaultTableZeroVoltages() {
    Fixture f;
    const QStringList expected = {
        ";BD00;BD73;BDE;",
        ":200040000000000000000000000000000000000000000000000000000000000000000000A0",
        ":100060000000000000000000000000000000000090",
        ":100070000020406080A0C0E000204080FFFFFFFF24",
        ":2000A000" + repeat('F', 64) + "60",
        ":2000C000" + repeat('F', 64) + "40",
        ":2000E000" + repeat('F', 64) + "20",
        ":00000001FF"};
    QCOMPARE(f.lines(), expected);
    for (const QString& line : f.lines().mid(1, 6))
        QVERIFY(line.size() == 75 || line.size() == 43);
}

void TestImage::accessoryRecordWhileAcnDrivesBands() {
    Fixture f;
    f.maps.state().UseAccForBandmap = true;
    QCOMPARE(f.lines().at(3), QStringLiteral(":100070000000000000000000000000000000000080"));
}

void TestImage::accBoxesInDefaultTableModeChangeNoRecord() {
    Fixture f;
    const QStringList before = f.lines();
    for (int r = 0; r < kBandRows; ++r)
        for (int c = kFirstAccOutput; c < kOutputs; ++c)
            f.grid.setCell(r, c, 1);
    QCOMPARE(f.lines(), before);
}

void TestImage::workedHfRecord() {
    Fixture f;
    f.grid.setCell(0, 0, 1); // 160M -> "160"
    f.grid.setCell(5, 5, 1); // 20M -> "20"
    QCOMPARE(f.lines().at(1),
             QStringLiteral(":2000400000000100000000000000000200000000000000000000000000000000"
                            "000000009D"));
    // 60M travels in slot 10, after 10M.
    Fixture g;
    g.grid.setCell(2, 2, 1);
    QCOMPARE(g.lines().at(1).mid(9 + 4 * 10, 4), QStringLiteral("0400"));
}

void TestImage::allOutputsEverywhere() {
    Fixture f;
    f.maps.state().UseAccForBandmap = true;
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            f.grid.setCell(r, c, 1);
    const QStringList lines = f.lines();
    QVERIFY(lines.at(1).endsWith(QStringLiteral("0000BC")));
    QCOMPARE(lines.at(1), ":200040000000" + repeat('F', 56) + "0000BC");
    QCOMPARE(lines.at(2), QStringLiteral(":100060000000FFFFFFFFFFFFFFFFFFFFFFFFFFFF9E"));
}

void TestImage::checksumOfWholeMultipleIs00() {
    Fixture f;
    f.maps.state().UseAccForBandmap = true;
    f.grid.setCell(14, 12, 1); // XVTR1: XV3
    f.grid.setCell(14, 15, 1); // XVTR1: AC3
    QCOMPARE(f.lines().at(2), QStringLiteral(":100060000000900000000000000000000000000000"));
}

void TestImage::an1Records_data() {
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

void TestImage::an1Records() {
    QFETCH(QList<int>, levels);
    QFETCH(QString, record);
    Fixture f;
    for (int b = 0; b < kVoltBands; ++b)
        f.volts.state().BandVoltTable[0][b] = levels[b];
    f.volts.BuildAnalogTables();
    QCOMPARE(f.lines().at(4), record);
}

void TestImage::listsNeverBuiltCarryZeros() {
    MatrixGrid grid;
    test::FakeMessageBoxes boxes;
    test::FakeMenuMarks marks;
    BandMaps maps{grid, boxes, marks};
    Voltages volts; // lists left at zero
    ConfigImage image{maps.state(), volts.state()};
    const QString zeros = repeat('0', 52) + "FFFFFFFFFFFF";
    QCOMPARE(image.AssembleRecord(Section::AN1), ":2000A000" + zeros + "46");
    QCOMPARE(image.AssembleRecord(Section::AN2), ":2000C000" + zeros + "26");
    QCOMPARE(image.AssembleRecord(Section::AN3), ":2000E000" + zeros + "06");
    QCOMPARE(image.state().HexRecord, ":2000E000" + zeros + "06");
}

void TestImage::exportLinesAreQuotedWithCrLf() {
    QCOMPARE(ConfigImage::QuotedLines({";BD00;BD73;BDE;", ":00000001FF"}),
             QByteArray("\";BD00;BD73;BDE;\"\r\n\":00000001FF\"\r\n"));
}

void TestImage::randomConfigurationsDecodeBack() {
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

        // Band rows: every output's bit is set exactly when its box is checked (AC1-AC3 only
        // while they are band outputs).
        const QByteArray hf = decode(lines[1], 0x0040);
        const QByteArray vhf = decode(lines[2], 0x0060);
        QCOMPARE(hf.size(), 32);
        QCOMPARE(vhf.size(), 16);
        for (int r = 0; r < kBandRows; ++r) {
            const int slotOffset =
                r < 14 ? 2 * int(std::find(kHfSlotRows.begin(), kHfSlotRows.end(), r) -
                                 kHfSlotRows.begin())
                       : 2 * (r - 13);
            const QByteArray& rec = r < 14 ? hf : vhf;
            for (int c = 0; c < kOutputs; ++c) {
                const int byte = kOutputMasks[c][0] ? 0 : 1;
                const int mask = kOutputMasks[c][byte];
                const bool bit = quint8(rec[slotOffset + byte]) & mask;
                const bool expected = cells[r][c] == 1 && (c < kFirstAccOutput || useAcc);
                QVERIFY2(bit == expected,
                         qPrintable(QString("round %1 row %2 output %3").arg(round).arg(r).arg(c)));
            }
        }
        QCOMPARE(hf.left(2), QByteArray(2, 0));
        QCOMPARE(hf.right(2), QByteArray(2, 0));
        QCOMPARE(vhf.left(2), QByteArray(2, 0));

        const QByteArray acc = decode(lines[3], 0x0070);
        QCOMPARE(acc, useAcc
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
        QCOMPARE(lines[7], QStringLiteral(":00000001FF"));
    }
}

QTEST_GUILESS_MAIN(TestImage)
#include "tst_image.moc"
