// bdx4ctl's command line, read in the process.

#include "ctl/CommandLine.h"
#include "ctl/StoreLoading.h"

#include <unistd.h>

#include <QtTest>

using namespace bdx4::ctl;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void lines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reading"); // the options read, or the error's words
        const auto row = [](const char* name, const char* line, const char* reading) {
            QTest::newRow(name) << QString(line) << QString(reading);
        };
        row("help anywhere", "write --port 99 --help", "0 1 0");
        row("help as the command", "help --port 1", "0 1 0");
        row("show map 2", "show --map=2", "1 2 0");
        row("export", "export - --map 3", "2 3 0    -");
        row("query by number", "query --port 16 --baud 38400", "3 1 16  38400");
        row("write by device", "write --port=/dev/x --map 1 --trace t", "4 1 0 /dev/x  t");
        row("an option twice", "write --port 0 --port /dev/x", "--port is given more than once");
        row("an option as typed", "show -x", "show takes no option \"-x\"|--map");
        row("an option of another command as typed", "show -port=1",
            "show takes no option \"-port\"");
        row("write a file", "write --from c.txt --port 2", "4 1 2     c.txt");
        row("sheet of map 2", "sheet --map 2 s.pdf", "5 2 0    s.pdf");
        row("version anywhere", "show --version", "6 1 0");
        row("ports marking a port", "ports --port 3", "7 1 3");
        row("ports with a map", "ports --map 2",
            "ports takes no option \"--map\"|--port and --help");
        row("no command", "",
            "no command|show, export, query, write, sheet, ports, history, diff or");
        row("unknown command", "upload", "\"upload\" is no command|show, export");
        row("option of another command", "show --port 1",
            "show takes no option \"--port\"|--map, --store");
        row("unknown option", "query --fast", "query takes no option \"--fast\"|--port");
        row("map 0", "show --map 0", "--map: \"0\"|1, 2 or 3");
        row("map without value", "show --map", "--map needs a value");
        row("export without file", "export --map 2", "export needs the FILE");
        row("query without port", "query", "query needs --port|1 to 16|device path");
        row("port 17", "write --port 17", "--port: \"17\"|1 to 16|device path");
        row("speed 1200", "query --port 1 --baud 1200",
            "--baud: \"1200\"|4800, 9600, 19200 or 38400");
        row("store that is no folder", "show --store /nowhere/at/all", "--store|not a folder");
        row("stray argument", "show extra", "show takes no argument \"extra\"");
        row("a file and a map", "sheet --from c.txt --map 2 s.pdf", "no --map or --store");
        row("a file written with a map", "write --from c.txt --map 2 --port 1",
            "give no --map with");
        row("a file for export", "export --from c.txt -", "export takes no option \"--from\"");
        row("sheet without file", "sheet --map 2", "sheet needs the PDF file");
        row("a file written, its history in a store", "write --from c --port 2 --store /",
            "4 1 2     c");
        row("two files and a map", "diff a b --map 2", "diff compares FILE with FILE2|no --map");
        row("diff without file", "diff", "diff needs the FILE");
        row("three files", "diff a b c", "diff takes no argument \"c\"");
        row("a name without an output", "names 40", "\"40\" is no OUTPUT=NAME");
        row("a name with a tab", "names 40=a\tb", "the name for 40 holds a line break");
        row("sheet to standard output", "sheet -", "not standard output");
    }
    void lines() {
        QFETCH(QString, line);
        QFETCH(QString, reading);
        const Parsed parsed = parseCommandLine(line.split(' ', Qt::SkipEmptyParts));
        if (!parsed.options) {
            for (const QString& words : reading.split('|'))
                QVERIFY2(parsed.error.contains(words),
                         qPrintable(parsed.error + " lacks " + words));
            return;
        }
        const Options& o = *parsed.options;
        QStringList read;
        read << QString::number(int(o.command)) << QString::number(o.map) << QString::number(o.port)
             << o.device << o.speed << o.tracePath << QFileInfo(o.outputFile).fileName()
             << QFileInfo(o.fromFile).fileName();
        QCOMPARE(read.join(' ').trimmed(), reading);
    }

    void sudoSaysWhoseStores() { // root's stores are not the user's: say so, and where theirs are
        if (::geteuid() != 0)
            QSKIP("bdx4ctl says this to root only");
        qputenv("SUDO_USER", "nobody");
        QVERIFY(
            sudoNotice("/r/", "/r").contains("the stores in /r/, root's own; nobody's are in "));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
