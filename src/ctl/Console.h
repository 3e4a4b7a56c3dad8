#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdio>

namespace bdx4::ctl {

/// bdx4ctl's words outside its classes, under one translation context: `Texts::tr("...")`.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(bdx4ctl)
};

/// One of the program's output streams, written a line at a time and flushed at once, so the
/// progress of a download shows while it runs.
class Console {
public:
    explicit Console(std::FILE* stream) : stream_(stream) {}
    void line(const QString& text);
    /// Writes `bytes` as they are (a file's content); false when the stream refused them.
    bool bytes(const QByteArray& bytes);
    /// Why the first write that failed was refused (a full disk); empty while all went through.
    QString failure() const { return failure_; }

private:
    std::FILE* stream_;
    QString failure_;
};

/// The text with control characters shown as \r, \n or \xHH (what the box sent may hold any),
/// and CR LF line breaks as plain line ends.
QString printable(const QString& text);

/// "title: text" as a line of the console; a message without a title of its own is only its
/// text. Line breaks stay line breaks.
QString messageLine(const QString& title, const QString& text);

} // namespace bdx4::ctl
