#include "ui/CommandButton.h"

#include "ui/UiLook.h"

#include <QKeyEvent>

namespace bdx4 {

CommandButton::CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            click();
            return;
        }
    }
    QPushButton::keyPressEvent(event);
}

} // namespace bdx4

namespace bdx4 {

void CommandButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    look::paintFocusFrame(this);
}

} // namespace bdx4
