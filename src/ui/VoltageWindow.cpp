#include "ui/VoltageWindow.h"

#include "document/ConfigDocument.h"
#include "io/VoltageStore.h"
#include "ui/CommandButton.h"
#include "ui/Dialogs.h"
#include "ui/HelpWindow.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>

namespace bdx4 {

namespace {

QString voltsTip() {
    return VoltageWindow::tr("Either type in the voltage here, or use the slider control below.");
}

} // namespace

VoltageWindow::VoltageWindow(int table, ConfigDocument& document, QWidget* owner)
    : QDialog(owner), table_(table), document_(document) {
    setWindowTitle(tr("Analog Voltage Table AN%1").arg(table + 1) + QStringLiteral("[*]"));
    setFont(look::defaultFont());
    look::useLightPalette(this);
    look::setBackground(this, look::voltageWindowBackground(table));
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(8070, 4965));
    auto* range = new QLabel(tr("Analog Voltage AN%1 range is 0 to %2 volts.")
                                 .arg(table + 1)
                                 .arg(kFullScaleVolts[table]),
                             this);
    range->setGeometry(tw.rect(1680, 120, 3975, 255));
    addColumns();
    QPushButton* closeButton = addButtons();
    addKeys();
    load();
    closeButton->setFocus();
}

void VoltageWindow::addColumns() {
    const Twips tw = Twips::of(this);
    const QString tip = voltsTip();
    for (int i = 0; i < kVoltageBands; ++i) {
        const int left = 120 + 600 * i;
        const QString band = QLatin1String(kVoltageBandCaptions[i]);
        auto* caption = new QLabel(band, this);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        caption->setWordWrap(true);
        caption->setGeometry(i == 0 ? tw.rect(left, 540, 500, 375) : tw.rect(left, 720, 500, 255));

        // Screen readers name each column's controls by table and band, as the grid's boxes are.
        auto* text = new QLineEdit(QStringLiteral("0.00"), this);
        text->setToolTip(tip);
        text->setAlignment(Qt::AlignCenter);
        text->setGeometry(tw.rect(left, 960, 500, 315));
        text->setAccessibleName(tr("AN%1 %2 volts").arg(table_ + 1).arg(band));
        text->installEventFilter(this);
        texts_[i] = text;

        auto* slider = new LevelSlider(table_, this);
        slider->setGeometry(tw.rect(360 + 600 * i, 1440, 200, 2775));
        slider->setAccessibleName(tr("AN%1 %2 level").arg(table_ + 1).arg(band));
        slider->installEventFilter(this);
        sliders_[i] = slider;

        // levelChanged comes both for a change and on every step of a drag.
        connect(slider, &LevelSlider::levelChanged, this, [this, i] { onLevelChanged(i); });
        connect(text, &QLineEdit::editingFinished, this, [this, i] { takeTypedVolts(i); });
    }
}

QPushButton* VoltageWindow::addButtons() {
    const Twips tw = Twips::of(this);
    auto* help = new CommandButton(tr("&Help"), this);
    help->setGeometry(tw.rect(120, 4440, 1215, 375));
    auto* defaults = new CommandButton(tr("&Defaults"), this);
    defaults->setGeometry(tw.rect(1800, 4440, 1215, 375));
    auto* saveButton = new CommandButton(tr("&Save"), this);
    saveButton->setGeometry(tw.rect(table_ == 0 ? 4800 : 4920, 4440, 1215, 375));
    auto* closeButton = new CommandButton(tr("&Close"), this);
    closeButton->setGeometry(tw.rect(6600, 4440, 1215, 375));

    // Tab order: Close, the text boxes, Save, the sliders, Help, Defaults.
    QList<QWidget*> order{closeButton};
    order.append(QList<QWidget*>(texts_.begin(), texts_.end()));
    order << saveButton;
    order.append(QList<QWidget*>(sliders_.begin(), sliders_.end()));
    order << help << defaults;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(help, &QPushButton::clicked, this, &VoltageWindow::showHelp);
    connect(defaults, &QPushButton::clicked, this, &VoltageWindow::putDefaults);
    connect(saveButton, &QPushButton::clicked, this, &VoltageWindow::save);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    return closeButton;
}

void VoltageWindow::addKeys() {
    // The window has no menu: its keys are window-wide shortcuts, and a right click, also over
    // a slider, offers undo, redo and the help.
    QAction* undo = undo_.createUndoAction(this, tr("&Undo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = undo_.createRedoAction(this, tr("&Redo"));
    redo->setShortcuts(QKeySequence::Redo);
    auto* helpKey = new QAction(tr("Help"), this);
    helpKey->setShortcuts(QKeySequence::HelpContents);
    connect(helpKey, &QAction::triggered, this, &VoltageWindow::showHelp);
    addActions({undo, redo, helpKey});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &VoltageWindow::save);
}

bool VoltageWindow::eventFilter(QObject* watched, QEvent* event) {
    // A box keeps Ctrl+Z for its own typing; with nothing typed to undo, the window's undo takes
    // it (the shortcut runs when the box does not claim the key).
    if (event->type() == QEvent::ShortcutOverride) {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            auto* key = static_cast<QKeyEvent*>(event);
            if ((key->matches(QKeySequence::Undo) && !box->isUndoAvailable()) ||
                (key->matches(QKeySequence::Redo) && !box->isRedoAvailable()))
                return true;
        }
    }
    // Left and Right step from one band's slider to the next, as in the main window's grid.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int band =
            int(std::find(sliders_.begin(), sliders_.end(), watched) - sliders_.begin());
        const int step = key->key() == Qt::Key_Left ? -1 : key->key() == Qt::Key_Right ? 1 : 0;
        if (band < kVoltageBands && step != 0 && key->modifiers() == Qt::NoModifier) {
            if (band + step >= 0 && band + step < kVoltageBands)
                sliders_[band + step]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

VoltageWindow::~VoltageWindow() {
    // A text box that loses the focus while the window goes must not reach a slider already gone.
    for (QLineEdit* text : texts_)
        text->disconnect(this);
}

Levels VoltageWindow::levels() const {
    Levels levels;
    for (int i = 0; i < kVoltageBands; ++i)
        levels[i] = sliders_[i]->level();
    return levels;
}

void VoltageWindow::showLevels(const Levels& levels) {
    showing_ = true;
    for (int i = 0; i < kVoltageBands; ++i) {
        sliders_[i]->setLevel(levels[i]);
        showVolts(i); // also when the slider already stood there and moved not
        clearRefusal(i);
    }
    showing_ = false;
    recorded_ = levels;
    setWindowModified(hasUnsavedChanges());
}

void VoltageWindow::record(int drag) {
    const Levels now = levels();
    if (now == recorded_)
        return;
    undo_.push(new LevelsCommand([this](const Levels& levels) { showLevels(levels); }, recorded_,
                                 now, drag));
    recorded_ = now;
}

void VoltageWindow::load() {
    // The window shows what was last saved; a store that is missing is created, holding only
    // bands at 0, and one that cannot be read leaves the tables as they were.
    unreadable_ = document_.reloadVolts();
    for (int i = 0; i < kVoltageBands; ++i)
        saved_[i] = document_.volts().level(table_, i);
    showLevels(saved_);
    undo_.clear();
}

void VoltageWindow::showVolts(int band) {
    texts_[band]->setText(VoltageTables::voltsText(sliders_[band]->level(), table_));
    texts_[band]->setCursorPosition(0);
}

void VoltageWindow::clearRefusal(int band) {
    if (!refusals_[band].isEmpty())
        showRefusal(band, QString()); // the box shows a voltage the table holds again
}

void VoltageWindow::onLevelChanged(int band) {
    showVolts(band);
    clearRefusal(band);
    if (!showing_)
        record(sliders_[band]->gesture());
    setWindowModified(hasUnsavedChanges());
}

void VoltageWindow::takeTypedVolts(int band) {
    const QString typed = texts_[band]->text().trimmed();
    const TypedVolts read = VoltageTables::readVoltsText(typed, table_);
    const int fullScale = kFullScaleVolts[table_];
    switch (read.outcome) {
    case TypedVolts::Taken:
        clearRefusal(band);
        if (read.level != sliders_[band]->level()) {
            showing_ = true;
            sliders_[band]->setLevel(read.level);
            showing_ = false;
            record();
        }
        break;
    case TypedVolts::NotANumber:
        showRefusal(band, tr("\"%1\" is no voltage: type 0 to %2 volts. The level stays as it was.")
                              .arg(typed)
                              .arg(fullScale));
        break;
    case TypedVolts::BelowZero:
        showRefusal(band, tr("%1 is below 0 volts: type 0 to %2 volts. The level stays as it was.")
                              .arg(typed)
                              .arg(fullScale));
        break;
    case TypedVolts::AboveRange:
        showRefusal(band, tr("%1 is above the AN%2 range of 0 to %3 volts. The level stays as it "
                             "was.")
                              .arg(typed)
                              .arg(table_ + 1)
                              .arg(fullScale));
        break;
    }
    showVolts(band); // the typed text gives way to the slider's own, also when it did not move
}

void VoltageWindow::showRefusal(int band, const QString& why) {
    QLineEdit* box = texts_[band];
    refusals_[band] = why;
    box->setToolTip(why.isEmpty() ? voltsTip() : why + QLatin1Char('\n') + voltsTip());
    box->setAccessibleDescription(why);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, why.isEmpty() ? look::lightPalette().color(QPalette::Base)
                                                   : look::refusedBackground());
    box->setPalette(palette);
    if (!why.isEmpty())
        QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), why, box);
}

void VoltageWindow::putDefaults() {
    const auto& defaults = VoltageTables::defaultLevels(table_);
    showing_ = true;
    for (int i = 0; i < kVoltageBands; ++i) {
        sliders_[i]->setLevel(defaults[i]);
        clearRefusal(i);
    }
    showing_ = false;
    record();
}

bool VoltageWindow::save() {
    // When the store cannot be written, memory keeps what the store holds, and with it the next
    // download.
    if (const IoResult failure = document_.saveVoltageTable(table_, levels())) {
        if (needsTelling(failure))
            dialogs::inform(
                this, dialogs::appTitle(),
                tr("The AN%1 voltage settings could not be saved to %2.\r\n\r\n%3")
                    .arg(table_ + 1)
                    .arg(QDir::toNativeSeparators(voltageStorePath(document_.storeFolder())),
                         failure->description),
                dialogs::Icon::Critical);
        return false;
    }
    saved_ = levels();
    setWindowModified(false);
    return true;
}

void VoltageWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A store that cannot be read is said once the window is there; it shows what memory holds.
    if (unreadable_.outcome == StoreReading::Unreadable ||
        unreadable_.outcome == StoreReading::Incomplete) {
        const StoreReading reading = std::exchange(unreadable_, StoreReading());
        QTimer::singleShot(0, this, [this, reading] {
            dialogs::informStoreNotWhole(this, dialogs::Store::Voltages,
                                         voltageStorePath(document_.storeFolder()), reading);
        });
    }
}

bool VoltageWindow::hasUnsavedChanges() const {
    return levels() != saved_;
}

void VoltageWindow::reject() {
    if (hasUnsavedChanges()) {
        switch (dialogs::askYesNoCancel(this, tr("The AN%1 Voltage Settings have changed.  Do you "
                                                 "want to save these settings?")
                                                  .arg(table_ + 1))) {
        case dialogs::Answer::Yes:
            if (!save()) // a failed save keeps the window, so nothing is lost
                return;
            break;
        case dialogs::Answer::No:
            break;
        case dialogs::Answer::Cancel:
            return;
        }
    }
    QDialog::reject();
}

void VoltageWindow::showHelp() {
    VoltageHelpWindow help(table_, this);
    help.exec();
}

} // namespace bdx4
