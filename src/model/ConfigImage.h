#pragma once

#include "model/BandMaps.h"
#include "model/VoltageTables.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <array>

namespace bdx4 {

/// The six data records of the configuration image, in the order they are sent.
enum class Section { Hf, Vhf, Accessory, An1, An2, An3 };
constexpr std::array<Section, 6> kSections = {Section::Hf,  Section::Vhf, Section::Accessory,
                                              Section::An1, Section::An2, Section::An3};

/// The box's load address of each record, in Section order.
constexpr std::array<std::uint16_t, 6> kRecordAddresses = {0x0040, 0x0060, 0x0070,
                                                           0x00A0, 0x00C0, 0x00E0};

/// The command that puts the box into download mode.
inline const QByteArray kDownloadCommand = QByteArrayLiteral(";BD00;BD73;BDE;");
/// The Intel HEX end-of-file record that closes every download.
inline const QByteArray kEndRecord = QByteArrayLiteral(":00000001FF");

/// HF record slots 0-15: the band row each carries, or -1 for an empty slot. The 60M row
/// (row 2) sits in slot 10, after 10M.
constexpr std::array<int, 16> kHfSlotRows = {-1, 0, 1, 3, 4, 5, 6, 7, 8, 9, 2, 10, 11, 12, 13, -1};
/// VHF record slots 0-7: XVTR1-XVTR7 follow an empty slot.
constexpr std::array<int, 8> kVhfSlotRows = {-1, 14, 15, 16, 17, 18, 19, 20};
/// The accessory table sent while the box drives AC1-AC3 itself: the counts 0-7 in bits 5-7, then
/// single bits, then 0xFF.
constexpr std::array<std::uint8_t, 16> kAccessoryTable = {
    0x00, 0x20, 0x40, 0x60, 0x80, 0xA0, 0xC0, 0xE0, 0x00, 0x20, 0x40, 0x80, 0xFF, 0xFF, 0xFF, 0xFF};

/// What the box receives: the shown map's rows, the accessory table and the three level lists,
/// as six Intel HEX data records (upper-case hex, a checksum each).
class ConfigImage {
    Q_DECLARE_TR_FUNCTIONS(ConfigImage)
public:
    /// The image of the shown map, its ACn mode and the voltage tables.
    static ConfigImage of(const BandMaps& maps, const VoltageTables& volts);
    static ConfigImage build(const RowOutputs& rows, bool accForBandMap,
                             const VoltageTables& volts);

    const QByteArray& record(Section section) const { return records_[int(section)]; }
    /// The eight lines of a download: the download command, the six records, the end record.
    QList<QByteArray> lines() const;

    /// A data record (type 00) of `data` at `address`.
    static QByteArray dataRecord(std::uint16_t address, const QByteArray& data);

    /// The section's name in a message ("HF Band Data" ...).
    static QString sectionName(Section section);
    /// What the status box shows while the section's record is sent ("HF Data" ...).
    static QString progressText(Section section);

private:
    std::array<QByteArray, 6> records_;
};

} // namespace bdx4
