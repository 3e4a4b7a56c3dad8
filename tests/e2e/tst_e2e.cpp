// bdx4ctl as a user runs it, against bdx4-sim over a real pseudo-terminal on the real clock.

#include "SimProcess.h"

#include "ctl/CommandLine.h"
#include "io/ExportFile.h"
#include "io/MapStore.h"
#include "io/OutputNamesFile.h"
#include "io/RegularFile.h"
#include "io/StoreLock.h"
#include "io/Translations.h"
#include "io/VoltageStore.h"
#include "io/WriteHistory.h"
#include "model/Configuration.h"
#include "support/Fakes.h"
#include "support/Golden.h"
#include "support/Rows.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace bdx4;
using namespace bdx4::simrig;
using golden::defaultVolts;
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

ConfigImage map2Image() {
    return Configuration(patternMaps().maps[1], true, defaultVolts()).image();
}

struct RunSetup {
    int fileSizeLimit = 0; ///< bytes any file may grow to; 0: no limit
    QString output;        ///< its standard output: a file, or "pty" for a stopped terminal
    int signal = SIGINT;   ///< what stops it
};

/// The box's options ("-": none); what is made; the command (@ the box's link, ~ the home with
/// config.txt, map 2 exported, % the stores, & another store folder; ^n Ctrl+C after n ms); the
/// exit code; what is said. Made, PATH=KIND;...: fifo, zero (a link to /dev/zero), cut20, nan (line
/// 5), 1x (line 40), file:TEXT, cell or level (map 2 exported, 40M's 20 on or AN1's 6 m at 100),
/// lock (held); >/dev/full or >pty (taking no output); ulimit=N bytes; sigint or sigterm at 500 ms.
using FaultCase = std::tuple<QString, QString, QString, int, QString>;

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
        QVERIFY(
            QDir().mkpath(QFileInfo(settings_).path()) &&
            !writeFileWhole(settings_, "[Options]\nCOM_Port=3\nBAUD_Rate=19200\n\n[Ports]\nCOM3=" +
                                           box_->linkPath().toLocal8Bit() + "\n"));
        QVERIFY(!exportConfiguration(home_->filePath("config.txt"), map2Image()));
    }

    void faults_data() {
        const test::Rows<FaultCase> rows;
        const auto row = [&rows](const char* name, const char* sim, const char* command, int exit,
                                 const char* saying) {
            rows(name, {sim, "", command, exit, saying});
        };
        const auto file = [&rows](const char* name, const char* made, const QString& command,
                                  int exit, const char* saying) {
            rows(name, {command.contains('@') ? "" : "-", made, command, exit, saying});
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
        row("its voltages shown", "-", "show --from ~/config.txt", 0,
            "Band voltages   AN1 (10 V)   AN2 (5 V)  AN3 (10 V)\n430 MHz");
        row("three records acknowledged", "--ack-limit 3", "write --port @", 1,
            "BDX4: G: Download failed in section AN1 Band Voltages");
        row("the box goes away at AN3", "--hangup-after 5", "write --port @", 1,
            "Download failed in section AN3 Band Voltages\n\nThe serial line on @ was lost (the "
            "serial device went away");
        row("no such device", "-", "query --port @", 1,
            "Cannot open @: The serial device @ does not exist");
        file("a FIFO as --from, SIGTERM", "~/f=fifo;sigterm", "show --from ~/f", 1,
             "~/f: the file cannot be read: it is a FIFO (named pipe), not a file");
        file("a FIFO as a store", "&/bdx4_cfg.ini=fifo", "write --port @ --store &", 1,
             "&/bdx4_cfg.ini cannot be opened: it is a FIFO (named pipe), not a file\n");
        file("/dev/zero behind a link as a store", "&/bdx4_bv.ini=zero", "show --store &", 1,
             "&/bdx4_bv.ini cannot be opened: it is a device, not a file (shown as far");
        file("a FIFO as --trace", "~/f=fifo", "write --port @ --trace ~/f", 1,
             "--trace: \"~/f\" cannot be written: it is a FIFO (named pipe), not a file");
        file("export onto a FIFO", "~/f=fifo", "export --store % ~/f", 1,
             "could not be written:\nIt is a FIFO (named pipe), not a file; it was left as it is.");
        // Damaged files: nothing sent (the port not even opened, so no trace) or written.
        file("a damaged --from file", "~/bad=damaged", "write --port @ --from ~/bad --trace ~/none",
             1,
             "~/bad: line 5: the checksum is 95, the record's bytes give 94\nbdx4ctl: nothing was "
             "sent to the box\n");
        file("a voltage store cut short", "%/bdx4_bv.ini=cut20", "write --port @ --store %", 1,
             "bdx4_bv.ini could not be read whole: line 21: the store ends after 20 of its 39 "
             "values\nbdx4ctl: nothing was sent to the box;");
        file("nan in the voltage store", "%/bdx4_bv.ini=nan", "show --store %", 1,
             "line 5: \"nan\" is not a level 0-255 (shown as far as it was read)");
        file("1x in the map store", "%/bdx4_cfg.ini=1x", "export --store % -", 1,
             "bdx4_cfg.ini could not be read whole: line 40: \"1x\" is not a cell value 0-255\n");
        // An output never replaces an input.
        file("--trace onto the port", "", "query --port @ --trace @", 1,
             "\"@\" is the port's device @: an output never");
        file("export onto its store", "", "export --store % ~/stores/./bdx4_bv.ini", 1,
             "is the store %/bdx4_bv.ini");
        file("sheet onto its --from file", "", "sheet --from ~/config.txt ~/config.txt", 1,
             "is the file given with --from");
        file("export on a full disk", "ulimit=200", "export --store % ~/out", 1,
             "The file \"~/out\" could not be written:\nFile too large\n\nNothing was saved");
        file("standard output full", ">/dev/full", "show --store %", 1,
             "bdx4ctl: standard output could not be written: No space left on device");
        file("a trace on a full disk", "ulimit=400", "query --port @ --trace ~/t", 1,
             "bdx4ctl: --trace: \"~/t\" could not be written to the end: File too large");
        file("SIGTERM, output to a terminal that takes none", ">pty;sigterm", "export --store % -",
             1, "bdx4ctl: stopped\n");
        file("a history that cannot be kept", "%/history=file:x", "write --port @", 0,
             "bdx4ctl: the box holds the configuration, but the history of what was written "
             "cannot be kept in %/history: the folder cannot be made\n");
        file("no history yet", "", "history --store %", 0,
             "Nothing was written into the box from these stores yet (%/history).\n");
        file("nothing differs", "", "diff ~/config.txt --store % --map 2", 0, "Nothing differs.\n");
        file("one cell differs", "~/c=cell", "diff ~/c --map 2 --store %", 1,
             "160M: output 20 on in c, off in the store's MAP2\n40M: output 20 on in c, off in "
             "the store's MAP2\n");
        file("one level differs", "~/a=level;~/b=cell", "diff ~/b ~/a", 1,
             "40M: output 20 on in b, off in a\nAN1 6 m: 2.00 V in b, 3.92 V in a\n");
        file("a damaged file compared", "~/bad=damaged", "diff ~/config.txt ~/bad", 1,
             "~/bad: line 5: the checksum is 95, the record's bytes give 94\n");
        file("names given", "", "names --store % 160=Dipol 80=Groß-Beam AC1=Яги\\00404\\0040el", 0,
             "160  Dipol\n80   Groß-Beam\nAC1  Яги 4 el\n");
        file("names shown", "%/bdx4_names.txt=file:40=4-square", "show --store %", 0,
             "for Bandmap\n\nOutput names\n40   4-square\n\nBand voltages");
        file("the last name removed", "%/bdx4_names.txt=file:40=4-square", "names --store % 40=", 0,
             "No output has a name yet.\n");
        file("a damaged names file", "%/bdx4_names.txt=file:40=x\r\n41=y\r\nAC1=z",
             "names --store % 20=w", 1,
             "%/bdx4_names.txt: line 2: \"41\" names no output (160 ... 10, XV1 ... XV3, AC1 "
             "... AC3) (the other names are read)\nbdx4ctl: nothing was written;");
        file("a name with an escape",
             "%/bdx4_names.txt=file:40=x\r\n20=\x1b"
             "c",
             "names --store %", 1,
             "40   x\nbdx4ctl: %/bdx4_names.txt: line 2: the name holds a control character");
        file("names while bdx4config runs", "%=lock", "names --store % 20=w", 1,
             "works on the stores in %; close it");
        file("an output unknown", "", "names --store % 41=x", 2, "\"41\" is no output");
        file("a name too long", "", "names --store % 40=1234567890123456789012345", 2,
             "the name for 40 is longer than 24 characters");
        file("a file name that is no UTF-8", "", "export --store % ~/caf\\0351", 2,
             "bdx4ctl: \"~/caf\\xe9\" is not text in the system's encoding (UTF-8)");
    }
    void faults() {
        const auto& [sim, made, command, exitCode, saying] = test::fetch<FaultCase>();
        SimProcess box;
        if (sim != "-")
            QVERIFY(box_->startBox(box, sim.split(' ', Qt::SkipEmptyParts)));
        const QHash<QChar, QString> places{{'@', box_->linkPath()},
                                           {'~', home_->path()},
                                           {'%', stores_},
                                           {'&', home_->filePath("Q")}};
        const auto place = [&places](const QString& text) { // one pass: paths hold any letter
            QString placed;
            for (const QChar ch : text)
                placed += places.value(ch, ch);
            return placed;
        };
        RunSetup setup;
        StoreLock lock(stores_);
        QStringList fifos;
        int interruptAt = command.section(" ^", 1).toInt();
        for (const QString& item : made.split(';', Qt::SkipEmptyParts)) {
            const QString path = place(item.section('=', 0, 0)), kind = item.section('=', 1);
            const QByteArray text = readFile(path);
            if (kind == "fifo" || kind == "zero") // the other store missing, which is said
                QVERIFY(QDir().mkpath(QFileInfo(path).path()) && !QFile::exists(path));
            if (kind == "fifo") {
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                fifos << path;
            } else if (kind == "zero") {
                QVERIFY(QFile::link("/dev/zero", path));
            } else if (kind == "damaged") { // one digit of config.txt changed
                const QByteArray good = readFile(home_->filePath("config.txt"));
                QVERIFY(!writeFileWhole(path,
                                        QByteArray(good).replace(good.indexOf("1F04"), 4, "1F05")));
            } else if (kind.startsWith("file:")) {
                QVERIFY(!writeFileWhole(path, kind.mid(5).toUtf8().replace("\\r\\n", "\r\n")));
            } else if (kind == "cell" || kind == "level") {
                StoredMap map = patternMaps().maps[1];
                VoltageTables volts = defaultVolts();
                kind == "cell" ? void(map[0][5] = map[3][5] = 1) : volts.setValue(0, 2, 100);
                QVERIFY(!exportConfiguration(path, Configuration(map, true, volts).image()));
            } else if (kind == "lock") {
                QCOMPARE(lock.tryLock(), StoreLock::Held);
            } else if (kind == "cut20") {
                QVERIFY(!writeFileWhole(path, text.split('\n').mid(0, 20).join('\n') + '\n'));
            } else if (kind == "nan" || kind == "1x") {
                QList<QByteArray> lines = text.split('\n');
                lines[kind == "nan" ? 4 : 39] = kind.toLatin1() + '\r';
                QVERIFY(!writeFileWhole(path, lines.join('\n')));
            } else if (item.startsWith("ulimit=")) {
                setup.fileSizeLimit = item.mid(7).toInt();
            } else if (item.startsWith('>')) {
                setup.output = item.mid(1);
            } else {
                setup.signal = item == "sigterm" ? SIGTERM : SIGINT;
                interruptAt = 500;
            }
        }
        QStringList arguments = place(command.section(" ^", 0, 0)).split(' ');
        if (command.startsWith("write") && !command.contains("--store"))
            arguments << "--store" << stores_;
        const auto kept = [this, failed = exitCode != 0] { // what must come through as it was
            return readFile(mapStorePath(stores_)) + readFile(voltageStorePath(stores_)) +
                   readFile(home_->filePath("config.txt")) + readFile(settings_) +
                   (failed ? readFile(outputNamesPath(stores_)) : QByteArray());
        };
        const QByteArray before = kept();
        const Result r = ctl(arguments, interruptAt, {}, setup);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2((r.out + r.err).contains(place(saying)), qPrintable(r.out + r.err));
        QVERIFY(!r.err.contains("COMM")); // the command line names its own options
        QVERIFY(r.ms < 4000);             // none of these runs out the search's retries
        QCOMPARE(kept(), before);         // also the desktop program's settings
        QCOMPARE(WriteHistory(stores_).entries().size(),
                 command.startsWith("write") && !exitCode && !made.contains("history"));
        for (const QString& fifo : fifos)
            QCOMPARE(fileKindOf(fifo), FileKind::Fifo);
        QCOMPARE(QDir(home_->path()).entryList({"caf*", "none"}), QStringList());
        if (command.contains(" ^")) { // the box was told the download ended
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
        const QString trace = home_->filePath("trace.txt"),
                      good = home_->filePath("config.txt"); // map 2 exported
        const QByteArray file = readFile(good);
        const QStringList arguments{"write",  "--from", good,      "--port", box_->linkPath(),
                                    "--baud", "9600",   "--trace", trace,    "--store",
                                    stores_};
        Result r = ctl(arguments);
        QVERIFY2(r.exitCode == 0 && r.ms >= 2700, qPrintable(r.err));
        QCOMPARE(r.out, QStringLiteral("HF Data\nVHF Data\nAcc Data\nAN1 Data\nAN2 Data\nAN3 Data\n"
                                       "Closing\nLast Send Passed!\n"));
        // Map 2 of the stores exported as the file holds it, the outputs named or not.
        const ConfigImage image = map2Image();
        QCOMPARE(ctl({"names", "--store", stores_, "40=4-square"}).exitCode, 0);
        QCOMPARE(ctl({"export", "--map", "2", "--store", stores_, "-"}).out.toLatin1(), file);
        const QList<HistoryEntry> history = WriteHistory(stores_).entries();
        QVERIFY(history.size() == 1 && readFile(history[0].path) == file);
        const QRegularExpression listed(
            "^20\\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  config.txt  " +
            QRegularExpression::escape(box_->linkPath() + "  " + history[0].path) + "\n$");
        QVERIFY(listed.match(ctl({"history", "--store", stores_}).out).hasMatch());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_->reportPath()), 3000);
        const QJsonObject report = readReport(box_->reportPath());
        QCOMPARE(report["lines"].toVariant().toStringList().join('\n'), image.lines().join('\n'));
        QCOMPARE(report["acknowledged"].toInt(), 7);
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
    /// Runs bdx4ctl in a home of its own; `changes`: NAME=value sets a variable, NAME removes it.
    Result ctl(const QStringList& arguments, int interruptAfterMs = 0,
               const QStringList& changes = {}, const RunSetup& setup = {}) {
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
        int terminal[2] = {-1, -1}; // a terminal whose output is stopped (Ctrl+S) takes none
        if (setup.output == "pty") {
            if (::openpty(&terminal[0], &terminal[1], nullptr, nullptr, nullptr) != 0 ||
                ::tcflow(terminal[1], TCOOFF) != 0)
                return {};
            process.setStandardOutputFile(QString::fromLocal8Bit(::ttyname(terminal[1])));
        } else if (!setup.output.isEmpty()) {
            process.setStandardOutputFile(setup.output);
        }
        if (const rlim_t limit = rlim_t(setup.fileSizeLimit); limit > 0)
            process.setChildProcessModifier([limit] {
                const rlimit fileSize{limit, limit};
                ::setrlimit(RLIMIT_FSIZE, &fileSize);
            });
        QElapsedTimer took;
        took.start();
        QString script = "exec \"$0\""; // through the shell: it also passes bytes no UTF-8
        for (const QString& argument : arguments)
            script += " \"$(printf %b '" + argument + "')\"";
        process.start("/bin/sh", {"-c", script, QStringLiteral(BDX4CTL_PATH)});
        if (interruptAfterMs > 0 && process.waitForStarted()) {
            QTest::qWait(interruptAfterMs);
            if (process.processId() > 0) // still running
                ::kill(pid_t(process.processId()), setup.signal);
        }
        process.waitForFinished(30000);
        for (const int fd : terminal)
            if (fd >= 0)
                ::close(fd);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError()), took.elapsed()};
    }

    std::unique_ptr<BoxFolder> box_;
    std::unique_ptr<QTemporaryDir> home_;
    QString stores_, settings_;
};

QTEST_GUILESS_MAIN(TestE2e)
#include "tst_e2e.moc"
