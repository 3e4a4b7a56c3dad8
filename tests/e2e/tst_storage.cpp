// A disk that fills during a save: the earlier file survives byte for byte, no partial file is
// left beside it, and the failure is reported rather than ending the program.

#include "io/ExportFile.h"
#include "io/MapStore.h"
#include "io/VoltageStore.h"
#include "support/Fakes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace bdx4;

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void diskFillsDuringASave() {
        // A whole map store is 3,222 bytes, a voltage store 100, an export 610.
        const QList<std::pair<QString, rlim_t>> cases = {
            {"map", 0}, {"map", 1}, {"map", 100}, {"map", 3000}, {"voltage", 40}, {"export", 100}};
        for (const auto& [store, limit] : cases) {
            QTemporaryDir dir;
            const QString path = dir.filePath("file");
            QVERIFY(!writeFileWhole(path, "the earlier file"));
            const pid_t child = ::fork(); // its files may grow to `limit` bytes
            if (child == 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit fileSize{limit, limit};
                ::setrlimit(RLIMIT_FSIZE, &fileSize);
                const IoResult failure =
                    store == "map" ? writeMapStore(path, MapStoreContent())
                    : store == "voltage"
                        ? writeVoltageStore(path, VoltageTables())
                        : exportConfiguration(path, ConfigImage::of(BandMaps(), {}));
                ::_exit(failure ? 1 : 0);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 1, qPrintable(store)); // failed
            QCOMPARE(test::readFile(path), QByteArray("the earlier file"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"file"});
        }
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
