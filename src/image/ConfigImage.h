#pragma once

#include "bandmap/BandMaps.h"
#include "voltages/Voltages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace bdx4 {

/// The six data records of the configuration image, in the order they are sent.
enum class Section { HF, VHF, Acc, AN1, AN2, AN3 };
constexpr std::array<Section, 6> kSections = {Section::HF,  Section::VHF, Section::Acc,
                                              Section::AN1, Section::AN2, Section::AN3};

/// The command that puts the box into download mode.
inline const QString kDownloadCommand = QStringLiteral(";BD00;BD73;BDE;");
/// The fixed Intel HEX end-of-file record.
inline const QString kEndRecord = QStringLiteral(":00000001FF");

/// HF record slots 0-15: the band row each carries, or -1 for an empty slot. The 60M row
/// (row 2) sits in slot 10, after 10M.
constexpr std::array<int, 16> kHfSlotRows = {-1, 0, 1, 3, 4, 5, 6, 7, 8, 9, 2, 10, 11, 12, 13, -1};
/// VHF record slots 0-7: XVTR1-XVTR7 follow an empty slot.
constexpr std::array<int, 8> kVhfSlotRows = {-1, 14, 15, 16, 17, 18, 19, 20};
/// The accessory table sent while AC1-AC3 are left to the box: counts 0-7 in bits 5-7, then
/// the single bits, then 0xFF.
constexpr std::array<std::uint8_t, 16> kAccDefaultTable = {
    0x00, 0x20, 0x40, 0x60, 0x80, 0xA0, 0xC0, 0xE0, 0x00, 0x20, 0x40, 0x80, 0xFF, 0xFF, 0xFF, 0xFF};

/// The record being assembled.
struct ImageState {
    QString HexRecord;
    int HexCheckSum = 0; // running sum of the record's bytes, modulo 256
};

/// Builds the Intel HEX records that carry the grid's packed rows (RowOutputBits, prepared by
/// the caller), the accessory table and the three level lists.
class ConfigImage {
public:
    ConfigImage(const BandMapState& maps, const VoltageState& volts);

    ImageState& state() { return s_; }

    /// "0" in front of a one-character text; other texts unchanged.
    static QString PadHex2(const QString& text);

    void AppendHfSlot(int slot);
    void AppendVhfSlot(int slot);
    void AppendAccSlot(int slot);
    void AppendAn1Pair(int band);
    void AppendAn2Pair(int band);
    void AppendAn3Pair(int band);

    /// Assembles one data record into HexRecord and returns it.
    QString AssembleRecord(Section section);

    /// The eight lines a download sends: the download command, the six data records and the
    /// end record. RowOutputBits must already be prepared.
    QStringList DownloadLines();

    /// The section's name in a failure message ("HF Band Data" ...).
    static QString SectionName(Section section);
    /// The progress text of the section's step ("HF Data" ...).
    static QString ProgressText(Section section);

    /// Lines as the export file holds them: each between double quotes, ending in CR LF.
    static QByteArray QuotedLines(const QStringList& lines);

private:
    void appendByte(int value);
    void appendPair(const std::uint8_t* level, const std::uint8_t* band, int index);

    const BandMapState& maps_;
    const VoltageState& volts_;
    ImageState s_;
};

} // namespace bdx4
