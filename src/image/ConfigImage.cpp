#include "image/ConfigImage.h"

namespace bdx4 {

namespace {

struct RecordHeader {
    const char* text; // count, address and type
    int initialSum;   // count + address high + address low + type
};

RecordHeader headerOf(Section section) {
    switch (section) {
    case Section::HF:
        return {":20004000", 0x20 + 0x00 + 0x40};
    case Section::VHF:
        return {":10006000", 0x10 + 0x00 + 0x60};
    case Section::Acc:
        return {":10007000", 0x10 + 0x00 + 0x70};
    case Section::AN1:
        return {":2000A000", 0x20 + 0x00 + 0xA0};
    case Section::AN2:
        return {":2000C000", 0x20 + 0x00 + 0xC0};
    case Section::AN3:
        break;
    }
    return {":2000E000", (0x20 + 0x00 + 0xE0) % 256};
}

} // namespace

ConfigImage::ConfigImage(const BandMapState& maps, const VoltageState& volts)
    : maps_(maps), volts_(volts) {}

QString ConfigImage::PadHex2(const QString& text) {
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

void ConfigImage::appendByte(int value) {
    s_.HexRecord += PadHex2(QString::number(value & 0xFF, 16).toUpper());
    s_.HexCheckSum = (s_.HexCheckSum + (value & 0xFF)) % 256;
}

void ConfigImage::AppendHfSlot(int slot) {
    const int row = kHfSlotRows[slot];
    appendByte(row < 0 ? 0 : maps_.RowOutputBits[row][0]);
    appendByte(row < 0 ? 0 : maps_.RowOutputBits[row][1]);
}

void ConfigImage::AppendVhfSlot(int slot) {
    const int row = kVhfSlotRows[slot];
    appendByte(row < 0 ? 0 : maps_.RowOutputBits[row][0]);
    appendByte(row < 0 ? 0 : maps_.RowOutputBits[row][1]);
}

void ConfigImage::AppendAccSlot(int slot) {
    appendByte(kAccDefaultTable[2 * slot]);
    appendByte(kAccDefaultTable[2 * slot + 1]);
}

void ConfigImage::appendPair(const std::uint8_t* level, const std::uint8_t* band, int index) {
    appendByte(level[index]);
    appendByte(band[index]);
}

void ConfigImage::AppendAn1Pair(int band) {
    appendPair(volts_.An1Level, volts_.An1Band, band);
}
void ConfigImage::AppendAn2Pair(int band) {
    appendPair(volts_.An2Level, volts_.An2Band, band);
}
void ConfigImage::AppendAn3Pair(int band) {
    appendPair(volts_.An3Level, volts_.An3Band, band);
}

QString ConfigImage::AssembleRecord(Section section) {
    const RecordHeader header = headerOf(section);
    s_.HexCheckSum = 0;
    s_.HexRecord = QString::fromLatin1(header.text);
    s_.HexCheckSum = header.initialSum;
    switch (section) {
    case Section::HF:
        for (int slot = 0; slot < 16; ++slot)
            AppendHfSlot(slot);
        break;
    case Section::VHF:
        for (int slot = 0; slot < 8; ++slot)
            AppendVhfSlot(slot);
        break;
    case Section::Acc:
        if (maps_.UseAccForBandmap) // the AC bits travel in the band rows instead
            s_.HexRecord += QString(32, QLatin1Char('0'));
        else
            for (int slot = 0; slot < 8; ++slot)
                AppendAccSlot(slot);
        break;
    case Section::AN1:
    case Section::AN2:
    case Section::AN3:
        for (int band = 0; band < kVoltBands; ++band) {
            if (section == Section::AN1)
                AppendAn1Pair(band);
            else if (section == Section::AN2)
                AppendAn2Pair(band);
            else
                AppendAn3Pair(band);
        }
        for (int pad = 0; pad < 6; ++pad)
            appendByte(0xFF);
        break;
    }
    s_.HexRecord += PadHex2(QString::number((0x100 - s_.HexCheckSum) % 0x100, 16).toUpper());
    return s_.HexRecord;
}

QStringList ConfigImage::DownloadLines() {
    QStringList lines{kDownloadCommand};
    for (Section section : kSections)
        lines << AssembleRecord(section);
    lines << kEndRecord;
    return lines;
}

QString ConfigImage::SectionName(Section section) {
    switch (section) {
    case Section::HF:
        return QStringLiteral("HF Band Data");
    case Section::VHF:
        return QStringLiteral("VHF Band Data");
    case Section::Acc:
        return QStringLiteral("Accessory Data");
    case Section::AN1:
        return QStringLiteral("AN1 Band Voltages");
    case Section::AN2:
        return QStringLiteral("AN2 Band Voltages");
    case Section::AN3:
        break;
    }
    return QStringLiteral("AN3 Band Voltages");
}

QString ConfigImage::ProgressText(Section section) {
    switch (section) {
    case Section::HF:
        return QStringLiteral("HF Data");
    case Section::VHF:
        return QStringLiteral("VHF Data");
    case Section::Acc:
        return QStringLiteral("Acc Data");
    case Section::AN1:
        return QStringLiteral("AN1 Data");
    case Section::AN2:
        return QStringLiteral("AN2 Data");
    case Section::AN3:
        break;
    }
    return QStringLiteral("AN3 Data");
}

QByteArray ConfigImage::QuotedLines(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines)
        text += '"' + line.toLatin1() + "\"\r\n";
    return text;
}

} // namespace bdx4
