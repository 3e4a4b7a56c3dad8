#pragma once

#include "platform/Clock.h"

#include <QList>

#include <functional>
#include <map>

namespace bdx4::test {

/// Virtual time. Waits jump the clock forward, running on the way every action scheduled up to
/// the deadline (at its own time), which is how a fake box answers "during" a wait. Nothing
/// sleeps, so protocol tests take no real time.
class FakeClock : public Clock {
public:
    qint64 nowMs() const override { return now_; }

    bool waitMs(qint64 ms) override {
        waits.append(ms);
        if (ending_)
            return false;
        const qint64 until = now_ + ms;
        runDue(until);
        if (ending_)
            return false;
        if (now_ < until)
            now_ = until;
        return true;
    }

    void processEvents() override {
        ++processEventsCalls;
        if (!ending_)
            runDue(now_);
    }

    bool ending() const override { return ending_; }

    /// Schedules `action` at absolute time `atMs` (not before now). Actions at equal times run
    /// in the order they were scheduled.
    void at(qint64 atMs, std::function<void()> action) {
        actions_.emplace(atMs < now_ ? now_ : atMs, std::move(action));
    }
    /// Schedules `action` `delayMs` from now.
    void after(qint64 delayMs, std::function<void()> action) {
        at(now_ + delayMs, std::move(action));
    }
    /// The program begins to end: the running wait and every later one return false.
    void beginEnding() { ending_ = true; }
    /// Actions scheduled and not yet run.
    int pendingActions() const { return int(actions_.size()); }

    /// The length of every wait asked for, in order.
    QList<qint64> waits;
    int processEventsCalls = 0;

private:
    void runDue(qint64 until) {
        while (!ending_ && !actions_.empty() && actions_.begin()->first <= until) {
            const auto first = actions_.begin();
            if (first->first > now_)
                now_ = first->first;
            const std::function<void()> action = first->second;
            actions_.erase(first);
            action();
        }
    }

    qint64 now_ = 0;
    bool ending_ = false;
    std::multimap<qint64, std::function<void()>> actions_;
};

} // namespace bdx4::test
