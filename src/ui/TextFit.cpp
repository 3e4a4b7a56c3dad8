#include "ui/TextFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTimer>

namespace bdx4 {

namespace {

Q_LOGGING_CATEGORY(lcTexts, "bdx4.texts")

/// The room the style leaves for a button's text inside its frame, box or circle.
QRect textRoom(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const auto* push = qobject_cast<const QPushButton*>(button);
    if (push && (push->autoDefault() || push->isDefault()))
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QStyle::SubElement contents =
        qobject_cast<const QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
        : qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                    : QStyle::SE_PushButtonContents;
    return button->style()->subElementRect(contents, &option, button);
}

} // namespace

QStringList textsThatDoNotFit(const QWidget* window) {
    QStringList clipped;
    for (const QWidget* part : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(part);
        const auto* button = qobject_cast<const QAbstractButton*>(part);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if (text.isEmpty())
            continue;
        // Each line takes the font's line spacing, the last one only its height.
        const QFontMetrics metrics = part->fontMetrics();
        const auto linesHigh = [&metrics](int lines) {
            return lines * metrics.lineSpacing() - metrics.leading();
        };
        QRect room = button ? textRoom(button) : part->contentsRect();
        // A button's "&", and a label's with a buddy, marks the letter underlined, taking no room.
        const bool mnemonic = button || (label && label->buddy());
        QSize need(metrics.size(mnemonic ? Qt::TextShowMnemonic : 0, text).width(),
                   linesHigh(int(text.count(QLatin1Char('\n'))) + 1));
        if (label && label->wordWrap()) {
            room = label->rect(); // its layout rounds every line up to a whole pixel
            const int lines =
                label->heightForWidth(room.width()) / metrics.size(0, QStringLiteral("X")).height();
            int widest = 0; // a word is never broken
            for (const QString& word : text.split(QLatin1Char(' ')))
                widest = qMax(widest, metrics.horizontalAdvance(word));
            need = {widest, linesHigh(lines)};
        }
        if (need.width() > room.width() || need.height() > room.height())
            clipped << QStringLiteral("%1 \"%2\" needs %3x%4 px, has %5x%6")
                           .arg(QLatin1String(part->metaObject()->className()), text)
                           .arg(need.width())
                           .arg(need.height())
                           .arg(room.width())
                           .arg(room.height());
    }
    for (const QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (QAction* menu : bar->actions())
            if (menu->isVisible() && !bar->rect().contains(bar->actionGeometry(menu)))
                clipped << QStringLiteral("menu \"%1\" is off the menu bar").arg(menu->text());
    return clipped;
}

bool TextFitWatcher::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && window && window->isWindow()) {
        // A message box lays itself out while it shows: look once it has.
        QTimer::singleShot(0, this, [window = QPointer<QWidget>(window)] {
            if (!window)
                return;
            for (const QString& text : textsThatDoNotFit(window))
                qCWarning(lcTexts, "%s: %s", qUtf8Printable(window->windowTitle()),
                          qUtf8Printable(text));
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace bdx4
