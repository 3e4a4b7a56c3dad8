#include "model/ConfigImage.h"

namespace bdx4 {

namespace {

QByteArray rowSlots(const RowOutputs& rows, const int* slotRows, int count) {
    QByteArray data;
    for (int slot = 0; slot < count; ++slot) {
        const int row = slotRows[slot];
        data.append(char(row < 0 ? 0 : rows[row][0]));
        data.append(char(row < 0 ? 0 : rows[row][1]));
    }
    return data;
}

QByteArray levelPairs(const LevelList& list) {
    QByteArray data;
    for (const LevelEntry& entry : list) {
        data.append(char(entry.level));
        data.append(char(entry.bandCode));
    }
    return data + QByteArray(6, char(0xFF)); // the record's padding
}

} // namespace

QByteArray ConfigImage::dataRecord(std::uint16_t address, const QByteArray& data) {
    QByteArray bytes;
    bytes.append(char(data.size()));
    bytes.append(char(address >> 8));
    bytes.append(char(address & 0xFF));
    bytes.append(char(0)); // type: data
    bytes.append(data);
    unsigned sum = 0;
    for (const char b : bytes)
        sum += std::uint8_t(b);
    bytes.append(char((0x100 - sum % 0x100) % 0x100));
    return ':' + bytes.toHex().toUpper();
}

ConfigImage ConfigImage::build(const RowOutputs& rows, bool accForBandMap,
                               const VoltageTables& volts) {
    QByteArray accessory(16, char(0)); // the AC bits travel in the band rows instead
    if (!accForBandMap)
        accessory = QByteArray(reinterpret_cast<const char*>(kAccessoryTable.data()),
                               int(kAccessoryTable.size()));
    const std::array<QByteArray, 6> data = {
        rowSlots(rows, kHfSlotRows.data(), int(kHfSlotRows.size())),
        rowSlots(rows, kVhfSlotRows.data(), int(kVhfSlotRows.size())),
        accessory,
        levelPairs(volts.levelList(0)),
        levelPairs(volts.levelList(1)),
        levelPairs(volts.levelList(2)),
    };
    ConfigImage image;
    for (std::size_t i = 0; i < data.size(); ++i)
        image.records_[i] = dataRecord(kRecordAddresses[i], data[i]);
    return image;
}

ConfigImage ConfigImage::of(const BandMaps& maps, const VoltageTables& volts) {
    return build(maps.rowOutputs(), maps.accOutputsForBandMap(), volts);
}

QList<QByteArray> ConfigImage::lines() const {
    QList<QByteArray> lines{kDownloadCommand};
    for (const QByteArray& record : records_)
        lines << record;
    lines << kEndRecord;
    return lines;
}

QString ConfigImage::sectionName(Section section) {
    switch (section) {
    case Section::Hf:
        return tr("HF Band Data");
    case Section::Vhf:
        return tr("VHF Band Data");
    case Section::Accessory:
        return tr("Accessory Data");
    case Section::An1:
        return tr("AN1 Band Voltages");
    case Section::An2:
        return tr("AN2 Band Voltages");
    case Section::An3:
        break;
    }
    return tr("AN3 Band Voltages");
}

QString ConfigImage::progressText(Section section) {
    switch (section) {
    case Section::Hf:
        return tr("HF Data");
    case Section::Vhf:
        return tr("VHF Data");
    case Section::Accessory:
        return tr("Acc Data");
    case Section::An1:
        return tr("AN1 Data");
    case Section::An2:
        return tr("AN2 Data");
    case Section::An3:
        break;
    }
    return tr("AN3 Data");
}

} // namespace bdx4
