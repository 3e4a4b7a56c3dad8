#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>

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

/// The light palette the program's own windows draw in, whatever the desktop's theme: their
/// fixed colours (navy and red captions, the green and cyan bands, the tables' backgrounds)
/// only read well on it.
QPalette lightPalette();
/// Gives a window and all its parts, its menus included, the light palette.
void useLightPalette(QWidget* window);

/// The background of a text box whose typed value was refused.
QColor refusedBackground();
/// The program's icon: the desktop's installed one, else the one built into the program.
QIcon programIcon();

/// The background of the voltage window of table 0-2 and of its help window.
QColor voltageWindowBackground(int table);

/// Draws a focus frame 2 pixels wide in the palette's highlight colour around `widget`, while it
/// has the focus and its window shows focus (after a key moved it, or a grid box was clicked).
void paintFocusFrame(QWidget* widget);

/// Fills the widget's background with a plain colour.
void setBackground(QWidget* widget, const QColor& color);
/// Sets the text colour of a label or text box.
void setTextColor(QWidget* widget, const QColor& color);

} // namespace bdx4::look
