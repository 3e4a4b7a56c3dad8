#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace bdx4::ctl::interrupts {

/// How long a stopped box search or download may take to end (a download still sends its end
/// record) before bdx4ctl ends without it.
constexpr unsigned kGraceSeconds = 3;

/// Ctrl+C and SIGTERM. While a box search or a download runs, the first one stops it the way
/// Cancel does, through `onStop` in the event loop of `context`. At any other moment (reading a
/// file, writing to a terminal that does not take output), at a second one, or when the job has
/// not ended within kGraceSeconds, bdx4ctl says `stoppedLine` and ends at once with status 1:
/// nothing it waits on keeps it running.
void install(QObject* context, std::function<void()> onStop, const QString& stoppedLine);

/// Whether a job runs that a stop ends through the event loop.
void setJobRunning(bool running);

} // namespace bdx4::ctl::interrupts
