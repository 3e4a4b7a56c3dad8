#include "RecordDecoder.h"

namespace bdx4sim {

const std::array<const char*, kBandRows> kBandRowNames = {
    "160M", "80M", "60M", "40M",   "30M",   "20M",   "17M",   "15M",   "12M",   "10M",  "6M",
    "XV1",  "XV2", "XV3", "XVTR1", "XVTR2", "XVTR3", "XVTR4", "XVTR5", "XVTR6", "XVTR7"};

const std::array<int, 14> kHfSlotRow = {0, 1, 3, 4, 5, 6, 7, 8, 9, 2, 10, 11, 12, 13};

const std::array<const char*, kDataBlocks> kBlockNames = {"HF", "VHF", "Acc", "AN1", "AN2", "AN3"};

namespace {

struct Block {
    int address;
    int count;
};

// Load address and length of each data block, by block index.
constexpr std::array<Block, kDataBlocks> kBlocks = {
    {{0x0040, 32}, {0x0060, 16}, {0x0070, 16}, {0x00A0, 32}, {0x00C0, 32}, {0x00E0, 32}}};

constexpr int kFirstVhfRow = 14;
// Longest line a record can need: ":" and 255 data bytes plus five bytes of frame.
constexpr int kMaxLine = 1 + 2 * (255 + 5);

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QString faultText(RecordFault fault) {
    switch (fault) {
    case RecordFault::None:
        return QStringLiteral("ok");
    case RecordFault::NoStartCode:
        return QStringLiteral("no start code");
    case RecordFault::BadDigit:
        return QStringLiteral("not a hexadecimal digit");
    case RecordFault::OddLength:
        return QStringLiteral("odd number of digits");
    case RecordFault::TooShort:
        return QStringLiteral("too short");
    case RecordFault::CountMismatch:
        return QStringLiteral("count does not match the data");
    case RecordFault::BadChecksum:
        return QStringLiteral("bad checksum");
    case RecordFault::TooLong:
        return QStringLiteral("too long");
    }
    return QStringLiteral("unknown");
}

IntelHexRecord decodeRecord(QByteArrayView line) {
    IntelHexRecord r;
    if (line.isEmpty() || line.front() != ':') {
        r.fault = RecordFault::NoStartCode;
        return r;
    }
    if (line.size() > kMaxLine) {
        r.fault = RecordFault::TooLong;
        return r;
    }
    const QByteArrayView digits = line.sliced(1);
    for (char c : digits) {
        if (hexValue(c) < 0) {
            r.fault = RecordFault::BadDigit;
            return r;
        }
    }
    if (digits.size() % 2 != 0) {
        r.fault = RecordFault::OddLength;
        return r;
    }
    const int bytes = int(digits.size() / 2);
    if (bytes < 5) {
        r.fault = RecordFault::TooShort;
        return r;
    }
    auto byteAt = [&](int i) { return hexValue(digits[2 * i]) * 16 + hexValue(digits[2 * i + 1]); };
    int sum = 0;
    for (int i = 0; i < bytes; ++i)
        sum += byteAt(i);
    r.count = byteAt(0);
    r.address = byteAt(1) * 256 + byteAt(2);
    r.type = byteAt(3);
    r.checksum = byteAt(bytes - 1);
    if (r.count != bytes - 5) {
        r.fault = RecordFault::CountMismatch;
        return r;
    }
    r.data.reserve(r.count);
    for (int i = 0; i < r.count; ++i)
        r.data.append(char(byteAt(4 + i)));
    if (sum % 256 != 0)
        r.fault = RecordFault::BadChecksum;
    return r;
}

bool BoxConfig::complete() const {
    for (bool b : received) {
        if (!b)
            return false;
    }
    return ended;
}

int blockAtAddress(int address) {
    for (int i = 0; i < kDataBlocks; ++i) {
        if (kBlocks[i].address == address)
            return i;
    }
    return -1;
}

Placement storeRecord(BoxConfig& config, const IntelHexRecord& record) {
    if (!record.ok())
        return Placement::UnknownType;
    if (record.type == 1) {
        config.ended = true;
        return Placement::EndOfFile;
    }
    if (record.type != 0)
        return Placement::UnknownType;
    const int block = blockAtAddress(record.address);
    if (block < 0)
        return Placement::UnknownAddress;
    if (record.count != kBlocks[block].count)
        return Placement::WrongCount;

    auto byte = [&](int i) { return std::uint8_t(record.data[i]); };
    switch (block) {
    case 0: // HF: slots 0 and 15 are spare
        for (int slot = 1; slot <= 14; ++slot) {
            config.bandRows[kHfSlotRow[slot - 1]] = {byte(2 * slot), byte(2 * slot + 1)};
        }
        break;
    case 1: // VHF: slot 0 is spare, slots 1-7 are XVTR1-XVTR7
        for (int slot = 1; slot <= 7; ++slot)
            config.bandRows[kFirstVhfRow + slot - 1] = {byte(2 * slot), byte(2 * slot + 1)};
        break;
    case 2:
        for (int i = 0; i < kAccBytes; ++i)
            config.accessory[i] = byte(i);
        break;
    default: // AN1-AN3: 13 pairs, then padding
        for (int i = 0; i < kAnPairs; ++i)
            config.an[block - 3][i] = {byte(2 * i), byte(2 * i + 1)};
        break;
    }
    config.received[block] = true;
    return Placement::Stored;
}

} // namespace bdx4sim
