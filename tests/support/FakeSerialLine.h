#pragma once

#include "platform/Clock.h"
#include "platform/SerialLine.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>

namespace bdx4::test {

/// A serial line driven by the test: it records every write with the time it was made, takes
/// scripted failures for opening a port or for the settings, and hands the receive handler
/// whatever the test `deliver`s.
class FakeSerialLine : public SerialLine {
public:
    struct Write {
        qint64 atMs;
        QByteArray text;
    };

    /// `clock` stamps the writes; without one they are stamped 0.
    explicit FakeSerialLine(const Clock* clock = nullptr) : clock_(clock) {}

    bool portOpen() const override { return open_; }

    Failure setPortOpen(bool open) override {
        log << (open ? QStringLiteral("open") : QStringLiteral("close"));
        if (open && openFailures.contains(port_))
            return openFailures.value(port_);
        open_ = open;
        if (open)
            openedPort = port_;
        return std::nullopt;
    }

    Failure setCommPort(int port) override {
        log << QStringLiteral("port %1").arg(port);
        port_ = port;
        return std::nullopt;
    }

    Failure setSettings(const QString& settings) override {
        log << QStringLiteral("settings ") + settings;
        if (settingsFailure)
            return settingsFailure;
        settings_ = settings;
        return std::nullopt;
    }

    Failure output(const QByteArray& text) override {
        if (!open_)
            return PlatformError{10, QStringLiteral("The serial port is not open.")};
        if (outputFailure)
            return outputFailure;
        writes.append({clock_ ? clock_->nowMs() : 0, text});
        if (onOutput)
            onOutput(text);
        return std::nullopt;
    }

    QByteArray input() override {
        const QByteArray taken = rx_;
        rx_.clear();
        return taken;
    }

    QString deviceName(int port) const override { return QStringLiteral("/dev/fake%1").arg(port); }

    /// Characters from the box: queued for `input()` and the receive handler is called.
    void deliver(const QByteArray& text) {
        rx_ += text;
        notifyReceived();
    }

    /// The far end goes away: the port closes and later writes fail.
    void loseLine() { open_ = false; }

    /// The texts written, without times.
    QList<QByteArray> written() const {
        QList<QByteArray> texts;
        for (const Write& write : writes)
            texts << write.text;
        return texts;
    }

    /// Port number -> the error opening it gives.
    QHash<int, PlatformError> openFailures;
    /// An error for every settings text, when set.
    Failure settingsFailure;
    /// An error for every write to the open port, when set.
    Failure outputFailure;
    /// Every write, in order.
    QList<Write> writes;
    /// "port n", "settings ...", "open", "close" in the order they were asked for.
    QStringList log;
    /// Runs after every successful write (the fake box's reply goes here).
    std::function<void(const QByteArray&)> onOutput;
    int openedPort = 0;

private:
    const Clock* clock_;
    bool open_ = false;
    int port_ = 0;
    QString settings_;
    QByteArray rx_;
};

} // namespace bdx4::test
