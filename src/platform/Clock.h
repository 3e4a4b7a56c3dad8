#pragma once

#include <QtGlobal>

namespace bdx4 {

/// Time and waiting. Waits let window and port events run meanwhile (that is how the box's
/// replies arrive), and sleep rather than spin. Tests drive a fake clock instead of real time.
class Clock {
public:
    virtual ~Clock() = default;
    /// Monotonic milliseconds since some fixed start.
    virtual qint64 nowMs() const = 0;
    /// Lets events run until at least `ms` milliseconds have passed. Returns false at once
    /// when the program is ending; the caller must then stop what it is doing.
    virtual bool waitMs(qint64 ms) = 0;
    /// Lets the events that are pending now run once, without waiting.
    virtual void processEvents() = 0;
    /// True once the program has begun to end.
    virtual bool ending() const = 0;
};

} // namespace bdx4
