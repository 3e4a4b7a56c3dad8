#include "support/FakeMessageBoxes.h"
#include "ui/VoltageWindow.h"
#include "voltages/VoltStore.h"
#include "voltages/VoltageEditor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using namespace bdx4::test;

namespace {

/// A store of 39 values: AN1 = 10 + band, AN2 = 100 + band, AN3 = 200 + band.
QByteArray knownStore() {
    QByteArray text;
    for (int t = 0; t < kVoltTables; ++t)
        for (int b = 0; b < kVoltBands; ++b)
            text += QByteArray::number((t == 0 ? 10 : t * 100) + b) + "\r\n";
    return text;
}

/// A voltage window of one table over a store in a temporary folder.
struct Rig {
    QTemporaryDir dir;
    Voltages volts;
    FakeMessageBoxes boxes;
    std::unique_ptr<VoltageWindow> window;

    explicit Rig(int table, const QByteArray& store = knownStore()) {
        volts.FillBandCode();
        if (!store.isNull()) {
            QFile f(VoltStorePath(dir.path()));
            f.open(QIODevice::WriteOnly);
            f.write(store);
        }
        window = std::make_unique<VoltageWindow>(table, volts, boxes, dir.path(), nullptr);
        window->show();
    }
    LevelSlider* slider(int band) { return window->slider(band); }
    QString text(int band) { return window->voltsBox(band)->text(); }
    QByteArray store() {
        QFile f(VoltStorePath(dir.path()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QPushButton* button(const char* name) {
        return window->findChild<QPushButton*>(QLatin1String(name));
    }
};

/// Where a person clicks on a slider: the centre of one of its parts, as the style draws it.
QPoint partOf(LevelSlider* s, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(s);
    option.orientation = Qt::Vertical;
    option.minimum = s->minimum();
    option.maximum = s->maximum();
    option.sliderPosition = option.sliderValue = s->value();
    option.singleStep = s->singleStep();
    option.pageStep = s->pageStep();
    return s->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, s).center();
}

} // namespace

class TestUiVoltages : public QObject {
    Q_OBJECT

private slots:
    void loadPutsTheStoredTableOnTheSliders() {
        Rig rig(1);
        for (int b = 0; b < kVoltBands; ++b) {
            QCOMPARE(rig.slider(b)->level(), 100 + b);
            QCOMPARE(rig.window->editor().LoadedValues()[b], 100 + b);
            QCOMPARE(rig.text(b), Voltages::VoltsText(100 + b, 1));
        }
        QCOMPARE(rig.text(0), QStringLiteral("1.96"));     // 100 of 255 at 5 V
        QCOMPARE(int(rig.volts.state().An2Level[0]), 100); // the lists follow what was read

        Rig missing(0, QByteArray());
        QCOMPARE(missing.store(), QByteArray("0,0\r\n"));
        for (int b = 0; b < kVoltBands; ++b)
            QCOMPARE(missing.text(b), QStringLiteral("0.00"));
    }

    void sliderMovesTowardWhereThePersonClicks_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("level"); // from 100
        QTest::newRow("top arrow") << "top arrow" << 101;
        QTest::newRow("bottom arrow") << "bottom arrow" << 99;
        QTest::newRow("track above the thumb") << "track above" << 105;
        QTest::newRow("track below the thumb") << "track below" << 95;
        QTest::newRow("thumb dragged up") << "drag up" << 255;
        QTest::newRow("Up") << "Up" << 101;
        QTest::newRow("Page Up") << "PageUp" << 105;
        QTest::newRow("Down") << "Down" << 99;
        QTest::newRow("wheel away") << "wheel away" << 103;
    }
    void sliderMovesTowardWhereThePersonClicks() {
        QFETCH(QString, action);
        QFETCH(int, level);
        Rig rig(0);
        LevelSlider* s = rig.slider(3);
        s->setLevel(100);
        const QPoint thumb = partOf(s, QStyle::SC_ScrollBarSlider);
        if (action == "top arrow") {
            QTest::mouseClick(s, Qt::LeftButton, {}, partOf(s, QStyle::SC_ScrollBarSubLine));
        } else if (action == "bottom arrow") {
            QTest::mouseClick(s, Qt::LeftButton, {}, partOf(s, QStyle::SC_ScrollBarAddLine));
        } else if (action == "track above") {
            QTest::mouseClick(s, Qt::LeftButton, {}, partOf(s, QStyle::SC_ScrollBarSubPage));
        } else if (action == "track below") {
            QTest::mouseClick(s, Qt::LeftButton, {}, partOf(s, QStyle::SC_ScrollBarAddPage));
        } else if (action == "drag up") {
            QTest::mousePress(s, Qt::LeftButton, {}, thumb);
            QTest::mouseMove(s, QPoint(thumb.x(), 0));
            QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(thumb.x(), 0));
        } else if (action == "wheel away") {
            // One notch of a wheel turned away from the person scrolls three steps.
            QWheelEvent wheel(thumb, s->mapToGlobal(thumb), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(s, &wheel);
        } else {
            s->setFocus();
            QTest::keyClick(s, action == "Up"     ? Qt::Key_Up
                               : action == "Down" ? Qt::Key_Down
                                                  : Qt::Key_PageUp);
        }
        QCOMPARE(s->level(), level);
        QCOMPARE(rig.text(3), Voltages::VoltsText(level, 0));
        if (level > 100) // the thumb went up, toward the click
            QVERIFY(partOf(s, QStyle::SC_ScrollBarSlider).y() < thumb.y());
    }

    void closePromptAnswers_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("how"); // every way of closing asks
        QTest::newRow("Yes") << int(MsgAnswer::Yes) << false << true << "Close button";
        QTest::newRow("No") << int(MsgAnswer::No) << false << false << "frame";
        QTest::newRow("Cancel") << int(MsgAnswer::Cancel) << true << false << "Escape";
    }
    void closePromptAnswers() {
        QFETCH(int, answer);
        QFETCH(bool, staysOpen);
        QFETCH(bool, saved);
        QFETCH(QString, how);
        Rig rig(2);
        rig.button("cmd_Defaults")->click();
        QCOMPARE(rig.slider(12)->level(), 255);
        QVERIFY(rig.boxes.shown.isEmpty());
        rig.boxes.answers = {MsgAnswer(answer)};
        if (how == "frame")
            rig.window->close();
        else if (how == "Escape")
            QTest::keyClick(rig.window.get(), Qt::Key_Escape);
        else
            rig.button("cmdClose")->click();
        QCOMPARE(rig.boxes.shown.size(), 1);
        const MessageRequest& prompt = rig.boxes.shown.first();
        QCOMPARE(prompt.text, QStringLiteral("The AN3 Voltage Settings have changed.  Do you want "
                                             "to save these settings?"));
        QCOMPARE(prompt.title, QStringLiteral("BDX4 Config"));
        QCOMPARE(prompt.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(prompt.icon, MsgIcon::None);
        QCOMPARE(rig.window->isVisible(), staysOpen);
        QCOMPARE(rig.slider(12)->level(), 255); // Cancel keeps the sliders as they were
        const QList<QByteArray> lines = rig.store().split('\n');
        QCOMPARE(lines.value(26 + 12), saved ? QByteArray("255\r") : QByteArray("212\r"));
        QCOMPARE(lines.value(0), QByteArray("10\r")); // AN1 as it was read
    }

    void enterPressesTheFocusedButtonOnly() {
        Rig rig(1);
        QApplication::setActiveWindow(rig.window.get());
        QLineEdit* box = rig.window->voltsBox(0);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return); // no button takes it
        QCOMPARE(rig.slider(0)->level(), 100);
        QVERIFY(rig.boxes.shown.isEmpty());
        QPushButton* defaults = rig.button("cmd_Defaults");
        defaults->setFocus();
        QTest::keyClick(defaults, Qt::Key_Return);
        QCOMPARE(rig.slider(0)->level(), 255); // the AN2 default of 430 MHz
        QPushButton* save = rig.button("cmdSave");
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Enter);
        QVERIFY(rig.store().startsWith("10\r\n"));
        QVERIFY(rig.store().contains("\r\n255\r\n196\r\n"));
    }

    void unchangedWindowsCloseWithoutAsking() {
        Rig rig(0);
        rig.slider(4)->setLevel(77);
        rig.slider(4)->setLevel(14); // back where it was loaded
        rig.button("cmdClose")->click();
        QVERIFY(!rig.window->isVisible());
        QVERIFY(rig.boxes.shown.isEmpty());
    }

    void saveWritesAllTablesAndRebuildsTheLevelLists() {
        Rig rig(0);
        rig.button("cmd_Defaults")->click();
        rig.button("cmdSave")->click();
        QByteArray expected;
        for (int b = 0; b < kVoltBands; ++b)
            expected += QByteArray::number(kDefaultLevelsAn1An3[b]) + "\r\n";
        QCOMPARE(rig.store(), expected + knownStore().mid(knownStore().indexOf("100\r\n")));
        // The next download carries what was saved: the AN1 default table, sorted.
        QCOMPARE(int(rig.volts.state().An1Level[0]), 31);
        QCOMPARE(int(rig.volts.state().An1Band[0]), 4);
        QVERIFY(rig.window->isVisible()); // Save keeps the window open; closing asks nothing
        rig.button("cmdClose")->click();
        QVERIFY(!rig.window->isVisible());
        QVERIFY(rig.boxes.shown.isEmpty());
    }

    void failedSaveKeepsStoreTableAndQuestion() {
        Rig rig(0);
        // A folder where the store should be: the store cannot be replaced.
        QFile::remove(VoltStorePath(rig.dir.path()));
        QVERIFY(QDir(rig.dir.path()).mkdir(kVoltStoreName));
        rig.slider(2)->setLevel(200);
        QVERIFY(!rig.window->editor().cmdSave_Click());
        QCOMPARE(rig.boxes.shown.size(), 1);
        const MessageRequest& box = rig.boxes.shown.first();
        QVERIFY(box.text.contains(QStringLiteral("could not be saved")));
        QVERIFY(box.text.contains(VoltStorePath(rig.dir.path())));
        QCOMPARE(box.icon, MsgIcon::Critical);
        QVERIFY(QFileInfo(VoltStorePath(rig.dir.path())).isDir()); // left as it was
        QCOMPARE(rig.window->editor().LoadedValues()[2], 12);
        QCOMPARE(rig.volts.state().BandVoltTable[0][2], 12.0f);
        QCOMPARE(int(rig.volts.state().An1Level[2]), 12);

        // Closing still asks; Yes tries again, fails again, and keeps the window.
        rig.boxes.answers = {MsgAnswer::Yes};
        rig.button("cmdClose")->click();
        QCOMPARE(rig.boxes.shown.size(), 3);
        QCOMPARE(rig.boxes.shown[1].text, VoltageEditor::PromptText(0));
        QVERIFY(rig.window->isVisible());
        QCOMPARE(rig.slider(2)->level(), 200);
    }

    void typedVoltageMovesItsSlider_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("shown");
        // Before typing, slider 5 stands at 15 (AN1) or 105 (AN2).
        QTest::newRow("AN1 nearest") << 0 << "2.51" << 64 << "2.51";
        QTest::newRow("AN1 blanks") << 0 << " 10 " << 255 << "10.00";
        QTest::newRow("AN2 half way") << 1 << "2.5" << 128 << "2.51";
        QTest::newRow("AN2 comma") << 1 << "5,00" << 255 << "5.00";
        QTest::newRow("AN1 zero") << 0 << "0" << 0 << "0.00";
        QTest::newRow("AN1 above range") << 0 << "10.01" << 15 << "0.59";
        QTest::newRow("AN2 above range") << 1 << "6" << 105 << "2.06";
        QTest::newRow("negative") << 0 << "-1" << 15 << "0.59";
        QTest::newRow("not a number") << 0 << "abc" << 15 << "0.59";
        QTest::newRow("empty") << 1 << "" << 105 << "2.06";
        QTest::newRow("infinite") << 0 << "inf" << 15 << "0.59";
    }
    void typedVoltageMovesItsSlider() {
        QFETCH(int, table);
        QFETCH(QString, typed);
        QFETCH(int, level);
        QFETCH(QString, shown);
        Rig rig(table);
        QLineEdit* box = rig.window->voltsBox(5);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(rig.slider(5)->level(), level);
        QCOMPARE(box->text(), shown);
        QVERIFY(rig.window->isVisible()); // Enter belongs to the box, not to a button
    }

    void typedVoltageIsTakenWhenTheBoxIsLeft() {
        Rig rig(0);
        QApplication::setActiveWindow(rig.window.get());
        QLineEdit* box = rig.window->voltsBox(1);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("4"));
        rig.window->voltsBox(2)->setFocus(); // leaving the box confirms it
        QTRY_COMPARE(rig.slider(1)->level(), 102);
        QCOMPARE(box->text(), QStringLiteral("4.00"));
    }

    void helpWindowsTellRangeAndPin_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("rangeLabel");
        QTest::addColumn<int>("volts");
        QTest::addColumn<int>("pin");
        QTest::newRow("AN1") << 0 << "lblTipText2" << 10 << 9;
        QTest::newRow("AN2") << 1 << "lblTipText3" << 5 << 7;
        QTest::newRow("AN3") << 2 << "lblTipText2" << 10 << 4;
    }
    void helpWindowsTellRangeAndPin() {
        QFETCH(int, table);
        QFETCH(QString, rangeLabel);
        QFETCH(int, volts);
        QFETCH(int, pin);
        VoltageHelpWindow help(table, nullptr);
        QCOMPARE(help.findChild<QLabel*>(rangeLabel)->text(),
                 QStringLiteral("Analog Voltage table AN%1 can range in value from 0 to %2 Volts.")
                     .arg(table + 1)
                     .arg(volts));
        QCOMPARE(
            help.findChild<QLabel*>(QStringLiteral("Label%1").arg(table + 2))->text(),
            QStringLiteral("Voltage input for AN%1 is pin %2 of J1/J2.").arg(table + 1).arg(pin));
    }
};

QTEST_MAIN(TestUiVoltages)
#include "tst_ui_voltages.moc"
