#pragma once

#include "link/Link.h"
#include "platform/Clock.h"
#include "platform/SerialLine.h"
#include "platform/TracingSerialLine.h"

#include <QString>

namespace bdx4 {

/// The file in the per-user data folder that holds the last conversation with the box.
inline const QString kLastSessionTraceName = QStringLiteral("last-session-trace.txt");

/// Keeps a serial trace of the program's last conversation with the box, for bug reports. Each
/// box search (from the opening of the port on) and each download starts the file anew, so it
/// always holds the last one whole. A file that cannot be written only means no trace.
///
/// Wiring: the Link gets `line()` in place of the real line; then `attach(link)`, and the
/// downloader's starting handler calls `downloadStarting()`.
class SessionTrace {
public:
    /// Traces what passes through `inner` into `path` (replaced at every session).
    SessionTrace(SerialLine& inner, const Clock& clock, const QString& path);

    /// The line to give the Link: the real one, with every chunk recorded.
    SerialLine& line() { return line_; }
    /// Starts a session whenever `link` opens the port or begins a box search.
    void attach(Link& link);
    /// Starts a session for a download (hook it to Downloader::setDownloadStartingHandler).
    void downloadStarting();

    QString path() const { return path_; }
    /// A session is being written.
    bool active() const { return trace_.active(); }

    /// last-session-trace.txt in the per-user data folder of the running program.
    static QString defaultPath();

private:
    void beginSession(const QString& what);
    void linkActivity(LinkActivity activity);

    SerialTrace trace_;
    TracingSerialLine line_;
    QString path_;
    Link* link_ = nullptr;
    /// The session began with OpenPort and its SeekBox has not come yet: the search that
    /// follows belongs to the same session.
    bool searchPending_ = false;
};

} // namespace bdx4
