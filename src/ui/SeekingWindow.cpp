#include "ui/SeekingWindow.h"

#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QProgressBar>

namespace bdx4 {

SeekingDialog::SeekingDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmSeekingBDX4"));
    setWindowTitle(QStringLiteral("Seeking BDX4"));
    setFont(look::defaultFont());
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(4560, 1005));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setRange(0, 11);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setGeometry(tw.rect(240, 240, 4095, 495));
}

SeekingWindow::~SeekingWindow() {
    close();
}

void SeekingWindow::open() {
    close();
    dialog_ = new SeekingDialog(owner_);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->setModal(false);
    dialog_->show();
}

void SeekingWindow::setValue(int value) {
    if (dialog_)
        dialog_->bar()->setValue(value);
}

void SeekingWindow::close() {
    if (dialog_) {
        dialog_->close(); // deletes it (WA_DeleteOnClose)
        dialog_ = nullptr;
    }
}

} // namespace bdx4
