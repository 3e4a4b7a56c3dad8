// The jobs on the real serial line: bdx4-sim on a pseudo-terminal, QSerialPort and the real
// clock. One row for each kind of fault of the box or the line; the timing variations belong to
// the fake-clock tests.

#include "SimProcess.h"

#include "io/QtSerialLine.h"
#include "jobs/BoxSearch.h"
#include "jobs/DownloadJob.h"
#include "support/Fakes.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace bdx4;
using namespace bdx4::simrig;

Q_DECLARE_METATYPE(SearchResult)
Q_DECLARE_METATYPE(DownloadResult)

namespace {

/// The program's side: port COM1 is the box's link, at 9600 baud.
struct Program {
    test::FakeSettings settings;
    QtSerialLine line{settings};
    SystemClock clock;
    BoxConnection connection{line};
    BoxSearch search{connection, clock};
    DownloadJob download{connection, clock};
    int firmwareReports = 0;

    explicit Program(const QString& device) {
        settings.values.insert(QStringLiteral("Ports/COM1"), device);
        connection.setStartPort(1);
        connection.setSpeed(QStringLiteral("9600"));
        QObject::connect(&search, &BoxSearch::firmwareReported, &search, [this] {
            ++firmwareReports;
            search.acknowledgeFirmware();
        });
    }
    SearchResult lookForTheBox() {
        QSignalSpy finished(&search, &BoxSearch::finished);
        search.start();
        return finished.wait(8000) ? finished.first().first().value<SearchResult>()
                                   : SearchResult{SearchResult::Cancelled, {}, "no end"};
    }
    DownloadResult write(const ConfigImage& image) {
        QSignalSpy finished(&download, &DownloadJob::finished);
        download.start(image);
        return finished.wait(8000) ? finished.first().first().value<DownloadResult>()
                                   : DownloadResult{DownloadResult::Cancelled, {}, "no end", {}};
    }
};

ConfigImage someImage() {
    BandMaps maps;
    for (int r = 0; r < kBandRows; ++r)
        maps.setCell(r, r % kOutputs, 1);
    VoltageTables volts;
    for (int b = 0; b < kVoltageBands; ++b)
        volts.setValue(1, b, kDefaultLevelsAn2[b]);
    return ConfigImage::of(maps, volts);
}

} // namespace

class TestE2e : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qRegisterMetaType<SearchResult>();
        qRegisterMetaType<DownloadResult>();
    }

    void search_data() {
        QTest::addColumn<QStringList>("box");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("reports");
        QTest::newRow("answered") << QStringList{"--firmware", "3.42"} << int(SearchResult::Found)
                                  << 1;
        QTest::newRow("a megabyte of noise first")
            << QStringList{"--flood", "1000000"} << int(SearchResult::Found) << 1;
        QTest::newRow("noise after every answer")
            << QStringList{"--burst", "40"} << int(SearchResult::Found) << 1;
        QTest::newRow("two replies")
            << QStringList{"--replies", "2"} << int(SearchResult::Found) << 2;
        QTest::newRow("a reply of the wrong length")
            << QStringList{"--reply", "BDV:BDX4:2.1;"} << int(SearchResult::NotFound) << 0;
        QTest::newRow("the box goes away")
            << QStringList{"--hangup-at-query", "0"} << int(SearchResult::LineLost) << 0;
    }
    void search() {
        QFETCH(QStringList, box);
        QFETCH(int, outcome);
        QFETCH(int, reports);
        BoxFolder folder;
        SimProcess sim;
        QVERIFY(folder.startBox(sim, box));
        Program program(folder.linkPath());
        QVERIFY(program.connection.open().opened);
        QElapsedTimer took;
        took.start();
        const SearchResult result = program.lookForTheBox();
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(program.firmwareReports, reports);
        if (outcome == SearchResult::Found)
            QCOMPARE(result.firmware,
                     box.contains("3.42") ? QStringLiteral("3.42") : QStringLiteral("2.17"));
        QVERIFY(took.elapsed() < 4000); // none of these runs out its retries
        QVERIFY(program.connection.lastReceived().size() <= 4096);
        QCOMPARE(program.connection.isOpen(), outcome != SearchResult::LineLost);
    }

    void download_data() {
        QTest::addColumn<QStringList>("box");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("received"); // lines the box received, the command counted
        QTest::newRow("acknowledged") << QStringList{} << int(DownloadResult::Passed) << -1 << 8;
        QTest::newRow("acknowledged among noise")
            << QStringList{"--burst", "40"} << int(DownloadResult::Passed) << -1 << 8;
        QTest::newRow("three records acknowledged")
            << QStringList{"--ack-limit", "3"} << int(DownloadResult::NotAcknowledged)
            << int(Section::An1) << 6;
        QTest::newRow("the box goes away at AN3")
            << QStringList{"--hangup-after", "5"} << int(DownloadResult::LineLost)
            << int(Section::An3) << 0;
    }
    void download() {
        QFETCH(QStringList, box);
        QFETCH(int, outcome);
        QFETCH(int, section);
        QFETCH(int, received);
        BoxFolder folder;
        SimProcess sim;
        QVERIFY(folder.startBox(sim, box));
        Program program(folder.linkPath());
        QVERIFY(program.connection.open().opened);
        QElapsedTimer took;
        took.start();
        const ConfigImage image = someImage();
        const DownloadResult result = program.write(image);
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.section ? int(*result.section) : -1, section);
        if (outcome == DownloadResult::Passed)
            QVERIFY2(took.elapsed() >= 2700 && took.elapsed() < 3200,
                     qPrintable(QString::number(took.elapsed())));
        if (received > 0) { // the box reports each download that ended with its end record
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(folder.reportPath()), 3000);
            QStringList lines = readReport(folder.reportPath())["lines"].toVariant().toStringList();
            QCOMPARE(lines.size(), received);
            QCOMPARE(lines.last(), QStringLiteral(":00000001FF"));
            QCOMPARE(lines[1], QString::fromLatin1(image.record(Section::Hf)));
        } else { // the line is gone: the next download ends at once
            QVERIFY(!program.connection.isOpen());
            QCOMPARE(program.write(image).outcome, DownloadResult::PortClosed);
        }
    }
};

QTEST_GUILESS_MAIN(TestE2e)
#include "tst_e2e.moc"
