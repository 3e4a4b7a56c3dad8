#pragma once

#include <QDialog>
#include <QStringList>

namespace bdx4 {

/// `frmBDX4Help`: how to use the main window, in six short texts on a white frame.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    /// The six texts, top to bottom.
    static QStringList texts();
};

} // namespace bdx4
