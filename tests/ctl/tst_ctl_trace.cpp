// The serial trace a user attaches to a bug report, and the desktop program's trace of its last
// box search or download, on a fake line and virtual time.

#include "bandmap/BandMaps.h"
#include "bandmap/MatrixGrid.h"
#include "image/Download.h"
#include "link/Link.h"
#include "link/SessionTrace.h"
#include "platform/TracingSerialLine.h"
#include "support/FakeClock.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeProgressWindow.h"
#include "support/FakeSerialLine.h"
#include "support/FakeStatusBox.h"
#include "voltages/Voltages.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using namespace bdx4::test;

namespace {

QStringList traceLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {QStringLiteral("<unreadable>")};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList withPrefix(const QStringList& lines, const QString& text) {
    QStringList found;
    for (const QString& line : lines)
        if (line.contains(text))
            found << line;
    return found;
}

/// The program's link and download on a fake line whose box answers the version query and
/// acknowledges every record 50 ms after it came.
struct Rig {
    explicit Rig(const QString& tracePath)
        : inner(&clock), session(inner, clock, tracePath),
          link(session.line(), boxes, marks, clock, status, progress), maps(grid, boxes, marks),
          downloader(maps, volts, link, status, boxes, clock) {
        session.attach(link);
        downloader.setDownloadStartingHandler([this] { session.downloadStarting(); });
        maps.FillOutputBitMask();
        volts.FillBandCode();
        volts.BuildAnalogTables();
        link.state().BaudRate = QStringLiteral("9600");
        inner.onOutput = [this](const QByteArray& text) {
            if (text == kVersionQuery.toLatin1())
                clock.after(50, [this] { inner.deliver("BDV:BDX4:2.17;"); });
            else if (text.endsWith("\r\n"))
                clock.after(50, [this] { inner.deliver("G"); });
        };
    }

    FakeClock clock;
    FakeSerialLine inner;
    SessionTrace session;
    FakeMessageBoxes boxes;
    FakeMenuMarks marks;
    FakeStatusBox status;
    FakeProgressWindow progress;
    Link link;
    MatrixGrid grid;
    BandMaps maps;
    Voltages volts;
    Downloader downloader;
};

} // namespace

class TestCtlTrace : public QObject {
    Q_OBJECT
private slots:
    void chunkShowsDirectionTextAndHex_data();
    void chunkShowsDirectionTextAndHex();
    void traceRecordsWhatPassesAndPortEvents();
    void beginReplacesTheFileAndFailsCleanly();

    void boxSearchFromPortOpeningIsOneSession();
    void downloadStartsANewSessionButExportDoesNot();
    void searchWithoutOpeningStartsItsOwnSession();
    void unwritableTraceLeavesTheLinkWorking();
};

void TestCtlTrace::chunkShowsDirectionTextAndHex_data() {
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("version query") << true << QByteArray(";BD00;BD73;BDV;")
                                   << QStringLiteral("TX  15 \";BD00;BD73;BDV;\" 3B 42 44 30 30 3B "
                                                     "42 44 37 33 3B 42 44 56 3B");
    QTest::newRow("acknowledgement")
        << false << QByteArray("G") << QStringLiteral("RX   1 \"G\" 47");
    QTest::newRow("record line end")
        << true << QByteArray(":00000001FF\r\n")
        << QStringLiteral("TX  13 \":00000001FF\\r\\n\" 3A 30 30 30 30 30 30 30 31 46 46 0D 0A");
    QTest::newRow("quote and backslash")
        << false << QByteArray("a\"\\") << QStringLiteral("RX   3 \"a\\\"\\\\\" 61 22 5C");
    QTest::newRow("line noise") << false << QByteArray("\x00\x7f\xff", 3)
                                << QStringLiteral("RX   3 \"\\x00\\x7f\\xff\" 00 7F FF");
}

void TestCtlTrace::chunkShowsDirectionTextAndHex() {
    QFETCH(bool, sent);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(SerialTrace::formatChunk(
                 sent ? SerialTrace::Direction::Sent : SerialTrace::Direction::Received, bytes),
             expected);
}

void TestCtlTrace::traceRecordsWhatPassesAndPortEvents() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("trace.txt"));
    FakeClock clock;
    FakeSerialLine inner(&clock);
    inner.openFailures.insert(2, PlatformError{2, QStringLiteral("no such port")});
    SerialTrace trace(clock);
    TracingSerialLine line(inner, trace);
    int received = 0;
    QByteArray taken;
    line.setReceiveHandler([&] {
        ++received;
        taken += line.input();
    });

    clock.waitMs(1000); // the trace counts from its own start
    QVERIFY(trace.begin(path, QStringLiteral("bdx4ctl write --port 1\nsecond line")));
    QVERIFY(trace.active());
    QCOMPARE(trace.path(), path);
    QVERIFY(!line.setCommPort(2));
    QVERIFY(!line.setSettings(QStringLiteral("9600,n,8,1")));
    QVERIFY(line.setPortOpen(true)); // port 2 fails
    QVERIFY(!line.setCommPort(1));
    QVERIFY(!line.setPortOpen(true));
    QVERIFY(line.portOpen());
    clock.waitMs(250);
    QVERIFY(!line.output(";BD00;BD73;BDE;"));
    clock.waitMs(600);
    inner.deliver("G");
    QCOMPARE(received, 1); // the handler behind the trace still hears the box
    QCOMPARE(taken, QByteArray("G"));
    inner.deliver(QByteArray()); // nothing arrived: no line
    trace.note(QStringLiteral("download"));
    QVERIFY(!line.setPortOpen(false));
    QVERIFY(line.output("x")); // the port is closed: the failure is noted too
    trace.end();
    QVERIFY(!trace.active());
    line.output("y"); // after the end nothing more is written

    const QStringList lines = traceLines(path);
    QCOMPARE(lines.value(0), QStringLiteral("# bdx4ctl write --port 1 second line"));
    QVERIFY(lines.value(1).startsWith(QStringLiteral("# started ")));
    QCOMPARE(lines.mid(3),
             (QStringList{
                 QStringLiteral("      0 -- open failed: 2 no such port"),
                 QStringLiteral("      0 -- opened /dev/fake1 at 9600,n,8,1"),
                 QStringLiteral("    250 TX  15 \";BD00;BD73;BDE;\" 3B 42 44 30 30 3B 42 44 37 33 "
                                "3B 42 44 45 3B"),
                 QStringLiteral("    850 RX   1 \"G\" 47"),
                 QStringLiteral("    850 -- download"),
                 QStringLiteral("    850 -- closed /dev/fake1"),
                 QStringLiteral("    850 TX   1 \"x\" 78"),
                 QStringLiteral("    850 -- sending failed: 10 The serial port is not open."),
             }));
}

void TestCtlTrace::beginReplacesTheFileAndFailsCleanly() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("deeper/trace.txt"));
    FakeClock clock;
    SerialTrace trace(clock);
    QVERIFY(trace.begin(path, QStringLiteral("first")));
    trace.chunk(SerialTrace::Direction::Sent, "old");
    QVERIFY(trace.begin(path, QStringLiteral("second")));
    trace.chunk(SerialTrace::Direction::Sent, "new");
    trace.end();
    const QStringList lines = traceLines(path);
    QCOMPARE(lines.value(0), QStringLiteral("# second"));
    QVERIFY(withPrefix(lines, QStringLiteral("\"old\"")).isEmpty());
    QCOMPARE(withPrefix(lines, QStringLiteral("\"new\"")).size(), 1);

    // A folder cannot be created below a plain file.
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(!trace.begin(dir.filePath(QStringLiteral("plain/trace.txt")), QStringLiteral("x")));
    QVERIFY(!trace.active());
    QVERIFY(!trace.error().isEmpty());
    trace.chunk(SerialTrace::Direction::Received, "G"); // no file: nothing happens
    trace.note(QStringLiteral("still fine"));
}

void TestCtlTrace::boxSearchFromPortOpeningIsOneSession() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("last-session-trace.txt"));
    Rig rig(path);
    rig.link.Test_BDX4_Click();
    QVERIFY(rig.link.state().BoxConnected);
    rig.link.Test_BDX4_Click(); // the second search replaces the first
    QVERIFY(rig.link.state().BoxConnected);

    const QStringList lines = traceLines(path);
    QVERIFY2(
        lines.value(0).endsWith(QStringLiteral(": box search on COM1 (/dev/fake1) at 9600 baud")),
        qPrintable(lines.value(0)));
    QCOMPARE(withPrefix(lines, QStringLiteral("# ")).size(), 3); // one session's header
    QCOMPARE(withPrefix(lines, QStringLiteral("-- opened /dev/fake1")).size(), 1);
    QStringList order;
    for (const QString& line : lines) {
        if (line.contains(QStringLiteral("-- opened")))
            order << QStringLiteral("open");
        else if (line.contains(QStringLiteral("-- looking for the box")))
            order << QStringLiteral("search");
        else if (line.contains(QStringLiteral("TX   1 \";\"")))
            order << QStringLiteral(";");
        else if (line.contains(QStringLiteral("\";BD00;BD73;BDV;\"")))
            order << QStringLiteral("query");
        else if (line.contains(QStringLiteral("\"BDV:BDX4:2.17;\"")))
            order << QStringLiteral("reply");
    }
    QCOMPARE(order,
             (QStringList{QStringLiteral("open"), QStringLiteral("search"), QStringLiteral(";"),
                          QStringLiteral("query"), QStringLiteral("reply")}));
}

void TestCtlTrace::downloadStartsANewSessionButExportDoesNot() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("last-session-trace.txt"));
    Rig rig(path);
    rig.link.Test_BDX4_Click();
    rig.downloader.Dload_BDX4_Click();
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));

    ConfigImage image(rig.maps.state(), rig.volts.state());
    const QStringList records = image.DownloadLines();
    QStringList lines = traceLines(path);
    QVERIFY2(
        lines.value(0).endsWith(QStringLiteral(": download on COM1 (/dev/fake1) at 9600 baud")),
        qPrintable(lines.value(0)));
    QVERIFY(withPrefix(lines, QStringLiteral("BDV")).isEmpty()); // the search is gone
    // The command, then each record followed by its "G".
    QStringList wire;
    for (const QString& line : lines) {
        const qsizetype quote = line.indexOf(QLatin1Char('"'));
        if (quote > 0)
            wire << line.mid(quote + 1, line.indexOf(QLatin1Char('"'), quote + 1) - quote - 1);
    }
    QStringList expected{records[0]};
    for (qsizetype i = 1; i < records.size(); ++i)
        expected << records[i] + QStringLiteral("\\r\\n") << QStringLiteral("G");
    QCOMPARE(wire, expected);

    // An export is no conversation with the box: the trace stays as it was.
    rig.downloader.WriteBandmapToFile_Click(
        [&dir] { return dir.filePath(QStringLiteral("export.txt")); });
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("export.txt"))));
    QCOMPARE(traceLines(path), lines);
}

void TestCtlTrace::searchWithoutOpeningStartsItsOwnSession() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("last-session-trace.txt"));
    Rig rig(path);
    rig.link.OpenPort();
    rig.downloader.Dload_BDX4_Click();
    rig.link.SeekBox(); // not after an opening of the port: a session of its own
    QVERIFY(rig.link.state().BoxConnected);
    const QStringList lines = traceLines(path);
    QVERIFY(lines.value(0).contains(QStringLiteral(": box search on ")));
    QVERIFY(withPrefix(lines, QStringLiteral("-- opened")).isEmpty());
    QVERIFY(withPrefix(lines, QStringLiteral(":00000001FF")).isEmpty());
    QCOMPARE(withPrefix(lines, QStringLiteral("-- looking for the box")).size(), 1);
}

void TestCtlTrace::unwritableTraceLeavesTheLinkWorking() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    Rig rig(dir.filePath(QStringLiteral("plain/last-session-trace.txt")));
    rig.link.Test_BDX4_Click();
    QVERIFY(!rig.session.active());
    QVERIFY(rig.link.state().BoxConnected);
    rig.downloader.Dload_BDX4_Click();
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
    // The lone ";" and the query, then the command and the seven records.
    QCOMPARE(rig.inner.written().size(), 2 + 8);
    QCOMPARE(rig.inner.written().last(), QByteArray(":00000001FF\r\n"));
}

QTEST_GUILESS_MAIN(TestCtlTrace)
#include "tst_ctl_trace.moc"
