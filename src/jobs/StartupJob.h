#pragma once

#include "io/Clock.h"
#include "jobs/BoxConnection.h"
#include "jobs/BoxSearch.h"

#include <QObject>

#include <memory>

namespace bdx4 {

/// The program's start-up on the line: open the port; if it opened, look for the box. The front
/// end shows what the port and the search came to and calls `proceed`; only then does the
/// start-up go on, so that the user meets the port's and the box's messages before the stores are
/// read (which `finished` leaves to the front end).
class StartupJob : public QObject {
    Q_OBJECT
public:
    StartupJob(BoxConnection& connection, Clock& clock, QObject* parent = nullptr);

    void start();
    /// The front end has shown the last report; the start-up goes on.
    void proceed();
    /// Ends the start-up at once (the window is closing): the search stops.
    void cancel();
    bool isRunning() const { return step_ != Step::Idle; }
    /// The search the start-up runs, for showing its progress and firmware.
    BoxSearch& search() { return search_; }

signals:
    /// The port was tried; the start-up waits for `proceed`.
    void portOpened(const PortOpenResult& result);
    /// The search ended; the start-up waits for `proceed`.
    void searchFinished(const SearchResult& result);
    /// The start-up is over: the stores may be read, unless it was cancelled.
    void finished(bool cancelled);

private:
    enum class Step { Idle, PortShown, Searching, SearchShown, Done };

    void onSearchFinished(const SearchResult& result);
    void finish(bool cancelled);

    BoxConnection& connection_;
    BoxSearch search_;
    std::unique_ptr<StepTimer> soon_;
    Step step_ = Step::Idle;
};

} // namespace bdx4
