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

/// "BDV", six characters, a four-character version and ";": the box's 14-character answer.
QByteArray versionReply(const char* version = "1.23") {
    return QByteArray("BDV,BDX4,") + version + ';';
}

struct Rig {
    test::FakeClock clock;
    test::FakeSerialLine line{&clock};
    test::FakeMessageBoxes boxes;
    test::FakeMenuMarks marks;
    test::FakeStatusBox status;
    test::FakeProgressWindow progress;
    Link link{line, boxes, marks, clock, status, progress};

    LinkState& s() { return link.state(); }

    /// Opens the fake port the way the program does.
    void open() {
        link.OpenPort();
        QVERIFY(s().PortReady);
        line.log.clear();
    }
    /// The box answers every version query with `reply` after 100 ms, from query number
    /// `firstAnswered` (1-based) on.
    void answerQueries(const QByteArray& reply, int firstAnswered = 1) {
        line.onOutput = [this, reply, firstAnswered](const QByteArray& text) {
            if (text == kVersionQuery.toLatin1() && ++queries >= firstAnswered)
                clock.after(100, [this, reply] { line.deliver(reply); });
        };
    }
    int queryCount() const { return line.written().count(kVersionQuery.toLatin1()); }
    QStringList boxTexts() const {
        QStringList texts;
        for (const MessageRequest& box : boxes.shown)
            texts << box.text;
        return texts;
    }
    int queries = 0;
};

} // namespace

class TestLink : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void receiveHandler_data();
    void receiveHandler();
    void firmwareBoxLooksAsTheBoxSays();
    void twoVersionRepliesShowTwoBoxes();
    void reenteredHandlerParsesEachSegmentOnceInOrder();
    void ackArrivingWhileFirmwareBoxIsOpenIsSeen();
    void textWithoutDelimiterIsBounded();

    void waitForAckTiming_data();
    void waitForAckTiming();
    void waitsStopWhenProgramEnds();
    void delayUnitsMultipliesInPlace();

    void openPortConfiguresTheLine();
    void reopeningClosesFirst();
    void failingStartPortGivesOneAttempt();
    void fallbackToStartPort();
    void bothPortsFail();
    void badSpeedFailsAtSettingsStep();
    void menusChangeOnlyMarksAndChoice();

    void seekFindsBoxAtFirstQuery();
    void seekFindsBoxOnRetry();
    void silentBoxGivesUpAfterTwelveQueries();
    void seekOutcomes_data();
    void seekOutcomes();
    void replyToLoneSeparatorNeverCounts();
    void testForBdx4SeeksOnlyWhenPortOpened();
    void seekStopsWhenProgramEnds();
};

// ---- receive handler and parser ----

void TestLink::receiveHandler_data() {
    QTest::addColumn<QString>("outString");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<bool>("ack");
    QTest::addColumn<QString>("replyCode");
    QTest::addColumn<QByteArray>("rxBuffer");
    QTest::addColumn<QStringList>("boxTexts");

    const QString q = kVersionQuery;
    const QStringList none;
    const QStringList fw123{QStringLiteral("BDX4 Firmware = 1.23")};
    QTest::newRow("reply split over three arrivals")
        << q << QList<QByteArray>{"BDV,BD", "X4,1.2", "3;"} << false << "BDV" << QByteArray()
        << fw123;
    QTest::newRow("pieces wait for their separator")
        << q << QList<QByteArray>{"BDV,BD", "X4,1.2"} << false << "" << QByteArray("BDV,BDX4,1.2")
        << none;
    QTest::newRow("ordinary characters then G are discarded")
        << q << QList<QByteArray>{"abcG"} << true << "" << QByteArray() << none;
    QTest::newRow("G then lone separator")
        << QStringLiteral("x") << QList<QByteArray>{"G;"} << true << ";" << QByteArray() << none;
    QTest::newRow("lower-case g is no acknowledgement")
        << q << QList<QByteArray>{"g"} << false << "" << QByteArray("g") << none;
    QTest::newRow("lower-case bdv still shows the version")
        << q << QList<QByteArray>{"bdv,BDX4,1.23;"} << false << "bdv" << QByteArray() << fw123;
    QTest::newRow("lower-case product name passes")
        << q << QList<QByteArray>{"BDV,bdx4,1.23;"} << false << "BDV" << QByteArray() << fw123;
    QTest::newRow("14 characters with BDX4 but not BDV")
        << q << QList<QByteArray>{"XYZ,BDX4,1.23;"} << false << "XYZ" << QByteArray() << fw123;
    QTest::newRow("no product name clears the code")
        << q << QList<QByteArray>{"BDV,BDX5,1.23;"} << false << "" << QByteArray() << none;
    QTest::newRow("product name at another length")
        << q << QList<QByteArray>{"BDV,BDX4,1.2;"} << false << "BDV" << QByteArray() << none;
    QTest::newRow("version reply while the query is not outstanding")
        << QStringLiteral(";") << QList<QByteArray>{"BDV,BDX4,1.23;"} << false << "BDV"
        << QByteArray() << none;
    QTest::newRow("text after the last delimiter waits")
        << QStringLiteral(";") << QList<QByteArray>{"G12;34"} << true << "12;" << QByteArray("34")
        << none;
    QTest::newRow("G ends a reply unparsed")
        << QStringLiteral("x") << QList<QByteArray>{"BDV,BDX4,1.2", "G", "3;"} << true << "3;"
        << QByteArray() << none;
}

void TestLink::receiveHandler() {
    QFETCH(QString, outString);
    QFETCH(QList<QByteArray>, chunks);
    Rig rig;
    rig.s().OutString = outString;
    QByteArray all;
    for (const QByteArray& chunk : chunks) {
        rig.line.deliver(chunk);
        all += chunk;
    }
    QTEST(rig.s().AckSeen, "ack");
    QTEST(rig.s().ReplyCode, "replyCode");
    QTEST(rig.s().RxBuffer, "rxBuffer");
    QTEST(rig.boxTexts(), "boxTexts");
    // RxCopy is the buffer as it stood right after the last arrival.
    QVERIFY(all.endsWith(rig.s().RxCopy));
    QVERIFY(rig.s().RxCopy.endsWith(chunks.last()));
}

void TestLink::firmwareBoxLooksAsTheBoxSays() {
    Rig rig;
    rig.s().OutString = kVersionQuery;
    bool connectedWhileOpen = true;
    rig.boxes.onShow = [&](const MessageRequest&) { connectedWhileOpen = rig.s().BoxConnected; };
    rig.line.deliver("BDV,BDX4,2.0a;");
    QCOMPARE(rig.boxes.shown.size(), 1);
    const MessageRequest& box = rig.boxes.shown.first();
    QCOMPARE(box.text, QStringLiteral("BDX4 Firmware = 2.0a"));
    QCOMPARE(box.title, QStringLiteral("BDX4 Connected"));
    QCOMPARE(box.icon, MsgIcon::Information);
    QCOMPARE(box.buttons, MsgButtons::Ok);
    QCOMPARE(rig.s().FirmwareRev, QStringLiteral("2.0a"));
    QVERIFY(!connectedWhileOpen); // the box counts only once it is closed
    QVERIFY(rig.s().BoxConnected);
}

void TestLink::twoVersionRepliesShowTwoBoxes() {
    Rig rig;
    rig.s().OutString = kVersionQuery;
    rig.line.deliver(versionReply("1.11") + versionReply("2.22"));
    QCOMPARE(rig.boxTexts(), (QStringList{QStringLiteral("BDX4 Firmware = 1.11"),
                                          QStringLiteral("BDX4 Firmware = 2.22")}));
    QCOMPARE(rig.s().FirmwareRev, QStringLiteral("2.22"));
}

void TestLink::reenteredHandlerParsesEachSegmentOnceInOrder() {
    Rig rig;
    rig.s().OutString = kVersionQuery;
    // While the first box is open more text arrives: a whole reply and the start of another.
    rig.boxes.onShow = [&](const MessageRequest& box) {
        if (box.text.endsWith(QLatin1String("1.11")))
            rig.line.deliver(versionReply("3.33") + "BDV,BD");
    };
    rig.line.deliver(versionReply("1.11") + versionReply("2.22"));
    QCOMPARE(rig.boxTexts(), (QStringList{QStringLiteral("BDX4 Firmware = 1.11"),
                                          QStringLiteral("BDX4 Firmware = 2.22"),
                                          QStringLiteral("BDX4 Firmware = 3.33")}));
    QCOMPARE(rig.s().RxBuffer, QByteArray("BDV,BD"));
    rig.line.deliver("X4,4.44;");
    QCOMPARE(rig.boxes.shown.size(), 4);
    QCOMPARE(rig.boxes.shown.last().text, QStringLiteral("BDX4 Firmware = 4.44"));
    QVERIFY(rig.s().RxBuffer.isEmpty());
}

void TestLink::ackArrivingWhileFirmwareBoxIsOpenIsSeen() {
    Rig rig;
    rig.s().OutString = kVersionQuery;
    bool ackWhileOpen = false;
    rig.boxes.onShow = [&](const MessageRequest&) {
        rig.line.deliver("G");
        ackWhileOpen = rig.s().AckSeen;
    };
    rig.line.deliver(versionReply());
    QVERIFY(ackWhileOpen);
    QVERIFY(rig.s().AckSeen);
    QCOMPARE(rig.boxes.shown.size(), 1);
}

void TestLink::textWithoutDelimiterIsBounded() {
    Rig rig;
    rig.s().OutString = kVersionQuery;
    QByteArray noise;
    for (int i = 0; i < 3000; ++i)
        noise += char('a' + i % 26);
    for (int round = 0; round < 4; ++round)
        rig.line.deliver(noise);
    QCOMPARE(rig.s().RxBuffer.size(), kRxLimit);
    QVERIFY((noise + noise).endsWith(rig.s().RxBuffer)); // the newest text is kept
    QVERIFY(rig.s().RxCopy.size() <= kRxLimit);
    QVERIFY(!rig.s().AckSeen);
    // The line recovers as soon as a delimiter comes.
    rig.line.deliver("G" + versionReply());
    QVERIFY(rig.s().AckSeen);
    QCOMPARE(rig.boxTexts(), QStringList{QStringLiteral("BDX4 Firmware = 1.23")});
    QVERIFY(rig.s().RxBuffer.isEmpty());
}

// ---- waits ----

void TestLink::waitForAckTiming_data() {
    QTest::addColumn<bool>("ackedBefore");
    QTest::addColumn<int>("ackAtMs"); // -1: never
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("elapsedMs");

    QTest::newRow("ack after 100 ms noticed at 300") << false << 100 << true << 300;
    QTest::newRow("ack after 650 ms noticed at 900") << false << 650 << true << 900;
    QTest::newRow("ack right at the end of a step") << false << 300 << true << 300;
    QTest::newRow("already acknowledged still waits 300") << true << -1 << true << 300;
    QTest::newRow("unacknowledged gives up at 900") << false << -1 << false << 900;
    QTest::newRow("ack after the wait is too late") << false << 950 << false << 900;
}

void TestLink::waitForAckTiming() {
    QFETCH(bool, ackedBefore);
    QFETCH(int, ackAtMs);
    Rig rig;
    rig.s().AckSeen = ackedBefore;
    if (ackAtMs >= 0)
        rig.clock.after(ackAtMs, [&] { rig.line.deliver("G"); });
    QTEST(rig.link.WaitForAck(), "result");
    QTEST(int(rig.clock.nowMs()), "elapsedMs");
    for (qint64 step : rig.clock.waits)
        QCOMPARE(step, qint64(300));
}

void TestLink::waitsStopWhenProgramEnds() {
    Rig rig;
    rig.clock.after(100, [&] { rig.clock.beginEnding(); });
    QVERIFY(!rig.link.WaitForAck());
    QCOMPARE(rig.clock.nowMs(), qint64(100));
    QCOMPARE(rig.clock.waits.size(), 1);
    QVERIFY(!rig.link.DelayMs(50));
    QVERIFY(rig.link.ending());
}

void TestLink::delayUnitsMultipliesInPlace() {
    Rig rig;
    int units = 2;
    QVERIFY(rig.link.DelayUnits(units));
    QCOMPARE(units, 600);
    QCOMPARE(rig.clock.nowMs(), qint64(600));
}

// ---- opening the port ----

void TestLink::openPortConfiguresTheLine() {
    Rig rig;
    rig.s().ComPort = rig.s().StartComPort = 3;
    rig.s().BaudRate = QStringLiteral("9600");
    rig.link.OpenPort();
    QVERIFY(rig.s().PortReady);
    QVERIFY(rig.line.portOpen());
    QCOMPARE(rig.line.log, (QStringList{"port 3", "settings 9600,n,8,1", "open"}));
    QVERIFY(rig.boxes.shown.isEmpty());
}

void TestLink::reopeningClosesFirst() {
    Rig rig;
    rig.open();
    rig.link.OpenPort();
    QCOMPARE(rig.line.log, (QStringList{"close", "port 1", "settings 4800,n,8,1", "open"}));
    rig.line.log.clear();
    rig.link.ClosePort();
    QCOMPARE(rig.line.log, QStringList{"close"});
    QVERIFY(!rig.line.portOpen());
}

void TestLink::failingStartPortGivesOneAttempt() {
    Rig rig;
    rig.s().ComPort = rig.s().StartComPort = 3;
    rig.line.openFailures[3] = {2, QStringLiteral("COM3 is taken")};
    rig.link.OpenPort();
    QVERIFY(!rig.s().PortReady);
    QCOMPARE(rig.line.log.count(QStringLiteral("open")), 1);
    QCOMPARE(rig.boxes.shown.size(), 2);
    QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("2: COM3 is taken"));
    QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("Error Opening COM3"));
    QCOMPARE(rig.boxes.shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(rig.boxes.shown[1].text, QStringLiteral("Try selecting another COMM port."));
    QCOMPARE(rig.boxes.shown[1].title, QStringLiteral("Error COM Ports"));
}

void TestLink::fallbackToStartPort() {
    Rig rig;
    rig.s().StartComPort = 2;
    rig.link.Use_COM_Click(5);
    rig.line.openFailures[5] = {1, QStringLiteral("no such device")};
    rig.link.OpenPort();
    QVERIFY(rig.s().PortReady);
    QCOMPARE(rig.s().ComPort, 2);
    QCOMPARE(rig.line.openedPort, 2);
    QCOMPARE(rig.boxes.shown.size(), 2);
    QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("Error Opening COM5"));
    QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("1: no such device"));
    QCOMPARE(rig.boxes.shown[1].text, QStringLiteral("COM5 didn't work."));
    QCOMPARE(rig.boxes.shown[1].title, QStringLiteral("Reopened COM2"));
    // The mark still names the port that failed.
    QVERIFY(rig.marks.isChecked(QStringLiteral("Use_COM_5")));
    QVERIFY(!rig.marks.isChecked(QStringLiteral("Use_COM_2")));
}

void TestLink::bothPortsFail() {
    Rig rig;
    rig.s().StartComPort = 2;
    rig.s().ComPort = 5;
    rig.line.openFailures[5] = {1, QStringLiteral("gone")};
    rig.line.openFailures[2] = {2, QStringLiteral("taken")};
    rig.link.OpenPort();
    QVERIFY(!rig.s().PortReady);
    QVERIFY(!rig.line.portOpen());
    QCOMPARE(rig.boxTexts(),
             (QStringList{"1: gone", "2: taken", "Try selecting another COMM port."}));
    QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("Error Opening COM5"));
    QCOMPARE(rig.boxes.shown[1].title, QStringLiteral("Error Opening COM2"));
}

void TestLink::badSpeedFailsAtSettingsStep() {
    Rig rig;
    rig.s().BaudRate = QStringLiteral("fast");
    rig.line.settingsFailure = PlatformError{7, QStringLiteral("speed not accepted")};
    rig.link.OpenPort();
    QVERIFY(!rig.s().PortReady);
    QCOMPARE(rig.line.log, (QStringList{"port 1", "settings fast,n,8,1"}));
    QCOMPARE(rig.boxTexts(),
             (QStringList{"7: speed not accepted", "Try selecting another COMM port."}));
    QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("Error Opening COM1"));
}

void TestLink::menusChangeOnlyMarksAndChoice() {
    Rig rig;
    rig.open();
    rig.link.Use_COM_Click(1);
    rig.link.Use_COM_Click(16);
    rig.link.ConfigMenu_RS232_Click(2);
    rig.link.ConfigMenu_RS232_Click(3);
    QCOMPARE(rig.s().ComPort, 16);
    QCOMPARE(rig.s().BaudRate, QStringLiteral("19200"));
    QVERIFY(rig.line.log.isEmpty()); // the open line keeps its port and speed
    for (int item = 1; item <= 16; ++item)
        QCOMPARE(rig.marks.isChecked(QStringLiteral("Use_COM_%1").arg(item)), item == 16);
    for (int item = 1; item <= 4; ++item)
        QCOMPARE(rig.marks.isChecked(QStringLiteral("ConfigMenu_RS232_%1").arg(item)), item == 3);
    rig.link.ConfigMenu_RS232_Click(1);
    QCOMPARE(rig.s().BaudRate, QStringLiteral("4800"));
    rig.link.ConfigMenu_RS232_Click(4);
    QCOMPARE(rig.s().BaudRate, QStringLiteral("38400"));
}

// ---- the box search ----

void TestLink::seekFindsBoxAtFirstQuery() {
    Rig rig;
    rig.open();
    rig.status.setText(QStringLiteral("Last Send Passed!"));
    rig.answerQueries(versionReply("1.23"));
    rig.link.SeekBox();
    QCOMPARE(rig.status.text(), QString());
    QCOMPARE(rig.line.writes.size(), 2);
    QCOMPARE(rig.line.writes[0].text, QByteArray(";"));
    QCOMPARE(rig.line.writes[0].atMs, qint64(0));
    QCOMPARE(rig.line.writes[1].text, kVersionQuery.toLatin1());
    QCOMPARE(rig.line.writes[1].atMs, qint64(600));
    QCOMPARE(rig.clock.nowMs(), qint64(900));
    QCOMPARE(rig.boxTexts(), QStringList{QStringLiteral("BDX4 Firmware = 1.23")});
    QVERIFY(rig.s().BoxConnected);
    QCOMPARE(rig.progress.opened, 1);
    QCOMPARE(rig.progress.closed, 1);
    QVERIFY(rig.progress.values.isEmpty());
}

void TestLink::seekFindsBoxOnRetry() {
    Rig rig;
    rig.open();
    rig.answerQueries(versionReply("7.01"), 3);
    rig.link.SeekBox();
    QCOMPARE(rig.queryCount(), 3);
    // A retry is the lone separator and then the query, as two writes at the same moment.
    QCOMPARE(rig.line.writes[2].text, QByteArray(";"));
    QCOMPARE(rig.line.writes[2].atMs, qint64(900));
    QCOMPARE(rig.line.writes[3].text, kVersionQuery.toLatin1());
    QCOMPARE(rig.line.writes[3].atMs, qint64(900));
    QCOMPARE(rig.line.writes[5].atMs, qint64(1200));
    QCOMPARE(rig.clock.nowMs(), qint64(1500));
    QCOMPARE(rig.progress.values, (QList<int>{0, 1}));
    QCOMPARE(rig.s().SeekCount, 11);
    QVERIFY(rig.s().BoxConnected);
    QCOMPARE(rig.boxTexts(), QStringList{QStringLiteral("BDX4 Firmware = 7.01")});
}

void TestLink::silentBoxGivesUpAfterTwelveQueries() {
    Rig rig;
    rig.open();
    rig.link.SeekBox();
    QCOMPARE(rig.queryCount(), 12);
    QCOMPARE(rig.line.writes.last().atMs, qint64(3900));
    QCOMPARE(rig.clock.nowMs(), qint64(4200));
    QCOMPARE(rig.progress.values, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    QVERIFY(!rig.progress.isOpen);
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("Error connecting to a BDX4"));
    QCOMPARE(rig.boxes.shown[0].text,
             QStringLiteral(
                 "No BDX4 found.  Please check this program's COM settings.\r\n\r\n"
                 "Use the COMM pull-down menu to select the correct Port and BAUD rate\r\n"
                 "that has been set via the jumpers in your BDX4 (see manual).\r\n\r\n"
                 "Also be sure the OP/DL switch on your BDX4 is set to DL (toward Power jack)."));
    QVERIFY(!rig.s().BoxConnected);
    QVERIFY(rig.s().PortReady);
    QVERIFY(rig.line.portOpen());
}

void TestLink::seekOutcomes_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("queries");
    QTest::addColumn<int>("firmwareBoxes");
    QTest::addColumn<bool>("errorBox");

    QTest::newRow("wrong length ends the search without a box")
        << QByteArray("BDV,BDX4,1.2;") << 1 << 0 << true;
    QTest::newRow("14 characters without BDV show a box at every query")
        << QByteArray("XYZ,BDX4,1.23;") << 12 << 12 << false;
    QTest::newRow("lower-case bdv does not end the search")
        << QByteArray("bdv,BDX4,1.23;") << 12 << 12 << false;
    QTest::newRow("another product keeps searching")
        << QByteArray("BDV,BDX5,1.23;") << 12 << 0 << true;
    QTest::newRow("two replies at once show two boxes")
        << QByteArray("BDV,BDX4,1.23;BDV,BDX4,1.24;") << 1 << 2 << false;
}

void TestLink::seekOutcomes() {
    QFETCH(QByteArray, reply);
    QFETCH(int, firmwareBoxes);
    QFETCH(bool, errorBox);
    Rig rig;
    rig.open();
    rig.answerQueries(reply);
    rig.link.SeekBox();
    QTEST(rig.queryCount(), "queries");
    QCOMPARE(rig.boxTexts().filter(QStringLiteral("BDX4 Firmware = ")).size(), firmwareBoxes);
    QCOMPARE(rig.boxTexts().contains(seekFailedText()), errorBox);
    QCOMPARE(rig.s().BoxConnected, firmwareBoxes > 0);
}

void TestLink::replyToLoneSeparatorNeverCounts() {
    Rig rig;
    rig.open();
    // The box answers only the very first write, the lone ";", with a perfect version reply.
    rig.line.onOutput = [&](const QByteArray&) {
        if (rig.line.writes.size() == 1)
            rig.clock.after(100, [&] { rig.line.deliver(versionReply()); });
    };
    rig.link.SeekBox();
    QCOMPARE(rig.queryCount(), 12);
    QCOMPARE(rig.boxTexts(), QStringList{seekFailedText()});
    QVERIFY(!rig.s().BoxConnected);
}

void TestLink::testForBdx4SeeksOnlyWhenPortOpened() {
    Rig rig;
    rig.line.openFailures[1] = {2, QStringLiteral("taken")};
    rig.link.Test_BDX4_Click();
    QVERIFY(rig.line.writes.isEmpty());
    QCOMPARE(rig.progress.opened, 0);

    rig.line.openFailures.clear();
    rig.boxes.shown.clear();
    rig.answerQueries(versionReply());
    rig.link.Test_BDX4_Click();
    QVERIFY(rig.s().PortReady);
    QVERIFY(rig.s().BoxConnected);
    QCOMPARE(rig.queryCount(), 1);
}

void TestLink::seekStopsWhenProgramEnds() {
    Rig rig;
    rig.open();
    rig.clock.at(1000, [&] { rig.clock.beginEnding(); });
    rig.link.SeekBox();
    QCOMPARE(rig.clock.nowMs(), qint64(1000));
    for (const auto& write : rig.line.writes)
        QVERIFY(write.atMs < 1000);
    QVERIFY(rig.boxes.shown.isEmpty());
    QVERIFY(!rig.progress.isOpen);
    QVERIFY(!rig.link.seekRunning());
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
