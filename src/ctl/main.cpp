// bdx4ctl: the BDX4 configuration from the command line, for a station computer without a screen.
// It runs the desktop program's own core on its stores and settings.

#include "ctl/CtlArguments.h"
#include "ctl/CtlConsole.h"
#include "ctl/CtlRun.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
#ifdef SIGXFSZ
    // Under a file size limit (ulimit -f) the system would end the program in the middle of a
    // save, losing the maps in memory; ignored, the write fails and the save says so.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The per-user data folder (where the stores go when the program's folder is not writable) is
    // the desktop program's, which is named after its executable.
    QCoreApplication::setApplicationName(QStringLiteral("bdx4config"));

    bdx4::ctl::Console out(stdout);
    bdx4::ctl::Console err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    const QStringList commandLine = arguments;
    arguments.removeFirst();
    const bdx4::ctl::Parsed parsed = bdx4::ctl::parseArguments(arguments);
    if (!parsed.options) {
        err.line(QStringLiteral("bdx4ctl: ") + parsed.error);
        return bdx4::ctl::kExitUsage;
    }
    return bdx4::ctl::run(*parsed.options, commandLine, out, err);
}
