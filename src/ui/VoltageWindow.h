#pragma once

#include "platform/MessageBoxes.h"
#include "ui/LevelSlider.h"
#include "voltages/VoltageEditor.h"

#include <QDialog>

#include <array>
#include <memory>

class QLineEdit;
class QPushButton;

namespace bdx4 {

/// `BDX4_Band_Voltage_AN1` .. `AN3`: one band voltage table on thirteen sliders (255 at the
/// top, 0 at the bottom) with the volts above each. Loads the voltage store when it opens;
/// closing it with unsaved changes asks first, whichever way it is closed.
class VoltageWindow : public QDialog, private VoltageColumns {
    Q_OBJECT
public:
    /// `table` is 0 for AN1, 1 for AN2, 2 for AN3.
    VoltageWindow(int table, Voltages& volts, MessageBoxes& boxes, const QString& storeFolder,
                  QWidget* owner);
    ~VoltageWindow() override;

    VoltageEditor& editor() { return *editor_; }
    LevelSlider* slider(int band) const { return sliders_[band]; }
    QLineEdit* voltsBox(int band) const { return texts_[band]; }

    /// The window's caption, range line and background of table 0-2.
    static QString caption(int table);
    static QString rangeText(int table);
    static QColor background(int table);

public slots:
    /// Every way of closing (Close, Escape, the frame's close box) comes here: the
    /// unsaved-changes question may keep the window open.
    void reject() override;

private:
    int sliderValue(int band) const override;
    void setSliderValue(int band, int level) override;
    void setText(int band, const QString& text) override;
    void showHelp();

    int table_;
    std::array<LevelSlider*, kVoltBands> sliders_ = {};
    std::array<QLineEdit*, kVoltBands> texts_ = {};
    std::unique_ptr<VoltageEditor> editor_;
};

/// `BDX4_BV_AN1_Help` .. `AN3`: where the table's values come from and which pin reads them.
class VoltageHelpWindow : public QDialog {
    Q_OBJECT
public:
    VoltageHelpWindow(int table, QWidget* owner);
    /// The five lines of table 0-2, top to bottom.
    static QStringList texts(int table);
};

} // namespace bdx4
