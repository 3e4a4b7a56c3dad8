#pragma once

#include <QByteArray>
#include <QList>

namespace bdx4 {

/// Cuts what the box sends into acknowledgements and replies. A "G" acknowledges a record, wherever
/// it stands, and ends the text before it, which is dropped unread. A reply runs from after the
/// previous "G" or ";" up to and including the next ";". Text that has not yet met either waits
/// for the next arrival.
class ReplyReader {
public:
    /// Received text that never meets a delimiter is kept only up to this many bytes (the newest);
    /// no reply of the box comes near it.
    static constexpr int kLimit = 4096;

    struct Arrival {
        bool acknowledged = false; ///< at least one "G" came
        QList<QByteArray> replies; ///< the replies completed, in the order they came
    };

    /// Takes newly received bytes.
    Arrival take(const QByteArray& bytes);
    /// Everything received and not yet cut off, as it stood after the last arrival (at most the
    /// last kLimit bytes). A failed download shows it.
    const QByteArray& lastReceived() const { return lastReceived_; }
    /// The text waiting for its delimiter.
    const QByteArray& pending() const { return pending_; }

private:
    QByteArray pending_;
    QByteArray lastReceived_;
};

} // namespace bdx4
