// The conversation with the box on a fake line and a fake clock: what is sent when, and how each
// job ends.

#include "io/MapStore.h"
#include "io/VoltageStore.h"
#include "jobs/Export.h"
#include "jobs/ResultTexts.h"
#include "jobs/StartupJob.h"
#include "support/Fakes.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using namespace bdx4::test;

Q_DECLARE_METATYPE(SearchResult)
Q_DECLARE_METATYPE(DownloadResult)

namespace {

const QByteArray kQuery = BoxSearch::kVersionQuery;

/// A line, a connection on it opened on port 1, and the clock.
struct Rig {
    FakeClock clock;
    FakeSerialLine line{clock};
    BoxConnection connection{line};
    explicit Rig(bool open = true) {
        if (open)
            connection.open();
    }
};

bool isRecord(const QByteArray& bytes) {
    return bytes.endsWith("\r\n");
}

} // namespace

class TestJobs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qRegisterMetaType<SearchResult>();
        qRegisterMetaType<DownloadResult>();
    }

    void repliesAndAcknowledgements_data() {
        QTest::addColumn<QByteArrayList>("arrivals");
        QTest::addColumn<bool>("acknowledged");
        QTest::addColumn<QByteArrayList>("replies");
        QTest::addColumn<QByteArray>("pending");
        QTest::addColumn<QByteArray>("lastReceived");
        QTest::newRow("text before a G is dropped")
            << QByteArrayList{"abcG"} << true << QByteArrayList{} << QByteArray()
            << QByteArray("abcG");
        QTest::newRow("G then a lone ;") << QByteArrayList{"G;"} << true << QByteArrayList{";"}
                                         << QByteArray() << QByteArray("G;");
        QTest::newRow("a reply in two pieces")
            << QByteArrayList{"BDV:BD", "X4:2.17;x"} << false << QByteArrayList{"BDV:BDX4:2.17;"}
            << QByteArray("x") << QByteArray("BDV:BDX4:2.17;x");
        QTest::newRow("a small g is no acknowledgement")
            << QByteArrayList{"g"} << false << QByteArrayList{} << QByteArray("g")
            << QByteArray("g");
        QTest::newRow("several at once")
            << QByteArrayList{"ab;cdGef;gh"} << true << QByteArrayList{"ab;", "ef;"}
            << QByteArray("gh") << QByteArray("ab;cdGef;gh");
        QTest::newRow("an endless run is cut to its newest 4 KiB")
            << QByteArrayList{QByteArray(5000, 'a'), "b"} << false << QByteArrayList{}
            << QByteArray(4095, 'a') + "b" << QByteArray(4095, 'a') + "b";
    }
    void repliesAndAcknowledgements() {
        QFETCH(QByteArrayList, arrivals);
        QFETCH(bool, acknowledged);
        QFETCH(QByteArrayList, replies);
        QFETCH(QByteArray, pending);
        QFETCH(QByteArray, lastReceived);
        ReplyReader reader;
        bool acks = false;
        QByteArrayList got;
        for (const QByteArray& arrival : arrivals) {
            const ReplyReader::Arrival taken = reader.take(arrival);
            acks = acks || taken.acknowledged;
            got += taken.replies;
        }
        QCOMPARE(acks, acknowledged);
        QCOMPARE(got, replies);
        QCOMPARE(reader.pending(), pending);
        QCOMPARE(reader.lastReceived(), lastReceived);
    }

    void openingThePort_data() {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QList<int>>("refused");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QList<int>>("failed");
        QTest::addColumn<int>("openOn"); // 0: none
        QTest::addColumn<int>("attempts");
        QTest::newRow("the chosen port") << 5 << QList<int>{} << "9600" << QList<int>{} << 5 << 1;
        QTest::newRow("falls back to the start port")
            << 5 << QList<int>{5} << "9600" << QList<int>{5} << 1 << 2;
        QTest::newRow("the start port itself fails")
            << 1 << QList<int>{1} << "9600" << QList<int>{1} << 0 << 1;
        QTest::newRow("both fail") << 5 << QList<int>{1, 5} << "9600" << QList<int>{5, 1} << 0 << 2;
        QTest::newRow("a remembered speed the line refuses")
            << 1 << QList<int>{} << "9600x" << QList<int>{1} << 0 << 0;
    }
    void openingThePort() {
        QFETCH(int, chosen);
        QFETCH(QList<int>, refused);
        QFETCH(QString, speed);
        QFETCH(QList<int>, failed);
        QFETCH(int, openOn);
        QFETCH(int, attempts);
        Rig rig(false);
        for (const int port : refused)
            rig.line.refused.insert(port, OpenFailure{OpenFailure::InUse, 2, port, {}, {}, {}});
        rig.connection.setStartPort(1);
        rig.connection.setPort(chosen);
        rig.connection.setSpeed(speed);
        const PortOpenResult result = rig.connection.open();
        QList<int> got;
        for (const PortOpenResult::Failure& failure : result.failures)
            got << failure.port;
        QCOMPARE(got, failed);
        QCOMPARE(result.opened, openOn != 0);
        QCOMPARE(rig.connection.isReady(), openOn != 0);
        QCOMPARE(result.fellBack(), openOn != 0 && !failed.isEmpty());
        QCOMPARE(rig.line.opens, attempts);
        if (openOn) {
            QCOMPARE(rig.line.openedPort, openOn);
            QCOMPARE(rig.connection.port(), openOn);
            QCOMPARE(rig.line.openedSpeed, speed.toInt());
        }
        if (attempts == 0) {
            QCOMPARE(result.failures[0].why.kind, OpenFailure::UnsupportedSpeed);
            QCOMPARE(result.failures[0].why.detail, speed);
        }
        QCOMPARE(rig.connection.portDescription(),
                 QStringLiteral("COM%1 (/dev/fake%1)").arg(rig.connection.port()));
    }

    void boxSearch_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("toSeparator"); // the box answers the lone ";" too
        QTest::addColumn<int>("answerAtMs");   // how long the user takes to close the firmware box
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("endMs");
        QTest::addColumn<int>("queries");
        QTest::addColumn<int>("reports");
        QTest::newRow("a silent line")
            << QByteArray() << false << 0 << int(SearchResult::NotFound) << 4200 << 12 << 0;
        QTest::newRow("the box answers") << QByteArray("BDV:BDX4:2.17;") << false << 0
                                         << int(SearchResult::Found) << 900 << 1 << 1;
        QTest::newRow("the user reads the firmware for a while")
            << QByteArray("BDV:BDX4:2.17;") << false << 2000 << int(SearchResult::Found) << 2000
            << 1 << 1;
        QTest::newRow("the reply to the lone ; is forgotten")
            << QByteArray("BDV:BDX4:2.17;") << true << 0 << int(SearchResult::Found) << 900 << 1
            << 1;
        QTest::newRow("a BDV reply of the wrong length ends it unfound")
            << QByteArray("BDV:BDX4:2.1;") << false << 0 << int(SearchResult::NotFound) << 900 << 1
            << 0;
        QTest::newRow("a firmware reply not starting with BDV")
            << QByteArray("XYZ:BDX4:2.17;") << false << 0 << int(SearchResult::Found) << 4200 << 12
            << 12;
        QTest::newRow("the product name in small letters")
            << QByteArray("bdv:bdx4:2.17;") << false << 0 << int(SearchResult::Found) << 4200 << 12
            << 12;
        QTest::newRow("a reply that names no box")
            << QByteArray("BDV:ABCD:2.17;") << false << 0 << int(SearchResult::NotFound) << 4200
            << 12 << 0;
        QTest::newRow("two version replies show twice")
            << QByteArray("BDV:BDX4:2.17;BDV:BDX4:2.17;") << false << 0 << int(SearchResult::Found)
            << 900 << 1 << 2;
    }
    void boxSearch() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, toSeparator);
        QFETCH(int, answerAtMs);
        QFETCH(int, outcome);
        QFETCH(int, endMs);
        QFETCH(int, queries);
        QFETCH(int, reports);
        Rig rig;
        if (!reply.isEmpty())
            rig.line.answer(
                [&](const QByteArray& b) { return b == kQuery || (toSeparator && b == ";"); },
                reply, 100);
        BoxSearch search(rig.connection, rig.clock);
        QSignalSpy finished(&search, &BoxSearch::finished);
        QList<int> progress;
        connect(&search, &BoxSearch::progressed, this, [&](int retries) { progress << retries; });
        QStringList firmware;
        connect(&search, &BoxSearch::firmwareReported, this, [&](const QString& version) {
            firmware << version;
            rig.clock.after(std::max<qint64>(0, answerAtMs - rig.clock.nowMs()),
                            [&] { search.acknowledgeFirmware(); });
        });
        qint64 endedAt = -1;
        connect(&search, &BoxSearch::finished, this, [&] { endedAt = rig.clock.nowMs(); });
        search.start();
        rig.clock.runUntilIdle();
        QCOMPARE(finished.size(), 1);
        const auto result = finished.first().first().value<SearchResult>();
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.firmware,
                 outcome == SearchResult::Found ? QStringLiteral("2.17") : QString());
        QCOMPARE(endedAt, endMs);
        QCOMPARE(firmware.size(), reports);
        QCOMPARE(rig.line.writes.count(kQuery), queries);
        // A lone ";" first, the query 600 ms later, then ";" and the query every 300 ms.
        QCOMPARE(rig.line.writes.value(0), QByteArray(";"));
        QCOMPARE(rig.line.writeTimes.value(1), 600);
        if (queries == 12) {
            QCOMPARE(rig.line.writeTimes.last(), 3900);
            QCOMPARE(progress, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        }
    }

    void searchEndsEarly_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancelled") << true;
        QTest::newRow("line lost") << false;
    }
    void searchEndsEarly() {
        QFETCH(bool, cancel);
        Rig rig;
        BoxSearch search(rig.connection, rig.clock);
        QSignalSpy finished(&search, &BoxSearch::finished);
        search.start();
        rig.clock.advance(1000);
        const qsizetype sent = rig.line.writes.size();
        if (cancel)
            search.cancel();
        else
            rig.line.lose(QStringLiteral("unplugged"));
        rig.clock.runUntilIdle();
        QCOMPARE(rig.line.writes.size(), sent); // nothing more goes out
        QCOMPARE(finished.size(), 1);
        const auto result = finished.first().first().value<SearchResult>();
        QCOMPARE(result.outcome, cancel ? SearchResult::Cancelled : SearchResult::LineLost);
        QCOMPARE(result.reason, cancel ? QString() : QStringLiteral("unplugged"));
        QVERIFY(!search.isRunning());
    }

    void download_data() {
        QTest::addColumn<int>("acks");      // records the box acknowledges; 8: the end record too
        QTest::addColumn<int>("ackAfter");  // ms after a record
        QTest::addColumn<QString>("event"); // what else happens, and when
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("section");      // -1: none
        QTest::addColumn<QList<int>>("times"); // of every write
        QTest::addColumn<int>("endMs");
        QTest::addColumn<int>("sectionsStarted");
        const QList<int> passing{0, 600, 900, 1200, 1500, 1800, 2100, 2400};
        QTest::newRow("every record acknowledged")
            << 7 << 100 << "" << int(DownloadResult::Passed) << -1 << passing << 2700 << 6;
        QTest::newRow("the end record not judged")
            << 6 << 100 << "" << int(DownloadResult::Passed) << -1 << passing << 2700 << 6;
        QTest::newRow("a silent box") << 0 << 0 << "" << int(DownloadResult::NotAcknowledged) << 0
                                      << QList<int>{0, 600, 1500} << 1500 << 1;
        QTest::newRow("acknowledged up to the accessory record")
            << 3 << 100 << "" << int(DownloadResult::NotAcknowledged) << 3
            << QList<int>{0, 600, 900, 1200, 1500, 2400} << 2400 << 4;
        QTest::newRow("late acknowledgements count at the end of the step")
            << 7 << 700 << "" << int(DownloadResult::Passed) << -1
            << QList<int>{0, 600, 1500, 2400, 3300, 4200, 5100, 6000} << 6300 << 6;
        QTest::newRow("a G before the record is none of its")
            << 0 << 100 << "G at 590" << int(DownloadResult::NotAcknowledged) << 0
            << QList<int>{0, 600, 1500} << 1500 << 1;
        QTest::newRow("cancelled in the first pause")
            << 7 << 100 << "cancel at 300" << int(DownloadResult::Cancelled) << 0
            << QList<int>{0, 300} << 300 << 0;
        QTest::newRow("cancelled during VHF")
            << 7 << 100 << "cancel at 1000" << int(DownloadResult::Cancelled) << 1
            << QList<int>{0, 600, 900, 1000} << 1000 << 2;
        QTest::newRow("cancelled after the end record")
            << 7 << 100 << "cancel at 2500" << int(DownloadResult::Passed) << -1 << passing << 2500
            << 6;
        QTest::newRow("the line lost during AN2")
            << 7 << 100 << "lose at 1850" << int(DownloadResult::LineLost) << 4 << passing.mid(0, 6)
            << 1850 << 5;
        QTest::newRow("the HF record refused")
            << 7 << 100 << "refuse at 590" << int(DownloadResult::NotSent) << 0 << QList<int>{0}
            << 600 << 1;
        QTest::newRow("the port closed")
            << 7 << 100 << "close at 0" << int(DownloadResult::PortClosed) << -1 << QList<int>{}
            << 0 << 0;
    }
    void download() {
        QFETCH(int, acks);
        QFETCH(int, ackAfter);
        QFETCH(QString, event);
        QFETCH(int, outcome);
        QFETCH(int, section);
        QFETCH(QList<int>, times);
        QFETCH(int, endMs);
        QFETCH(int, sectionsStarted);
        Rig rig;
        int records = 0;
        rig.line.onWrite = [&](const QByteArray& bytes) {
            if (isRecord(bytes) && ++records <= acks)
                rig.clock.after(ackAfter, [&] { rig.line.receive("G"); });
        };
        DownloadJob download(rig.connection, rig.clock);
        QSignalSpy finished(&download, &DownloadJob::finished);
        QSignalSpy sections(&download, &DownloadJob::sectionStarted);
        qint64 endedAt = -1;
        connect(&download, &DownloadJob::finished, this, [&] { endedAt = rig.clock.nowMs(); });
        const QStringList what = event.split(QLatin1Char(' '));
        if (!event.isEmpty()) {
            rig.clock.after(what.last().toInt(), [&] {
                if (what[0] == "G")
                    rig.line.receive("G");
                else if (what[0] == "cancel")
                    download.cancel();
                else if (what[0] == "lose")
                    rig.line.lose(QStringLiteral("unplugged"));
                else if (what[0] == "refuse")
                    rig.line.writeFailure = IoError{7, QStringLiteral("refused")};
                else
                    rig.line.close();
            });
        }
        rig.clock.runUntilIdle(0); // the event set at 0 comes first
        const ConfigImage image = ConfigImage::of(BandMaps(), VoltageTables());
        download.start(image);
        rig.clock.runUntilIdle();
        QCOMPARE(finished.size(), 1);
        const auto result = finished.first().first().value<DownloadResult>();
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.section ? int(*result.section) : -1, section);
        QCOMPARE(endedAt, endMs);
        QList<int> got;
        for (const qint64 t : rig.line.writeTimes)
            got << int(t);
        QCOMPARE(got, times);
        // What went out: the command, the records in order with CR LF, and the end record last.
        if (!times.isEmpty()) {
            QCOMPARE(rig.line.writes.first(), QByteArray(";BD00;BD73;BDE;"));
            const QList<QByteArray> lines = image.lines();
            for (qsizetype i = 1; i < rig.line.writes.size() - 1; ++i)
                QCOMPARE(rig.line.writes[i], lines[i] + "\r\n");
        }
        if (outcome != DownloadResult::Passed && outcome != DownloadResult::LineLost &&
            outcome != DownloadResult::PortClosed && outcome != DownloadResult::NotSent)
            QCOMPARE(rig.line.writes.last(), QByteArray(":00000001FF\r\n"));
        QCOMPARE(sections.size(), sectionsStarted);
        // The title of the failure shows what the box sent last.
        QCOMPARE(
            result.received,
            QByteArray(rig.line.writes.size() > 2 && (acks > 0 || !event.isEmpty()) ? "G" : ""));
    }

    void startup_data() {
        QTest::addColumn<bool>("portOpens");
        QTest::addColumn<QByteArray>("mapStore"); // "-": none, "/": a folder in its place
        QTest::addColumn<QByteArray>("voltageStore");
        QTest::addColumn<int>("mapOutcome");
        QTest::addColumn<int>("shown"); // 0: nothing, 1: MAP1, 2: the first start's arrangement
        QTest::addColumn<QByteArray>("mapStoreAfter");
        MapStoreContent content;
        content.maps[0][3][3] = content.maps[2][20][0] = 1;
        content.accForBandMap = true;
        const QByteArray whole = mapStoreText(content);
        QTest::newRow("a first start without a port")
            << false << QByteArray("-") << QByteArray("-") << int(StoreReading::Missing) << 2
            << QByteArray("\"Empty\"\r\n");
        QTest::newRow("the box found, the stores read")
            << true << whole << QByteArray("51\r\n") << int(StoreReading::Complete) << 1 << whole;
        QTest::newRow("an Empty store")
            << true << QByteArray("\"Empty\"\r\n") << QByteArray("-") << int(StoreReading::Empty)
            << 2 << QByteArray("\"Empty\"\r\n");
        QTest::newRow("a store cut short") << true << whole.left(800) << QByteArray("-")
                                           << int(StoreReading::Incomplete) << 0 << whole.left(800);
        QTest::newRow("stores that cannot be read")
            << true << QByteArray("/") << QByteArray("/") << int(StoreReading::Unreadable) << 2
            << QByteArray("<folder>");
    }
    void startup() {
        QFETCH(bool, portOpens);
        QFETCH(QByteArray, mapStore);
        QFETCH(QByteArray, voltageStore);
        QFETCH(int, mapOutcome);
        QFETCH(int, shown);
        QFETCH(QByteArray, mapStoreAfter);
        QTemporaryDir dir;
        auto place = [&dir](const QString& name, const QByteArray& content) {
            if (content == "/")
                QDir(dir.path()).mkdir(name);
            QFile file(dir.filePath(name));
            if (content != "-" && content != "/")
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        };
        place(kMapStoreName, mapStore);
        place(kVoltageStoreName, voltageStore);
        Rig rig(false);
        if (!portOpens)
            rig.line.refused.insert(1, OpenFailure{});
        rig.line.answer([](const QByteArray& b) { return b == kQuery; }, "BDV:BDX4:2.17;", 100);
        BandMaps maps;
        VoltageTables volts;
        QSignalSpy modes(&maps, &BandMaps::accModeChanged);
        StorePlaces places;
        places.programFolder = dir.path();
        StartupJob startup(rig.connection, rig.clock, maps, volts, places);
        QStringList said;
        connect(&startup, &StartupJob::portOpened, this, [&](const PortOpenResult& result) {
            said << QStringLiteral("port %1").arg(result.opened);
            startup.proceed();
        });
        connect(&startup.search(), &BoxSearch::firmwareReported, this, [&](const QString& version) {
            said << version;
            startup.search().acknowledgeFirmware();
        });
        connect(&startup, &StartupJob::searchFinished, this, [&](const SearchResult& result) {
            // The stores are read only once the user has seen how the search ended.
            said << QStringLiteral("search %1, store %2")
                        .arg(result.outcome)
                        .arg(QFileInfo::exists(dir.filePath(kVoltageStoreName)));
            startup.proceed();
        });
        StartupResult result;
        connect(&startup, &StartupJob::finished, this, [&](const StartupResult& r) { result = r; });
        startup.start();
        rig.clock.runUntilIdle();
        QVERIFY(!startup.isRunning());
        const QStringList expected =
            portOpens ? QStringList{"port 1", "2.17",
                                    QStringLiteral("search 0, store %1").arg(voltageStore != "-")}
                      : QStringList{"port 0"};
        QCOMPARE(said, expected);
        QCOMPARE(result.storeFolder, dir.path());
        QCOMPARE(int(result.maps.outcome), mapOutcome);
        QCOMPARE(result.mapStoreCreated, mapStore == "-");
        QFile after(dir.filePath(kMapStoreName));
        QCOMPARE(after.open(QIODevice::ReadOnly) ? after.readAll() : QByteArray("<folder>"),
                 mapStoreAfter);
        QCOMPARE(maps.hasUnsavedChanges(), shown == 2);
        QCOMPARE(maps.labelledMap(), shown == 1 ? 0 : -1);
        QCOMPARE(modes.size(), shown == 0 ? 0 : 1);
        QCOMPARE(maps.accOutputsForBandMap(), shown == 1);
        QCOMPARE(maps.cell(3, 3), shown == 1 ? 1 : shown == 2 ? 1 : 0);
        QCOMPARE(maps.cell(17, 13), shown == 2 ? 1 : 0); // XVTR4 -> AC1 at a first start
        if (shown == 0)
            QCOMPARE(maps.storedMaps()[0][3][3], 1); // what was read stands
        QCOMPARE(volts.value(0, 0), voltageStore == "51\r\n" ? 51.0f : 0.0f);
        if (voltageStore == "-") {
            QFile created(dir.filePath(kVoltageStoreName));
            QVERIFY(created.open(QIODevice::ReadOnly));
            QCOMPARE(created.readAll(), QByteArray("0,0\r\n"));
        }
    }

    void startupCancelledDuringTheSearch() {
        QTemporaryDir dir;
        Rig rig(false);
        BandMaps maps;
        VoltageTables volts;
        StorePlaces places;
        places.programFolder = dir.path();
        StartupJob startup(rig.connection, rig.clock, maps, volts, places);
        connect(&startup, &StartupJob::portOpened, &startup, &StartupJob::proceed);
        QSignalSpy searchEnds(&startup, &StartupJob::searchFinished);
        StartupResult result;
        connect(&startup, &StartupJob::finished, this, [&](const StartupResult& r) { result = r; });
        startup.start();
        rig.clock.advance(1000);
        QVERIFY(startup.search().isRunning());
        startup.cancel();
        rig.clock.runUntilIdle();
        QVERIFY(result.cancelled);
        QCOMPARE(searchEnds.size(), 0);
        QVERIFY(!startup.isRunning());
        QVERIFY(QDir(dir.path()).isEmpty()); // no store was read or written
    }

    void resultTexts() {
        DownloadResult result;
        result.outcome = DownloadResult::NotAcknowledged;
        result.section = Section::An1;
        result.received = "G";
        ResultText text = ResultTexts::downloadFailed(result, QStringLiteral("COM1"));
        QCOMPARE(text.title, QStringLiteral("BDX4: G"));
        QCOMPARE(text.text, QStringLiteral("Download failed in section AN1 Band Voltages"));
        result.outcome = DownloadResult::Cancelled;
        QCOMPARE(ResultTexts::downloadFailed(result, "COM1").text,
                 QStringLiteral("Download cancelled in section AN1 Band Voltages"));
        result.outcome = DownloadResult::LineLost;
        result.reason = QStringLiteral("gone");
        QCOMPARE(ResultTexts::downloadFailed(result, "COM1").text,
                 QStringLiteral("Download failed in section AN1 Band Voltages\r\n\r\nThe serial "
                                "line on COM1 was lost (gone)."));
        result.outcome = DownloadResult::NotSent;
        result.section.reset();
        QCOMPARE(ResultTexts::downloadFailed(result, "COM1").text,
                 QStringLiteral("Nothing could be sent to the BDX4 on COM1:\r\ngone"));
        result.outcome = DownloadResult::PortClosed;
        QVERIFY(ResultTexts::downloadFailed(result, "COM1 (/dev/x)")
                    .text.startsWith("The serial port COM1 (/dev/x) is not open, so nothing"));
        SearchResult lost{SearchResult::LineLost, QString(), QStringLiteral("gone")};
        text = ResultTexts::searchFailed(lost, QStringLiteral("COM2"));
        QCOMPARE(text.title, QStringLiteral("Error connecting to a BDX4"));
        QVERIFY(
            text.text.startsWith("The serial line on COM2 was lost (gone).\r\n\r\nNo BDX4 found."));
        QVERIFY(text.text.endsWith("set to DL (toward Power jack)."));
    }

    void exportWritesTheDownloadsLines() {
        const ConfigImage image = ConfigImage::of(BandMaps(), VoltageTables());
        QByteArray expected;
        for (const QByteArray& line : image.lines())
            expected += '"' + line + "\"\r\n";
        QCOMPARE(exportText(image), expected);
        QTemporaryDir dir;
        QVERIFY(!exportConfiguration(dir.filePath("out.txt"), image));
        QFile file(dir.filePath("out.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
        QVERIFY(exportConfiguration(dir.path(), image)); // a folder is no file
    }
};

QTEST_GUILESS_MAIN(TestJobs)
#include "tst_jobs.moc"
