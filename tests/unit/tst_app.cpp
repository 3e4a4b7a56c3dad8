// What the desktop program is named after, and that only one copy runs.

#include "SingleInstance.h"

#include <QtTest>

using namespace bdx4;

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void namedAfterTheExecutable() {
        QCOMPARE(applicationNameFor("/usr/bin/bdx4config"), QStringLiteral("bdx4config"));
        QCOMPARE(applicationNameFor("/opt/bdx4-2.1.7"), QStringLiteral("bdx4-2.1"));
        QCOMPARE(applicationNameFor("C:/Program Files/bdx4config.exe"),
                 QStringLiteral("bdx4config"));
    }

    void onlyOneCopyRuns() {
        const QString name = QStringLiteral("bdx4-test-%1").arg(QCoreApplication::applicationPid());
        {
            SingleInstance first(name), second(name);
            QVERIFY(first.tryAcquire() && first.tryAcquire()); // asking again keeps it
            QVERIFY(!second.tryAcquire());
        }
        SingleInstance again(name); // the first copy has ended
        QVERIFY(again.tryAcquire());
    }
};

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
