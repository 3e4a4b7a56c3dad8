#pragma once

#include <array>
#include <cstdint>

namespace bdx4 {

constexpr int kBandRows = 21; // "160M" .. "XVTR7"
constexpr int kOutputs = 16;  // "160" .. "AC3"
constexpr int kMaps = 3;      // MAP1 .. MAP3

/// The first of the three accessory outputs AC1-AC3, the last three columns.
constexpr int kFirstAccOutput = 13;
/// The first of the seven transverter rows XVTR1-XVTR7, which the box keeps in its VHF record.
constexpr int kFirstXvtrRow = 14;

/// Row captions, in row order, as the grid labels them.
constexpr std::array<const char*, kBandRows> kRowCaptions = {
    "160M", "80M", "60M", "40M",   "30M",   "20M",   "17M",   "15M",   "12M",   "10M",  "6M",
    "XV1",  "XV2", "XV3", "XVTR1", "XVTR2", "XVTR3", "XVTR4", "XVTR5", "XVTR6", "XVTR7"};

/// Output captions, in output (column) order.
constexpr std::array<const char*, kOutputs> kOutputCaptions = {
    "160", "80", "60",  "40",  "30",  "20",  "17",  "15",
    "12",  "10", "XV1", "XV2", "XV3", "AC1", "AC2", "AC3"};

/// The bits each output sets in a row's byte 0 and byte 1. Byte 0 is not in column order: its
/// low nibble carries outputs 0-3 and its high nibble outputs 12-15 (AC1-AC3 only while they are
/// band outputs).
constexpr std::array<std::array<std::uint8_t, 2>, kOutputs> kOutputMasks = {{
    {0x01, 0},
    {0x02, 0},
    {0x04, 0},
    {0x08, 0},
    {0, 0x01},
    {0, 0x02},
    {0, 0x04},
    {0, 0x08},
    {0, 0x10},
    {0, 0x20},
    {0, 0x40},
    {0, 0x80},
    {0x10, 0},
    {0x20, 0},
    {0x40, 0},
    {0x80, 0},
}};

/// A set of outputs, bit i standing for output i.
constexpr std::uint16_t outputBit(int output) {
    return std::uint16_t(1u << output);
}
constexpr int kXV1 = 10, kXV2 = 11, kXV3 = 12, kAC1 = 13, kAC2 = 14, kAC3 = 15;

/// The usual arrangement, which "Defaults" sets: each band drives the output of its name, and
/// transverter row XVTRk drives XV1, XV2 and XV3 by the bits of k.
constexpr std::array<std::uint16_t, kBandRows> kStandardArrangement = {
    outputBit(0),
    outputBit(1),
    outputBit(2),
    outputBit(3),
    outputBit(4),
    outputBit(5),
    outputBit(6),
    outputBit(7),
    outputBit(8),
    outputBit(9),
    outputBit(kXV1), // 6M shares XV1 with the XV1 row
    outputBit(kXV1),
    outputBit(kXV2),
    outputBit(kXV3),
    outputBit(kXV1),
    outputBit(kXV2),
    std::uint16_t(outputBit(kXV1) | outputBit(kXV2)),
    outputBit(kXV3),
    std::uint16_t(outputBit(kXV1) | outputBit(kXV3)),
    std::uint16_t(outputBit(kXV2) | outputBit(kXV3)),
    std::uint16_t(outputBit(kXV1) | outputBit(kXV2) | outputBit(kXV3)),
};

/// The arrangement a first start without stored maps shows: XVTR1-XVTR6 drive XV1, XV2, XV3,
/// AC1, AC2, AC3 in turn, and XVTR7 drives nothing.
constexpr std::array<std::uint16_t, kBandRows> kFirstStartArrangement = {
    outputBit(0),    outputBit(1),    outputBit(2),
    outputBit(3),    outputBit(4),    outputBit(5),
    outputBit(6),    outputBit(7),    outputBit(8),
    outputBit(9),    outputBit(kXV1), outputBit(kXV1),
    outputBit(kXV2), outputBit(kXV3), outputBit(kXV1),
    outputBit(kXV2), outputBit(kXV3), outputBit(kAC1),
    outputBit(kAC2), outputBit(kAC3), 0,
};

} // namespace bdx4
