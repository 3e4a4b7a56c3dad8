// bdx4config's main window on the real serial line: bdx4-sim over a pseudo-terminal through
// QSerialPort, on the real clock, with a box that is plugged in or goes away while it runs.

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
    void writeOpensThePortOfABoxPluggedInLate_data() {
        QTest::addColumn<QStringList>("box");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("said"); // in the message box, if one shows
        QTest::newRow("a box that answers") << QStringList() << "Last Send Passed!"
                                            << "";
        QTest::newRow("switched off at the accessory record")
            << QStringList{"--hangup-after", "2"} << "Last Send Failed!"
            << "Download failed in section Accessory Data\n\nThe serial line on COM1 (%1) was "
               "lost (the serial device went away: unplugged or switched off).";
    }
    void writeOpensThePortOfABoxPluggedInLate() {
        QFETCH(QStringList, box);
        QFETCH(QString, status);
        QFETCH(QString, said);
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
        const auto shown = [&window] {
            return window.statusBar()->findChildren<QLabel*>().last()->text();
        };
        QCOMPARE(shown(), QStringLiteral("not open"));
        SimProcess sim;
        QVERIFY(folder.startBox(sim, box));
        boxes.shown.clear();
        window.findChild<QPushButton*>()->setFocus(); // keeps the window's keys where they are
        for (QPushButton* button : window.findChildren<QPushButton*>())
            if (button->text() == "Write To BDX4")
                button->click();
        QTRY_COMPARE_WITH_TIMEOUT(window.statusBox()->text(), status, 8000);
        QCOMPARE(boxes.shown.isEmpty() ? QString() : boxes.shown.last().text,
                 QString(said).arg(folder.linkPath()));
        QCOMPARE(shown(), said.isEmpty() ? QStringLiteral("open") : QStringLiteral("lost"));
        if (said.isEmpty())
            QCOMPARE(readReport(folder.reportPath())["acknowledged"].toInt(), 7);
        boxes.keys = {Qt::Key_N};
        window.close();
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
