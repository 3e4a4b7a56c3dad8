#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace bdx4::ctl {

enum class Command {
    Help,
    Show,
    Export,
    Query,
    Write,
    Sheet,
    Version,
    Ports,
    History,
    Diff,
    Names
};

/// What the command line asked for.
struct Options {
    Command command = Command::Help;
    int map = 1;         ///< MAP1-MAP3
    QString storeFolder; ///< where the stores are; empty: bdx4config's folder
    QString fromFile;    ///< show, write, sheet: a configuration file in place of the stores
    QString outputFile;  ///< export, sheet: the file to write; for export "-" is standard output
    int port = 0;        ///< 1-16 as in bdx4config's COMM menu; 0: a device is named, or none
    QString device;      ///< a device path given in place of a port number
    QString speed;       ///< empty: bdx4config's last speed, else 4800
    QString tracePath;   ///< query and write: the file to record the conversation in, or empty
    QStringList files;   ///< diff: the configuration files to compare, one or two
    QList<std::pair<int, QString>> names; ///< names: each output (0-15) given a name, in order
};

/// The outcome of reading the command line: the options, or what is wrong with it.
struct Parsed {
    std::optional<Options> options;
    QString error;
};

/// Reads the arguments that follow the program's name: the command first, then its options.
Parsed parseCommandLine(const QStringList& arguments);

/// The text `--help` prints.
QString usageText();

} // namespace bdx4::ctl
