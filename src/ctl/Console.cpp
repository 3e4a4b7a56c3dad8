#include "ctl/Console.h"

#include <cerrno>

namespace bdx4::ctl {

void Console::line(const QString& text) {
    bytes(text.toLocal8Bit() + '\n');
}

bool Console::bytes(const QByteArray& bytes) {
    const std::size_t size = std::size_t(bytes.size());
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size, stream_) == size && std::fflush(stream_) == 0)
        return true;
    if (failure_.isEmpty())
        failure_ = qt_error_string(errno);
    return false;
}

QString printable(const QString& text) {
    QString out;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (ch == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
            out += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += ch;
    }
    return out;
}

QString messageLine(const QString& title, const QString& text) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // A failed download's title ends in what the box sent last, which may hold anything.
    QString heading = title.trimmed();
    while (heading.endsWith(QLatin1Char(':')))
        heading.chop(1);
    heading = printable(heading);
    return heading.isEmpty() ? lines : heading + QStringLiteral(": ") + lines;
}

} // namespace bdx4::ctl
