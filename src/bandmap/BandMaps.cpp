#include "bandmap/BandMaps.h"

namespace bdx4 {

BandMaps::BandMaps(CellGrid& grid, MessageBoxes& boxes, MenuMarks& marks)
    : grid_(grid), boxes_(boxes), marks_(marks) {
    grid_.setChangedHandler([this](int row, int output) { CellChanged(row, output); });
}

void BandMaps::FillOutputBitMask() {
    for (int c = 0; c < kOutputs; ++c) {
        s_.OutputBitMask[c][0] = kOutputMasks[c][0];
        s_.OutputBitMask[c][1] = kOutputMasks[c][1];
    }
}

void BandMaps::ShowMap(int map) {
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            s_.GridWork[r][c] = s_.BandMapStore[map][r][c];
    WorkToGrid();
}

void BandMaps::StoreMap(int map) {
    GridToWork();
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            s_.BandMapStore[map][r][c] = s_.GridWork[r][c];
    s_.MapChanged = false;
}

int BandMaps::CellForGrid(int stored) {
    return stored <= 2 ? stored : 2;
}

void BandMaps::WorkToGrid() {
    for (int c = 0; c < kOutputs; ++c)
        for (int r = 0; r < kBandRows; ++r)
            grid_.setCell(r, c, CellForGrid(s_.GridWork[r][c]));
}

void BandMaps::GridToWork() {
    for (int c = 0; c < kOutputs; ++c)
        for (int r = 0; r < kBandRows; ++r)
            s_.GridWork[r][c] = std::uint8_t(grid_.cell(r, c));
}

void BandMaps::ClearGrid() {
    for (int c = 0; c < kOutputs; ++c)
        for (int r = 0; r < kBandRows; ++r)
            grid_.setCell(r, c, 0);
}

void BandMaps::BuildRowOutputBits() {
    for (auto& row : s_.RowOutputBits)
        row[0] = row[1] = 0;
    for (int c = 0; c < kOutputs; ++c)
        for (int r = 0; r < kBandRows; ++r)
            if (grid_.cell(r, c) == 1)
                OrOutputBit(r, c);
}

void BandMaps::OrOutputBit(int row, int output) {
    s_.RowOutputBits[row][0] |= s_.OutputBitMask[output][0];
    s_.RowOutputBits[row][1] |= s_.OutputBitMask[output][1];
}

void BandMaps::PrepareRowOutputBits() {
    for (int i = 0; i < 3; ++i) {
        s_.OutputBitMask[kFirstAccOutput + i][0] =
            s_.UseAccForBandmap ? kOutputMasks[kFirstAccOutput + i][0] : 0;
        s_.OutputBitMask[kFirstAccOutput + i][1] = 0;
    }
    BuildRowOutputBits();
}

void BandMaps::CellChanged(int, int) {
    s_.MapChanged = true;
}

QString BandMaps::UnsavedChangesText(int currentMap) {
    return QStringLiteral("The last Map%1 changes have not been saved.  Do you want to save "
                          "these changes?")
        .arg(currentMap + 1);
}

std::optional<MsgAnswer> BandMaps::AskUnsavedChanges() {
    if (!s_.MapChanged)
        return std::nullopt;
    MessageRequest box;
    box.text = UnsavedChangesText(s_.CurrentMap);
    box.buttons = MsgButtons::YesNo;
    box.defaultButton = MsgAnswer::Yes;
    return boxes_.show(box) == MsgAnswer::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

void BandMaps::Defaults_Click() {
    if (AskUnsavedChanges() == MsgAnswer::Yes)
        StoreMap(s_.CurrentMap);
    ClearGrid();
    const auto& arrangement = s_.StartupDone ? kDefaultsLater : kDefaultsStartup;
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            if (arrangement[r] & out(c))
                grid_.setCell(r, c, 1);
    s_.MapChanged = true;
}

void BandMaps::Clear_Array_Click() {
    if (AskUnsavedChanges() == MsgAnswer::Yes)
        StoreMap(s_.CurrentMap);
    ClearGrid();
}

void BandMaps::SetAccMarks(bool useAcc) {
    marks_.setChecked(QStringLiteral("cmd_UseACC_Yes"), useAcc);
    marks_.setChecked(QStringLiteral("cmd_UseACC_No"), !useAcc);
}

void BandMaps::cmd_UseACC_Yes_Click() {
    SetAccMarks(true);
    s_.UseAccForBandmap = true;
    ShowAccColumns(true);
}

void BandMaps::cmd_UseACC_No_Click() {
    SetAccMarks(false);
    s_.UseAccForBandmap = false;
    ShowAccColumns(false);
}

void BandMaps::ShowAccColumns(bool visible) {
    for (int c = kFirstAccOutput; c < kOutputs; ++c)
        for (int r = 0; r < kBandRows; ++r)
            grid_.setCellVisible(r, c, visible);
}

} // namespace bdx4
