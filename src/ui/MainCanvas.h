#pragma once

#include "model/BandTables.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace bdx4 {

class BandMapGrid;
class BandMaps;
class OutputNames;

/// The main window's client area under the menu bar, as the user sees it: the grid of the shown
/// band map with its captions, frame and shading, the "MAPn Displayed" labels, the status box
/// with Cancel beside it, and the buttons along the bottom. It lays them out in twips, keeps their
/// colours and the Tab order, and reports each button by a signal of its own; a click on its
/// background (not on a control) clears and hides the status box.
class MainCanvas : public QWidget {
    Q_OBJECT
public:
    MainCanvas(const BandMaps& maps, QWidget* parent = nullptr);

    BandMapGrid& grid() const { return *grid_; }
    QLineEdit* statusBox() const { return status_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* cancelButton() const { return cancel_; }

    /// Shows the status box empty, in black: a download or export begins.
    void beginStatus();
    /// Empties the status box, leaving it as shown or hidden as it was (a box search begins).
    void emptyStatus();
    /// A download's step ("HF Data" ... "Closing"), in black.
    void showProgressText(const QString& text);
    /// "Last Send Passed!" in green or "Last Send Failed!" in red.
    void showSendResult(bool passed);
    /// Clears and hides the status box.
    void clearStatus();
    /// What may be used: nothing but Quit until the stores are read (`ready`), and no second
    /// download or box search while one runs (`busy`); Cancel shows while a download runs.
    /// When a command greys the focused Write button, the focus goes to Cancel (or the grid) and
    /// comes back to Write once it is over.
    void enableCommands(bool ready, bool busy, bool downloading);
    /// Puts the focus, visibly, on the grid's box that had it last (160M/160 at first).
    void focusGrid();
    /// The outputs' names as their column captions' tooltips and in the grid's boxes' names.
    void showNames(const OutputNames& names);

signals:
    void clearClicked();
    void defaultsClicked();
    void displayClicked(int map);
    void saveClicked(int map);
    void writeClicked();
    void cancelClicked();
    void quitClicked();
    /// A column caption was double-clicked: the user wants to name output `output`.
    void nameRequested(int output);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addCaptions();
    void addButtons();
    QPushButton* addButton(const QString& text, const QString& tip, int left, int top);
    void setTabOrderByPlace();
    void showLabelledMap(int map);
    void setStatus(const QString& text, const QColor& color);

    BandMapGrid* grid_ = nullptr;
    std::array<QLabel*, kOutputs> outputCaptions_ = {};
    std::array<QLabel*, kMaps> labels_ = {};
    QLineEdit* status_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* defaults_ = nullptr;
    std::array<QPushButton*, kMaps> display_ = {};
    std::array<QPushButton*, kMaps> save_ = {};
    QPushButton* write_ = nullptr;
    QPushButton* quit_ = nullptr;
    /// Write had the focus when a command greyed it.
    bool focusBackToWrite_ = false;
};

} // namespace bdx4
