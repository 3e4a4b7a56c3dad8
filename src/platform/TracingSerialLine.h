#pragma once

#include "platform/Clock.h"
#include "platform/SerialLine.h"

#include <QFile>
#include <QString>

#include <memory>

namespace bdx4 {

/// Writes what goes over the serial line, one chunk per line, so a user can attach it to a
/// bug report: milliseconds since the trace began, the direction, the text with control
/// characters escaped, and the bytes in hex. Port events (open, close, errors) appear as notes.
class SerialTrace {
public:
    explicit SerialTrace(const Clock& clock);

    /// Starts a new trace in `path`, replacing what was there; `title` heads it, followed by the
    /// local date and time. False (and no tracing) when the file cannot be written; `error()`
    /// then tells why.
    bool begin(const QString& path, const QString& title);
    /// Stops tracing and closes the file.
    void end();
    bool active() const { return file_ != nullptr; }
    QString path() const;
    /// Why the last `begin` failed; empty after a successful one.
    QString error() const { return error_; }

    enum class Direction { Sent, Received };
    void chunk(Direction direction, const QByteArray& bytes);
    void note(const QString& text);

    /// One chunk as a trace line (without the time), e.g. `TX  15 ";BD00;" 3B 42 44 30 30 3B`.
    static QString formatChunk(Direction direction, const QByteArray& bytes);

private:
    void writeLine(const QString& line);

    const Clock& clock_;
    std::unique_ptr<QFile> file_;
    qint64 startMs_ = 0;
    QString error_;
};

/// A serial line that tells a SerialTrace what passes through it and otherwise does exactly
/// what the line it wraps does.
class TracingSerialLine : public SerialLine {
public:
    TracingSerialLine(SerialLine& inner, SerialTrace& trace);
    ~TracingSerialLine() override;
    TracingSerialLine(const TracingSerialLine&) = delete;
    TracingSerialLine& operator=(const TracingSerialLine&) = delete;

    bool portOpen() const override { return inner_.portOpen(); }
    Failure setPortOpen(bool open) override;
    Failure setCommPort(int port) override;
    Failure setSettings(const QString& settings) override;
    Failure output(const QByteArray& text) override;
    QByteArray input() override;
    QString deviceName(int port) const override { return inner_.deviceName(port); }

private:
    void noteFailure(const QString& what, const Failure& failure);

    SerialLine& inner_;
    SerialTrace& trace_;
    int port_ = 0;
    QString settings_;
};

} // namespace bdx4
