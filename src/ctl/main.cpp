// bdx4ctl: the BDX4 configuration from the command line, for a station computer without a
// screen. It works on bdx4config's stores and settings, with the same jobs.

#include "ctl/CommandLine.h"
#include "ctl/Commands.h"
#include "ctl/Console.h"
#include "ctl/Interrupts.h"
#include "io/Translations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>

#include <csignal>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

/// A command-line argument that is no text in the system's encoding (a file name in Latin-1 on a
/// UTF-8 system) cannot reach a file: Qt decodes it to text and back to other bytes. Refused,
/// named with its odd bytes as \xHH, rather than writing or reading a file of another name.
QString undecodableArgument(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        if (QString::fromLocal8Bit(raw).toLocal8Bit() == raw)
            continue;
        QString shown;
        for (const char byte : raw)
            shown += byte >= 0x20 && byte < 0x7F
                         ? QString(QLatin1Char(byte))
                         : QStringLiteral("\\x%1").arg(uint(std::uint8_t(byte)), 2, 16,
                                                       QLatin1Char('0'));
        return shown;
    }
    return QString();
}

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
    if (const QString odd = undecodableArgument(argc, argv); !odd.isEmpty()) {
        err.line(bdx4::ctl::Texts::tr("bdx4ctl: \"%1\" is not text in the system's encoding "
                                      "(UTF-8), so no file can be named by it; rename the file, "
                                      "or give a link to it with such a name")
                     .arg(odd));
        return bdx4::ctl::kExitUsage;
    }
    const QStringList commandLine = QCoreApplication::arguments();
    const bdx4::ctl::Parsed parsed = bdx4::ctl::parseCommandLine(commandLine.mid(1));
    if (!parsed.options) {
        err.line(QStringLiteral("bdx4ctl: ") + parsed.error);
        return bdx4::ctl::kExitUsage;
    }
    bdx4::ctl::CommandRunner runner(*parsed.options, commandLine, out, err);
    bdx4::ctl::interrupts::install(
        &runner, [&runner] { runner.interrupt(); },
        bdx4::ctl::CommandRunner::tr("bdx4ctl: stopped"));
    int status = runner.run();
    if (const QString failure = out.failure(); !failure.isEmpty()) {
        err.line(
            bdx4::ctl::Texts::tr("bdx4ctl: standard output could not be written: %1").arg(failure));
        status = bdx4::ctl::kExitFailed;
    }
    return status;
}
