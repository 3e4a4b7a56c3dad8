#include "ui/MainWindow.h"

#include "io/ConfigFile.h"
#include "io/MapStore.h"
#include "io/SerialDiagnosis.h"
#include "io/VoltageStore.h"
#include "jobs/Export.h"
#include "jobs/ResultTexts.h"
#include "model/ConfigImage.h"
#include "sheet/ConfigSheet.h"
#include "ui/BandMapGrid.h"
#include "ui/CommMenu.h"
#include "ui/Dialogs.h"
#include "ui/EditCommands.h"
#include "ui/HelpWindow.h"
#include "ui/MainCanvas.h"
#include "ui/PortStatusBar.h"
#include "ui/SaveFileDialog.h"
#include "ui/SeekingWindow.h"
#include "ui/UiLook.h"
#include "ui/VoltageWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QUndoStack>

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

MainWindow::MainWindow(SettingsStore& settings, SerialLine& line, Clock& clock,
                       const StorePlaces& places, SessionTrace* trace, QWidget* parent)
    : QMainWindow(parent), settings_(settings), places_(places), trace_(trace), connection_(line),
      startup_(connection_, clock, maps_, volts_, places), search_(connection_, clock),
      download_(connection_, clock) {
    setWindowTitle(caption() + QStringLiteral("[*]"));
    setWindowIcon(look::programIcon());
    setFont(look::defaultFont());
    undo_ = new QUndoStack(this);
    buildCanvas();
    buildMenus();
    statusBar_ = new PortStatusBar(connection_, this);
    setStatusBar(statusBar_);
    // A single fixed border: the client area as laid out, the menu bar above it and the status
    // bar below.
    setFixedSize(canvas_->width(), canvas_->height() + menuBar()->sizeHint().height() +
                                       statusBar_->sizeHint().height());
    look::useLightPalette(this); // once the menu bar has laid out its overflow menu too

    connect(&maps_, &BandMaps::accModeChanged, this, &MainWindow::showAccMode);
    connect(undo_, &QUndoStack::indexChanged, this, &MainWindow::showModified);
    connect(grid_, &BandMapGrid::toggledByUser, this, [this](int row, int output, int value) {
        const QString cell = grid_->box(row, output)->accessibleName(); // "160M to 80"
        changeGrid(value == 1 ? tr("Tick %1").arg(cell) : tr("Untick %1").arg(cell),
                   [&] { maps_.setCell(row, output, value); });
    });

    connect(&startup_, &StartupJob::portOpened, this, [this](const PortOpenResult& result) {
        showPortOpenResult(result);
        startup_.proceed();
    });
    connect(&startup_, &StartupJob::searchFinished, this, [this](const SearchResult& result) {
        showSearchResult(result);
        startup_.proceed();
    });
    connect(&startup_, &StartupJob::finished, this, &MainWindow::showStartupResult);
    followSearch(startup_.search());
    followSearch(search_);
    connect(&search_, &BoxSearch::finished, this, &MainWindow::showSearchResult);

    connect(&download_, &DownloadJob::sectionStarted, this, [this](Section section) {
        canvas_->showProgressText(ConfigImage::progressText(section));
        statusBar_->showProgress(int(section) + 1, ConfigImage::sectionName(section));
    });
    connect(&download_, &DownloadJob::closing, this, [this] {
        canvas_->showProgressText(tr("Closing"));
        statusBar_->showProgress(int(kSections.size()) + 1, tr("End record"));
    });
    connect(&download_, &DownloadJob::finished, this, &MainWindow::showDownloadResult);
    // Escape stops what runs: a download, as the Cancel beside the status box does, or a search.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        download_.cancel();
        search_.cancel();
        startup_.search().cancel();
    });

    commMenu_->loadChoice();
    placeWindow();
    updateCommands();
}

MainWindow::~MainWindow() {
    // The jobs tell the window how they end; it is gone by then.
    startup_.disconnect(this);
    search_.disconnect(this);
    download_.disconnect(this);
    undo_->disconnect(this); // it tells of its clearing while the window's parts are gone
}

QLineEdit* MainWindow::statusBox() const {
    return canvas_->statusBox();
}

void MainWindow::buildCanvas() {
    canvas_ = new MainCanvas(maps_, this);
    setCentralWidget(canvas_);
    grid_ = &canvas_->grid();
    connect(canvas_, &MainCanvas::cancelClicked, &download_, &DownloadJob::cancel);
    connect(canvas_, &MainCanvas::clearClicked, this, &MainWindow::clearGrid);
    connect(canvas_, &MainCanvas::defaultsClicked, this, &MainWindow::putDefaults);
    connect(canvas_, &MainCanvas::displayClicked, this, &MainWindow::displayMap);
    connect(canvas_, &MainCanvas::saveClicked, this, &MainWindow::saveMap);
    connect(canvas_, &MainCanvas::writeClicked, this, &MainWindow::writeToBox);
    connect(canvas_, &MainCanvas::quitClicked, this, &QWidget::close);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* main = bar->addMenu(tr("&Main"));
    test_ = main->addAction(tr("&Test for BDX4"), this, &MainWindow::testForBox);
    main->addSeparator();
    open_ = main->addAction(tr("&Open Configuration File..."), this,
                            &MainWindow::openConfigurationFile);
    open_->setShortcuts(QKeySequence::Open);
    saveShown_ = main->addAction(QString(), this, [this] { saveMap(maps_.currentMap()); });
    saveShown_->setShortcuts(QKeySequence::Save);
    export_ = main->addAction(tr("&Write Bandmap to File"), this, &MainWindow::exportToFile);
    print_ = main->addAction(tr("&Print..."), this, &MainWindow::printSheet);
    print_->setShortcuts(QKeySequence::Print);
    main->addSeparator();
    QAction* exit = main->addAction(tr("E&xit"), this, &QWidget::close);
    exit->setShortcuts(QKeySequence::Quit);
    // Ctrl+S saves the shown map as the map it belongs to; the entry says which.
    auto nameSave = [this] {
        saveShown_->setText(tr("&Save as MAP%1").arg(maps_.currentMap() + 1));
    };
    nameSave();
    connect(main, &QMenu::aboutToShow, this, nameSave);

    editMenu_ = bar->addMenu(tr("&Edit"));
    QAction* undo = undo_->createUndoAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = undo_->createRedoAction(this);
    redo->setShortcuts(QKeySequence::Redo);
    editMenu_->addActions({undo, redo});
    // "Undo Clear": the step after the verb, which carries the letter.
    const auto nameUndo = [undo](const QString& step) {
        undo->setText(step.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(step));
    };
    const auto nameRedo = [redo](const QString& step) {
        redo->setText(step.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(step));
    };
    nameUndo(QString());
    nameRedo(QString());
    connect(undo_, &QUndoStack::undoTextChanged, undo, nameUndo);
    connect(undo_, &QUndoStack::redoTextChanged, redo, nameRedo);

    accMenu_ = bar->addMenu(tr("&Use ACn"));
    auto* accModes = new QActionGroup(this);
    accForBandMap_ =
        accMenu_->addAction(tr("Use AC1 - AC3 for &Bandmap"), this, [this] { setAccMode(true); });
    accDefaultTable_ = accMenu_->addAction(tr("Use AC1 - AC3 &default table"), this,
                                           [this] { setAccMode(false); });
    for (QAction* mode : {accForBandMap_, accDefaultTable_}) {
        mode->setCheckable(true);
        accModes->addAction(mode);
    }

    for (int t = 0; t < 3; ++t)
        analog_[t] =
            bar->addAction(tr("Analog&%1").arg(t + 1), this, [this, t] { openVoltageWindow(t); });

    commMenu_ = new CommMenu(connection_, settings_, bar);
    bar->addMenu(commMenu_);

    helpMenu_ = bar->addMenu(tr("&Help"));
    QAction* using_ = helpMenu_->addAction(tr("&Using"), this, &MainWindow::showHelp);
    using_->setShortcuts(QKeySequence::HelpContents);
    helpMenu_->addAction(tr("&About"), this, &MainWindow::showAbout);
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
    if (startupBegun_ || closing_)
        return;
    startupBegun_ = true;
    beginTrace(QStringLiteral("box search"));
    startup_.start();
    updateCommands();
}

void MainWindow::showStartupResult(const StartupResult& result) {
    if (result.cancelled || closing_)
        return;
    storeFolder_ = result.storeFolder;
    if (result.maps.outcome == StoreReading::Unreadable)
        showStoreUnreadable(mapStorePath(storeFolder_), result.maps.reason, tr("a map"));
    if (result.voltages.outcome == StoreReading::Unreadable)
        showStoreUnreadable(voltageStorePath(storeFolder_), result.voltages.reason,
                            tr("a voltage table"));
    ready_ = true;
    // From here on the window knows what is unsaved: a first start's arrangement is.
    storeContent_ = {maps_.storedMaps(), maps_.accOutputsForBandMap()};
    undo_->clear();
    keptAt_.clear();
    if (!maps_.hasUnsavedChanges())
        markKept();
    showModified();
    updateCommands();
}

void MainWindow::showStoreUnreadable(const QString& path, const QString& reason,
                                     const QString& what) {
    dialogs::inform(this, dialogs::appTitle(),
                    tr("%1 cannot be read: %2. It was left as it is; saving %3 will try to "
                       "replace it.")
                        .arg(QDir::toNativeSeparators(path), reason, what),
                    dialogs::Icon::Warning);
}

// The band maps.

bool MainWindow::hasUnsavedMap() const {
    return ready_ && !(keptAt_.count(undo_->index()) > 0 && maps_.showsStoredMap());
}

bool MainWindow::hasUnsavedStore() const {
    return hasUnsavedMap() ||
           (ready_ &&
            storeContent_ != MapStoreContent{maps_.storedMaps(), maps_.accOutputsForBandMap()});
}

void MainWindow::markKept() {
    keptAt_.insert(undo_->index());
    showModified();
}

void MainWindow::showModified() {
    setWindowModified(hasUnsavedStore());
}

QString MainWindow::unsavedQuestion() const {
    return tr("The last Map%1 changes have not been saved.  Do you want to save these changes?")
        .arg(maps_.currentMap() + 1);
}

bool MainWindow::settleUnsavedMap() {
    if (!hasUnsavedMap())
        return true;
    switch (dialogs::askYesNoCancel(this, unsavedQuestion())) {
    case dialogs::Answer::Yes:
        maps_.keepShownMap();
        markKept();
        showModified();
        return true;
    case dialogs::Answer::No:
        return true;
    case dialogs::Answer::Cancel:
        break;
    }
    return false;
}

void MainWindow::changeGrid(const QString& text, const std::function<void()>& change, bool always) {
    const GridView before = maps_.view();
    change();
    const GridView after = maps_.view();
    if (!always && after == before)
        return;
    // The steps after this one are gone, and with them what was kept there.
    keptAt_.erase(keptAt_.upper_bound(undo_->index()), keptAt_.end());
    undo_->push(new GridCommand(maps_, before, after, text));
}

void MainWindow::clearGrid() {
    if (settleUnsavedMap())
        changeGrid(tr("Clear"), [this] { maps_.clear(); });
}

void MainWindow::putDefaults() {
    if (settleUnsavedMap())
        changeGrid(
            tr("Defaults"), [this] { maps_.setDefaults(Arrangement::Standard); }, true);
}

void MainWindow::displayMap(int map) {
    if (!settleUnsavedMap())
        return;
    // Edits the user chose not to keep stay a step back.
    changeGrid(tr("Display MAP%1").arg(map + 1), [this, map] { maps_.display(map); });
    markKept();
}

void MainWindow::saveMap(int map) {
    maps_.saveAs(map);
    markKept();
    writeMapStore();
}

bool MainWindow::writeMapStore() {
    const MapStoreContent content{maps_.storedMaps(), maps_.accOutputsForBandMap()};
    if (const IoResult failure = bdx4::writeMapStore(mapStorePath(storeFolder_), content)) {
        dialogs::inform(this, tr("Error # %1").arg(failure->code),
                        tr("Oops! Error message...\r\n\r\n%1").arg(failure->description),
                        dialogs::Icon::Critical);
        showModified();
        return false;
    }
    storeContent_ = content;
    showModified();
    return true;
}

void MainWindow::setAccMode(bool forBandMap) {
    maps_.setAccOutputsForBandMap(forBandMap);
}

void MainWindow::showAccMode(bool forBandMap) {
    (forBandMap ? accForBandMap_ : accDefaultTable_)->setChecked(true);
    showModified();
}

// The box.

void MainWindow::beginTrace(const QString& what) {
    if (trace_)
        trace_->begin(what, connection_.portDescription(), connection_.speed());
}

void MainWindow::showPortOpenResult(const PortOpenResult& result) {
    for (const PortOpenResult::Failure& failure : result.failures)
        dialogs::inform(this, tr("Error Opening COM%1").arg(failure.port),
                        QStringLiteral("%1: %2")
                            .arg(failure.why.code)
                            .arg(describeOpenFailure(failure.why, ChoiceHint::Menu)));
    if (result.fellBack())
        dialogs::inform(this, tr("Reopened COM%1").arg(connection_.startPort()),
                        tr("COM%1 didn't work.").arg(result.failures.first().port));
    if (!result.opened)
        dialogs::inform(this, tr("Error COM Ports"), tr("Try selecting another COMM port."));
}

void MainWindow::followSearch(BoxSearch& search) {
    connect(&search, &BoxSearch::started, this, [this, &search] {
        canvas_->statusBox()->clear();
        seeking_ = new SeekingWindow(connection_.portDescription(), connection_.speed(), this);
        seeking_->setAttribute(Qt::WA_DeleteOnClose);
        look::useLightPalette(seeking_);
        connect(seeking_, &SeekingWindow::cancelRequested, &search, &BoxSearch::cancel);
        seeking_->show();
        updateCommands();
    });
    connect(&search, &BoxSearch::progressed, this, [this](int retries) {
        if (seeking_)
            seeking_->setProgress(retries);
    });
    connect(&search, &BoxSearch::firmwareReported, this, [this, &search](const QString& firmware) {
        firmware_ = firmware; // the printed sheet names the box that answered in this run
        dialogs::inform(this, tr("BDX4 Connected"), tr("BDX4 Firmware = %1").arg(firmware),
                        dialogs::Icon::Information);
        search.acknowledgeFirmware();
    });
    connect(&search, &BoxSearch::finished, this, [this] {
        closeSeekingWindow();
        updateCommands();
    });
}

void MainWindow::closeSeekingWindow() {
    if (seeking_) {
        seeking_->disconnect(); // closing it is no request to cancel
        seeking_->close();
    }
}

void MainWindow::showSearchResult(const SearchResult& result) {
    closeSeekingWindow(); // the search is over before its outcome is told
    if (closing_ || result.outcome == SearchResult::Found ||
        result.outcome == SearchResult::Cancelled)
        return;
    const ResultText message = ResultTexts::searchFailed(result, connection_.portDescription());
    dialogs::inform(this, message.title, message.text);
}

void MainWindow::testForBox() {
    if (search_.isRunning() || download_.isRunning() || startup_.isRunning())
        return;
    beginTrace(QStringLiteral("box search"));
    const PortOpenResult result = connection_.open();
    showPortOpenResult(result);
    if (result.opened && !closing_)
        search_.start();
}

void MainWindow::writeToBox() {
    if (download_.isRunning() || search_.isRunning() || startup_.isRunning())
        return;
    beginTrace(QStringLiteral("download"));
    canvas_->beginStatus();
    // A box plugged in after the start, or another port chosen since: the chosen one is opened
    // first, and the acknowledgements tell whether a box is there.
    if (connection_.linkState() != LinkState::Open &&
        connection_.linkState() != LinkState::BoxFound) {
        const PortOpenResult opened = connection_.open();
        showPortOpenResult(opened);
        if (!opened.opened) {
            canvas_->showSendResult(false);
            return;
        }
    }
    // The image is taken now: edits made while the download runs do not reach it.
    download_.start(ConfigImage::of(maps_, volts_));
    updateCommands();
}

void MainWindow::showDownloadResult(const DownloadResult& result) {
    statusBar_->hideProgress();
    updateCommands();
    if (closing_)
        return;
    if (result.passed()) {
        canvas_->showSendResult(true);
        return;
    }
    const ResultText message = ResultTexts::downloadFailed(result, connection_.portDescription());
    dialogs::inform(this, message.title.isEmpty() ? dialogs::appTitle() : message.title,
                    message.text);
    canvas_->showSendResult(false);
}

void MainWindow::exportToFile() {
    if (download_.isRunning())
        return;
    // The stores' folder is the program's own, unless that takes no files (an installed program).
    const std::optional<QString> path = SaveFileDialog::getFileName(storeFolder_, settings_, this);
    if (!path)
        return;
    canvas_->beginStatus();
    if (const IoResult failure = exportConfiguration(*path, ConfigImage::of(maps_, volts_))) {
        dialogs::inform(this, tr("Write Bandmap to File"),
                        tr("The file \"%1\" could not be written:\r\n%2\r\n\r\nNothing was saved; "
                           "any earlier file of that name is unchanged.")
                            .arg(QDir::toNativeSeparators(*path), failure->description),
                        dialogs::Icon::Warning);
        canvas_->showSendResult(false);
        return;
    }
    canvas_->showSendResult(true);
}

void MainWindow::openConfigurationFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open Configuration File"), storeFolder_, tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    // The whole file is checked before anything changes.
    const ConfigReading reading = readConfigFile(path);
    if (!reading.configuration) {
        dialogs::inform(
            this, tr("Open Configuration File"),
            tr("%1 cannot be opened as a configuration:\r\n%2\r\n\r\nNothing was "
               "changed.")
                .arg(QDir::toNativeSeparators(path), ConfigFile::describe(reading.fault)),
            dialogs::Icon::Warning);
        return;
    }
    if (!settleUnsavedMap())
        return;
    // The file's map and mode as a change of the map the grid belongs to, undone as one step.
    const Configuration& configuration = *reading.configuration;
    changeGrid(
        tr("Open %1").arg(QFileInfo(path).fileName()),
        [&] {
            GridView view = maps_.view();
            view.cells = configuration.map();
            view.accForBandMap = configuration.accOutputsForBandMap();
            maps_.restore(view);
        },
        true);
    if (dialogs::askYesNo(
            this,
            tr("Replace the three band-voltage tables with the file's? They are saved "
               "in bdx4_bv.ini."),
            dialogs::Escape::AnswersNo) != dialogs::Answer::Yes)
        return;
    if (const IoResult failure =
            writeVoltageStore(voltageStorePath(storeFolder_), configuration.volts())) {
        dialogs::inform(this, dialogs::appTitle(),
                        tr("The band-voltage tables could not be saved to %1.\r\n\r\n%2\r\n\r\nThe "
                           "tables stay as they were.")
                            .arg(QDir::toNativeSeparators(voltageStorePath(storeFolder_)),
                                 failure->description),
                        dialogs::Icon::Critical);
        return;
    }
    volts_ = configuration.volts();
}

void MainWindow::printSheet() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(ConfigSheet::paperFor(QLocale())));
    printer.setDocName(tr("BDX4 configuration MAP%1").arg(maps_.currentMap() + 1));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = hasUnsavedMap() ? tr("MAP%1, not saved").arg(maps_.currentMap() + 1)
                                         : tr("MAP%1").arg(maps_.currentMap() + 1);
    ConfigSheet sheet(Configuration::of(maps_, volts_), name);
    sheet.setFirmware(firmware_);
    QPainter painter;
    if (!painter.begin(&printer)) {
        dialogs::inform(this, tr("Print"), tr("The printer could not be started."),
                        dialogs::Icon::Warning);
        return;
    }
    sheet.draw(painter, printer);
}

// The other windows.

void MainWindow::openVoltageWindow(int table) {
    VoltageWindow window(table, volts_, storeFolder_, this);
    window.exec();
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
    const bool busy = startup_.isRunning() || search_.isRunning() || download_.isRunning();
    canvas_->enableCommands(ready, busy, download_.isRunning());
    test_->setEnabled(ready && !busy);
    export_->setEnabled(ready && !busy);
    for (QAction* action : {saveShown_, open_, print_})
        action->setEnabled(ready);
    for (QMenu* menu : {editMenu_, accMenu_, static_cast<QMenu*>(commMenu_), helpMenu_})
        menu->menuAction()->setEnabled(ready);
    for (QAction* analog : analog_)
        analog->setEnabled(ready);
}

// The end.

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing_) { // already accepted; Qt itself ignores a close while the question is up
        event->accept();
        return;
    }
    // Before the start-up has read the store there are no maps of the user's to keep.
    if (hasUnsavedStore()) {
        const dialogs::Answer answer = dialogs::askYesNoCancel(this, unsavedQuestion());
        if (answer == dialogs::Answer::Cancel) {
            event->ignore();
            return;
        }
        if (answer == dialogs::Answer::Yes) {
            maps_.keepShownMap();
            markKept();
            if (!writeMapStore()) { // the maps stay in memory, and the program with them
                event->ignore();
                return;
            }
        }
    }
    event->accept();
    closing_ = true;
    updateCommands();
    startup_.cancel();
    search_.cancel();
    download_.cancel(); // the box is told that the download is over
    if (connection_.isReady()) {
        connection_.close();
        commMenu_->saveChoice();
    }
    settings_.setValue(kWindowSection, kGeometryKey,
                       QString::fromLatin1(saveGeometry().toBase64()));
    settings_.sync();
}

} // namespace bdx4
