// Band maps: packing, showing and storing, Defaults, Clear, the ACn modes and the prompt.
#include "bandmap/BandMaps.h"
#include "bandmap/MatrixGrid.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"

#include <QtTest>

using namespace bdx4;

namespace {

int outputIndex(const char* caption) {
    for (int c = 0; c < kOutputs; ++c)
        if (qstrcmp(kOutputCaptions[c], caption) == 0)
            return c;
    return -1;
}

int rowIndex(const char* caption) {
    for (int r = 0; r < kBandRows; ++r)
        if (qstrcmp(kRowCaptions[r], caption) == 0)
            return r;
    return -1;
}

struct Fixture {
    MatrixGrid grid;
    test::FakeMessageBoxes boxes;
    test::FakeMenuMarks marks;
    BandMaps maps{grid, boxes, marks};
    Fixture() { maps.FillOutputBitMask(); }

    void check(const char* row, std::initializer_list<const char*> outputs) {
        for (const char* o : outputs)
            grid.setCell(rowIndex(row), outputIndex(o), 1);
    }
    QSet<QString> checkedOutputs(const char* row) const {
        QSet<QString> result;
        for (int c = 0; c < kOutputs; ++c)
            if (grid.cell(rowIndex(row), c) == 1)
                result.insert(QString::fromLatin1(kOutputCaptions[c]));
        return result;
    }
    QPair<int, int> packed(const char* row) const {
        const auto& bits = maps.state().RowOutputBits[rowIndex(row)];
        return {bits[0], bits[1]};
    }
};

QSet<QString> names(std::initializer_list<const char*> list) {
    QSet<QString> result;
    for (const char* n : list)
        result.insert(QString::fromLatin1(n));
    return result;
}

} // namespace

class TestBandMap : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void packingWorkedValues_data();
    void packingWorkedValues();
    void packingTouchesOnlyItsOwnRowAndKeepsSpareRowsZero();
    void grayedCellCopiesUnchangedButPacksOff();
    void outOfRangeStoredValueShowsGrayedAndNeverPacks();
    void storeThenShowSameSlotRaisesNothing();
    void showingDifferentSlotMarksChanged();
    void clearOnClearGridKeepsMapChanged();
    void defaultsLaterVariant();
    void defaultsStartupVariant();
    void defaultsPromptYesStoresGridBeforeDefaults();
    void defaultsWithoutChangesAsksNothingAndMarksChanged();
    void clearPromptNoKeepsSlotAndClears();
    void promptTextNamesCurrentMap();
    void accModesHideAndShowWithoutTouchingValues();
    void startupDefaultsInDefaultTableModePackAccRowsToZero();
};

void TestBandMap::packingWorkedValues_data() {
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<bool>("useAcc");
    QTest::addColumn<int>("byte0");
    QTest::addColumn<int>("byte1");
    QTest::newRow("160 and XV3") << QStringList{"160", "XV3"} << true << 0x11 << 0x00;
    QTest::newRow("10 and AC1") << QStringList{"10", "AC1"} << true << 0x20 << 0x20;
    QStringList all;
    for (const char* c : kOutputCaptions)
        all << QString::fromLatin1(c);
    QTest::newRow("all sixteen, ACn for bandmap") << all << true << 0xFF << 0xFF;
    QTest::newRow("all sixteen, default table") << all << false << 0x1F << 0xFF;
    QTest::newRow("nothing") << QStringList{} << true << 0x00 << 0x00;
    QTest::newRow("only XV3") << QStringList{"XV3"} << true << 0x10 << 0x00;
    QTest::newRow("only 30") << QStringList{"30"} << true << 0x00 << 0x01;
    QTest::newRow("AC1-AC3 in default-table mode")
        << QStringList{"AC1", "AC2", "AC3"} << false << 0x00 << 0x00;
    QTest::newRow("80 and XV2") << QStringList{"80", "XV2"} << true << 0x02 << 0x80;
}

void TestBandMap::packingWorkedValues() {
    QFETCH(QStringList, outputs);
    QFETCH(bool, useAcc);
    QFETCH(int, byte0);
    QFETCH(int, byte1);
    Fixture f;
    for (const QString& o : outputs)
        f.grid.setCell(rowIndex("40M"), outputIndex(o.toLatin1().constData()), 1);
    f.maps.state().UseAccForBandmap = useAcc;
    f.maps.PrepareRowOutputBits();
    QCOMPARE(f.packed("40M"), qMakePair(byte0, byte1));
    // The cells keep their values whatever the mode packs.
    for (const QString& o : outputs)
        QCOMPARE(f.grid.cell(rowIndex("40M"), outputIndex(o.toLatin1().constData())), 1);
}

void TestBandMap::packingTouchesOnlyItsOwnRowAndKeepsSpareRowsZero() {
    Fixture f;
    f.check("160M", {"160"});
    f.check("XVTR7", {"XV1", "AC3"});
    f.maps.state().UseAccForBandmap = true;
    // Stale bytes from an earlier packing must not survive.
    f.maps.state().RowOutputBits[5][1] = 0x55;
    f.maps.state().RowOutputBits[22][0] = 0x77;
    f.maps.PrepareRowOutputBits();
    for (int r = 0; r < kWorkRows; ++r) {
        const auto& bits = f.maps.state().RowOutputBits[r];
        if (r == rowIndex("160M"))
            QCOMPARE(qMakePair(int(bits[0]), int(bits[1])), qMakePair(0x01, 0x00));
        else if (r == rowIndex("XVTR7"))
            QCOMPARE(qMakePair(int(bits[0]), int(bits[1])), qMakePair(0x80, 0x40));
        else
            QCOMPARE(qMakePair(int(bits[0]), int(bits[1])), qMakePair(0, 0));
    }
}

void TestBandMap::grayedCellCopiesUnchangedButPacksOff() {
    Fixture f;
    f.maps.state().BandMapStore[1][3][4] = 2;
    f.maps.state().BandMapStore[1][3][5] = 1;
    f.maps.ShowMap(1);
    QCOMPARE(f.grid.cell(3, 4), 2);
    f.maps.StoreMap(2);
    QCOMPARE(int(f.maps.state().BandMapStore[2][3][4]), 2);
    f.maps.state().UseAccForBandmap = true;
    f.maps.PrepareRowOutputBits();
    QCOMPARE(int(f.maps.state().RowOutputBits[3][1]), 0x02); // only "20"; the grayed "30" is off
}

void TestBandMap::outOfRangeStoredValueShowsGrayedAndNeverPacks() {
    Fixture f;
    f.maps.state().BandMapStore[0][0][0] = 7;
    f.maps.state().BandMapStore[0][0][1] = 255;
    f.maps.ShowMap(0);
    QCOMPARE(f.grid.cell(0, 0), 2);
    QCOMPARE(f.grid.cell(0, 1), 2);
    f.maps.PrepareRowOutputBits();
    QCOMPARE(int(f.maps.state().RowOutputBits[0][0]), 0);
}

void TestBandMap::storeThenShowSameSlotRaisesNothing() {
    Fixture f;
    f.check("20M", {"20", "XV1"});
    f.maps.StoreMap(0);
    QVERIFY(!f.maps.state().MapChanged);
    const int before = f.grid.notifications();
    f.maps.ShowMap(0);
    QCOMPARE(f.grid.notifications(), before);
    QVERIFY(!f.maps.state().MapChanged);
    QCOMPARE(f.checkedOutputs("20M"), names({"20", "XV1"}));
}

void TestBandMap::showingDifferentSlotMarksChanged() {
    Fixture f;
    f.maps.state().BandMapStore[2][20][15] = 1;
    f.maps.ShowMap(2);
    QVERIFY(f.maps.state().MapChanged);
    QCOMPARE(f.grid.cell(20, 15), 1);
    QCOMPARE(f.maps.state().CurrentMap, 0); // the caller sets it, not ShowMap
}

void TestBandMap::clearOnClearGridKeepsMapChanged() {
    Fixture f;
    f.maps.Clear_Array_Click();
    QVERIFY(f.boxes.shown.isEmpty());
    QVERIFY(!f.maps.state().MapChanged);
    f.check("6M", {"XV1"});
    f.maps.StoreMap(0);
    f.maps.Clear_Array_Click();
    QVERIFY(f.maps.state().MapChanged); // through the box that was checked
    QVERIFY(f.checkedOutputs("6M").isEmpty());
}

void TestBandMap::defaultsLaterVariant() {
    Fixture f;
    f.maps.state().StartupDone = true;
    f.check("160M", {"AC2"}); // anything on the grid goes
    f.maps.StoreMap(0);
    f.maps.Defaults_Click();
    const QList<QPair<const char*, QSet<QString>>> expected = {
        {"160M", names({"160"})},
        {"80M", names({"80"})},
        {"60M", names({"60"})},
        {"40M", names({"40"})},
        {"30M", names({"30"})},
        {"20M", names({"20"})},
        {"17M", names({"17"})},
        {"15M", names({"15"})},
        {"12M", names({"12"})},
        {"10M", names({"10"})},
        {"6M", names({"XV1"})},
        {"XV1", names({"XV1"})},
        {"XV2", names({"XV2"})},
        {"XV3", names({"XV3"})},
        {"XVTR1", names({"XV1"})},
        {"XVTR2", names({"XV2"})},
        {"XVTR3", names({"XV1", "XV2"})},
        {"XVTR4", names({"XV3"})},
        {"XVTR5", names({"XV1", "XV3"})},
        {"XVTR6", names({"XV2", "XV3"})},
        {"XVTR7", names({"XV1", "XV2", "XV3"})}};
    for (const auto& [row, outputs] : expected)
        QCOMPARE(f.checkedOutputs(row), outputs);
    QVERIFY(f.maps.state().MapChanged);
}

void TestBandMap::defaultsStartupVariant() {
    Fixture f;
    f.maps.state().StartupDone = false;
    f.maps.ShowAccColumns(false);
    f.maps.Defaults_Click();
    QCOMPARE(f.checkedOutputs("6M"), names({"XV1"}));
    QCOMPARE(f.checkedOutputs("XVTR3"), names({"XV3"}));
    QCOMPARE(f.checkedOutputs("XVTR4"), names({"AC1"})); // checked although hidden
    QCOMPARE(f.checkedOutputs("XVTR5"), names({"AC2"}));
    QCOMPARE(f.checkedOutputs("XVTR6"), names({"AC3"}));
    QVERIFY(f.checkedOutputs("XVTR7").isEmpty());
    QVERIFY(!f.grid.isCellVisible(rowIndex("XVTR4"), outputIndex("AC1")));
}

void TestBandMap::defaultsPromptYesStoresGridBeforeDefaults() {
    Fixture f;
    f.maps.state().StartupDone = true;
    f.maps.state().CurrentMap = 1;
    f.check("17M", {"AC1", "160"});
    QVERIFY(f.maps.state().MapChanged);
    f.boxes.answers = {MsgAnswer::Yes};
    f.maps.Defaults_Click();
    QCOMPARE(f.boxes.shown.size(), 1);
    QCOMPARE(int(f.maps.state().BandMapStore[1][rowIndex("17M")][outputIndex("AC1")]), 1);
    QCOMPARE(int(f.maps.state().BandMapStore[1][rowIndex("17M")][outputIndex("17")]), 0);
    QCOMPARE(f.checkedOutputs("17M"), names({"17"}));
    QVERIFY(f.maps.state().MapChanged);
    QCOMPARE(f.maps.state().CurrentMap, 1);
}

void TestBandMap::defaultsWithoutChangesAsksNothingAndMarksChanged() {
    Fixture f;
    f.maps.state().StartupDone = true;
    f.maps.Defaults_Click();
    f.maps.StoreMap(0);
    // The grid already holds the defaults: no cell changes, yet the map counts as changed.
    f.maps.Defaults_Click();
    QVERIFY(f.boxes.shown.isEmpty());
    QVERIFY(f.maps.state().MapChanged);
}

void TestBandMap::clearPromptNoKeepsSlotAndClears() {
    Fixture f;
    f.check("12M", {"12"});
    f.boxes.answers = {MsgAnswer::No};
    f.maps.Clear_Array_Click();
    QCOMPARE(f.boxes.shown.size(), 1);
    QCOMPARE(int(f.maps.state().BandMapStore[0][rowIndex("12M")][outputIndex("12")]), 0);
    QVERIFY(f.checkedOutputs("12M").isEmpty());
    QVERIFY(f.maps.state().MapChanged);
}

void TestBandMap::promptTextNamesCurrentMap() {
    Fixture f;
    f.maps.state().CurrentMap = 2; // as after "Save as MAP3"
    f.check("10M", {"10"});
    f.boxes.answers = {MsgAnswer::No};
    f.maps.Clear_Array_Click();
    const MessageRequest& box = f.boxes.shown.at(0);
    QCOMPARE(box.text, QStringLiteral("The last Map3 changes have not been saved.  Do you want to "
                                      "save these changes?"));
    QCOMPARE(box.title, QStringLiteral("BDX4 Config"));
    QCOMPARE(box.buttons, MsgButtons::YesNo);
    QCOMPARE(box.defaultButton, MsgAnswer::Yes);
    QCOMPARE(box.icon, MsgIcon::None);
    QCOMPARE(BandMaps::UnsavedChangesText(0),
             QStringLiteral("The last Map1 changes have not been saved.  Do you want to save "
                            "these changes?"));
}

void TestBandMap::accModesHideAndShowWithoutTouchingValues() {
    Fixture f;
    f.check("XVTR2", {"AC1", "AC3"});
    f.maps.StoreMap(0);
    const int before = f.grid.notifications();
    f.maps.cmd_UseACC_No_Click();
    QVERIFY(!f.maps.state().UseAccForBandmap);
    QVERIFY(!f.maps.state().MapChanged);
    QCOMPARE(f.grid.notifications(), before);
    QVERIFY(f.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(!f.marks.isChecked("cmd_UseACC_Yes"));
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            QCOMPARE(f.grid.isCellVisible(r, c), c < kFirstAccOutput);
    // A hidden box takes no clicks but keeps and stores its value.
    f.grid.click(rowIndex("XVTR2"), outputIndex("AC1"));
    QCOMPARE(f.checkedOutputs("XVTR2"), names({"AC1", "AC3"}));
    f.maps.StoreMap(1);
    QCOMPARE(int(f.maps.state().BandMapStore[1][rowIndex("XVTR2")][outputIndex("AC3")]), 1);

    f.maps.cmd_UseACC_Yes_Click();
    QVERIFY(f.maps.state().UseAccForBandmap);
    QVERIFY(f.marks.isChecked("cmd_UseACC_Yes"));
    QVERIFY(!f.marks.isChecked("cmd_UseACC_No"));
    QVERIFY(f.grid.isCellVisible(rowIndex("XVTR7"), outputIndex("AC3")));
    QCOMPARE(f.checkedOutputs("XVTR2"), names({"AC1", "AC3"}));
    QVERIFY(!f.maps.state().MapChanged);
}

void TestBandMap::startupDefaultsInDefaultTableModePackAccRowsToZero() {
    Fixture f;
    f.maps.Defaults_Click();
    f.maps.state().UseAccForBandmap = false;
    f.maps.PrepareRowOutputBits();
    for (const char* row : {"XVTR4", "XVTR5", "XVTR6", "XVTR7"})
        QCOMPARE(f.packed(row), qMakePair(0, 0));
    QCOMPARE(f.packed("XVTR3"), qMakePair(0x10, 0x00));
}

QTEST_GUILESS_MAIN(TestBandMap)
#include "tst_bandmap.moc"
