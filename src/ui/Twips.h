#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace bdx4 {

/// The windows are laid out in twips, 1440 to the inch, as the box's documentation gives them;
/// pixels follow the screen's logical resolution (15 twips to the pixel at 96 dpi).
class Twips {
public:
    explicit Twips(qreal logicalDpi) : dpi_(logicalDpi) {}
    /// The resolution the widget is drawn at.
    static Twips of(const QWidget* widget) { return Twips(widget->logicalDpiX()); }

    int px(int twips) const { return qRound(twips * dpi_ / 1440.0); }
    QPoint point(int left, int top) const { return {px(left), px(top)}; }
    QSize size(int width, int height) const { return {px(width), px(height)}; }
    /// Edges are converted one by one, so neighbouring controls neither overlap nor part.
    QRect rect(int left, int top, int width, int height) const {
        return QRect(QPoint(px(left), px(top)), QPoint(px(left + width) - 1, px(top + height) - 1));
    }
    qreal dpi() const { return dpi_; }

private:
    qreal dpi_;
};

} // namespace bdx4
