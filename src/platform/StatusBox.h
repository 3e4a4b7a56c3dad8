#pragma once

#include <QString>

namespace bdx4 {

enum class StatusColor { Black, Red, Green };

/// The main window's one-line status box `debug_box`, where the download reports progress.
class StatusBox {
public:
    virtual ~StatusBox() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
    virtual void setTextColor(StatusColor color) = 0;
    virtual void setVisible(bool visible) = 0;
};

} // namespace bdx4
