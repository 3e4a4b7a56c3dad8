#include "ui/SeekingWindow.h"

#include "ui/CommandButton.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace bdx4 {

SeekingWindow::SeekingWindow(const QString& where, const QString& speed, QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(tr("Seeking BDX4"));
    setFont(look::defaultFont());
    setModal(false);
    const Twips tw = Twips::of(this);
    // The line above the bar says where the box is looked for. The window widens for a long
    // device name, up to twice its width; a longer one gives way in the middle, and the whole
    // line is the tooltip.
    const QString looking = tr("Looking for the BDX4 on %1 at %2 baud").arg(where, speed);
    auto* line = new QLabel(this);
    const int widest = tw.px(2 * 4095);
    const int textWidth = std::min(line->fontMetrics().horizontalAdvance(looking) + 4, widest);
    const int width = std::max(tw.px(4560), textWidth + tw.px(2 * 240));
    setFixedSize(width, tw.px(1740));
    line->setGeometry(tw.px(240), tw.px(120), textWidth, tw.px(255));
    line->setText(line->fontMetrics().elidedText(looking, Qt::ElideMiddle, textWidth));
    line->setToolTip(looking);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 11);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setGeometry(tw.rect(240, 480, 4095, 495));
    bar_->setAccessibleName(tr("Queries sent"));
    bar_->setAccessibleDescription(looking);
    auto* cancel = new CommandButton(tr("Cancel"), this);
    cancel->setGeometry(QRect(QPoint(width - tw.px(225 + 1215), tw.px(1215)), tw.size(1215, 375)));
    connect(cancel, &QPushButton::clicked, this, &SeekingWindow::reject);
}

void SeekingWindow::setProgress(int retries) {
    bar_->setValue(retries);
}

int SeekingWindow::progress() const {
    return bar_->value();
}

void SeekingWindow::reject() {
    emit cancelRequested();
    QDialog::reject();
}

} // namespace bdx4
