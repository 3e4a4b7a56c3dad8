#include "platform/TracingSerialLine.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace bdx4 {

SerialTrace::SerialTrace(const Clock& clock) : clock_(clock) {}

bool SerialTrace::begin(const QString& path, const QString& title) {
    end();
    error_.clear();
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error_ = file->errorString();
        return false;
    }
    file_ = std::move(file);
    startMs_ = clock_.nowMs();
    // A title is one line, whatever the command line held.
    QString oneLine = title;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    writeLine(QStringLiteral("# %1").arg(oneLine));
    writeLine(QStringLiteral("# started %1")
                  .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs)));
    writeLine(QStringLiteral("# time ms, direction, bytes, text, hex"));
    return true;
}

void SerialTrace::end() {
    file_.reset();
}

QString SerialTrace::path() const {
    return file_ ? file_->fileName() : QString();
}

void SerialTrace::writeLine(const QString& line) {
    if (!file_)
        return;
    file_->write(line.toUtf8() + '\n');
    file_->flush(); // a trace must survive the program ending in the middle of a download
}

QString SerialTrace::formatChunk(Direction direction, const QByteArray& bytes) {
    QString text;
    QString hex;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == '\r')
            text += QLatin1String("\\r");
        else if (b == '\n')
            text += QLatin1String("\\n");
        else if (b == '"' || b == '\\')
            text += QLatin1String("\\") + QLatin1Char(ch);
        else if (b >= 0x20 && b < 0x7F)
            text += QLatin1Char(ch);
        else
            text += QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
        if (!hex.isEmpty())
            hex += QLatin1Char(' ');
        hex += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    return QStringLiteral("%1 %2 \"%3\" %4")
        .arg(direction == Direction::Sent ? QLatin1String("TX") : QLatin1String("RX"))
        .arg(bytes.size(), 3)
        .arg(text, hex);
}

void SerialTrace::chunk(Direction direction, const QByteArray& bytes) {
    if (file_ && !bytes.isEmpty())
        writeLine(QStringLiteral("%1 %2")
                      .arg(clock_.nowMs() - startMs_, 7)
                      .arg(formatChunk(direction, bytes)));
}

void SerialTrace::note(const QString& text) {
    if (file_)
        writeLine(QStringLiteral("%1 -- %2").arg(clock_.nowMs() - startMs_, 7).arg(text));
}

TracingSerialLine::TracingSerialLine(SerialLine& inner, SerialTrace& trace)
    : inner_(inner), trace_(trace) {
    inner_.setReceiveHandler([this] { notifyReceived(); });
}

TracingSerialLine::~TracingSerialLine() {
    // The inner line outlives this one in some owners; it must not call into a gone object.
    inner_.setReceiveHandler(nullptr);
}

void TracingSerialLine::noteFailure(const QString& what, const Failure& failure) {
    if (failure)
        trace_.note(QStringLiteral("%1 failed: %2 %3")
                        .arg(what)
                        .arg(failure->number)
                        .arg(failure->description));
}

Failure TracingSerialLine::setPortOpen(bool open) {
    const Failure failure = inner_.setPortOpen(open);
    if (!failure)
        trace_.note(open
                        ? QStringLiteral("opened %1 at %2").arg(inner_.deviceName(port_), settings_)
                        : QStringLiteral("closed %1").arg(inner_.deviceName(port_)));
    noteFailure(open ? QStringLiteral("open") : QStringLiteral("close"), failure);
    return failure;
}

Failure TracingSerialLine::setCommPort(int port) {
    port_ = port;
    const Failure failure = inner_.setCommPort(port);
    noteFailure(QStringLiteral("choosing COM%1").arg(port), failure);
    return failure;
}

Failure TracingSerialLine::setSettings(const QString& settings) {
    settings_ = settings;
    const Failure failure = inner_.setSettings(settings);
    noteFailure(QStringLiteral("settings %1").arg(settings), failure);
    return failure;
}

Failure TracingSerialLine::output(const QByteArray& text) {
    trace_.chunk(SerialTrace::Direction::Sent, text);
    const Failure failure = inner_.output(text);
    noteFailure(QStringLiteral("sending"), failure);
    return failure;
}

QByteArray TracingSerialLine::input() {
    const QByteArray bytes = inner_.input();
    trace_.chunk(SerialTrace::Direction::Received, bytes);
    return bytes;
}

} // namespace bdx4
