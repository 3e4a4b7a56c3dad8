#include "model/BandMaps.h"

#include <algorithm>

namespace bdx4 {

BandMaps::BandMaps(QObject* parent) : QObject(parent) {}

void BandMaps::setCell(int row, int output, int value) {
    const auto shown = std::uint8_t(std::clamp(value, 0, kGrayed));
    if (shown_[row][output] == shown)
        return;
    shown_[row][output] = shown;
    unsaved_ = true;
    emit cellChanged(row, output, shown);
}

void BandMaps::store(int map) {
    for (int r = 0; r < kBandRows; ++r)
        stored_[map][r] = shown_[r];
    unsaved_ = false;
}

void BandMaps::setLabelledMap(int map) {
    labelled_ = map;
    emit labelledMapChanged(map);
}

void BandMaps::display(int map) {
    current_ = map;
    showMap(stored_[map]);
    setLabelledMap(map);
    unsaved_ = false;
}

void BandMaps::showMap(const StoredMap& map) {
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            setCell(r, c, map[r][c]);
}

void BandMaps::saveAs(int map) {
    current_ = map;
    store(map);
    setLabelledMap(map);
}

void BandMaps::clear() {
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            setCell(r, c, 0);
}

void BandMaps::setDefaults(Arrangement arrangement) {
    const auto& outputs =
        arrangement == Arrangement::Standard ? kStandardArrangement : kFirstStartArrangement;
    clear();
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            if (outputs[r] & outputBit(c))
                setCell(r, c, 1);
    unsaved_ = true; // also when the grid already held the arrangement
}

void BandMaps::setAccOutputsForBandMap(bool forBandMap) {
    accForBandMap_ = forBandMap;
    emit accModeChanged(forBandMap);
}

BandMaps::State BandMaps::state() const {
    return State{stored_, shown_, current_, labelled_, unsaved_, accForBandMap_};
}

void BandMaps::restoreState(const State& state) {
    stored_ = state.stored;
    showMap(state.shown);
    current_ = state.current;
    unsaved_ = state.unsaved;
    if (labelled_ != state.labelled)
        setLabelledMap(state.labelled);
    if (accForBandMap_ != state.accForBandMap)
        setAccOutputsForBandMap(state.accForBandMap);
}

RowOutputs packRows(const StoredMap& map, bool accForBandMap) {
    RowOutputs rows = {};
    for (int r = 0; r < kBandRows; ++r) {
        for (int c = 0; c < kOutputs; ++c) {
            if (map[r][c] != 1 || (c >= kFirstAccOutput && !accForBandMap))
                continue;
            rows[r][0] |= kOutputMasks[c][0];
            rows[r][1] |= kOutputMasks[c][1];
        }
    }
    return rows;
}

} // namespace bdx4
