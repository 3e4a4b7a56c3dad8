// bdx4ctl's command line, read in the process.

#include "ctl/CommandLine.h"
#include "ctl/Commands.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4::ctl;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void goodLines_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reading"); // command, map, port, device, speed, trace, file
        QTest::newRow("help anywhere")
            << QStringList{"write", "--port", "99", "--help"} << "0 1 0   ";
        QTest::newRow("show map 2") << QStringList{"show", "--map=2"} << "1 2 0   ";
        QTest::newRow("export") << QStringList{"export", "-", "--map", "3"} << "2 3 0   -";
        QTest::newRow("query by number")
            << QStringList{"query", "--port", "16", "--baud", "38400"} << "3 1 16  38400 ";
        QTest::newRow("write by device")
            << QStringList{"write", "--port=/dev/ttyUSB0", "--trace", "t.txt", "--port", "/dev/x"}
            << "4 1 0 /dev/x  t.txt";
    }
    void goodLines() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reading);
        const Parsed parsed = parseCommandLine(arguments);
        QVERIFY2(parsed.options, qPrintable(parsed.error));
        const Options& o = *parsed.options;
        const QString got = QStringLiteral("%1 %2 %3 %4 %5 %6")
                                .arg(int(o.command))
                                .arg(o.map)
                                .arg(o.port)
                                .arg(o.device, o.speed, o.tracePath);
        QCOMPARE(got + QFileInfo(o.exportFile).fileName(), reading);
    }

    void badLines_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("saying");
        QTest::newRow("no command")
            << QStringList{} << QStringList{"no command", "show, export, query or write"};
        QTest::newRow("unknown command")
            << QStringList{"upload"} << QStringList{"\"upload\" is no command", "show, export"};
        QTest::newRow("option first")
            << QStringList{"--map", "2", "show"} << QStringList{"no command"};
        QTest::newRow("option of another command")
            << QStringList{"show", "--port", "1"}
            << QStringList{"show takes no option \"--port\"", "--map, --store"};
        QTest::newRow("unknown option")
            << QStringList{"query", "--fast"}
            << QStringList{"query takes no option \"--fast\"", "--port"};
        QTest::newRow("map 0") << QStringList{"show", "--map", "0"}
                               << QStringList{"--map", "\"0\"", "1, 2 or 3"};
        QTest::newRow("map without value")
            << QStringList{"show", "--map"} << QStringList{"--map needs a value"};
        QTest::newRow("export without file")
            << QStringList{"export", "--map", "2"} << QStringList{"export needs the FILE"};
        QTest::newRow("export with two files")
            << QStringList{"export", "a.txt", "b.txt"} << QStringList{"no argument \"b.txt\""};
        QTest::newRow("query without port")
            << QStringList{"query"} << QStringList{"query needs --port", "1 to 16", "device path"};
        QTest::newRow("port 17") << QStringList{"write", "--port", "17"}
                                 << QStringList{"--port", "\"17\"", "1 to 16", "device path"};
        QTest::newRow("port by name")
            << QStringList{"query", "--port", "COM3"} << QStringList{"--port", "\"COM3\""};
        QTest::newRow("speed 1200")
            << QStringList{"query", "--port", "1", "--baud", "1200"}
            << QStringList{"--baud", "\"1200\"", "4800, 9600, 19200 or 38400"};
        QTest::newRow("store that is no folder")
            << QStringList{"show", "--store", "/nowhere/at/all"}
            << QStringList{"--store", "not a folder"};
        QTest::newRow("empty trace name") << QStringList{"query", "--port", "1", "--trace="}
                                          << QStringList{"--trace: give the file"};
        QTest::newRow("stray argument")
            << QStringList{"show", "extra"} << QStringList{"show takes no argument \"extra\""};
    }
    void badLines() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, saying);
        const Parsed parsed = parseCommandLine(arguments);
        QVERIFY(!parsed.options);
        for (const QString& words : saying)
            QVERIFY2(parsed.error.contains(words), qPrintable(parsed.error + " lacks " + words));
    }

    void showPrintsTheGrid() {
        bdx4::BandMaps maps;
        maps.setCell(0, 0, 1);
        maps.setCell(20, 15, 2);
        const QStringList lines = mapText(maps, 2).split('\n');
        QCOMPARE(lines[0], QStringLiteral("MAP2"));
        QVERIFY(lines[1].endsWith(" AC3"));
        QVERIFY(lines[2].startsWith("160M     x   ."));
        QVERIFY(lines[22].startsWith("XVTR7") && lines[22].endsWith("   -"));
        QVERIFY(mapText(maps, 2).contains("ACn mode: Use AC1 - AC3 default table"));
        bdx4::VoltageTables volts;
        volts.setValue(1, 0, 255);
        QVERIFY(
            voltageText(volts).split('\n')[1].startsWith("430 MHz               0.00        5.00"));
        QCOMPARE(sudoNotice("/a", "/b"), QString()); // not run through sudo
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
