#include "ui/BoxController.h"

#include "io/SerialDiagnosis.h"
#include "io/SerialTrace.h"
#include "jobs/ResultTexts.h"
#include "model/ConfigImage.h"
#include "ui/Dialogs.h"
#include "ui/SeekingWindow.h"
#include "ui/UiLook.h"

#include <QDir>
#include <QWidget>

namespace bdx4 {

BoxController::BoxController(SerialLine& line, Clock& clock, SessionTrace* trace, QWidget* window)
    : QObject(window), window_(window), trace_(trace), connection_(line),
      startup_(connection_, clock), search_(connection_, clock), download_(connection_, clock) {
    connect(&startup_, &StartupJob::portOpened, this, [this](const PortOpenResult& result) {
        showPortOpenResult(result);
        startup_.proceed();
    });
    connect(&startup_, &StartupJob::searchFinished, this, [this](const SearchResult& result) {
        showSearchResult(result);
        startup_.proceed();
    });
    connect(&startup_, &StartupJob::finished, this, [this](bool cancelled) {
        emit busyChanged();
        if (!cancelled && !closing_)
            emit startupDone();
    });
    followSearch(startup_.search());
    followSearch(search_);
    connect(&search_, &BoxSearch::finished, this, &BoxController::showSearchResult);

    connect(&download_, &DownloadJob::sectionStarted, this, [this](Section section) {
        emit downloadStep(ConfigImage::progressText(section), int(section) + 1,
                          ConfigImage::sectionName(section));
    });
    connect(&download_, &DownloadJob::closing, this, [this] {
        emit downloadStep(tr("Closing"), int(kSections.size()) + 1, tr("End record"));
    });
    connect(&download_, &DownloadJob::finished, this, &BoxController::showDownloadResult);
}

BoxController::~BoxController() {
    // The jobs tell how they end; the window is gone by then.
    startup_.disconnect(this);
    search_.disconnect(this);
    download_.disconnect(this);
}

bool BoxController::isBusy() const {
    return startup_.isRunning() || search_.isRunning() || download_.isRunning();
}

void BoxController::beginTrace(const QString& what) {
    if (trace_)
        trace_->begin(what, connection_.portDescription(), connection_.speed());
}

void BoxController::startUp() {
    if (started_ || closing_)
        return;
    started_ = true;
    beginTrace(QStringLiteral("box search"));
    startup_.start();
    emit busyChanged();
}

void BoxController::testForBox() {
    if (isBusy())
        return;
    beginTrace(QStringLiteral("box search"));
    const PortOpenResult result = connection_.open();
    showPortOpenResult(result);
    if (result.opened && !closing_)
        search_.start();
}

void BoxController::write(const ConfigImage& image, const HistoryEntry& about,
                          const QString& storeFolder) {
    if (isBusy())
        return;
    sending_ = image;
    sendingAbout_ = about;
    historyFolder_ = storeFolder;
    beginTrace(QStringLiteral("download"));
    emit downloadStarted();
    // A box plugged in after the start, or another port chosen since: the chosen one is opened
    // first, and the acknowledgements tell whether a box is there.
    if (connection_.linkState() != LinkState::Open &&
        connection_.linkState() != LinkState::BoxFound) {
        const PortOpenResult opened = connection_.open();
        showPortOpenResult(opened);
        if (!opened.opened) {
            sending_.reset();
            emit downloadEnded(false);
            return;
        }
    }
    download_.start(image);
    emit busyChanged();
}

void BoxController::cancel() {
    download_.cancel();
    search_.cancel();
    startup_.search().cancel();
}

bool BoxController::shutDown() {
    closing_ = true;
    startup_.cancel();
    search_.cancel();
    download_.cancel(); // the box is told that the download is over
    if (!connection_.isReady())
        return false;
    connection_.close();
    return true;
}

// What the jobs come to.

void BoxController::showPortOpenResult(const PortOpenResult& result) {
    for (const PortOpenResult::Failure& failure : result.failures)
        dialogs::inform(window_, tr("Error Opening COM%1").arg(failure.port),
                        QStringLiteral("%1: %2")
                            .arg(failure.why.code)
                            .arg(describeOpenFailure(failure.why, ChoiceHint::Menu)));
    if (result.fellBack())
        dialogs::inform(window_, tr("Reopened COM%1").arg(connection_.startPort()),
                        tr("COM%1 didn't work.").arg(result.failures.first().port));
    if (!result.opened)
        dialogs::inform(window_, tr("Error COM Ports"), tr("Try selecting another COMM port."));
}

void BoxController::followSearch(BoxSearch& search) {
    connect(&search, &BoxSearch::started, this, [this, &search] {
        emit searchStarted();
        seeking_ = new SeekingWindow(connection_.portDescription(), connection_.speed(), window_);
        seeking_->setAttribute(Qt::WA_DeleteOnClose);
        look::useLightPalette(seeking_);
        connect(seeking_, &SeekingWindow::cancelRequested, &search, &BoxSearch::cancel);
        seeking_->show();
        emit busyChanged();
    });
    connect(&search, &BoxSearch::progressed, this, [this](int retries) {
        if (seeking_)
            seeking_->setProgress(retries);
    });
    connect(&search, &BoxSearch::firmwareReported, this, [this, &search](const QString& firmware) {
        firmware_ = firmware; // the printed sheet names the box that answered in this run
        dialogs::inform(window_, tr("BDX4 Connected"), tr("BDX4 Firmware = %1").arg(firmware),
                        dialogs::Icon::Information);
        search.acknowledgeFirmware();
    });
    connect(&search, &BoxSearch::finished, this, [this] {
        closeSeekingWindow();
        emit busyChanged();
    });
}

void BoxController::closeSeekingWindow() {
    if (seeking_) {
        seeking_->disconnect(); // closing it is no request to cancel
        seeking_->close();
    }
}

void BoxController::showSearchResult(const SearchResult& result) {
    closeSeekingWindow(); // the search is over before its outcome is told
    if (closing_ || result.outcome == SearchResult::Found ||
        result.outcome == SearchResult::Cancelled)
        return;
    const ResultText message = ResultTexts::searchFailed(result, connection_.portDescription());
    dialogs::inform(window_, message.title, message.text);
}

void BoxController::showDownloadResult(const DownloadResult& result) {
    emit busyChanged();
    if (closing_)
        return;
    if (!result.passed()) {
        const ResultText message =
            ResultTexts::downloadFailed(result, connection_.portDescription());
        dialogs::inform(window_, message.title.isEmpty() ? dialogs::appTitle() : message.title,
                        message.text);
    }
    emit downloadEnded(result.passed());
    if (result.passed())
        keepInHistory();
    sending_.reset(); // a failed or cancelled download keeps nothing
}

void BoxController::keepInHistory() {
    if (!sending_)
        return;
    HistoryEntry entry = sendingAbout_;
    entry.port = portName(connection_.port());
    entry.device = connection_.deviceName(connection_.port());
    if (entry.device == entry.port)
        entry.device.clear();
    entry.firmware = firmware_;
    WriteHistory history(historyFolder_);
    if (const IoResult failure = history.record(*std::exchange(sending_, std::nullopt), entry)) {
        if (!std::exchange(historyFailureTold_, true))
            dialogs::inform(
                window_, dialogs::appTitle(),
                tr("The configuration was written to the BDX4, but the history of "
                   "what was written cannot be kept in %1:\r\n%2\r\n\r\nThis is "
                   "said once; the downloads go on.")
                    .arg(QDir::toNativeSeparators(history.folder()), failure->description),
                dialogs::Icon::Warning);
        return;
    }
    emit written(history.newest().value_or(HistoryEntry()));
}

} // namespace bdx4
