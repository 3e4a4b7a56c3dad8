#pragma once

#include <QScrollBar>

namespace bdx4 {

/// A vertical slider for a band level 0-255 with 255 at the top, so that moving the thumb up
/// raises the voltage. The top arrow, a click in the track above the thumb, dragging up, Up,
/// Page Up and the wheel turned away all raise the level. A QScrollBar moves its value down for
/// every one of those, so the bar holds 255 - level and the level is read through `level()`.
class LevelSlider : public QScrollBar {
    Q_OBJECT
public:
    static constexpr int kTopLevel = 255;

    explicit LevelSlider(QWidget* parent = nullptr);

    int level() const { return kTopLevel - value(); }
    void setLevel(int level) { setValue(kTopLevel - level); }

signals:
    /// The level changed: by the user (also on every step of a drag) or by the program.
    void levelChanged(int level);
};

} // namespace bdx4
