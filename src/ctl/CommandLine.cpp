#include "ctl/CommandLine.h"

#include "ctl/Console.h"
#include "io/SerialLine.h"
#include "model/OutputNames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <map>
#include <utility>

namespace bdx4::ctl {

namespace {

struct CommandInfo {
    Command command;
    QStringList options; // the options it takes, besides --help
};

const std::map<QString, CommandInfo>& commands() {
    static const std::map<QString, CommandInfo> table = {
        {QStringLiteral("show"), {Command::Show, {"map", "store", "from"}}},
        {QStringLiteral("export"), {Command::Export, {"map", "store"}}},
        {QStringLiteral("query"), {Command::Query, {"port", "baud", "trace"}}},
        {QStringLiteral("write"),
         {Command::Write, {"port", "baud", "map", "store", "from", "trace"}}},
        {QStringLiteral("sheet"), {Command::Sheet, {"map", "store", "from"}}},
        {QStringLiteral("ports"), {Command::Ports, {"port"}}},
        {QStringLiteral("history"), {Command::History, {"store"}}},
        {QStringLiteral("diff"), {Command::Diff, {"map", "store"}}},
        {QStringLiteral("names"), {Command::Names, {"store"}}},
    };
    return table;
}

QString commandNames() {
    return Texts::tr("show, export, query, write, sheet, ports, history, diff or names");
}

QString dashed(const QStringList& names) {
    QStringList options;
    for (const QString& name : names)
        options << QStringLiteral("--") + name;
    return options.join(QStringLiteral(", "));
}

Parsed fail(const QString& message) {
    return Parsed{std::nullopt, message};
}

/// The option `name` as the line spells it ("-x", "--x"), so that a complaint quotes what was
/// typed.
QString asTyped(const QString& name, const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        qsizetype dashes = 0;
        while (dashes < option.size() && dashes < 2 && option[dashes] == QLatin1Char('-'))
            ++dashes;
        if (dashes > 0 && option.mid(dashes) == name)
            return option;
    }
    return QStringLiteral("--") + name;
}

/// Checks one option's value and keeps it; what is wrong with it, or an empty text.
QString take(Options& o, const QString& name, const QString& value) {
    if (name == QLatin1String("map")) {
        bool ok = false;
        const int map = value.toInt(&ok, 10);
        if (!ok || map < 1 || map > 3)
            return Texts::tr("--map: \"%1\" is no map; give 1, 2 or 3").arg(value);
        o.map = map;
    } else if (name == QLatin1String("store")) {
        if (value.isEmpty() || !QFileInfo(value).isDir())
            return Texts::tr(
                       "--store: \"%1\" is not a folder; give the folder that holds bdx4_cfg.ini "
                       "and bdx4_bv.ini")
                .arg(value);
        o.storeFolder = QDir::cleanPath(QFileInfo(value).absoluteFilePath());
    } else if (name == QLatin1String("port")) {
        bool ok = false;
        const int port = value.toInt(&ok, 10);
        if (ok && port >= kFirstPort && port <= kLastPort) {
            o.port = port;
            o.device.clear();
        } else if (value.contains(QLatin1Char('/'))) {
            o.port = 0;
            o.device = value;
        } else {
            return Texts::tr(
                       "--port: \"%1\" is neither a port number from 1 to 16 nor a device path "
                       "(such as /dev/ttyUSB0)")
                .arg(value);
        }
    } else if (name == QLatin1String("baud")) {
        if (!isBoxSpeed(value))
            return Texts::tr(
                       "--baud: \"%1\" is not a speed of the box; give 4800, 9600, 19200 or 38400")
                .arg(value);
        o.speed = value;
    } else if (name == QLatin1String("from")) {
        if (value.isEmpty())
            return Texts::tr("--from: give the configuration file to read");
        o.fromFile = QFileInfo(value).absoluteFilePath();
    } else if (name == QLatin1String("trace")) {
        if (value.isEmpty())
            return Texts::tr("--trace: give the file to record the conversation in");
        o.tracePath = value;
    }
    return QString();
}

/// An output's name as `names` takes it ("40=4-square"); what is wrong with it, or an empty text.
QString takeName(Options& o, const QString& argument) {
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (equals < 0)
        return Texts::tr("names: \"%1\" is no OUTPUT=NAME (such as 40=4-square)").arg(argument);
    const QString caption = argument.left(equals);
    const QString name = argument.mid(equals + 1);
    const int output = outputCaptioned(caption);
    if (output < 0)
        return Texts::tr("names: \"%1\" is no output; give 160 ... 10, XV1 ... XV3 or AC1 ... AC3")
            .arg(caption);
    switch (OutputNames::check(name)) {
    case OutputNames::Fault::TooLong:
        return Texts::tr("names: the name for %1 is longer than %2 characters")
            .arg(caption)
            .arg(OutputNames::kMaxLength);
    case OutputNames::Fault::LineCharacter:
        return Texts::tr("names: the name for %1 holds a line break or another control character")
            .arg(caption);
    case OutputNames::Fault::None:
        break;
    }
    o.names.append({output, name});
    return QString();
}

/// The arguments of diff and names; what is wrong with them, or an empty text.
QString takeArguments(Options& o, QStringList& positional, bool storeOrMapGiven) {
    if (o.command == Command::Names) {
        for (const QString& argument : std::exchange(positional, {}))
            if (const QString why = takeName(o, argument); !why.isEmpty())
                return why;
    } else if (o.command == Command::Diff) {
        if (positional.isEmpty())
            return Texts::tr("diff needs the FILE to compare: bdx4ctl diff FILE [FILE2]");
        for (int i = 0; i < 2 && !positional.isEmpty(); ++i) {
            const QString file = positional.takeFirst();
            if (file.isEmpty())
                return Texts::tr("%1: the file name is empty").arg(QStringLiteral("diff"));
            o.files << QFileInfo(file).absoluteFilePath();
        }
        if (o.files.size() == 2 && storeOrMapGiven)
            return Texts::tr("diff compares FILE with FILE2: give no --map or --store with them");
    }
    return QString();
}

/// Takes the options `parser` found into `o`; why they cannot be taken, or nothing.
QString takeOptions(Options& o, const QCommandLineParser& parser, const QStringList& arguments,
                    const QStringList& allowed) {
    const QString& first = arguments.first();
    for (const QString& name : parser.optionNames()) {
        if (!allowed.contains(name))
            return Texts::tr("%1 takes no option \"%2\"; its options are %3 and --help")
                .arg(first, asTyped(name, arguments), dashed(allowed));
    }
    for (const QString& name : allowed) {
        if (!parser.isSet(name))
            continue;
        // Two values, one of them never checked: which was meant is not for bdx4ctl to guess.
        if (parser.values(name).size() > 1)
            return Texts::tr("%1 is given more than once; give it once")
                .arg(asTyped(name, arguments));
        if (const QString why = take(o, name, parser.value(name)); !why.isEmpty())
            return why;
    }

    // A file written into the box is kept in the history beside the stores --store names.
    if (!o.fromFile.isEmpty() &&
        (parser.isSet(QStringLiteral("map")) ||
         (parser.isSet(QStringLiteral("store")) && o.command != Command::Write)))
        return o.command == Command::Write
                   ? Texts::tr("--from takes the map, the AC1-AC3 mode and the band voltages "
                               "from the file: give no --map with it")
                   : Texts::tr("--from takes the map, the AC1-AC3 mode and the band voltages "
                               "from the file: give no --map or --store with it");

    return QString();
}

/// Takes export's or sheet's output file from the front of `positional` into `o`.
QString takeOutputFile(Options& o, QStringList& positional, const QString& first) {
    if (o.command == Command::Export || o.command == Command::Sheet) {
        const bool sheet = o.command == Command::Sheet;
        if (positional.isEmpty())
            return sheet ? Texts::tr("sheet needs the PDF file to write: bdx4ctl sheet [--map N | "
                                     "--from FILE] OUT.pdf")
                         : Texts::tr("export needs the FILE to write, or - for standard output: "
                                     "bdx4ctl export [--map N] FILE");
        const QString file = positional.takeFirst();
        if (file.isEmpty())
            return Texts::tr("%1: the file name is empty").arg(first);
        if (sheet && file == QLatin1String("-"))
            return Texts::tr("sheet writes a PDF file, not standard output: give the file's name");
        o.outputFile = file == QLatin1String("-") ? file : QFileInfo(file).absoluteFilePath();
    }
    return QString();
}

} // namespace

Parsed parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    for (const char* name : {"map", "store", "port", "baud", "trace", "from"})
        parser.addOption(
            QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));

    // Asking for help is never an error, whatever else the line holds.
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h")) ||
        arguments.value(0) == QLatin1String("help"))
        return Parsed{Options{}, QString()};
    if (arguments.contains(QLatin1String("--version"))) {
        Options version;
        version.command = Command::Version;
        return Parsed{version, QString()};
    }
    if (arguments.isEmpty())
        return fail(Texts::tr("no command given; use %1 (see bdx4ctl --help)").arg(commandNames()));
    const QString& first = arguments.first();
    const auto found = commands().find(first);
    if (found == commands().end())
        return fail(Texts::tr("\"%1\" is no command; use %2 (see bdx4ctl --help)")
                        .arg(first, commandNames()));
    const QStringList& allowed = found->second.options;

    // The parser takes the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("bdx4ctl")} + arguments.mid(1))) {
        if (!parser.unknownOptionNames().isEmpty())
            return fail(Texts::tr("%1 takes no option \"%2\"; its options are %3 and --help")
                            .arg(first, asTyped(parser.unknownOptionNames().first(), arguments),
                                 dashed(allowed)));
        // The only other complaint: an option given without its value.
        const QString option = parser.errorText().section(QLatin1Char('\''), 1, 1);
        return fail(
            Texts::tr("%1 needs a value").arg(option.isEmpty() ? parser.errorText() : option));
    }

    Options o;
    o.command = found->second.command;
    if (const QString why = takeOptions(o, parser, arguments, allowed); !why.isEmpty())
        return fail(why);

    QStringList positional = parser.positionalArguments();
    if (const QString why = takeOutputFile(o, positional, first); !why.isEmpty())
        return fail(why);
    if (const QString why = takeArguments(o, positional,
                                          parser.isSet(QStringLiteral("map")) ||
                                              parser.isSet(QStringLiteral("store")));
        !why.isEmpty())
        return fail(why);
    if (!positional.isEmpty())
        return fail(Texts::tr("%1 takes no argument \"%2\" (see bdx4ctl --help)")
                        .arg(first, positional.first()));
    if ((o.command == Command::Query || o.command == Command::Write) && o.port == 0 &&
        o.device.isEmpty())
        return fail(
            Texts::tr("%1 needs --port: a port number from 1 to 16 or a device path (such as "
                      "/dev/ttyUSB0)")
                .arg(first));
    return Parsed{o, QString()};
}

QString usageText() {
    return Texts::tr(
        "bdx4ctl: the BDX4 configuration from the command line, with the stores, port "
        "settings\n"
        "and box conversation of bdx4config.\n"
        "\n"
        "Usage:\n"
        "  bdx4ctl show   [--map N] [--store DIR]\n"
        "  bdx4ctl show   --from FILE\n"
        "      Print map N (1-3, default 1), or the configuration in FILE, as a grid of\n"
        "      bands by outputs, the AC1-AC3 mode and the three band-voltage tables in volts.\n"
        "  bdx4ctl export [--map N] [--store DIR] FILE\n"
        "      Write the eight lines a download of map N would send into FILE (- for\n"
        "      standard output), as \"Write Bandmap to File\" does.\n"
        "  bdx4ctl query  --port P [--baud B] [--trace FILE]\n"
        "      Look for the box and print its firmware version.\n"
        "  bdx4ctl write  --port P [--baud B] [--map N] [--store DIR] [--trace FILE]\n"
        "  bdx4ctl write  --port P [--baud B] --from FILE [--store DIR] [--trace FILE]\n"
        "      Write map N, the accessory table and the voltage tables into the box, as\n"
        "      \"Write To BDX4\" does, or the seven records of the configuration in FILE\n"
        "      once every one of them is checked. Ctrl+C stops it; the box is told that it\n"
        "      is over. What passed is kept in the history beside the stores (--store).\n"
        "  bdx4ctl sheet  [--map N | --from FILE] [--store DIR] OUT.pdf\n"
        "      Write the printable sheet of map N or of FILE as a one-page PDF.\n"
        "  bdx4ctl ports  [--port P]\n"
        "      List the serial ports present now, one line each, with the stable name to\n"
        "      give --port last; * marks the one --port P reaches. Opens none of them.\n"
        "  bdx4ctl history [--store DIR]\n"
        "      List what was written into the box, newest first: when, the map or file,\n"
        "      the port, the box's firmware, and the file that keeps those eight lines.\n"
        "  bdx4ctl diff   FILE [FILE2] [--map N] [--store DIR]\n"
        "      Print each cell, band voltage and AC1-AC3 mode the box would receive\n"
        "      differently from FILE and FILE2 (default: map N with the stores' mode and\n"
        "      band voltages). Exit status 0 when nothing differs, 1 when something does.\n"
        "  bdx4ctl names  [--store DIR] [OUTPUT=NAME ...]\n"
        "      List the names of the outputs, or give OUTPUT (160 ... 10, XV1 ... XV3,\n"
        "      AC1 ... AC3) the NAME (at most 24 characters; an empty NAME removes it).\n"
        "      They are kept in bdx4_names.txt beside the stores, never sent to the box.\n"
        "  bdx4ctl --version\n"
        "\n"
        "Options:\n"
        "  --port P      a port number 1-16 as in bdx4config's COMM menu (the settings'\n"
        "                [Ports] section, or /dev/ttyUSB0-7, /dev/ttyACM0-3, /dev/ttyS0-3),\n"
        "                or a device path such as /dev/ttyUSB0 or /dev/serial/by-id/...\n"
        "  --baud B      4800, 9600, 19200 or 38400, as set by the box's jumpers\n"
        "                (default: bdx4config's last speed, else 4800)\n"
        "  --store DIR   the folder of bdx4_cfg.ini and bdx4_bv.ini, also of the names and\n"
        "                the history (default: bdx4config's, the per-user data folder for\n"
        "                an installed program, else the folder of this program when it is\n"
        "                writable)\n"
        "  --from FILE   a configuration file, as \"Write Bandmap to File\" writes it (also the\n"
        "                seven records alone, as other Intel HEX tools write them)\n"
        "  --trace FILE  record every byte sent and received, with times, into FILE\n"
        "  --help        print this text\n"
        "  --version     print the program's name and version\n"
        "\n"
        "Exit status: 0 done; 1 the box was not found, the port or a file failed, a\n"
        "configuration file was damaged, a record was not acknowledged, or Ctrl+C stopped\n"
        "it; 2 the command line was wrong.\n");
}

} // namespace bdx4::ctl
