#pragma once

#include <QDialog>

class QProgressBar;

namespace bdx4 {

/// "Seeking BDX4": the small window shown, without blocking, while the box is looked for. A line
/// says where it looks, its bar counts the queries; Cancel, Escape and its close box give up
/// waiting.
class SeekingWindow : public QDialog {
    Q_OBJECT
public:
    /// `where`: the port as the user knows it ("COM1 (/dev/ttyUSB0)") and `speed` ("4800").
    SeekingWindow(const QString& where, const QString& speed, QWidget* owner);

    /// Moves the bar (0-11).
    void setProgress(int retries);
    int progress() const;

signals:
    /// The user gave up waiting.
    void cancelRequested();

public slots:
    void reject() override;

private:
    QProgressBar* bar_;
};

} // namespace bdx4
