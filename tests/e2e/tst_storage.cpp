// A disk that fills during a save: the earlier file survives byte for byte, no partial file is
// left beside it, and the failure is reported rather than ending the program.

#include "io/MapStore.h"
#include "io/VoltageStore.h"
#include "jobs/Export.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace bdx4;

namespace {

/// Runs `save` in a child process whose files may grow to `limit` bytes; its outcome.
bool savesUnderLimit(rlim_t limit, const std::function<IoResult()>& save) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        ::_exit(save() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void diskFillsDuringASave_data() {
        QTest::addColumn<QString>("store");
        QTest::addColumn<int>("limit");
        for (const int limit : {0, 1, 100, 3000}) // a whole map store is 3,222 bytes
            QTest::addRow("map store, %d bytes", limit) << "map" << limit;
        QTest::addRow("export, 100 bytes") << "export" << 100;
        QTest::addRow("voltage store, 40 bytes") << "voltage" << 40;
    }
    void diskFillsDuringASave() {
        QFETCH(QString, store);
        QFETCH(int, limit);
        QTemporaryDir dir;
        const QString path = dir.filePath("file");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("the earlier file") && old.flush());
        old.close();
        const bool saved = savesUnderLimit(rlim_t(limit), [&]() -> IoResult {
            if (store == "map")
                return writeMapStore(path, MapStoreContent());
            if (store == "voltage")
                return writeVoltageStore(path, VoltageTables());
            return exportConfiguration(path, ConfigImage::of(BandMaps(), VoltageTables()));
        });
        QVERIFY(!saved);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the earlier file"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"file"});
    }

    void aSizeLimitEndsNoProgram() {
        QTemporaryDir dir;
        QProcess ctl;
        ctl.setChildProcessModifier([] {
            const rlimit fileSize{200, 200}; // SIGXFSZ left at its default, which would kill
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
        });
        ctl.start(QStringLiteral(BDX4CTL_PATH),
                  {"export", "--store", dir.path(), dir.filePath("out.txt")});
        QVERIFY(ctl.waitForFinished(10000));
        QCOMPARE(ctl.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ctl.exitCode(), 1);
        QVERIFY(ctl.readAllStandardError().contains("could not be written"));
        QVERIFY(!QFileInfo::exists(dir.filePath("out.txt")));
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
