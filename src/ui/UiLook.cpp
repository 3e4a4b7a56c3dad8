#include "ui/UiLook.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace bdx4::look {

namespace {

QFont sansFont(const QStringList& families, qreal points) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

} // namespace

QFont defaultFont() {
    return sansFont(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")},
        8);
}

QFont gridLabelFont() {
    QFont font = sansFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, 9);
    font.setBold(true);
    return font;
}

QFont jumperFont() {
    return sansFont({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, 13.5);
}

QPalette lightPalette() {
    const QColor face(240, 240, 240);
    QPalette palette(face); // derives text, base, light and shadow shades from a light face
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::AlternateBase, QColor(245, 245, 245));
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
        palette.setColor(group, QPalette::Highlight, QColor(48, 140, 198));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 220));
        palette.setColor(group, QPalette::ToolTipText, Qt::black);
        palette.setColor(group, QPalette::PlaceholderText, QColor(120, 120, 120));
        palette.setColor(group, QPalette::Link, QColor(0, 0, 255));
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, face);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Button, face);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    return palette;
}

void useLightPalette(QWidget* window) {
    window->setPalette(lightPalette());
    // Menus open as windows of their own, which take no palette from their parent.
    for (QMenu* menu : window->findChildren<QMenu*>())
        menu->setPalette(lightPalette());
}

QColor refusedBackground() {
    return rgb(255, 210, 210);
}

QIcon programIcon() {
    // The icon the desktop entry installs, built in as PNGs up to the sizes a window shows: an
    // SVG would load Qt's SVG support, and each PNG is decoded when it is added, so once: the
    // program's windows share the application's icon.
    if (!QGuiApplication::windowIcon().isNull())
        return QGuiApplication::windowIcon();
    // Read as PNG, said so: a reader left to find the format loads every image plugin there is.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QImageReader png(QStringLiteral(":/icons/%1x%1/apps/com.morvane.bdx4config.png").arg(size),
                         "png");
        png.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(png.read()));
    }
    return icon;
}

void paintFocusFrame(QWidget* widget) {
    if (!widget->hasFocus() || !widget->window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter painter(widget);
    QPen pen(widget->palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(widget->rect()).adjusted(1, 1, -1, -1));
}

QColor voltageWindowBackground(int table) {
    switch (table) {
    case 0:
        return rgb(133, 159, 192);
    case 1:
        return rgb(122, 163, 105);
    default:
        return rgb(225, 225, 142);
    }
}

void setBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

} // namespace bdx4::look
