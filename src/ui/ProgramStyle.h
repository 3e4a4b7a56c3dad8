#pragma once

#include <QProxyStyle>

namespace bdx4 {

/// The desktop's style, but for the menu bar's overflow button, whose icon is drawn here rather
/// than read from Qt's images: reading an image whose format Qt has to find out loads every image
/// plugin there is (SVG, JPEG, GIF, ICO and their libraries), and the menu bar asks for that icon
/// when it is made, at every start.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace bdx4
