#include "ui/QtMenuMarks.h"

namespace bdx4 {

void QtMenuMarks::setChecked(const QString& item, bool checked) {
    if (QAction* a = actions_.value(item))
        a->setChecked(checked);
}

bool QtMenuMarks::isChecked(const QString& item) const {
    const QAction* a = actions_.value(item);
    return a && a->isChecked();
}

} // namespace bdx4
