#pragma once

#include <QScrollBar>

namespace bdx4 {

/// A vertical slider for a band level 0-255 with 255 at the top, so that moving the thumb up
/// raises the voltage. The top arrow, a click in the track above the thumb, dragging up, Up,
/// Page Up, Home and the wheel turned away all raise the level. A QScrollBar moves its value down
/// for every one of those, so the bar holds 255 - level and the level is read through `level()`.
///
/// It takes the Tab key, draws its focus, hands its right click to its window, and tells a screen
/// reader its level in volts ("2.00 volts"), which the reader may also set.
class LevelSlider : public QScrollBar {
    Q_OBJECT
public:
    static constexpr int kTopLevel = 255;

    /// A slider of voltage table `table` (0-2), whose full scale it speaks in.
    explicit LevelSlider(int table, QWidget* parent = nullptr);

    int level() const { return kTopLevel - value(); }
    void setLevel(int level) { setValue(kTopLevel - level); }
    int table() const { return table_; }
    /// The user's gesture in progress: a press of the mouse or of a key, held or repeating,
    /// numbered so that its steps make one undo step; 0 between gestures.
    int gesture() const { return gesture_; }

signals:
    /// The level changed: by the user (also on every step of a drag) or by the program.
    void levelChanged(int level);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void beginGesture();

    int table_;
    int gesture_ = 0;
};

} // namespace bdx4
