#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>

namespace bdx4sim {

/// Why a received line is not a record the box takes.
enum class RecordFault {
    None,
    NoStartCode,   ///< the line does not begin with ":"
    BadDigit,      ///< a character after ":" is not a hexadecimal digit
    OddLength,     ///< the digits do not make whole bytes
    TooShort,      ///< fewer than the five bytes of count, address, type and checksum
    CountMismatch, ///< the count byte disagrees with the number of data bytes
    BadChecksum,   ///< the bytes do not sum to a multiple of 256
    TooLong,       ///< the line ran past any record's length before its line end came
};

/// "bad checksum" and so on, for the box's log.
QString faultText(RecordFault fault);

/// One Intel HEX record as the box reads it.
struct IntelHexRecord {
    RecordFault fault = RecordFault::None;
    int count = 0;   ///< data bytes, as the count byte says
    int address = 0; ///< load address, high byte first on the line
    int type = 0;    ///< 0 data, 1 end of file
    QByteArray data;
    int checksum = 0;
    bool ok() const { return fault == RecordFault::None; }
};

/// Decodes one record line, without its CR LF. Upper- and lower-case digits are both taken.
IntelHexRecord decodeRecord(QByteArrayView line);

constexpr int kBandRows = 21;  // "160M" .. "XVTR7"
constexpr int kAccBytes = 16;  // the accessory table
constexpr int kAnInputs = 3;   // AN1 .. AN3
constexpr int kAnPairs = 13;   // (level, band code) pairs of one input
constexpr int kDataBlocks = 6; // HF, VHF, accessory, AN1, AN2, AN3

/// Band row names, in the order the box numbers its rows.
extern const std::array<const char*, kBandRows> kBandRowNames;
/// The band row each HF slot 1-14 fills: 60M travels in slot 10, after 10M.
extern const std::array<int, 14> kHfSlotRow;
/// Names of the six data blocks, by block index.
extern const std::array<const char*, kDataBlocks> kBlockNames;

/// The configuration as the box holds it after the records were stored.
struct BoxConfig {
    /// Byte 0 and byte 1 of each band row.
    std::array<std::array<std::uint8_t, 2>, kBandRows> bandRows{};
    std::array<std::uint8_t, kAccBytes> accessory{};
    /// (level, band code) pairs of AN1 .. AN3, in the order received.
    std::array<std::array<std::array<std::uint8_t, 2>, kAnPairs>, kAnInputs> an{};
    /// Which data blocks have been stored.
    std::array<bool, kDataBlocks> received{};
    /// The end-of-file record has arrived.
    bool ended = false;

    bool complete() const;
};

/// What storing a well-formed record did.
enum class Placement {
    Stored,         ///< a data block was stored
    EndOfFile,      ///< the end record
    UnknownAddress, ///< no block starts at that address: nothing stored
    WrongCount,     ///< the block exists but the record's length does not fit it
    UnknownType,    ///< a record type the box does not use
};

/// The data block a record address loads, or -1.
int blockAtAddress(int address);

/// Stores a well-formed record into the configuration. Records with a fault are not stored
/// (UnknownType is returned for them).
Placement storeRecord(BoxConfig& config, const IntelHexRecord& record);

} // namespace bdx4sim
