#include "ui/UiLook.h"

#include <QPalette>
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
