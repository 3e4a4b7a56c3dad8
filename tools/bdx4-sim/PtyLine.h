#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace bdx4sim {

/// The box's end of a pseudo-terminal. The program opens the far end (devicePath) as its
/// serial port. The line is raw: no echo, no line-end translation.
class PtyLine : public QObject {
    Q_OBJECT
public:
    explicit PtyLine(QObject* parent = nullptr);
    ~PtyLine() override;

    /// Creates the pseudo-terminal. Returns an empty text or the reason it failed.
    QString open();
    /// The far end's device, e.g. /dev/pts/4.
    QString devicePath() const { return devicePath_; }

    /// Queues bytes for the program; they go out as fast as the line takes them. Bytes that
    /// would make the queue longer than `bound` are dropped.
    void send(const QByteArray& bytes, qsizetype bound = kMaxQueued);
    /// Bytes queued but not yet taken by the line.
    qsizetype queued() const { return outgoing_.size() - sent_; }

    /// Queued bytes beyond this are dropped: nobody is reading the line.
    static constexpr qsizetype kMaxQueued = 64 * 1024;

signals:
    /// Bytes from the program.
    void received(const QByteArray& bytes);
    /// Nobody holds the far end open any more (the master read fails with EIO).
    void farEndGone();

private:
    void onReadable();
    void onWritable();
    void flush();

    int master_ = -1;
    // Held open so the line does not hang up while the program has its port closed.
    int slave_ = -1;
    QString devicePath_;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    // While nobody holds the far end, reads fail at once; look again now and then instead of
    // letting the read notifier fire without end.
    QTimer retry_;
    QByteArray outgoing_;
    qsizetype sent_ = 0; // the head of outgoing_ already written
};

} // namespace bdx4sim
