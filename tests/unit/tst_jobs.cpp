// The conversation with the box on a fake line and a fake clock: what is sent when, how it ends.

#include "io/ExportFile.h"
#include "io/MapStore.h"
#include "io/Translations.h"
#include "io/VoltageStore.h"
#include "jobs/ResultTexts.h"
#include "jobs/StartupJob.h"
#include "support/Fakes.h"
#include "support/Golden.h"
#include "support/Rows.h"

#include <QLibraryInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using namespace bdx4::test;

namespace {

const QByteArray kQuery = BoxSearch::kVersionQuery;

struct Rig {
    FakeClock clock;
    FakeSerialLine line{clock};
    BoxConnection connection{line};
    explicit Rig(bool open = true) {
        if (open)
            connection.open();
    }
};

/// Pieces arriving ("|" between), whether a G came, the replies taken ("|" between), what waits.
using ReplyCase = std::tuple<QByteArray, bool, QByteArray, QByteArray>;
/// The port chosen, ports refused, the speed; failed ports, opened, fell back, attempts, where.
using OpenCase = std::tuple<int, QString, QString, QString>;
/// The reply to each query, what else happens when, the outcome, its time, reports, queries.
using SearchCase = std::tuple<QByteArray, QString, int, int, int, int>;
/// Records the box acknowledges (7: all), ms after a record; what else happens and when; the
/// outcome, the section (-1: none), sections started, when it ends; the times of every write.
using DownloadCase = std::tuple<int, int, QString, int, int, int, int, QString>;
using StartupCase = std::tuple<bool, bool>;

} // namespace

class TestJobs : public QObject {
    Q_OBJECT
private slots:
    void repliesAndAcknowledgements_data() {
        const Rows<ReplyCase> row;
        row("text before G dropped", {"abcG", true, "", ""});
        row("G then a lone ;", {"G;", true, ";", ""});
        row("a reply in two pieces", {"BDV:BD|X4:2.17;x", false, "BDV:BDX4:2.17;", "x"});
        row("small g", {"g", false, "", "g"});
        row("several", {"ab;cdGef;gh", true, "ab;|ef;", "gh"});
        row("newest 4 KiB kept",
            {QByteArray(5000, 'a') + "|b", false, "", QByteArray(4095, 'a') + "b"});
    }
    void repliesAndAcknowledgements() {
        auto [arrivals, acknowledged, replies, pending] = fetch<ReplyCase>();
        ReplyReader reader;
        bool acks = false;
        QByteArrayList got;
        for (const QByteArray& arrival : arrivals.split('|')) {
            const ReplyReader::Arrival taken = reader.take(arrival);
            acks = acks || taken.acknowledged;
            got += taken.replies;
        }
        QCOMPARE(acks, acknowledged);
        QCOMPARE(got.join('|'), replies);
        QCOMPARE(reader.pending(), pending);
        QCOMPARE(reader.lastReceived(), QByteArray(arrivals.replace('|', "")).right(4096));
    }

    void openingThePort_data() {
        const Rows<OpenCase> row;
        row("the chosen port", {5, "", "9600", "[] 1 0 1 on COM5 at 9600"});
        row("the start port instead", {5, "5", "9600", "[5] 1 1 2 on COM1 at 9600"});
        row("the start port fails", {1, "1", "9600", "[1] 0 0 1"});
        row("both fail", {5, "1 5", "38400", "[5 1] 0 0 2"});
        row("a speed no line takes", {1, "", "9600x", "[1] 0 0 0"});
    }
    void openingThePort() {
        const auto& [chosen, refused, speed, outcome] = fetch<OpenCase>();
        Rig rig(false);
        for (const QString& n : refused.split(' ', Qt::SkipEmptyParts))
            rig.line.refused.insert(n.toInt(), {OpenFailure::InUse, 2, n.toInt(), {}, {}, {}});
        rig.connection.setStartPort(1);
        rig.connection.setPort(chosen);
        rig.connection.setSpeed(speed);
        const PortOpenResult result = rig.connection.open();
        QStringList failed;
        for (const PortOpenResult::Failure& failure : result.failures)
            failed << QString::number(failure.port);
        QString got = QString::asprintf("[%s] %d %d %d", qPrintable(failed.join(' ')),
                                        result.opened, result.fellBack(), rig.line.opens);
        if (rig.connection.isReady())
            got += QString::asprintf(" on COM%d at %d", rig.line.openedPort, rig.line.openedSpeed);
        QCOMPARE(got, outcome);
        if (rig.line.opens == 0) // the speed is refused before the line is tried
            QVERIFY(result.failures[0].why.kind == OpenFailure::UnsupportedSpeed &&
                    result.failures[0].why.detail == speed);
        QCOMPARE(rig.connection.portDescription(),
                 QStringLiteral("COM%1 (/dev/fake%1)").arg(rig.connection.port()));
    }

    void boxSearch_data() {
        const Rows<SearchCase> row;
        using R = SearchResult;
        const char* version = "BDV:BDX4:2.17;";
        row("a silent line", {"", "", R::NotFound, 4200, 0, 12});
        row("a stray acknowledgement", {"", "stray 1000", R::NotFound, 4200, 0, 12});
        row("answered", {version, "", R::Found, 900, 1, 1});
        row("the user reads the firmware a while", {version, "answer 2000", R::Found, 2000, 1, 1});
        row("the reply to the lone ; is forgotten", {version, "to ;", R::Found, 900, 1, 1});
        row("BDV of the wrong length", {"BDV:BDX4:2.1;", "", R::NotFound, 900, 0, 1});
        row("firmware not after BDV", {"XYZ:BDX4:2.17;", "", R::Found, 4200, 12, 12});
        row("small letters", {"bdv:bdx4:2.17;", "", R::Found, 4200, 12, 12});
        row("no box named", {"BDV:ABCD:2.17;", "", R::NotFound, 4200, 0, 12});
        row("two replies at once", {"BDV:BDX4:2.17;BDV:BDX4:2.17;", "", R::Found, 900, 2, 1});
        row("cancelled", {"", "cancel 1000", R::Cancelled, 1000, 0, 2});
        row("the line lost", {"", "lose 1000", R::LineLost, 1000, 0, 2});
    }
    void boxSearch() {
        const auto& [reply, event, outcome, endMs, reports, queries] = fetch<SearchCase>();
        Rig rig;
        const bool lone = event == "to ;"; // the lone ";" answered too
        if (!reply.isEmpty())
            rig.line.answer(
                [lone](const QByteArray& b) { return b == kQuery || (lone && b == ";"); }, reply,
                100);
        BoxSearch search(rig.connection, rig.clock);
        QList<int> progress;
        connect(&search, &BoxSearch::progressed, this, [&](int retries) { progress << retries; });
        int shown = 0;
        const qint64 answerAt = event.startsWith("answer") ? event.section(' ', 1).toInt() : 0;
        connect(&search, &BoxSearch::firmwareReported, this, [&](const QString& version) {
            QCOMPARE(version, QStringLiteral("2.17"));
            ++shown;
            rig.clock.after(std::max<qint64>(0, answerAt - rig.clock.nowMs()),
                            [&] { search.acknowledgeFirmware(); });
        });
        if (event.endsWith(" 1000"))
            rig.clock.after(1000, [&, event = event] {
                if (event.startsWith("cancel"))
                    search.cancel();
                else if (event.startsWith("lose"))
                    rig.line.lose("unplugged");
                else // nothing was reported, so there is nothing to acknowledge
                    search.acknowledgeFirmware();
            });
        SearchResult result;
        qint64 endedAt = -1;
        connect(&search, &BoxSearch::finished, this, [&](const SearchResult& r) {
            result = r;
            endedAt = rig.clock.nowMs();
        });
        search.start();
        rig.clock.runUntilIdle();
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.firmware, outcome == SearchResult::Found ? "2.17" : "");
        QCOMPARE(result.reason, outcome == SearchResult::LineLost ? "unplugged" : "");
        QCOMPARE(endedAt, endMs);
        QCOMPARE(shown, reports);
        // A lone ";" first, the query 600 ms later, then ";" and the query every 300 ms.
        QCOMPARE(rig.line.writes.count(kQuery), queries);
        QCOMPARE(rig.line.times().left(5), QStringLiteral("0 600"));
        if (queries == 12) {
            QVERIFY(rig.line.times().endsWith(" 3600 3600 3900 3900"));
            QCOMPARE(progress, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        }
        QVERIFY(!search.isRunning());
    }

    void download_data() {
        const Rows<DownloadCase> row;
        const char* passing = "0 600 900 1200 1500 1800 2100 2400";
        using R = DownloadResult;
        row("acknowledged", {7, 100, "", R::Passed, -1, 6, 2700, passing});
        row("the end record not judged", {6, 100, "", R::Passed, -1, 6, 2700, passing});
        row("a silent box", {0, 0, "", R::NotAcknowledged, 0, 1, 1500, "0 600 1500"});
        row("up to AN2",
            {5, 100, "", R::NotAcknowledged, 5, 6, 3000, "0 600 900 1200 1500 1800 2100 3000"});
        row("late acknowledgements",
            {7, 700, "", R::Passed, -1, 6, 6300, "0 600 1500 2400 3300 4200 5100 6000"});
        row("a G before the record", {0, 0, "G 590", R::NotAcknowledged, 0, 1, 1500, "0 600 1500"});
        row("cancelled in the pause", {7, 100, "cancel 300", R::Cancelled, 0, 0, 300, "0 300"});
        row("cancelled during VHF",
            {7, 100, "cancel 1000", R::Cancelled, 1, 2, 1000, "0 600 900 1000"});
        row("cancelled after the end record",
            {7, 100, "cancel 2500", R::Passed, -1, 6, 2500, passing});
        row("the line lost during AN2",
            {7, 100, "lose 1850", R::LineLost, 4, 5, 1850, "0 600 900 1200 1500 1800"});
        row("the HF record refused", {7, 100, "refuse 590", R::NotSent, 0, 1, 600, "0"});
        row("the port closed", {7, 100, "close 0", R::PortClosed, -1, 0, 0, ""});
    }
    void download() {
        const auto& [acks, ackAfter, event, outcome, section, sections, endMs, times] =
            fetch<DownloadCase>();
        Rig rig;
        int records = 0;
        rig.line.onWrite = [&, acks = acks, ackAfter = ackAfter](const QByteArray& bytes) {
            if (bytes.endsWith("\r\n") && ++records <= acks)
                rig.clock.after(ackAfter, [&] { rig.line.receive("G"); });
        };
        DownloadJob download(rig.connection, rig.clock);
        QSignalSpy started(&download, &DownloadJob::sectionStarted);
        DownloadResult result;
        qint64 endedAt = -1;
        connect(&download, &DownloadJob::finished, this, [&](const DownloadResult& r) {
            result = r;
            endedAt = rig.clock.nowMs();
        });
        const IoError refusal{7, "refused"};
        const QMap<QString, std::function<void()>> events = {
            {"G", [&] { rig.line.receive("G"); }},
            {"cancel", [&] { download.cancel(); }},
            {"lose", [&] { rig.line.lose("unplugged"); }},
            {"refuse", [&] { rig.line.writeFailure = refusal; }},
            {"close", [&] { rig.line.close(); }}};
        if (!event.isEmpty())
            rig.clock.after(event.section(' ', 1).toInt(), events[event.section(' ', 0, 0)]);
        rig.clock.runUntilIdle(0); // an event at 0 comes first
        const ConfigImage image = ConfigImage::of(BandMaps(), VoltageTables());
        download.start(image);
        rig.clock.runUntilIdle();
        QCOMPARE(rig.line.times(), times);
        QCOMPARE((QList<qint64>{result.outcome, result.section ? int(*result.section) : -1, endedAt,
                                started.size()}),
                 (QList<qint64>{outcome, section, endMs, sections}));
        const bool endRecord = outcome != DownloadResult::LineLost &&
                               outcome != DownloadResult::PortClosed &&
                               outcome != DownloadResult::NotSent;
        for (qsizetype i = 0; i < rig.line.writes.size(); ++i)
            QCOMPARE(rig.line.writes[i], i == 0 ? image.lines()[0]
                                         : i + 1 == rig.line.writes.size() && endRecord
                                             ? QByteArray(":00000001FF\r\n")
                                             : image.lines()[i] + "\r\n");
    }

    void startup_data() {
        const Rows<StartupCase> row;
        row("no port", {false, false});
        row("the box found", {true, false});
        row("closed during the search", {true, true});
    }
    void startup() {
        const auto& [portOpens, cancelled] = fetch<StartupCase>();
        Rig rig(false);
        if (!portOpens)
            rig.line.refused.insert(1, OpenFailure{});
        rig.line.answer([](const QByteArray& b) { return b == kQuery; }, "BDV:BDX4:2.17;", 100);
        StartupJob startup(rig.connection, rig.clock);
        QStringList said;
        connect(&startup, &StartupJob::portOpened, this, [&](const PortOpenResult& r) {
            said << QStringLiteral("port %1").arg(r.opened);
            startup.proceed();
        });
        connect(&startup.search(), &BoxSearch::firmwareReported, this, [&](const QString& version) {
            said << version;
            startup.search().acknowledgeFirmware();
        });
        connect(&startup, &StartupJob::searchFinished, this, [&](const SearchResult& r) {
            // The start-up ends only once the user has seen how the search ended.
            said << QStringLiteral("search %1").arg(r.outcome);
            startup.proceed();
        });
        connect(&startup, &StartupJob::finished, this,
                [&](bool cancelled) { said << QStringLiteral("end %1").arg(cancelled); });
        if (cancelled)
            rig.clock.after(450, [&] { startup.cancel(); });
        startup.start();
        rig.clock.runUntilIdle();
        QVERIFY(!startup.isRunning());
        QCOMPARE(said.join(", "), cancelled   ? "port 1, end 1"
                                  : portOpens ? "port 1, 2.17, search 0, end 0"
                                              : "port 0, end 0");
        QCOMPARE(rig.line.times(), portOpens ? (cancelled ? "0" : "0 600") : "");
    }

    void resultTexts() {
        using R = DownloadResult;
        const QString check = "\r\n\r\nPlease check:\r\n- the OP/DL switch on your BDX4 is set to "
                              "DL (toward Power jack);\r\n- ";
        const auto cable =
            "\r\n- the serial cable and the USB serial adapter are firmly connected.";
        const QList<std::tuple<R::Outcome, int, ChoiceHint, QString>> cases = {
            {R::NotAcknowledged, 0, ChoiceHint::Menu,
             "Download failed in section HF Band Data" + check +
                 "the BAUD rate in the COMM menu is the one set via the jumpers in your BDX4;" +
                 cable},
            {R::NotAcknowledged, 4, ChoiceHint::CommandLine,
             "Download failed in section AN2 Band Voltages" + check +
                 "--baud gives the BAUD rate set via the jumpers in your BDX4;" + cable},
            {R::LineLost, 2, ChoiceHint::Menu,
             "Download failed in section Accessory Data\r\n\r\nThe serial line on COM1 was lost "
             "(why)."},
            {R::NotSent, 5, ChoiceHint::CommandLine,
             "Download failed in section AN3 Band Voltages\r\n\r\nwhy"},
            {R::NotSent, -1, ChoiceHint::Menu, "Nothing could be sent to the BDX4 on COM1:\r\nwhy"},
            {R::Cancelled, 1, ChoiceHint::Menu, "Download cancelled in section VHF Band Data"},
            {R::PortClosed, -1, ChoiceHint::Menu,
             "The serial port COM1 is not open, so nothing was sent to the BDX4.\r\n\r\nChoose"}};
        for (const auto& [outcome, section, hint, text] : cases) {
            const R result{outcome, section < 0 ? std::nullopt : std::optional(Section(section)),
                           "why", "G"};
            const ResultText shown = ResultTexts::downloadFailed(result, "COM1", hint);
            QVERIFY2(shown.text.startsWith(text), qPrintable(shown.text));
            QCOMPARE(shown.text.contains("OP/DL"), outcome == R::NotAcknowledged);
            QCOMPARE(shown.title, outcome == R::PortClosed ? "" : "BDX4: G");
        }
        const ResultText lost =
            ResultTexts::searchFailed({SearchResult::LineLost, {}, "gone"}, "COM2");
        QVERIFY(
            lost.text.startsWith("The serial line on COM2 was lost (gone).\r\n\r\nNo BDX4 found."));

        // In German the texts change, but what the program and the box read stays byte for byte.
        const BandMaps maps;
        const VoltageTables volts;
        const auto filesIn = [&](const QDir& dir) {
            const bool failed =
                writeMapStore(dir.filePath("1"), {maps.storedMaps(), true}) ||
                createEmptyMapStore(dir.filePath("2")) ||
                writeVoltageStore(dir.filePath("3"), volts) ||
                createVoltageStore(dir.filePath("4")) ||
                exportConfiguration(dir.filePath("5"), ConfigImage::of(maps, volts));
            QByteArray all = failed ? "not written|" : "";
            for (const char* name : {"1", "2", "3", "4", "5"})
                all += readFile(dir.filePath(name)) + '|';
            return all;
        };
        QTemporaryDir english, german;
        const QByteArray inEnglish = filesIn(QDir(english.path()));
        Translations translations;
        QCOMPARE(translations.install({"de-DE", "de"}), QStringLiteral("de"));
        const R silent{R::NotAcknowledged, Section::Hf, {}, "G"};
        const QString menu = ResultTexts::downloadFailed(silent, "COM1").text;
        QVERIFY2(
            menu.startsWith("Übertragung im Abschnitt KW-Banddaten fehlgeschlagen\r\n\r\nBitte "
                            "prüfen Sie:\r\n- Der Schalter OP/DL") &&
                menu.contains("im Menü „Schnittstelle“"),
            qPrintable(menu));
        QVERIFY(ResultTexts::downloadFailed(silent, "", ChoiceHint::CommandLine)
                    .text.contains("\r\n- --baud gibt die mit den Jumpern"));
        QCOMPARE(filesIn(QDir(german.path())), inEnglish);
        QVERIFY( // Qt's own words too, where the system has them
            !QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm") ||
            QCoreApplication::translate("QPlatformTheme", "&Yes") != "&Yes");
    }
};

QTEST_GUILESS_MAIN(TestJobs)
#include "tst_jobs.moc"
