#include "ui/BandMapGrid.h"

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

int BandMapGrid::rowTopTwips(int row) {
    return row < kFirstXvtrRow ? 840 + 240 * row : 4440 + 240 * (row - kFirstXvtrRow);
}

BandMapGrid::BandMapGrid(BandMaps& maps, QWidget* canvas, const Twips& twips)
    : QObject(canvas), maps_(maps) {
    for (int r = 0; r < kBandRows; ++r) {
        for (int c = 0; c < kOutputs; ++c) {
            auto* box = new GridCheckBox(canvas);
            box->setGeometry(twips.rect(1320 + 480 * c, rowTopTwips(r), 252, 252));
            // Screen readers name each box by the band and the output it connects.
            box->setAccessibleName(
                tr("%1 to %2")
                    .arg(QLatin1String(kRowCaptions[r]), QLatin1String(kOutputCaptions[c])));
            box->setArrowHandler([this, r, c](int key) { return moveFocus(r, c, key); });
            connect(box, &QCheckBox::stateChanged, this, [this, r, c](int state) {
                maps_.setCell(r, c, state == Qt::Checked ? 1 : state == Qt::Unchecked ? 0 : 2);
            });
            boxes_[r][c] = box;
        }
    }
    connect(&maps_, &BandMaps::cellChanged, this, &BandMapGrid::showCell);
    connect(&maps_, &BandMaps::accModeChanged, this, &BandMapGrid::showAccColumns);
}

void BandMapGrid::showCell(int row, int output, int value) {
    // The box's own change comes back here with the value it has; that changes nothing.
    boxes_[row][output]->setCheckState(value == 0   ? Qt::Unchecked
                                       : value == 1 ? Qt::Checked
                                                    : Qt::PartiallyChecked);
}

void BandMapGrid::showAccColumns(bool visible) {
    for (int c = kFirstAccOutput; c < kOutputs; ++c)
        for (int r = 0; r < kBandRows; ++r)
            boxes_[r][c]->setVisible(visible);
}

void BandMapGrid::setEnabled(bool enabled) {
    for (const auto& row : boxes_)
        for (GridCheckBox* box : row)
            box->setEnabled(enabled);
}

bool BandMapGrid::moveFocus(int row, int output, int key) {
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

} // namespace bdx4
