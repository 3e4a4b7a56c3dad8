#include "PtyLine.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace bdx4sim {

namespace {

constexpr int kRetryMs = 100;

QString errnoText(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

} // namespace

PtyLine::PtyLine(QObject* parent) : QObject(parent) {
    retry_.setInterval(kRetryMs);
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, [this] {
        readNotifier_->setEnabled(true);
        onReadable();
    });
}

PtyLine::~PtyLine() {
    delete readNotifier_;
    delete writeNotifier_;
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

QString PtyLine::open() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return errnoText("posix_openpt");
    if (grantpt(master_) != 0)
        return errnoText("grantpt");
    if (unlockpt(master_) != 0)
        return errnoText("unlockpt");
    const char* name = ptsname(master_);
    if (!name)
        return errnoText("ptsname");
    devicePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0)
        return errnoText("open far end");
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0)
        return errnoText("tcgetattr");
    cfmakeraw(&tio);
    if (tcsetattr(slave_, TCSANOW, &tio) != 0)
        return errnoText("tcsetattr");
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
        return errnoText("fcntl");

    readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read);
    connect(readNotifier_, &QSocketNotifier::activated, this, &PtyLine::onReadable);
    writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &PtyLine::onWritable);
    return {};
}

void PtyLine::onReadable() {
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            break;
        // EIO (or end of file): the far end is closed by everyone. Sleep on a timer rather
        // than on the notifier, which would fire again at once.
        readNotifier_->setEnabled(false);
        retry_.start();
        if (!bytes.isEmpty())
            emit received(bytes);
        emit farEndGone();
        return;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}

void PtyLine::send(const QByteArray& bytes, qsizetype bound) {
    const qsizetype room = bound - queued();
    outgoing_.append(bytes.left(qMax<qsizetype>(room, 0)));
    flush();
}

void PtyLine::onWritable() {
    flush();
}

void PtyLine::flush() {
    // A long queue (a flood) goes out a few kilobytes per write: keep an offset rather than
    // moving the rest to the front after every write.
    while (sent_ < outgoing_.size()) {
        const ssize_t n =
            ::write(master_, outgoing_.constData() + sent_, size_t(outgoing_.size() - sent_));
        if (n > 0) {
            sent_ += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            if (sent_ > kMaxQueued) {
                outgoing_.remove(0, sent_);
                sent_ = 0;
            }
            writeNotifier_->setEnabled(true);
            return;
        }
        // The line cannot take anything (far end gone): what was queued is lost, as it would
        // be on a real wire.
        break;
    }
    outgoing_.clear();
    sent_ = 0;
    writeNotifier_->setEnabled(false);
}

} // namespace bdx4sim
