#pragma once

#include "io/WriteHistory.h"
#include "jobs/BoxConnection.h"
#include "jobs/BoxSearch.h"
#include "jobs/DownloadJob.h"
#include "jobs/StartupJob.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace bdx4 {

class Clock;
class SeekingWindow;
class SessionTrace;

/// The box as the main window meets it, the desktop's twin of bdx4ctl's command runner: the
/// connection, the start-up on the line, the box search with its "Seeking BDX4" window, the
/// download, the session trace and the firmware of the box that answered. It tells the user
/// what the port, the search and a download came to in message boxes over `window`, and reports
/// upward by signals only; one job runs at a time.
class BoxController : public QObject {
    Q_OBJECT
public:
    /// `line` is the serial line to the box; with `trace`, each box search and download is
    /// recorded in its file (`line` must then be its line).
    BoxController(SerialLine& line, Clock& clock, SessionTrace* trace, QWidget* window);
    ~BoxController() override;

    BoxConnection& connection() { return connection_; }
    /// The firmware of the box that answered in this run; empty before.
    QString firmware() const { return firmware_; }
    /// A start-up, a box search or a download runs.
    bool isBusy() const;
    bool isDownloading() const { return download_.isRunning(); }

    /// Opens the port and, when it opened, looks for the box; `startupDone` follows once the
    /// user has seen what they came to. Runs once.
    void startUp();
    /// "Test for BDX4": opens the chosen port and looks for the box there.
    void testForBox();
    /// "Write To BDX4": sends `image`, opening the chosen port first when it is not the one open.
    /// When it passes, the history in `storeFolder` keeps it as `about` says (what was written
    /// and its mode; the port, the device and the firmware are filled in).
    void write(const ConfigImage& image, const HistoryEntry& about, const QString& storeFolder);
    /// Escape or Cancel: stops a download (the box is told that it is over) or a search.
    void cancel();
    /// The window closes: what runs stops without a word and the port closes. True when a port
    /// opened in this run, whose choice is then to be remembered.
    bool shutDown();

signals:
    /// The start-up on the line is over: the stores may be read now.
    void startupDone();
    /// A job started or ended.
    void busyChanged();
    /// A box search begins: the status box is emptied.
    void searchStarted();
    /// A download (or the opening of the port before it) begins.
    void downloadStarted();
    /// The download's step: the status box's text ("HF Data" … "Closing") and the record (1-7)
    /// with its name.
    void downloadStep(const QString& status, int record, const QString& name);
    /// The download is over (a failure was told first).
    void downloadEnded(bool passed);
    /// A download passed and the history kept it as `entry`.
    void written(const HistoryEntry& entry);

private:
    void followSearch(BoxSearch& search);
    void closeSeekingWindow();
    void showPortOpenResult(const PortOpenResult& result);
    void showSearchResult(const SearchResult& result);
    void showDownloadResult(const DownloadResult& result);
    /// Keeps what passed in the history; a history that cannot be written is told once a run.
    void keepInHistory();
    /// The trace is for whoever reads a bug report: its words stay English, like bdx4ctl's.
    void beginTrace(const QString& what);

    QWidget* window_;
    SessionTrace* trace_;
    BoxConnection connection_;
    StartupJob startup_;
    BoxSearch search_;
    DownloadJob download_;
    QPointer<SeekingWindow> seeking_;
    QString firmware_;
    /// What the running download sends, for the history once it passes.
    std::optional<ConfigImage> sending_;
    HistoryEntry sendingAbout_;
    QString historyFolder_;
    bool historyFailureTold_ = false;
    bool started_ = false;
    bool closing_ = false;
};

} // namespace bdx4
