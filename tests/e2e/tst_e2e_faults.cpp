// Faults of the box and of the line, end to end: bdx4-sim on a real pseudo-terminal, the
// program's core on QSerialPort and the real clock. Every case checks what the user is shown,
// that the event loop kept running through the waits (a 50 ms heartbeat), and that the next
// command works.

#include "SimRig.h"

#include "image/ConfigImage.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace bdx4;
using namespace bdx4::simrig;

namespace {

// A heartbeat that misses this many milliseconds means something held up the event loop: the
// shortest wait of the program is 300 ms, and a wait that spins or blocks shows as a gap of
// at least that.
constexpr qint64 kMaxGapMs = 200;

const QString kSeekFailedTitle = QStringLiteral("Error connecting to a BDX4");
const QString kFirmwareTitle = QStringLiteral("BDX4 Connected");

// A timer ticking every 50 ms; the largest gap between its ticks tells whether the event loop
// was held up.
class Heartbeat {
public:
    Heartbeat() {
        timer_.setInterval(50);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        clock_.start();
        last_ = 0;
        maxGap_ = 0;
        ticks_ = 0;
        timer_.start();
    }
    /// Stops it; the largest gap, counting the time since the last tick.
    qint64 stop() {
        tick();
        timer_.stop();
        return maxGap_;
    }
    int ticks() const { return ticks_; }

private:
    void tick() {
        const qint64 now = clock_.elapsed();
        maxGap_ = std::max(maxGap_, now - last_);
        last_ = now;
        ++ticks_;
    }

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 maxGap_ = 0;
    int ticks_ = 0;
};

// The receive handler with a look at the program's buffers after every call.
struct RxWatch {
    qsizetype maxRxBuffer = 0;
    qsizetype maxRxCopy = 0;
    int calls = 0;

    void install(ProgramRig& rig) {
        rig.line.setReceiveHandler([this, &rig] {
            rig.link.MSComm1_OnComm();
            ++calls;
            maxRxBuffer = std::max(maxRxBuffer, rig.link.state().RxBuffer.size());
            maxRxCopy = std::max(maxRxCopy, rig.link.state().RxCopy.size());
        });
    }
};

QStringList jsonStrings(const QJsonValue& value) {
    QStringList out;
    for (const QJsonValue& v : value.toArray())
        out << v.toString();
    return out;
}

// Whether the heartbeat kept its pace; the gap is logged for the reliability figures.
bool steady(qint64 gap) {
    qInfo("largest heartbeat gap %lld ms", gap);
    return gap < kMaxGapMs;
}

QString gapText(qint64 gap) {
    return QStringLiteral("largest heartbeat gap %1 ms").arg(gap);
}

} // namespace

class TestE2eFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void silentBox();
    void acknowledgedRecords_data();
    void acknowledgedRecords();
    void lateAcknowledgements_data();
    void lateAcknowledgements();
    void farEndClosedMidSearch();
    void farEndClosedMidDownload_data();
    void farEndClosedMidDownload();
    void floodOfAMegabyte();
    void oddVersionReplies_data();
    void oddVersionReplies();
    void twoVersionRepliesShowTwoBoxes();

private:
    bool startBox(SimProcess& box, const QStringList& options) {
        return dir_->startBox(box, options);
    }
    QString linkPath() const { return dir_->linkPath(); }
    QString reportPath() const { return dir_->reportPath(); }
    QString notOpenText() const;
    // "Test for BDX4" finds a box with this firmware: the next command works.
    void expectFound(ProgramRig& rig, const QString& firmware);
    // A full download goes through.
    void expectDownloadPasses(ProgramRig& rig);

    QTemporaryDir settingsDir_;
    std::unique_ptr<BoxFolder> dir_;
};

void TestE2eFaults::initTestCase() {
    QVERIFY(settingsDir_.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
    QVERIFY(QFileInfo(simulatorPath()).isExecutable());
}

void TestE2eFaults::init() {
    dir_ = std::make_unique<BoxFolder>();
    QVERIFY(dir_->isValid());
}

void TestE2eFaults::cleanup() {
    dir_.reset();
}

QString TestE2eFaults::notOpenText() const {
    return QStringLiteral("The serial port COM1 (%1) is not open, so nothing was sent to the "
                          "BDX4.\r\n\r\nChoose the port and speed in the COMM menu, then use "
                          "\"Test for BDX4\" in the Main menu to open it.")
        .arg(linkPath());
}

void TestE2eFaults::expectFound(ProgramRig& rig, const QString& firmware) {
    rig.boxes.shown.clear();
    rig.link.Test_BDX4_Click();
    QVERIFY(rig.link.state().PortReady);
    QVERIFY(rig.link.state().BoxConnected);
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("BDX4 Firmware = ") + firmware);
    QCOMPARE(rig.boxes.shown[0].title, kFirmwareTitle);
}

void TestE2eFaults::expectDownloadPasses(ProgramRig& rig) {
    rig.boxes.shown.clear();
    rig.downloader.Dload_BDX4_Click();
    QVERIFY(rig.boxes.shown.isEmpty());
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
    QCOMPARE(rig.status.color, StatusColor::Green);
}

void TestE2eFaults::silentBox() {
    auto box = std::make_unique<SimProcess>();
    QVERIFY(startBox(*box, {QStringLiteral("--silent")}));
    ProgramRig rig(linkPath());
    Heartbeat beat;

    QElapsedTimer took;
    took.start();
    beat.start();
    rig.link.Test_BDX4_Click();
    qint64 gap = beat.stop();
    // Twelve queries, 600 ms and then 300 ms apart: about 4.2 s before the search gives up.
    QVERIFY2(took.elapsed() >= 4200 && took.elapsed() < 6500,
             qPrintable(QString::number(took.elapsed())));
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    QVERIFY(rig.link.state().PortReady);
    QVERIFY(!rig.link.state().BoxConnected);
    QCOMPARE(rig.link.state().SeekCount, 11);
    QCOMPARE(rig.progress.value, 11);
    QCOMPARE(rig.progress.closed, 1);
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].title, kSeekFailedTitle);
    QCOMPARE(rig.boxes.shown[0].text, seekFailedText());
    rig.boxes.shown.clear();

    beat.start();
    rig.downloader.Dload_BDX4_Click();
    gap = beat.stop();
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("Download failed in section HF Band Data"));
    QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("BDX4: "));
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
    QCOMPARE(rig.status.color, StatusColor::Red);

    // The box heard the command, the HF record and the end record, and nothing else.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(reportPath()), 3000);
    const QJsonObject report = readReport(reportPath());
    const QStringList lines = jsonStrings(report[QStringLiteral("lines")]);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], kDownloadCommand);
    QVERIFY(lines[1].startsWith(QStringLiteral(":20004000")));
    QCOMPARE(lines[2], kEndRecord);
    QCOMPARE(report[QStringLiteral("acknowledged")].toInt(), 0);

    // The box is switched to DL and answers: the next search finds it.
    box.reset();
    SimProcess awake;
    QVERIFY(startBox(awake, {}));
    expectFound(rig, QStringLiteral("2.17"));
}

void TestE2eFaults::acknowledgedRecords_data() {
    QTest::addColumn<int>("acks");
    QTest::addColumn<QString>("section"); // where it fails; empty: it passes
    const QStringList sections = {
        QStringLiteral("HF Band Data"),      QStringLiteral("VHF Band Data"),
        QStringLiteral("Accessory Data"),    QStringLiteral("AN1 Band Voltages"),
        QStringLiteral("AN2 Band Voltages"), QStringLiteral("AN3 Band Voltages")};
    for (int n = 0; n <= 6; ++n)
        QTest::addRow("N%d", n) << n << sections.value(n);
}

void TestE2eFaults::acknowledgedRecords() {
    QFETCH(int, acks);
    QFETCH(QString, section);
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--ack-limit"), QString::number(acks)}));
    ProgramRig rig(linkPath());
    rig.link.OpenPort();
    QVERIFY(rig.link.state().PortReady);
    Heartbeat beat;

    beat.start();
    rig.downloader.Dload_BDX4_Click();
    const qint64 gap = beat.stop();
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    if (section.isEmpty()) {
        // Six data records acknowledged and the end record not: the end record is not judged.
        QVERIFY(rig.boxes.shown.isEmpty());
        QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
        QCOMPARE(rig.status.color, StatusColor::Green);
    } else {
        QCOMPARE(rig.boxes.shown.size(), 1);
        QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("Download failed in section ") + section);
        // The title shows the received text as the last arrival left it: the last "G".
        QCOMPARE(rig.boxes.shown[0].title,
                 acks == 0 ? QStringLiteral("BDX4: ") : QStringLiteral("BDX4: G"));
        QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
        QCOMPARE(rig.status.color, StatusColor::Red);
    }

    // The box heard the records up to the failing one, then the end record.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(reportPath()), 3000);
    const QJsonObject report = readReport(reportPath());
    const QStringList lines = jsonStrings(report[QStringLiteral("lines")]);
    const QStringList sent = ConfigImage(rig.maps.state(), rig.volts.state()).DownloadLines();
    const int records = section.isEmpty() ? 7 : acks + 1;
    QCOMPARE(lines.size(), 1 + records + (section.isEmpty() ? 0 : 1));
    QCOMPARE(lines.mid(0, 1 + records), sent.mid(0, 1 + records));
    QCOMPARE(lines.last(), kEndRecord);
    QCOMPARE(report[QStringLiteral("acknowledged")].toInt(), acks);
    QCOMPARE(report[QStringLiteral("rejected")].toInt(), 0);

    expectFound(rig, QStringLiteral("2.17"));
}

void TestE2eFaults::lateAcknowledgements_data() {
    QTest::addColumn<int>("delay");
    QTest::addColumn<bool>("passes");
    QTest::addColumn<qint64>("leastMs"); // the download cannot be quicker
    // Taken at the end of the first 300 ms step: 600 ms + 7 x 300 ms.
    QTest::newRow("250 ms") << 250 << true << qint64(2700);
    // Each data record waits two steps; the end record finds AckSeen still set.
    QTest::newRow("350 ms") << 350 << true << qint64(600 + 6 * 600 + 300);
    // Later than the three steps: the HF record counts as unanswered.
    QTest::newRow("1 s") << 1000 << false << qint64(600 + 900);
}

void TestE2eFaults::lateAcknowledgements() {
    QFETCH(int, delay);
    QFETCH(bool, passes);
    QFETCH(qint64, leastMs);
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--ack-delay"), QString::number(delay)}));
    ProgramRig rig(linkPath());
    rig.link.OpenPort();
    QVERIFY(rig.link.state().PortReady);
    Heartbeat beat;

    QElapsedTimer took;
    took.start();
    beat.start();
    rig.downloader.Dload_BDX4_Click();
    const qint64 gap = beat.stop();
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    QVERIFY2(took.elapsed() >= leastMs, qPrintable(QString::number(took.elapsed())));
    if (passes) {
        QVERIFY(rig.boxes.shown.isEmpty());
        QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
    } else {
        QCOMPARE(rig.boxes.shown.size(), 1);
        QCOMPARE(rig.boxes.shown[0].text,
                 QStringLiteral("Download failed in section HF Band Data"));
        QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("BDX4: "));
        QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
        // The "G" that comes too late is still taken in; it cannot count for a later record.
        QTRY_VERIFY_WITH_TIMEOUT(rig.link.state().AckSeen, 2000);
    }
    expectFound(rig, QStringLiteral("2.17"));
}

void TestE2eFaults::farEndClosedMidSearch() {
    auto box = std::make_unique<SimProcess>();
    QVERIFY(startBox(*box, {QStringLiteral("--hangup-at-query"), QStringLiteral("0")}));
    ProgramRig rig(linkPath());
    Heartbeat beat;

    beat.start();
    rig.link.Test_BDX4_Click();
    const qint64 gap = beat.stop();
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    // The box went away at the first query; the search ran out its retries and said so.
    QCOMPARE(box->process().state(), QProcess::NotRunning);
    QCOMPARE(box->process().exitStatus(), QProcess::NormalExit);
    QVERIFY(!rig.line.portOpen());
    QVERIFY(!rig.link.state().BoxConnected);
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].title, kSeekFailedTitle);
    QCOMPARE(rig.boxes.shown[0].text, seekFailedText());
    QCOMPARE(rig.progress.opened, rig.progress.closed);

    // A download on the lost line says why nothing went out.
    rig.boxes.shown.clear();
    rig.downloader.Dload_BDX4_Click();
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text, notOpenText());
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
    QCOMPARE(rig.status.color, StatusColor::Red);

    // Plugged in again: "Test for BDX4" reopens the port and finds it.
    box.reset();
    SimProcess back;
    QVERIFY(startBox(back, {QStringLiteral("--firmware"), QStringLiteral("2.18")}));
    expectFound(rig, QStringLiteral("2.18"));
    expectDownloadPasses(rig);
}

void TestE2eFaults::farEndClosedMidDownload_data() {
    QTest::addColumn<int>("answered");
    QTest::addColumn<QString>("section");
    QTest::newRow("at the HF record") << 0 << QStringLiteral("HF Band Data");
    QTest::newRow("at the AN3 record") << 5 << QStringLiteral("AN3 Band Voltages");
}

void TestE2eFaults::farEndClosedMidDownload() {
    QFETCH(int, answered);
    QFETCH(QString, section);
    auto box = std::make_unique<SimProcess>();
    QVERIFY(startBox(*box, {QStringLiteral("--hangup-after"), QString::number(answered)}));
    ProgramRig rig(linkPath());
    rig.link.OpenPort();
    QVERIFY(rig.link.state().PortReady);
    Heartbeat beat;

    beat.start();
    rig.downloader.Dload_BDX4_Click();
    const qint64 gap = beat.stop();
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("Download failed in section ") + section);
    QCOMPARE(rig.boxes.shown[0].title,
             answered == 0 ? QStringLiteral("BDX4: ") : QStringLiteral("BDX4: G"));
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
    QCOMPARE(rig.status.color, StatusColor::Red);
    QVERIFY(!rig.line.portOpen());
    QTRY_COMPARE_WITH_TIMEOUT(box->process().state(), QProcess::NotRunning, 3000);
    QCOMPARE(box->process().exitCode(), 0);
    QVERIFY(!QFileInfo::exists(linkPath()));

    // A second download on the lost line ends at once with the reason.
    rig.boxes.shown.clear();
    QElapsedTimer took;
    took.start();
    rig.downloader.Dload_BDX4_Click();
    QVERIFY(took.elapsed() < 300);
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text, notOpenText());
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));

    box.reset();
    SimProcess back;
    QVERIFY(startBox(back, {}));
    expectFound(rig, QStringLiteral("2.17"));
    expectDownloadPasses(rig);
}

void TestE2eFaults::floodOfAMegabyte() {
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--flood"), QStringLiteral("1048576")}));
    ProgramRig rig(linkPath());
    RxWatch watch;
    watch.install(rig);
    Heartbeat beat;

    beat.start();
    rig.link.Test_BDX4_Click();
    const qint64 gap = beat.stop();
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    qInfo("flood: %d receive events, largest RxBuffer %lld, largest RxCopy %lld", watch.calls,
          qint64(watch.maxRxBuffer), qint64(watch.maxRxCopy));
    QVERIFY(watch.calls > 1);
    QVERIFY(watch.maxRxBuffer <= kRxLimit);
    QVERIFY(watch.maxRxCopy <= kRxLimit);
    // The reply behind the flood is cut into one long segment and is not taken; the reply
    // to the next query is.
    QVERIFY(rig.link.state().BoxConnected);
    QVERIFY(rig.link.state().SeekCount >= 1);
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("BDX4 Firmware = 2.17"));
    QVERIFY(rig.link.state().RxBuffer.isEmpty());

    expectDownloadPasses(rig);
    QVERIFY(watch.maxRxBuffer <= kRxLimit);
}

void TestE2eFaults::oddVersionReplies_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("firmwareBoxes");
    QTest::addColumn<bool>("errorBox");
    QTest::addColumn<int>("seekCount");
    // The product name and the length make the firmware box; only "BDV" ends the search.
    QTest::newRow("14 characters without BDV")
        << QStringLiteral("XYZ:BDX4:2.17;") << 12 << false << 11;
    QTest::newRow("bdv in lower case") << QStringLiteral("bdv:bdx4:2.17;") << 12 << false << 11;
    QTest::newRow("BDV with 15 characters") << QStringLiteral("BDV:BDX4:2.17x;") << 0 << true << 0;
    QTest::newRow("BDV without the product name")
        << QStringLiteral("BDV:ABCD:2.17;") << 0 << true << 11;
}

void TestE2eFaults::oddVersionReplies() {
    QFETCH(QString, reply);
    QFETCH(int, firmwareBoxes);
    QFETCH(bool, errorBox);
    QFETCH(int, seekCount);
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--reply"), reply}));
    ProgramRig rig(linkPath());
    Heartbeat beat;

    beat.start();
    rig.link.Test_BDX4_Click();
    const qint64 gap = beat.stop();
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    QCOMPARE(rig.link.state().SeekCount, seekCount);
    QCOMPARE(rig.link.state().BoxConnected, firmwareBoxes > 0);
    QCOMPARE(rig.boxes.shown.size(), firmwareBoxes + (errorBox ? 1 : 0));
    for (int i = 0; i < firmwareBoxes; ++i) {
        QCOMPARE(rig.boxes.shown[i].text, QStringLiteral("BDX4 Firmware = 2.17"));
        QCOMPARE(rig.boxes.shown[i].title, kFirmwareTitle);
    }
    if (errorBox) {
        QCOMPARE(rig.boxes.shown.last().title, kSeekFailedTitle);
        QCOMPARE(rig.boxes.shown.last().text, seekFailedText());
    }
    // Whatever the box says to the query, the download is a matter of records and "G".
    expectDownloadPasses(rig);
}

void TestE2eFaults::twoVersionRepliesShowTwoBoxes() {
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--replies"), QStringLiteral("2"),
                           QStringLiteral("--reply-gap"), QStringLiteral("150")}));
    ProgramRig rig(linkPath());
    // The user takes 400 ms to read each box; the second reply arrives while the first is open.
    rig.boxes.holdMs = 400;
    Heartbeat beat;

    beat.start();
    rig.link.Test_BDX4_Click();
    const qint64 gap = beat.stop();
    QVERIFY2(steady(gap), qPrintable(gapText(gap)));
    QCOMPARE(rig.boxes.shown.size(), 2);
    for (const MessageRequest& shown : rig.boxes.shown) {
        QCOMPARE(shown.text, QStringLiteral("BDX4 Firmware = 2.17"));
        QCOMPARE(shown.title, kFirmwareTitle);
    }
    QCOMPARE(rig.boxes.maxOpen, 2);
    QVERIFY(rig.link.state().BoxConnected);
    QCOMPARE(rig.link.state().SeekCount, 0);
    QVERIFY(rig.link.state().RxBuffer.isEmpty());

    rig.boxes.holdMs = 0;
    expectDownloadPasses(rig);
}

QTEST_GUILESS_MAIN(TestE2eFaults)
#include "tst_e2e_faults.moc"
