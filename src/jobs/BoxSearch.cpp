#include "jobs/BoxSearch.h"

namespace bdx4 {

namespace {

constexpr int kFirstPauseMs = 600;
constexpr int kStepMs = 300;
const QByteArray kSeparator = QByteArrayLiteral(";");
const QByteArray kVersionCode = QByteArrayLiteral("BDV");
constexpr int kVersionReplyLength = 14;

} // namespace

BoxSearch::BoxSearch(BoxConnection& connection, Clock& clock, QObject* parent)
    : QObject(parent), connection_(connection), timer_(clock.createTimer()),
      soon_(clock.createTimer()) {
    connect(&connection_, &BoxConnection::replyReceived, this, &BoxSearch::onReply);
    connect(&connection_, &BoxConnection::lineLost, this, [this](const QString& reason) {
        if (running_)
            finish(SearchResult::LineLost, reason);
    });
}

// The search, step by step.

void BoxSearch::start() {
    if (running_)
        return;
    running_ = true;
    retries_ = 0;
    boxFound_ = false;
    replyCode_.clear();
    firmware_.clear();
    emit started();
    send(kSeparator);
    wait(kFirstPauseMs, &BoxSearch::afterSeparator);
}

void BoxSearch::afterSeparator() {
    replyCode_.clear(); // whatever the lone ";" provoked is no answer to the query
    send(kVersionQuery);
    wait(kStepMs, &BoxSearch::afterQuery);
}

void BoxSearch::afterQuery() {
    if (replyCode_ == kVersionCode)
        finish(boxFound_ ? SearchResult::Found : SearchResult::NotFound);
    else
        query();
}

void BoxSearch::query() {
    emit progressed(retries_);
    if (retries_ == kRetries) {
        finish(boxFound_ ? SearchResult::Found : SearchResult::NotFound);
        return;
    }
    send(kSeparator);
    send(kVersionQuery);
    ++retries_;
    wait(kStepMs, &BoxSearch::afterQuery);
}

void BoxSearch::cancel() {
    if (running_)
        finish(SearchResult::Cancelled);
}

void BoxSearch::finish(SearchResult::Outcome outcome, const QString& reason) {
    running_ = false;
    timer_->stop();
    soon_->stop();
    awaitingAnswer_ = false;
    held_.clear();
    dueStep_ = nullptr;
    if (outcome == SearchResult::Found)
        connection_.setBoxFound(firmware_);
    emit finished(
        SearchResult{outcome, outcome == SearchResult::Found ? firmware_ : QString(), reason});
}

// Time, the line and the user's answer.

void BoxSearch::wait(int ms, void (BoxSearch::*step)()) {
    timer_->start(ms, [this, step] {
        if (holding())
            dueStep_ = step;
        else
            (this->*step)();
    });
}

void BoxSearch::send(const QByteArray& text) {
    lastSent_ = text;
    connection_.send(text); // a line that fails is lost, and the search ends on that
}

void BoxSearch::onReply(const QByteArray& reply) {
    if (!running_)
        return;
    if (holding())
        held_.append(reply);
    else
        takeReply(reply);
}

void BoxSearch::takeReply(const QByteArray& reply) {
    replyCode_ = reply.left(3);
    if (lastSent_ != kVersionQuery)
        return;
    if (!reply.toUpper().contains("BDX4")) {
        replyCode_.clear();
        return;
    }
    if (reply.size() != kVersionReplyLength)
        return;
    firmware_ = QString::fromLatin1(reply.mid(9, 4));
    awaitingAnswer_ = true;
    soon_->start(0, [this] { emit firmwareReported(firmware_); });
}

void BoxSearch::acknowledgeFirmware() {
    if (!running_ || !awaitingAnswer_)
        return;
    awaitingAnswer_ = false;
    boxFound_ = true;
    soon_->start(0, [this] { resume(); });
}

void BoxSearch::resume() {
    while (!held_.isEmpty() && !awaitingAnswer_)
        takeReply(held_.takeFirst());
    if (!holding() && dueStep_) {
        const auto step = dueStep_;
        dueStep_ = nullptr;
        (this->*step)();
    }
}

} // namespace bdx4
