#include "voltages/VoltageEditor.h"

#include "voltages/VoltStore.h"

#include <QDir>

#include <cmath>

namespace bdx4 {

VoltageEditor::VoltageEditor(int table, Voltages& volts, MessageBoxes& boxes,
                             VoltageColumns& columns, const QString& storeFolder)
    : table_(table), volts_(volts), boxes_(boxes), columns_(columns), folder_(storeFolder) {}

QString VoltageEditor::TableName(int table) {
    return QStringLiteral("AN%1").arg(table + 1);
}

QString VoltageEditor::PromptText(int table) {
    return QStringLiteral("The %1 Voltage Settings have changed.  Do you want to save these "
                          "settings?")
        .arg(TableName(table));
}

void VoltageEditor::showText(int band) {
    columns_.setText(band, Voltages::VoltsText(columns_.sliderValue(band), table_));
}

void VoltageEditor::Form_Load() {
    LoadVoltStore(volts_, folder_);
    for (int i = 0; i < kVoltBands; ++i) {
        const int level = Voltages::LevelFromValue(volts_.state().BandVoltTable[table_][i]);
        columns_.setSliderValue(i, level);
        loaded_[i] = level;
        showText(i); // also when the slider already stood there and raised nothing
    }
}

void VoltageEditor::BVScroll_Change(int band) {
    showText(band);
}

void VoltageEditor::cmd_Defaults_Click() {
    const auto& levels = Voltages::DefaultLevels(table_);
    for (int i = 0; i < kVoltBands; ++i)
        columns_.setSliderValue(i, levels[i]);
}

bool VoltageEditor::cmdSave_Click() {
    float* row = volts_.state().BandVoltTable[table_];
    float before[kVoltBands];
    std::copy(row, row + kVoltBands, before);
    for (int i = 0; i < kVoltBands; ++i)
        row[i] = float(columns_.sliderValue(i));
    const Failure failure = WriteVoltStore(volts_, folder_);
    if (failure) {
        // The store kept the old tables; so does memory, and with it the next download.
        std::copy(before, before + kVoltBands, row);
        volts_.BuildAnalogTables();
        MessageRequest box;
        box.text = QStringLiteral("The %1 voltage settings could not be saved to %2.\r\n\r\n%3")
                       .arg(TableName(table_), QDir::toNativeSeparators(VoltStorePath(folder_)),
                            failure->description);
        box.icon = MsgIcon::Critical;
        boxes_.show(box);
        return false;
    }
    for (int i = 0; i < kVoltBands; ++i)
        loaded_[i] = columns_.sliderValue(i);
    return true;
}

bool VoltageEditor::changed() const {
    for (int i = 0; i < kVoltBands; ++i)
        if (columns_.sliderValue(i) != loaded_[i])
            return true;
    return false;
}

bool VoltageEditor::Form_Unload() {
    if (!changed())
        return true;
    MessageRequest box;
    box.text = PromptText(table_);
    box.buttons = MsgButtons::YesNoCancel;
    box.defaultButton = MsgAnswer::Yes;
    switch (boxes_.show(box)) {
    case MsgAnswer::Yes:
        return cmdSave_Click(); // a failed save keeps the window, so nothing is lost
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

std::optional<int> VoltageEditor::LevelFromVoltsText(const QString& text, int table) {
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double volts = number.toDouble(&ok);
    const double fullScale = kFullScaleVolts[table];
    if (!ok || !std::isfinite(volts) || volts < 0 || volts > fullScale)
        return std::nullopt;
    return int(std::lround(volts * 255.0 / fullScale));
}

void VoltageEditor::BandVolts_Confirm(int band, const QString& text) {
    if (const std::optional<int> level = LevelFromVoltsText(text, table_))
        columns_.setSliderValue(band, *level);
    showText(band); // the typed text gives way to the slider's own, also when it did not move
}

} // namespace bdx4
