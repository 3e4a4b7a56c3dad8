#pragma once

#include <QDialog>
#include <QStringList>

namespace bdx4 {

/// "BDX4 Config Help": how to use the main window, in six short texts on a white frame.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);
};

/// The help of a voltage window: where the table's values come from and which pin reads them.
class VoltageHelpWindow : public QDialog {
    Q_OBJECT
public:
    VoltageHelpWindow(int table, QWidget* owner);
};

} // namespace bdx4
