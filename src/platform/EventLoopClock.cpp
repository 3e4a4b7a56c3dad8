#include "platform/EventLoopClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace bdx4 {

EventLoopClock::EventLoopClock() {
    elapsed_.start();
}

qint64 EventLoopClock::nowMs() const {
    return elapsed_.elapsed();
}

bool EventLoopClock::waitMs(qint64 ms) {
    const qint64 deadline = nowMs() + ms;
    while (!ending_) {
        const qint64 left = deadline - nowMs();
        if (left <= 0)
            return true;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(int(left));
        loop.exec();
    }
    return false;
}

void EventLoopClock::processEvents() {
    if (!ending_)
        QCoreApplication::processEvents();
}

void EventLoopClock::beginEnding() {
    ending_ = true;
    // A wait may be sleeping in its own loop; wake every loop so each wait sees the flag.
    QCoreApplication::exit(0);
}

} // namespace bdx4
