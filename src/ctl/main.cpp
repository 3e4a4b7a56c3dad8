// bdx4ctl: the BDX4 configuration from the command line, for a station computer without a
// screen. It works on bdx4config's stores and settings, with the same jobs.

#include "ctl/CommandLine.h"
#include "ctl/Commands.h"
#include "ctl/Console.h"
#include "io/Translations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QSocketNotifier>

#include <csignal>
#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// Ctrl+C is told to the event loop through a socket pair: a signal handler may do no more.
int interruptPair[2] = {-1, -1};

void onInterrupt(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(interruptPair[0], &byte, 1);
}
#endif

} // namespace

int main(int argc, char* argv[]) {
    // The sheet needs fonts, which only a GUI application has; it draws into a PDF and shows no
    // window, so it needs no display either (ssh, a station computer without a screen).
    const bool drawsSheet = argc > 1 && std::strcmp(argv[1], "sheet") == 0;
    if (drawsSheet && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        drawsSheet ? std::make_unique<QGuiApplication>(argc, argv)
                   : std::make_unique<QCoreApplication>(argc, argv);
#ifdef SIGXFSZ
    // Under a file size limit (ulimit -f) the system would end the program in the middle of a
    // write; ignored, the write fails and says so.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The per-user data folder (where the stores are for an installed program) is bdx4config's.
    QCoreApplication::setApplicationName(QStringLiteral("bdx4config"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BDX4_VERSION));

    // The user's language, before the command line is read: its complaints and --help speak it.
    bdx4::Translations translations;
    translations.install(QLocale::system().uiLanguages());

    bdx4::ctl::Console out(stdout);
    bdx4::ctl::Console err(stderr);
    const QStringList commandLine = QCoreApplication::arguments();
    const bdx4::ctl::Parsed parsed = bdx4::ctl::parseCommandLine(commandLine.mid(1));
    if (!parsed.options) {
        err.line(QStringLiteral("bdx4ctl: ") + parsed.error);
        return bdx4::ctl::kExitUsage;
    }
    bdx4::ctl::CommandRunner runner(*parsed.options, commandLine, out, err);
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, interruptPair) == 0) {
        auto* notifier = new QSocketNotifier(interruptPair[1], QSocketNotifier::Read, app.get());
        QObject::connect(notifier, &QSocketNotifier::activated, &runner, [&runner] {
            char byte;
            [[maybe_unused]] const ssize_t n = ::read(interruptPair[1], &byte, 1);
            runner.interrupt();
        });
        std::signal(SIGINT, onInterrupt);
        std::signal(SIGTERM, onInterrupt);
    }
#endif
    return runner.run();
}
