// bdx4ctl as a user runs it, against bdx4-sim over a real pseudo-terminal through QSerialPort
// and on the real clock: one row for each kind of fault of the box, the line or the stores.

#include "SimProcess.h"

#include "ctl/CommandLine.h"
#include "io/ExportFile.h"
#include "io/MapStore.h"
#include "io/Translations.h"
#include "io/VoltageStore.h"
#include "model/Configuration.h"
#include "support/Fakes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace bdx4;
using namespace bdx4::simrig;
using test::readFile;

namespace {

struct Result {
    int exitCode = -1;
    QString out, err;
    qint64 ms = 0;
};

/// Three maps that differ: map 2 has 160M -> "160", 20M -> "20" and AC1 on 60M; one cell grayed.
MapStoreContent patternMaps() {
    MapStoreContent content;
    for (int m = 0; m < kMaps; m += 2)
        for (int r = 0; r < kBandRows; ++r)
            content.maps[m][r][(r + 5 * m) % kOutputs] = 1;
    content.maps[1][0][0] = content.maps[1][5][5] = content.maps[1][2][kAC1] = 1;
    content.maps[2][20][kAC3] = 2;
    content.accForBandMap = true;
    return content;
}

VoltageTables defaultVolts() {
    VoltageTables volts;
    for (int i = 0; i < kVoltageTables * kVoltageBands; ++i)
        volts.setValue(i / 13, i % 13, VoltageTables::defaultLevels(i / 13)[i % 13]);
    return volts;
}

/// What a download of map 2 of the pattern sends.
ConfigImage map2Image() {
    return Configuration(patternMaps().maps[1], true, defaultVolts()).image();
}

struct FaultCase {
    QString sim;     // the box's options; "-": no box
    QString command; // @ is the box's link, % a folder in a store's place, ~ the home folder with
                     // config.txt (map 2 exported), ^n Ctrl+C after n ms
    int exitCode;
    QString saying; // on standard output or error
};

} // namespace

class TestE2e : public QObject {
    Q_OBJECT
private slots:
    void init() {
        box_ = std::make_unique<BoxFolder>();
        home_ = std::make_unique<QTemporaryDir>();
        stores_ = home_->filePath("stores");
        QVERIFY(QDir().mkpath(stores_) && !writeMapStore(mapStorePath(stores_), patternMaps()));
        QVERIFY(!writeVoltageStore(voltageStorePath(stores_), defaultVolts()));
        // The desktop program's settings, which bdx4ctl reads but never writes.
        settings_ = home_->filePath("config/bdx4config/bdx4config.ini");
        settingsText_ = "[Options]\nCOM_Port=3\nBAUD_Rate=19200\n\n[Ports]\nCOM3=" +
                        box_->linkPath().toLocal8Bit() + "\n";
        QVERIFY(QDir().mkpath(QFileInfo(settings_).path()) &&
                !writeFileWhole(settings_, settingsText_));
        QVERIFY(!exportConfiguration(home_->filePath("config.txt"), map2Image()));
    }

    void faults_data() {
        QTest::addColumn<FaultCase>("c");
        const auto row = [](const char* name, const char* sim, const char* command, int exit,
                            const char* saying) {
            QTest::newRow(name) << FaultCase{QString(sim), QString(command), exit, QString(saying)};
        };
        row("answered", "--firmware 3.42", "query --port @", 0,
            "BDX4 Connected: BDX4 Firmware = 3.42\n");
        row("a megabyte of noise first", "--flood 1000000", "query --port @", 0,
            "BDX4 Firmware = 2.17");
        row("port and speed from the settings", "--firmware 2.17", "query --port 3", 0,
            "Port COM3 (@) at 19200 baud");
        row("two replies", "--replies 2", "query --port @", 0,
            "2.17\nBDX4 Connected: BDX4 Firmware");
        row("a reply of the wrong length", "--reply BDV:BDX4:2.1;", "query --port @", 1,
            "Error connecting to a BDX4: No BDX4 found on @.\n\nGive the port the BDX4 is on "
            "with --port, and with --baud");
        row("the box goes away at a query", "--hangup-at-query 0", "query --port @", 1, "was lost");
        row("noise after every answer", "--burst 40", "write --port @", 0,
            "Closing\nLast Send Passed!");
        row("Ctrl+C during a write", "--firmware 2.17", "write --port @ ^1100", 1,
            "baud\nDownload cancelled in section"); // no title: the user stopped it
        row("a file shown", "-", "show --from ~/config.txt", 0, "\n20M      .   .   .   .   .   x");
        row("three records acknowledged", "--ack-limit 3", "write --port @", 1,
            "BDX4: G: Download failed in section AN1 Band Voltages");
        row("the box goes away at AN3", "--hangup-after 5", "write --port @", 1,
            "Download failed in section AN3 Band Voltages\n\nThe serial line on @ was lost (the "
            "serial device went away");
        row("no such device", "-", "query --port @", 1,
            "Cannot open @: The serial device @ does not exist");
        row("unreadable store, write", "-", "write --port @ --store %", 1,
            "nothing was sent to the box");
        row("unreadable store, export", "-", "export --store % %/x", 1, "nothing was written");
        row("unreadable store, show", "-", "show --store %", 1, "cannot be opened: it is a folder");
        row("a wrong line", "-", "show --port 1", 2, "bdx4ctl: show takes no option \"--port\"");
        row("version", "-", "--version", 0, "bdx4ctl " BDX4_VERSION "\n");
    }
    void faults() {
        QFETCH(FaultCase, c);
        SimProcess box;
        if (c.sim != "-")
            QVERIFY(box_->startBox(box, c.sim.split(' ')));
        const QString bad = home_->filePath("bad");
        QVERIFY(QDir().mkpath(mapStorePath(bad)));
        QStringList arguments = c.command.section(" ^", 0, 0).split(' ');
        for (QString& argument : arguments)
            argument.replace('@', box_->linkPath()).replace('%', bad).replace('~', home_->path());
        if (c.command.startsWith("write") && !c.command.contains("--store"))
            arguments << "--store" << stores_;
        const int interruptAt = c.command.section(" ^", 1).toInt();
        const Result r = ctl(arguments, interruptAt);
        QCOMPARE(r.exitCode, c.exitCode);
        QVERIFY2((r.out + r.err).contains(QString(c.saying).replace('@', box_->linkPath())),
                 qPrintable(r.err));
        QVERIFY(!r.err.contains("COMM")); // the command line names its own options
        QVERIFY(r.ms < 4000);             // none of these runs out the search's retries
        QCOMPARE(readFile(settings_), settingsText_);
        if (interruptAt > 0) { // the box was told the download ended
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_->reportPath()), 3000);
            const QStringList lines =
                readReport(box_->reportPath())["lines"].toVariant().toStringList();
            QVERIFY(lines.size() < 8 && lines.last() == ":00000001FF");
        }
    }

    void speaksTheDesktopsLanguage() { // the tests run with LANGUAGE=en and LC_ALL=C.UTF-8
        const QString english = ctl::usageText();
        Translations german;
        QCOMPARE(german.install({"de"}), QStringLiteral("de"));
        for (const auto& [desktop, help] : {std::pair("LANG=de_DE.UTF-8", ctl::usageText()),
                                            {"LANGUAGE=fr:de_AT", ctl::usageText()},
                                            {"LANGUAGE=en_GB:de", english}})
            QCOMPARE(ctl({"--help"}, 0, {"LANGUAGE", "LC_ALL", "LC_MESSAGES", desktop}).out, help);
    }

    void aFileIsSentTracedPrintedOrRefused() {
        SimProcess box;
        QVERIFY(box_->startBox(box, {}));
        const QString damaged = home_->filePath("map2.txt"), trace = home_->filePath("trace.txt"),
                      good = home_->filePath("config.txt"); // map 2 exported
        const QByteArray file = readFile(good);
        QVERIFY(
            !writeFileWhole(damaged, QByteArray(file).replace(file.indexOf("1F04"), 4, "1F05")));
        // A damaged file: the port is not even opened, so there is no trace.
        Result r = ctl({"write", "--from", damaged, "--port", box_->linkPath(), "--trace", trace});
        QVERIFY2(r.exitCode == 1 && !QFileInfo::exists(trace) &&
                     r.err.endsWith(damaged +
                                    ": line 5: the checksum is 95, the record's bytes give "
                                    "94\nbdx4ctl: nothing was sent to the box\n"),
                 qPrintable(r.err));
        const QStringList arguments{"write",  "--from", good,      "--port", box_->linkPath(),
                                    "--baud", "9600",   "--trace", trace};
        r = ctl(arguments);
        QVERIFY2(r.exitCode == 0 && r.ms >= 2700, qPrintable(r.err));
        QCOMPARE(r.out, QStringLiteral("HF Data\nVHF Data\nAcc Data\nAN1 Data\nAN2 Data\nAN3 Data\n"
                                       "Closing\nLast Send Passed!\n"));
        // The box got exactly the file's lines: map 2 of the stores, as its export holds it.
        const ConfigImage image = map2Image();
        QCOMPARE(ctl({"export", "--map", "2", "--store", stores_, "-"}).out.toLatin1(), file);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_->reportPath()), 3000);
        const QJsonObject report = readReport(box_->reportPath());
        QCOMPARE(report["lines"].toVariant().toStringList().join('\n'), image.lines().join('\n'));
        QCOMPARE(report["acknowledged"].toInt(), 7);
        // The trace: the command line, then every record sent, each answered by a "G".
        const QString traced = QString::fromUtf8(readFile(trace));
        QVERIFY(traced.startsWith("# ") && traced.contains(arguments.join(' ') + "\n"));
        QVERIFY(
            traced.contains(QStringLiteral("-- opened %1 at 9600,n,8,1").arg(box_->linkPath())));
        for (const QByteArray& line : image.lines().mid(1))
            QVERIFY(traced.contains(QStringLiteral("\"%1\\r\\n\"").arg(QString::fromLatin1(line))));
        QCOMPARE(traced.count(" RX   1 \"G\" 47"), 7);
        const QString pdf = home_->filePath("map2.pdf"); // the sheet, without display or platform
        r = ctl({"sheet", "--from", good, pdf}, 0, {"QT_QPA_PLATFORM", "DISPLAY"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QString sheet = test::pdfText(pdf).simplified();
        if (sheet.isNull())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY2(sheet.contains("Map: config.txt") &&
                     sheet.contains("160M X 80M 60M X 40M 30M 20M X") &&
                     sheet.contains("9.96 0.49 9.96"), // 255 went out and came back as 254
                 qPrintable(sheet));
    }

private:
    /// Runs bdx4ctl in a home of its own, with the environment changed by `changes` (NAME=value
    /// sets a variable, a bare NAME removes it); with `interruptAfterMs`, Ctrl+C comes then.
    Result ctl(const QStringList& arguments, int interruptAfterMs = 0,
               const QStringList& changes = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home_->filePath("config"));
        env.insert("XDG_DATA_HOME", home_->filePath("data"));
        for (const QString& change : changes)
            if (change.contains('='))
                env.insert(change.section('=', 0, 0), change.section('=', 1));
            else
                env.remove(change);
        process.setProcessEnvironment(env);
        QElapsedTimer took;
        took.start();
        process.start(QStringLiteral(BDX4CTL_PATH), arguments);
        if (interruptAfterMs > 0 && process.waitForStarted()) {
            QTest::qWait(interruptAfterMs);
            ::kill(pid_t(process.processId()), SIGINT);
        }
        process.waitForFinished(30000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError()), took.elapsed()};
    }

    std::unique_ptr<BoxFolder> box_;
    std::unique_ptr<QTemporaryDir> home_;
    QString stores_, settings_;
    QByteArray settingsText_;
};

QTEST_GUILESS_MAIN(TestE2e)
#include "tst_e2e.moc"
