// The device link: opening the port, the receive handler and reply parser, the waits and the box
// search, on a fake line and virtual time.
#include "link/Link.h"
#include "support/FakeClock.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeProgressWindow.h"
#include "support/FakeSerialLine.h"
#include "support/FakeStatusBox.h"

#include <QtTest>

using namespace bdx4;

namespace {

const QByteArray kQuery = kVersionQuery.toLatin1();
const QString kFirmwareBox = QStringLiteral("BDX4 Connected|BDX4 Firmware = ");

/// "BDV", six characters, a four-character version and ";": the box's 14-character answer.
QByteArray versionReply(const char* version = "1.23") {
    return QByteArray("BDV,BDX4,") + version + ';';
}

QStringList firmwareBoxes(const QStringList& versions) {
    QStringList boxes;
    for (const QString& version : versions)
        boxes << kFirmwareBox + version;
    return boxes;
}

struct Rig {
    test::FakeClock clock;
    test::FakeSerialLine line{&clock};
    test::FakeMessageBoxes boxes;
    test::FakeMenuMarks marks;
    test::FakeStatusBox status;
    test::FakeProgressWindow progress;
    Link link{line, boxes, marks, clock, status, progress};
    int queries = 0;

    LinkState& s() { return link.state(); }
    void open() {
        link.OpenPort();
        QVERIFY(s().PortReady);
        line.log.clear();
    }
    /// The box answers every version query from number `first` (1-based) on with `reply` after
    /// 100 ms; with `first` 0 it answers only the lone ";" that opens the search.
    void answerQueries(const QByteArray& reply, int first = 1) {
        line.onOutput = [this, reply, first](const QByteArray& text) {
            if (first == 0 ? line.writes.size() == 1 : text == kQuery && ++queries >= first)
                clock.after(100, [this, reply] { line.deliver(reply); });
        };
    }
    /// Every box shown, as "title|text".
    QStringList shown() const {
        QStringList all;
        for (const MessageRequest& box : boxes.shown)
            all << box.title + QLatin1Char('|') + box.text;
        return all;
    }
};

} // namespace

class TestLink : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void receiveHandler_data() {
        QTest::addColumn<bool>("queried");     // OutString holds the version query
        QTest::addColumn<QString>("arrivals"); // one arrival per "|"
        QTest::addColumn<bool>("ack");
        QTest::addColumn<QString>("replyCode");
        QTest::addColumn<QString>("rxBuffer");
        QTest::addColumn<QString>("versions"); // firmware boxes shown, one per " "
        const auto row = [](const char* name, bool queried, const char* in, bool ack,
                            const char* code, const char* rx, const char* versions) {
            QTest::newRow(name) << queried << QString(in) << ack << QString(code) << QString(rx)
                                << QString(versions);
        };
        row("split over three", true, "BDV,BD|X4,1.2|3;", false, "BDV", "", "1.23");
        row("pieces wait for ;", true, "BDV,BD|X4,1.2", false, "", "BDV,BDX4,1.2", "");
        row("G drops text unparsed", true, "abcG", true, "", "", "");
        row("G then lone ;", false, "G;", true, ";", "", "");
        row("lower-case g is no ack", true, "g", false, "", "g", "");
        row("lower-case bdv", true, "bdv,BDX4,1.23;", false, "bdv", "", "1.23");
        row("lower-case bdx4", true, "BDV,bdx4,1.23;", false, "BDV", "", "1.23");
        row("14 with BDX4, not BDV", true, "XYZ,BDX4,1.23;", false, "XYZ", "", "1.23");
        row("no product name", true, "BDV,BDX5,1.23;", false, "", "", "");
        row("another length", true, "BDV,BDX4,1.2;", false, "BDV", "", "");
        row("query not outstanding", false, "BDV,BDX4,1.23;", false, "BDV", "", "");
        row("two replies", true, "BDV,BDX4,1.11;BDV,BDX4,2.22;", false, "BDV", "", "1.11 2.22");
        row("rest waits", false, "G12;34", true, "12;", "34", "");
        row("G ends a reply unparsed", false, "BDV,BDX4,1.2|G|3;", true, "3;", "", "");
    }
    void receiveHandler() {
        QFETCH(bool, queried);
        QFETCH(QString, arrivals);
        QFETCH(QString, rxBuffer);
        QFETCH(QString, versions);
        Rig rig;
        rig.s().OutString = queried ? kVersionQuery : QStringLiteral(";");
        QByteArray waiting; // what the last arrival found in the buffer
        const QByteArrayList pieces = arrivals.toLatin1().split('|');
        for (const QByteArray& text : pieces) {
            waiting = rig.s().RxBuffer;
            rig.line.deliver(text);
        }
        QTEST(rig.s().AckSeen, "ack");
        QTEST(rig.s().ReplyCode, "replyCode");
        QCOMPARE(rig.s().RxBuffer, rxBuffer.toLatin1());
        const QStringList shown = versions.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(rig.shown(), firmwareBoxes(shown));
        QCOMPARE(rig.s().FirmwareRev, shown.value(shown.size() - 1));
        QCOMPARE(rig.s().RxCopy, waiting + pieces.last()); // the buffer after the last arrival
    }

    void firmwareBoxLetsTheHandlerRunAgainSafely() {
        Rig rig;
        rig.s().OutString = kVersionQuery;
        bool connectedWhileOpen = true;
        // While the first box is open an ack, a whole reply and the start of another arrive.
        rig.boxes.onShow = [&](const MessageRequest&) {
            if (rig.boxes.shown.size() == 1) {
                connectedWhileOpen = rig.s().BoxConnected;
                rig.line.deliver("G" + versionReply("3.33") + "BDV,BD");
            }
        };
        rig.line.deliver(versionReply("1.11") + versionReply("2.22"));
        QCOMPARE(rig.s().RxBuffer, QByteArray("BDV,BD"));
        QVERIFY(!connectedWhileOpen && rig.s().BoxConnected && rig.s().AckSeen);
        rig.line.deliver("X4,4.44;");
        QCOMPARE(rig.shown(), firmwareBoxes({"1.11", "2.22", "3.33", "4.44"}));
        QCOMPARE(rig.boxes.shown[0].icon, MsgIcon::Information);
        QCOMPARE(rig.boxes.shown[0].buttons, MsgButtons::Ok);
        QVERIFY(rig.s().RxBuffer.isEmpty());
    }

    void textWithoutDelimiterIsBounded() {
        Rig rig;
        rig.s().OutString = kVersionQuery;
        QByteArray noise;
        for (int i = 0; i < 3000; ++i)
            noise += char('a' + i % 26);
        for (int round = 0; round < 4; ++round)
            rig.line.deliver(noise);
        QCOMPARE(rig.s().RxBuffer, (noise + noise).right(kRxLimit)); // the newest text is kept
        QCOMPARE(rig.s().RxCopy, rig.s().RxBuffer);
        rig.line.deliver("G" + versionReply()); // and the line recovers at the next delimiter
        QVERIFY(rig.s().AckSeen);
        QCOMPARE(rig.shown(), firmwareBoxes({"1.23"}));
        QVERIFY(rig.s().RxBuffer.isEmpty());
    }

    void waitForAck_data() {
        QTest::addColumn<bool>("ackedBefore");
        QTest::addColumn<int>("ackAtMs"); // -1: never
        QTest::addColumn<int>("endAtMs"); // the program begins to end; -1: never
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("elapsedMs");
        QTest::addColumn<int>("steps");
        QTest::newRow("ack at 100 ms noticed at 300") << false << 100 << -1 << true << 300 << 1;
        QTest::newRow("ack at 650 ms noticed at 900") << false << 650 << -1 << true << 900 << 3;
        QTest::newRow("ack right at the end of a step") << false << 300 << -1 << true << 300 << 1;
        QTest::newRow("acked before still waits 300") << true << -1 << -1 << true << 300 << 1;
        QTest::newRow("unacknowledged gives up at 900") << false << -1 << -1 << false << 900 << 3;
        QTest::newRow("ack after the wait is too late") << false << 950 << -1 << false << 900 << 3;
        QTest::newRow("program ending stops the wait") << false << -1 << 100 << false << 100 << 1;
    }
    void waitForAck() {
        QFETCH(bool, ackedBefore);
        QFETCH(int, ackAtMs);
        QFETCH(int, endAtMs);
        Rig rig;
        rig.s().AckSeen = ackedBefore;
        if (ackAtMs >= 0)
            rig.clock.at(ackAtMs, [&] { rig.line.deliver("G"); });
        if (endAtMs >= 0)
            rig.clock.at(endAtMs, [&] { rig.clock.beginEnding(); });
        QTEST(rig.link.WaitForAck(), "result");
        QTEST(int(rig.clock.nowMs()), "elapsedMs");
        QTEST(int(rig.clock.waits.size()), "steps");
        QCOMPARE(rig.clock.waits.count(300), rig.clock.waits.size());
    }

    void openPort_data() {
        QTest::addColumn<int>("comPort");
        QTest::addColumn<int>("startPort");
        QTest::addColumn<QString>("speed");      // "fast" is refused by the serial layer
        QTest::addColumn<QList<int>>("failing"); // port n refuses to open with error n
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QStringList>("boxes"); // "title|text"
        QTest::addColumn<int>("openOn");        // 0: nothing open
        const auto row = [](const char* name, int com, int start, const char* speed,
                            QList<int> failing, int attempts, QStringList boxes, int openOn) {
            QTest::newRow(name) << com << start << QString(speed) << failing << attempts << boxes
                                << openOn;
        };
        const QString none = QStringLiteral("Error COM Ports|Try selecting another COMM port.");
        const QString com5 = QStringLiteral("Error Opening COM5|5: COM5 refused");
        row("opens 8N1 at the speed", 3, 3, "9600", {}, 1, {}, 3);
        row("start port fails: one attempt", 3, 3, "4800", {3}, 1,
            {"Error Opening COM3|3: COM3 refused", none}, 0);
        row("falls back to the start port", 5, 2, "4800", {5}, 2,
            {com5, "Reopened COM2|COM5 didn't work."}, 2);
        row("both ports fail", 5, 2, "4800", {5, 2}, 2,
            {com5, "Error Opening COM2|2: COM2 refused", none}, 0);
        row("speed refused", 1, 1, "fast", {}, 0,
            {"Error Opening COM1|7: speed not accepted", none}, 0);
    }
    void openPort() {
        QFETCH(int, comPort);
        QFETCH(int, startPort);
        QFETCH(QString, speed);
        QFETCH(QList<int>, failing);
        QFETCH(int, openOn);
        Rig rig;
        rig.s().ComPort = comPort;
        rig.s().StartComPort = startPort;
        rig.s().BaudRate = speed;
        for (int port : failing)
            rig.line.openFailures[port] = {port, QStringLiteral("COM%1 refused").arg(port)};
        if (speed == QLatin1String("fast"))
            rig.line.settingsFailure = PlatformError{7, QStringLiteral("speed not accepted")};
        rig.link.OpenPort();
        QCOMPARE(rig.line.log.mid(0, 2),
                 (QStringList{QStringLiteral("port %1").arg(comPort),
                              QStringLiteral("settings ") + speed + QStringLiteral(",n,8,1")}));
        QTEST(int(rig.line.log.count(QStringLiteral("open"))), "attempts");
        QTEST(rig.shown(), "boxes");
        QCOMPARE(rig.s().PortReady ? rig.s().ComPort : 0, openOn);
        QCOMPARE(rig.line.portOpen() ? rig.line.openedPort : 0, openOn);
        QVERIFY(rig.marks.marks.isEmpty()); // after a fallback the mark still names the failed port
    }

    void menusTakeEffectAtNextOpen() {
        Rig rig;
        rig.open();
        const QStringList speeds{"4800", "9600", "19200", "38400"};
        for (int item : {2, 4, 1, 3}) {
            rig.link.ConfigMenu_RS232_Click(item);
            QCOMPARE(rig.s().BaudRate, speeds[item - 1]);
        }
        rig.link.Use_COM_Click(1);
        rig.link.Use_COM_Click(16);
        QVERIFY(rig.line.log.isEmpty()); // the open line keeps its port and speed
        QStringList checked = rig.marks.marks.keys(true);
        checked.sort();
        QCOMPARE(checked, (QStringList{"ConfigMenu_RS232_3", "Use_COM_16"}));
        rig.link.OpenPort();
        QCOMPARE(rig.line.log, (QStringList{"close", "port 16", "settings 19200,n,8,1", "open"}));
        rig.link.ClosePort();
        QVERIFY(!rig.line.portOpen());
    }

    void seekBox_data() {
        QTest::addColumn<QByteArray>("reply"); // empty: a silent box
        QTest::addColumn<int>("firstAnswered");
        QTest::addColumn<int>("queries");
        QTest::addColumn<int>("firmwareBoxes");
        QTest::addColumn<bool>("errorBox");
        const auto row = [](const char* name, const char* reply, int first, int queries,
                            int firmwareBoxes, bool errorBox) {
            QTest::newRow(name) << QByteArray(reply) << first << queries << firmwareBoxes
                                << errorBox;
        };
        row("found at the first query", "BDV,BDX4,1.23;", 1, 1, 1, false);
        row("found on a retry", "BDV,BDX4,7.01;", 3, 3, 1, false);
        row("silent: twelve queries, then the box", "", 1, 12, 0, true);
        row("reply to the lone ; never counts", "BDV,BDX4,1.23;", 0, 12, 0, true);
        row("wrong length ends, no firmware box", "BDV,BDX4,1.2;", 1, 1, 0, true);
        row("14 without BDV: a box per query", "XYZ,BDX4,1.23;", 1, 12, 12, false);
        row("lower-case bdv does not end it", "bdv,BDX4,1.23;", 1, 12, 12, false);
        row("another product keeps searching", "BDV,BDX5,1.23;", 1, 12, 0, true);
        row("two replies at once, two boxes", "BDV,BDX4,1.23;BDV,BDX4,1.23;", 1, 1, 2, false);
    }
    void seekBox() {
        QFETCH(QByteArray, reply);
        QFETCH(int, firstAnswered);
        QFETCH(int, queries);
        QFETCH(int, firmwareBoxes);
        QFETCH(bool, errorBox);
        Rig rig;
        rig.open();
        rig.status.setText(QStringLiteral("Last Send Passed!"));
        if (!reply.isEmpty())
            rig.answerQueries(reply, firstAnswered);
        rig.link.SeekBox();

        // The lone ";" at 0, the query at 600 ms, then each retry as ";" and the query together,
        // 300 ms apart; the search ends 300 ms after the last query.
        QList<QPair<qint64, QByteArray>> expected{{0, ";"}, {600, kQuery}};
        for (qint64 at = 900; at < 600 + 300 * queries; at += 300)
            expected << qMakePair(at, QByteArray(";")) << qMakePair(at, kQuery);
        QList<QPair<qint64, QByteArray>> writes;
        for (const auto& write : rig.line.writes)
            writes << qMakePair(write.atMs, write.text);
        QCOMPARE(writes, expected);
        QCOMPARE(rig.clock.nowMs(), qint64(600 + 300 * queries));
        // The bar shows each retry round's count; a search no "BDV" ended shows 11 last.
        QList<int> bar;
        for (int value = 0; value <= (queries == 12 ? 11 : queries - 2); ++value)
            bar << value;
        QCOMPARE(rig.progress.values, bar);
        QVERIFY(rig.progress.opened == 1 && !rig.progress.isOpen);
        QCOMPARE(rig.status.text(), QString());

        QStringList boxes(firmwareBoxes, kFirmwareBox + QString::fromLatin1(reply.mid(9, 4)));
        if (errorBox)
            boxes << QStringLiteral(
                "Error connecting to a BDX4|"
                "No BDX4 found.  Please check this program's COM settings.\r\n\r\n"
                "Use the COMM pull-down menu to select the correct Port and BAUD rate\r\n"
                "that has been set via the jumpers in your BDX4 (see manual).\r\n\r\n"
                "Also be sure the OP/DL switch on your BDX4 is set to DL (toward Power jack).");
        QCOMPARE(rig.shown(), boxes);
        QCOMPARE(rig.s().BoxConnected, firmwareBoxes > 0);
        QVERIFY(rig.s().PortReady && rig.line.portOpen());
    }

    void testForBdx4SeeksOnlyWhenPortOpened() {
        Rig rig;
        rig.line.openFailures[1] = {2, QStringLiteral("taken")};
        rig.link.Test_BDX4_Click();
        QVERIFY(rig.line.writes.isEmpty());
        QCOMPARE(rig.progress.opened, 0);
        rig.line.openFailures.clear();
        rig.answerQueries(versionReply());
        rig.link.Test_BDX4_Click();
        QVERIFY(rig.s().BoxConnected);
    }

    void seekStopsWhenProgramEnds() {
        Rig rig;
        rig.open();
        rig.clock.at(1000, [&] { rig.clock.beginEnding(); });
        rig.link.SeekBox();
        QCOMPARE(rig.clock.nowMs(), qint64(1000));
        QCOMPARE(rig.line.writes.last().atMs, qint64(900));
        QVERIFY(rig.boxes.shown.isEmpty());
        QVERIFY(!rig.progress.isOpen && !rig.link.seekRunning());
    }
};

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
