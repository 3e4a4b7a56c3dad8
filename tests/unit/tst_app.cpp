// What the desktop program is named after.

#include "AppName.h"

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
};

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
