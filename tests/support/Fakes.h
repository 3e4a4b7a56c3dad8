#pragma once

// Stand-ins for time, the serial line and the settings, so that the jobs' steps run without
// waiting and a test plays the box.

#include "io/Clock.h"
#include "io/SerialLine.h"
#include "io/SettingsStore.h"

#include <QHash>
#include <QList>

#include <functional>
#include <map>
#include <tuple>
#include <utility>

namespace bdx4::test {

/// Virtual time: `advance` jumps forward, firing on the way every timer step and every scheduled
/// action at its own time (equal times in the order they were set).
class FakeClock : public Clock {
public:
    qint64 nowMs() const override { return now_; }
    std::unique_ptr<StepTimer> createTimer() override { return std::make_unique<Timer>(*this); }
    /// Runs `action` at `delayMs` from now (a box's answer, a user's click).
    void after(qint64 delayMs, std::function<void()> action) {
        queue_.emplace(std::make_tuple(now_ + delayMs, seq_++, nullptr), std::move(action));
    }
    void advance(qint64 ms) {
        const qint64 until = now_ + ms;
        while (!queue_.empty() && std::get<0>(queue_.begin()->first) <= until) {
            const auto first = queue_.begin();
            now_ = std::get<0>(first->first);
            if (Timer* timer = std::get<2>(first->first))
                timer->pending_ = queue_.end();
            const std::function<void()> action = std::move(first->second);
            queue_.erase(first);
            action();
        }
        now_ = until;
    }
    /// Advances until nothing is pending any more, at most `limitMs`.
    void runUntilIdle(qint64 limitMs = 60000) {
        const qint64 until = now_ + limitMs;
        while (!queue_.empty() && std::get<0>(queue_.begin()->first) <= until)
            advance(std::get<0>(queue_.begin()->first) - now_);
    }

private:
    struct Timer;
    using Key = std::tuple<qint64, int, Timer*>;
    using Queue = std::multimap<Key, std::function<void()>>;

    struct Timer : StepTimer {
        explicit Timer(FakeClock& clock) : clock_(clock), pending_(clock.queue_.end()) {}
        ~Timer() override { stop(); }
        void start(int ms, std::function<void()> step) override {
            stop();
            pending_ = clock_.queue_.emplace(std::make_tuple(clock_.now_ + ms, clock_.seq_++, this),
                                             std::move(step));
        }
        void stop() override {
            if (pending_ != clock_.queue_.end())
                clock_.queue_.erase(pending_);
            pending_ = clock_.queue_.end();
        }
        bool isActive() const override { return pending_ != clock_.queue_.end(); }
        FakeClock& clock_;
        Queue::iterator pending_;
    };

    qint64 now_ = 0;
    int seq_ = 0;
    Queue queue_;
};

/// A serial line whose far end is the test: it records what is sent, with the time, and
/// delivers what the test says the box answers.
class FakeSerialLine : public SerialLine {
public:
    explicit FakeSerialLine(FakeClock& clock) : clock_(clock) {}

    std::optional<OpenFailure> open(int port, qint32 speed) override {
        close();
        ++opens;
        if (refused.contains(port))
            return refused.value(port);
        open_ = true;
        openedPort = port;
        openedSpeed = speed;
        return std::nullopt;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    IoResult write(const QByteArray& bytes) override {
        if (!open_ || writeFailure)
            return writeFailure ? writeFailure : IoError{13, QStringLiteral("not open")};
        writes << bytes;
        writeTimes << clock_.nowMs();
        if (onWrite)
            onWrite(bytes);
        return std::nullopt;
    }
    QByteArray readAll() override { return std::exchange(input_, QByteArray()); }
    QString deviceName(int port) const override { return QStringLiteral("/dev/fake%1").arg(port); }

    /// The box sends `bytes`.
    void receive(const QByteArray& bytes) {
        input_ += bytes;
        emit readyRead();
    }
    /// The box answers `reply` `delayMs` after each write for which `when` holds.
    void answer(std::function<bool(const QByteArray&)> when, QByteArray reply, int delayMs) {
        onWrite = [this, when, reply, delayMs](const QByteArray& bytes) {
            if (when(bytes))
                clock_.after(delayMs, [this, reply] { receive(reply); });
        };
    }
    void lose(const QString& reason) {
        open_ = false;
        emit lineLost(reason);
    }

    QList<QByteArray> writes;
    QList<qint64> writeTimes;
    int opens = 0;
    int openedPort = 0;
    qint32 openedSpeed = 0;
    QHash<int, OpenFailure> refused;
    IoResult writeFailure;
    std::function<void(const QByteArray&)> onWrite;

private:
    FakeClock& clock_;
    bool open_ = false;
    QByteArray input_;
};

/// Settings in a table, "section/key" to value.
class FakeSettings : public SettingsStore {
public:
    QString value(const QString& section, const QString& key,
                  const QString& fallback) const override {
        return values.value(section + QLatin1Char('/') + key, fallback);
    }
    void setValue(const QString& section, const QString& key, const QString& value) override {
        values.insert(section + QLatin1Char('/') + key, value);
    }
    bool sync() override { return true; }
    QHash<QString, QString> values;
};

} // namespace bdx4::test
