// bdx4-sim: a BDX4 on a pseudo-terminal, for trying the program without the box.
//
// It prints the device of the line's far end as the first line of its output; the program
// opens that device (or the --link path) as its serial port. The box answers the version
// query, takes a download record by record and reports the configuration it received.

#include "BoxSession.h"
#include "ConfigReport.h"
#include "PtyLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace bdx4sim;

namespace {

constexpr int kUsageError = 2;
constexpr int kLineError = 1;

// Written to by the signal handler, read by the event loop.
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}

void printErr(const QString& text) {
    std::fprintf(stderr, "bdx4-sim: %s\n", qPrintable(text));
}

void printOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

// A symbolic link to the far end that the program can be pointed at, so that a box started
// again (on a new device) is found under the same name.
class DeviceLink {
public:
    QString place(const QString& path, const QString& target) {
        const QByteArray p = QFile::encodeName(path);
        struct stat st {};
        if (lstat(p.constData(), &st) == 0 && !S_ISLNK(st.st_mode))
            return QStringLiteral("%1 exists and is not a symbolic link; not replacing it")
                .arg(path);
        // Link under a temporary name, then rename over the path: an old link is replaced
        // in one step.
        const QByteArray temp = p + ".tmp" + QByteArray::number(qint64(getpid()));
        ::unlink(temp.constData());
        if (::symlink(QFile::encodeName(target).constData(), temp.constData()) != 0 ||
            ::rename(temp.constData(), p.constData()) != 0) {
            const QString why = QString::fromLocal8Bit(strerror(errno));
            ::unlink(temp.constData());
            return QStringLiteral("cannot place the link %1: %2").arg(path, why);
        }
        path_ = path;
        target_ = target;
        return {};
    }

    // Removes the link unless another box has placed its own there meanwhile.
    void remove() {
        if (path_.isEmpty())
            return;
        const QByteArray p = QFile::encodeName(path_);
        char buffer[4096];
        const ssize_t n = ::readlink(p.constData(), buffer, sizeof buffer);
        if (n > 0 && QByteArray(buffer, n) == QFile::encodeName(target_))
            ::unlink(p.constData());
        path_.clear();
    }

private:
    QString path_;
    QString target_;
};

struct Settings {
    SessionOptions session;
    int ackDelayMs = 0;
    int replyGapMs = 0;
    QString jsonPath;
    QString linkPath;
    bool verbose = false;
};

// Reads a whole number option; false with a message when it is not one in range.
bool intOption(const QCommandLineParser& parser, const QString& name, int low, int high,
               int& value) {
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int v = parser.value(name).toInt(&ok);
    if (!ok || v < low || v > high) {
        printErr(QStringLiteral("--%1 wants a whole number from %2 to %3, not \"%4\"")
                     .arg(name)
                     .arg(low)
                     .arg(high)
                     .arg(parser.value(name)));
        return false;
    }
    value = v;
    return true;
}

// The flood may be large, but not so large that the box's own memory is at stake.
bool floodOption(const QCommandLineParser& parser, qsizetype& flood) {
    int value = 0;
    if (!intOption(parser, QStringLiteral("flood"), 0, 64 * 1024 * 1024, value))
        return false;
    flood = value;
    return true;
}

bool parseSettings(const QCoreApplication& app, Settings& s) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated BDX4 on a pseudo-terminal. Prints the far end's device (the serial port "
        "to open) as the first line of its output, then a report of each download."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("firmware"),
         QStringLiteral("Firmware version in the version reply: four characters, no ';' or "
                        "'G' (default 2.17)."),
         QStringLiteral("XXXX")},
        {QStringLiteral("link"),
         QStringLiteral("Also place a symbolic link to the far end at PATH (removed at exit)."),
         QStringLiteral("PATH")},
        {QStringLiteral("json"),
         QStringLiteral("After each download that ends with its end record, write what was "
                        "received to FILE as JSON (replaced whole)."),
         QStringLiteral("FILE")},
        {QStringLiteral("silent"), QStringLiteral("Answer nothing at all.")},
        {QStringLiteral("ack-limit"),
         QStringLiteral("Acknowledge at most N records of each download; later ones get no "
                        "'G'."),
         QStringLiteral("N")},
        {QStringLiteral("ack-delay"),
         QStringLiteral("Send each 'G' M milliseconds after its record arrived."),
         QStringLiteral("M")},
        {QStringLiteral("burst"),
         QStringLiteral("Follow every answer (version reply and each 'G') with N bytes of "
                        "noise: digits and a-f, never ';' or 'G'."),
         QStringLiteral("N")},
        {QStringLiteral("hangup-after"),
         QStringLiteral("Answer the first N records of a download, then close the line and "
                        "exit when the next line arrives, without answering it."),
         QStringLiteral("N")},
        {QStringLiteral("reply"),
         QStringLiteral("Answer each version query with TEXT instead of the version reply "
                        "(any text, e.g. a malformed reply; 1 to 256 characters)."),
         QStringLiteral("TEXT")},
        {QStringLiteral("replies"),
         QStringLiteral("Send N version replies for each query (default 1)."), QStringLiteral("N")},
        {QStringLiteral("reply-gap"),
         QStringLiteral("Send the further replies of a query M milliseconds apart."),
         QStringLiteral("M")},
        {QStringLiteral("hangup-at-query"),
         QStringLiteral("Answer the first N version queries, then close the line and exit "
                        "when the next query arrives, without answering it."),
         QStringLiteral("N")},
        {QStringLiteral("flood"),
         QStringLiteral("Send BYTES bytes of noise (never ';' or 'G') before the reply to the "
                        "first version query."),
         QStringLiteral("BYTES")},
        {QStringLiteral("verbose"), QStringLiteral("Log every line and answer on stderr.")},
    });
    if (!parser.parse(app.arguments())) {
        printErr(parser.errorText());
        return false;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        printOut(parser.helpText());
        std::exit(0);
    }
    if (!parser.positionalArguments().isEmpty()) {
        printErr(QStringLiteral("unexpected argument \"%1\"; see --help")
                     .arg(parser.positionalArguments().first()));
        return false;
    }
    if (parser.isSet(QStringLiteral("firmware"))) {
        const QByteArray fw = parser.value(QStringLiteral("firmware")).toLatin1();
        if (!BoxSession::validFirmware(fw) ||
            parser.value(QStringLiteral("firmware")).size() != 4) {
            printErr(QStringLiteral("--firmware wants four printable characters without ';' "
                                    "or 'G', not \"%1\"")
                         .arg(parser.value(QStringLiteral("firmware"))));
            return false;
        }
        s.session.firmware = fw;
    }
    if (parser.isSet(QStringLiteral("reply"))) {
        const QString reply = parser.value(QStringLiteral("reply"));
        if (reply.isEmpty() || reply.size() > 256 || reply.toLatin1().size() != reply.size()) {
            printErr(QStringLiteral("--reply wants 1 to 256 characters, not \"%1\"").arg(reply));
            return false;
        }
        s.session.reply = reply.toLatin1();
    }
    s.session.silent = parser.isSet(QStringLiteral("silent"));
    s.verbose = parser.isSet(QStringLiteral("verbose"));
    s.jsonPath = parser.value(QStringLiteral("json"));
    s.linkPath = parser.value(QStringLiteral("link"));
    constexpr int kMax = 1000000;
    return intOption(parser, QStringLiteral("ack-limit"), 0, kMax, s.session.ackLimit) &&
           intOption(parser, QStringLiteral("ack-delay"), 0, 60000, s.ackDelayMs) &&
           intOption(parser, QStringLiteral("burst"), 0, 65536, s.session.burst) &&
           intOption(parser, QStringLiteral("hangup-after"), 0, kMax, s.session.hangupAfter) &&
           intOption(parser, QStringLiteral("replies"), 1, 16, s.session.replies) &&
           intOption(parser, QStringLiteral("reply-gap"), 0, 60000, s.replyGapMs) &&
           intOption(parser, QStringLiteral("hangup-at-query"), 0, kMax, s.session.hangupAtQuery) &&
           floodOption(parser, s.session.flood);
}

bool installSignalHandlers() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        if (sigaction(sig, &sa, nullptr) != 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bdx4-sim"));

    Settings settings;
    if (!parseSettings(app, settings))
        return kUsageError;
    if (!installSignalHandlers()) {
        printErr(QStringLiteral("cannot install the signal handlers"));
        return kLineError;
    }
    QSocketNotifier signalNotifier(signalPipe[1], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &byte, 1);
        QCoreApplication::quit();
    });

    PtyLine line;
    if (const QString why = line.open(); !why.isEmpty()) {
        printErr(QStringLiteral("cannot create the line: ") + why);
        return kLineError;
    }
    DeviceLink link;
    if (!settings.linkPath.isEmpty()) {
        if (const QString why = link.place(settings.linkPath, line.devicePath()); !why.isEmpty()) {
            printErr(why);
            return kUsageError;
        }
    }

    BoxSession session(settings.session);
    session.setDownloadEnded([&](const Download& download) {
        printOut(downloadText(download, session.completedDownloads()));
        if (settings.jsonPath.isEmpty())
            return;
        const QString why =
            writeFileAtomically(settings.jsonPath, downloadJson(download, settings.session.firmware,
                                                                session.completedDownloads()));
        if (!why.isEmpty())
            printErr(QStringLiteral("cannot write %1: %2").arg(settings.jsonPath, why));
    });

    const bool verbose = settings.verbose;
    const int ackDelay = settings.ackDelayMs;
    const int replyGap = settings.replyGapMs;
    QObject::connect(&line, &PtyLine::received, &app, [&](const QByteArray& bytes) {
        const qsizetype linesBefore = session.download().lines.size();
        const QList<Answer> answers = session.receive(bytes);
        if (verbose) {
            for (qsizetype i = linesBefore; i < session.download().lines.size(); ++i) {
                const ReceivedLine& l = session.download().lines[i];
                printErr(QStringLiteral("line \"%1\": %2%3")
                             .arg(QString::fromLatin1(l.text), faultText(l.fault),
                                  l.acknowledged ? QStringLiteral(", G") : QString()));
            }
        }
        int reply = 0; // replies so far in this batch, for the gap between them
        for (const Answer& answer : answers) {
            if (answer.flood) {
                if (verbose)
                    printErr(QStringLiteral("flood of %1 bytes").arg(answer.bytes.size()));
                line.send(answer.bytes, PtyLine::kMaxQueued + answer.bytes.size());
                continue;
            }
            if (verbose && !answer.acknowledgement)
                printErr(QStringLiteral("answer \"%1\"").arg(QString::fromLatin1(answer.bytes)));
            if (!answer.acknowledgement && replyGap > 0 && reply++ > 0) {
                QTimer::singleShot((reply - 1) * replyGap, Qt::PreciseTimer, &line,
                                   [&line, bytes = answer.bytes] { line.send(bytes); });
            } else if (answer.acknowledgement && ackDelay > 0) {
                QTimer::singleShot(ackDelay, Qt::PreciseTimer, &line,
                                   [&line, bytes = answer.bytes] { line.send(bytes); });
            } else {
                line.send(answer.bytes);
            }
        }
        if (session.hangupDue()) {
            if (session.inDownload())
                printErr(QStringLiteral("hanging up at record %1 of the download")
                             .arg(session.download().records));
            else
                printErr(QStringLiteral("hanging up at version query %1")
                             .arg(session.versionQueries() + 1));
            QCoreApplication::exit(0);
        }
    });
    QObject::connect(&line, &PtyLine::farEndGone, &app, [&] { session.lineReset(); });

    printOut(line.devicePath() + QLatin1Char('\n'));
    const int code = app.exec();
    link.remove();
    return code;
}
