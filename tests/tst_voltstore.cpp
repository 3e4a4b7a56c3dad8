#include "support/UnopenableFile.h"
#include "voltages/VoltStore.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using bdx4::test::makeUnopenableFile;

namespace {

/// Tables at `level` everywhere, with level lists built from them: a load or save that does not
/// rebuild the lists leaves these behind.
void setAll(Voltages& v, float level) {
    v.FillBandCode();
    for (auto& table : v.state().BandVoltTable)
        for (auto& value : table)
            value = level;
    v.BuildAnalogTables();
}

/// Whether the level lists the box gets follow what the tables hold now.
bool listsFollowTables(const Voltages& v) {
    Voltages fresh = v;
    fresh.BuildAnalogTables();
    for (int t = 0; t < kVoltTables; ++t)
        if (std::memcmp(fresh.state().level(t), v.state().level(t), kVoltBands) != 0 ||
            std::memcmp(fresh.state().band(t), v.state().band(t), kVoltBands) != 0)
            return false;
    return true;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestVoltStore : public QObject {
    Q_OBJECT

private slots:
    void missingStoreIsCreatedHoldingZeroZero() {
        QTemporaryDir dir;
        Voltages v;
        setAll(v, 100);
        LoadVoltStore(v, dir.path());
        QCOMPARE(fileBytes(VoltStorePath(dir.path())), QByteArray("0,0\r\n"));
        for (const auto& table : v.state().BandVoltTable)
            for (const float level : table)
                QCOMPARE(level, 0.0f);
        QVERIFY(listsFollowTables(v)); // the box is sent empty entries only
        QCOMPARE(int(v.state().An3Level[0]), 255);
    }

    void writtenStoreHasOneValuePerLineAndReadsBack() {
        QTemporaryDir dir;
        Voltages a;
        setAll(a, 0);
        QByteArray expected;
        for (int t = 0; t < kVoltTables; ++t)
            for (int b = 0; b < kVoltBands; ++b) { // a fraction is kept, with a point
                const double level = t == 1 && b == 4 ? 12.5 : (t * 97 + b * 31) % 256;
                a.state().BandVoltTable[t][b] = float(level);
                expected += QByteArray::number(level) + "\r\n";
            }
        QVERIFY(!WriteVoltStore(a, dir.path()));
        QCOMPARE(fileBytes(VoltStorePath(dir.path())), expected);
        QVERIFY(listsFollowTables(a));

        Voltages b;
        setAll(b, 7);
        LoadVoltStore(b, dir.path());
        QCOMPARE(std::memcmp(a.state().BandVoltTable, b.state().BandVoltTable,
                             sizeof a.state().BandVoltTable),
                 0);
        QVERIFY(listsFollowTables(b));
    }

    void fieldsAreReadUpToTheFirstNonNumber_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("read");
        QTest::addColumn<QList<float>>("first"); // the first values of AN1 afterwards
        QTest::newRow("created store") << QByteArray("0,0\r\n") << 2 << QList<float>{0, 0, 9};
        QTest::newRow("commas and line ends")
            << QByteArray("1,2\r\n3\r\n4,5,6\r\n") << 6 << QList<float>{1, 2, 3, 4, 5, 6, 9};
        QTest::newRow("blanks, empty fields and lines")
            << QByteArray(" 10 ,,\t20 \r\n\r\n30,\n") << 3 << QList<float>{10, 20, 30, 9};
        QTest::newRow("out of range clamped")
            << QByteArray("300,-5,255,0,1e9") << 5 << QList<float>{255, 0, 255, 0, 255, 9};
        QTest::newRow("non-number ends the reading")
            << QByteArray("7,8,x,9,10") << 2 << QList<float>{7, 8, 9, 9};
        QTest::newRow("nan ends the reading") << QByteArray("7,nan,1") << 1 << QList<float>{7, 9};
        QTest::newRow("empty file") << QByteArray() << 0 << QList<float>{9};
        QByteArray many;
        for (int i = 1; i <= 45; ++i)
            many += QByteArray::number(i) + "\r\n";
        QTest::newRow("beyond 39 values ignored") << many << 39 << QList<float>{1, 2, 3};
    }
    void fieldsAreReadUpToTheFirstNonNumber() {
        QFETCH(QByteArray, text);
        QFETCH(int, read);
        QFETCH(QList<float>, first);
        Voltages v;
        setAll(v, 9);
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(ReadVoltStore(v, buffer), read);
        for (int i = 0; i < first.size(); ++i)
            QCOMPARE(v.state().BandVoltTable[0][i], first[i]);
        // Fields fill AN1, then AN2, then AN3; those not reached keep their value.
        QCOMPARE(v.state().BandVoltTable[1][0], read > kVoltBands ? 14.0f : 9.0f);
        QCOMPARE(v.state().BandVoltTable[2][12], read == 39 ? 39.0f : 9.0f);
        QVERIFY(listsFollowTables(v));
    }

    void unopenableStoreIsLeftAlone() {
        QTemporaryDir dir;
        Voltages v;
        setAll(v, 0);
        v.state().BandVoltTable[0][2] = 51;
        if (!makeUnopenableFile(VoltStorePath(dir.path())))
            QSKIP("no way to make an unopenable file here");
        LoadVoltStore(v, dir.path()); // a fresh store over it would lose the user's tables
        QVERIFY(QFileInfo::exists(VoltStorePath(dir.path())));
        QVERIFY(!QFileInfo(VoltStorePath(dir.path())).isFile());
        QCOMPARE(v.state().BandVoltTable[0][2], 51.0f);
        QVERIFY(listsFollowTables(v));
    }
};

QTEST_GUILESS_MAIN(TestVoltStore)
#include "tst_voltstore.moc"
