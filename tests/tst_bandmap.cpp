// Band maps: packing, showing and storing, Defaults, Clear, the ACn modes and the prompt.
#include "bandmap/BandMaps.h"
#include "bandmap/MatrixGrid.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"

#include <QtTest>

using namespace bdx4;

namespace {

int outputIndex(const QString& caption) {
    for (int c = 0; c < kOutputs; ++c)
        if (caption == QLatin1String(kOutputCaptions[c]))
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
    BandMapState& s = maps.state();
    Fixture() { maps.FillOutputBitMask(); }

    /// Checks the outputs named (blank-separated) in the row.
    void check(const char* row, const QString& outputs) {
        for (const QString& o : outputs.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            grid.setCell(rowIndex(row), outputIndex(o), 1);
    }
    /// The outputs checked in the row, blank-separated in output order.
    QString checked(int row) const {
        QStringList names;
        for (int c = 0; c < kOutputs; ++c)
            if (grid.cell(row, c) == 1)
                names << QString::fromLatin1(kOutputCaptions[c]);
        return names.join(QLatin1Char(' '));
    }
    QString checked(const char* row) const { return checked(rowIndex(row)); }
    QPair<int, int> packed(const char* row) const {
        const auto& bits = s.RowOutputBits[rowIndex(row)];
        return {bits[0], bits[1]};
    }
    int stored(int map, const char* row, const char* output) const {
        return s.BandMapStore[map][rowIndex(row)][outputIndex(QLatin1String(output))];
    }
};

} // namespace

class TestBandMap : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void packingWorkedValues_data() {
        QTest::addColumn<QString>("outputs");
        QTest::addColumn<bool>("useAcc");
        QTest::addColumn<int>("byte0");
        QTest::addColumn<int>("byte1");
        const QString all =
            QStringLiteral("160 80 60 40 30 20 17 15 12 10 XV1 XV2 XV3 AC1 AC2 AC3");
        QTest::newRow("160 and XV3") << "160 XV3" << true << 0x11 << 0x00;
        QTest::newRow("10 and AC1") << "10 AC1" << true << 0x20 << 0x20;
        QTest::newRow("80 and XV2") << "80 XV2" << true << 0x02 << 0x80;
        QTest::newRow("all sixteen, ACn for bandmap") << all << true << 0xFF << 0xFF;
        QTest::newRow("all sixteen, default table") << all << false << 0x1F << 0xFF;
        QTest::newRow("nothing") << "" << true << 0x00 << 0x00;
        QTest::newRow("only XV3") << "XV3" << true << 0x10 << 0x00;
        QTest::newRow("only 30") << "30" << true << 0x00 << 0x01;
        QTest::newRow("AC1-AC3, default table") << "AC1 AC2 AC3" << false << 0x00 << 0x00;
    }
    void packingWorkedValues() {
        QFETCH(QString, outputs);
        QFETCH(bool, useAcc);
        Fixture f;
        f.check("40M", outputs);
        f.s.UseAccForBandmap = useAcc;
        f.maps.PrepareRowOutputBits();
        QFETCH(int, byte0);
        QFETCH(int, byte1);
        QCOMPARE(f.packed("40M"), qMakePair(byte0, byte1));
        QCOMPARE(f.checked("40M"), outputs); // the cells keep their values whatever the mode packs
    }

    void packingTouchesOnlyItsOwnRowAndKeepsSpareRowsZero() {
        Fixture f;
        f.check("160M", "160");
        f.check("XVTR7", "XV1 AC3");
        f.s.UseAccForBandmap = true;
        // Stale bytes from an earlier packing must not survive.
        f.s.RowOutputBits[5][1] = 0x55;
        f.s.RowOutputBits[22][0] = 0x77;
        f.maps.PrepareRowOutputBits();
        for (int r = 0; r < kWorkRows; ++r) {
            const auto& bits = f.s.RowOutputBits[r];
            const int expected = r == rowIndex("160M")    ? 0x0100
                                 : r == rowIndex("XVTR7") ? 0x8040
                                                          : 0;
            QCOMPARE(bits[0] << 8 | bits[1], expected);
        }
    }

    void grayedAndOddStoredCellsNeverPack() {
        Fixture f;
        f.s.BandMapStore[1][3][4] = 2; // 40M "30" grayed
        f.s.BandMapStore[1][3][5] = 1; // 40M "20"
        f.s.BandMapStore[1][0][0] = 7; // only a hand-edited store holds these
        f.s.BandMapStore[1][0][1] = 255;
        f.maps.ShowMap(1);
        QCOMPARE(QList<int>({f.grid.cell(3, 4), f.grid.cell(0, 0), f.grid.cell(0, 1)}),
                 QList<int>({2, 2, 2}));
        f.maps.StoreMap(2);
        QCOMPARE(int(f.s.BandMapStore[2][3][4]), 2);
        QCOMPARE(int(f.s.BandMapStore[2][0][0]), 2);
        f.s.UseAccForBandmap = true;
        f.maps.PrepareRowOutputBits();
        QCOMPARE(f.packed("40M"), qMakePair(0, 0x02)); // only "20"
        QCOMPARE(f.packed("160M"), qMakePair(0, 0));
    }

    void showingRaisesChangesOnlyForADifferentSlot() {
        Fixture f;
        f.check("20M", "20 XV1");
        f.maps.StoreMap(0);
        QVERIFY(!f.s.MapChanged);
        const int before = f.grid.notifications();
        f.maps.ShowMap(0);
        QCOMPARE(f.grid.notifications(), before);
        QVERIFY(!f.s.MapChanged);
        QCOMPARE(f.checked("20M"), QStringLiteral("20 XV1"));

        f.s.BandMapStore[2][20][15] = 1;
        f.maps.ShowMap(2);
        QVERIFY(f.s.MapChanged);
        QCOMPARE(f.checked("XVTR7"), QStringLiteral("AC3"));
        QCOMPARE(f.s.CurrentMap, 0); // the caller sets it, not ShowMap
    }

    void defaults_data() {
        QTest::addColumn<bool>("startupDone");
        QTest::addColumn<QStringList>("rows"); // the checked outputs of each row, in row order
        const QStringList common{"160", "80", "60", "40",  "30",  "20",  "17",
                                 "15",  "12", "10", "XV1", "XV1", "XV2", "XV3"};
        QTest::newRow("pressed after start-up")
            << true << common + QStringList{"XV1",     "XV2",     "XV1 XV2",    "XV3",
                                            "XV1 XV3", "XV2 XV3", "XV1 XV2 XV3"};
        QTest::newRow("first start without maps")
            << false << common + QStringList{"XV1", "XV2", "XV3", "AC1", "AC2", "AC3", ""};
    }
    void defaults() {
        QFETCH(bool, startupDone);
        QFETCH(QStringList, rows);
        Fixture f;
        f.s.StartupDone = startupDone;
        f.maps.cmd_UseACC_No_Click(); // AC boxes hidden, as at start-up
        f.check("160M", "AC2");       // anything on the grid goes
        f.maps.StoreMap(0);
        f.maps.Defaults_Click();
        QStringList shown;
        for (int r = 0; r < kBandRows; ++r)
            shown << f.checked(r);
        QCOMPARE(shown, rows);
        QVERIFY(f.boxes.shown.isEmpty());
        QVERIFY(f.s.MapChanged);
        // In the default-table mode the AC boxes of the start-up arrangement pack to nothing.
        f.maps.PrepareRowOutputBits();
        if (!startupDone) {
            for (const char* row : {"XVTR4", "XVTR5", "XVTR6", "XVTR7"})
                QCOMPARE(f.packed(row), qMakePair(0, 0));
            QCOMPARE(f.packed("XVTR3"), qMakePair(0x10, 0));
        }
    }

    void defaultsPromptYesStoresGridBeforeDefaults() {
        Fixture f;
        f.s.StartupDone = true;
        f.s.CurrentMap = 1;
        f.check("17M", "AC1 160");
        f.boxes.answers = {MsgAnswer::Yes};
        f.maps.Defaults_Click();
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.stored(1, "17M", "AC1"), 1);
        QCOMPARE(f.stored(1, "17M", "17"), 0);
        QCOMPARE(f.checked("17M"), QStringLiteral("17"));
        QVERIFY(f.s.MapChanged);
        QCOMPARE(f.s.CurrentMap, 1);
    }

    void clearAsksNamingTheCurrentMap() {
        Fixture f;
        f.maps.Clear_Array_Click(); // nothing changed on a clear grid: no question
        QVERIFY(f.boxes.shown.isEmpty());
        QVERIFY(!f.s.MapChanged);

        f.s.CurrentMap = 2; // as after "Save as MAP3"
        f.check("10M", "10");
        f.boxes.answers = {MsgAnswer::No};
        f.maps.Clear_Array_Click();
        QCOMPARE(f.boxes.shown.size(), 1);
        const MessageRequest& box = f.boxes.shown.at(0);
        QCOMPARE(box.text, QStringLiteral("The last Map3 changes have not been saved.  Do you "
                                          "want to save these changes?"));
        QCOMPARE(box.title, QStringLiteral("BDX4 Config"));
        QCOMPARE(box.buttons, MsgButtons::YesNo);
        QCOMPARE(box.defaultButton, MsgAnswer::Yes);
        QCOMPARE(box.icon, MsgIcon::None);
        QCOMPARE(f.stored(2, "10M", "10"), 0); // No keeps the slot
        QVERIFY(f.checked("10M").isEmpty());
        QVERIFY(f.s.MapChanged); // through the box that was cleared
    }

    void accModesHideAndShowWithoutTouchingValues() {
        Fixture f;
        f.check("XVTR2", "AC1 AC3");
        f.maps.StoreMap(0);
        const int before = f.grid.notifications();
        f.maps.cmd_UseACC_No_Click();
        QVERIFY(!f.s.UseAccForBandmap && !f.s.MapChanged);
        QVERIFY(f.marks.isChecked("cmd_UseACC_No") && !f.marks.isChecked("cmd_UseACC_Yes"));
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                QCOMPARE(f.grid.isCellVisible(r, c), c < kFirstAccOutput);
        // A hidden box takes no clicks but keeps and stores its value.
        f.grid.click(rowIndex("XVTR2"), outputIndex(QStringLiteral("AC1")));
        QCOMPARE(f.checked("XVTR2"), QStringLiteral("AC1 AC3"));
        f.maps.StoreMap(1);
        QCOMPARE(f.stored(1, "XVTR2", "AC3"), 1);

        f.maps.cmd_UseACC_Yes_Click();
        QVERIFY(f.s.UseAccForBandmap);
        QVERIFY(f.marks.isChecked("cmd_UseACC_Yes") && !f.marks.isChecked("cmd_UseACC_No"));
        QVERIFY(f.grid.isCellVisible(rowIndex("XVTR7"), outputIndex(QStringLiteral("AC3"))));
        QCOMPARE(f.checked("XVTR2"), QStringLiteral("AC1 AC3"));
        QCOMPARE(f.grid.notifications(), before);
        QVERIFY(!f.s.MapChanged);
    }
};

QTEST_GUILESS_MAIN(TestBandMap)
#include "tst_bandmap.moc"
