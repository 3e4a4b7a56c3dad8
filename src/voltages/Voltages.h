#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace bdx4 {

constexpr int kVoltTables = 3; // AN1, AN2, AN3
constexpr int kVoltBands = 13; // "430 MHz" .. "160 m"
constexpr std::uint8_t kEmptyLevel = 255;

/// Band captions of the voltage windows' columns, in band-index order.
constexpr std::array<const char*, kVoltBands> kVoltBandCaptions = {
    "430 MHz", "2 m",  "6 m",  "10 m", "12 m", "15 m", "17 m",
    "20 m",    "30 m", "40 m", "60 m", "80 m", "160 m"};

/// The code the box uses for each band, in band-index order.
constexpr std::array<std::uint8_t, kVoltBands> kBandCodes = {14, 13, 12, 9,  8, 7, 6,
                                                             5,  4,  3,  10, 2, 1};

/// Full scale of each input in volts: level 255 stands for this voltage.
constexpr std::array<int, kVoltTables> kFullScaleVolts = {10, 5, 10};

/// The default tables that the windows' Defaults button puts on the sliders.
constexpr std::array<std::uint8_t, kVoltBands> kDefaultLevelsAn1An3 = {0,   0,  51,  64, 0,   90, 0,
                                                                       115, 31, 141, 0,  166, 255};
constexpr std::array<std::uint8_t, kVoltBands> kDefaultLevelsAn2 = {
    255, 196, 178, 160, 145, 127, 109, 91, 73, 58, 0, 42, 25};

/// The band-voltage tables and the sorted level lists the box receives.
struct VoltageState {
    /// Levels 0-255 by (table, band); 0 means the transceiver gives no voltage for that band.
    float BandVoltTable[kVoltTables][kVoltBands] = {};
    std::uint8_t BandCode[kVoltBands] = {};
    /// Levels in ascending order with their band codes; (255, 255) marks an empty entry.
    std::uint8_t An1Level[kVoltBands] = {};
    std::uint8_t An1Band[kVoltBands] = {};
    std::uint8_t An2Level[kVoltBands] = {};
    std::uint8_t An2Band[kVoltBands] = {};
    std::uint8_t An3Level[kVoltBands] = {};
    std::uint8_t An3Band[kVoltBands] = {};

    std::uint8_t* level(int table) {
        return table == 0 ? An1Level : table == 1 ? An2Level : An3Level;
    }
    std::uint8_t* band(int table) { return table == 0 ? An1Band : table == 1 ? An2Band : An3Band; }
    const std::uint8_t* level(int table) const {
        return const_cast<VoltageState*>(this)->level(table);
    }
    const std::uint8_t* band(int table) const {
        return const_cast<VoltageState*>(this)->band(table);
    }
};

/// The three voltage tables and their conversion into level lists.
class Voltages {
public:
    VoltageState& state() { return s_; }
    const VoltageState& state() const { return s_; }

    /// Fills BandCode with its fixed values (when the main window loads).
    void FillBandCode();
    /// Turns BandVoltTable into the six level lists: a band at level 0 becomes (255, 255),
    /// 255 counts as 254, and each list is sorted by ascending level, equal levels keeping
    /// band order and the empty entries at the tail.
    void BuildAnalogTables();

    /// The default levels of table 0-2.
    static const std::array<std::uint8_t, kVoltBands>& DefaultLevels(int table);
    /// A level as the windows show it, in volts with two decimals ("#0.00").
    static QString VoltsText(int level, int table);
    /// A level 0-255 from a stored value: rounded half to even, clamped into 0-255.
    static int LevelFromValue(double value);

private:
    VoltageState s_;
};

} // namespace bdx4
