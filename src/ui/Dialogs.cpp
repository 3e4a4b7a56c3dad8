#include "ui/Dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMessageBox>

#include <memory>

namespace bdx4::dialogs {

namespace {

Q_LOGGING_CATEGORY(lcUnattended, "bdx4.unattended")

/// A box whose question must be answered with one of its buttons. QMessageBox makes No the escape
/// button of a Yes/No question and answers No when its frame is closed.
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

/// For scripted runs with nobody to answer (BDX4_UNATTENDED=1): the box is logged and answered
/// with its preselected button.
bool unattended(const QString& title, const QString& text) {
    if (qEnvironmentVariableIntValue("BDX4_UNATTENDED") == 0)
        return false;
    QString oneLine = text;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" / "));
    qCInfo(lcUnattended, "[%s] %s", qUtf8Printable(title), qUtf8Printable(oneLine));
    return true;
}

QWidget* ownerFor(QWidget* owner) {
    // Over the dialog that asks (a voltage window, the save-file dialog), else the owner.
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : owner;
}

/// The program's texts break their lines with CR LF; a label wants plain line feeds.
QString plain(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return lines;
}

void prepare(QMessageBox& box, const QString& title, const QString& text, QMessageBox::Icon icon) {
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText); // received text (a title may carry it) is never markup
    box.setText(plain(text));
    box.setIcon(icon);
}

QMessageBox::Icon iconOf(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString appTitle() {
    return QCoreApplication::translate("dialogs", "BDX4 Config");
}

void inform(QWidget* owner, const QString& title, const QString& text, Icon icon) {
    if (unattended(title, text))
        return;
    QMessageBox box(ownerFor(owner));
    prepare(box, title, text, iconOf(icon));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

Answer askYesNo(QWidget* owner, const QString& text, Escape escape) {
    if (unattended(appTitle(), text))
        return Answer::Yes;
    std::unique_ptr<QMessageBox> box = escape == Escape::AnswersNo
                                           ? std::make_unique<QMessageBox>(ownerFor(owner))
                                           : std::make_unique<AnswerRequiredBox>(ownerFor(owner));
    prepare(*box, appTitle(), text, QMessageBox::NoIcon);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    return box->exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Answer askYesNoCancel(QWidget* owner, const QString& text) {
    if (unattended(appTitle(), text))
        return Answer::Yes;
    QMessageBox box(ownerFor(owner));
    prepare(box, appTitle(), text, QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default: // Cancel, Escape or the frame's close box
        return Answer::Cancel;
    }
}

} // namespace bdx4::dialogs

namespace bdx4::dialogs {

void informStoreUnreadable(QWidget* owner, Store store, const QString& path,
                           const QString& reason) {
    const QString what = store == Store::Maps
                             ? QCoreApplication::translate("dialogs", "a map")
                             : QCoreApplication::translate("dialogs", "a voltage table");
    inform(owner, appTitle(),
           QCoreApplication::translate("dialogs", "%1 cannot be read: %2. It was left as it is; "
                                                  "saving %3 will try to replace it.")
               .arg(QDir::toNativeSeparators(path), reason, what),
           Icon::Warning);
}

void informStoreNotWhole(QWidget* owner, Store store, const QString& path,
                         const StoreReading& reading) {
    if (reading.outcome == StoreReading::Unreadable) {
        informStoreUnreadable(owner, store, path, reading.reason);
        return;
    }
    if (reading.outcome != StoreReading::Incomplete)
        return;
    inform(owner, appTitle(),
           QCoreApplication::translate(
               "dialogs", "%1 could be read only in part (%2). Everything that could be read is "
                          "shown. Before the file is first saved over, it is kept as it is in a "
                          "copy beside it.")
               .arg(QDir::toNativeSeparators(path), reading.fault()),
           Icon::Warning);
}

bool askReplaceChanged(QWidget* owner, const QString& path) {
    QMessageBox box(QMessageBox::Warning, appTitle(),
                    QCoreApplication::translate(
                        "dialogs", "%1 was changed by another program since this one read it. "
                                   "Replace it all the same? No keeps it as the other program "
                                   "left it.")
                        .arg(QDir::toNativeSeparators(path)),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void informDamagedFileKept(QWidget* owner, const QString& path, const QString& copy) {
    inform(owner, appTitle(),
           QCoreApplication::translate("dialogs", "%1 could be read only in part, so it was kept "
                                                  "as it was in %2 before it was replaced.")
               .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(copy)),
           Icon::Information);
}

} // namespace bdx4::dialogs
