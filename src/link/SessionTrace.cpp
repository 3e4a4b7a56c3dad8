#include "link/SessionTrace.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace bdx4 {

SessionTrace::SessionTrace(SerialLine& inner, const Clock& clock, const QString& path)
    : trace_(clock), line_(inner, trace_), path_(path) {}

void SessionTrace::attach(Link& link) {
    link_ = &link;
    link.setActivityHandler([this](LinkActivity activity) { linkActivity(activity); });
}

QString SessionTrace::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(kLastSessionTraceName);
}

void SessionTrace::beginSession(const QString& what) {
    QString title = QStringLiteral("%1 %2.%3.%4: %5")
                        .arg(QCoreApplication::applicationName())
                        .arg(BDX4_VERSION_MAJOR)
                        .arg(BDX4_VERSION_MINOR)
                        .arg(BDX4_VERSION_REVISION)
                        .arg(what);
    if (link_)
        title += QStringLiteral(" on %1 at %2 baud")
                     .arg(link_->portDescription(), link_->state().BaudRate);
    trace_.begin(path_, title);
}

void SessionTrace::linkActivity(LinkActivity activity) {
    switch (activity) {
    case LinkActivity::OpeningPort:
        beginSession(QStringLiteral("box search"));
        searchPending_ = true;
        break;
    case LinkActivity::SeekingBox:
        if (!searchPending_)
            beginSession(QStringLiteral("box search"));
        searchPending_ = false;
        trace_.note(QStringLiteral("looking for the box"));
        break;
    }
}

void SessionTrace::downloadStarting() {
    searchPending_ = false;
    beginSession(QStringLiteral("download"));
}

} // namespace bdx4
