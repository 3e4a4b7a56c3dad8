#pragma once

// Stand-ins for time, the serial line and the settings: nothing waits, and a test plays the box.

#include "io/Clock.h"
#include "io/SerialLine.h"
#include "io/SettingsStore.h"

#include <QFile>
#include <QHash>
#include <QProcess>

#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

namespace bdx4::test {

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

/// The text of a PDF as `pdftotext -layout` reads it; null without pdftotext (poppler-utils).
inline QString pdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", path, "-"});
    if (!pdftotext.waitForFinished(20000) || pdftotext.exitStatus() != QProcess::NormalExit)
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

/// Virtual time: `advance` fires every timer step and action on the way, equal times in order set.
class FakeClock : public Clock {
    struct Timer : StepTimer {
        explicit Timer(FakeClock& clock) : clock(clock) { clock.timers_.push_back(this); }
        ~Timer() override {
            clock.timers_.erase(std::find(clock.timers_.begin(), clock.timers_.end(), this));
        }
        void start(int ms, std::function<void()> next) override {
            due = clock.now_ + ms;
            order = clock.order_++;
            step = std::move(next);
        }
        void stop() override { step = nullptr; }
        bool isActive() const override { return bool(step); }
        FakeClock& clock;
        qint64 due = 0;
        int order = 0;
        std::function<void()> step;
    };

public:
    qint64 nowMs() const override { return now_; }
    std::unique_ptr<StepTimer> createTimer() override { return std::make_unique<Timer>(*this); }
    /// Runs `action` `delayMs` from now (a box's answer, a user's click).
    void after(qint64 delayMs, std::function<void()> action) {
        actions_.push_back(std::make_unique<Timer>(*this));
        actions_.back()->start(int(delayMs), std::move(action));
    }
    void runUntilIdle(qint64 limitMs = 60000) { advance(limitMs, true); }
    void advance(qint64 ms, bool untilIdle = false) {
        const qint64 until = now_ + ms;
        for (;;) {
            Timer* next = nullptr;
            for (Timer* t : timers_)
                if (t->step && t->due <= until &&
                    (!next || std::tie(t->due, t->order) < std::tie(next->due, next->order)))
                    next = t;
            if (!next)
                break;
            now_ = next->due;
            std::exchange(next->step, nullptr)(); // the step may start the next one
        }
        now_ = untilIdle ? now_ : until;
    }

private:
    qint64 now_ = 0;
    int order_ = 0;
    std::vector<Timer*> timers_;
    std::vector<std::unique_ptr<Timer>> actions_;
};

/// A serial line whose far end is the test: what is sent is recorded with its time.
class FakeSerialLine : public SerialLine {
public:
    explicit FakeSerialLine(FakeClock& clock) : clock_(clock) {}
    std::optional<OpenFailure> open(int port, qint32 speed) override {
        ++opens;
        open_ = !refused.contains(port);
        if (open_)
            std::tie(openedPort, openedSpeed) = std::pair(port, speed);
        return open_ ? std::nullopt : std::optional(refused.value(port));
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    IoResult write(const QByteArray& bytes) override {
        if (!open_ || writeFailure)
            return writeFailure ? writeFailure : IoError{13, QStringLiteral("not open")};
        writes << bytes;
        writeTimes << QString::number(clock_.nowMs());
        if (onWrite)
            onWrite(bytes);
        return std::nullopt;
    }
    QByteArray readAll() override { return std::exchange(input_, QByteArray()); }
    /// The device [Ports] names in `settings` when given, else "/dev/fake<port>".
    QString deviceName(int port) const override {
        const QString named = settings ? settings->value(kPortsSection, portName(port), {}) : "";
        return named.isEmpty() ? QStringLiteral("/dev/fake%1").arg(port) : named;
    }

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
    QString times() const { return writeTimes.join(' '); }

    QList<QByteArray> writes;
    QStringList writeTimes; // in ms
    int opens = 0, openedPort = 0, openedSpeed = 0;
    QHash<int, OpenFailure> refused;
    IoResult writeFailure;
    std::function<void(const QByteArray&)> onWrite;
    const SettingsStore* settings = nullptr;

private:
    FakeClock& clock_;
    bool open_ = false;
    QByteArray input_;
};

/// Settings as "section/key" to value.
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
