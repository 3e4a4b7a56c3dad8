#include "jobs/StartupJob.h"

namespace bdx4 {

StartupJob::StartupJob(BoxConnection& connection, Clock& clock, QObject* parent)
    : QObject(parent), connection_(connection), search_(connection, clock),
      soon_(clock.createTimer()) {
    connect(&search_, &BoxSearch::finished, this, &StartupJob::onSearchFinished);
}

void StartupJob::start() {
    if (step_ != Step::Idle)
        return;
    step_ = Step::PortShown;
    emit portOpened(connection_.open());
}

void StartupJob::proceed() {
    // From the event loop: the front end may call this from inside its slot.
    soon_->start(0, [this] {
        if (step_ == Step::PortShown && connection_.isReady()) {
            step_ = Step::Searching;
            search_.start();
        } else if (step_ == Step::PortShown || step_ == Step::SearchShown) {
            finish(false);
        }
    });
}

void StartupJob::onSearchFinished(const SearchResult& result) {
    if (step_ != Step::Searching)
        return;
    step_ = Step::SearchShown;
    emit searchFinished(result);
}

void StartupJob::cancel() {
    if (step_ == Step::Idle || step_ == Step::Done)
        return;
    step_ = Step::Done; // the search's end is no longer shown
    soon_->stop();
    search_.cancel();
    finish(true);
}

void StartupJob::finish(bool cancelled) {
    step_ = Step::Idle;
    emit finished(cancelled);
}

} // namespace bdx4
