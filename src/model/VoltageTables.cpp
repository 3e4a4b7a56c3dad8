#include "model/VoltageTables.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace bdx4 {

int VoltageTables::levelOf(double value) {
    if (!(value > 0)) // also NaN
        return 0;
    if (value >= kTopLevel)
        return kTopLevel;
    return int(std::nearbyint(value)); // the default rounding mode rounds halves to even
}

LevelList VoltageTables::levelList(int table) const {
    constexpr std::uint8_t kEmpty = 255;
    LevelList list;
    for (int b = 0; b < kVoltageBands; ++b) {
        const int whole = level(table, b);
        list[b] = whole == 0 ? LevelEntry{kEmpty, kEmpty}
                             : LevelEntry{std::uint8_t(std::min(whole, 254)), kBandCodes[b]};
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const LevelEntry& a, const LevelEntry& b) { return a.level < b.level; });
    return list;
}

const std::array<std::uint8_t, kVoltageBands>& VoltageTables::defaultLevels(int table) {
    return table == 1 ? kDefaultLevelsAn2 : kDefaultLevelsAn1An3;
}

QString VoltageTables::voltsText(int level, int table) {
    // People read volts in their language's form ("3,49" in German); files never hold them.
    return QLocale().toString(double(level * kFullScaleVolts[table]) / kTopLevel, 'f', 2);
}

TypedVolts VoltageTables::readVoltsText(const QString& text, int table) {
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double volts = number.toDouble(&ok);
    const double fullScale = kFullScaleVolts[table];
    if (!ok || !std::isfinite(volts))
        return {TypedVolts::NotANumber, 0};
    if (volts < 0)
        return {TypedVolts::BelowZero, 0};
    if (volts > fullScale)
        return {TypedVolts::AboveRange, 0};
    return {TypedVolts::Taken, int(std::lround(volts * kTopLevel / fullScale))};
}

} // namespace bdx4
