#include "model/Configuration.h"

namespace bdx4 {

namespace {

using Fault = ConfigFault;

/// The number ConfigFault gives the AN1 record; AN2 and AN3 follow.
constexpr int kAnRecord = 3;

QString hex(int value, int digits = 2) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

/// "the HF record", "the AN2 record", "the end record \":00000001FF\"".
QString recordName(int record) {
    switch (record) {
    case Fault::kCommandLine:
        return ConfigFile::tr("the download command \"%1\"").arg(QLatin1String(kDownloadCommand));
    case 0:
        return ConfigFile::tr("the HF record");
    case 1:
        return ConfigFile::tr("the VHF record");
    case 2:
        return ConfigFile::tr("the accessory record");
    case Fault::kEndRecord:
        return ConfigFile::tr("the end record \"%1\"").arg(QLatin1String(kEndRecord));
    }
    return ConfigFile::tr("the AN%1 record").arg(record - kAnRecord + 1);
}

QLatin1String bandName(int band) {
    return QLatin1String(kVoltageBandCaptions[std::size_t(band)]);
}

/// A fault of a line as a whole: its end, its quotes, its place.
QString lineFault(const ConfigFault& f) {
    switch (f.kind) {
    case Fault::StrayCarriageReturn:
        return ConfigFile::tr(
                   "a carriage return in column %1 that does not end the line; lines end in CR LF "
                   "or LF")
            .arg(f.column);
    case Fault::BlankLine:
        return ConfigFile::tr("the line is empty; %1 belongs here").arg(recordName(f.record));
    case Fault::MissingLine:
        return ConfigFile::tr("the file ends where %1 belongs").arg(recordName(f.record));
    case Fault::ExtraLine:
        return ConfigFile::tr("text after the end record, which ends the file");
    case Fault::MissingQuotes:
        return ConfigFile::tr("the line is not one text between double quotes, as line 1 is");
    case Fault::UnexpectedQuotes:
        return ConfigFile::tr(
            "the line is between double quotes, but line 1 is not; either every line is "
            "quoted or none");
    case Fault::NotDownloadCommand:
        return ConfigFile::tr("a file of quoted lines begins with %1")
            .arg(recordName(Fault::kCommandLine));
    default:
        return QString();
    }
}

/// A fault of a record's form, or of its place among the seven.
QString recordFormFault(const ConfigFault& f) {
    switch (f.kind) {
    case Fault::NoStartCode:
        return ConfigFile::tr("a record begins with \":\"; %1 belongs here")
            .arg(recordName(f.record));
    case Fault::NotHexDigit: {
        const QString character = f.found == ' ' ? ConfigFile::tr("a blank")
                                  : f.found > ' ' && f.found < 0x7F
                                      ? QStringLiteral("\"%1\"").arg(QChar(f.found))
                                      : ConfigFile::tr("the byte %1").arg(hex(f.found));
        return ConfigFile::tr("%1 in column %2 is no hexadecimal digit")
            .arg(character)
            .arg(f.column);
    }
    case Fault::OddDigitCount:
        return ConfigFile::tr(
                   "the record has %1 hex digits after the \":\", but each byte takes two")
            .arg(f.found);
    case Fault::TooShort:
        return ConfigFile::tr(
            "the record is too short for a count, an address, a type and a checksum");
    case Fault::CountMismatch:
        return ConfigFile::tr("the count says %1 data bytes, the record holds %2")
            .arg(f.expected)
            .arg(f.found);
    case Fault::BadChecksum:
        return ConfigFile::tr("the checksum is %1, the record's bytes give %2")
            .arg(hex(f.found), hex(f.expected));
    case Fault::WrongType:
        return ConfigFile::tr("a record of type %1 where %2, of type %3, belongs")
            .arg(hex(f.found), recordName(f.record), hex(f.expected));
    case Fault::WrongAddress:
        return ConfigFile::tr("a record for address %1 where %2, for address %3, belongs")
            .arg(hex(f.found, 4), recordName(f.record), hex(f.expected, 4));
    case Fault::WrongLength:
        return ConfigFile::tr("a record of %1 data bytes where %2, of %3 bytes, belongs")
            .arg(f.found)
            .arg(recordName(f.record))
            .arg(f.expected);
    default:
        return QString();
    }
}

/// A fault of the HF, VHF and accessory records' content.
QString recordContentFault(const ConfigFault& f) {
    switch (f.kind) {
    case Fault::UnusedSlotNotZero:
        return ConfigFile::tr("slot %1 of %2 is unused and must be 0000; it holds %3")
            .arg(f.index)
            .arg(recordName(f.record), hex(f.found, 4));
    case Fault::UnknownAccessoryTable:
        return ConfigFile::tr(
            "the accessory record is neither the box's default table nor sixteen zero "
            "bytes");
    case Fault::AccBitsWithDefaultTable:
        return ConfigFile::tr(
                   "the %1 row switches AC1-AC3 (byte 0 is %2), but the accessory record on line "
                   "%3 is the box's default table, which drives them")
            .arg(QLatin1String(kRowCaptions[std::size_t(f.band)]), hex(f.found))
            .arg(f.otherLine);
    case Fault::PaddingNotFF:
        return ConfigFile::tr("byte %1 of %2 is %3, but the record's last six bytes are FF")
            .arg(f.index)
            .arg(recordName(f.record), hex(f.found));
    default:
        return QString();
    }
}

/// A fault of an AN record's list of levels.
QString levelListFault(const ConfigFault& f) {
    const QString table = QStringLiteral("AN%1").arg(f.record - kAnRecord + 1);
    switch (f.kind) {
    case Fault::UnknownBandCode:
        return ConfigFile::tr("entry %1 of %2 has the band code %3, which is no band's")
            .arg(f.index)
            .arg(table, hex(f.found));
    case Fault::LevelZero:
        return ConfigFile::tr(
                   "entry %1 of %2 gives %3 the level 0; a band without a voltage is an empty "
                   "entry FFFF at the end")
            .arg(f.index)
            .arg(table, bandName(f.band));
    case Fault::LevelReservedForEmpty:
        return ConfigFile::tr(
                   "entry %1 of %2 gives %3 the level FF, which the box takes for an empty entry; "
                   "the highest level is FE")
            .arg(f.index)
            .arg(table, bandName(f.band));
    case Fault::BandTwice:
        return ConfigFile::tr("entries %1 and %2 of %3 are both for %4")
            .arg(f.otherIndex)
            .arg(f.index)
            .arg(table, bandName(f.band));
    case Fault::EmptyNotLast:
        return ConfigFile::tr(
                   "entry %1 of %2 is empty (FFFF) but entry %3 after it is not; empty entries "
                   "come last")
            .arg(f.otherIndex)
            .arg(table)
            .arg(f.index);
    case Fault::OutOfOrder:
        return ConfigFile::tr(
                   "entry %1 of %2 (%3 at level %4) comes after entry %5 (%6 at level %7); the "
                   "entries go by ascending level, equal levels from 430 MHz to 160 m")
            .arg(f.index)
            .arg(table, bandName(f.band), hex(f.found))
            .arg(f.otherIndex)
            .arg(bandName(f.otherBand), hex(f.expected));
    default:
        return QString();
    }
}

} // namespace

QString ConfigFile::describe(const ConfigFault& f) {
    switch (f.kind) { // the file as a whole
    case Fault::NoFile:
        return tr("there is no such file");
    case Fault::Unreadable:
        return tr("the file cannot be read: %1").arg(f.reason);
    case Fault::TooLarge:
        return tr("the file is larger than 64 KiB, which no configuration file is");
    case Fault::Empty:
        return tr("the file is empty");
    default:
        break;
    }
    QString text;
    for (const auto& part : {lineFault, recordFormFault, recordContentFault, levelListFault})
        if (text.isEmpty())
            text = part(f);
    return tr("line %1: %2").arg(f.line).arg(text);
}

} // namespace bdx4
