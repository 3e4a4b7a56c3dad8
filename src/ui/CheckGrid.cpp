#include "ui/CheckGrid.h"

#include "ui/Twips.h"

#include <QKeyEvent>

namespace bdx4 {

void GridCheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void GridCheckBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && event->modifiers() == Qt::NoModifier) {
        if (!arrow_ || !arrow_(key))
            event->ignore();
        return;
    }
    QCheckBox::keyPressEvent(event);
}

bool CheckGrid::moveFocus(int row, int output, int key) {
    const int dRow = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
    const int dOutput = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
    // Hidden boxes (the AC columns in the default-table mode) are passed over.
    for (int r = row + dRow, c = output + dOutput;
         r >= 0 && r < kBandRows && c >= 0 && c < kOutputs; r += dRow, c += dOutput) {
        if (!boxes_[r][c]->isHidden()) {
            boxes_[r][c]->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

int CheckGrid::rowTopTwips(int row) {
    return row < 14 ? 840 + 240 * row : 4440 + 240 * (row - 14);
}

CheckGrid::CheckGrid(QWidget* parent, const Twips& twips) {
    for (int r = 0; r < kBandRows; ++r) {
        for (int c = 0; c < kOutputs; ++c) {
            auto* box = new GridCheckBox(parent);
            box->setObjectName(
                QStringLiteral("%1_%2").arg(QLatin1String(kRowArrayNames[r])).arg(c));
            box->setGeometry(twips.rect(outputLeftTwips(c), rowTopTwips(r), 252, 252));
            box->setAccessibleName(
                QStringLiteral("%1 to %2")
                    .arg(QLatin1String(kRowCaptions[r]), QLatin1String(kOutputCaptions[c])));
            box->setArrowHandler([this, r, c](int key) { return moveFocus(r, c, key); });
            QObject::connect(box, &QCheckBox::stateChanged, box,
                             [this, r, c](int) { notifyChanged(r, c); });
            boxes_[r][c] = box;
        }
    }
}

int CheckGrid::cell(int row, int output) const {
    switch (boxes_[row][output]->checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

void CheckGrid::setCell(int row, int output, int value) {
    const Qt::CheckState state = value == 0   ? Qt::Unchecked
                                 : value == 1 ? Qt::Checked
                                              : Qt::PartiallyChecked;
    // QCheckBox reports stateChanged only when the state differs, which is the rule the map
    // model relies on; a write of the grayed state makes the box tristate-capable by itself.
    boxes_[row][output]->setCheckState(state);
}

void CheckGrid::setCellVisible(int row, int output, bool visible) {
    boxes_[row][output]->setVisible(visible);
}

bool CheckGrid::isCellVisible(int row, int output) const {
    return !boxes_[row][output]->isHidden();
}

} // namespace bdx4
