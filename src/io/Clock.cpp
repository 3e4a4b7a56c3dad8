#include "io/Clock.h"

#include <QElapsedTimer>
#include <QTimer>

namespace bdx4 {

namespace {

class PreciseStepTimer : public StepTimer {
public:
    PreciseStepTimer() {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            // The step may start the next one.
            const std::function<void()> step = std::move(step_);
            step_ = nullptr;
            if (step)
                step();
        });
    }
    void start(int ms, std::function<void()> step) override {
        step_ = std::move(step);
        timer_.start(ms);
    }
    void stop() override {
        timer_.stop();
        step_ = nullptr;
    }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> step_;
};

qint64 monotonicMs() {
    QElapsedTimer timer;
    timer.start();
    return timer.msecsSinceReference();
}

} // namespace

SystemClock::SystemClock() : startMs_(monotonicMs()) {}

qint64 SystemClock::nowMs() const {
    return monotonicMs() - startMs_;
}

std::unique_ptr<StepTimer> SystemClock::createTimer() {
    return std::make_unique<PreciseStepTimer>();
}

} // namespace bdx4
