#pragma once

// Worked values the box's documentation gives, kept once for every test that needs them.

#include "model/VoltageTables.h"

#include <QByteArray>

namespace bdx4::golden {

inline QByteArray ffs(int count) {
    return QByteArray(count, 'F');
}

/// A map store never saved, a voltage store just created, the download's command line.
inline const QByteArray kEmptyMapStore = "\"Empty\"\r\n";
inline const QByteArray kNewVoltageStore = "0,0\r\n";
inline const QByteArray kDownloadCommand = ";BD00;BD73;BDE;";

/// An empty grid, the default-table mode and every band at level 0.
inline const QByteArray kEmptyHf = ":20004000" + QByteArray(64, '0') + "A0";
inline const QByteArray kEmptyVhf = ":10006000" + QByteArray(32, '0') + "90";
inline const QByteArray kAccessoryTable = ":100070000020406080A0C0E000204080FFFFFFFF24";
inline const QByteArray kAccessoryZeros = ":10007000" + QByteArray(32, '0') + "80";
inline const QByteArray kEmptyAn1 = ":2000A000" + ffs(64) + "60";
inline const QByteArray kEmptyAn2 = ":2000C000" + ffs(64) + "40";
inline const QByteArray kEmptyAn3 = ":2000E000" + ffs(64) + "20";

/// Only 160M -> "160" (byte 0 = 0x01) and 20M -> "20" (byte 1 = 0x02).
inline const QByteArray kHf160And20 =
    ":2000400000000100000000000000000200000000000000000000000000000000000000009D";
/// The HF record's end with every output of every band, AC1-AC3 as band outputs.
inline const QByteArray kHfAllOnEnd = "0000BC";
/// XVTR1 with XV3 and AC3 (byte 0 = 0x90): the bytes sum to a multiple of 256.
inline const QByteArray kVhfChecksumZero = ":100060000000900000000000000000000000000000";
inline const QByteArray kAn1Defaults = ":2000A0001F04330C40095A0773058D03A602FE01" + ffs(32) + "95";
inline const QByteArray kAn2Defaults =
    ":2000C00019012A023A0349045B056D067F079108A009B20CC40DFE0E" + ffs(16) + "22";

/// The first `tables` voltage tables at their default levels, the rest empty.
inline VoltageTables defaultVolts(int tables = kVoltageTables) {
    VoltageTables volts;
    for (int i = 0; i < tables * kVoltageBands; ++i)
        volts.setValue(i / kVoltageBands, i % kVoltageBands,
                       VoltageTables::defaultLevels(i / kVoltageBands)[i % kVoltageBands]);
    return volts;
}

} // namespace bdx4::golden
