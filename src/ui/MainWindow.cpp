#include "ui/MainWindow.h"

#include "io/SettingsStore.h"
#include "io/VoltageStore.h"
#include "io/WriteHistory.h"
#include "model/ConfigImage.h"
#include "ui/BandMapGrid.h"
#include "ui/BoxController.h"
#include "ui/CommMenu.h"
#include "ui/Dialogs.h"
#include "ui/FileCommands.h"
#include "ui/HelpWindow.h"
#include "ui/MainCanvas.h"
#include "ui/MainMenus.h"
#include "ui/OutputNamesWindow.h"
#include "ui/PortChooserWindow.h"
#include "ui/PortStatusBar.h"
#include "ui/UiLook.h"
#include "ui/VoltageWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace bdx4 {

namespace {

// Where the window was last closed, as saved by QWidget::saveGeometry.
const QString kWindowSection = QStringLiteral("Window");
const QString kGeometryKey = QStringLiteral("Geometry");

QString version() {
    return QStringLiteral(BDX4_VERSION);
}

} // namespace

QString MainWindow::caption() {
    return tr("Morvane BDX4 Configuration Utility, rev %1").arg(version());
}

QString MainWindow::aboutText(const QString& programFolder) {
    const QString crlf = QStringLiteral("\r\n");
    return tr("BDX4 Configuration Utility, made by Morvane for the BDX4 band decoder.") + crlf +
           crlf + tr("Version %1").arg(version()) + crlf + crlf +
           tr("Program path = %1").arg(programFolder) + crlf;
}

QString MainWindow::unsavedQuestion(const QList<int>& maps) {
    if (maps.size() == 1)
        return tr("The last Map%1 changes have not been saved.  Do you want to save these "
                  "changes?")
            .arg(maps.first() + 1);
    QStringList names;
    for (const int map : maps)
        names << tr("Map%1").arg(map + 1);
    const QString last = names.takeLast();
    return tr("The last %1 changes have not been saved.  Do you want to save these changes?")
        .arg(tr("%1 and %2").arg(names.join(QStringLiteral(", ")), last));
}

MainWindow::MainWindow(SettingsStore& settings, SerialLine& line, Clock& clock,
                       const StorePlaces& places, SessionTrace* trace, QWidget* parent)
    : QMainWindow(parent), settings_(settings), clock_(clock), places_(places) {
    setWindowTitle(caption() + QStringLiteral("[*]"));
    setWindowIcon(look::programIcon());
    setFont(look::defaultFont());
    controller_ = new BoxController(line, clock, trace, this);
    buildCanvas();
    statusBar_ = new PortStatusBar(controller_->connection(), this);
    setStatusBar(statusBar_);
    files_ = new FileCommands(this, document_, settings_, *canvas_, *statusBar_, *controller_,
                              [this] { return askAboutGrid(); });
    buildMenus();
    // A single fixed border: the client area as laid out, the menu bar above it and the status
    // bar below.
    setFixedSize(canvas_->width(), canvas_->height() + menuBar()->sizeHint().height() +
                                       statusBar_->sizeHint().height());
    look::useLightPalette(this); // once the menu bar has laid out its overflow menu too

    connect(&document_, &ConfigDocument::changed, this, &MainWindow::showModified);
    connect(&document_, &ConfigDocument::storeNotWritten, this,
            [this](const QString& path, const IoError& error) {
                dialogs::inform(this, dialogs::appTitle(),
                                tr("%1 could not be put back as it was: %2\r\n\r\nIt still holds "
                                   "what it held before.")
                                    .arg(QDir::toNativeSeparators(path), error.description),
                                dialogs::Icon::Warning);
            });
    connect(&document_, &ConfigDocument::damagedFileKept, this,
            [this](const QString& path, const QString& copy) {
                dialogs::informDamagedFileKept(this, path, copy);
            });
    document_.setReplaceChangedQuestion(
        [this](const QString& path) { return dialogs::askReplaceChanged(this, path); });
    wireController();

    menus_->commMenu().loadChoice();
    placeWindow();
    updateCommands();
}

MainWindow::~MainWindow() {
    // The document tells of its undo history's end while the window's parts are already gone.
    document_.disconnect(this);
}

BoxConnection& MainWindow::connection() {
    return controller_->connection();
}

BandMapGrid& MainWindow::grid() const {
    return canvas_->grid();
}

QLineEdit* MainWindow::statusBox() const {
    return canvas_->statusBox();
}

// The rooms and the menus.

void MainWindow::wireController() {
    connect(controller_, &BoxController::startupDone, this, &MainWindow::loadStores);
    connect(controller_, &BoxController::busyChanged, this, &MainWindow::updateCommands);
    connect(controller_, &BoxController::searchStarted, canvas_, &MainCanvas::emptyStatus);
    connect(controller_, &BoxController::downloadStarted, canvas_, &MainCanvas::beginStatus);
    connect(controller_, &BoxController::downloadStep, this,
            [this](const QString& status, int record, const QString& name) {
                canvas_->showProgressText(status);
                statusBar_->showProgress(record, name);
            });
    connect(controller_, &BoxController::downloadEnded, this, [this](bool passed) {
        statusBar_->hideProgress();
        canvas_->showSendResult(passed);
    });
    connect(controller_, &BoxController::written, statusBar_, &PortStatusBar::showLastWritten);
    // Escape stops what runs: a download, as the Cancel beside the status box does, or a search.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, controller_, &BoxController::cancel);
}

void MainWindow::buildCanvas() {
    canvas_ = new MainCanvas(document_.maps(), this);
    setCentralWidget(canvas_);
    connect(&canvas_->grid(), &BandMapGrid::toggledByUser, &document_, &ConfigDocument::setCell);
    connect(canvas_, &MainCanvas::cancelClicked, controller_, &BoxController::cancel);
    connect(canvas_, &MainCanvas::clearClicked, this, &MainWindow::clearGrid);
    connect(canvas_, &MainCanvas::defaultsClicked, this, &MainWindow::putDefaults);
    connect(canvas_, &MainCanvas::displayClicked, this, &MainWindow::displayMap);
    connect(canvas_, &MainCanvas::saveClicked, this, &MainWindow::saveMap);
    connect(canvas_, &MainCanvas::writeClicked, this, &MainWindow::writeToBox);
    connect(canvas_, &MainCanvas::quitClicked, this, &QWidget::close);
    connect(canvas_, &MainCanvas::nameRequested, this, &MainWindow::nameOutputs);
    connect(&document_, &ConfigDocument::namesChanged, this,
            [this] { canvas_->showNames(document_.names()); });
}

void MainWindow::buildMenus() {
    menus_ = new MainMenus(menuBar(), document_, controller_->connection(), settings_);
    connect(menus_, &MainMenus::testRequested, controller_, &BoxController::testForBox);
    connect(menus_, &MainMenus::openRequested, files_, &FileCommands::open);
    connect(menus_, &MainMenus::saveRequested, this,
            [this] { saveMap(document_.maps().currentMap()); });
    connect(menus_, &MainMenus::exportRequested, files_, &FileCommands::exportToFile);
    connect(menus_, &MainMenus::printRequested, files_, &FileCommands::print);
    connect(menus_, &MainMenus::historyRequested, files_, &FileCommands::showHistory);
    connect(menus_, &MainMenus::namesRequested, this,
            [this] { nameOutputs(canvas_->grid().currentOutput()); });
    connect(menus_, &MainMenus::exitRequested, this, &QWidget::close);
    connect(menus_, &MainMenus::voltageWindowRequested, this, &MainWindow::openVoltageWindow);
    connect(menus_, &MainMenus::helpRequested, this, &MainWindow::showHelp);
    connect(menus_, &MainMenus::aboutRequested, this, &MainWindow::showAbout);
    connect(&menus_->commMenu(), &CommMenu::adapterChooserRequested, this,
            &MainWindow::chooseAdapter);
}

void MainWindow::placeWindow() {
    // Where it was last closed; restoreGeometry moves it onto a screen that is there.
    const QByteArray geometry =
        QByteArray::fromBase64(settings_.value(kWindowSection, kGeometryKey, QString()).toLatin1());
    placed_ = !geometry.isEmpty() && restoreGeometry(geometry);
}

// The start-up runs on whichever comes first: the window's first activation, or the event loop
// after its first showing (some platforms and window managers never activate a new window).

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        startUp();
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startupQueued_)
        return;
    startupQueued_ = true;
    if (const QScreen* screen = this->screen(); screen && !placed_) { // else centred
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QTimer::singleShot(0, this, &MainWindow::startUp);
}

void MainWindow::startUp() {
    if (!closing_)
        controller_->startUp();
}

void MainWindow::loadStores() {
    const QString folder = places_.storeFolder();
    const StoreLoad load = document_.load(folder);
    dialogs::informStoreNotWhole(this, dialogs::Store::Maps, mapStorePath(folder), load.maps);
    dialogs::informStoreNotWhole(this, dialogs::Store::Voltages, voltageStorePath(folder),
                                 load.volts);
    if (load.names.outcome == NamesReading::Damaged ||
        load.names.outcome == NamesReading::Unreadable)
        showNamesUnreadable(load.names);
    statusBar_->showLastWritten(WriteHistory(folder).newest().value_or(HistoryEntry()));
    ready_ = true;
    showModified();
    updateCommands();
    canvas_->focusGrid();
}

void MainWindow::showNamesUnreadable(const NamesReading& reading) {
    const QString path = QDir::toNativeSeparators(outputNamesPath(document_.storeFolder()));
    const QString why = reading.outcome == NamesReading::Damaged
                            ? tr("line %1: %2").arg(reading.line).arg(reading.reason)
                            : reading.reason;
    dialogs::inform(this, dialogs::appTitle(),
                    tr("%1 could not be read whole (%2). The names that could be read are "
                       "shown; the maps and the voltage tables are not touched by it.")
                        .arg(path, why),
                    dialogs::Icon::Warning);
}

// The band maps.

std::optional<GridEdits> MainWindow::askAboutGrid() {
    if (!document_.gridIsUnsaved())
        return GridEdits::Drop;
    switch (dialogs::askYesNoCancel(this, unsavedQuestion({document_.maps().currentMap()}))) {
    case dialogs::Answer::Yes:
        return GridEdits::Keep;
    case dialogs::Answer::No:
        return GridEdits::Drop;
    case dialogs::Answer::Cancel:
        break;
    }
    return std::nullopt;
}

void MainWindow::clearGrid() {
    if (const std::optional<GridEdits> edits = askAboutGrid())
        document_.clear(*edits);
}

void MainWindow::putDefaults() {
    if (const std::optional<GridEdits> edits = askAboutGrid())
        document_.setDefaults(*edits);
}

void MainWindow::displayMap(int map) {
    if (const std::optional<GridEdits> edits = askAboutGrid())
        document_.display(map, *edits);
}

void MainWindow::saveMap(int map) {
    if (const IoResult failure = document_.saveAs(map); needsTelling(failure))
        showMapStoreFailure(*failure);
}

void MainWindow::showMapStoreFailure(const IoError& failure) {
    dialogs::inform(this, tr("Error # %1").arg(failure.code),
                    tr("Oops! Error message...\r\n\r\n%1").arg(failure.description),
                    dialogs::Icon::Critical);
}

void MainWindow::showModified() {
    setWindowModified(document_.isUnsaved());
}

// The box and the files.

void MainWindow::writeToBox() {
    // The image is taken now: edits made while the download runs do not reach it.
    HistoryEntry about;
    about.source = QStringLiteral("MAP%1").arg(document_.maps().currentMap() + 1);
    about.accForBandMap = document_.maps().accOutputsForBandMap();
    controller_->write(ConfigImage::of(document_.maps(), document_.volts()), about,
                       document_.storeFolder());
}

void MainWindow::nameOutputs(int output) {
    OutputNamesWindow window(document_.names(), output, this);
    if (window.exec() != QDialog::Accepted)
        return;
    if (const IoResult failure = document_.setNames(window.names()); needsTelling(failure))
        dialogs::inform(this, dialogs::appTitle(),
                        tr("The names could not be saved to %1:\r\n%2\r\n\r\nThey stay as they "
                           "were.")
                            .arg(QDir::toNativeSeparators(outputNamesPath(document_.storeFolder())),
                                 failure->description),
                        dialogs::Icon::Critical);
}

// The other windows.

void MainWindow::openVoltageWindow(int table) {
    VoltageWindow window(table, document_, this);
    window.exec();
}

void MainWindow::chooseAdapter() {
    PortChooserWindow window(*portSource_, clock_, controller_->connection(), this);
    if (window.exec() != QDialog::Accepted || menus_->commMenu().tieDevice(window.choice()))
        return;
    dialogs::inform(this, dialogs::appTitle(),
                    tr("The settings file could not be written: %1 reaches %2 until the program "
                       "ends.")
                        .arg(portName(controller_->connection().port()), window.choice()),
                    dialogs::Icon::Warning);
}

void MainWindow::showHelp() {
    HelpWindow help(this);
    if (const QScreen* screen = this->screen()) {
        QRect frame = help.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        help.move(frame.topLeft());
    }
    help.exec();
}

void MainWindow::showAbout() {
    dialogs::inform(this, tr("About the BDX4 program..."),
                    aboutText(QDir::toNativeSeparators(places_.programFolder)));
}

void MainWindow::updateCommands() {
    const bool ready = ready_ && !closing_;
    const bool busy = controller_->isBusy();
    canvas_->enableCommands(ready, busy, controller_->isDownloading());
    menus_->enable(ready, busy);
}

// The end.

QList<int> MainWindow::mapsToAskAbout() const {
    const QList<int> unsaved = document_.unsavedMaps();
    return unsaved.isEmpty() ? QList<int>{document_.maps().currentMap()} : unsaved;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing_) { // already accepted; Qt itself ignores a close while the question is up
        event->accept();
        return;
    }
    // Before the start-up has read the store there are no maps of the user's to keep.
    if (document_.isUnsaved()) {
        const dialogs::Answer answer =
            dialogs::askYesNoCancel(this, unsavedQuestion(mapsToAskAbout()));
        if (answer == dialogs::Answer::Cancel) {
            event->ignore();
            return;
        }
        if (answer == dialogs::Answer::Yes) {
            if (const IoResult failure = document_.saveAll()) {
                if (needsTelling(failure))
                    showMapStoreFailure(*failure); // the maps stay in memory, and the program too
                event->ignore();
                return;
            }
        }
    }
    event->accept();
    closing_ = true;
    updateCommands();
    if (controller_->shutDown())
        menus_->commMenu().saveChoice();
    settings_.setValue(kWindowSection, kGeometryKey,
                       QString::fromLatin1(saveGeometry().toBase64()));
    settings_.sync();
}

} // namespace bdx4
