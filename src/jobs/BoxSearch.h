#pragma once

#include "io/Clock.h"
#include "jobs/BoxConnection.h"

#include <QObject>

#include <functional>
#include <memory>

namespace bdx4 {

/// How a box search ended.
struct SearchResult {
    enum Outcome {
        Found,     ///< the box told its firmware version
        NotFound,  ///< no valid version reply came
        Cancelled, ///< the user gave up waiting
        LineLost,  ///< the line went away (see `reason`)
    };
    Outcome outcome = NotFound;
    QString firmware;
    QString reason;
};

/// Looks for the box on the open port: a lone ";" and, 600 ms later, the version query; then up
/// to eleven more queries 300 ms apart until a reply that starts with "BDV" comes. A reply of
/// 14 characters that names the "BDX4" (in any case) carries the firmware version; the front end
/// shows it and calls `acknowledgeFirmware`, and only then does the box count as found. A silent
/// line gives up after twelve queries, about 4.2 seconds.
class BoxSearch : public QObject {
    Q_OBJECT
public:
    /// The version query.
    static inline const QByteArray kVersionQuery = QByteArrayLiteral(";BD00;BD73;BDV;");
    /// Queries after the first one before the search gives up.
    static constexpr int kRetries = 11;

    BoxSearch(BoxConnection& connection, Clock& clock, QObject* parent = nullptr);

    /// Starts the search; the port must be open. Ignored while a search runs.
    void start();
    /// Ends the search at once, as Cancelled; nothing more is sent.
    void cancel();
    /// The front end has shown the firmware version: the box counts as found and the search
    /// goes on (what arrived meanwhile is taken in order).
    void acknowledgeFirmware();
    bool isRunning() const { return running_; }

signals:
    void started();
    /// The retries so far, 0-11, for a progress bar.
    void progressed(int retries);
    /// A version reply came. The search waits for `acknowledgeFirmware` before it takes anything
    /// more; steps that fall due meanwhile run after it.
    void firmwareReported(const QString& firmware);
    void finished(const SearchResult& result);

private:
    void afterSeparator();
    void afterQuery();
    void query();
    void finish(SearchResult::Outcome outcome, const QString& reason = QString());

    /// Runs `step` `ms` from now, or, while a reply is held for the user, once the user answered.
    void wait(int ms, void (BoxSearch::*step)());
    void send(const QByteArray& text);
    void onReply(const QByteArray& reply);
    void takeReply(const QByteArray& reply);
    void resume();
    bool holding() const { return awaitingAnswer_ || !held_.isEmpty(); }

    BoxConnection& connection_;
    std::unique_ptr<StepTimer> timer_;
    /// Reports and resumes from the event loop, never from inside the receiver.
    std::unique_ptr<StepTimer> soon_;
    bool running_ = false;
    int retries_ = 0;
    /// The last text sent: only while it is the version query are replies versions.
    QByteArray lastSent_;
    /// The first three characters of the last reply (cleared by a reply that names no box).
    QByteArray replyCode_;
    QString firmware_;
    bool boxFound_ = false;
    bool awaitingAnswer_ = false;
    QList<QByteArray> held_;
    void (BoxSearch::*dueStep_)() = nullptr;
};

} // namespace bdx4
