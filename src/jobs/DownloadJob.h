#pragma once

#include "io/Clock.h"
#include "jobs/BoxConnection.h"
#include "model/ConfigImage.h"

#include <QObject>

#include <memory>
#include <optional>

namespace bdx4 {

/// How a download ended.
struct DownloadResult {
    enum Outcome {
        Passed,          ///< every data record was acknowledged
        NotAcknowledged, ///< the box did not acknowledge `section`'s record
        NotSent,         ///< the line refused `section`'s record, or the command before it
        PortClosed,      ///< the port was not open: nothing was sent
        LineLost,        ///< the line went away during `section`
        Cancelled,       ///< the user stopped it during `section`
    };
    Outcome outcome = Passed;
    /// The section it ended in; none when the download command itself could not be sent.
    std::optional<Section> section;
    /// Why (NotSent, LineLost).
    QString reason;
    /// What the box had sent that was not cut off yet, as it stood at the end.
    QByteArray received;

    bool passed() const { return outcome == Passed; }
};

/// Writes the configuration into the box: the download command, 600 ms for the box to get
/// ready, then each of the six data records with CR LF, each awaited for up to three 300 ms
/// steps (the box's "G" is looked for at the end of a step), then the end record. A record left
/// unacknowledged ends the download at once; the end record is still sent, so that the box
/// leaves download mode. A fully acknowledged download takes at least 2.7 seconds.
class DownloadJob : public QObject {
    Q_OBJECT
public:
    DownloadJob(BoxConnection& connection, Clock& clock, QObject* parent = nullptr);

    /// Starts writing `image`. Ignored while a download runs.
    void start(const ConfigImage& image);
    /// Stops the download: the end record goes out (unless it has already) and nothing else.
    void cancel();
    bool isRunning() const { return running_; }

signals:
    /// The record of `section` is going out.
    void sectionStarted(Section section);
    /// All records were acknowledged; the end record is going out.
    void closing();
    void finished(const DownloadResult& result);

private:
    void sendCommand();
    void sendRecord();
    void checkAcknowledged();
    void sendEndRecord();
    /// Sends the end record without waiting for the box, then ends.
    void abandon(DownloadResult::Outcome outcome, const QString& reason = QString());
    void finish(DownloadResult::Outcome outcome, const QString& reason = QString());
    std::optional<Section> currentSection() const;

    BoxConnection& connection_;
    std::unique_ptr<StepTimer> timer_;
    ConfigImage image_;
    bool running_ = false;
    /// The record under way, 0-5; -1 before the first, 6 for the end record.
    int record_ = -1;
    /// 300 ms steps waited for the record's acknowledgement.
    int steps_ = 0;
    /// A "G" came since the record under way was sent.
    bool acknowledged_ = false;
};

} // namespace bdx4
