#pragma once

#include <QColor>
#include <QFont>

class QWidget;
class QLabel;

namespace bdx4::look {

/// The windows' default font (a sans font of the old 8 point dialog font's size).
QFont defaultFont();
/// Bold Arial 9 point, or the metric-compatible Liberation Sans where Arial is missing.
QFont gridLabelFont();
/// The large sans font of the "W5 OUT" and "W5 IN" marks.
QFont jumperFont();

inline QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

/// Fills the widget's background with a plain colour.
void setBackground(QWidget* widget, const QColor& color);
/// Sets the text colour of a label or text box.
void setTextColor(QWidget* widget, const QColor& color);

} // namespace bdx4::look
