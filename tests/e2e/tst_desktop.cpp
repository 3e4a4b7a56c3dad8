// bdx4config's main window against bdx4-sim over a pseudo-terminal, on the real clock, a box
// plugged in after the start and chosen in Choose Adapter...; one copy per store folder.

#include "SimProcess.h"

#include "io/Clock.h"
#include "io/QtSerialLine.h"
#include "support/Boxes.h"
#include "support/Fakes.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace bdx4;
using namespace bdx4::simrig;

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void writeOpensThePortOfABoxPluggedInLateAndChosen() {
        BoxFolder folder;
        QTemporaryDir dir;
        test::FakeSettings settings; // COM1 on no device until the box's is chosen
        settings.setValue(kPortsSection, "COM1", dir.filePath("no-adapter"));
        QtSerialLine line(settings);
        SystemClock clock;
        StorePlaces places;
        places.programFolder = dir.path();
        test::BoxAnswerer boxes;
        MainWindow window(settings, line, clock, places);
        window.show();
        QTRY_VERIFY(window.isReady()); // no box yet: the port did not open
        QLabel* state = window.statusBar()->findChildren<QLabel*>().last();
        QCOMPARE(state->text(), QStringLiteral("not open"));
        SimProcess sim;
        QVERIFY(folder.startBox(sim, {}));
        boxes.shown.clear();
        boxes.onDialog = [&folder](QWidget* chooser) { // its pseudo-terminal, typed
            QTest::keyClicks(chooser->findChild<QLineEdit*>(), folder.linkPath() + '\r');
        };
        test::find<QAction>(&window, "Choose Adapter...")->trigger();
        test::find<QPushButton>(&window, "Write To BDX4")->click();
        QTRY_COMPARE_WITH_TIMEOUT(window.statusBox()->text(), QStringLiteral("Last Send Passed!"),
                                  8000);
        QVERIFY(boxes.shown.isEmpty() && state->text() == "open");
        QCOMPARE(readReport(folder.reportPath())["acknowledged"].toInt(), 7);
        boxes.keys = {Qt::Key_N};
        window.close();
    }

    void oneCopyPerStoreFolder() {
        // Two names in one folder share the stores: the second finds their lock held and ends.
        QTemporaryDir dir, home;
        const QString first = dir.filePath("bdx4config"), second = dir.filePath("bdx4-other");
        QVERIFY(QFile::copy(BDX4CONFIG_PATH, first) && QFile::copy(BDX4CONFIG_PATH, second));
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            qputenv(name, QFile::encodeName(home.filePath(name)));
        qputenv("BDX4_UNATTENDED", "1"); // its boxes logged, not shown
        QProcess running, again;
        running.start(first, {});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath("bdx4_cfg.ini")), 10000);
        again.start(second, {});
        QVERIFY(again.waitForFinished(5000) && again.exitCode() == 0);
        running.kill();
        QVERIFY(running.waitForFinished() && QFile::remove(dir.filePath("bdx4-stores.lock")));
        QVERIFY(QDir(dir.path()).mkdir("bdx4-stores.lock")); // a folder in the lock's place
        again.start(second, {});
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT(
            (said += again.readAllStandardError())
                .contains("bdx4-stores.lock cannot be created: is a directory."),
            10000);
        again.kill();
        again.waitForFinished();
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
