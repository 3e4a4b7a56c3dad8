#include "ui/BandMapGrid.h"

#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QKeyEvent>
#include <QPainter>

namespace bdx4 {

namespace {

bool isGridKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

void GridCheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void GridCheckBox::keyPressEvent(QKeyEvent* event) {
    if (!isGridKey(*event)) {
        QCheckBox::keyPressEvent(event);
        return;
    }
    if (!move_ || !move_(*event))
        event->ignore(); // an edge of the grid: the key leads nowhere
}

void GridCheckBox::focusInEvent(QFocusEvent* event) {
    // Styles draw the focus frame only after a focus change by keyboard; in the grid the user
    // must see where the arrow keys go on from also after a click.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    QCheckBox::focusInEvent(event);
    emit focused();
}

void GridCheckBox::paintEvent(QPaintEvent* event) {
    QCheckBox::paintEvent(event);
    look::paintFocusFrame(this);
    if (differs_) { // red dashes, over the focus frame's solid highlight so both show
        QPainter painter(this);
        painter.setPen(QPen(QColor(0xC0, 0, 0), 2, Qt::DashLine));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void GridCheckBox::setDiffers(bool differs) {
    if (differs_ == differs)
        return;
    differs_ = differs;
    setAccessibleDescription(differs ? BandMapGrid::tr("differs from the compared configuration")
                                     : QString());
    update();
}

int BandMapGrid::rowTopTwips(int row) {
    return row < kFirstXvtrRow ? 840 + 240 * row : 4440 + 240 * (row - kFirstXvtrRow);
}

BandMapGrid::BandMapGrid(const BandMaps& maps, QWidget* canvas, const Twips& twips)
    : QObject(canvas), maps_(maps) {
    for (int r = 0; r < kBandRows; ++r) {
        for (int c = 0; c < kOutputs; ++c) {
            auto* box = new GridCheckBox(canvas);
            box->setGeometry(twips.rect(1320 + 480 * c, rowTopTwips(r), 252, 252));
            box->setFocusPolicy(Qt::ClickFocus);
            // Screen readers name each box by the band and the output it connects.
            box->setMoveHandler(
                [this, r, c](const QKeyEvent& key) { return moveFocus(r, c, key); });
            connect(box, &GridCheckBox::focused, this, [this, r, c] { makeCurrent(r, c); });
            connect(box, &QCheckBox::stateChanged, this, [this, r, c](int state) {
                const int value = state == Qt::Checked ? 1 : state == Qt::Unchecked ? 0 : 2;
                if (maps_.cell(r, c) != value) // not the map's own change coming back
                    emit toggledByUser(r, c, value);
            });
            boxes_[r][c] = box;
        }
    }
    makeCurrent(0, 0);
    showNames(OutputNames());
    connect(&maps_, &BandMaps::cellChanged, this, &BandMapGrid::showCell);
    connect(&maps_, &BandMaps::accModeChanged, this, &BandMapGrid::showAccColumns);
    // A comparison's marks hold until the next change.
    connect(&maps_, &BandMaps::cellChanged, this, &BandMapGrid::clearDifferences);
    connect(&maps_, &BandMaps::accModeChanged, this, &BandMapGrid::clearDifferences);
}

void BandMapGrid::showNames(const OutputNames& names) {
    for (int r = 0; r < kBandRows; ++r) {
        for (int c = 0; c < kOutputs; ++c) {
            QString name =
                tr("%1 to %2")
                    .arg(QLatin1String(kRowCaptions[r]), QLatin1String(kOutputCaptions[c]));
            if (!names.name(c).isEmpty())
                name = tr("%1, %2").arg(name, names.name(c));
            boxes_[r][c]->setAccessibleName(name);
        }
    }
}

void BandMapGrid::markDifferences(const QList<std::pair<int, int>>& cells) {
    clearDifferences();
    for (const auto& [row, output] : cells)
        boxes_[row][output]->setDiffers(true);
}

void BandMapGrid::clearDifferences() {
    for (const auto& row : boxes_)
        for (GridCheckBox* box : row)
            box->setDiffers(false);
}

void BandMapGrid::showCell(int row, int output, int value) {
    boxes_[row][output]->setCheckState(value == 0   ? Qt::Unchecked
                                       : value == 1 ? Qt::Checked
                                                    : Qt::PartiallyChecked);
}

void BandMapGrid::showAccColumns(bool visible) {
    for (int c = kFirstAccOutput; c < kOutputs; ++c)
        for (int r = 0; r < kBandRows; ++r)
            boxes_[r][c]->setVisible(visible);
    // A hidden box takes no Tab: the grid's stop moves to the nearest shown box of its row.
    if (!visible && currentOutput_ >= kFirstAccOutput)
        makeCurrent(currentRow_, kFirstAccOutput - 1);
}

void BandMapGrid::makeCurrent(int row, int output) {
    boxes_[currentRow_][currentOutput_]->setFocusPolicy(Qt::ClickFocus);
    boxes_[row][output]->setFocusPolicy(Qt::StrongFocus);
    currentRow_ = row;
    currentOutput_ = output;
}

void BandMapGrid::setEnabled(bool enabled) {
    for (const auto& row : boxes_)
        for (GridCheckBox* box : row)
            box->setEnabled(enabled);
}

GridCheckBox* BandMapGrid::shownFrom(int row, int output, int step) const {
    for (int c = output; c >= 0 && c < kOutputs; c += step)
        if (!boxes_[row][c]->isHidden())
            return boxes_[row][c];
    return nullptr;
}

bool BandMapGrid::moveFocus(int row, int output, const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    GridCheckBox* to = nullptr;
    if (modifiers == Qt::ControlModifier && key.key() == Qt::Key_Home)
        to = shownFrom(0, 0, 1);
    else if (modifiers == Qt::ControlModifier && key.key() == Qt::Key_End)
        to = shownFrom(kBandRows - 1, kOutputs - 1, -1);
    else if (modifiers != Qt::NoModifier)
        return false;
    else if (key.key() == Qt::Key_Home)
        to = shownFrom(row, 0, 1);
    else if (key.key() == Qt::Key_End)
        to = shownFrom(row, kOutputs - 1, -1);
    else if (key.key() == Qt::Key_Left)
        to = shownFrom(row, output - 1, -1);
    else if (key.key() == Qt::Key_Right)
        to = shownFrom(row, output + 1, 1);
    else if (key.key() == Qt::Key_Up && row > 0)
        to = boxes_[row - 1][output];
    else if (key.key() == Qt::Key_Down && row + 1 < kBandRows)
        to = boxes_[row + 1][output];
    if (!to)
        return false;
    to->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace bdx4
