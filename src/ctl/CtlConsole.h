#pragma once

#include "platform/MenuMarks.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgressWindow.h"
#include "platform/SettingsStore.h"
#include "platform/StatusBox.h"

#include <QHash>
#include <QString>

#include <cstdio>

namespace bdx4::ctl {

/// One of the program's output streams, written a line at a time and flushed at once, so the
/// progress of a download shows while it runs.
class Console {
public:
    explicit Console(std::FILE* stream) : stream_(stream) {}
    void line(const QString& text);

private:
    std::FILE* stream_;
};

/// The text with control characters shown as \r, \n or \xHH (what the box sent may hold any).
QString printable(const QString& text);

/// Message boxes as lines: information on standard output, everything else on standard error. Each
/// box is answered with its default button, as a user pressing Enter would.
class ConsoleMessageBoxes : public MessageBoxes {
public:
    ConsoleMessageBoxes(Console& out, Console& err) : out_(out), err_(err) {}
    MsgAnswer show(const MessageRequest& request) override;
    /// The box as the lines it is printed as.
    static QString boxText(const MessageRequest& request);

private:
    Console& out_;
    Console& err_;
};

/// The status box: every text it is given becomes a line (the empty clearing text does not). A
/// quiet one keeps the texts without printing them.
class ConsoleStatusBox : public StatusBox {
public:
    /// `out` null: quiet.
    explicit ConsoleStatusBox(Console* out) : out_(out) {}
    void setText(const QString& text) override;
    QString text() const override { return text_; }
    void setTextColor(StatusColor color) override { color_ = color; }
    void setVisible(bool) override {}
    StatusColor color() const { return color_; }

private:
    Console* out_;
    QString text_;
    StatusColor color_ = StatusColor::Black;
};

/// The "Seeking BDX4" window: one line when the search begins.
class ConsoleProgress : public ProgressWindow {
public:
    explicit ConsoleProgress(Console& err) : err_(err) {}
    void open() override;
    void setValue(int) override {}
    void close() override {}

private:
    Console& err_;
};

/// Menu check marks, which a program without menus only keeps.
class KeptMarks : public MenuMarks {
public:
    void setChecked(const QString& item, bool checked) override { marks_[item] = checked; }
    bool isChecked(const QString& item) const override { return marks_.value(item); }

private:
    QHash<QString, bool> marks_;
};

/// The desktop program's settings with some values laid over them in memory, e.g. "Ports/COM1"
/// naming the device given on the command line. Nothing is ever written back.
class OverlaySettingsStore : public SettingsStore {
public:
    explicit OverlaySettingsStore(const SettingsStore& base) : base_(base) {}
    QString value(const QString& section, const QString& key,
                  const QString& fallback) const override;
    void setValue(const QString& section, const QString& key, const QString& value) override;
    bool sync() override { return true; }

private:
    const SettingsStore& base_;
    QHash<QString, QString> over_;
};

} // namespace bdx4::ctl
