#pragma once

#include "io/StoreFile.h"
#include "model/VoltageTables.h"
#include "ui/EditCommands.h"
#include "ui/LevelSlider.h"

#include <QDialog>
#include <QUndoStack>

#include <array>

class QLineEdit;
class QPushButton;

namespace bdx4 {

class ConfigDocument;

/// "Analog Voltage Table AN1" .. "AN3": one band-voltage table on thirteen sliders, with the
/// volts above each. It reads the voltage store when it opens; Save writes all three tables;
/// closing it with unsaved changes asks first, whichever way it is closed. Each slider move (a
/// drag, a key press held or not, as a whole), typed voltage and Defaults can be undone (Ctrl+Z,
/// also in a box with nothing typed to undo) and redone; a voltage the table cannot hold is
/// refused, and its box says why until it holds a voltage again. Every slider takes the Tab key
/// (Left and Right step between them); Ctrl+S saves, F1 opens its help.
class VoltageWindow : public QDialog {
    Q_OBJECT
public:
    /// `table` is 0 for AN1, 1 for AN2, 2 for AN3, of the user's `document`.
    VoltageWindow(int table, ConfigDocument& document, QWidget* owner);
    ~VoltageWindow() override;

    LevelSlider* slider(int band) const { return sliders_[band]; }
    QLineEdit* voltsBox(int band) const { return texts_[band]; }
    /// A slider stands elsewhere than it was loaded or last saved.
    bool hasUnsavedChanges() const;
    /// Why the last voltage typed into `band`'s box was refused; empty when it was taken.
    QString refusal(int band) const { return refusals_[band]; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    /// Every way of closing (Close, Escape, the frame's close box) comes here: the
    /// unsaved-changes question may keep the window open.
    void reject() override;

private:
    void addColumns();
    /// The four buttons in their places and the Tab order; the Close button, which takes the
    /// focus first.
    QPushButton* addButtons();
    void addKeys();
    void load();
    void putDefaults();
    /// Stores the sliders in the table and rewrites the store. When the store cannot be written
    /// it stays as it was, so does the table in memory, and the user is told; the window then
    /// still counts as changed.
    bool save();
    void showVolts(int band);
    void onLevelChanged(int band);
    void takeTypedVolts(int band);
    void showRefusal(int band, const QString& why);
    void clearRefusal(int band);
    void showHelp();

    Levels levels() const;
    /// Puts levels on the sliders as the program's own change (load, undo, redo).
    void showLevels(const Levels& levels);
    /// Makes the change of the sliders since the last one an undoable step.
    void record(int drag = 0);

    int table_;
    ConfigDocument& document_;
    /// How the store was read when the window opened, until the user has been told.
    StoreReading unreadable_;
    std::array<LevelSlider*, kVoltageBands> sliders_ = {};
    std::array<QLineEdit*, kVoltageBands> texts_ = {};
    std::array<QString, kVoltageBands> refusals_;
    /// The slider levels as last loaded or saved.
    Levels saved_ = {};
    /// The levels as of the last undoable step.
    Levels recorded_ = {};
    QUndoStack undo_;
    bool showing_ = false;
};

} // namespace bdx4
