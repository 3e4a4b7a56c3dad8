#include "ui/ProgramStyle.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace bdx4 {

namespace {

/// "»" pointing right (or down): the menus that do not fit the bar are behind it.
QIcon overflowIcon(bool down, const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1.5));
    if (down)
        painter.rotate(90), painter.translate(0, -16);
    for (const int x : {4, 9})
        painter.drawPolyline(QPolygonF({QPointF(x, 4), QPointF(x + 4, 8), QPointF(x, 12)}));
    return QIcon(pixmap);
}

} // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return overflowIcon(icon == SP_ToolBarVerticalExtensionButton,
                            widget ? widget->palette().color(QPalette::ButtonText) : Qt::black);
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace bdx4
