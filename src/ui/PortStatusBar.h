#pragma once

#include "io/WriteHistory.h"

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace bdx4 {

class BoxConnection;

/// The main window's status bar: the chosen port, its device and speed ("COM1 · /dev/ttyUSB0 ·
/// 4800 baud") and what is known of them (not open, open, the box's firmware, lost), following the
/// connection by itself; during a download a progress bar over the seven records.
class PortStatusBar : public QStatusBar {
    Q_OBJECT
public:
    PortStatusBar(const BoxConnection& connection, QWidget* parent = nullptr);

    /// The download's progress bar at `record` (1-7), named ("HF Band Data (1 of 7)").
    void showProgress(int record, const QString& name);
    void hideProgress();
    /// The tooltip says what was last written to the box, and when (nothing: no entry).
    void showLastWritten(const HistoryEntry& entry);

private:
    void showLink();
    void say(QLabel* label, const QString& text);
    void addProgressBar();
    QString progressText(const QString& name, int record) const;

    const BoxConnection& connection_;
    QLabel* port_ = nullptr;
    QLabel* link_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

} // namespace bdx4
