#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

namespace bdx4 {

/// A single-shot timer that moves a job to its next step.
class StepTimer {
public:
    virtual ~StepTimer() = default;
    /// Runs `step` once, `ms` milliseconds from now, from the event loop. A step still pending is
    /// dropped.
    virtual void start(int ms, std::function<void()> step) = 0;
    /// Drops the pending step.
    virtual void stop() = 0;
    /// A step is pending.
    virtual bool isActive() const = 0;
};

/// Time for the protocol's pauses. Jobs take their timers from here, so that tests can run the
/// steps on a fake clock without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    /// Milliseconds on a steady clock.
    virtual qint64 nowMs() const = 0;
    /// A new timer on this clock.
    virtual std::unique_ptr<StepTimer> createTimer() = 0;
};

/// The real clock: precise Qt timers on the event loop.
class SystemClock : public Clock {
public:
    SystemClock();
    qint64 nowMs() const override;
    std::unique_ptr<StepTimer> createTimer() override;

private:
    qint64 startMs_;
};

} // namespace bdx4
