#include "ctl/CtlConsole.h"

#include <QStringList>

namespace bdx4::ctl {

void Console::line(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream_);
    std::fflush(stream_);
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

QString ConsoleMessageBoxes::boxText(const MessageRequest& request) {
    QString text = request.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // The title says what the box is about ("Error connecting to a BDX4"); the program's own name
    // says nothing here. The failure box's title ends in what the box sent last.
    QString title = request.title.trimmed();
    while (title.endsWith(QLatin1Char(':')))
        title.chop(1);
    title = printable(title);
    if (title.isEmpty() || title == kAppTitle)
        return text;
    return title + QStringLiteral(": ") + text;
}

MsgAnswer ConsoleMessageBoxes::show(const MessageRequest& request) {
    Console& to = request.icon == MsgIcon::Information ? out_ : err_;
    to.line(boxText(request));
    return request.defaultButton;
}

void ConsoleStatusBox::setText(const QString& text) {
    text_ = text;
    if (out_ && !text.isEmpty())
        out_->line(text);
}

void ConsoleProgress::open() {
    err_.line(QStringLiteral("Seeking BDX4 ..."));
}

QString OverlaySettingsStore::value(const QString& section, const QString& key,
                                    const QString& fallback) const {
    const QString name = section + QLatin1Char('/') + key;
    const auto found = over_.constFind(name);
    return found != over_.constEnd() ? *found : base_.value(section, key, fallback);
}

void OverlaySettingsStore::setValue(const QString& section, const QString& key,
                                    const QString& value) {
    over_.insert(section + QLatin1Char('/') + key, value);
}

} // namespace bdx4::ctl
