#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace bdx4 {

constexpr int kVoltageTables = 3; // AN1, AN2, AN3
constexpr int kVoltageBands = 13; // "430 MHz" .. "160 m"
/// The highest level; it stands for the input's full scale.
constexpr int kTopLevel = 255;

/// Band captions of the voltage windows' columns, in band order.
constexpr std::array<const char*, kVoltageBands> kVoltageBandCaptions = {
    "430 MHz", "2 m",  "6 m",  "10 m", "12 m", "15 m", "17 m",
    "20 m",    "30 m", "40 m", "60 m", "80 m", "160 m"};

/// The code the box uses for each band, in band order.
constexpr std::array<std::uint8_t, kVoltageBands> kBandCodes = {14, 13, 12, 9,  8, 7, 6,
                                                                5,  4,  3,  10, 2, 1};

/// Full scale of each input in volts: level 255 stands for this voltage.
constexpr std::array<int, kVoltageTables> kFullScaleVolts = {10, 5, 10};

/// The default tables that a voltage window's Defaults button puts on the sliders.
constexpr std::array<std::uint8_t, kVoltageBands> kDefaultLevelsAn1An3 = {
    0, 0, 51, 64, 0, 90, 0, 115, 31, 141, 0, 166, 255};
constexpr std::array<std::uint8_t, kVoltageBands> kDefaultLevelsAn2 = {
    255, 196, 178, 160, 145, 127, 109, 91, 73, 58, 0, 42, 25};

/// One entry of a level list as the box receives it: a level and the code of its band.
struct LevelEntry {
    std::uint8_t level = 0;
    std::uint8_t bandCode = 0;
    friend bool operator==(const LevelEntry& a, const LevelEntry& b) {
        return a.level == b.level && a.bandCode == b.bandCode;
    }
};
/// A table's bands sorted by ascending level; (255, 255) marks a band at level 0.
using LevelList = std::array<LevelEntry, kVoltageBands>;

/// A voltage typed into a window's box, read.
struct TypedVolts {
    enum Outcome {
        Taken,      ///< a voltage the table holds; `level` is the nearest level
        NotANumber, ///< no number at all
        BelowZero,  ///< below 0 volts
        AboveRange, ///< above the table's full scale
    };
    Outcome outcome = NotANumber;
    int level = 0;
};

/// The three band-voltage tables. A band's value is a level 0-255, 0 meaning that the
/// transceiver gives no voltage on that band. Values are kept as the store holds them (a
/// hand-edited store may hold fractions) and rounded where a whole level is needed.
class VoltageTables {
public:
    float value(int table, int band) const { return values_[table][band]; }
    void setValue(int table, int band, float value) { values_[table][band] = value; }
    /// The band's whole level: rounded half to even, within 0-255.
    int level(int table, int band) const { return levelOf(values_[table][band]); }

    /// The table as the box receives it: each band at its level with its code, a band at 0 as
    /// (255, 255), sorted by ascending level; bands of equal level keep their band order, and
    /// since 255 marks an empty entry, a band at full scale goes as 254.
    LevelList levelList(int table) const;

    /// A level 0-255 from a stored value: rounded half to even, clamped into 0-255.
    static int levelOf(double value);
    /// The default levels of a table.
    static const std::array<std::uint8_t, kVoltageBands>& defaultLevels(int table);
    /// A level as the windows show it, in volts with two decimals ("#0.00"), in the form of the
    /// default locale ("3,49" under German).
    static QString voltsText(int level, int table);
    /// What a voltage typed for table `table` comes to: the level nearest to it, or why the
    /// table cannot hold it. A decimal comma counts as a point, whatever the language.
    static TypedVolts readVoltsText(const QString& text, int table);

    friend bool operator==(const VoltageTables& a, const VoltageTables& b) {
        return a.values_ == b.values_;
    }
    friend bool operator!=(const VoltageTables& a, const VoltageTables& b) { return !(a == b); }

private:
    std::array<std::array<float, kVoltageBands>, kVoltageTables> values_ = {};
};

} // namespace bdx4
