#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

#include <memory>

namespace bdx4 {

namespace {

QMessageBox::StandardButton standardButton(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

/// A box whose question must be answered with one of its buttons. QMessageBox makes No the
/// escape button of a Yes/No question and answers No when its frame is closed, so a stray Escape
/// at "save these changes?" would throw the user's edits away; here neither does anything.
class AnswerRequiredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel))
            return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

MsgAnswer QtMessageBoxes::show(const MessageRequest& request) {
    // Over the dialog that asks (a voltage window, the save-file dialog), else the owner.
    QWidget* parent = QApplication::activeModalWidget();
    // A question without Cancel has no way out but its answers.
    std::unique_ptr<QMessageBox> owned;
    if (request.buttons == MsgButtons::YesNo)
        owned = std::make_unique<AnswerRequiredBox>(parent ? parent : owner_.data());
    else
        owned = std::make_unique<QMessageBox>(parent ? parent : owner_.data());
    QMessageBox& box = *owned;
    box.setWindowTitle(request.title);
    box.setTextFormat(Qt::PlainText); // received text (a title may carry it) is never markup
    // The texts break their lines with CR LF; a label wants plain line feeds.
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(text);
    box.setIcon(standardIcon(request.icon));
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (request.buttons == MsgButtons::YesNo)
        buttons = QMessageBox::Yes | QMessageBox::No;
    else if (request.buttons == MsgButtons::YesNoCancel)
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    box.setStandardButtons(buttons);
    const QMessageBox::StandardButton preselected = standardButton(request.defaultButton);
    if (buttons & preselected)
        box.setDefaultButton(preselected);
    const int pressed = box.exec();
    switch (pressed) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        break;
    }
    // Escape or the frame's close box: Cancel where the box offers it.
    if (request.buttons == MsgButtons::YesNoCancel)
        return MsgAnswer::Cancel;
    return MsgAnswer::Ok;
}

} // namespace bdx4
