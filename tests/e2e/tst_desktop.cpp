// bdx4config's main window on the real serial line: bdx4-sim over a pseudo-terminal through
// QSerialPort, on the real clock, with a box that is plugged in after the start.

#include "SimProcess.h"

#include "io/Clock.h"
#include "io/QtSerialLine.h"
#include "support/Boxes.h"
#include "support/Fakes.h"
#include "ui/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace bdx4;
using namespace bdx4::simrig;

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void writeOpensThePortOfABoxPluggedInLate() {
        BoxFolder folder;
        QTemporaryDir dir;
        test::FakeSettings settings;
        settings.setValue(kPortsSection, "COM1", folder.linkPath());
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
        for (QPushButton* button : window.findChildren<QPushButton*>())
            if (button->text() == "Write To BDX4")
                button->click();
        QTRY_COMPARE_WITH_TIMEOUT(window.statusBox()->text(), QStringLiteral("Last Send Passed!"),
                                  8000);
        QVERIFY(boxes.shown.isEmpty() && state->text() == "open");
        QCOMPARE(readReport(folder.reportPath())["acknowledged"].toInt(), 7);
        boxes.keys = {Qt::Key_N};
        window.close();
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
