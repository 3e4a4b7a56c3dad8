#include "store/MapStore.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSerialLine.h"
#include "support/FakeSettingsStore.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/SaveFileDialog.h"
#include "ui/SeekingWindow.h"
#include "ui/Twips.h"
#include "ui/VoltageWindow.h"
#include "voltages/VoltStore.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace bdx4;
using namespace bdx4::test;

namespace {

/// The main window on fakes: a serial line, virtual time, scripted message boxes, settings in
/// a table and the program's folder in a temporary folder.
struct Rig {
    QTemporaryDir dir;
    FakeSettingsStore settings;
    FakeMessageBoxes boxes;
    FakeClock clock;
    FakeSerialLine line{&clock};
    int endProcessCalls = 0;
    std::unique_ptr<MainWindow> window;

    explicit Rig(bool portOpens = false, const QString& folder = QString(),
                 const QHash<QString, QString>& stored = {}) {
        settings.values = stored;
        if (!portOpens)
            line.openFailures.insert(1, PlatformError{2, QStringLiteral("No such device")});
        MainWindowParts parts;
        parts.settings = &settings;
        parts.boxes = &boxes;
        parts.line = &line;
        parts.clock = &clock;
        parts.beginEnding = [this] { clock.beginEnding(); };
        parts.executableFolder = folder.isEmpty() ? dir.path() : folder;
        parts.endProcess = [this] { ++endProcessCalls; };
        window = std::make_unique<MainWindow>(parts);
    }

    MainWindow& w() { return *window; }
    BandMapState& s() { return window->maps().state(); }
    void start() { window->Form_Activate(); }
    QPushButton* button(const char* name) { return window->button(QLatin1String(name)); }
    QAction* item(const char* name) { return window->menuItem(QLatin1String(name)); }
    QCheckBox* box(int row, int output) { return window->grid().box(row, output); }
    QString storePath() const { return dir.filePath(kMapStoreName); }
    QByteArray store() const {
        QFile f(storePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    /// The label captions that are visible, by slot.
    QList<int> visibleCaptions() {
        QList<int> shown;
        for (int m = 0; m < kMaps; ++m)
            if (!window->mapCaption(m)->isHidden())
                shown << m;
        return shown;
    }
};

/// Runs `inside` from within the modal dialog that `start` opens, then closes that dialog
/// (also when `inside` failed), so that no test can hang on it.
void whileModal(const std::function<void()>& start, const std::function<void(QWidget*)>& inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ran = true;
            inside(modal);
            if (modal->isVisible())
                modal->close();
        }
    });
    start();
    QVERIFY2(ran, "no modal dialog opened");
}

QStringList captionsOf(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* a : actions)
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

class TestUiMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void loadSetsCaptionAndMarksButReadsNothing() {
        Rig loaded(false, QString(),
                   {{QStringLiteral("Options/COM_Port"), QStringLiteral("5")},
                    {QStringLiteral("Options/BAUD_Rate"), QStringLiteral("19200")}});
        QCOMPARE(loaded.w().windowTitle(),
                 QStringLiteral("Morvane BDX4 Configuration Utility, rev 2.1.7"));
        QVERIFY(loaded.item("Use_COM_5")->isChecked());
        QVERIFY(!loaded.item("Use_COM_1")->isChecked());
        QVERIFY(loaded.item("ConfigMenu_RS232_3")->isChecked());
        QVERIFY(!loaded.item("ConfigMenu_RS232_1")->isChecked());
        QVERIFY(!loaded.item("cmd_UseACC_Yes")->isChecked());
        QVERIFY(!loaded.item("cmd_UseACC_No")->isChecked());
        QVERIFY(loaded.visibleCaptions().isEmpty());
        QVERIFY(loaded.line.log.isEmpty()); // the port waits for the first activation
        QVERIFY(!QFile::exists(loaded.storePath()));
    }

    void firstShowRunsStartupOnceWithoutActivation() {
        Rig rig;
        rig.w().show();
        QTRY_VERIFY(rig.s().StartupDone);
        QCOMPARE(rig.line.log.count(QStringLiteral("open")), 1);
        QCOMPARE(rig.store(), QByteArray("\"Empty\"\r\n"));
        // The defaults of a first start: XVTR4 drives AC1, XVTR7 nothing.
        QCOMPARE(rig.w().grid().cell(17, 13), 1);
        QCOMPARE(rig.w().grid().cell(20, 10), 0);
        QVERIFY(rig.s().MapChanged);
        QVERIFY(rig.item("cmd_UseACC_No")->isChecked());
        QVERIFY(!rig.w().grid().isCellVisible(17, 13));

        // Later activations (after a dialog closed) do nothing again.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&rig.w(), &activate);
        QCoreApplication::processEvents();
        QCOMPARE(rig.line.log.count(QStringLiteral("open")), 1);
    }

    void commandsAreHeldOffUntilTheStoresAreRead() {
        Rig rig(true); // the port opens, so the start-up looks for the box and waits
        int checks = 0;
        rig.clock.after(100, [&] {
            ++checks;
            QVERIFY(!rig.s().StartupDone);
            QVERIFY(!rig.box(0, 0)->isEnabled());
            QVERIFY(!rig.box(20, 15)->isEnabled());
            for (const char* name :
                 {"Clear_Array", "Defaults", "Load_MAP1", "Save_MAP1", "Save_MAP3", "Dload_BDX4"})
                QVERIFY2(!rig.button(name)->isEnabled(), name);
            for (const char* name : {"Test_BDX4", "WriteBandmapToFile", "MenuBar_Use_ACn",
                                     "MenuBar_Analog_AN1", "COMM_Port", "HelpMenu"})
                QVERIFY2(!rig.item(name)->isEnabled(), name);
            QVERIFY(rig.button("cmd_Quit")->isEnabled());
            QVERIFY(rig.item("comExit")->isEnabled());
            // A save pressed now would write maps that were never loaded.
            rig.button("Save_MAP1")->click();
            QVERIFY(!QFile::exists(rig.storePath()));
        });
        rig.start();
        QCOMPARE(checks, 1);
        QVERIFY(rig.s().StartupDone);
        QVERIFY(rig.box(0, 0)->isEnabled());
        QVERIFY(rig.button("Save_MAP1")->isEnabled());
        QVERIFY(rig.item("Test_BDX4")->isEnabled());
        QVERIFY(rig.item("COMM_Port")->isEnabled());
        QCOMPARE(rig.store(), QByteArray("\"Empty\"\r\n"));
        QCOMPARE(rig.boxes.shown.last().title, QStringLiteral("Error connecting to a BDX4"));
    }

    void clickOnAnyBoxSetsMapChanged_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("output");
        QTest::newRow("160M/160") << 0 << 0;
        QTest::newRow("6M/XV1") << 10 << 10;
        QTest::newRow("XV3/AC2") << 13 << 14;
        QTest::newRow("XVTR1/40") << 14 << 3;
        QTest::newRow("XVTR7/AC3") << 20 << 15;
    }
    void clickOnAnyBoxSetsMapChanged() {
        QFETCH(int, row);
        QFETCH(int, output);
        Rig rig;
        rig.w().show();
        QTRY_VERIFY(rig.s().StartupDone);
        rig.item("cmd_UseACC_Yes")->trigger();
        for (int turn = 0; turn < 2; ++turn) { // checks, then unchecks
            rig.button("Save_MAP1")->click();
            QVERIFY(!rig.s().MapChanged);
            const int before = rig.w().grid().cell(row, output);
            QTest::mouseClick(rig.box(row, output), Qt::LeftButton);
            QCOMPARE(rig.w().grid().cell(row, output), 1 - before);
            QVERIFY(rig.s().MapChanged);
        }
    }

    void gridWritesNotifyOnlyOnChangeAndClicksNeverGray() {
        Rig rig;
        CheckGrid& grid = rig.w().grid();
        int notes = 0;
        grid.setChangedHandler([&](int, int) { ++notes; });
        grid.setCell(3, 4, 1);
        QCOMPARE(notes, 1);
        grid.setCell(3, 4, 1);
        QCOMPARE(notes, 1);
        grid.setCell(3, 4, 2);
        QCOMPARE(notes, 2);
        QCOMPARE(grid.cell(3, 4), 2);
        QCOMPARE(rig.box(3, 4)->checkState(), Qt::PartiallyChecked);
        rig.box(3, 4)->setEnabled(true);
        rig.box(3, 4)->click();
        QCOMPARE(grid.cell(3, 4), 1);
        rig.box(3, 4)->click();
        QCOMPARE(grid.cell(3, 4), 0);
        rig.box(3, 4)->click();
        QCOMPARE(grid.cell(3, 4), 1);
        QCOMPARE(notes, 5);
        grid.setCellVisible(3, 4, false);
        QCOMPARE(grid.cell(3, 4), 1);
        QVERIFY(!grid.isCellVisible(3, 4));
        QCOMPARE(notes, 5);
    }

    void acnModesHideAndShowTheAcColumnsKeepingValues() {
        Rig rig;
        rig.start();
        rig.button("Save_MAP1")->click();
        QVERIFY(!rig.s().MapChanged);
        // The start-up defaults check AC1-AC3 of XVTR4-XVTR6 while they are hidden.
        rig.item("cmd_UseACC_Yes")->trigger();
        QVERIFY(rig.item("cmd_UseACC_Yes")->isChecked());
        QVERIFY(!rig.item("cmd_UseACC_No")->isChecked());
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 13; c < kOutputs; ++c)
                QVERIFY(rig.w().grid().isCellVisible(r, c));
        QCOMPARE(rig.w().grid().cell(17, 13), 1);
        QCOMPARE(rig.w().grid().cell(19, 15), 1);
        rig.item("cmd_UseACC_No")->trigger();
        QVERIFY(!rig.item("cmd_UseACC_Yes")->isChecked());
        QVERIFY(rig.item("cmd_UseACC_No")->isChecked());
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 13; c < kOutputs; ++c)
                QVERIFY(!rig.w().grid().isCellVisible(r, c));
        QCOMPARE(rig.w().grid().cell(17, 13), 1);
        QCOMPARE(rig.w().grid().cell(18, 14), 1);
        QVERIFY(!rig.s().MapChanged);
        QVERIFY(rig.w().grid().isCellVisible(20, 12)); // the XVTR rows stay
    }

    void displayAndSaveAsAskAndMoveTheCaption() {
        Rig rig;
        rig.start();
        rig.button("Save_MAP2")->click();
        QCOMPARE(rig.visibleCaptions(), QList<int>{1});
        QCOMPARE(rig.s().CurrentMap, 1);
        QCOMPARE(rig.store().count("\r\n"), 1076);
        QVERIFY(rig.boxes.shown.size() == 2); // only the two port boxes of the start-up

        QTest::mouseClick(rig.box(0, 5), Qt::LeftButton);
        rig.boxes.answers = {MsgAnswer::Yes};
        rig.button("Load_MAP1")->click();
        const MessageRequest& prompt = rig.boxes.shown.last();
        QCOMPARE(prompt.text, QStringLiteral("The last Map2 changes have not been saved.  Do you "
                                             "want to save these changes?"));
        QCOMPARE(prompt.title, QStringLiteral("BDX4 Config"));
        QCOMPARE(prompt.buttons, MsgButtons::YesNo);
        QCOMPARE(prompt.defaultButton, MsgAnswer::Yes);
        QCOMPARE(prompt.icon, MsgIcon::None);
        QCOMPARE(rig.visibleCaptions(), QList<int>{0});
        QCOMPARE(rig.w().grid().cell(0, 0), 0);     // map 1 was never stored: all clear
        QCOMPARE(rig.s().BandMapStore[1][0][5], 1); // Yes kept the edit in map 2, in memory
        QVERIFY(!rig.s().MapChanged);

        rig.button("Load_MAP2")->click(); // nothing changed: no question
        QCOMPARE(rig.boxes.shown.size(), 3);
        QCOMPARE(rig.w().grid().cell(0, 5), 1);
        QCOMPARE(rig.visibleCaptions(), QList<int>{1});
    }

    void backgroundClickClearsAndHidesTheStatusBox() {
        Rig rig;
        rig.start();
        rig.w().show();
        QLineEdit* status = rig.w().statusBox();
        status->show();
        status->setText(QStringLiteral("Last Send Passed!"));
        const Twips tw = Twips::of(&rig.w());
        // On a check box: no background click.
        QTest::mouseClick(rig.box(0, 0), Qt::LeftButton);
        QVERIFY(status->isVisibleTo(&rig.w()));
        QWidget* canvas = rig.w().centralWidget();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, tw.point(9300, 7900));
        QVERIFY(status->isHidden());
        QVERIFY(status->text().isEmpty());
        QCOMPARE(status->palette().color(QPalette::Text), QColor(Qt::black));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, tw.point(9300, 7900));
        QVERIFY(status->isHidden());
    }

    void aboutBoxNamesVersionAndProgramPath() {
        const QString folder = QStringLiteral("/opt/my programs/bdx4");
        Rig rig(false, folder);
        rig.w().HelpAboutMenu_Click();
        const MessageRequest& about = rig.boxes.shown.last();
        QCOMPARE(about.title, QStringLiteral("About the BDX4 program..."));
        QCOMPARE(about.buttons, MsgButtons::Ok);
        QCOMPARE(about.icon, MsgIcon::None);
        const QStringList lines = about.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 6);
        QVERIFY(!lines[0].isEmpty());
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines[2], QStringLiteral("Version 2.1.7"));
        QCOMPARE(lines[3], QString());
        QCOMPARE(lines[4], QStringLiteral("Program path = /opt/my programs/bdx4"));
        QCOMPARE(lines[5], QString());                         // the text ends with CR LF
        QVERIFY(!about.text.contains(QStringLiteral("\n\n"))); // every break is CR LF
    }

    void menuBarHasItsTreeInOrder() {
        Rig rig;
        QMenuBar* bar = rig.w().menuBar();
        QCOMPARE(captionsOf(bar->actions()), (QStringList{"&Main", "Use ACn", "Analog1", "Analog2",
                                                          "Analog3", "COMM", "&Help"}));
        const QList<QAction*> top = bar->actions();
        QCOMPARE(captionsOf(top[0]->menu()->actions()),
                 (QStringList{"Test for BDX4", "-", "Write Bandmap to File", "-", "Exit"}));
        QCOMPARE(top[0]->menu()->actions()[1]->objectName(), QStringLiteral("MenuSpace2"));
        QCOMPARE(captionsOf(top[1]->menu()->actions()),
                 (QStringList{"Use AC1 - AC3 for Bandmap", "Use AC1 - AC3 default table"}));
        for (int t = 2; t <= 4; ++t)
            QVERIFY(!top[t]->menu()); // commands on the bar itself
        QStringList comm;
        for (int i = 1; i <= 16; ++i)
            comm << QStringLiteral("COM%1").arg(i);
        comm << "-"
             << "  4800 BAUD"
             << "  9600 BAUD"
             << "19200 BAUD"
             << "38400 BAUD";
        QMenu* commMenu = top[5]->menu();
        QCOMPARE(captionsOf(commMenu->actions()), comm);
        QVERIFY(commMenu->toolTipsVisible());
        for (QAction* a : commMenu->actions())
            QVERIFY(a->isSeparator() || a->isCheckable());
        QCOMPARE(captionsOf(top[6]->menu()->actions()), (QStringList{"Using", "About"}));
        for (QAction* a : top[0]->menu()->actions() + top[6]->menu()->actions())
            QVERIFY(a->shortcut().isEmpty());

        // Each port item tells the device its number reaches; the caption stays.
        QCOMPARE(rig.item("Use_COM_16")->toolTip(), QStringLiteral("/dev/fake16"));
        emit commMenu->aboutToShow();
        QCOMPARE(rig.item("Use_COM_3")->toolTip(), QStringLiteral("/dev/fake3"));
        QCOMPARE(rig.item("Use_COM_3")->text(), QStringLiteral("COM3"));
    }

    void commMenuItemsReachTheLink() {
        Rig rig;
        rig.start();
        rig.item("Use_COM_7")->trigger();
        QCOMPARE(rig.w().link().state().ComPort, 7);
        QVERIFY(rig.item("Use_COM_7")->isChecked());
        QVERIFY(!rig.item("Use_COM_1")->isChecked());
        rig.item("ConfigMenu_RS232_4")->trigger();
        QCOMPARE(rig.w().link().state().BaudRate, QStringLiteral("38400"));
        rig.item("ConfigMenu_RS232_4")->trigger(); // again: the mark stays
        QVERIFY(rig.item("ConfigMenu_RS232_4")->isChecked());
        QVERIFY(!rig.item("ConfigMenu_RS232_1")->isChecked());
    }

    void controlArraysCarryTheirNames() {
        Rig rig;
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c) {
                const QString name =
                    QStringLiteral("%1_%2").arg(QLatin1String(kRowArrayNames[r])).arg(c);
                QCOMPARE(rig.w().findChild<QCheckBox*>(name), rig.box(r, c));
            }
        QVERIFY(rig.w().findChild<QCheckBox*>(QStringLiteral("Check160_0")));
        QVERIFY(rig.w().findChild<QCheckBox*>(QStringLiteral("XVTR7_15")));
        for (int i = 1; i <= 16; ++i)
            QVERIFY(rig.w().findChild<QAction*>(QStringLiteral("Use_COM_%1").arg(i)));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(rig.w().findChild<QAction*>(QStringLiteral("ConfigMenu_RS232_%1").arg(i)));
        for (const char* name : {"Clear_Array", "Defaults", "Load_MAP1", "Load_MAP2", "Load_MAP3",
                                 "Save_MAP1", "Save_MAP2", "Save_MAP3", "Dload_BDX4", "cmd_Quit"})
            QVERIFY2(rig.button(name), name);
        for (const char* name : {"Map1_capt", "Map2_capt", "Map3_capt"})
            QVERIFY(rig.w().findChild<QLabel*>(QLatin1String(name)));
        QVERIFY(rig.w().findChild<QLineEdit*>(QStringLiteral("debug_box")));
        QCOMPARE(rig.button("Dload_BDX4")->toolTip(),
                 QStringLiteral("Write the checkbox arrangement above to the BDX4"));
        QCOMPARE(rig.button("cmd_Quit")->toolTip(), QStringLiteral("Exit this program"));

        VoltageWindow volts(0, rig.w().volts(), rig.boxes, rig.dir.path(), nullptr);
        for (int i = 0; i < kVoltBands; ++i) {
            QVERIFY(volts.findChild<QScrollBar*>(QStringLiteral("BVScroll_%1").arg(i)));
            QVERIFY(volts.findChild<QLineEdit*>(QStringLiteral("BandVolts_%1").arg(i)));
        }
    }

    void windowsHaveTheirClientSizesInTwips() {
        Rig rig;
        const Twips tw = Twips::of(&rig.w());
        QWidget* client = rig.w().centralWidget();
        QCOMPARE(client->size(), tw.size(9630, 8010));
        QCOMPARE(rig.w().minimumSize(), rig.w().maximumSize()); // not resizable
        QCOMPARE(rig.w().minimumHeight(), tw.px(8010) + rig.w().menuBar()->sizeHint().height());
        QCOMPARE(rig.box(0, 0)->geometry().topLeft(), tw.point(1320, 840));
        QCOMPARE(rig.box(14, 15)->geometry().topLeft(), tw.point(1320 + 480 * 15, 4440));
        QCOMPARE(rig.box(13, 2)->geometry().topLeft(), tw.point(2280, 840 + 240 * 13));
        QCOMPARE(rig.button("cmd_Quit")->geometry(), tw.rect(8040, 7440, 1300, 372));
        QCOMPARE(rig.w().statusBox()->geometry(), tw.rect(7920, 6480, 1575, 285));

        HelpWindow help(&rig.w());
        QCOMPARE(help.size(), tw.size(6930, 4935));
        QCOMPARE(help.minimumSize(), help.maximumSize());
        SeekingDialog seeking(&rig.w());
        QCOMPARE(seeking.size(), tw.size(4560, 1005));
        QCOMPARE(seeking.bar()->maximum(), 11);
        VoltageWindow volts(1, rig.w().volts(), rig.boxes, rig.dir.path(), &rig.w());
        QCOMPARE(volts.size(), tw.size(8070, 4965));
        QString result;
        SaveFileDialog save(rig.dir.path(), rig.settings, rig.boxes, result, &rig.w());
        QCOMPARE(save.size(), tw.size(6810, 3615));
    }

    void helpWindowShowsItsSixTextsEachTime() {
        Rig rig;
        rig.start();
        for (int turn = 0; turn < 2; ++turn) {
            whileModal([&] { rig.item("OpenHelpForm")->trigger(); },
                       [&](QWidget* modal) {
                           QCOMPARE(modal->objectName(), QStringLiteral("frmBDX4Help"));
                           QCOMPARE(modal->windowTitle(), QStringLiteral("BDX4 Config Help"));
                           for (int i = 1; i <= 6; ++i) {
                               auto* label = modal->findChild<QLabel*>(
                                   QStringLiteral("lblHelpTextLine%1").arg(i));
                               QVERIFY(label);
                               QCOMPARE(label->text(), HelpWindow::texts()[i - 1]);
                           }
                           modal->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
                           QVERIFY(!modal->isVisible());
                       });
        }
        QVERIFY(HelpWindow::texts()[5].contains(QStringLiteral("information on  how")));
        QVERIFY(HelpWindow::texts()[0].contains(QStringLiteral("menu \"Use ACn\" to")));
    }

    void analogEntriesOpenTheirOwnTable() {
        Rig rig;
        rig.start();
        for (int t = 0; t < 3; ++t) {
            whileModal(
                [&] {
                    rig.item(
                           QStringLiteral("MenuBar_Analog_AN%1").arg(t + 1).toLatin1().constData())
                        ->trigger();
                },
                [&](QWidget* modal) {
                    QCOMPARE(modal->objectName(),
                             QStringLiteral("BDX4_Band_Voltage_AN%1").arg(t + 1));
                    QCOMPARE(modal->windowTitle(),
                             QStringLiteral("Analog Voltage Table AN%1").arg(t + 1));
                });
        }
        // Opening a window read the store the start-up created.
        QVERIFY(QFile::exists(VoltStorePath(rig.dir.path())));
    }

    void exportWritesTheFileNamedInTheDialog() {
        Rig rig;
        rig.start();
        whileModal([&] { rig.item("WriteBandmapToFile")->trigger(); },
                   [&](QWidget* modal) {
                       auto* dialog = qobject_cast<SaveFileDialog*>(modal);
                       QVERIFY(dialog);
                       QCOMPARE(dialog->folderPath(), rig.dir.path());
                       QTest::keyClicks(dialog->nameBox(), QStringLiteral("out"));
                       QTest::keyClick(dialog->nameBox(), Qt::Key_Return);
                   });
        QFile out(rig.dir.filePath(QStringLiteral("out.txt")));
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QByteArray text = out.readAll();
        QCOMPARE(text.count("\r\n"), 8);
        QVERIFY(text.startsWith("\";BD00;BD73;BDE;\"\r\n"));
        QVERIFY(!rig.w().downloader().exportState().WriteToFileMode);
        QVERIFY(rig.line.writes.isEmpty());

        // Closed by its frame, the dialog counts as Cancel: nothing is written.
        out.close();
        QFile::remove(out.fileName());
        whileModal([&] { rig.item("WriteBandmapToFile")->trigger(); },
                   [&](QWidget* modal) {
                       QTest::keyClicks(qobject_cast<SaveFileDialog*>(modal)->nameBox(), "x");
                   });
        QCOMPARE(rig.w().downloader().exportState().SaveFileAsResult, QStringLiteral("Cancel"));
        QVERIFY(!QFile::exists(rig.dir.filePath(QStringLiteral("x.txt"))));
    }

    void downloadButtonRestsWhileADownloadRuns() {
        Rig rig(true);
        rig.start();
        rig.line.onOutput = [&](const QByteArray& text) {
            if (text.endsWith("\r\n")) // every record is acknowledged a little later
                rig.clock.after(50, [&] { rig.line.deliver("G"); });
        };
        int checks = 0;
        rig.clock.after(700, [&] {
            ++checks;
            QVERIFY(rig.w().downloader().downloadRunning());
            QVERIFY(!rig.button("Dload_BDX4")->isEnabled());
            QVERIFY(!rig.item("Test_BDX4")->isEnabled());
            QVERIFY(!rig.item("WriteBandmapToFile")->isEnabled());
            QVERIFY(rig.button("Clear_Array")->isEnabled());
        });
        rig.button("Dload_BDX4")->click();
        QCOMPARE(checks, 1);
        QCOMPARE(rig.w().statusBox()->text(), QStringLiteral("Last Send Passed!"));
        QVERIFY(rig.button("Dload_BDX4")->isEnabled());
        QVERIFY(rig.item("Test_BDX4")->isEnabled());
    }

    void closingAsksOnceStoresAndEnds() {
        Rig rig(true);
        rig.start();
        rig.item("Use_COM_4")->trigger();
        const int before = rig.boxes.shown.size();
        rig.boxes.answers = {MsgAnswer::Yes};
        rig.w().close();
        QCOMPARE(rig.boxes.shown.size(), before + 1);
        QCOMPARE(rig.boxes.shown.last().text, BandMaps::UnsavedChangesText(0));
        QCOMPARE(rig.store().count("\r\n"), 1076); // Yes wrote the defaults as map 1
        QCOMPARE(rig.settings.values.value(QStringLiteral("Options/COM_Port")),
                 QStringLiteral("4"));
        QVERIFY(!rig.line.portOpen());
        QVERIFY(rig.clock.ending());      // every wait now returns at once
        QCOMPARE(rig.endProcessCalls, 0); // from the main loop the program just returns
        QVERIFY(!rig.button("Save_MAP1")->isEnabled());

        rig.w().close(); // a second close asks nothing
        QCOMPARE(rig.boxes.shown.size(), before + 1);
    }

    void closingDuringADownloadSendsNothingMore() {
        Rig rig(true);
        rig.start();
        rig.button("Save_MAP1")->click();
        rig.line.onOutput = [&](const QByteArray& text) {
            if (text.endsWith("\r\n"))
                rig.clock.after(50, [&] { rig.line.deliver("G"); });
        };
        const qsizetype before = rig.line.writes.size(); // the box search's queries
        qsizetype sent = -1, shown = -1;
        rig.clock.after(1000, [&] { // the box is taking the second record
            rig.w().close();
            sent = rig.line.writes.size();
            shown = rig.boxes.shown.size();
        });
        rig.button("Dload_BDX4")->click();
        QCOMPARE(sent - before, 3); // the download command, the HF and the VHF record
        QCOMPARE(rig.line.writes.size(), sent);
        QCOMPARE(rig.boxes.shown.size(), shown); // no failure box after the end
        QCOMPARE(rig.settings.values.value(QStringLiteral("Options/BAUD_Rate")),
                 QStringLiteral("4800"));
        QVERIFY(!rig.line.portOpen());
    }

    void closingFromInsideAWaitEndsTheProcess() {
        Rig rig;
        rig.start();
        QEventLoop outer;
        QTimer::singleShot(0, [&] {
            QEventLoop inner; // a wait or a dialog inside a handler
            QTimer::singleShot(0, [&] {
                rig.w().close();
                inner.quit();
            });
            inner.exec();
            outer.quit();
        });
        outer.exec();
        QCOMPARE(rig.endProcessCalls, 1);
        QVERIFY(rig.clock.ending());
    }
};

QTEST_MAIN(TestUiMainWindow)
#include "tst_ui_mainwindow.moc"
