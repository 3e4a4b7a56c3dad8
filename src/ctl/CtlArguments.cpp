#include "ctl/CtlArguments.h"

#include "link/Link.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace bdx4::ctl {

namespace {

struct CommandInfo {
    Command command;
    QStringList options; // the options it takes, besides --help
};

const std::map<QString, CommandInfo>& commands() {
    static const std::map<QString, CommandInfo> table = {
        {QStringLiteral("show"), {Command::Show, {"--map", "--store"}}},
        {QStringLiteral("export"), {Command::Export, {"--map", "--store"}}},
        {QStringLiteral("query"), {Command::Query, {"--port", "--baud", "--trace"}}},
        {QStringLiteral("write"),
         {Command::Write, {"--port", "--baud", "--map", "--store", "--trace"}}},
    };
    return table;
}

const QString kCommandNames = QStringLiteral("show, export, query or write");

QString allowedSpeeds() {
    return QStringLiteral("4800, 9600, 19200 or 38400");
}

Parsed fail(const QString& message) {
    return Parsed{std::nullopt, message};
}

// A value is "set" from "--name VALUE" or "--name=VALUE".
QString checkValue(Options& o, const QString& name, const QString& value) {
    if (name == QLatin1String("--map")) {
        bool ok = false;
        const int map = value.toInt(&ok, 10);
        if (!ok || map < 1 || map > 3)
            return QStringLiteral("--map: \"%1\" is no map; give 1, 2 or 3").arg(value);
        o.map = map;
    } else if (name == QLatin1String("--store")) {
        if (value.isEmpty() || !QFileInfo(value).isDir())
            return QStringLiteral("--store: \"%1\" is not a folder; give the folder that holds "
                                  "bdx4_cfg.ini and bdx4_bv.ini")
                .arg(value);
        o.storeFolder = QDir::cleanPath(QFileInfo(value).absoluteFilePath());
    } else if (name == QLatin1String("--port")) {
        bool ok = false;
        const int port = value.toInt(&ok, 10);
        if (ok && port >= kFirstComPort && port <= kLastComPort) {
            o.portNumber = port;
            o.portDevice.clear();
        } else if (value.contains(QLatin1Char('/'))) {
            o.portNumber = 0;
            o.portDevice = value;
        } else {
            return QStringLiteral("--port: \"%1\" is neither a port number from 1 to 16 nor a "
                                  "device path (such as /dev/ttyUSB0)")
                .arg(value);
        }
    } else if (name == QLatin1String("--baud")) {
        bool known = false;
        for (const char* rate : kMenuBaudRates)
            known = known || value == QLatin1String(rate);
        if (!known)
            return QStringLiteral("--baud: \"%1\" is not a speed of the box; give %2")
                .arg(value, allowedSpeeds());
        o.baud = value;
    } else if (name == QLatin1String("--trace")) {
        if (value.isEmpty())
            return QStringLiteral("--trace: give the file to record the conversation in");
        o.tracePath = value;
    }
    return QString();
}

} // namespace

Parsed parseArguments(const QStringList& arguments) {
    Options o;
    if (arguments.isEmpty())
        return fail(
            QStringLiteral("no command given; use %1 (see bdx4ctl --help)").arg(kCommandNames));
    const QString& first = arguments.first();
    // Asking for help is never an error, whatever else the line holds.
    if (first == QLatin1String("help") || arguments.contains(QLatin1String("--help")) ||
        arguments.contains(QLatin1String("-h")))
        return Parsed{o, QString()};
    const auto found = commands().find(first);
    if (found == commands().end())
        return fail(QStringLiteral("\"%1\" is no command; use %2 (see bdx4ctl --help)")
                        .arg(first, kCommandNames));
    o.command = found->second.command;
    const QStringList& allowed = found->second.options;

    QStringList positional;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            positional << argument;
            continue;
        }
        QString name = argument;
        std::optional<QString> value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (equals > 0) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
        }
        if (!allowed.contains(name))
            return fail(QStringLiteral("%1 takes no option \"%2\"; its options are %3 and --help")
                            .arg(first, name, allowed.join(QStringLiteral(", "))));
        if (!value) {
            if (i + 1 >= arguments.size())
                return fail(QStringLiteral("%1 needs a value").arg(name));
            value = arguments[++i];
        }
        if (const QString why = checkValue(o, name, *value); !why.isEmpty())
            return fail(why);
    }

    if (o.command == Command::Export) {
        if (positional.isEmpty())
            return fail(QStringLiteral("export needs the FILE to write: bdx4ctl export [--map N] "
                                       "FILE"));
        if (positional.first().isEmpty())
            return fail(QStringLiteral("export: the FILE name is empty"));
        o.exportFile = QFileInfo(positional.takeFirst()).absoluteFilePath();
    }
    if (!positional.isEmpty())
        return fail(QStringLiteral("%1 takes no argument \"%2\" (see bdx4ctl --help)")
                        .arg(first, positional.first()));
    if ((o.command == Command::Query || o.command == Command::Write) && o.portNumber == 0 &&
        o.portDevice.isEmpty())
        return fail(QStringLiteral("%1 needs --port: a port number from 1 to 16 or a device "
                                   "path (such as /dev/ttyUSB0)")
                        .arg(first));
    return Parsed{o, QString()};
}

QString usageText() {
    return QStringLiteral("bdx4ctl: the BDX4 configuration from the command line, with the stores, "
                          "port settings\n"
                          "and box conversation of bdx4config.\n"
                          "\n"
                          "Usage:\n"
                          "  bdx4ctl show   [--map N] [--store DIR]\n"
                          "      Print map N (1-3, default 1) as a grid of bands by outputs, the "
                          "AC1-AC3 mode\n"
                          "      and the three band-voltage tables in volts.\n"
                          "  bdx4ctl export [--map N] [--store DIR] FILE\n"
                          "      Write the eight lines a download of map N would send into FILE, "
                          "as\n"
                          "      \"Write Bandmap to File\" does.\n"
                          "  bdx4ctl query  --port P [--baud B] [--trace FILE]\n"
                          "      Look for the box and print its firmware version.\n"
                          "  bdx4ctl write  --port P [--baud B] [--map N] [--store DIR] [--trace "
                          "FILE]\n"
                          "      Write map N, the accessory table and the voltage tables into the "
                          "box, as\n"
                          "      \"Write To BDX4\" does.\n"
                          "\n"
                          "Options:\n"
                          "  --port P      a port number 1-16 as in bdx4config's COMM menu (the "
                          "settings'\n"
                          "                [Ports] section, or /dev/ttyUSB0-7, /dev/ttyACM0-3, "
                          "/dev/ttyS0-3),\n"
                          "                or a device path such as /dev/ttyUSB0 or "
                          "/dev/serial/by-id/...\n"
                          "  --baud B      4800, 9600, 19200 or 38400, as set by the box's "
                          "jumpers\n"
                          "                (default: bdx4config's last speed, else 4800)\n"
                          "  --store DIR   the folder of bdx4_cfg.ini and bdx4_bv.ini (default: "
                          "the folder of\n"
                          "                this program, or the per-user data folder when that is "
                          "not\n"
                          "                writable, as for bdx4config)\n"
                          "  --trace FILE  record every byte sent and received, with times, into "
                          "FILE\n"
                          "  --help        print this text\n"
                          "\n"
                          "Exit status: 0 done; 1 the box was not found, the port or a file "
                          "failed, or a record\n"
                          "was not acknowledged; 2 the command line was wrong.\n");
}

} // namespace bdx4::ctl
