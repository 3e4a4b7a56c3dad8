#include "ui/SeekingWindow.h"

#include "ui/CommandButton.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QProgressBar>

namespace bdx4 {

SeekingWindow::SeekingWindow(QWidget* owner) : QDialog(owner) {
    setWindowTitle(tr("Seeking BDX4"));
    setFont(look::defaultFont());
    setModal(false);
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(4560, 1380));
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 11);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setGeometry(tw.rect(240, 240, 4095, 495));
    bar_->setAccessibleName(tr("Queries sent"));
    auto* cancel = new CommandButton(tr("Cancel"), this);
    cancel->setGeometry(tw.rect(3120, 855, 1215, 375));
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
