#include "io/SerialTrace.h"

#include "io/RegularFile.h"
#include "io/SerialDiagnosis.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace bdx4 {

SerialTrace::SerialTrace(const Clock& clock) : clock_(clock) {}

bool SerialTrace::begin(const QString& path, const QString& title) {
    end();
    error_.clear();
    // A FIFO would keep the program waiting for a reader, a device would take the trace away.
    if (const QString why = notRegularReason(fileKindOf(path)); !why.isEmpty()) {
        error_ = why;
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
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

void SerialTrace::writeLine(const QString& line) {
    if (!file_)
        return;
    // Unbuffered and every write checked: a trace must survive the program ending in the middle
    // of a download, and a full disk must not pass unnoticed.
    const QByteArray bytes = line.toUtf8() + '\n';
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n = file_->write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) { // the retry after a short write tells why
            error_ = file_->errorString();
            file_.reset(); // the trace stops here
            return;
        }
        written += n;
    }
}

QString SerialTrace::formatChunk(Direction direction, const QByteArray& bytes) {
    QString text;
    for (const char ch : bytes) {
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
    }
    return QStringLiteral("%1 %2 \"%3\" %4")
        .arg(direction == Direction::Sent ? QLatin1String("TX") : QLatin1String("RX"))
        .arg(bytes.size(), 3)
        .arg(text, QString::fromLatin1(bytes.toHex(' ').toUpper()));
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

TracingSerialLine::TracingSerialLine(SerialLine& inner, SerialTrace& trace, QObject* parent)
    : SerialLine(parent), inner_(inner), trace_(trace) {
    connect(&inner_, &SerialLine::readyRead, this, &SerialLine::readyRead);
    connect(&inner_, &SerialLine::lineLost, this, [this](const QString& reason) {
        trace_.note(QStringLiteral("line lost: %1").arg(reason));
        emit lineLost(reason);
    });
}

std::optional<OpenFailure> TracingSerialLine::open(int port, qint32 speed) {
    device_ = inner_.deviceName(port);
    const std::optional<OpenFailure> failure = inner_.open(port, speed);
    if (failure)
        trace_.note(QStringLiteral("opening %1 at %2 failed: %3 %4")
                        .arg(device_)
                        .arg(speed)
                        .arg(failure->code)
                        .arg(describeOpenFailure(*failure, ChoiceHint::Menu)));
    else
        trace_.note(QStringLiteral("opened %1 at %2,n,8,1").arg(device_).arg(speed));
    return failure;
}

void TracingSerialLine::close() {
    if (inner_.isOpen())
        trace_.note(QStringLiteral("closed %1").arg(device_));
    inner_.close();
}

IoResult TracingSerialLine::write(const QByteArray& bytes) {
    trace_.chunk(SerialTrace::Direction::Sent, bytes);
    IoResult failure = inner_.write(bytes);
    if (failure)
        trace_.note(
            QStringLiteral("sending failed: %1 %2").arg(failure->code).arg(failure->description));
    return failure;
}

QByteArray TracingSerialLine::readAll() {
    const QByteArray bytes = inner_.readAll();
    trace_.chunk(SerialTrace::Direction::Received, bytes);
    return bytes;
}

SessionTrace::SessionTrace(SerialLine& inner, const Clock& clock, const QString& path)
    : trace_(clock), line_(inner, trace_), path_(path) {}

QString SessionTrace::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(kLastSessionTraceName);
}

void SessionTrace::begin(const QString& what, const QString& port, const QString& speed) {
    trace_.begin(path_, QStringLiteral("%1 %2: %3 on %4 at %5 baud")
                            .arg(QCoreApplication::applicationName(),
                                 QCoreApplication::applicationVersion(), what, port, speed));
}

} // namespace bdx4
