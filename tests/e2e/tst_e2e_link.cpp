// The program's link and download against bdx4-sim over a real pseudo-terminal, through
// QSerialPort, on the real clock.

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

// The bits each output sets in a row's (byte 0, byte 1), as the box's manual gives them:
// "160".."40" are byte 0 bits 0-3, "30".."XV2" byte 1 bits 0-7, "XV3" byte 0 bit 4 and
// AC1-AC3 byte 0 bits 5-7 (the last three only while they are band outputs).
constexpr std::uint8_t kBits[16][2] = {
    {0x01, 0}, {0x02, 0}, {0x04, 0}, {0x08, 0}, {0, 0x01}, {0, 0x02}, {0, 0x04}, {0, 0x08},
    {0, 0x10}, {0, 0x20}, {0, 0x40}, {0, 0x80}, {0x10, 0}, {0x20, 0}, {0x40, 0}, {0x80, 0}};

// The AN1 default table's sorted pairs; five bands are empty.
const QList<QPair<int, int>> kAn1DefaultPairs = {
    {31, 4},  {51, 12},   {64, 9},    {90, 7},    {115, 5},   {141, 3},  {166, 2},
    {254, 1}, {255, 255}, {255, 255}, {255, 255}, {255, 255}, {255, 255}};

QStringList jsonStrings(const QJsonValue& value) {
    QStringList out;
    for (const QJsonValue& v : value.toArray())
        out << v.toString();
    return out;
}

QList<QPair<int, int>> jsonPairs(const QJsonValue& value) {
    QList<QPair<int, int>> out;
    for (const QJsonValue& v : value.toArray())
        out.append({v.toArray()[0].toInt(), v.toArray()[1].toInt()});
    return out;
}

} // namespace

class TestE2eLink : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void versionIsFoundAndShown();
    void fullDownloadArrivesByteForByte();
    void lateAcknowledgementsAndNoiseStillPass();
    void simRefusesBadOptionsAndKeepsFiles();

private:
    bool startBox(SimProcess& box, const QStringList& options) {
        return dir_->startBox(box, options);
    }
    QString linkPath() const { return dir_->linkPath(); }
    QString reportPath() const { return dir_->reportPath(); }
    void openPort(ProgramRig& rig);

    QTemporaryDir settingsDir_;
    std::unique_ptr<BoxFolder> dir_;
};

void TestE2eLink::initTestCase() {
    QVERIFY(settingsDir_.isValid());
    // Never the user's own settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
    QVERIFY(QFileInfo(simulatorPath()).isExecutable());
}

void TestE2eLink::init() {
    dir_ = std::make_unique<BoxFolder>();
    QVERIFY(dir_->isValid());
}

void TestE2eLink::cleanup() {
    dir_.reset();
}

void TestE2eLink::openPort(ProgramRig& rig) {
    rig.link.OpenPort();
    QVERIFY(rig.link.state().PortReady);
    QVERIFY(rig.boxes.shown.isEmpty());
}

void TestE2eLink::versionIsFoundAndShown() {
    {
        SimProcess box;
        QVERIFY(startBox(box, {QStringLiteral("--firmware"), QStringLiteral("3.42")}));
        QCOMPARE(QFileInfo(linkPath()).symLinkTarget(), box.device());

        ProgramRig rig(linkPath());
        rig.link.Test_BDX4_Click();
        QVERIFY(rig.link.state().BoxConnected);
        QCOMPARE(rig.link.state().FirmwareRev, QStringLiteral("3.42"));
        QCOMPARE(rig.boxes.shown.size(), 1);
        QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("BDX4 Firmware = 3.42"));
        QCOMPARE(rig.boxes.shown[0].title, QStringLiteral("BDX4 Connected"));
        QCOMPARE(rig.boxes.shown[0].icon, MsgIcon::Information);
        QCOMPARE(rig.progress.opened, 1);
        QCOMPARE(rig.progress.closed, 1);
        QCOMPARE(rig.link.state().SeekCount, 0); // the first query was answered

        // "Test for BDX4" again closes and reopens the port; the box keeps serving.
        rig.boxes.shown.clear();
        rig.link.Test_BDX4_Click();
        QVERIFY(rig.link.state().BoxConnected);
        QCOMPARE(rig.boxes.shown.size(), 1);
        QCOMPARE(rig.boxes.shown[0].text, QStringLiteral("BDX4 Firmware = 3.42"));
        rig.link.ClosePort();
    }
    // The box removes its link when it is stopped.
    QVERIFY(!QFileInfo::exists(linkPath()));
    QVERIFY(QFileInfo(linkPath()).symLinkTarget().isEmpty());
}

void TestE2eLink::fullDownloadArrivesByteForByte() {
    SimProcess box;
    QVERIFY(startBox(box, {}));
    ProgramRig rig(linkPath());
    openPort(rig);

    // Every row drives a different output; 60M drives "60". AC1 in the 20M row is left to
    // the box's accessory table (the default-table mode), so it sets no bit.
    for (int row = 0; row < kBandRows; ++row)
        rig.grid.setCell(row, row % 13, 1);
    rig.grid.setCell(2, 2, 1);
    rig.grid.setCell(5, kAC1, 1);
    rig.grid.setCell(20, 0, 2); // grayed: never sent as on
    rig.maps.state().UseAccForBandmap = false;
    for (int t = 0; t < kVoltTables; ++t) {
        for (int b = 0; b < kVoltBands; ++b)
            rig.volts.state().BandVoltTable[t][b] = Voltages::DefaultLevels(t)[b];
    }
    rig.volts.BuildAnalogTables();

    rig.downloader.Dload_BDX4_Click();
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
    QCOMPARE(rig.status.color, StatusColor::Green);
    QVERIFY(rig.boxes.shown.isEmpty());
    QCOMPARE(rig.status.texts,
             (QStringList{QString(), QStringLiteral("HF Data"), QStringLiteral("VHF Data"),
                          QStringLiteral("Acc Data"), QStringLiteral("AN1 Data"),
                          QStringLiteral("AN2 Data"), QStringLiteral("AN3 Data"),
                          QStringLiteral("Closing"), QStringLiteral("Last Send Passed!")}));

    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(reportPath()), 3000);
    const QJsonObject report = readReport(reportPath());
    ConfigImage image(rig.maps.state(), rig.volts.state());
    const QStringList lines = image.DownloadLines();
    QCOMPARE(lines.size(), 8);
    QByteArray wire = lines[0].toLatin1(); // the command goes without a line end
    for (qsizetype i = 1; i < lines.size(); ++i)
        wire += lines[i].toLatin1() + "\r\n";
    QCOMPARE(report[QStringLiteral("raw")].toString().toLatin1(), wire);
    QCOMPARE(jsonStrings(report[QStringLiteral("lines")]), lines);
    QCOMPARE(report[QStringLiteral("downloads")].toInt(), 1);
    QCOMPARE(report[QStringLiteral("acknowledged")].toInt(), 7);
    QCOMPARE(report[QStringLiteral("rejected")].toInt(), 0);
    QVERIFY(report[QStringLiteral("complete")].toBool());

    // What the box stored is the grid as shown, row by row.
    const QJsonArray rows = report[QStringLiteral("bandRows")].toArray();
    QCOMPARE(rows.size(), kBandRows);
    for (int row = 0; row < kBandRows; ++row) {
        int expected[2] = {0, 0};
        for (int out = 0; out < 13; ++out) { // AC1-AC3 set nothing in this mode
            if (rig.grid.cell(row, out) == 1) {
                expected[0] |= kBits[out][0];
                expected[1] |= kBits[out][1];
            }
        }
        const QJsonObject stored = rows[row].toObject();
        QCOMPARE(stored[QStringLiteral("band")].toString(), QLatin1String(kRowCaptions[row]));
        QCOMPARE(stored[QStringLiteral("bytes")].toArray()[0].toInt(), expected[0]);
        QCOMPARE(stored[QStringLiteral("bytes")].toArray()[1].toInt(), expected[1]);
    }
    QCOMPARE(rows[2].toObject()[QStringLiteral("bytes")].toArray()[0].toInt(), 0x04);

    QJsonArray acc = report[QStringLiteral("accessory")].toArray();
    QCOMPARE(acc, (QJsonArray{0x00, 0x20, 0x40, 0x60, 0x80, 0xA0, 0xC0, 0xE0, 0x00, 0x20, 0x40,
                              0x80, 0xFF, 0xFF, 0xFF, 0xFF}));
    const QJsonObject an = report[QStringLiteral("an")].toObject();
    QCOMPARE(jsonPairs(an[QStringLiteral("AN1")]), kAn1DefaultPairs);
    QCOMPARE(jsonPairs(an[QStringLiteral("AN3")]), kAn1DefaultPairs);
    const QList<QPair<int, int>> an2 = jsonPairs(an[QStringLiteral("AN2")]);
    QCOMPARE(an2.size(), kVoltBands);
    for (int i = 0; i < kVoltBands; ++i) {
        QCOMPARE(an2[i].first, int(rig.volts.state().An2Level[i]));
        QCOMPARE(an2[i].second, int(rig.volts.state().An2Band[i]));
    }
    QCOMPARE(an2.front(), (QPair<int, int>{25, 1})); // 160 m is the lowest level of AN2
}

void TestE2eLink::lateAcknowledgementsAndNoiseStillPass() {
    // Each "G" comes 450 ms after its record, well inside the three 300 ms steps, and is
    // followed by text that ends in no delimiter.
    SimProcess box;
    QVERIFY(startBox(box, {QStringLiteral("--ack-delay"), QStringLiteral("450"),
                           QStringLiteral("--burst"), QStringLiteral("64")}));
    ProgramRig rig(linkPath());
    openPort(rig);
    rig.maps.state().UseAccForBandmap = true;
    rig.grid.setCell(14, kAC3, 1);

    QElapsedTimer timer;
    timer.start();
    rig.downloader.Dload_BDX4_Click();
    const qint64 took = timer.elapsed();
    QCOMPARE(rig.status.text(), QStringLiteral("Last Send Passed!"));
    QVERIFY(rig.boxes.shown.isEmpty());
    // Each data record waited two steps for its late "G": the waits really happened.
    QVERIFY2(took >= 600 + 6 * 600 + 300, qPrintable(QString::number(took)));

    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(reportPath()), 3000);
    const QJsonObject report = readReport(reportPath());
    QVERIFY(report[QStringLiteral("complete")].toBool());
    // In the band-output mode AC3 travels in the row and the accessory table is all zero.
    const QJsonArray rows = report[QStringLiteral("bandRows")].toArray();
    QCOMPARE(rows[14].toObject()[QStringLiteral("bytes")].toArray()[0].toInt(), 0x80);
    for (const QJsonValue& v : report[QStringLiteral("accessory")].toArray())
        QCOMPARE(v.toInt(), 0);
    // The noise after the last "G" is what the program holds unparsed.
    QVERIFY(!rig.link.state().RxBuffer.isEmpty());
    QVERIFY(!rig.link.state().RxBuffer.contains('G'));
}

void TestE2eLink::simRefusesBadOptionsAndKeepsFiles() {
    auto exitCodeOf = [](const QStringList& arguments) {
        QProcess sim;
        sim.start(simulatorPath(), arguments);
        if (!sim.waitForFinished(5000)) {
            sim.kill();
            sim.waitForFinished();
            return -1;
        }
        return sim.exitCode();
    };
    QCOMPARE(exitCodeOf({QStringLiteral("--firmware"), QStringLiteral("2.1")}), 2);
    QCOMPARE(exitCodeOf({QStringLiteral("--firmware"), QStringLiteral("G.17")}), 2);
    QCOMPARE(exitCodeOf({QStringLiteral("--ack-limit"), QStringLiteral("three")}), 2);
    QCOMPARE(exitCodeOf({QStringLiteral("--burst"), QStringLiteral("-1")}), 2);

    // A file where the link should go is not the box's to replace.
    QFile file(linkPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("mine");
    file.close();
    QCOMPARE(exitCodeOf({QStringLiteral("--link"), linkPath()}), 2);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("mine"));
}

QTEST_GUILESS_MAIN(TestE2eLink)
#include "tst_e2e_link.moc"
