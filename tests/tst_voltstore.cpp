#include "support/UnopenableFile.h"
#include "voltages/VoltStore.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace bdx4;
using bdx4::test::makeUnopenableFile;

namespace {

using Pairs = QList<QPair<int, int>>;

Pairs listOf(const VoltageState& s, int table) {
    Pairs pairs;
    for (int i = 0; i < kVoltBands; ++i)
        pairs << qMakePair(int(s.level(table)[i]), int(s.band(table)[i]));
    return pairs;
}

Pairs allEmpty() {
    return Pairs(kVoltBands, qMakePair(255, 255));
}

/// The AN1 default table's list, as the box must receive it.
const Pairs kAn1DefaultList = {{31, 4},    {51, 12},   {64, 9},   {90, 7},    {115, 5},
                               {141, 3},   {166, 2},   {254, 1},  {255, 255}, {255, 255},
                               {255, 255}, {255, 255}, {255, 255}};
const Pairs kAn2DefaultList = {{25, 1},   {42, 2},   {58, 3},   {73, 4},  {91, 5},
                               {109, 6},  {127, 7},  {145, 8},  {160, 9}, {178, 12},
                               {196, 13}, {254, 14}, {255, 255}};

void setDefaults(Voltages& v) {
    for (int t = 0; t < kVoltTables; ++t)
        for (int b = 0; b < kVoltBands; ++b)
            v.state().BandVoltTable[t][b] = Voltages::DefaultLevels(t)[b];
}

void setAll(Voltages& v, float level) {
    for (auto& table : v.state().BandVoltTable)
        for (auto& value : table)
            value = level;
}

int readText(Voltages& v, QByteArray text) {
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    return ReadVoltStore(v, buffer);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestVoltStore : public QObject {
    Q_OBJECT

private slots:
    void createdStoreHoldsZeroZero();
    void writtenStoreHasOneValuePerLine();
    void writtenStoreReadsBack();
    void fieldsAreReadUpToTheFirstNonNumber_data();
    void fieldsAreReadUpToTheFirstNonNumber();
    void createdLineReadsAsTwoZeros();
    void listsFollowTheTableAfterEveryLoadAndSave();
    void missingStoreIsCreatedOnLoad();
    void unopenableStoreIsLeftAlone();
    void failedWriteKeepsOldStore();
};

void TestVoltStore::createdStoreHoldsZeroZero() {
    QTemporaryDir dir;
    Voltages v;
    v.FillBandCode();
    setDefaults(v);
    v.BuildAnalogTables();
    QVERIFY(!CreateVoltStore(v, dir.path()));
    QCOMPARE(fileBytes(dir.filePath("bdx4_bv.ini")), QByteArray("0,0\r\n"));
    for (int t = 0; t < kVoltTables; ++t) {
        for (int b = 0; b < kVoltBands; ++b)
            QCOMPARE(v.state().BandVoltTable[t][b], 0.0f);
        // The box is sent empty entries only, not the defaults' lists of before.
        QCOMPARE(listOf(v.state(), t), allEmpty());
    }
}

void TestVoltStore::writtenStoreHasOneValuePerLine() {
    QTemporaryDir dir;
    Voltages v;
    v.FillBandCode();
    setDefaults(v);
    v.state().BandVoltTable[2][12] = 7;
    QVERIFY(!WriteVoltStore(v, dir.path()));
    const QByteArray bytes = fileBytes(VoltStorePath(dir.path()));
    QCOMPARE(bytes.count("\r\n"), 39);
    QCOMPARE(bytes.count('\n'), 39);
    QVERIFY(
        bytes.startsWith("0\r\n0\r\n51\r\n64\r\n0\r\n90\r\n0\r\n115\r\n31\r\n141\r\n0\r\n166\r\n"
                         "255\r\n255\r\n196\r\n"));
    QVERIFY(bytes.endsWith("166\r\n7\r\n"));
    QCOMPARE(VoltStoreText(v.state()), bytes);
}

void TestVoltStore::writtenStoreReadsBack() {
    QTemporaryDir dir;
    Voltages a;
    a.FillBandCode();
    for (int t = 0; t < kVoltTables; ++t)
        for (int b = 0; b < kVoltBands; ++b)
            a.state().BandVoltTable[t][b] = float((t * 97 + b * 31) % 256);
    a.state().BandVoltTable[1][4] = 12.5f; // a fraction is kept, with a point
    QVERIFY(!WriteVoltStore(a, dir.path()));
    QVERIFY(fileBytes(VoltStorePath(dir.path())).contains("\r\n12.5\r\n"));

    Voltages b;
    b.FillBandCode();
    LoadVoltStore(b, dir.path());
    for (int t = 0; t < kVoltTables; ++t)
        for (int band = 0; band < kVoltBands; ++band)
            QCOMPARE(b.state().BandVoltTable[t][band], a.state().BandVoltTable[t][band]);
    for (int t = 0; t < kVoltTables; ++t)
        QCOMPARE(listOf(b.state(), t), listOf(a.state(), t));
}

void TestVoltStore::fieldsAreReadUpToTheFirstNonNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("read");
    QTest::addColumn<QList<float>>("first"); // the first values of AN1 afterwards

    QTest::newRow("commas and line ends")
        << QByteArray("1,2\r\n3\r\n4,5,6\r\n") << 6 << QList<float>{1, 2, 3, 4, 5, 6, 9};
    QTest::newRow("blanks around fields")
        << QByteArray("  10 ,\t20 \r\n 30\r\n") << 3 << QList<float>{10, 20, 30, 9};
    QTest::newRow("empty fields and lines skipped")
        << QByteArray("1,,2\r\n\r\n3,\r\n") << 3 << QList<float>{1, 2, 3, 9};
    QTest::newRow("LF only") << QByteArray("4\n5\n") << 2 << QList<float>{4, 5, 9};
    QTest::newRow("out of range clamped")
        << QByteArray("300,-5,255,0,1e9") << 5 << QList<float>{255, 0, 255, 0, 255, 9};
    QTest::newRow("non-number ends the reading")
        << QByteArray("7,8,x,9,10") << 2 << QList<float>{7, 8, 9, 9};
    QTest::newRow("mode flag ends the reading")
        << QByteArray("7,#TRUE#,1") << 1 << QList<float>{7, 9};
    QTest::newRow("nan ends the reading") << QByteArray("7,nan,1") << 1 << QList<float>{7, 9};
    QTest::newRow("empty file") << QByteArray() << 0 << QList<float>{9};

    QByteArray forty;
    for (int i = 1; i <= 45; ++i)
        forty += QByteArray::number(i) + "\r\n";
    QTest::newRow("beyond 39 values ignored") << forty << 39 << QList<float>{1, 2, 3};
}

void TestVoltStore::fieldsAreReadUpToTheFirstNonNumber() {
    QFETCH(QByteArray, text);
    QFETCH(int, read);
    QFETCH(QList<float>, first);
    Voltages v;
    v.FillBandCode();
    setAll(v, 9);
    QCOMPARE(readText(v, text), read);
    for (int i = 0; i < first.size(); ++i)
        QCOMPARE(v.state().BandVoltTable[0][i], first[i]);
    // Fields fill AN1, then AN2, then AN3; those not reached keep their value.
    const int last = kVoltTables * kVoltBands - 1;
    QCOMPARE(v.state().BandVoltTable[2][12], read > last ? float(last + 1) : 9.0f);
    if (read > kVoltBands)
        QCOMPARE(v.state().BandVoltTable[1][0], float(kVoltBands + 1));
}

void TestVoltStore::createdLineReadsAsTwoZeros() {
    Voltages v;
    v.FillBandCode();
    setDefaults(v);
    v.state().BandVoltTable[0][0] = 40;
    v.state().BandVoltTable[0][1] = 50;
    QCOMPARE(readText(v, "0,0\r\n"), 2);
    QCOMPARE(v.state().BandVoltTable[0][0], 0.0f);
    QCOMPARE(v.state().BandVoltTable[0][1], 0.0f);
    QCOMPARE(v.state().BandVoltTable[0][2], 51.0f);
    // The lists are built from what the table now holds, not left as they were.
    QCOMPARE(listOf(v.state(), 0), kAn1DefaultList);
    QCOMPARE(listOf(v.state(), 1), kAn2DefaultList);
}

void TestVoltStore::listsFollowTheTableAfterEveryLoadAndSave() {
    QTemporaryDir dir;
    Voltages v;
    v.FillBandCode();
    QVERIFY(!CreateVoltStore(v, dir.path()));

    // A window saves the defaults of AN2: the lists change with the save.
    for (int b = 0; b < kVoltBands; ++b)
        v.state().BandVoltTable[1][b] = kDefaultLevelsAn2[b];
    QVERIFY(!WriteVoltStore(v, dir.path()));
    QCOMPARE(listOf(v.state(), 1), kAn2DefaultList);
    QCOMPARE(listOf(v.state(), 0), allEmpty());

    // The store is changed behind the program's back; the next window load brings it in.
    QFile f(VoltStorePath(dir.path()));
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (int b = 0; b < kVoltBands; ++b)
        f.write(QByteArray::number(kDefaultLevelsAn1An3[b]) + "\r\n");
    f.close();
    LoadVoltStore(v, dir.path());
    QCOMPARE(listOf(v.state(), 0), kAn1DefaultList);
    QCOMPARE(listOf(v.state(), 1), kAn2DefaultList); // AN2 not in the file: as it was

    // Every band at 255 goes to the box as 254, in band order.
    setAll(v, 255);
    QVERIFY(!WriteVoltStore(v, dir.path()));
    for (int i = 0; i < kVoltBands; ++i) {
        QCOMPARE(int(v.state().An3Level[i]), 254);
        QCOMPARE(v.state().An3Band[i], kBandCodes[i]);
    }
}

void TestVoltStore::missingStoreIsCreatedOnLoad() {
    QTemporaryDir dir;
    Voltages v;
    v.FillBandCode();
    setDefaults(v);
    LoadVoltStore(v, dir.path());
    QCOMPARE(fileBytes(VoltStorePath(dir.path())), QByteArray("0,0\r\n"));
    QCOMPARE(v.state().BandVoltTable[1][0], 0.0f);
    QCOMPARE(listOf(v.state(), 1), allEmpty());
}

void TestVoltStore::unopenableStoreIsLeftAlone() {
    QTemporaryDir dir;
    Voltages v;
    v.FillBandCode();
    setDefaults(v);
    if (!makeUnopenableFile(VoltStorePath(dir.path())))
        QSKIP("no way to make an unopenable file here");
    LoadVoltStore(v, dir.path());
    QVERIFY(QFileInfo::exists(VoltStorePath(dir.path())));
    QVERIFY(!QFileInfo(VoltStorePath(dir.path())).isFile());
    QCOMPARE(v.state().BandVoltTable[0][2], 51.0f);
    QCOMPARE(listOf(v.state(), 0), kAn1DefaultList);

    // A folder in the store's place cannot be replaced by a save: the failure is returned.
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkdir("bdx4_bv.ini"));
    const Failure failure = WriteVoltStore(v, other.path());
    QVERIFY(failure.has_value());
    QVERIFY(failure->number != 0);
    QVERIFY(!failure->description.isEmpty());
    QVERIFY(QFileInfo(VoltStorePath(other.path())).isDir());
}

void TestVoltStore::failedWriteKeepsOldStore() {
    QTemporaryDir dir;
    Voltages v;
    v.FillBandCode();
    setDefaults(v);
    QVERIFY(!WriteVoltStore(v, dir.path()));
    const QByteArray old = fileBytes(VoltStorePath(dir.path()));

    // A folder inside a file: nothing can be created there.
    QFile blocker(dir.filePath("plain-file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(WriteVoltStore(v, blocker.fileName()).has_value());
    QVERIFY(CreateVoltStore(v, blocker.fileName()).has_value());
    setDefaults(v);

#ifdef Q_OS_UNIX
    // The disk fills up part way through the new store.
    setAll(v, 100);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit limit = old_limit;
    limit.rlim_cur = 20;
    setrlimit(RLIMIT_FSIZE, &limit);
    const Failure failure = WriteVoltStore(v, dir.path());
    setrlimit(RLIMIT_FSIZE, &old_limit);
    QVERIFY(failure.has_value());
    QCOMPARE(fileBytes(VoltStorePath(dir.path())), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"bdx4_bv.ini", "plain-file"}));
#endif
}

QTEST_GUILESS_MAIN(TestVoltStore)
#include "tst_voltstore.moc"
