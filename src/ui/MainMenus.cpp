#include "ui/MainMenus.h"

#include "document/ConfigDocument.h"
#include "ui/CommMenu.h"

#include <QActionGroup>
#include <QMenuBar>

namespace bdx4 {

MainMenus::MainMenus(QMenuBar* bar, ConfigDocument& document, BoxConnection& connection,
                     SettingsStore& settings)
    : QObject(bar), document_(document) {
    addMainMenu(bar);
    addEditMenu(bar);
    addAccMenu(bar);
    for (int t = 0; t < 3; ++t)
        analog_[t] = bar->addAction(tr("Analog&%1").arg(t + 1), this,
                                    [this, t] { emit voltageWindowRequested(t); });
    comm_ = new CommMenu(connection, settings, bar);
    bar->addMenu(comm_);
    help_ = bar->addMenu(tr("&Help"));
    QAction* using_ = help_->addAction(tr("&Using"), this, &MainMenus::helpRequested);
    using_->setShortcuts(QKeySequence::HelpContents);
    help_->addAction(tr("&About"), this, &MainMenus::aboutRequested);
}

void MainMenus::addMainMenu(QMenuBar* bar) {
    QMenu* main = bar->addMenu(tr("&Main"));
    test_ = main->addAction(tr("&Test for BDX4"), this, &MainMenus::testRequested);
    main->addSeparator();
    open_ = main->addAction(tr("&Open Configuration File..."), this, &MainMenus::openRequested);
    open_->setShortcuts(QKeySequence::Open);
    save_ = main->addAction(QString(), this, &MainMenus::saveRequested);
    save_->setShortcuts(QKeySequence::Save);
    export_ = main->addAction(tr("&Write Bandmap to File"), this, &MainMenus::exportRequested);
    print_ = main->addAction(tr("&Print..."), this, &MainMenus::printRequested);
    print_->setShortcuts(QKeySequence::Print);
    history_ = main->addAction(tr("Written to the &BDX4..."), this, &MainMenus::historyRequested);
    main->addSeparator();
    QAction* exit = main->addAction(tr("E&xit"), this, &MainMenus::exitRequested);
    exit->setShortcuts(QKeySequence::Quit);
    // Ctrl+S saves the shown map as the map it belongs to; the entry says which.
    auto nameSave = [this] {
        save_->setText(tr("&Save as MAP%1").arg(document_.maps().currentMap() + 1));
    };
    nameSave();
    connect(main, &QMenu::aboutToShow, this, nameSave);
}

void MainMenus::addEditMenu(QMenuBar* bar) {
    edit_ = bar->addMenu(tr("&Edit"));
    QUndoStack* steps = document_.undoStack();
    QAction* undo = steps->createUndoAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = steps->createRedoAction(this);
    redo->setShortcuts(QKeySequence::Redo);
    edit_->addActions({undo, redo});
    edit_->addSeparator();
    edit_->addAction(tr("Output &Names..."), this, &MainMenus::namesRequested);
    // "Undo Clear": the step after the verb, which carries the letter.
    const auto nameUndo = [undo](const QString& step) {
        undo->setText(step.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(step));
    };
    const auto nameRedo = [redo](const QString& step) {
        redo->setText(step.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(step));
    };
    nameUndo(QString());
    nameRedo(QString());
    connect(steps, &QUndoStack::undoTextChanged, undo, nameUndo);
    connect(steps, &QUndoStack::redoTextChanged, redo, nameRedo);
}

void MainMenus::addAccMenu(QMenuBar* bar) {
    acc_ = bar->addMenu(tr("&Use ACn"));
    auto* modes = new QActionGroup(this);
    accForBandMap_ = acc_->addAction(tr("Use AC1 - AC3 for &Bandmap"), this,
                                     [this] { document_.setAccMode(true); });
    accDefaultTable_ = acc_->addAction(tr("Use AC1 - AC3 &default table"), this,
                                       [this] { document_.setAccMode(false); });
    for (QAction* mode : {accForBandMap_, accDefaultTable_}) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    connect(&document_.maps(), &BandMaps::accModeChanged, this, &MainMenus::showAccMode);
}

void MainMenus::showAccMode(bool forBandMap) {
    (forBandMap ? accForBandMap_ : accDefaultTable_)->setChecked(true);
}

void MainMenus::enable(bool ready, bool busy) {
    test_->setEnabled(ready && !busy);
    export_->setEnabled(ready && !busy);
    for (QAction* action : {save_, open_, print_, history_})
        action->setEnabled(ready);
    for (QMenu* menu : {edit_, acc_, static_cast<QMenu*>(comm_), help_})
        menu->menuAction()->setEnabled(ready);
    for (QAction* analog : analog_)
        analog->setEnabled(ready);
}

} // namespace bdx4
