// The download to the box and the export to a text file, on a fake line and virtual time.
#include "bandmap/BandMaps.h"
#include "bandmap/MatrixGrid.h"
#include "image/Download.h"
#include "link/Link.h"
#include "support/FakeClock.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeProgressWindow.h"
#include "support/FakeSerialLine.h"
#include "support/FakeStatusBox.h"
#include "voltages/Voltages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace bdx4;

namespace {

QString fs(int n) {
    return QString(n, QLatin1Char('F'));
}

/// The eight lines for an empty grid, the default accessory table and every voltage at level 0.
const QStringList kEmptyImage = {
    QStringLiteral(";BD00;BD73;BDE;"),
    QStringLiteral(":200040000000000000000000000000000000000000000000000000000000000000000000A0"),
    QStringLiteral(":100060000000000000000000000000000000000090"),
    QStringLiteral(":100070000020406080A0C0E000204080FFFFFFFF24"),
    QStringLiteral(":2000A000") + fs(64) + QStringLiteral("60"),
    QStringLiteral(":2000C000") + fs(64) + QStringLiteral("40"),
    QStringLiteral(":2000E000") + fs(64) + QStringLiteral("20"),
    QStringLiteral(":00000001FF")};

QByteArray fileText(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines)
        text += '"' + line.toLatin1() + "\"\r\n";
    return text;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

struct Rig {
    test::FakeClock clock;
    test::FakeSerialLine line{&clock};
    test::FakeMessageBoxes boxes;
    test::FakeMenuMarks marks;
    test::FakeStatusBox status;
    test::FakeProgressWindow progress;
    Link link{line, boxes, marks, clock, status, progress};
    MatrixGrid grid;
    BandMaps maps{grid, boxes, marks};
    Voltages volts;
    Downloader dl{maps, volts, link, status, boxes, clock};
    int acked = 0;
    QList<bool> runningReports;

    Rig() {
        maps.FillOutputBitMask();
        volts.FillBandCode();
        volts.BuildAnalogTables();
        dl.setRunningHandler([this](bool running) { runningReports << running; });
    }
    void openPort() {
        link.OpenPort();
        line.log.clear();
    }
    /// The box answers the first `count` records with "G" after `delayMs`.
    void ackRecords(int count, qint64 delayMs = 100) {
        line.onOutput = [this, count, delayMs](const QByteArray& text) {
            if (text.startsWith(':') && acked < count) {
                ++acked;
                clock.after(delayMs, [this] { line.deliver("G"); });
            }
        };
    }
    /// What went over the line, one entry per write, with the line end shown.
    QStringList wire() const {
        QStringList texts;
        for (const QByteArray& text : line.written())
            texts << QString::fromLatin1(text);
        return texts;
    }
    QList<qint64> writeTimes() const {
        QList<qint64> times;
        for (const auto& write : line.writes)
            times << write.atMs;
        return times;
    }
};

QString crlf(const QString& record) {
    return record + QStringLiteral("\r\n");
}

} // namespace

class TestDownload : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void acknowledgingBoxPasses();
    void gridAsDisplayedIsSent();
    void silentBoxFailsInHfSection_data();
    void silentBoxFailsInHfSection();
    void boxStoppingAfterThreeRecordsFailsInAn1();
    void endRecordUnacknowledgedStillPasses();
    void acknowledgementBeforeTheRecordDoesNotCount();
    void portNotOpenEndsWithMessage();
    void lineLostMidwayFailsCleanly();
    void refusedCommandEndsWithReason();
    void secondDownloadIsIgnored();
    void programEndingStopsTheDownload();

    void exportWritesEightLines();
    void cancelWritesNothing();
    void exportReplacesEarlierFile();
    void unopenableFileGivesMessage();
    void failedWriteKeepsOldFile();
    void downloadAfterExportTalksToPort();
    void exportWhileDownloadRunsIsIgnored();
};

void TestDownload::acknowledgingBoxPasses() {
    Rig rig;
    rig.openPort();
    rig.ackRecords(7);
    rig.dl.Dload_BDX4_Click();

    QStringList expected{kEmptyImage.first()};
    for (int i = 1; i < kEmptyImage.size(); ++i)
        expected << crlf(kEmptyImage[i]);
    QCOMPARE(rig.wire(), expected);
    // 600 ms after the command, then one 300 ms step per acknowledged record.
    QCOMPARE(rig.writeTimes(), (QList<qint64>{0, 600, 900, 1200, 1500, 1800, 2100, 2400}));
    QCOMPARE(rig.clock.nowMs(), qint64(2700));
    QCOMPARE(rig.status.texts,
             (QStringList{"", "HF Data", "VHF Data", "Acc Data", "AN1 Data", "AN2 Data", "AN3 Data",
                          "Closing", "Last Send Passed!"}));
    QCOMPARE(rig.status.color, StatusColor::Green);
    QVERIFY(rig.status.visible);
    QVERIFY(rig.boxes.shown.isEmpty());
    QCOMPARE(rig.link.state().OutString, QStringLiteral(":00000001FF"));
    QCOMPARE(rig.runningReports, (QList<bool>{true, false}));
    QVERIFY(!rig.dl.downloadRunning());
}

void TestDownload::gridAsDisplayedIsSent() {
    Rig rig;
    rig.openPort();
    rig.ackRecords(7);
    rig.grid.setCell(0, 0, 1); // 160M: output "160"
    rig.grid.setCell(5, 5, 1); // 20M: output "20"
    rig.dl.Dload_BDX4_Click();
    QCOMPARE(rig.wire().value(1),
             crlf(QStringLiteral(
                 ":2000400000000100000000000000000200000000000000000000000000000000000000009D")));
}

void TestDownload::silentBoxFailsInHfSection_data() {
    QTest::addColumn<QByteArray>("received");
    QTest::newRow("nothing received") << QByteArray();
    QTest::newRow("stray text received") << QByteArray("BD?;xy");
}

void TestDownload::silentBoxFailsInHfSection() {
    QFETCH(QByteArray, received);
    Rig rig;
    rig.openPort();
    if (!received.isEmpty())
        rig.clock.after(200, [&] { rig.line.deliver(received); });
    rig.dl.Dload_BDX4_Click();

    QCOMPARE(rig.wire(), (QStringList{kEmptyImage[0], crlf(kEmptyImage[1]), crlf(kEndRecord)}));
    QCOMPARE(rig.writeTimes(), (QList<qint64>{0, 600, 1500}));
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("Download failed in section HF Band Data"));
    QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("BDX4: ") + QString::fromLatin1(received));
    QCOMPARE(rig.boxes.shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
    QCOMPARE(rig.status.color, StatusColor::Red);
}

void TestDownload::boxStoppingAfterThreeRecordsFailsInAn1() {
    Rig rig;
    rig.openPort();
    rig.ackRecords(3);
    rig.dl.Dload_BDX4_Click();
    const QStringList wire = rig.wire();
    QCOMPARE(wire.size(), 6); // command, HF, VHF, Acc, AN1, end record
    QCOMPARE(wire[4], crlf(kEmptyImage[4]));
    QCOMPARE(wire[5], crlf(kEndRecord));
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text,
             QStringLiteral("Download failed in section AN1 Band Voltages"));
    QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("BDX4: G"));
    QCOMPARE(rig.status.texts.last(), QStringLiteral("Last Send Failed!"));
    QVERIFY(!rig.status.texts.contains(QStringLiteral("AN2 Data")));
}

void TestDownload::endRecordUnacknowledgedStillPasses() {
    Rig rig;
    rig.openPort();
    rig.ackRecords(6);
    rig.dl.Dload_BDX4_Click();
    QCOMPARE(rig.wire().count(crlf(kEndRecord)), 1);
    QCOMPARE(rig.line.writes.last().atMs, qint64(2400));
    QCOMPARE(rig.clock.nowMs(), qint64(2700));
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
    QCOMPARE(rig.status.color, StatusColor::Green);
    QVERIFY(rig.boxes.shown.isEmpty());
}

void TestDownload::acknowledgementBeforeTheRecordDoesNotCount() {
    Rig rig;
    rig.openPort();
    // A "G" that comes during the 600 ms after the command, then silence.
    rig.clock.after(100, [&] { rig.line.deliver("G"); });
    rig.dl.Dload_BDX4_Click();
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("Download failed in section HF Band Data"));
}

void TestDownload::portNotOpenEndsWithMessage() {
    Rig rig;
    rig.link.state().ComPort = 4;
    rig.dl.Dload_BDX4_Click();
    QVERIFY(rig.line.writes.isEmpty());
    QCOMPARE(rig.boxes.shown.size(), 1);
    const QString text = rig.boxes.shown[0].text;
    QVERIFY2(text.contains(QLatin1String("COM4 (/dev/fake4) is not open")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("\"Test for BDX4\"")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("COMM menu")), qPrintable(text));
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
    QCOMPARE(rig.status.color, StatusColor::Red);
    QVERIFY(rig.clock.waits.isEmpty());
    QVERIFY(!rig.dl.downloadRunning());
}

void TestDownload::lineLostMidwayFailsCleanly() {
    Rig rig;
    rig.openPort();
    rig.ackRecords(7);
    rig.clock.at(700, [&] { rig.line.loseLine(); }); // after HF went out, before VHF
    rig.dl.Dload_BDX4_Click();
    QCOMPARE(rig.line.writes.size(), 2);
    QCOMPARE(rig.boxes.shown.size(), 1);
    const QString text = rig.boxes.shown[0].text;
    QVERIFY2(text.startsWith(QLatin1String("Download failed in section VHF Band Data\r\n\r\n")),
             qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("not open")), qPrintable(text));
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
    QCOMPARE(rig.status.color, StatusColor::Red);
}

void TestDownload::refusedCommandEndsWithReason() {
    Rig rig;
    rig.openPort();
    rig.line.outputFailure = PlatformError{4, QStringLiteral("write refused by the driver")};
    rig.dl.Dload_BDX4_Click();
    QVERIFY(rig.line.writes.isEmpty());
    QVERIFY(rig.clock.waits.isEmpty()); // no 600 ms pause after a command that never went out
    QCOMPARE(rig.boxes.shown.size(), 1);
    QCOMPARE(rig.boxes.shown[0].text,
             QStringLiteral("Nothing could be sent to the BDX4 on COM1 (/dev/fake1):\r\n"
                            "write refused by the driver"));
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
    QCOMPARE(rig.status.color, StatusColor::Red);
}

void TestDownload::secondDownloadIsIgnored() {
    Rig rig;
    rig.openPort();
    rig.ackRecords(7);
    bool runningDuringWait = false;
    rig.clock.at(700, [&] {
        runningDuringWait = rig.dl.downloadRunning();
        rig.dl.Dload_BDX4_Click();
    });
    rig.dl.Dload_BDX4_Click();
    QVERIFY(runningDuringWait);
    QCOMPARE(rig.line.writes.size(), 8);
    QCOMPARE(rig.wire().count(kEmptyImage[0]), 1);
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
    QCOMPARE(rig.runningReports, (QList<bool>{true, false}));
}

void TestDownload::programEndingStopsTheDownload() {
    Rig rig;
    rig.openPort();
    rig.ackRecords(7);
    rig.clock.at(1000, [&] { rig.clock.beginEnding(); });
    rig.dl.Dload_BDX4_Click();
    QCOMPARE(rig.clock.nowMs(), qint64(1000));
    for (qint64 at : rig.writeTimes())
        QVERIFY(at < 1000);
    QVERIFY(rig.boxes.shown.isEmpty());
    QVERIFY(!rig.status.text().startsWith(QLatin1String("Last Send")));
    QVERIFY(!rig.dl.downloadRunning());
}

void TestDownload::exportWritesEightLines() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("bandmap.txt"));
    Rig rig; // the port stays closed: the export needs no box
    bool modeDuringDialog = false;
    rig.dl.WriteBandmapToFile_Click([&] {
        modeDuringDialog = rig.dl.exportState().WriteToFileMode;
        return path;
    });
    QVERIFY(modeDuringDialog);
    QCOMPARE(readAll(path), fileText(kEmptyImage));
    QVERIFY(readAll(path).startsWith("\";BD00;BD73;BDE;\"\r\n"));
    QVERIFY(readAll(path).endsWith("\":00000001FF\"\r\n"));
    QVERIFY(rig.line.writes.isEmpty());
    QVERIFY(rig.clock.waits.isEmpty());
    QCOMPARE(rig.status.texts.last(), QStringLiteral("Last Send Passed!"));
    QVERIFY(rig.status.texts.contains(QStringLiteral("AN3 Data")));
    QCOMPARE(rig.status.color, StatusColor::Green);
    QVERIFY(rig.boxes.shown.isEmpty());
    QVERIFY(!rig.dl.exportState().WriteToFileMode);
    QCOMPARE(rig.dl.exportState().SaveFileAsResult, path);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bandmap.txt")});
}

void TestDownload::cancelWritesNothing() {
    QTemporaryDir dir;
    Rig rig;
    rig.dl.WriteBandmapToFile_Click([] { return QStringLiteral("Cancel"); });
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(rig.status.texts.isEmpty());
    QVERIFY(!rig.dl.exportState().WriteToFileMode);
    QCOMPARE(rig.dl.exportState().SaveFileAsResult, QStringLiteral("Cancel"));
    QCOMPARE(rig.runningReports, (QList<bool>{true, false}));
}

void TestDownload::exportReplacesEarlierFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    QVERIFY(writeFile(path, QByteArray(2000, 'x')));
    Rig rig;
    rig.dl.WriteBandmapToFile_Click([&] { return path; });
    rig.grid.setCell(0, 0, 1);
    rig.dl.WriteBandmapToFile_Click([&] { return path; });
    const QByteArray text = readAll(path);
    QCOMPARE(text.count("\r\n"), 8);
    QVERIFY(text.contains("\":2000400000000100"));
}

void TestDownload::unopenableFileGivesMessage() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("taken"));
    QVERIFY(QDir().mkdir(path)); // a folder where the file should go
    Rig rig;
    rig.dl.WriteBandmapToFile_Click([&] { return path; });
    QCOMPARE(rig.boxes.shown.size(), 1);
    const QString text = rig.boxes.shown[0].text;
    QVERIFY2(text.contains(QLatin1Char('"') + path + QLatin1Char('"')), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("could not be written:\r\n")), qPrintable(text));
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(rig.status.texts.isEmpty()); // the download never started
    QVERIFY(!rig.dl.exportState().WriteToFileMode);
}

void TestDownload::failedWriteKeepsOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.txt"));
    const QByteArray old("\"an earlier export\"\r\n");
    QVERIFY(writeFile(path, old));
    Rig rig;
    // Files may not grow past 100 bytes for the moment: the export's write fails on the way,
    // even for root. The signal that would end the process is ignored for the test.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    rig.dl.WriteBandmapToFile_Click([&] { return path; });
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.txt")});
    QCOMPARE(rig.boxes.shown.size(), 1);
    QVERIFY2(rig.boxes.shown[0].text.contains(path), qPrintable(rig.boxes.shown[0].text));
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Failed!"));
    QCOMPARE(rig.status.color, StatusColor::Red);
    QVERIFY(!rig.dl.exportState().WriteToFileMode);
}

void TestDownload::downloadAfterExportTalksToPort() {
    QTemporaryDir dir;
    Rig rig;
    rig.openPort();
    rig.ackRecords(7);
    rig.dl.WriteBandmapToFile_Click([&] { return dir.filePath(QStringLiteral("a.txt")); });
    QVERIFY(rig.line.writes.isEmpty());
    rig.dl.Dload_BDX4_Click();
    QCOMPARE(rig.line.writes.size(), 8);
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
}

void TestDownload::exportWhileDownloadRunsIsIgnored() {
    QTemporaryDir dir;
    Rig rig;
    rig.openPort();
    rig.ackRecords(7);
    bool dialogShown = false;
    bool modeAfter = true;
    rig.clock.at(1000, [&] {
        rig.dl.WriteBandmapToFile_Click([&] {
            dialogShown = true;
            return dir.filePath(QStringLiteral("b.txt"));
        });
        modeAfter = rig.dl.exportState().WriteToFileMode;
    });
    rig.dl.Dload_BDX4_Click();
    QVERIFY(!dialogShown);
    QVERIFY(!modeAfter);
    QCOMPARE(rig.line.writes.size(), 8); // every record still went to the port
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
