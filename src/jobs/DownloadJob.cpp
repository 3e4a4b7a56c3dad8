#include "jobs/DownloadJob.h"

#include <algorithm>

namespace bdx4 {

namespace {

constexpr int kReadyPauseMs = 600;
constexpr int kStepMs = 300;
constexpr int kStepsPerRecord = 3;
constexpr int kEndRecordIndex = int(kSections.size());
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

} // namespace

DownloadJob::DownloadJob(BoxConnection& connection, Clock& clock, QObject* parent)
    : QObject(parent), connection_(connection), timer_(clock.createTimer()) {
    connect(&connection_, &BoxConnection::acknowledged, this, [this] { acknowledged_ = true; });
    connect(&connection_, &BoxConnection::lineLost, this, [this](const QString& reason) {
        if (running_)
            finish(DownloadResult::LineLost, reason);
    });
}

// The download, step by step.

void DownloadJob::start(const ConfigImage& image) {
    if (running_)
        return;
    running_ = true;
    image_ = image;
    record_ = -1;
    timer_->start(0, [this] { sendCommand(); });
}

void DownloadJob::sendCommand() {
    if (!connection_.isOpen()) {
        finish(DownloadResult::PortClosed);
        return;
    }
    if (const IoResult failure = connection_.send(kDownloadCommand)) {
        abandon(DownloadResult::NotSent, failure->description);
        return;
    }
    // The box needs a moment in download mode before the first record; no answer is awaited.
    record_ = 0;
    timer_->start(kReadyPauseMs, [this] { sendRecord(); });
}

void DownloadJob::sendRecord() {
    const Section section = kSections[std::size_t(record_)];
    emit sectionStarted(section);
    acknowledged_ = false; // a "G" that came before this record is not its acknowledgement
    if (const IoResult failure = connection_.send(image_.record(section) + kLineEnd)) {
        abandon(DownloadResult::NotSent, failure->description);
        return;
    }
    steps_ = 0;
    timer_->start(kStepMs, [this] { checkAcknowledged(); });
}

void DownloadJob::checkAcknowledged() {
    ++steps_;
    if (acknowledged_) {
        ++record_;
        if (record_ == kEndRecordIndex)
            sendEndRecord();
        else
            sendRecord();
    } else if (steps_ < kStepsPerRecord) {
        timer_->start(kStepMs, [this] { checkAcknowledged(); });
    } else {
        abandon(DownloadResult::NotAcknowledged);
    }
}

void DownloadJob::sendEndRecord() {
    emit closing();
    // The box's answer to the end record is not judged; the AN3 record's "G" still stands, so
    // the download ends after one step.
    connection_.send(kEndRecord + kLineEnd);
    timer_->start(kStepMs, [this] { finish(DownloadResult::Passed); });
}

void DownloadJob::cancel() {
    if (!running_)
        return;
    if (record_ == kEndRecordIndex) // the end record is out: the box has it all
        finish(DownloadResult::Passed);
    else
        abandon(DownloadResult::Cancelled);
}

void DownloadJob::abandon(DownloadResult::Outcome outcome, const QString& reason) {
    timer_->stop();
    connection_.send(kEndRecord + kLineEnd);
    finish(outcome, reason);
}

void DownloadJob::finish(DownloadResult::Outcome outcome, const QString& reason) {
    timer_->stop();
    running_ = false;
    DownloadResult result;
    result.outcome = outcome;
    if (outcome != DownloadResult::Passed && outcome != DownloadResult::PortClosed)
        result.section = currentSection();
    result.reason = reason;
    result.received = connection_.lastReceived();
    emit finished(result);
}

std::optional<Section> DownloadJob::currentSection() const {
    if (record_ < 0) // the download command itself
        return std::nullopt;
    return kSections[std::size_t(std::min(record_, kEndRecordIndex - 1))];
}

} // namespace bdx4
