#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;

namespace bdx4 {

/// "BDX4 Config Help": how to use the main window, in six short texts on a white frame, and below
/// them, where the frame scrolls to, undo, the questions, files, printing, the status bar and the
/// keys.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

private:
    /// Puts every text on `page`; the page's height.
    int addTexts(QWidget* page);
    QList<QLabel*> moreTexts(QWidget* page);
};

/// The help of a voltage window: where the table's values come from and which pin reads them.
class VoltageHelpWindow : public QDialog {
    Q_OBJECT
public:
    VoltageHelpWindow(int table, QWidget* owner);
};

} // namespace bdx4
