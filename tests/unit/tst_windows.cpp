// The windows as a person uses them: clicks, keys and the answers given to their boxes, over a
// fake line and a fake clock.

#include "io/MapStore.h"
#include "io/VoltageStore.h"
#include "support/Boxes.h"
#include "support/Fakes.h"
#include "ui/BandMapGrid.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/SaveFileDialog.h"
#include "ui/SeekingWindow.h"
#include "ui/VoltageWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using namespace bdx4::test;

namespace {

const QByteArray kQuery = BoxSearch::kVersionQuery;
const QString kQuestion = QStringLiteral(
    "The last Map%1 changes have not been saved.  Do you want to save these changes?");

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

/// The main window over a fake line whose box answers the version query and, when `acks`,
/// acknowledges every record; the program's folder is a temporary one.
struct Rig {
    QTemporaryDir dir;
    FakeSettings settings;
    FakeClock clock;
    FakeSerialLine line{clock};
    BoxAnswerer boxes;
    bool acks = true;
    bool answers = true;
    std::unique_ptr<MainWindow> window;

    Rig() {
        line.onWrite = [this](const QByteArray& bytes) {
            if (answers && bytes == kQuery)
                clock.after(100, [this] { line.receive("BDV:BDX4:2.17;"); });
            if (acks && bytes.endsWith("\r\n"))
                clock.after(50, [this] { line.receive("G"); });
        };
    }
    void start(bool settled = true) {
        StorePlaces places;
        places.programFolder = dir.path();
        window = std::make_unique<MainWindow>(settings, line, clock, places);
        window->show();
        QApplication::setActiveWindow(window.get());
        if (settled)
            settle();
    }
    /// Lets the event loop and the clock run until nothing more is pending.
    void settle(qint64 limitMs = 60000) {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::processEvents();
            clock.runUntilIdle(limitMs);
        }
        QApplication::setActiveWindow(window.get()); // back from the boxes
    }
    QPushButton* button(const QString& text) const {
        for (QPushButton* b : window->findChildren<QPushButton*>())
            if (b->text() == text && b->window() == window.get())
                return b;
        return nullptr;
    }
    QAction* action(const QString& text) const {
        for (QAction* a : window->menuBar()->findChildren<QAction*>())
            if (a->text() == text)
                return a;
        for (QAction* a : window->menuBar()->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }
    QCheckBox* box(int row, int output) const { return window->grid().box(row, output); }
    QList<int> labels() const {
        QList<int> shown;
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (label->text().endsWith(QLatin1String(" Displayed")) && !label->isHidden())
                shown << label->text().mid(3, 1).toInt();
        return shown;
    }
    QByteArray mapStore() const { return readFile(mapStorePath(dir.path())); }
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

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void startUpFindsTheBoxAndCreatesTheStores() {
        Rig rig;
        rig.start();
        QCOMPARE(rig.boxes.titles(), QStringList{"BDX4 Connected"});
        QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("BDX4 Firmware = 2.17"));
        QCOMPARE(rig.boxes.shown[0].icon, QMessageBox::Information);
        QVERIFY(rig.window->isReady());
        QCOMPARE(rig.mapStore(), QByteArray("\"Empty\"\r\n"));
        QCOMPARE(readFile(voltageStorePath(rig.dir.path())), QByteArray("0,0\r\n"));
        // The first start's arrangement, the AC columns left to the box and hidden.
        QCOMPARE(rig.box(17, 13)->checkState(), Qt::Checked);
        QVERIFY(rig.box(17, 13)->isHidden());
        QVERIFY(rig.action("Use AC1 - AC3 default table")->isChecked());
        QVERIFY(!rig.action("Use AC1 - AC3 for Bandmap")->isChecked());
        QVERIFY(rig.labels().isEmpty());
        QVERIFY(rig.action("COM1")->isChecked() && rig.action("  4800 BAUD")->isChecked());
        QVERIFY(rig.button("Write To BDX4")->isEnabled());
    }

    void unreadableStoresAreKeptAndSaid() {
        Rig rig;
        rig.answers = false;
        QVERIFY(QDir(rig.dir.path()).mkdir(kMapStoreName));
        QVERIFY(QDir(rig.dir.path()).mkdir(kVoltageStoreName));
        rig.boxes.keys = {Qt::Key_Return, Qt::Key_Return, Qt::Key_Return, Qt::Key_N};
        rig.start();
        QCOMPARE(rig.boxes.titles().mid(1),
                 (QStringList{"BDX4 Config", "BDX4 Config"})); // after "Error connecting"
        QCOMPARE(rig.boxes.shown[1].text,
                 QStringLiteral("%1 cannot be read: it is a folder. It was left as it is; saving "
                                "a map will try to replace it.")
                     .arg(QDir::toNativeSeparators(mapStorePath(rig.dir.path()))));
        QVERIFY(rig.boxes.shown[2].text.contains("saving a voltage table will try"));
        // The window shows what a first start shows, in memory only.
        QCOMPARE(rig.box(17, 13)->checkState(), Qt::Checked);
        QVERIFY(rig.box(17, 13)->isHidden());
        QVERIFY(rig.action("Use AC1 - AC3 default table")->isChecked());
        rig.window->close();
        QCOMPARE(rig.boxes.shown.last().text, kQuestion.arg(1));
        QVERIFY(QFileInfo(mapStorePath(rig.dir.path())).isDir());
    }

    void portFailuresAndTheFallback() {
        Rig rig;
        rig.settings.values = {{"Options/COM_Port", "5"}, {"Options/BAUD_Rate", "9600"}};
        rig.line.refused.insert(5, OpenFailure{OpenFailure::InUse, 2, 5, "/dev/fake5", {}, {}});
        rig.start();
        QCOMPARE(rig.boxes.titles(), (QStringList{"Error Opening COM5", "Error COM Ports"}));
        QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("2: /dev/fake5 is in use by another "
                                                         "program.  Close that program, or let "
                                                         "it release the port, and try again."));
        QVERIFY(rig.line.writes.isEmpty()); // no search without a port
        QVERIFY(rig.window->isReady());     // the stores are read all the same

        rig.line.refused = {{7, OpenFailure{}}};
        rig.action("COM7")->trigger();
        rig.action("19200 BAUD")->trigger();
        QVERIFY(rig.action("COM7")->isChecked() && !rig.action("COM5")->isChecked());
        rig.boxes.shown.clear();
        rig.action("Test for BDX4")->trigger();
        rig.settle();
        QCOMPARE(rig.boxes.titles(),
                 (QStringList{"Error Opening COM7", "Reopened COM5", "BDX4 Connected"}));
        QCOMPARE(rig.boxes.shown[1].text, QStringLiteral("COM7 didn't work."));
        QCOMPARE(rig.line.openedPort, 5);
        QCOMPARE(rig.line.openedSpeed, 19200);
        rig.window->close();
        QCOMPARE(rig.settings.values.value("Options/COM_Port"), QStringLiteral("5"));
        QCOMPARE(rig.settings.values.value("Options/BAUD_Rate"), QStringLiteral("19200"));
        QVERIFY(!rig.line.isOpen());
    }

    void quitQuestionWaitsForYesOrNo() {
        Rig rig;
        rig.start();
        rig.boxes.shown.clear();
        QTest::mouseClick(rig.box(0, 1), Qt::LeftButton);
        // Escape and the question's close box answer nothing; Y keeps the edit.
        rig.boxes.keys = {Qt::Key_Escape, BoxAnswerer::kCloseBox, Qt::Key_Y};
        rig.button("Quit")->click();
        QCOMPARE(rig.boxes.shown.size(), 1);
        QCOMPARE(rig.boxes.shown[0].text, kQuestion.arg(1));
        QVERIFY(rig.boxes.keys.isEmpty());
        MapStoreContent stored;
        QCOMPARE(readMapStore(mapStorePath(rig.dir.path()), stored).outcome,
                 StoreReading::Complete);
        QCOMPARE(stored.maps[0][0][1], 1);
        QCOMPARE(stored.maps[0][17][13], 1);
        QVERIFY(!rig.window->isVisible());
    }

    void mapsAreDisplayedAndSaved() {
        Rig rig;
        rig.start();
        rig.button("Save as MAP2")->click();
        QCOMPARE(rig.labels(), QList<int>{2});
        QCOMPARE(rig.mapStore().count('\n'), 1076);
        QTest::mouseClick(rig.box(20, 0), Qt::LeftButton);
        rig.boxes.keys = {Qt::Key_N};
        rig.button("Display MAP1")->click();
        QCOMPARE(rig.boxes.shown.last().text, kQuestion.arg(2));
        QCOMPARE(rig.labels(), QList<int>{1});
        QCOMPARE(rig.box(0, 0)->checkState(), Qt::Unchecked); // MAP1 was never saved
        const qsizetype asked = rig.boxes.shown.size();
        rig.button("Display MAP2")->click(); // nothing unsaved: no question
        QCOMPARE(rig.boxes.shown.size(), asked);
        QCOMPARE(rig.box(0, 0)->checkState(), Qt::Checked);
        QCOMPARE(rig.box(20, 0)->checkState(), Qt::Unchecked); // No dropped the edit
        rig.action("Use AC1 - AC3 for Bandmap")->trigger();
        QVERIFY(!rig.box(17, 13)->isHidden()); // shown again, still checked
        QCOMPARE(rig.box(17, 13)->checkState(), Qt::Checked);
        rig.button("Clear")->click();
        QCOMPARE(rig.box(0, 0)->checkState(), Qt::Unchecked);
        rig.boxes.keys = {Qt::Key_Y};
        rig.button("Defaults")->click(); // keeps the cleared grid as MAP2, in memory
        QCOMPARE(rig.box(20, 11)->checkState(), Qt::Checked); // XVTR7: XV1-XV3 after start-up
        rig.button("Save as MAP3")->click();
        QCOMPARE(rig.labels(), QList<int>{3});
        QVERIFY(rig.mapStore().endsWith("#TRUE#\r\n"));
    }

    void writeToTheBox_data() {
        QTest::addColumn<bool>("acks");
        QTest::addColumn<QString>("stop"); // how the user stops it at 1000 ms
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("acknowledged") << true << ""
                                      << "Last Send Passed!"
                                      << "";
        QTest::newRow("a silent box") << false << ""
                                      << "Last Send Failed!"
                                      << "Download failed in section HF Band Data";
        QTest::newRow("Cancel") << true << "Cancel"
                                << "Last Send Failed!"
                                << "Download cancelled in section VHF Band Data";
        QTest::newRow("Escape") << true << "Escape"
                                << "Last Send Failed!"
                                << "Download cancelled in section VHF Band Data";
    }
    void writeToTheBox() {
        QFETCH(bool, acks);
        QFETCH(QString, stop);
        QFETCH(QString, status);
        QFETCH(QString, message);
        Rig rig;
        rig.start();
        rig.boxes.shown.clear();
        rig.acks = acks;
        QStringList progress;
        bool idleWhileRunning = false;
        rig.clock.after(700, [&] {
            progress << rig.window->statusBox()->text();
            idleWhileRunning = !rig.button("Write To BDX4")->isEnabled() &&
                               !rig.action("Test for BDX4")->isEnabled() &&
                               rig.button("Cancel")->isVisible();
        });
        rig.clock.after(1000, [&] {
            if (stop == "Cancel")
                rig.button("Cancel")->click();
            else if (stop == "Escape")
                QTest::keyClick(rig.box(0, 0), Qt::Key_Escape);
        });
        rig.button("Write To BDX4")->click();
        rig.settle();
        QCOMPARE(progress, QStringList{"HF Data"});
        QVERIFY(idleWhileRunning);
        QCOMPARE(rig.window->statusBox()->text(), status);
        QCOMPARE(rig.window->statusBox()->palette().color(QPalette::Text),
                 acks && stop.isEmpty() ? QColor(0, 255, 0) : QColor(255, 0, 0));
        QCOMPARE(rig.boxes.shown.isEmpty(), message.isEmpty());
        if (!message.isEmpty()) {
            QCOMPARE(rig.boxes.shown[0].text, message);
            // The title shows what the box sent last, even before this download.
            QCOMPARE(rig.boxes.shown[0].title,
                     acks ? QStringLiteral("BDX4: G") : QStringLiteral("BDX4: BDV:BDX4:2.17;"));
        }
        QCOMPARE(rig.line.writes.last(), QByteArray(":00000001FF\r\n"));
        QVERIFY(rig.button("Write To BDX4")->isEnabled() && !rig.button("Cancel")->isVisible());
        // A click on the window's background clears and hides the status box.
        QTest::mouseClick(rig.window->centralWidget(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(rig.window->statusBox()->isHidden() && rig.window->statusBox()->text().isEmpty());
    }

    void closingDuringADownloadEndsItQuietly() {
        Rig rig;
        rig.start();
        rig.boxes.shown.clear();
        qsizetype sent = 0;
        rig.clock.after(1000, [&] {
            rig.window->close();
            sent = rig.line.writes.size();
        });
        rig.button("Write To BDX4")->click();
        rig.settle();
        QCOMPARE(rig.line.writes.size(), sent);
        QCOMPARE(rig.line.writes.last(), QByteArray(":00000001FF\r\n"));
        QCOMPARE(rig.boxes.titles(), QStringList{"BDX4 Config"}); // only the exit question
        QVERIFY(!rig.line.isOpen());
        QCOMPARE(rig.settings.values.value("Options/COM_Port"), QStringLiteral("1"));
    }

    void searchCanBeCancelled() {
        Rig rig;
        rig.answers = false;
        rig.start(false);
        rig.clock.after(1000, [&] {
            SeekingWindow* seeking = rig.window->findChild<SeekingWindow*>();
            QVERIFY(seeking && seeking->isVisible());
            QCOMPARE(seeking->progress(), 0);
            QApplication::setActiveWindow(seeking);
            QTest::keyClick(seeking, Qt::Key_Escape);
        });
        rig.settle();
        QCOMPARE(rig.boxes.titles(), QStringList()); // a search given up says nothing
        QCOMPARE(rig.line.writes.size(), 4); // ";" and the query, then the first retry's two
        QVERIFY(rig.window->isReady());      // the start-up went on to the stores
        QVERIFY(!rig.window->findChild<SeekingWindow*>());
    }

    void keyboardReachesEveryBoxAndButton() {
        Rig rig;
        rig.start();
        auto press = [&](QWidget* w, Qt::Key key) {
            w->setFocus();
            QTest::keyClick(w, key);
        };
        press(rig.box(0, 0), Qt::Key_Right);
        QVERIFY(rig.box(0, 1)->hasFocus());
        QTest::keyClick(rig.box(0, 1), Qt::Key_Space);
        QCOMPARE(rig.box(0, 1)->checkState(), Qt::Checked);
        QTest::keyClick(rig.box(0, 1), Qt::Key_Down);
        QVERIFY(rig.box(1, 1)->hasFocus());
        press(rig.box(5, 4), Qt::Key_Up);
        QVERIFY(rig.box(4, 4)->hasFocus());
        press(rig.box(5, 4), Qt::Key_Left);
        QVERIFY(rig.box(5, 3)->hasFocus());
        press(rig.box(0, 0), Qt::Key_Up); // the edge: the focus stays
        QVERIFY(rig.box(0, 0)->hasFocus());
        press(rig.box(2, 12), Qt::Key_Right); // the hidden AC columns are passed over
        QVERIFY(rig.box(2, 12)->hasFocus());
        rig.action("Use AC1 - AC3 for Bandmap")->trigger();
        press(rig.box(2, 12), Qt::Key_Right);
        QVERIFY(rig.box(2, 13)->hasFocus());
        QCOMPARE(rig.box(2, 13)->accessibleName(), QStringLiteral("60M to AC1"));
        // Enter and Space press the focused button.
        press(rig.button("Save as MAP2"), Qt::Key_Return);
        QCOMPARE(rig.labels(), QList<int>{2});
        press(rig.button("Display MAP3"), Qt::Key_Space);
        QCOMPARE(rig.labels(), QList<int>{3});
    }

    void exportWritesTheChosenFile() {
        Rig rig;
        rig.start();
        rig.boxes.onDialog = [](QWidget* modal) {
            auto* dialog = qobject_cast<SaveFileDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->filePattern(), QStringLiteral("*"));
            QTest::keyClicks(dialog->nameBox(), QStringLiteral("  out  "));
            QTest::keyClick(dialog->nameBox(), Qt::Key_Return);
        };
        rig.action("Write Bandmap to File")->trigger();
        const QList<QByteArray> lines = readFile(rig.dir.filePath("out.txt")).split('\n');
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[0], QByteArray("\";BD00;BD73;BDE;\"\r"));
        QCOMPARE(lines[7], QByteArray("\":00000001FF\"\r"));
        QCOMPARE(rig.window->statusBox()->text(), QStringLiteral("Last Send Passed!"));
        QVERIFY(rig.line.writes.size() == 2); // nothing went to the box
        QCOMPARE(rig.settings.values.value("Options/Saved_Directory"), rig.dir.path());
    }

    void windowsStayLightUnderADarkTheme() {
        const QPalette desktop = QApplication::palette();
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(42, 42, 42));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
        Rig rig;
        rig.start(false);
        VoltageWindow an2(1, rig.window->volts(), rig.dir.path(), rig.window.get());
        VoltageHelpWindow an2Help(1, &an2);
        HelpWindow help(rig.window.get());
        QStringList wrong;
        for (QWidget* window :
             std::initializer_list<QWidget*>{rig.window.get(), &an2, &an2Help, &help}) {
            QList<QWidget*> parts = window->findChildren<QWidget*>();
            parts << window;
            for (const QWidget* part : parts) {
                const QPalette& p = part->palette();
                // Dark text on light boxes and buttons; captions keep their own colours.
                if (p.color(QPalette::Base).lightness() <= 200 ||
                    p.color(QPalette::Button).lightness() <= 200 ||
                    p.color(QPalette::Window).lightness() <= 120 ||
                    p.color(QPalette::Text).lightness() >= 130 ||
                    p.color(QPalette::ButtonText).lightness() >= 130 ||
                    p.color(QPalette::WindowText).lightness() >= 130)
                    wrong << QLatin1String(part->metaObject()->className());
            }
        }
        QApplication::setPalette(desktop);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }

    void slidersMoveTowardTheClick_data() {
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
    void slidersMoveTowardTheClick() {
        QFETCH(QString, action);
        QFETCH(int, level);
        QTemporaryDir dir;
        VoltageTables volts;
        VoltageWindow window(0, volts, dir.path(), nullptr);
        window.show();
        LevelSlider* s = window.slider(3);
        s->setLevel(100);
        const QPoint thumb = partOf(s, QStyle::SC_ScrollBarSlider);
        const QMap<QString, QStyle::SubControl> parts = {
            {"top arrow", QStyle::SC_ScrollBarSubLine},
            {"bottom arrow", QStyle::SC_ScrollBarAddLine},
            {"track above", QStyle::SC_ScrollBarSubPage},
            {"track below", QStyle::SC_ScrollBarAddPage}};
        if (parts.contains(action)) {
            QTest::mouseClick(s, Qt::LeftButton, {}, partOf(s, parts[action]));
        } else if (action == "drag up") {
            QTest::mousePress(s, Qt::LeftButton, {}, thumb);
            QTest::mouseMove(s, QPoint(thumb.x(), 0));
            QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(thumb.x(), 0));
        } else if (action == "wheel away") { // one notch scrolls three steps
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
        QCOMPARE(window.voltsBox(3)->text(), VoltageTables::voltsText(level, 0));
        if (level > 100)
            QVERIFY(partOf(s, QStyle::SC_ScrollBarSlider).y() < thumb.y());
        QCOMPARE(s->accessibleName(), QStringLiteral("AN1 10 m level"));
    }

    void voltageWindowAsksBeforeChangesAreLost_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes") << int(Qt::Key_Y) << "Close" << false << true;
        QTest::newRow("No") << int(Qt::Key_N) << "frame" << false << false;
        QTest::newRow("Cancel by Escape") << int(Qt::Key_Escape) << "Escape" << true << false;
    }
    void voltageWindowAsksBeforeChangesAreLost() {
        QFETCH(int, key);
        QFETCH(QString, how);
        QFETCH(bool, staysOpen);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        QByteArray store;
        for (int i = 0; i < 39; ++i)
            store += QByteArray::number(i < 13 ? 10 + i : i < 26 ? 100 + i : 200 + i) + "\r\n";
        QFile file(voltageStorePath(dir.path()));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(store) && (file.close(), true));
        VoltageTables volts;
        BoxAnswerer boxes;
        VoltageWindow window(2, volts, dir.path(), nullptr);
        window.show();
        QCOMPARE(window.slider(12)->level(), 238);
        QCOMPARE(window.voltsBox(0)->text(), QStringLiteral("8.86"));
        window.findChildren<QPushButton*>()[1]->click(); // Defaults
        QCOMPARE(window.slider(12)->level(), 255);
        boxes.keys = {key};
        if (how == "Close")
            window.findChildren<QPushButton*>()[3]->click();
        else if (how == "frame")
            window.close();
        else
            QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("The AN3 Voltage Settings have changed.  Do "
                                                     "you want to save these settings?"));
        QCOMPARE(window.isVisible(), staysOpen);
        QCOMPARE(window.slider(12)->level(), 255);
        const QList<QByteArray> lines = readFile(voltageStorePath(dir.path())).split('\n');
        QCOMPARE(lines.value(38), saved ? QByteArray("255\r") : QByteArray("238\r"));
        QCOMPARE(lines.value(0), QByteArray("10\r")); // AN1 as it was read
        QCOMPARE(volts.value(2, 12), saved ? 255.0f : 238.0f);
    }

    void voltageWindowSavesOrSaysWhy() {
        QTemporaryDir dir;
        VoltageTables volts;
        BoxAnswerer boxes;
        VoltageWindow window(0, volts, dir.path(), nullptr);
        window.show();
        QApplication::setActiveWindow(&window);
        QCOMPARE(readFile(voltageStorePath(dir.path())), QByteArray("0,0\r\n")); // created
        QLineEdit* typed = window.voltsBox(5);
        typed->setFocus();
        typed->selectAll();
        QTest::keyClicks(typed, QStringLiteral("2,51"));
        QTest::keyClick(typed, Qt::Key_Return); // takes the volts, presses no button
        QCOMPARE(window.slider(5)->level(), 64);
        QCOMPARE(typed->text(), QStringLiteral("2.51"));
        QVERIFY(boxes.shown.isEmpty() && window.isVisible());
        QPushButton* save = window.findChildren<QPushButton*>()[2];
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Return);
        QCOMPARE(readFile(voltageStorePath(dir.path())).split('\n').value(5), QByteArray("64\r"));
        QVERIFY(!window.hasUnsavedChanges());

        // The store replaced by a folder: the save fails and says so; nothing is lost.
        QFile::remove(voltageStorePath(dir.path()));
        QVERIFY(QDir(dir.path()).mkdir(kVoltageStoreName));
        window.slider(2)->setLevel(200);
        boxes.keys = {Qt::Key_Return, Qt::Key_Y, Qt::Key_Return};
        window.close(); // Yes tries again, fails again, and keeps the window
        QCOMPARE(boxes.shown.size(), 2);
        QCOMPARE(boxes.shown[1].icon, QMessageBox::Critical);
        QVERIFY(
            boxes.shown[1].text.contains(QDir::toNativeSeparators(voltageStorePath(dir.path()))));
        QVERIFY(window.isVisible());
        QCOMPARE(volts.value(0, 2), 0.0f);
        QCOMPARE(volts.value(0, 5), 64.0f);
    }

    void saveDialogNamesTheFile() {
        const QList<QPair<QString, QString>> names = {
            {"report", "report.txt"},         {"  report.txt  ", "report.txt"},
            {"REPORT.TXT", "REPORT.TXT.txt"}, {"", ".txt"},
            {"\treport", "\treport.txt"},     {" my report ", "my report.txt"}};
        for (const auto& [typed, name] : names)
            QCOMPARE(SaveFileDialog::fileNameFor(typed), name);
        QCOMPARE(SaveFileDialog::filePathFor("/", "a.txt"), QStringLiteral("/a.txt"));

        QTemporaryDir dir;
        for (const char* name : {"b.txt", "a.txt", "notes.log"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        QDir::setCurrent(dir.path()); // the lists start on the current folder
        FakeSettings settings;
        SaveFileDialog dialog(dir.path(), settings, nullptr);
        QCOMPARE(dialog.filePattern(), QStringLiteral("*.txt"));
        QCOMPARE(dialog.fileList()->count(), 2);
        QVERIFY(!dialog.saveButton()->isEnabled());
        QVERIFY(dialog.showFolder(dir.filePath("sub")));
        QCOMPARE(dialog.filePattern(), QStringLiteral("*"));
        QVERIFY(dialog.showFolder(dir.path()));
        QCOMPARE(dialog.fileList()->count(), 3);
        QVERIFY(!dialog.showFolder(dir.filePath("none")));
        QTest::mouseClick(dialog.fileList()->viewport(), Qt::LeftButton, {},
                          dialog.fileList()->visualItemRect(dialog.fileList()->item(2)).center());
        QCOMPARE(dialog.nameBox()->text(), QStringLiteral("notes.log"));
        dialog.reject();
        QVERIFY(!dialog.chosenFile());
        QVERIFY(settings.values.isEmpty());
        dialog.saveButton()->click();
        QCOMPARE(dialog.chosenFile().value_or(QString()), dir.filePath("notes.log.txt"));
        QCOMPARE(settings.values.value("Options/Saved_Directory"), dir.path());
        QDir::setCurrent(QDir::tempPath());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
