// bdx4ctl as a user runs it: against its stores, and against bdx4-sim over a real
// pseudo-terminal, on the real clock.

#include "SimProcess.h"

#include "io/MapStore.h"
#include "io/VoltageStore.h"
#include "jobs/Export.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace bdx4;
using namespace bdx4::simrig;

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// Three maps that differ: map 2 has 160M -> "160", 20M -> "20" and AC1 on 60M; one cell grayed.
MapStoreContent patternMaps() {
    MapStoreContent content;
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            content.maps[m][r][(r + 5 * m) % kOutputs] = 1;
    content.maps[1] = {};
    content.maps[1][0][0] = content.maps[1][5][5] = content.maps[1][2][kAC1] = 1;
    content.maps[2][20][kAC3] = 2;
    content.accForBandMap = true;
    return content;
}

VoltageTables defaultVolts() {
    VoltageTables volts;
    for (int t = 0; t < kVoltageTables; ++t)
        for (int b = 0; b < kVoltageBands; ++b)
            volts.setValue(t, b, VoltageTables::defaultLevels(t)[b]);
    return volts;
}

} // namespace

class TestCtl : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<BoxFolder>();
        home_ = std::make_unique<QTemporaryDir>();
        stores_ = dir_->linkPath() + QStringLiteral("-stores");
        QVERIFY(QDir().mkpath(stores_));
        QVERIFY(!writeMapStore(mapStorePath(stores_), patternMaps()));
        QVERIFY(!writeVoltageStore(voltageStorePath(stores_), defaultVolts()));
    }

    void writeSendsTheStoresAndTracesThem() {
        SimProcess box;
        QVERIFY(dir_->startBox(box, {}));
        const QString trace = home_->filePath("trace.txt");
        const QStringList arguments{"write", "--port", dir_->linkPath(), "--baud", "9600",
                                    "--map", "2",      "--store",        stores_,  "--trace",
                                    trace};
        const Result r = ctl(arguments);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts),
                 (QStringList{"HF Data", "VHF Data", "Acc Data", "AN1 Data", "AN2 Data", "AN3 Data",
                              "Closing", "Last Send Passed!"}));
        QVERIFY(r.err.contains(QStringLiteral("%1 at 9600 baud").arg(dir_->linkPath())));
        QVERIFY(r.ms >= 2700);

        // The box got what an export of the same map holds: map 2's worked HF record.
        const QString file = home_->filePath("export.txt");
        QCOMPARE(ctl({"export", "--map", "2", "--store", stores_, file}).exitCode, 0);
        BandMaps maps;
        maps.setStoredMaps(patternMaps().maps);
        maps.setAccOutputsForBandMap(true);
        maps.display(1);
        const ConfigImage image = ConfigImage::of(maps, defaultVolts());
        QCOMPARE(readAll(file), exportText(image));
        QVERIFY(image.record(Section::Hf).startsWith(":2000400000000100000000000000000200"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir_->reportPath()), 3000);
        const QJsonObject report = readReport(dir_->reportPath());
        QStringList lines;
        for (const QByteArray& line : image.lines())
            lines << QString::fromLatin1(line);
        QCOMPARE(report["lines"].toVariant().toStringList(), lines);
        QCOMPARE(report["acknowledged"].toInt(), 7);

        // The trace: the command line, then every record sent and each "G" after it.
        const QStringList traced =
            QString::fromUtf8(readAll(trace)).split('\n', Qt::SkipEmptyParts);
        QVERIFY(traced.value(0).startsWith("# ") && traced.value(0).endsWith(arguments.join(' ')));
        QStringList flow;
        for (const QString& line : traced) {
            const QStringList fields = line.simplified().split(' ');
            const qsizetype open = line.indexOf('"');
            if (fields.value(1) == "TX" || fields.value(1) == "RX")
                flow << fields[1] + ' ' + line.mid(open + 1, line.lastIndexOf('"') - open - 1);
            else if (fields.value(1) == "--")
                flow << fields.mid(2).join(' ');
        }
        QStringList expected{"opening the port",
                             QStringLiteral("opened %1 at 9600,n,8,1").arg(dir_->linkPath()),
                             "download", "TX " + lines[0]};
        for (qsizetype i = 1; i < lines.size(); ++i)
            expected << "TX " + lines[i] + "\\r\\n"
                     << "RX G";
        expected << QStringLiteral("closed %1").arg(dir_->linkPath());
        QCOMPARE(flow, expected);
    }

    void interruptStopsAWriteWithTheEndRecord() {
        SimProcess box;
        QVERIFY(dir_->startBox(box, {}));
        const Result r =
            ctl({"write", "--port", dir_->linkPath(), "--store", stores_}, [](QProcess& process) {
                QTest::qWait(1100);
                ::kill(pid_t(process.processId()), SIGINT);
            });
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.endsWith("Last Send Failed!\n"));
        QVERIFY2(r.err.contains("Download cancelled in section"), qPrintable(r.err));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir_->reportPath()), 3000);
        const QStringList lines =
            readReport(dir_->reportPath())["lines"].toVariant().toStringList();
        QVERIFY(lines.size() < 8);
        QCOMPARE(lines.last(), QStringLiteral(":00000001FF"));
    }

    void queryUsesTheDesktopSettings() {
        SimProcess box;
        QVERIFY(dir_->startBox(box, {"--firmware", "3.42"}));
        const QString settings = home_->filePath("config/bdx4config/bdx4config.ini");
        const QByteArray text = "[Options]\nCOM_Port=3\nBAUD_Rate=19200\n\n[Ports]\nCOM3=" +
                                dir_->linkPath().toLocal8Bit() + "\n";
        QVERIFY(QDir().mkpath(QFileInfo(settings).path()) && writeFile(settings, text));
        const Result r = ctl({"query", "--port", "3"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out, QStringLiteral("BDX4 Connected: BDX4 Firmware = 3.42\n"));
        QVERIFY(r.err.contains(QStringLiteral("COM3 (%1) at 19200 baud").arg(dir_->linkPath())));
        QCOMPARE(readAll(settings), text); // nothing written back
    }

    void silentBoxIsNotFound() {
        SimProcess box;
        QVERIFY(dir_->startBox(box, {"--silent"}));
        const QString trace = home_->filePath("trace.txt");
        const Result r = ctl({"query", "--port", dir_->linkPath(), "--trace", trace});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.contains("Error connecting to a BDX4: No BDX4 found.  Please check"));
        QVERIFY2(r.ms >= 4200, qPrintable(QString::number(r.ms)));
        QCOMPARE(readAll(trace).count("\";BD00;BD73;BDV;\""), 12);
    }

    void portOrStoreFailures_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("saying");
        QTest::newRow("missing device") << QStringList{"query", "--port", "@/nothing"} << 1
                                        << QStringList{"Error Opening COM1: ", "does not exist"};
        QTest::newRow("unreadable store, write")
            << QStringList{"write", "--port", "1", "--store", "@"} << 1
            << QStringList{"nothing was sent to the box"};
        QTest::newRow("unreadable store, export") << QStringList{"export", "--store", "@", "@/x"}
                                                  << 1 << QStringList{"nothing was written"};
        QTest::newRow("unreadable store, show") << QStringList{"show", "--store", "@"} << 1
                                                << QStringList{"cannot be opened: it is a folder"};
        QTest::newRow("a wrong line") << QStringList{"show", "--port", "1"} << 2
                                      << QStringList{"bdx4ctl: show takes no option \"--port\""};
    }
    void portOrStoreFailures() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, saying);
        const QString folder = home_->filePath("bad");
        QVERIFY(QDir().mkpath(mapStorePath(folder))); // a folder where the map store should be
        for (QString& argument : arguments)
            argument.replace('@', folder);
        const Result r = ctl(arguments);
        QCOMPARE(r.exitCode, exitCode);
        for (const QString& words : saying)
            QVERIFY2(r.err.contains(words), qPrintable(r.err));
        QVERIFY(!r.err.contains("COMM menu")); // the command line names its own options
        QVERIFY(r.ms < 3000);
    }

    void showTellsOfMissingStores() {
        const Result r = ctl({"show", "--store", home_->path()});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.contains("there is no " + mapStorePath(home_->path())));
        QVERIFY(r.err.contains("every band voltage is 0"));
        QVERIFY(r.out.contains("\nXVTR4    .   .   .   .   .   .   .   .   .   .   .   .   .   x"));
    }

private:
    Result ctl(const QStringList& arguments, const std::function<void(QProcess&)>& during = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home_->path());
        env.insert("XDG_CONFIG_HOME", home_->filePath("config"));
        env.insert("XDG_DATA_HOME", home_->filePath("data"));
        process.setProcessEnvironment(env);
        QElapsedTimer took;
        took.start();
        process.start(QStringLiteral(BDX4CTL_PATH), arguments);
        if (during && process.waitForStarted())
            during(process);
        process.waitForFinished(30000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError()), took.elapsed()};
    }

    std::unique_ptr<BoxFolder> dir_;
    std::unique_ptr<QTemporaryDir> home_;
    QString stores_;
};

QTEST_GUILESS_MAIN(TestCtl)
#include "tst_ctl.moc"
