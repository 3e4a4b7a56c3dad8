#pragma once

#include <array>
#include <cstdint>

namespace bdx4 {

constexpr int kBandRows = 21;       // "160M" .. "XVTR7"
constexpr int kOutputs = 16;        // "160" .. "AC3"
constexpr int kMaps = 3;            // MAP1 .. MAP3
constexpr int kWorkRows = 24;       // rows 21-23 exist in the packed tables and always stay 0
constexpr int kMaskEntries = 24;    // outputs 16-23 have no mask
constexpr int kFirstAccOutput = 13; // "AC1"; "AC2" and "AC3" follow

/// Row captions, in row order, as the grid labels them.
constexpr std::array<const char*, kBandRows> kRowCaptions = {
    "160M", "80M", "60M", "40M",   "30M",   "20M",   "17M",   "15M",   "12M",   "10M",  "6M",
    "XV1",  "XV2", "XV3", "XVTR1", "XVTR2", "XVTR3", "XVTR4", "XVTR5", "XVTR6", "XVTR7"};

/// The check-box control array of each row.
constexpr std::array<const char*, kBandRows> kRowArrayNames = {
    "Check160", "Check80", "Check60", "Check40", "Check30",   "Check20",   "Check17",
    "Check15",  "Check12", "Check10", "Check_6", "Check_XV1", "Check_XV2", "Check_XV3",
    "XVTR1",    "XVTR2",   "XVTR3",   "XVTR4",   "XVTR5",     "XVTR6",     "XVTR7"};

/// Output captions, in output (column) order.
constexpr std::array<const char*, kOutputs> kOutputCaptions = {
    "160", "80", "60",  "40",  "30",  "20",  "17",  "15",
    "12",  "10", "XV1", "XV2", "XV3", "AC1", "AC2", "AC3"};

/// The bits each output sets in a row's byte 0 and byte 1. Byte 0 is not in column order:
/// its low nibble carries outputs 0-3 and its high nibble outputs 12-15.
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

/// The default arrangement: for each row, the outputs it drives, as a bit set over outputs
/// (bit i = output i). The later variant is what the Defaults button gives after start-up.
constexpr std::uint16_t out(int i) {
    return std::uint16_t(1u << i);
}
constexpr int kXV1 = 10, kXV2 = 11, kXV3 = 12, kAC1 = 13, kAC2 = 14, kAC3 = 15;

constexpr std::array<std::uint16_t, kBandRows> kDefaultsLater = {
    out(0),
    out(1),
    out(2),
    out(3),
    out(4),
    out(5),
    out(6),
    out(7),
    out(8),
    out(9),
    out(kXV1), // 6M shares XV1 with the XV1 row
    out(kXV1),
    out(kXV2),
    out(kXV3), // XV1 .. XV3
    out(kXV1),
    out(kXV2),                                        // XVTR1, XVTR2
    std::uint16_t(out(kXV1) | out(kXV2)),             // XVTR3: the bits of 3
    out(kXV3),                                        // XVTR4
    std::uint16_t(out(kXV1) | out(kXV3)),             // XVTR5
    std::uint16_t(out(kXV2) | out(kXV3)),             // XVTR6
    std::uint16_t(out(kXV1) | out(kXV2) | out(kXV3)), // XVTR7
};

/// The arrangement a first start without stored maps sets: XVTR1-XVTR6 drive XV1, XV2, XV3,
/// AC1, AC2, AC3 in turn, and XVTR7 drives nothing.
constexpr std::array<std::uint16_t, kBandRows> kDefaultsStartup = {
    out(0),    out(1),    out(2),    out(3),    out(4),    out(5),    out(6),
    out(7),    out(8),    out(9),    out(kXV1), out(kXV1), out(kXV2), out(kXV3),
    out(kXV1), out(kXV2), out(kXV3), out(kAC1), out(kAC2), out(kAC3), 0,
};

} // namespace bdx4
