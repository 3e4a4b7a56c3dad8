#include "ctl/Interrupts.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace bdx4::ctl::interrupts {

namespace {

#ifdef Q_OS_UNIX
// A signal handler may do no more than set flags, write to a descriptor and end the process:
// the stop reaches the event loop through a socket pair.
volatile sig_atomic_t jobRunning = 0;
volatile sig_atomic_t stopAsked = 0;
int pair[2] = {-1, -1};
char stoppedText[512];
std::size_t stoppedLength = 0;

[[noreturn]] void endNow() {
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, stoppedText, stoppedLength);
    ::_exit(1);
}

void onSignal(int signal) {
    if (signal == SIGALRM || !jobRunning || stopAsked)
        endNow();
    stopAsked = 1;
    const char byte = 1;
    if (::write(pair[0], &byte, 1) != 1)
        endNow();
    ::alarm(kGraceSeconds);
}
#endif

} // namespace

void install(QObject* context, std::function<void()> onStop, const QString& stoppedLine) {
#ifdef Q_OS_UNIX
    const QByteArray text = stoppedLine.toLocal8Bit().left(sizeof stoppedText - 1) + '\n';
    std::copy(text.begin(), text.end(), stoppedText);
    stoppedLength = std::size_t(text.size());
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        pair[0] = pair[1] = -1; // every stop then ends at once
    else {
        auto* notifier = new QSocketNotifier(pair[1], QSocketNotifier::Read, context);
        QObject::connect(notifier, &QSocketNotifier::activated, context,
                         [stop = std::move(onStop)] {
                             char byte;
                             [[maybe_unused]] const ssize_t n = ::read(pair[1], &byte, 1);
                             stop();
                         });
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGALRM})
        ::sigaction(signal, &action, nullptr);
#else
    Q_UNUSED(context);
    Q_UNUSED(onStop);
    Q_UNUSED(stoppedLine);
#endif
}

void setJobRunning(bool running) {
#ifdef Q_OS_UNIX
    jobRunning = running && pair[0] >= 0;
#else
    Q_UNUSED(running);
#endif
}

} // namespace bdx4::ctl::interrupts
