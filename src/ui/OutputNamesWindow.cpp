#include "ui/OutputNamesWindow.h"

#include "ui/UiLook.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bdx4 {

OutputNamesWindow::OutputNamesWindow(const OutputNames& names, int output, QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(tr("Output Names"));
    look::useLightPalette(this);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(tr("What is wired to each output, in up to %1 characters. The names "
                               "stay on this computer; the BDX4 never receives them.")
                                .arg(OutputNames::kMaxLength),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* form = new QFormLayout;
    for (int c = 0; c < kOutputs; ++c) {
        const QString caption = QLatin1String(kOutputCaptions[c]);
        auto* box = new QLineEdit(names.name(c), this);
        box->setAccessibleName(tr("Name of output %1").arg(caption));
        connect(box, &QLineEdit::textChanged, this, &OutputNamesWindow::check);
        form->addRow(caption, box);
        boxes_[c] = box;
    }
    layout->addLayout(form);
    problem_ = new QLabel(this); // why OK waits, where the eye goes next
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #C00000"));
    layout->addWidget(problem_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons_);
    first_ = boxes_[std::clamp(output, 0, kOutputs - 1)];
    // Room for a whole name and the caption, so the note wraps into few lines.
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    check();
}

QString OutputNamesWindow::refusal(int output) const {
    switch (OutputNames::check(boxes_[output]->text())) {
    case OutputNames::Fault::TooLong:
        return tr("A name has at most %1 characters.").arg(OutputNames::kMaxLength);
    case OutputNames::Fault::LineCharacter:
        return tr("A name is one line of text.");
    case OutputNames::Fault::None:
        break;
    }
    return QString();
}

void OutputNamesWindow::check() {
    QString first;
    for (int c = 0; c < kOutputs; ++c) {
        const QString why = refusal(c);
        if (first.isEmpty() && !why.isEmpty())
            first = tr("%1: %2").arg(QLatin1String(kOutputCaptions[c]), why);
        QPalette palette = boxes_[c]->palette();
        palette.setColor(QPalette::Base, why.isEmpty() ? look::lightPalette().color(QPalette::Base)
                                                       : look::refusedBackground());
        boxes_[c]->setPalette(palette);
        boxes_[c]->setToolTip(why);
        boxes_[c]->setAccessibleDescription(why);
    }
    problem_->setText(first);
    problem_->setHidden(first.isEmpty());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(first.isEmpty());
}

OutputNames OutputNamesWindow::names() const {
    OutputNames names;
    for (int c = 0; c < kOutputs; ++c)
        names.setName(c, boxes_[c]->text());
    return names;
}

void OutputNamesWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    first_->setFocus(); // the column the user asked for, also when the window opens again
}

} // namespace bdx4
