#pragma once

#include "platform/MessageBoxes.h"
#include "voltages/Voltages.h"

#include <QString>

#include <array>
#include <optional>

namespace bdx4 {

/// The thirteen columns of a voltage window, as its logic reaches them: a slider holding the
/// band's level and a text box showing it in volts.
class VoltageColumns {
public:
    virtual ~VoltageColumns() = default;
    /// The level on slider `band` (0-12).
    virtual int sliderValue(int band) const = 0;
    /// Moves slider `band`; a change raises the window's change handler (BVScroll_Change), an
    /// equal value raises nothing.
    virtual void setSliderValue(int band, int level) = 0;
    /// Sets the text of text box `band`.
    virtual void setText(int band, const QString& text) = 0;
};

/// What a band voltage window does, without its widgets: load the voltage store onto the
/// sliders, put the defaults on them, save them, and ask before unsaved changes are dropped.
class VoltageEditor {
public:
    /// `table` is 0 for AN1, 1 for AN2, 2 for AN3; `storeFolder` holds the voltage store.
    VoltageEditor(int table, Voltages& volts, MessageBoxes& boxes, VoltageColumns& columns,
                  const QString& storeFolder);

    int table() const { return table_; }
    /// The slider positions as last loaded or saved.
    const std::array<int, kVoltBands>& LoadedValues() const { return loaded_; }

    /// Reads the whole store into BandVoltTable (creating it when missing, rebuilding the level
    /// lists) and puts this table on the sliders.
    void Form_Load();
    /// A slider moved (by the user, a drag or the program): its text follows.
    void BVScroll_Change(int band);
    /// Puts the default levels on the sliders; nothing is stored.
    void cmd_Defaults_Click();
    /// Stores the sliders in BandVoltTable and rewrites the store, then rebuilds the level
    /// lists. When the store cannot be written it stays as it was, the table in memory keeps
    /// what the store holds, the user is told, and the window still counts as changed.
    bool cmdSave_Click();
    /// Whether any slider differs from LoadedValues.
    bool changed() const;
    /// The window is about to close: with unsaved changes, asks Yes/No/Cancel. Returns false
    /// when the window must stay open (Cancel, or Yes and the save failed).
    bool Form_Unload();
    /// Text typed into text box `band` was confirmed: a voltage within the table's range moves
    /// the slider to the nearest level; anything else is replaced by the slider's own text.
    void BandVolts_Confirm(int band, const QString& text);

    /// The level nearest to a typed voltage, or nothing when the text is no number within
    /// 0 to the table's full scale. A decimal comma is taken like a point.
    static std::optional<int> LevelFromVoltsText(const QString& text, int table);
    /// The unsaved-changes question of table 0-2.
    static QString PromptText(int table);
    /// "AN1" .. "AN3".
    static QString TableName(int table);

private:
    void showText(int band);

    int table_;
    Voltages& volts_;
    MessageBoxes& boxes_;
    VoltageColumns& columns_;
    QString folder_;
    std::array<int, kVoltBands> loaded_ = {};
};

} // namespace bdx4
