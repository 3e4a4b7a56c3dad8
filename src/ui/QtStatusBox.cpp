#include "ui/QtStatusBox.h"

#include "ui/UiLook.h"

namespace bdx4 {

void QtStatusBox::setTextColor(StatusColor color) {
    switch (color) {
    case StatusColor::Black:
        look::setTextColor(edit_, Qt::black);
        return;
    case StatusColor::Red:
        look::setTextColor(edit_, QColor(255, 0, 0));
        return;
    case StatusColor::Green:
        look::setTextColor(edit_, QColor(0, 255, 0));
        return;
    }
}

} // namespace bdx4
