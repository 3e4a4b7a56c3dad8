// What the desktop program is named after, and that only one copy runs.

#include "SingleInstance.h"

#include <QDir>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void namedAfterTheExecutable() {
        QCOMPARE(applicationNameFor("/usr/bin/bdx4config"), QStringLiteral("bdx4config"));
        QCOMPARE(applicationNameFor("/opt/bdx4-2.1.7"), QStringLiteral("bdx4-2.1"));
        QCOMPARE(applicationNameFor("C:/Program Files/bdx4config.exe"),
                 QStringLiteral("bdx4config"));
    }

    void onlyOneCopyRuns() {
        const QString name = QStringLiteral("bdx4-test-%1").arg(QCoreApplication::applicationPid());
        {
            SingleInstance first(name);
            QVERIFY(first.tryAcquire());
            QVERIFY(first.tryAcquire()); // asking again keeps it
            SingleInstance second(name);
            QVERIFY(!second.tryAcquire());
        }
        // A lock left behind by a copy that is gone is taken over.
        SingleInstance again(name);
        QFile lock(again.lockPath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("2147483646\nbdx4config\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QVERIFY(again.tryAcquire());
    }
};

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
