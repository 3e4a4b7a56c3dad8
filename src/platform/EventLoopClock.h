#pragma once

#include "platform/Clock.h"

#include <QElapsedTimer>

namespace bdx4 {

/// The real clock: waits sleep in a local event loop until the deadline, so port data,
/// repaints and clicks are delivered while no processor time is spent.
class EventLoopClock : public Clock {
public:
    EventLoopClock();
    qint64 nowMs() const override;
    bool waitMs(qint64 ms) override;
    void processEvents() override;
    bool ending() const override { return ending_; }

    /// Marks the program as ending: every running wait returns at once and later ones do not wait.
    void beginEnding();

private:
    QElapsedTimer elapsed_;
    bool ending_ = false;
};

} // namespace bdx4
