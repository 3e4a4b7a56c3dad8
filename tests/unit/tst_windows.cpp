// The windows as a person uses them, over a fake line and a fake clock.

#include "io/ExportFile.h"
#include "io/MapStore.h"
#include "io/OutputNamesFile.h"
#include "io/Translations.h"
#include "io/VoltageStore.h"
#include "io/WriteHistory.h"
#include "jobs/BoxSearch.h"
#include "support/Boxes.h"
#include "support/FakePorts.h"
#include "support/Fakes.h"
#include "support/Golden.h"
#include "support/Rows.h"
#include "ui/BandMapGrid.h"
#include "ui/HelpWindow.h"
#include "ui/HistoryWindow.h"
#include "ui/MainCanvas.h"
#include "ui/MainWindow.h"
#include "ui/OutputNamesWindow.h"
#include "ui/PortChooserWindow.h"
#include "ui/SaveFileDialog.h"
#include "ui/SeekingWindow.h"
#include "ui/TextFit.h"
#include "ui/VoltageWindow.h"

#include <QAccessible>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <cmath>

using namespace bdx4;
using namespace bdx4::test;

namespace {

const QString kQuestion = QStringLiteral(
    "The last Map%1 changes have not been saved.  Do you want to save these changes?");

/// The command, its step's name in the Edit menu (empty: none), how its question is backed out of.
using WayBack = std::tuple<QString, QString, int>;
/// Whether the box acknowledges, how the user stops it at 1000 ms, what is said, a dark desktop.
using WriteCase = std::tuple<bool, QString, QString, bool>;
/// Typed ("@": the temporary folder), the answer if asked, the file chosen (empty: none), said.
using ExportCase = std::tuple<QString, int, QString, QString>;
/// threeAdapters() present pulled out, plugged in; the devices offered; COM1's adapter (-1: none).
using PlugCase = std::tuple<QList<int>, QList<int>, QStringList, int>;
/// The part of a slider clicked (0: the wheel turned away), the level it moves to from 100.
using Click = std::pair<int, int>;

/// The main window over a fake line whose box answers the version query and acknowledges records.
struct Rig {
    QTemporaryDir dir;
    FakeSettings settings;
    FakeClock clock;
    FakeSerialLine line{clock};
    BoxAnswerer boxes;
    FakePortSource ports; // three adapters
    bool acks = true, answers = true;
    std::unique_ptr<MainWindow> window;

    explicit Rig(bool started = false) {
        line.settings = &settings;
        ports.rows = threeAdapters();
        line.onWrite = [this](const QByteArray& bytes) {
            if (answers && bytes == BoxSearch::kVersionQuery)
                clock.after(100, [this] { line.receive("BDV:BDX4:2.17;"); });
            if (acks && bytes.endsWith("\r\n"))
                clock.after(50, [this] { line.receive("G"); });
        };
        if (started)
            start();
    }
    void start(bool settled = true, const QString& programFolder = QString()) {
        StorePlaces places;
        places.programFolder = programFolder.isEmpty() ? dir.path() : programFolder;
        places.userDataFolder = dir.filePath("data");
        window = std::make_unique<MainWindow>(settings, line, clock, places);
        window->usePortSource(ports);
        window->show();
        if (settled)
            settle();
    }
    void settle() {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::processEvents();
            clock.runUntilIdle();
        }
        QApplication::setActiveWindow(window.get()); // back from the boxes
    }
    QPushButton* button(const QString& text) const { return find<QPushButton>(window.get(), text); }
    /// Choose Adapter... driven by `drive`; nothing is opened or sent meanwhile.
    void choose(const std::function<void(PortChooserWindow&)>& drive) {
        const int opened = line.opens;
        const qsizetype sent = line.writes.size();
        boxes.onDialog = [drive](QWidget* w) { drive(*qobject_cast<PortChooserWindow*>(w)); };
        clickSettled("Choose Adapter...");
        QVERIFY(line.opens == opened && line.writes.size() == sent);
    }
    QAction* action(const QString& text) const { return find<QAction>(window.get(), text); }
    /// Clicks the button or the menu entry `text`, its boxes answered with `keys` if given.
    void click(const QString& text, const QList<int>& keys = {}) {
        boxes.keys = keys.isEmpty() ? boxes.keys : keys;
        if (QPushButton* pushed = button(text))
            pushed->click();
        else
            action(text)->trigger();
    }
    void clickSettled(const QString& text) {
        click(text);
        settle();
    }
    QString said() const { return boxes.shown.last().text; } ///< in the box shown last
    QCheckBox* box(int row, int output) const { return window->grid().box(row, output); }
    QList<int> labels() const {
        QList<int> shown;
        for (int m = 1; m <= kMaps; ++m)
            if (!find<QLabel>(window.get(), QStringLiteral("MAP%1 Displayed").arg(m))->isHidden())
                shown << m;
        return shown;
    }
    QByteArray mapStore() const { return readFile(mapStorePath(dir.path())); }
    MapStoreContent stored() const {
        MapStoreContent content;
        readMapStore(mapStorePath(dir.path()), content);
        return content;
    }
    QByteArray exported() const {
        return exportText(ConfigImage::of(window->document().maps(), window->document().volts()));
    }
    bool differs(int row, int output) const {
        return static_cast<GridCheckBox*>(box(row, output))->differs();
    }
    int shownBoxes() const {
        const QList<GridCheckBox*> boxes = window->findChildren<GridCheckBox*>();
        return int(
            std::count_if(boxes.begin(), boxes.end(), [](QWidget* b) { return b->isVisible(); }));
    }
    /// The status bar's port and its state, "|" between, as a screen reader hears them.
    QString status() const {
        QStringList texts;
        for (QLabel* label : window->statusBar()->findChildren<QLabel*>()) {
            texts << QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            if (texts.last() != label->text())
                return QStringLiteral("heard %1, shown %2").arg(texts.last(), label->text());
        }
        return texts.join('|');
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QApplication::setActiveWindow(window.get());
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : window.get(), Qt::Key(key), modifiers);
    }
};

/// The rows a port chooser shows, their cells joined by "|".
QStringList rows(const PortChooserWindow& window) {
    QStringList shown;
    for (int i = 0; i < window.list()->topLevelItemCount(); ++i)
        if (const QTreeWidgetItem* item = window.list()->topLevelItem(i); !item->isHidden()) {
            QStringList cells;
            for (int c = 0; c < item->columnCount(); ++c)
                cells << item->text(c);
            shown << cells.join('|');
        }
    return shown;
}

/// A voltage window of `table` over a temporary folder whose voltage store holds `store`.
struct VoltageRig {
    QTemporaryDir dir;
    ConfigDocument document;
    BoxAnswerer boxes;
    bool loaded; ///< the store written, before the window reads it
    VoltageWindow window;
    explicit VoltageRig(int table, const QByteArray& store = {})
        : loaded(load(store)), window(table, document, nullptr) {
        window.show();
        QApplication::setActiveWindow(&window);
    }
    bool load(const QByteArray& store) {
        const bool written =
            store.isEmpty() || !writeFileWhole(voltageStorePath(dir.path()), store);
        document.load(dir.path());
        return written;
    }
    QByteArray voltageStore() const { return readFile(voltageStorePath(dir.path())); }
};

/// WCAG's contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

/// A focus frame at least 2 pixels wide in the highlight colour along the left edge.
bool showsFocusFrame(QWidget* w) {
    const QImage image = w->grab().toImage();
    const QColor highlight = w->palette().color(QPalette::Highlight);
    const int y = image.height() / 2;
    return image.pixelColor(0, y) == highlight && image.pixelColor(1, y) == highlight;
}

/// Where a person clicks on a slider: the centre of one of its parts, as the style draws it.
QPoint partOf(LevelSlider* s, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(s);
    option.orientation = Qt::Vertical;
    option.maximum = s->maximum();
    option.sliderPosition = option.sliderValue = s->value();
    option.pageStep = s->pageStep();
    return s->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, s).center();
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void portAndStoreFailuresAreSaid() {
        Rig rig;
        rig.settings.values = {{"Options/COM_Port", "5"}, {"Options/BAUD_Rate", "9600"}};
        rig.line.refused.insert(5, OpenFailure{OpenFailure::InUse, 2, 5, "/dev/fake5", {}, {}});
        QVERIFY(QDir(rig.dir.path()).mkdir(kMapStoreName));
        QVERIFY(QDir(rig.dir.path()).mkdir(kVoltageStoreName));
        rig.start();
        QCOMPARE(rig.boxes.titles().mid(0, 2),
                 (QStringList{"Error Opening COM5", "Error COM Ports"}));
        QVERIFY(rig.boxes.shown[0].text.startsWith("2: /dev/fake5 is in use by another program."));
        QCOMPARE(rig.boxes.shown.value(2).text,
                 QStringLiteral("%1 cannot be read: it is a folder. It was left as it is; saving "
                                "a map will try to replace it.")
                     .arg(QDir::toNativeSeparators(mapStorePath(rig.dir.path()))));
        QVERIFY(rig.boxes.shown.value(3).text.contains("saving a voltage table will try"));
        // The window is ready with what a first start shows (the grid: tst_document).
        QVERIFY(rig.line.writes.isEmpty() && rig.window->isReady());

        rig.line.refused = {{7, OpenFailure{}}};
        rig.click("COM7");
        rig.click("19200 BAUD");
        QVERIFY(!rig.action("COM5")->isChecked());
        rig.boxes.shown.clear();
        rig.clickSettled("Test for BDX4");
        QCOMPARE(rig.boxes.titles(),
                 (QStringList{"Error Opening COM7", "Reopened COM5", "BDX4 Connected"}));
        QCOMPARE(rig.boxes.shown[1].text, QStringLiteral("COM7 didn't work."));
        // The menu, the status bar and Write agree on the port that opened in its place.
        QVERIFY(rig.action("COM5")->isChecked() && rig.status().startsWith("COM5"));
        QCOMPARE(rig.line.openedSpeed, 19200);
        rig.boxes.keys = {Qt::Key_Y}; // the save fails: said, and the program stays with the maps
        rig.window->close();
        QVERIFY(rig.window->isVisible() && rig.boxes.shown.last().icon == QMessageBox::Critical);
        rig.boxes.keys = {Qt::Key_N};
        rig.window->close();
        QCOMPARE(rig.said(), kQuestion.arg(1));
        QVERIFY(QFileInfo(mapStorePath(rig.dir.path())).isDir() && !rig.line.isOpen());
        QCOMPARE(rig.settings.values.value("Options/COM_Port"), QStringLiteral("5"));
        QCOMPARE(rig.settings.values.value("Options/BAUD_Rate"), QStringLiteral("19200"));
    }

    void mapsByMouseAndKeyboard() {
        Rig rig(true); // a first start: the Empty store, COM1 at 4800 baud
        QVERIFY(rig.mapStore() == golden::kEmptyMapStore &&
                rig.boxes.titles() == QStringList{"BDX4 Connected"});
        QVERIFY(rig.action("COM1")->isChecked() && rig.action("  4800 BAUD")->isChecked() &&
                rig.labels().isEmpty() && rig.window->isWindowModified() &&
                find<QLabel>(rig.window.get(), "160M")); // the first row named too
        rig.button("Save as MAP2")->setFocus();          // Enter and Space press the focused button
        QTest::keyClick(rig.button("Save as MAP2"), Qt::Key_Return);
        QVERIFY(rig.labels() == QList<int>{2} && !rig.window->isWindowModified());
        QCOMPARE(rig.mapStore().count('\n'), 1076);
        // The grid's keys pass over the hidden AC columns.
        const int ctrlEnd = (Qt::CTRL | Qt::Key_End).toCombined(),
                  ctrlHome = (Qt::CTRL | Qt::Key_Home).toCombined();
        const QList<std::tuple<int, int, int, int, int>> moves = {
            {0, 0, Qt::Key_Right, 0, 1},  {0, 1, Qt::Key_Down, 1, 1},
            {5, 4, Qt::Key_Up, 4, 4},     {5, 4, Qt::Key_Left, 5, 3},
            {0, 0, Qt::Key_Up, 0, 0},     {2, 12, Qt::Key_Right, 2, 12},
            {6, 5, Qt::Key_End, 6, 12},   {6, 5, Qt::Key_Home, 6, 0},
            {6, 5, ctrlEnd, 20, 12},      {6, 5, ctrlHome, 0, 0},
            {19, 5, Qt::Key_Down, 20, 5}, {20, 5, Qt::Key_Down, 20, 5}};
        for (const auto& [row, output, key, toRow, toOutput] : moves) {
            rig.box(row, output)->setFocus();
            QTest::keyClick(rig.box(row, output), Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
            QVERIFY(rig.box(toRow, toOutput)->hasFocus());
        }
        QTest::keyClick(rig.box(0, 0), Qt::Key_Space);
        QVERIFY(!rig.box(0, 0)->isChecked());
        rig.click("Use AC1 - AC3 for Bandmap"); // shown again, still checked
        QVERIFY(!rig.box(17, 13)->isHidden() && rig.box(17, 13)->isChecked());
        QCOMPARE(rig.shownBoxes(), 336);
        QApplication::setActiveWindow(rig.window.get()); // back from the question
        rig.box(2, 12)->setFocus();
        QTest::keyClick(rig.box(2, 12), Qt::Key_Right);
        QVERIFY(rig.box(2, 13)->hasFocus() && rig.box(2, 13)->accessibleName() == "60M to AC1");
        rig.click("Use AC1 - AC3 default table"); // the grid's Tab stop stays shown
        rig.button("Clear")->setFocus();
        rig.key(Qt::Key_Backtab);
        QVERIFY(rig.box(2, 12)->hasFocus());
        rig.click("Use AC1 - AC3 for Bandmap");
        rig.click("Clear", {Qt::Key_N, Qt::Key_Y});
        QCOMPARE(rig.said(), kQuestion.arg(2));
        rig.click("Defaults"); // Yes keeps the cleared grid as MAP2, in memory
        rig.click("Save as MAP3");
        QCOMPARE(rig.labels(), QList<int>{3});
        QTest::mouseClick(rig.box(0, 1), Qt::LeftButton);
        const qsizetype before = rig.boxes.shown.size();
        rig.click("Quit", {Qt::Key_Y});
        QVERIFY(rig.boxes.shown.size() == before + 1 && !rig.window->isVisible());
        QCOMPARE(rig.said(), kQuestion.arg(3));
        const MapStoreContent stored = rig.stored();
        QVERIFY(stored.accForBandMap && stored.maps[1] == StoredMap{} &&
                stored.maps[2][0][1] == 1 && stored.maps[2][20][11] == 1); // XVTR7: XV1-XV3
    }

    void gridIsOneStopOfTheTabOrder() {
        Rig rig(true);
        const QStringList after = {"Clear",         "Display MAP1", "Display MAP2", "Display MAP3",
                                   "Write To BDX4", "Defaults",     "Save as MAP1", "Save as MAP2",
                                   "Save as MAP3",  "Quit"};
        rig.button("Clear")->setFocus(); // before any click, the grid is entered at its corner
        rig.key(Qt::Key_Backtab);
        QVERIFY(rig.box(0, 0)->hasFocus());
        for (const auto& [row, output] : QList<std::pair<int, int>>{{0, 0}, {9, 7}, {20, 12}}) {
            QTest::mouseClick(rig.box(row, output), Qt::LeftButton);
            QStringList reached;
            for (int i = 0; i < after.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                reached << qobject_cast<QPushButton*>(QApplication::focusWidget())->text();
            }
            QCOMPARE(reached, after);              // the rest of the window as it reads
            for (int i = 0; i < after.size(); ++i) // and back into the grid where it was left
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), rig.box(row, output));
        }
        // A box clicked shows where the keys go on from: its focus frame.
        const QImage focused = rig.box(20, 12)->grab().toImage();
        QTest::mouseClick(rig.box(20, 11), Qt::LeftButton);
        QVERIFY(rig.box(20, 12)->isChecked() && rig.box(20, 12)->grab().toImage() != focused);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(rig.box(1, 0));
        QVERIFY(reader->text(QAccessible::Name) == "80M to 160" && !reader->state().checked);
        reader->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(rig.box(1, 0)->isChecked() && rig.action("Undo Tick 80M to 160")->isEnabled());
        const QList<QLineEdit*> status = rig.window->findChildren<QLineEdit*>(); // heard, not typed
        QVERIFY(status.size() == 1 &&
                QAccessible::queryAccessibleInterface(status[0])->state().readOnly);
    }

    // Escape or the close box back out of each question, No lets it run; Undo takes it back.
    void everyQuestionHasAWayBack_data() {
        const Rows<WayBack> row;
        int n = 0;
        for (const char* command :
             {"Clear", "Defaults", "Display MAP2", "Quit", "close box", "Exit"}) {
            const int escape = n % 2 ? BoxAnswerer::kCloseBox : int(Qt::Key_Escape);
            row(command, {command, n++ < 3 ? command : "", escape});
        }
        row("Tick", {"Tick", "Tick 30M to 160", 0});
    }
    void everyQuestionHasAWayBack() {
        const auto& [command, undo, escape] = fetch<WayBack>();
        Rig rig(true);
        rig.click("Save as MAP1");
        QTest::mouseClick(rig.box(3, 3), Qt::LeftButton); // unsaved: 40M no longer to 40
        const QByteArray saved = "\"Row 3\"\r\n0\r\n0\r\n0\r\n1\r\n";
        const auto run = [&, command = command] {
            if (command == "close box")
                rig.window->close();
            else if (command == "Tick")
                QTest::mouseClick(rig.box(4, 0), Qt::LeftButton);
            else
                rig.click(command);
        };
        if (command != "Tick") {
            rig.boxes.keys = {escape};
            run(); // nothing changes, nothing is written, the program stays
            QVERIFY(rig.boxes.shown.size() == 2 && rig.window->isVisible());
            QCOMPARE(rig.said(), kQuestion.arg(1));
            QVERIFY(!rig.box(3, 3)->isChecked() && rig.window->isWindowModified());
            QVERIFY(rig.mapStore().contains(saved));
        }
        rig.boxes.keys = {Qt::Key_N};
        run();
        if (undo.isEmpty()) { // the program ended without writing the edit
            QVERIFY(!rig.window->isVisible() && rig.mapStore().contains(saved));
            return;
        }
        const StoredMap done = rig.window->maps().shownMap();
        rig.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!rig.box(3, 3)->isChecked() && rig.labels() == QList<int>{1}); // the edit is back
        QVERIFY(rig.action("Redo " + undo));
        rig.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(rig.window->maps().shownMap(), done);
    }

    // A map kept at a question is named at the end (which steps leave what unsaved: tst_document).
    void nothingKeptIsLostAtTheEnd() {
        Rig rig(true);
        rig.click("Save as MAP1");
        QTest::mouseClick(rig.box(3, 3), Qt::LeftButton);
        rig.click("Display MAP2", {Qt::Key_Y, Qt::Key_Y}); // Yes keeps the edit in MAP1, in memory
        QVERIFY(rig.window->isWindowModified() && rig.labels() == QList<int>{2});
        rig.click("Use AC1 - AC3 for Bandmap");
        rig.window->close();
        QVERIFY(!rig.window->isVisible() && rig.said() == kQuestion.arg(1));
        QVERIFY(rig.stored().accForBandMap && rig.stored().maps[0][3][3] == 0);
        QCOMPARE(MainWindow::unsavedQuestion({0, 2}), kQuestion.arg("1 and Map3"));
        QCOMPARE(MainWindow::unsavedQuestion({0, 1, 2}), kQuestion.arg("1, Map2 and Map3"));
    }

    // A store read in part is said and kept in a copy before the first save (read: tst_document).
    void damagedStoresAreSaidAndKept() {
        Rig rig;
        MapStoreContent content;
        content.maps[0][0][0] = content.maps[1][1][1] = 1;
        const QByteArray cut = mapStoreText(content).chopped(20);
        QVERIFY(!writeFileWhole(mapStorePath(rig.dir.path()), cut));
        rig.start();
        QVERIFY(rig.said().contains(
            "bdx4_cfg.ini could be read only in part (line 1074: the store ends early, in MAP3)"));
        QVERIFY(QFile::remove(voltageStorePath(rig.dir.path())) &&
                QDir(rig.dir.path()).mkdir(kVoltageStoreName));
        rig.boxes.onDialog = [](QWidget* modal) { modal->close(); };
        rig.click("Analog1");
        QVERIFY(rig.said().contains("bdx4_bv.ini cannot be read: it is a folder"));
        rig.window->close();
        QVERIFY(!rig.window->isVisible()); // nothing asked, nothing written
        QCOMPARE(rig.mapStore(), cut);
        rig.start();
        rig.click("Save as MAP3");
        const QStringList copies = QDir(rig.dir.path()).entryList({"bdx4_cfg.ini.damaged-*"});
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readFile(rig.dir.filePath(copies.first())), cut);
        QVERIFY(rig.said().contains(copies.first()));
        // Another program's change is replaced only at Yes.
        QVERIFY(!writeFileWhole(mapStorePath(rig.dir.path()), cut));
        rig.click("Save as MAP1", {Qt::Key_Escape}); // kept, and nothing more said: the user knows
        QVERIFY(rig.said().contains("was changed by another program"));
        QCOMPARE(rig.mapStore(), cut);
        rig.click("Save as MAP1", {Qt::Key_Y});
        QCOMPARE(rig.mapStore().count('\n'), 1076);
    }

    // Only a passed download is kept; a history that cannot be written is said once, fails nothing.
    void theHistoryOfWhatWasWritten() {
        Rig rig(true);
        const WriteHistory history(rig.dir.path());
        const auto write = [&](bool acks) {
            rig.acks = acks;
            rig.clickSettled("Write To BDX4");
        };
        const QByteArray first = rig.exported();
        write(true);
        QCOMPARE(history.entries().size(), 1);
        QCOMPARE(readFile(history.entries()[0].path), first);
        QVERIFY(rig.window->statusBar()->findChild<QLabel*>()->toolTip().startsWith(
            "Last written to the BDX4: "));
        QTest::mouseClick(rig.box(10, 5), Qt::LeftButton);
        write(false); // failed: nothing kept
        QCOMPARE(history.entries().size(), 1);
        for (const auto& [choice, said] : QList<std::pair<QString, QString>>{
                 {"Compare", "1 box differs; it is marked on the grid until the next change."},
                 {"Open", ""}}) {
            rig.boxes.onDialog = [&, choice = choice](QWidget* modal) {
                auto* window = qobject_cast<HistoryWindow*>(modal);
                QVERIFY(window && window->list()->topLevelItemCount() == 1);
                find<QPushButton>(window, choice)->click();
            };
            const int before = int(rig.boxes.shown.size());
            rig.clickSettled("Written to the BDX4...");
            if (choice == "Compare") {
                QCOMPARE(rig.boxes.shown.value(before).text, said);
                QVERIFY(rig.differs(10, 5) && !rig.differs(10, 4));
            }
        }
        QVERIFY(!rig.box(10, 5)->isChecked() && !rig.differs(10, 5));
        rig.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(rig.box(10, 5)->isChecked());
        QVERIFY(QDir(history.folder()).removeRecursively() &&
                !writeFileWhole(history.folder(), "in the way"));
        const int said = int(rig.boxes.shown.size());
        write(true);
        write(true);
        QCOMPARE(rig.boxes.shown.size(), said + 1);
        QVERIFY(rig.boxes.shown[said].text.contains("the history of what was written cannot be "
                                                    "kept"));
        QCOMPARE(rig.window->statusBox()->text(), "Last Send Passed!");
    }

    // Names belong to the station, never to the stores or an export.
    void outputsCarryTheStationsNames() {
        Rig rig(true);
        const QByteArray mapStore = rig.mapStore(), exported = rig.exported();
        QLabel* caption = find<QLabel>(rig.window.get(), "40");
        for (const auto& [typed, refused] : QList<std::pair<QString, bool>>{
                 {QString(25, 'x'), true}, {QStringLiteral("Яги 4 el, Groß"), false}}) {
            QStringList seen;
            rig.boxes.onDialog = [&, typed = typed, refused = refused](QWidget* modal) {
                auto* window = static_cast<OutputNamesWindow*>(modal);
                window->nameBox(3)->setText(typed);
                seen << QString::number(window->focusWidget() == window->nameBox(3))
                     << window->refusal(3);
                refused ? window->reject() : window->accept();
            };
            QTest::mouseDClick(caption, Qt::LeftButton);
            rig.settle();
            QCOMPARE(seen.value(0), "1"); // the column clicked
            QCOMPARE(seen.value(1).isEmpty(), !refused);
        }
        QCOMPARE(caption->toolTip(), "Яги 4 el, Groß");
        QCOMPARE(rig.box(3, 3)->accessibleName(), "40M to 40, Яги 4 el, Groß");
        QCOMPARE(readFile(outputNamesPath(rig.dir.path())), "40=Яги 4 el, Groß\r\n");
        QVERIFY(rig.mapStore() == mapStore && rig.exported() == exported);
        rig.click("Undo Name the outputs");
        QVERIFY(caption->toolTip().isEmpty() && rig.box(3, 3)->accessibleName() == "40M to 40");
        QCOMPARE(readFile(outputNamesPath(rig.dir.path())), "");
        QVERIFY(!writeFileWhole(outputNamesPath(rig.dir.path()), "20=dipole\r\n99=x\r\n"));
        rig.start();
        QVERIFY(rig.said().contains("bdx4_names.txt could not be read whole (line 2: "));
        QCOMPARE(find<QLabel>(rig.window.get(), "20")->toolTip(), "dipole");
        QCOMPARE(rig.mapStore(), mapStore);
    }

    void menusHaveLettersAndKeys() {
        Rig rig(true);
        QStringList missing, shared; // a letter to reach each title and entry with Alt
        QList<QWidget*> menus = {rig.window->menuBar()};
        for (QMenu* menu : rig.window->menuBar()->findChildren<QMenu*>())
            menus << menu;
        for (QWidget* menu : menus) {
            QList<QKeySequence> seen;
            for (QAction* item : menu->actions()) {
                const QKeySequence letter = QKeySequence::mnemonic(item->text());
                if (item->isSeparator())
                    continue;
                if (letter.isEmpty())
                    missing << item->text();
                else if (seen.contains(letter))
                    shared << item->text().remove('&');
                seen << letter;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        QCOMPARE(shared, (QStringList{"COM14", "COM15", "COM16"})); // 20 entries, 17 letters
        rig.key(Qt::Key_S, Qt::ControlModifier); // the shown map as the map it belongs to
        QVERIFY(rig.mapStore().count('\n') == 1076 && rig.labels() == QList<int>{1});
        QStringList opened;
        rig.boxes.onDialog = [&opened](QWidget* modal) {
            opened << modal->windowTitle();
            modal->close();
        };
        rig.key(Qt::Key_F1);
        VoltageWindow an2(1, rig.window->document(), rig.window.get());
        an2.show();
        QApplication::setActiveWindow(&an2);
        QTest::keyClick(an2.slider(0), Qt::Key_F1);
        QCOMPARE(opened, (QStringList{"BDX4 Config Help", "BDX4 AN2 Help "}));
    }

    void theWindowKeepsItsPlace() {
        QHash<QString, QString> settings;
        QPoint left; // where the run before left the window
        for (const QPoint& at : {QPoint(123, 77), QPoint(9000, 7000), QPoint()}) {
            Rig rig;
            rig.settings.values = settings;
            rig.start();
            const QRect screen = rig.window->screen()->availableGeometry();
            QVERIFY(screen.intersects(rig.window->frameGeometry())); // off screen: back on it
            QVERIFY(!rig.window->windowIcon().pixmap(32).isNull());
            if (settings.isEmpty()) // the first time: in the middle of the screen
                QCOMPARE(rig.window->frameGeometry().center(), screen.center());
            else if (screen.contains(left))
                QCOMPARE(rig.window->pos(), left);
            rig.window->move(left = at);
            rig.window->close();
            settings = rig.settings.values;
        }
    }

    // A download from the keyboard, stopped by Cancel, Escape or closing; Test leaves the focus.
    void writeToTheBox_data() {
        const Rows<WriteCase> row;
        const QString cancelled = "Download cancelled in section VHF Band Data";
        row("acknowledged", {true, "", "", false});
        row("a silent box, dark desktop",
            {false, "", "Download failed in section HF Band Data", true});
        row("Cancel by the keyboard", {true, "Return", cancelled, false});
        row("closing the window", {true, "close", "", false});
        row("Escape", {true, "Escape", cancelled, false});
        row("Test for BDX4 instead", {true, "Test", "", false});
    }
    void writeToTheBox() {
        const auto& [acks, stop, message, dark] = fetch<WriteCase>();
        const QPalette desktop = QApplication::palette();
        if (dark)
            QApplication::setPalette(QPalette(QColor(53, 53, 53), QColor(42, 42, 42)));
        Rig rig(true);
        QCOMPARE(rig.window->focusWidget(), rig.box(0, 0)); // after the start-up's boxes
        QVERIFY(showsFocusFrame(rig.box(0, 0)));
        for (int i = 0; i < 5; ++i)
            rig.key(Qt::Key_Tab);
        QPushButton* write = rig.button("Write To BDX4");
        QVERIFY(write->hasFocus() && showsFocusFrame(write));
        rig.boxes.shown.clear();
        rig.acks = acks;
        QString progress;
        QWidget* during = nullptr;
        bool busy = false;
        rig.clock.after(700, [&] {
            progress = rig.window->statusBox()->text();
            during = rig.window->focusWidget();
            busy = !write->isEnabled() && !rig.action("Test for BDX4")->isEnabled() &&
                   rig.button("Cancel")->isVisible();
        });
        rig.clock.after(1000, [&, stop = stop] {
            if (stop == "Return")
                QTest::keyClick(rig.window->focusWidget(), Qt::Key_Return);
            else if (stop == "Escape")
                QTest::keyClick(rig.box(0, 0), Qt::Key_Escape);
            else if (stop == "close") // nothing more than the end record, nothing said
                rig.window->close();
        });
        if (stop == "Test")
            rig.click("Test for BDX4");
        else
            rig.key(Qt::Key_Space);
        rig.settle();
        QApplication::setPalette(desktop);
        if (stop == "Test") {
            QVERIFY(during == rig.box(0, 0) && rig.window->focusWidget() == write);
            QCOMPARE(rig.window->statusBox()->text(), "");
            return;
        }
        QCOMPARE(progress, QStringLiteral("HF Data"));
        QVERIFY(busy && during == rig.button("Cancel"));
        QCOMPARE(rig.line.writes.last(), QByteArray(":00000001FF\r\n"));
        if (stop == "close") {
            QVERIFY(rig.boxes.titles() == QStringList{"BDX4 Config"} &&
                    !rig.line.isOpen()); // the exit question
            QCOMPARE(rig.settings.values.value("Options/COM_Port"), QStringLiteral("1"));
            return;
        }
        const bool passed = message.isEmpty();
        QCOMPARE(rig.window->statusBox()->text(),
                 passed ? "Last Send Passed!" : "Last Send Failed!");
        const QPalette colours = rig.window->statusBox()->palette();
        const QColor text = colours.color(QPalette::Text);
        QVERIFY(passed ? text.green() > 2 * text.red() : text.red() > 2 * text.green());
        QVERIFY(contrast(text, colours.color(QPalette::Base)) >= 4.5);
        const QString said = rig.boxes.shown.value(0).text; // and what to check after a failure
        QCOMPARE(said.left(said.indexOf("\n\nPlease check:")), message);
        if (!passed) // the title shows what the box sent last, even before this download
            QCOMPARE(rig.boxes.shown[0].title, acks ? "BDX4: G" : "BDX4: BDV:BDX4:2.17;");
        QVERIFY(write->isEnabled() && !rig.button("Cancel")->isVisible());
        QCOMPARE(rig.window->focusWidget(), write);
        QTest::mouseClick(rig.window->centralWidget(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(rig.window->statusBox()->isHidden() && rig.window->statusBox()->text().isEmpty());
    }

    void thePortAtAGlance() {
        Rig rig;
        rig.answers = false;
        rig.line.refused.insert(
            1, OpenFailure{OpenFailure::DeviceMissing, 1, 1, "/dev/fake1", {}, {}});
        rig.start(); // no box at the start
        QCOMPARE(rig.status(), QStringLiteral("COM1 \u00B7 /dev/fake1 \u00B7 4800 baud|not open"));
        QVERIFY(rig.window->statusBar()->y() >= rig.window->centralWidget()->geometry().bottom());
        rig.line.refused.clear(); // then the box is plugged in
        rig.click("COM5");        // a choice, not yet opened
        rig.click("Test for BDX4");
        rig.clock.after(700, [&] { // the search says where it looks
            QVERIFY(find<QLabel>(rig.window->findChild<SeekingWindow*>(),
                                 "Looking for the BDX4 on COM5 (/dev/fake5) at 4800 baud"));
        });
        rig.settle();
        const BoxAnswerer::Shown& silent = rig.boxes.shown.last();
        QVERIFY(silent.title == "Error connecting to a BDX4" &&
                !silent.windows.contains("Seeking BDX4")); // the search window is gone first
        QCOMPARE(rig.status(), QStringLiteral("COM5 \u00B7 /dev/fake5 \u00B7 4800 baud|open"));
        rig.answers = true;
        rig.click("COM1");
        rig.click("  9600 BAUD");
        QCOMPARE(rig.status(), QStringLiteral("COM1 \u00B7 /dev/fake1 \u00B7 9600 baud|not open"));
        QString during;
        for (const int at : {1000, 2500})
            rig.clock.after(at, [&] { // as a reader hears it, in words and as a value
                QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(
                    rig.window->statusBar()->findChild<QProgressBar*>());
                QAccessibleValueInterface* value = bar->valueInterface();
                during += bar->text(QAccessible::Value) + ' ' +
                          (value ? value->currentValue().toString() : "-") + '|';
            });
        rig.clickSettled("Write To BDX4"); // opens the port chosen, then writes
        QVERIFY(rig.line.openedPort == 1 && rig.line.openedSpeed == 9600);
        QCOMPARE(during, "VHF Band Data, 2 of 7 2|End record, 7 of 7 7|");
        QVERIFY(rig.window->statusBox()->text() == "Last Send Passed!" &&
                rig.status().endsWith("|open"));
        rig.clickSettled("Test for BDX4");
        QCOMPARE(rig.status(),
                 QStringLiteral("COM1 \u00B7 /dev/fake1 \u00B7 9600 baud|BDX4 firmware 2.17"));
        rig.line.lose("gone");
        QVERIFY(rig.status().endsWith("|lost"));
        rig.line.refused.insert(
            1, OpenFailure{OpenFailure::DeviceMissing, 1, 1, "/dev/fake1", {}, {}});
        rig.boxes.shown.clear();
        rig.click("Write To BDX4"); // an open that fails says so, as the test does
        QCOMPARE(rig.boxes.titles(), (QStringList{"Error Opening COM1", "Error COM Ports"}));
        QCOMPARE(rig.window->statusBox()->text(), QStringLiteral("Last Send Failed!"));
    }

    void searchCanBeCancelled() {
        Rig rig;
        rig.answers = false;
        rig.start(false);
        rig.clock.after(1000, [&] {
            SeekingWindow* seeking = rig.window->findChild<SeekingWindow*>();
            QVERIFY(seeking && seeking->isVisible() && !rig.box(0, 0)->isEnabled());
            QApplication::setActiveWindow(seeking);
            QTest::keyClick(seeking, Qt::Key_Escape);
        });
        rig.settle();
        QCOMPARE(rig.boxes.titles(), QStringList()); // a search given up says nothing
        QCOMPARE(rig.line.writes.size(), 4); // ";" and the query, then the first retry's two
        QVERIFY(rig.window->isReady() && !rig.window->findChild<SeekingWindow*>());
    }

    void exportWritesTheChosenFile() {
        for (const auto& [typed, name] :
             QList<std::pair<QString, QString>>{{"  report.txt  ", "report.txt"},
                                                {"REPORT.TXT", "REPORT.TXT.txt"},
                                                {"", ".txt"},
                                                {"\tr", "\tr.txt"}})
            QCOMPARE(SaveFileDialog::fileNameFor(typed), name);
        Rig rig; // an installed program: its own folder takes no file, the stores' folder does
        rig.start(true, rig.dir.filePath("bin"));
        rig.boxes.onDialog = [&rig](QWidget* modal) { // there, Save not yet possible
            auto* dialog = qobject_cast<SaveFileDialog*>(modal);
            QVERIFY(dialog->folder() == rig.dir.filePath("data") &&
                    !dialog->saveButton()->isEnabled());
            QTest::keyClicks(dialog->nameBox(), QStringLiteral("  out  "));
            QTest::keyClick(dialog->nameBox(), Qt::Key_Return);
        };
        rig.click("Write Bandmap to File");
        QCOMPARE(readFile(rig.dir.filePath("data/out.txt")), rig.exported()); // the grid's lines
        QCOMPARE(rig.window->statusBox()->text(), QStringLiteral("Last Send Passed!"));
        QVERIFY(rig.line.writes.size() == 2 &&
                rig.settings.values.value("Options/Saved_Directory") == rig.dir.filePath("data"));
        QVERIFY(rig.window->statusBar()->currentMessage().contains( // where the file went
            QDir::toNativeSeparators(rig.dir.filePath("data/out.txt"))));
    }

    void exportDialogHonoursFoldersAndAsks_data() {
        const Rows<ExportCase> row;
        const QString there = "old.txt already exists. Replace it?";
        row("a full path", {"@/station/map1", 0, "@/station/map1.txt", ""});
        row("a folder below", {"station/map1", 0, "@/shown/station/map1.txt", ""});
        row("no such folder", {"@/nowhere/map1", 0, "", "The folder @/nowhere does not exist."});
        row("a file there, No", {"old", Qt::Key_N, "", there});
        row("a file there, Escape", {"old", Qt::Key_Escape, "", there});
        row("a file there, Yes", {"old", Qt::Key_Y, "@/shown/old.txt", there});
    }
    void exportDialogHonoursFoldersAndAsks() {
        const auto& [typed, answer, chosen, said] = fetch<ExportCase>();
        QTemporaryDir dir;
        const auto here = [&dir](QString text) { return text.replace('@', dir.path()); };
        QVERIFY(QDir(dir.path()).mkpath("station") && QDir(dir.path()).mkpath("shown/station"));
        QVERIFY(!writeFileWhole(dir.filePath("shown/old.txt"), "mine"));
        FakeSettings settings;
        BoxAnswerer boxes;
        boxes.keys = {answer};
        SaveFileDialog dialog(dir.filePath("shown"), settings, nullptr);
        dialog.show();
        QTest::keyClicks(dialog.nameBox(), here(typed));
        QTest::keyClick(dialog.nameBox(), Qt::Key_Return);
        QTRY_COMPARE(boxes.shown.size(), said.isEmpty() ? 0 : 1);
        if (!said.isEmpty())
            QVERIFY(boxes.shown[0].text.startsWith(QDir::toNativeSeparators(here(said))));
        QCOMPARE(dialog.chosenFile().value_or(QString()), here(chosen));
        QCOMPARE(dialog.isVisible(), chosen.isEmpty());
        QCOMPARE(readFile(dir.filePath("shown/old.txt")), "mine"); // the dialog writes nothing
    }

    void aConfigurationFileOpensAndPrints() {
        Rig rig(true);   // a first start: the box answered, the defaults are unsaved
        BandMaps theirs; // a friend's station: AC3 on 160M, 20 on 20M, the AN1 defaults
        theirs.setCell(0, kAC3, 1);
        theirs.setCell(5, 5, 1);
        theirs.setAccOutputsForBandMap(true);
        const VoltageTables volts = golden::defaultVolts(1);
        const QByteArray file = exportText(ConfigImage::of(theirs, volts));
        QVERIFY(!writeFileWhole(rig.dir.filePath("friend.txt"), file) &&
                !writeFileWhole(rig.dir.filePath("damaged.txt"),
                                QByteArray(file).replace("1F04", "1F05")));
        QString chosen = rig.dir.filePath("damaged.txt");
        rig.boxes.onDialog = [&](QWidget* modal) {
            if (auto* files = qobject_cast<QFileDialog*>(modal)) {
                files->selectFile(chosen);
                static_cast<QDialog*>(files)->accept();
            } else if (auto* printing = qobject_cast<QPrintDialog*>(modal)) { // to a PDF
                printing->findChild<QLineEdit*>("filename")->setText(rig.dir.filePath("sheet.pdf"));
                static_cast<QDialog*>(printing)->accept();
            }
        };
        rig.key(Qt::Key_O, Qt::ControlModifier); // refused, and nothing changes
        QVERIFY(rig.said().contains("line 5: the checksum is 95, the record's bytes give 94") &&
                rig.box(0, 0)->isChecked());
        chosen = rig.dir.filePath("friend.txt"); // the first start's grid not kept; the tables:
        rig.click("Open Configuration File...", {Qt::Key_N, Qt::Key_Y});
        QVERIFY(rig.said().startsWith("Replace the three band-voltage tables"));
        QVERIFY(!rig.box(0, 0)->isChecked() &&
                rig.action("Use AC1 - AC3 for Bandmap")->isChecked());
        QCOMPARE(rig.exported(), file);
        QCOMPARE(readFile(voltageStorePath(rig.dir.path())), // 255 went out, and came back, as 254
                 voltageStoreText(volts).replace("255", "254"));
        rig.click("Print...");
        const QString sheet = pdfText(rig.dir.filePath("sheet.pdf")).simplified();
        QVERIFY2(sheet.contains("Map: MAP1, not saved") && sheet.contains("BDX4 firmware 2.17") &&
                     sheet.contains("160M X"),
                 qPrintable(sheet));
        rig.key(Qt::Key_S, Qt::ControlModifier); // saved, the sheet says so
        rig.click("Print...");
        QVERIFY(pdfText(rig.dir.filePath("sheet.pdf")).simplified().contains("Map: MAP1 "));
    }

    void windowsStayLightUnderADarkTheme() {
        const QPalette desktop = QApplication::palette();
        // A dark desktop theme: dark buttons and window, black boxes, white text.
        QApplication::setPalette(QPalette(QColor(53, 53, 53), QColor(42, 42, 42)));
        Rig rig;
        rig.start(false);
        VoltageWindow an2(1, rig.window->document(), rig.window.get());
        VoltageHelpWindow an2Help(1, &an2);
        HelpWindow help(rig.window.get());
        QStringList wrong; // dark text on light boxes and buttons; captions keep their colours
        for (QWidget* window : QList<QWidget*>{rig.window.get(), &an2, &an2Help, &help})
            for (const QWidget* part : window->findChildren<QWidget*>() + QList<QWidget*>{window}) {
                const auto light = [part](auto r) { return part->palette().color(r).lightness(); };
                if (light(QPalette::Base) <= 200 || light(QPalette::Button) <= 200 ||
                    light(QPalette::Window) <= 120 || light(QPalette::Text) >= 130 ||
                    light(QPalette::ButtonText) >= 130 || light(QPalette::WindowText) >= 130)
                    wrong << QLatin1String(part->metaObject()->className());
            }
        QApplication::setPalette(desktop);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }

    void slidersMoveTowardTheClick_data() { // the keys: voltageWindowsByKeyboardAlone
        const Rows<Click> row;
        using S = QStyle;
        row("top arrow", {S::SC_ScrollBarSubLine, 101});
        row("bottom arrow", {S::SC_ScrollBarAddLine, 99});
        row("track above", {S::SC_ScrollBarSubPage, 105});
        row("track below", {S::SC_ScrollBarAddPage, 95});
        row("wheel away", {0, 103});
    }
    void slidersMoveTowardTheClick() {
        const auto& [part, level] = fetch<Click>();
        VoltageRig rig(0);
        LevelSlider* s = rig.window.slider(3);
        s->setLevel(100);
        const QPoint thumb = partOf(s, QStyle::SC_ScrollBarSlider);
        const auto turn = [s, thumb] { // one notch scrolls three steps
            QWheelEvent wheel(thumb, s->mapToGlobal(thumb), {}, {0, 120}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(s, &wheel);
        };
        part ? QTest::mouseClick(s, Qt::LeftButton, {}, partOf(s, QStyle::SubControl(part)))
             : turn();
        QCOMPARE(s->level(), level);
        QCOMPARE(rig.window.voltsBox(3)->text(), VoltageTables::voltsText(level, 0));
        QCOMPARE(partOf(s, QStyle::SC_ScrollBarSlider).y() < thumb.y(), level > 100);
        QCOMPARE(s->accessibleName() + rig.window.voltsBox(3)->accessibleName(),
                 QStringLiteral("AN1 10 m levelAN1 10 m volts"));
        if (!part) { // each notch is an undo step of its own
            turn();
            QTest::keyClick(s, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(s->level(), level);
        }
    }

    void voltageWindowAsksBeforeChangesAreLost() {
        using Closing = std::function<void(VoltageWindow&)>;
        for (const auto& [key, closeIt] : QList<std::pair<int, Closing>>{
                 {Qt::Key_Y, [](VoltageWindow& w) { find<QPushButton>(&w, "Close")->click(); }},
                 {Qt::Key_N, [](VoltageWindow& w) { w.close(); }}, // the frame's close box
                 {Qt::Key_Escape, [](VoltageWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }}}) {
            QByteArray store;
            for (int i = 0; i < 39; ++i)
                store += QByteArray::number(i < 13 ? 10 + i : 200 + i) + "\r\n";
            VoltageRig rig(2, store);
            VoltageWindow& window = rig.window;
            QCOMPARE(window.voltsBox(0)->text(), QStringLiteral("8.86")); // level 226 of 10 V
            find<QPushButton>(&window, "Defaults")->click();
            rig.boxes.keys = {key};
            closeIt(window);
            QCOMPARE(rig.boxes.shown.value(0).text,
                     "The AN3 Voltage Settings have changed.  Do you want to save these settings?");
            QCOMPARE(window.isVisible(), key == Qt::Key_Escape);
            QVERIFY(window.slider(12)->level() == 255 && window.slider(0)->level() == 0); // kept
            const QList<QByteArray> lines = rig.voltageStore().split('\n');
            QCOMPARE(lines.value(38) + lines.value(26) + lines.value(0),
                     key == Qt::Key_Y ? "255\r0\r10\r" : "238\r226\r10\r");
            QCOMPARE(rig.document.volts().value(2, 12), key == Qt::Key_Y ? 255.0f : 238.0f);
        }
    }

    void voltageWindowByKeyAndMouse() {
        VoltageRig rig(0);
        VoltageWindow& window = rig.window;
        LevelSlider* s = window.slider(3);
        const QPoint thumb = partOf(s, QStyle::SC_ScrollBarSlider);
        s->setFocus();
        QTest::keyClick(s, Qt::Key_Up); // two steps
        QTest::keyClick(s, Qt::Key_Up);
        QTest::mousePress(s, Qt::LeftButton, {}, thumb); // a drag, one step however far
        QTest::mouseMove(s, thumb - QPoint(0, 20));
        QTest::mouseMove(s, QPoint(thumb.x(), 0));
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(thumb.x(), 0));
        find<QPushButton>(&window, "Defaults")->click();
        // A refusal keeps the level, marked until a valid entry or an undo (texts: tst_model).
        for (const auto& [box, text, level] : QList<std::tuple<int, QString, int>>{
                 {3, "12", 64}, {3, "5,0", 128}, {3, "abc", 128}, {3, "5,0", 128}, {4, "x", 128}}) {
            QLineEdit* typed = window.voltsBox(box);
            typed->setFocus();
            typed->selectAll();
            QTest::keyClicks(typed, text);
            QTest::keyClick(typed, Qt::Key_Return);
            QVERIFY(s->level() == level && rig.boxes.shown.isEmpty());
            QVERIFY(text == "5,0" ? window.refusal(box).isEmpty()
                                  : window.refusal(box).contains(text));
            QVERIFY(typed->toolTip().startsWith(window.refusal(box)));
            if (text == "12")
                QCOMPARE(window.refusal(3), "12 is above the AN1 range of 0 to 10 volts. The level "
                                            "stays as it was.");
        }
        QList<int> levels;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(s, Qt::Key_Z, Qt::ControlModifier);
            levels << s->level();
            QVERIFY(window.refusal(4).isEmpty());
        }
        QVERIFY(!window.isWindowModified());
        QTest::keyClick(s, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(levels << s->level(), (QList<int>{64, 255, 2, 1, 0, 1}));
        QPushButton* save = find<QPushButton>(&window, "Save");
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Return);
        QVERIFY(rig.voltageStore().startsWith("0\r\n0\r\n0\r\n1\r\n0\r\n"));
        QVERIFY(QFile::remove(voltageStorePath(rig.dir.path())) &&
                QDir(rig.dir.path()).mkdir(kVoltageStoreName));
        window.slider(2)->setLevel(200);
        rig.boxes.keys = {Qt::Key_Return, Qt::Key_Y, Qt::Key_Return};
        window.close(); // Yes tries again, fails again, and keeps the window
        QCOMPARE(rig.boxes.shown.size(), 2);
        QVERIFY(rig.boxes.shown[1].icon == QMessageBox::Critical &&
                rig.boxes.shown[1].text.startsWith(
                    "The AN1 voltage settings could not be saved to " +
                    QDir::toNativeSeparators(voltageStorePath(rig.dir.path()))));
        QVERIFY(window.isVisible() && rig.document.volts().value(0, 2) == 0.0f &&
                rig.document.volts().value(0, 3) == 1.0f);
    }

    void voltageWindowsByKeyboardAlone_data() {
        const Rows<int> row;
        for (int t = 0; t < 3; ++t)
            row(qPrintable(QStringLiteral("AN%1").arg(t + 1)), t);
    }
    void voltageWindowsByKeyboardAlone() {
        const int table = fetch<int>();
        VoltageRig rig(table);
        VoltageWindow& window = rig.window;
        const auto key = [](int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), modifiers);
        };
        for (int i = 0; i < 15; ++i) // from Close, past the thirteen boxes and Save
            key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.slider(0));
        QVERIFY(showsFocusFrame(window.slider(0)));
        const QList<std::pair<int, int>> keys = {
            {Qt::Key_Up, 1}, {Qt::Key_PageUp, 5}, {Qt::Key_Home, 255}};
        for (int b = 0; b < kVoltageBands; ++b) { // a key, then Right to the next band
            key(keys[b % 3].first);
            key(Qt::Key_Right);
        }
        QCOMPARE(QApplication::focusWidget(), window.slider(12)); // the last band stays
        key(Qt::Key_S, Qt::ControlModifier);
        for (int b = 0; b < kVoltageBands; ++b)
            QCOMPARE(rig.document.volts().level(table, b), keys[b % 3].second);
        // A key held down is one step.
        LevelSlider* last = window.slider(11);
        for (const bool repeat : {false, true, true, true, true}) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(last, &down);
        }
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(last, &up);
        QCOMPARE(last->level(), 250);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(last->level(), 255);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(window.slider(0));
        QCOMPARE(reader->text(QAccessible::Name),
                 QStringLiteral("AN%1 430 MHz level").arg(table + 1));
        QCOMPARE(reader->text(QAccessible::Value), VoltageTables::voltsText(1, table) + " volts");
        reader->valueInterface()->setCurrentValue(kFullScaleVolts[table] / 2.0);
        QCOMPARE(window.slider(0)->level(), 128);
        // Alt+D puts the defaults; Ctrl+Z in a box with nothing typed takes them back.
        key(Qt::Key_D, Qt::AltModifier); // a mnemonic's button shows its press a moment
        QTRY_COMPARE(window.slider(2)->level(), VoltageTables::defaultLevels(table)[2]);
        window.voltsBox(4)->setFocus();
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.slider(2)->level(), 255);
        // A right click offers the window's steps, not the scroll bar's own.
        QStringList offered;
        QTimer::singleShot(0, [&offered] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    offered << action->text().remove('&');
                menu->close();
            }
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                window.slider(3)->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(window.slider(3), &click);
        QVERIFY2(offered.size() == 3 && offered[0].startsWith("Undo") &&
                     offered[1].startsWith("Redo") && offered[2] == "Help",
                 qPrintable(offered.join(", ")));
    }

    void adapterChooserShowsRowsAndMarks() { // and follows a plug
        Rig rig;
        const QString ftdi = threeAdapters()[0].stableName;
        rig.settings.values["Ports/COM3"] = ftdi;
        rig.start();
        rig.click("COM3");
        QStringList shown, after;
        QString note, kept;
        rig.choose([&](PortChooserWindow& window) {
            shown = rows(window);
            QTest::keyClick(window.list(), Qt::Key_Down); // from the row COM3 reaches
            QTest::keyClick(window.list(), Qt::Key_Down);
            note = window.findChildren<QLabel*>()[2]->text();
            rig.ports.rows.removeAt(1); // the CH340 pulled out
            rig.clock.advance(1000);
            after = rows(window);
            kept = window.list()->currentItem()->text(PortChooserWindow::kDeviceColumn);
            QTest::keyClick(window.list(), Qt::Key_Escape);
        });
        QCOMPARE(
            shown,
            (QStringList{"COM3|FT232R USB UART, FTDI|A9XXXXXX|0403:6001|/dev/ttyUSB0|free|" + ftdi,
                         "|USB Serial, 1a86|-|1a86:7523|/dev/ttyUSB1|busy: minicom (pid 4242)|-",
                         "|Arduino Uno, Arduino (www.arduino.cc)|8573F0|2341:0043|/dev/ttyACM0|"
                         "no permission|" +
                             threeAdapters()[2].stableName}));
        QCOMPARE(note, "You may not read and write /dev/ttyACM0.  It belongs to the group "
                       "\"dialout\", whose members may use it: add yourself to that group (for "
                       "example: sudo adduser $USER dialout), then log out and in again.");
        QVERIFY(after.size() == 2 && kept == "/dev/ttyACM0");
        QCOMPARE(rig.settings.values.value("Ports/COM3"), ftdi);
    }

    void adapterChoiceIsKept_data() {
        const Rows<std::pair<QString, QString>> row; // how; COM1's [Ports] entry (empty: none)
        row("double click: the stable name", {"double click", threeAdapters()[0].stableName});
        row("none: the device", {"Use this adapter", "/dev/ttyUSB1"});
        row("a typed path", {"path", "/dev/bdx4"});
        row("Cancel", {"Cancel", ""});
    }
    void adapterChoiceIsKept() {
        const auto& [how, written] = fetch<std::pair<QString, QString>>();
        Rig rig(true);
        const int opens = rig.line.opens;
        rig.choose([&, how = how](PortChooserWindow& window) {
            QTreeWidget* list = window.list();
            const int row = how == "Use this adapter"; // the CH340, without a stable name
            const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            if (how == "double click")
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            else if (how == "path")
                QTest::keyClicks(window.findChild<QLineEdit*>(), " /dev/bdx4 \r");
            else
                find<QPushButton>(&window, how)->click();
        });
        QCOMPARE(rig.settings.values.value("Ports/COM1"), written);
        const QString shown = QString("COM1 \u00B7 %1 \u00B7 4800 baud")
                                  .arg(written.isEmpty() ? "/dev/fake1" : written);
        QCOMPARE(rig.status().section('|', 0, 0), shown);
        // The one open serves while the device stays the same.
        rig.clickSettled("Write To BDX4");
        QCOMPARE(rig.line.opens, opens + (written.isEmpty() ? 0 : 1));
        rig.window.reset(); // and the next start reaches it
        rig.start();
        QCOMPARE(rig.status().section('|', 0, 0), shown);
    }

    void adapterFoundByPluggingIn_data() {
        const Rows<PlugCase> row;
        const QString usb0 = "/dev/ttyUSB0", usb1 = "/dev/ttyUSB1", acm0 = "/dev/ttyACM0";
        row("one appears", {{1, 2}, {0, 1, 2}, {usb0, usb1, acm0}, 0});
        row("none", {{1, 2}, {1, 2}, {usb1, acm0}, -1});
        row("two, the user picks", {{1}, {0, 1, 2}, {usb0, acm0}, 2});
    }
    void adapterFoundByPluggingIn() {
        const auto& [pulled, plugged, offered, written] = fetch<PlugCase>();
        Rig rig(true);
        const auto present = [](const QList<int>& which) {
            QList<SerialPortRow> present;
            for (const int i : which)
                present << threeAdapters()[i];
            return present;
        };
        const QList<SerialPortRow> out = present(pulled), in = present(plugged);
        const bool pick = offered.size() == 2;
        const Qt::Key last = written < 0 ? Qt::Key_Escape : Qt::Key_Return;
        QStringList said, shown;
        rig.choose([&](PortChooserWindow& window) {
            find<QPushButton>(&window, "Find by plugging in")->click();
            QLabel* text = window.findChildren<QLabel*>()[3];
            said << text->text();
            rig.ports.rows = out;
            QTest::keyClick(window.focusWidget(), Qt::Key_Space); // on Next
            said << text->text();
            rig.ports.rows = in;
            find<QPushButton>(&window, "Next")->click();
            said << text->text();
            for (const QString& row : rows(window))
                shown << row.section('|', 4, 4);
            if (pick)
                QTest::keyClick(window.list(), Qt::Key_Down);
            QTest::keyClick(window.focusWidget(), last);
        });
        QCOMPARE(said.mid(0, 2), (QStringList{"Pull the box's adapter out, then press Next.",
                                              "Now plug it in again, then press Next."}));
        QCOMPARE(said[2].startsWith("No port appeared"), written < 0);
        QCOMPARE(shown, offered);
        QCOMPARE(rig.settings.values.value("Ports/COM1"),
                 written < 0 ? QString() : threeAdapters()[written].stableName);
    }

    void translatedTextsFit() { // every window in every language the program carries
        QStringList languages{"de"};
        for (const QString& file : QDir(Translations::kFolder).entryList({"bdx4config_*.qm"}))
            if (const QString language = file.mid(11).chopped(3); !languages.contains(language))
                languages << language;
        for (const QString& language : languages) {
            Translations translations;
            QCOMPARE(translations.install({language}), language);
            Rig rig;
            rig.start(false);
            MainWindow* main = rig.window.get(); // the other windows as its children
            for (int t = 0; t < 3; ++t) {
                new VoltageWindow(t, main->document(), main);
                new VoltageHelpWindow(t, main);
            }
            auto* help = new HelpWindow(main);
            new SeekingWindow(QStringLiteral("COM1 (/dev/ttyUSB0)"), QStringLiteral("4800"), main);
            new SaveFileDialog(rig.dir.path(), rig.settings, main);
            auto* chooser = new PortChooserWindow(rig.ports, rig.clock, main->connection(), main);
            chooser->show(); // laid out
            QCOMPARE(main->findChild<VoltageWindow*>()->voltsBox(0)->text(),
                     QLocale().toString(0.0, 'f', 2));
            const QString write = find<QPushButton>(main, MainCanvas::tr("Write To BDX4"))->text();
            const QList<QLabel*> texts = help->findChildren<QLabel*>();
            QVERIFY(std::any_of(texts.begin(), texts.end(),
                                [&](QLabel* l) { return l->text().contains(write); }));
            auto* pages = help->findChild<QScrollArea*>();
            QVERIFY(pages->widget()->height() > 2 * pages->viewport()->height());
            QStringList clipped = textsThatDoNotFit(main);
            for (QWidget* w : main->findChildren<QWidget*>()) { // every part in its window
                const QRect at(w->mapTo(w->window(), QPoint()), w->size());
                if (!w->isWindow() && !pages->isAncestorOf(w) && !w->window()->rect().contains(at))
                    clipped << QStringLiteral("%1 outside %2")
                                   .arg(w->metaObject()->className(),
                                        w->window()->metaObject()->className());
            }
            QVERIFY2(clipped.isEmpty(), qPrintable(language + ": " + clipped.join('\n')));
        }
    }
    void textsThatDoNotFitAreNamed() { // too wide, a word too wide, too many lines, a button
        QWidget window;
        const auto label = [&window](const char* text, const QRect& at, bool wraps) {
            auto* label = new QLabel(QString::fromUtf8(text), &window);
            label->setWordWrap(wraps);
            label->setGeometry(at);
        };
        label("Steuerausgänge des BDX4", {0, 0, 99, 17}, false);
        label("W5 GESTECKT", {0, 20, 41, 200}, true);
        label("Ein Klick auf ein Kästchen ordnet das Band zu.", {0, 60, 120, 17}, true);
        (new QPushButton(QStringLiteral("In BDX4 schreiben"), &window))->setGeometry(0, 0, 80, 25);
        QCOMPARE(textsThatDoNotFit(&window).size(), 4);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
