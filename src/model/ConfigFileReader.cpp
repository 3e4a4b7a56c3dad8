#include "model/Configuration.h"

#include <algorithm>
#include <cctype>

namespace bdx4 {

namespace {

using Fault = ConfigFault;

// The seven records in their order: the type and the number of data bytes of each (the
// addresses are kRecordAddresses; the end record's is 0).
constexpr int kRecordCount = 7;
constexpr int kAnRecord = 3; // AN1; AN2 and AN3 follow
constexpr int kPadding = 6;  // 0xFF bytes after the 13 pairs of an AN record
constexpr int kAnLength = 2 * kVoltageBands + kPadding;
constexpr std::array<int, kRecordCount> kRecordTypes = {0, 0, 0, 0, 0, 0, 1};
constexpr std::array<int, kRecordCount> kRecordLengths = {2 * int(kHfSlotRows.size()),
                                                          2 * int(kVhfSlotRows.size()),
                                                          int(kAccessoryTable.size()),
                                                          kAnLength,
                                                          kAnLength,
                                                          kAnLength,
                                                          0};
constexpr std::uint8_t kEmpty = 0xFF;

const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

/// The bits AC1-AC3 set in a row's byte 0.
constexpr std::uint8_t accBits() {
    std::uint8_t bits = 0;
    for (int c = kFirstAccOutput; c < kOutputs; ++c)
        bits |= kOutputMasks[c][0];
    return bits;
}

/// The band row of each slot of the HF (0) or VHF (1) record; -1 for an unused slot.
QList<int> slotRows(int record) {
    return record == 0 ? QList<int>(kHfSlotRows.begin(), kHfSlotRows.end())
                       : QList<int>(kVhfSlotRows.begin(), kVhfSlotRows.end());
}

Fault fault(Fault::Kind kind, int line, int record = 0) {
    Fault f;
    f.kind = kind;
    f.line = line;
    f.record = record;
    return f;
}

std::uint16_t recordAddress(int record) {
    return record < kRecordCount - 1 ? kRecordAddresses[record] : 0;
}

/// The record's bytes (count, address, type, data, checksum) once its form, count and checksum
/// hold, and its type, address and length are those of `record`. `text` is the line without its
/// quotes, which begin `column0` columns into the line.
std::optional<Fault> recordBytes(const QByteArray& text, int line, int column0, int record,
                                 QByteArray& bytes) {
    if (!text.startsWith(':'))
        return fault(Fault::NoStartCode, line, record);
    for (int i = 1; i < text.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) {
            Fault f = fault(Fault::NotHexDigit, line, record);
            f.column = column0 + i + 1;
            f.found = static_cast<unsigned char>(text[i]);
            return f;
        }
    }
    if (text.size() % 2 == 0) {
        Fault f = fault(Fault::OddDigitCount, line, record);
        f.found = int(text.size()) - 1;
        return f;
    }
    bytes = QByteArray::fromHex(text.mid(1));
    if (bytes.size() < 5)
        return fault(Fault::TooShort, line, record);
    const auto at = [&bytes](int i) { return int(static_cast<unsigned char>(bytes[i])); };
    const int length = int(bytes.size()) - 5;
    unsigned sum = 0;
    for (int i = 0; i + 1 < bytes.size(); ++i)
        sum += unsigned(at(i));
    const int checksum = int((0x100 - sum % 0x100) % 0x100);
    const std::array<std::pair<Fault::Kind, std::pair<int, int>>, 5> checks = {{
        {Fault::CountMismatch, {length, at(0)}},
        {Fault::BadChecksum, {at(int(bytes.size()) - 1), checksum}},
        {Fault::WrongType, {at(3), kRecordTypes[record]}},
        {Fault::WrongAddress, {at(1) << 8 | at(2), recordAddress(record)}},
        {Fault::WrongLength, {length, kRecordLengths[record]}},
    }};
    for (const auto& [kind, values] : checks) {
        if (values.first != values.second) {
            Fault f = fault(kind, line, record);
            f.found = values.first;
            f.expected = values.second;
            return f;
        }
    }
    return std::nullopt;
}

/// Reads the file's lines one by one into a configuration.
class Reader {
public:
    std::optional<Fault> read(const QByteArray& file);

    RowOutputs rows = {};
    bool accForBandMap = false;
    VoltageTables volts;
    QList<QByteArray> records;

private:
    std::optional<Fault> readRows(const QByteArray& data, int line, int record);
    std::optional<Fault> readAccessory(const QByteArray& data, int line);
    std::optional<Fault> readLevels(const QByteArray& data, int line, int record);

    std::array<int, 2> rowLines_ = {}; // the lines of the HF and VHF records
};

std::optional<Fault> Reader::read(const QByteArray& file) {
    QList<QByteArray> lines = (file.startsWith(kUtf8Mark) ? file.mid(3) : file).split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return fault(Fault::Empty, 0);

    const bool quoted = lines.first().startsWith('"');
    const int first = quoted ? Fault::kCommandLine : 0; // what line 1 holds
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const int number = i + 1;
        const int record = first + i;
        if (const qsizetype cr = line.indexOf('\r'); cr >= 0) {
            Fault f = fault(Fault::StrayCarriageReturn, number, record);
            f.column = int(cr) + 1;
            return f;
        }
        if (record > Fault::kEndRecord)
            return fault(Fault::ExtraLine, number, record);
        if (line.isEmpty())
            return fault(Fault::BlankLine, number, record);
        QByteArray text = line;
        if (quoted) {
            if (line.size() < 2 || !line.endsWith('"') || line.count('"') != 2)
                return fault(Fault::MissingQuotes, number, record);
            text = line.mid(1, line.size() - 2);
        } else if (line.startsWith('"')) {
            return fault(Fault::UnexpectedQuotes, number, record);
        }
        if (record == Fault::kCommandLine) {
            if (text != kDownloadCommand)
                return fault(Fault::NotDownloadCommand, number, record);
            continue;
        }
        QByteArray bytes;
        if (auto f = recordBytes(text, number, quoted ? 1 : 0, record, bytes))
            return f;
        records << text;
        const QByteArray data = bytes.mid(4, bytes.size() - 5);
        std::optional<Fault> f;
        if (record <= int(Section::Vhf))
            f = readRows(data, number, record);
        else if (record == int(Section::Accessory))
            f = readAccessory(data, number);
        else if (record < Fault::kEndRecord)
            f = readLevels(data, number, record);
        if (f)
            return f;
    }
    if (records.size() < kRecordCount)
        return fault(Fault::MissingLine, int(lines.size()) + 1, first + int(lines.size()));
    return std::nullopt;
}

std::optional<Fault> Reader::readRows(const QByteArray& data, int line, int record) {
    rowLines_[record] = line;
    const QList<int> rowOfSlot = slotRows(record);
    for (int slot = 0; slot < rowOfSlot.size(); ++slot) {
        const auto b0 = static_cast<std::uint8_t>(data[2 * slot]);
        const auto b1 = static_cast<std::uint8_t>(data[2 * slot + 1]);
        const int row = rowOfSlot[slot];
        if (row >= 0) {
            rows[row] = {b0, b1};
        } else if (b0 != 0 || b1 != 0) {
            Fault f = fault(Fault::UnusedSlotNotZero, line, record);
            f.index = slot;
            f.found = b0 << 8 | b1;
            return f;
        }
    }
    return std::nullopt;
}

std::optional<Fault> Reader::readAccessory(const QByteArray& data, int line) {
    const QByteArray table(reinterpret_cast<const char*>(kAccessoryTable.data()),
                           int(kAccessoryTable.size()));
    accForBandMap = data == QByteArray(data.size(), '\0');
    if (!accForBandMap && data != table)
        return fault(Fault::UnknownAccessoryTable, line, int(Section::Accessory));
    if (accForBandMap)
        return std::nullopt;
    // The box drives AC1-AC3 from its table then, and the program sends no AC bit in a row.
    for (int record = 0; record < 2; ++record) {
        for (const int row : slotRows(record)) {
            if (row >= 0 && (rows[row][0] & accBits()) != 0) {
                Fault f = fault(Fault::AccBitsWithDefaultTable, rowLines_[record], record);
                f.band = row;
                f.found = rows[row][0];
                f.otherLine = line;
                return f;
            }
        }
    }
    return std::nullopt;
}

std::optional<Fault> Reader::readLevels(const QByteArray& data, int line, int record) {
    const auto byte = [&data](int i) { return int(static_cast<std::uint8_t>(data[i])); };
    std::array<int, kVoltageBands> entryOfBand = {}; // 1-based; 0: not yet seen
    int firstEmpty = 0, previous = 0, previousLevel = 0, previousBand = 0;
    for (int entry = 1; entry <= kVoltageBands; ++entry) {
        const int level = byte(2 * entry - 2), code = byte(2 * entry - 1);
        if (level == kEmpty && code == kEmpty) {
            firstEmpty = firstEmpty == 0 ? entry : firstEmpty;
            continue;
        }
        Fault f = fault(Fault::UnknownBandCode, line, record);
        f.index = entry;
        f.found = code;
        const auto known = std::find(kBandCodes.begin(), kBandCodes.end(), code);
        if (known == kBandCodes.end())
            return f;
        const int band = int(known - kBandCodes.begin());
        f.band = band;
        f.found = level;
        if (level == 0 || level == kEmpty) {
            f.kind = level == 0 ? Fault::LevelZero : Fault::LevelReservedForEmpty;
            return f;
        }
        const std::array<std::pair<Fault::Kind, int>, 3> order = {{
            {Fault::BandTwice, entryOfBand[band]},
            {Fault::EmptyNotLast, firstEmpty},
            {Fault::OutOfOrder,
             std::pair(previousLevel, previousBand) > std::pair(level, band) ? previous : 0},
        }};
        for (const auto& [kind, otherEntry] : order) {
            if (otherEntry > 0) {
                f.kind = kind;
                f.otherIndex = otherEntry;
                f.otherBand = previousBand;
                f.expected = previousLevel;
                return f;
            }
        }
        entryOfBand[band] = previous = entry;
        previousLevel = level;
        previousBand = band;
        volts.setValue(record - kAnRecord, band, float(level));
    }
    for (int i = 2 * kVoltageBands; i < kAnLength; ++i) {
        if (byte(i) != 0xFF) {
            Fault f = fault(Fault::PaddingNotFF, line, record);
            f.index = i + 1;
            f.found = byte(i);
            return f;
        }
    }
    return std::nullopt;
}

} // namespace

ConfigReading ConfigFile::read(const QByteArray& bytes) {
    ConfigReading reading;
    if (bytes.size() > kMaxConfigFileSize) {
        reading.fault = fault(Fault::TooLarge, 0);
        return reading;
    }
    Reader reader;
    if (const std::optional<Fault> f = reader.read(bytes)) {
        reading.fault = *f;
        return reading;
    }
    StoredMap map = {};
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            map[r][c] = (reader.rows[r][0] & kOutputMasks[c][0]) != 0 ||
                        (reader.rows[r][1] & kOutputMasks[c][1]) != 0;
    reading.configuration = Configuration(map, reader.accForBandMap, reader.volts);
    reading.records = reader.records;
    return reading;
}

} // namespace bdx4
