#pragma once

#include "platform/ProgressWindow.h"

#include <QDialog>
#include <QPointer>

class QProgressBar;

namespace bdx4 {

/// `frmSeekingBDX4`: the small window with the progress bar `ProgressBar1` (0 to 11) shown,
/// without blocking, while the box is looked for.
class SeekingDialog : public QDialog {
    Q_OBJECT
public:
    explicit SeekingDialog(QWidget* owner);
    QProgressBar* bar() const { return bar_; }

private:
    QProgressBar* bar_;
};

/// The progress window as the link asks for it: created on open, destroyed on close.
class SeekingWindow : public ProgressWindow {
public:
    explicit SeekingWindow(QWidget* owner) : owner_(owner) {}
    ~SeekingWindow() override;
    void open() override;
    void setValue(int value) override;
    void close() override;

    /// The window while it is open, else null.
    SeekingDialog* dialog() const { return dialog_; }

private:
    QWidget* owner_;
    QPointer<SeekingDialog> dialog_;
};

} // namespace bdx4
