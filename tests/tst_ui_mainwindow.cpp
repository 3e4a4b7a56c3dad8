#include "store/MapStore.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSerialLine.h"
#include "support/FakeSettingsStore.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBoxes.h"
#include "ui/SaveFileDialog.h"
#include "ui/Twips.h"
#include "ui/VoltageWindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
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
    QByteArray store() const {
        QFile f(dir.filePath(kMapStoreName));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    /// The label captions that are visible, by slot.
    QList<int> visibleCaptions() {
        QList<int> shown;
        for (int m = 0; m < kMaps; ++m)
            if (!window->mapCaption(m)->isHidden())
                shown << m;
        return shown;
    }
    /// The box acknowledges every record a little after it arrived.
    void acknowledgeRecords() {
        line.onOutput = [this](const QByteArray& text) {
            if (text.endsWith("\r\n"))
                clock.after(50, [this] { line.deliver("G"); });
        };
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

    void startUpRunsOnceOnFirstShow() {
        Rig rig(false, QString(),
                {{QStringLiteral("Options/COM_Port"), QStringLiteral("5")},
                 {QStringLiteral("Options/BAUD_Rate"), QStringLiteral("19200")}});
        QCOMPARE(rig.w().windowTitle(),
                 QStringLiteral("Morvane BDX4 Configuration Utility, rev 2.1.7"));
        QVERIFY(rig.item("Use_COM_5")->isChecked() && rig.item("ConfigMenu_RS232_3")->isChecked());
        QVERIFY(rig.visibleCaptions().isEmpty());
        QVERIFY(rig.line.log.isEmpty()); // the port waits for the first activation
        QCOMPARE(rig.store(), QByteArray("<missing>"));

        rig.w().show(); // offscreen windows are not activated: showing starts the program
        QTRY_VERIFY(rig.s().StartupDone);
        QCOMPARE(rig.line.log.count(QStringLiteral("open")), 1);
        QCOMPARE(rig.store(), QByteArray("\"Empty\"\r\n"));
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
            QVERIFY(!rig.box(0, 0)->isEnabled() && !rig.box(20, 15)->isEnabled());
            for (const char* name :
                 {"Clear_Array", "Defaults", "Load_MAP1", "Save_MAP1", "Save_MAP3", "Dload_BDX4"})
                QVERIFY2(!rig.button(name)->isEnabled(), name);
            for (const char* name : {"Test_BDX4", "WriteBandmapToFile", "MenuBar_Use_ACn",
                                     "MenuBar_Analog_AN1", "COMM_Port", "HelpMenu"})
                QVERIFY2(!rig.item(name)->isEnabled(), name);
            QVERIFY(rig.button("cmd_Quit")->isEnabled() && rig.item("comExit")->isEnabled());
        });
        rig.start();
        QCOMPARE(checks, 1);
        QVERIFY(rig.s().StartupDone);
        QVERIFY(rig.box(0, 0)->isEnabled());
        QVERIFY(rig.button("Save_MAP1")->isEnabled());
        QVERIFY(rig.item("Test_BDX4")->isEnabled() && rig.item("COMM_Port")->isEnabled());
        QCOMPARE(rig.boxes.shown.last().title, QStringLiteral("Error connecting to a BDX4"));
    }

    void clickOnAnyBoxSetsMapChanged() {
        Rig rig;
        rig.w().show();
        QTRY_VERIFY(rig.s().StartupDone);
        rig.item("cmd_UseACC_Yes")->trigger();
        for (int row = 0; row < kBandRows; ++row)
            for (int output = 0; output < kOutputs; ++output) {
                rig.s().MapChanged = false;
                const int before = rig.w().grid().cell(row, output);
                QTest::mouseClick(rig.box(row, output), Qt::LeftButton);
                QCOMPARE(rig.w().grid().cell(row, output), 1 - before);
                QVERIFY2(rig.s().MapChanged,
                         qPrintable(QStringLiteral("%1/%2").arg(row).arg(output)));
            }
    }

    void gridNotifiesRealChangesAndClicksNeverGray() {
        Rig rig;
        CheckGrid& grid = rig.w().grid();
        int notes = 0;
        grid.setChangedHandler([&](int, int) { ++notes; });
        grid.setCell(3, 4, 2); // a stored value beyond 1 shows grayed
        grid.setCell(3, 4, 2);
        grid.setCellVisible(3, 4, false);
        QCOMPARE(notes, 1);
        QCOMPARE(rig.box(3, 4)->checkState(), Qt::PartiallyChecked);
        grid.setCellVisible(3, 4, true);
        rig.box(3, 4)->setEnabled(true);
        for (const int expected : {1, 0, 1}) {
            rig.box(3, 4)->click();
            QCOMPARE(grid.cell(3, 4), expected);
        }
        QCOMPARE(notes, 4);
    }

    void acnModesHideAndShowTheAcColumnsKeepingValues() {
        Rig rig;
        rig.start();
        rig.button("Save_MAP1")->click();
        // The start-up defaults check AC1-AC3 of XVTR4-XVTR6 while they are hidden.
        for (const bool use : {true, false}) {
            rig.item(use ? "cmd_UseACC_Yes" : "cmd_UseACC_No")->trigger();
            QCOMPARE(rig.item("cmd_UseACC_Yes")->isChecked(), use);
            QCOMPARE(rig.item("cmd_UseACC_No")->isChecked(), !use);
            for (int r = 0; r < kBandRows; ++r)
                for (int c = kAC1; c < kOutputs; ++c)
                    QCOMPARE(rig.w().grid().isCellVisible(r, c), use);
            QVERIFY(rig.w().grid().isCellVisible(20, kAC1 - 1));
            QCOMPARE(rig.w().grid().cell(17, kAC1), 1);
            QCOMPARE(rig.w().grid().cell(19, kAC1 + 2), 1);
            QVERIFY(!rig.s().MapChanged);
        }
    }

    void displayAndSaveAsAskAndMoveTheCaption() {
        Rig rig;
        rig.start();
        rig.button("Save_MAP2")->click();
        QCOMPARE(rig.visibleCaptions(), QList<int>{1});
        QCOMPARE(rig.store().count('\n'), 1076);
        QCOMPARE(rig.boxes.shown.size(), 2); // only the two port boxes of the start-up

        QTest::mouseClick(rig.box(0, 5), Qt::LeftButton);
        rig.boxes.answers = {MsgAnswer::Yes};
        rig.button("Load_MAP1")->click();
        QCOMPARE(rig.boxes.shown.last().text, BandMaps::UnsavedChangesText(1));
        QCOMPARE(rig.visibleCaptions(), QList<int>{0});
        QCOMPARE(rig.w().grid().cell(0, 0), 0); // map 1 was never stored: all clear
        rig.button("Load_MAP2")->click();       // nothing changed: no question
        QCOMPARE(rig.boxes.shown.size(), 3);
        QCOMPARE(rig.w().grid().cell(0, 5), 1); // Yes kept the edit in map 2
        QCOMPARE(rig.visibleCaptions(), QList<int>{1});
    }

    void backgroundClickClearsAndHidesTheStatusBox() {
        Rig rig;
        rig.start();
        rig.w().show();
        QLineEdit* status = rig.w().statusBox();
        status->show();
        status->setText(QStringLiteral("Last Send Passed!"));
        QTest::mouseClick(rig.box(0, 0), Qt::LeftButton); // on a check box: not the background
        QVERIFY(status->isVisibleTo(&rig.w()));
        for (int turn = 0; turn < 2; ++turn) {
            QTest::mouseClick(rig.w().centralWidget(), Qt::LeftButton, {},
                              Twips::of(&rig.w()).point(9300, 7900));
            QVERIFY(status->isHidden() && status->text().isEmpty());
            QCOMPARE(status->palette().color(QPalette::Text), QColor(Qt::black));
        }
    }

    void aboutBoxNamesVersionAndProgramPath() {
        Rig rig(false, QStringLiteral("/opt/my programs/bdx4"));
        rig.item("HelpAboutMenu")->trigger();
        const MessageRequest& about = rig.boxes.shown.last();
        QCOMPARE(about.title, QStringLiteral("About the BDX4 program..."));
        QCOMPARE(about.buttons, MsgButtons::Ok);
        QCOMPARE(about.icon, MsgIcon::None);
        const QStringList lines = about.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(1), (QStringList{"", "Version 2.1.7", "",
                                            "Program path = /opt/my programs/bdx4", ""}));
        QVERIFY(!lines[0].isEmpty());
        QCOMPARE(about.text.count('\n'), 5); // every break is CR LF
    }

    void commMenuListsPortsThenRatesAndReachesTheLink() {
        Rig rig;
        rig.start();
        QMenu* comm = rig.item("COMM_Port")->menu();
        QStringList captions;
        for (int i = 1; i <= 16; ++i)
            captions << QStringLiteral("COM%1").arg(i);
        captions << "-" << QStringLiteral("  4800 BAUD") << QStringLiteral("  9600 BAUD")
                 << QStringLiteral("19200 BAUD") << QStringLiteral("38400 BAUD");
        QCOMPARE(captionsOf(comm->actions()), captions);
        // Each port item tells the device its number reaches; the caption stays.
        emit comm->aboutToShow();
        QCOMPARE(rig.item("Use_COM_3")->toolTip(), QStringLiteral("/dev/fake3"));
        QCOMPARE(rig.item("Use_COM_3")->text(), QStringLiteral("COM3"));

        rig.item("Use_COM_7")->trigger();
        QCOMPARE(rig.w().link().state().ComPort, 7);
        QVERIFY(rig.item("Use_COM_7")->isChecked() && !rig.item("Use_COM_1")->isChecked());
        rig.item("ConfigMenu_RS232_4")->trigger();
        rig.item("ConfigMenu_RS232_4")->trigger(); // again: the mark stays
        QCOMPARE(rig.w().link().state().BaudRate, QStringLiteral("38400"));
        QVERIFY(rig.item("ConfigMenu_RS232_4")->isChecked());
        QVERIFY(!rig.item("ConfigMenu_RS232_1")->isChecked());
    }

    void mainWindowKeepsItsSizeInTwips() {
        Rig rig;
        const Twips tw = Twips::of(&rig.w());
        QCOMPARE(rig.w().centralWidget()->size(), tw.size(9630, 8010));
        QCOMPARE(rig.w().minimumSize(), rig.w().maximumSize()); // not resizable
        QCOMPARE(rig.w().minimumHeight(), tw.px(8010) + rig.w().menuBar()->sizeHint().height());
        QCOMPARE(rig.box(13, 2)->geometry().topLeft(), tw.point(2280, 840 + 240 * 13));
        QCOMPARE(rig.box(14, 15)->geometry().topLeft(), tw.point(1320 + 480 * 15, 4440));
    }

    void helpAndVoltageWindowsOpenModally() {
        Rig rig;
        rig.start();
        for (int turn = 0; turn < 2; ++turn) // shown afresh each time
            whileModal([&] { rig.item("OpenHelpForm")->trigger(); },
                       [&](QWidget* modal) {
                           QCOMPARE(modal->findChild<QLabel*>("lblHelpTextLine6")->text(),
                                    HelpWindow::texts()[5]);
                           modal->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
                           QVERIFY(!modal->isVisible());
                       });
        for (const int t : {1, 2, 3})
            whileModal(
                [&] {
                    rig.item(qPrintable(QStringLiteral("MenuBar_Analog_AN%1").arg(t)))->trigger();
                },
                [&](QWidget* modal) {
                    QCOMPARE(modal->windowTitle(),
                             QStringLiteral("Analog Voltage Table AN%1").arg(t));
                });
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
        QVERIFY(rig.line.writes.isEmpty());
    }

    void downloadButtonRestsWhileADownloadRuns() {
        Rig rig(true);
        rig.start();
        rig.acknowledgeRecords();
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
        QVERIFY(rig.button("Dload_BDX4")->isEnabled() && rig.item("Test_BDX4")->isEnabled());
    }

    void closingAsksOnceStoresAndEnds() {
        Rig rig(true);
        rig.start();
        rig.item("Use_COM_4")->trigger();
        const qsizetype before = rig.boxes.shown.size();
        rig.boxes.answers = {MsgAnswer::Yes};
        rig.button("cmd_Quit")->click();
        QCOMPARE(rig.boxes.shown.size(), before + 1);
        QCOMPARE(rig.boxes.shown.last().text, BandMaps::UnsavedChangesText(0));
        QCOMPARE(rig.store().count('\n'), 1076); // Yes wrote the defaults as map 1
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
        rig.acknowledgeRecords();
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
        QVERIFY(!rig.line.portOpen());
    }

    void keyboardReachesEveryBoxAndButton() {
        Rig rig(true);
        rig.start();
        rig.w().show();
        QApplication::setActiveWindow(&rig.w());
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
        // The hidden AC columns are passed over; shown, they are reached.
        press(rig.box(2, 12), Qt::Key_Right);
        QVERIFY(rig.box(2, 12)->hasFocus());
        rig.item("cmd_UseACC_Yes")->trigger();
        press(rig.box(2, 12), Qt::Key_Right);
        QVERIFY(rig.box(2, 13)->hasFocus());

        // Enter and Space press the focused button.
        press(rig.button("Save_MAP2"), Qt::Key_Return);
        QCOMPARE(rig.visibleCaptions(), QList<int>{1});
        QVERIFY(rig.store().contains("#TRUE#"));
        press(rig.button("Load_MAP3"), Qt::Key_Space);
        QCOMPARE(rig.visibleCaptions(), QList<int>{2});
    }

    void windowsStayLightUnderADarkTheme() {
        // A dark desktop theme, as a platform theme hands it to the program.
        const QPalette desktop = QApplication::palette();
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(42, 42, 42));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
        Rig rig(true);
        VoltageWindow an2(1, rig.w().volts(), rig.boxes, rig.dir.path(), &rig.w());
        VoltageHelpWindow an2Help(1, &an2);
        HelpWindow help(&rig.w());
        // Every part draws dark text on light boxes and buttons; captions keep their colours,
        // which are dark enough (red and navy) or light backgrounds (the tables' colours).
        QStringList wrong;
        for (QWidget* window : std::initializer_list<QWidget*>{&rig.w(), &an2, &an2Help, &help}) {
            QList<QWidget*> parts = window->findChildren<QWidget*>();
            parts << window;
            for (const QWidget* part : parts) {
                const QPalette& p = part->palette();
                const bool light = p.color(QPalette::Base).lightness() > 200 &&
                                   p.color(QPalette::Button).lightness() > 200 &&
                                   p.color(QPalette::Window).lightness() > 120;
                const bool darkText = p.color(QPalette::Text).lightness() < 130 &&
                                      p.color(QPalette::ButtonText).lightness() < 130 &&
                                      p.color(QPalette::WindowText).lightness() < 130;
                if (!light || !darkText)
                    wrong << QStringLiteral("%1 %2 in %3")
                                 .arg(QLatin1String(part->metaObject()->className()),
                                      part->objectName(), window->objectName());
            }
        }
        QApplication::setPalette(desktop);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    }

    void questionsWaitForAnAnswer_data() {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Y") << false << int(Qt::Key_Y) << int(MsgAnswer::Yes);
        QTest::newRow("N") << false << int(Qt::Key_N) << int(MsgAnswer::No);
        QTest::newRow("Enter: the preselected Yes")
            << false << int(Qt::Key_Return) << int(MsgAnswer::Yes);
        QTest::newRow("with Cancel, Escape cancels")
            << true << int(Qt::Key_Escape) << int(MsgAnswer::Cancel);
    }
    void questionsWaitForAnAnswer() {
        QFETCH(bool, withCancel);
        QFETCH(int, key);
        QFETCH(int, answer);
        QtMessageBoxes boxes;
        MessageRequest question;
        question.text = BandMaps::UnsavedChangesText(0);
        question.buttons = withCancel ? MsgButtons::YesNoCancel : MsgButtons::YesNo;
        question.defaultButton = MsgAnswer::Yes;
        bool stayedOpen = true;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            if (!withCancel) { // neither Escape nor the frame's close box answers it
                QTest::keyClick(box, Qt::Key_Escape);
                box->close();
                stayedOpen = box->isVisible() && QApplication::activeModalWidget() == box;
            }
            QTest::keyClick(box, Qt::Key(key));
        });
        QCOMPARE(int(boxes.show(question)), answer);
        QVERIFY(stayedOpen);
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
