// Configuration files read back: the forms taken, a damaged file per fault, the round trip.

#include "io/ConfigFile.h"
#include "io/ExportFile.h"
#include "support/Golden.h"
#include "support/Rows.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace bdx4;
using F = ConfigFault;

namespace {

/// The worked records: 160M and 20M ticked, the default accessory table, AN1's default table.
const QList<QByteArray> kWorked = {
    golden::kDownloadCommand, golden::kHf160And20, golden::kEmptyVhf, golden::kAccessoryTable,
    golden::kAn1Defaults,     golden::kEmptyAn2,   golden::kEmptyAn3, ":00000001FF"};

QByteArray quoted(const QList<QByteArray>& lines) {
    return '"' + lines.join("\"\r\n\"") + "\"\r\n";
}

/// The worked file with line `n` replaced by `line`, or by a record of `hex` at `address`.
QByteArray worked(int n, const QByteArray& line, int address = -1) {
    QList<QByteArray> lines = kWorked;
    lines[n - 1] = address < 0 ? line : ConfigImage::dataRecord(address, QByteArray::fromHex(line));
    return quoted(lines);
}

/// The worked file with AN1's pairs replaced by `pairs`, the rest empty.
QByteArray an1(const QByteArray& pairs) {
    return worked(5, pairs + golden::ffs(64 - int(pairs.size())), 0xA0);
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    // A damaged file names its line (none for the whole file) and what is wrong with it.
    void filesRead_data() { // the file and the kind of its fault (-1: taken)
        const test::Rows<std::pair<QByteArray, int>> rows;
        const QByteArray f = quoted(kWorked), z(32, '0'), hf = golden::kHf160And20,
                         vhf = golden::kEmptyVhf, acc = golden::kAccessoryTable;
        const auto row = [&rows](const QByteArray& bytes, int kind, const char* words) {
            rows(words, {bytes, kind});
        };
        const QByteArray bare = kWorked.mid(1).join("\r\n");
        row(f, -1, "as exported");
        row(QByteArray(f).replace("\r\n", "\n"), -1, "line feeds only");
        row(f.chopped(2), -1, "no line end after the last");
        row(f + QByteArray(65536 - f.size(), '\n'), -1,
            "empty lines after the last, 64 KiB in all");
        row(bare.toLower(), -1, "bare records in small letters");
        row("\xEF\xBB\xBF" + bare, -1, "bare records after a UTF-8 mark");
        row("\r\n\n", F::Empty, "the file is empty");
        row(f + QByteArray(65537 - f.size(), '\n'), F::TooLarge, "larger than 64 KiB");
        row(QByteArray(f).remove(97, 1), F::StrayCarriageReturn,
            "line 2: a carriage return in column 78");
        row(f.left(19) + "\r\r\n" + f.mid(19), F::StrayCarriageReturn,
            "line 2: a carriage return in column 1"); // a line that is a lone CR
        row(f.left(19) + "\n" + f.mid(19), F::BlankLine, "line 2: the line is empty; the HF");
        row(f.left(f.size() - 15), F::MissingLine, "line 8: the file ends where the end record");
        row(f + "\"\"", F::ExtraLine, "line 9: text after the end record");
        row(worked(3, vhf + "\"x"), F::MissingQuotes, "line 3: the line is not one text between");
        row(hf + "\n" + vhf + "\n\"x\"", F::UnexpectedQuotes, "line 3: the line is between double");
        row(worked(1, ";BD00;"), F::NotDownloadCommand, "line 1: a file of quoted lines begins");
        row(worked(4, acc.mid(1)), F::NoStartCode, "line 4: a record begins with \":\"; the acc");
        row(worked(2, QByteArray(hf).replace(12, 1, "G")), F::NotHexDigit,
            "line 2: \"G\" in column 14");
        row(hf + " \n", F::NotHexDigit, "line 1: a blank in column 76 is no hexadecimal digit");
        row(worked(8, ":0000\x7F"), F::NotHexDigit, "line 8: the byte 7F in column 7"); // DEL
        row(worked(3, vhf.chopped(1)), F::OddDigitCount, "line 3: the record has 41 hex digits");
        row(worked(8, ":000001FF"), F::TooShort, "line 8: the record is too short");
        row(worked(2, ":10" + hf.mid(3)), F::CountMismatch,
            "line 2: the count says 16 data bytes, the record holds 32");
        row(worked(4, acc.chopped(2) + "25"), F::BadChecksum,
            "line 4: the checksum is 25, the record's bytes give 24");
        row(worked(5, ":00000001FF"), F::WrongType,
            "line 5: a record of type 01 where the AN1 record, of type 00");
        row(worked(2, z + z, 0x140), F::WrongAddress,
            "line 2: a record for address 0140 where the HF record, for address 0040");
        row(worked(2, z, 0x40), F::WrongLength,
            "line 2: a record of 16 data bytes where the HF record, of 32");
        row(worked(2, z + z.chopped(4) + "0100", 0x40), F::UnusedSlotNotZero,
            "line 2: slot 15 of the HF record is unused and must be 0000; it holds 0100");
        row(worked(4, z.chopped(1) + "1", 0x70), F::UnknownAccessoryTable, "line 4: the accessory");
        row(worked(2, "00008000" + z.mid(8) + z, 0x40), F::AccBitsWithDefaultTable,
            "line 2: the 160M row switches AC1-AC3 (byte 0 is 80), but the accessory record on "
            "line 4");
        row(worked(6, golden::ffs(62) + "00", 0xC0), F::PaddingNotFF, "line 6: byte 32 of the AN2");
        row(an1("1001100B"), F::UnknownBandCode, "line 5: entry 2 of AN1 has the band code 0B");
        row(an1("000E"), F::LevelZero, "line 5: entry 1 of AN1 gives 430 MHz the level 0");
        row(an1("1001FF02"), F::LevelReservedForEmpty, "line 5: entry 2 of AN1 gives 80 m the le");
        row(an1("10012001"), F::BandTwice, "line 5: entries 1 and 2 of AN1 are both for 160 m");
        row(an1("FFFF1001"), F::EmptyNotLast, "line 5: entry 1 of AN1 is empty (FFFF) but entry 2");
        row(an1("20021001"), F::OutOfOrder,
            "line 5: entry 2 of AN1 (160 m at level 10) comes after entry 1 (80 m at level 20)");
        row(an1("10011002"), F::OutOfOrder, // equal levels go in band order
            "line 5: entry 2 of AN1 (80 m at level 10) comes after entry 1 (160 m at level 10)");
    }
    void filesRead() {
        const auto& [file, kind] = test::fetch<std::pair<QByteArray, int>>();
        const QString words = QTest::currentDataTag();
        const ConfigReading read = ConfigFile::read(file);
        if (kind < 0) {
            QVERIFY2(read.configuration, qPrintable(ConfigFile::describe(read.fault)));
            QCOMPARE(read.configuration->image().lines(), kWorked);
            QCOMPARE(QByteArray(read.records.join('|')).toUpper(), kWorked.mid(1).join('|'));
            return;
        }
        QVERIFY(!read.configuration);
        QCOMPARE(int(read.fault.kind), kind);
        QCOMPARE(read.fault.line, words.startsWith("line") ? words.mid(5, 1).toInt() : 0);
        QVERIFY2(ConfigFile::describe(read.fault).contains(words), qPrintable(words));
    }

    void configurationsComeBackAsTheyWent() {
        QRandomGenerator random(19);
        for (int n = 0; n < 300; ++n) {
            const bool acc = n % 2;
            BandMaps maps;
            VoltageTables volts;
            for (int i = 0; i < kBandRows * kOutputs; ++i)
                maps.setCell(i / 16, i % 16, random.bounded(2));
            for (int i = 0; i < kVoltageTables * kVoltageBands; ++i) // many at 0 and at 255
                volts.setValue(i / 13, i % 13, float(std::clamp(random.bounded(-60, 316), 0, 255)));
            maps.setAccOutputsForBandMap(acc);
            const QByteArray file = exportText(Configuration::of(maps, volts).image());
            QCOMPARE(file, exportText(ConfigImage::of(maps, volts)));
            const std::optional<Configuration> back = ConfigFile::read(file).configuration;
            QVERIFY(back && exportText(back->image()) == file &&
                    back->accOutputsForBandMap() == acc);
            for (int i = 0; i < kBandRows * kOutputs; ++i) // AC1-AC3 only as band outputs
                QCOMPARE(int(back->map()[i / 16][i % 16]),
                         i % 16 < kAC1 || acc ? maps.cell(i / 16, i % 16) : 0);
            for (int i = 0; i < kVoltageTables * kVoltageBands; ++i) // 255 goes out as 254
                QCOMPARE(back->volts().level(i / 13, i % 13),
                         std::min(volts.level(i / 13, i % 13), 254));
        }
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
