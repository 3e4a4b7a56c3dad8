#pragma once

#include "io/Clock.h"
#include "io/SerialLine.h"

#include <QFile>
#include <QString>

#include <memory>

namespace bdx4 {

/// Writes what goes over the serial line, one chunk per line, so a user can attach it to a bug
/// report: milliseconds since the trace began, the direction, the text with control characters
/// escaped, and the bytes in hex. Port events (open, close, errors) appear as notes.
class SerialTrace {
public:
    explicit SerialTrace(const Clock& clock);

    /// Starts a new trace in `path`, replacing what was there; `title` heads it, followed by the
    /// local date and time. False (and no tracing) when the file cannot be written or is no
    /// regular file; `error()` then tells why.
    bool begin(const QString& path, const QString& title);
    /// Stops tracing and closes the file.
    void end();
    bool isActive() const { return file_ != nullptr; }
    /// Why the last `begin` failed, or why the trace begun last stopped when a line of it could
    /// not be written (a full disk); empty otherwise.
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

/// A serial line that tells a SerialTrace what passes through it and otherwise does exactly what
/// the line it wraps does.
class TracingSerialLine : public SerialLine {
    Q_OBJECT
public:
    TracingSerialLine(SerialLine& inner, SerialTrace& trace, QObject* parent = nullptr);

    std::optional<OpenFailure> open(int port, qint32 speed) override;
    void close() override;
    bool isOpen() const override { return inner_.isOpen(); }
    IoResult write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    QString deviceName(int port) const override { return inner_.deviceName(port); }

private:
    SerialLine& inner_;
    SerialTrace& trace_;
    QString device_;
};

/// The file in the per-user data folder that holds the last conversation with the box.
inline const QString kLastSessionTraceName = QStringLiteral("last-session-trace.txt");

/// Keeps a trace of the desktop program's last conversation with the box, for bug reports. Each
/// box search (from the opening of the port on) and each download starts the file anew, so it
/// always holds the last one whole. A file that cannot be written only means no trace.
class SessionTrace {
public:
    /// Traces what passes through `inner` into `path`.
    SessionTrace(SerialLine& inner, const Clock& clock, const QString& path);

    /// The line to talk to the box on: `inner`, with every chunk recorded.
    SerialLine& line() { return line_; }
    /// Starts the file anew for `what` ("box search", "download") on a port and speed.
    void begin(const QString& what, const QString& port, const QString& speed);
    QString path() const { return path_; }

    /// last-session-trace.txt in the per-user data folder of the running program.
    static QString defaultPath();

private:
    SerialTrace trace_;
    TracingSerialLine line_;
    QString path_;
};

} // namespace bdx4
