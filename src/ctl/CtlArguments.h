#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace bdx4::ctl {

enum class Command { Help, Show, Export, Query, Write };

/// What the command line asked for.
struct Options {
    Command command = Command::Help;
    int map = 1;         ///< MAP1-MAP3
    QString storeFolder; ///< where the stores are; empty: the desktop program's folder rule
    QString exportFile;  ///< export: the file to write
    int portNumber = 0;  ///< 1-16 as in the desktop program's COMM menu; 0: a device is named
    QString portDevice;  ///< a device path given in place of a port number
    QString baud;        ///< empty: the remembered BAUD_Rate, else 4800
    QString tracePath;   ///< query and write: the file to record the conversation in, or empty
};

/// The outcome of reading the command line: the options, or the message for the user.
struct Parsed {
    std::optional<Options> options;
    QString error;
};

/// Reads the arguments that follow the program's name.
Parsed parseArguments(const QStringList& arguments);

/// The text `--help` prints.
QString usageText();

} // namespace bdx4::ctl
