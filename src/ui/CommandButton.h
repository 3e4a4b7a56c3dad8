#pragma once

#include <QPushButton>

namespace bdx4 {

/// A push button that Enter presses while it has the focus, as Space does. It is never a
/// window's default button, so Enter typed into a text box presses no button. (QPushButton
/// takes Enter only as an auto-default button, and an auto-default button in a dialog also
/// takes the Enter typed into the dialog's text boxes.) Its focus frame is 2 pixels wide.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& text, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace bdx4
