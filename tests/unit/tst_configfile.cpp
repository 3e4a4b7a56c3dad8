// Configuration files read back: the forms taken, one damaged file per kind of fault, and the
// round trip from a configuration to its file and back.

#include "io/ConfigFile.h"
#include "io/StoreFile.h"
#include "jobs/Export.h"
#include "support/Golden.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using Fault = ConfigFault;

namespace {

/// The worked records as one file: 160M and 20M ticked, the default accessory table, the AN1
/// default table, AN2 and AN3 empty.
const QList<QByteArray> kWorked = {
    golden::kDownloadCommand, golden::kHf160And20, golden::kEmptyVhf, golden::kAccessoryTable,
    golden::kAn1Defaults,     golden::kEmptyAn2,   golden::kEmptyAn3, ":00000001FF"};

QByteArray quoted(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += '"' + line + "\"\r\n";
    return text;
}

/// The worked file with line `n` (1-based) replaced.
QByteArray worked(int n, const QByteArray& line) {
    QList<QByteArray> lines = kWorked;
    lines[n - 1] = line;
    return quoted(lines);
}

QByteArray record(std::uint16_t address, const QByteArray& hex) {
    return ConfigImage::dataRecord(address, QByteArray::fromHex(hex));
}

/// The worked file with AN1's pairs replaced by `pairs` and the rest empty.
QByteArray an1(const QByteArray& pairs) {
    return worked(5, record(0xA0, pairs + golden::ffs(64 - int(pairs.size()))));
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void formsTaken_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray file = quoted(kWorked);
        const QByteArray unquoted = kWorked.mid(1).join("\r\n");
        QTest::newRow("as exported") << file;
        QTest::newRow("line feeds only") << QByteArray(file).replace("\r\n", "\n");
        QTest::newRow("no line end after the last") << file.chopped(2);
        QTest::newRow("empty lines after the last") << file + "\n\r\n";
        QTest::newRow("exactly 64 KiB") << file + QByteArray(65536 - file.size(), '\n');
        QTest::newRow("unquoted, lower case") << unquoted.toLower();
        QTest::newRow("unquoted after a UTF-8 mark") << "\xEF\xBB\xBF" + unquoted;
    }
    void formsTaken() {
        QFETCH(QByteArray, file);
        const ConfigReading read = ConfigFile::read(file);
        QVERIFY2(read.configuration, qPrintable(ConfigFile::describe(read.fault)));
        QCOMPARE(read.configuration->image().lines(), kWorked);
        QCOMPARE(QByteArray(read.records.join('|')).toUpper(), kWorked.mid(1).join('|'));
        const Configuration& c = *read.configuration;
        QVERIFY(c.map()[0][0] == 1 && c.map()[5][5] == 1 && !c.accOutputsForBandMap());
        QVERIFY(c.volts().level(0, 12) == 254 && c.volts().level(0, 0) == 0);
    }

    void damagedFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("words");
        const QByteArray file = quoted(kWorked), zeros(32, '0');
        const auto row = [](const char* name, const QByteArray& bytes, Fault::Kind kind, int line,
                            const char* words) {
            QTest::newRow(name) << bytes << int(kind) << line << QString(words);
        };
        row("nothing", "\r\n\n", Fault::Empty, 0, "the file is empty");
        row("one byte over 64 KiB", file + QByteArray(65537 - file.size(), '\n'), Fault::TooLarge,
            0, "larger than 64 KiB");
        row("a lone CR", QByteArray(file).remove(file.indexOf('\n', 19), 1),
            Fault::StrayCarriageReturn, 2, "line 2: a carriage return in column 78");
        row("a blank line", file.left(19) + "\r\n" + file.mid(19), Fault::BlankLine, 2,
            "line 2: the line is empty; the HF record belongs");
        row("the end record missing", file.left(file.lastIndexOf("\"\r\n\"") + 3),
            Fault::MissingLine, 8, "line 8: the file ends where the end record \":00000001FF\"");
        row("a line after the end", file + "\"\"", Fault::ExtraLine, 9, "line 9: text after");
        row("a quote missing", worked(3, golden::kEmptyVhf + "\"x"), Fault::MissingQuotes, 3,
            "line 3: the line is not one text between double quotes");
        row("a quoted line among bare ones", kWorked.mid(1, 2).join("\n") + "\n\"x\"",
            Fault::UnexpectedQuotes, 3, "line 3: the line is between double quotes");
        row("no download command", worked(1, ";BD00;"), Fault::NotDownloadCommand, 1,
            "line 1: a file of quoted lines begins with the download command");
        row("no colon", worked(4, golden::kAccessoryTable.mid(1)), Fault::NoStartCode, 4,
            "line 4: a record begins with \":\"; the accessory record belongs");
        row("a G", worked(2, QByteArray(golden::kHf160And20).replace(12, 1, "G")),
            Fault::NotHexDigit, 2, "line 2: \"G\" in column 14 is no hexadecimal digit");
        row("a trailing blank", kWorked[1] + " \n", Fault::NotHexDigit, 1, "a blank in column 76");
        row("a control byte", worked(8, ":0000\x01"), Fault::NotHexDigit, 8, "the byte 01 in col");
        row("odd digits", worked(3, golden::kEmptyVhf.chopped(1)), Fault::OddDigitCount, 3,
            "line 3: the record has 41 hex digits");
        row("too short", worked(8, ":000001FF"), Fault::TooShort, 8, "line 8: the record is too");
        row("count 16, 32 bytes", worked(2, ":10" + golden::kHf160And20.mid(3)),
            Fault::CountMismatch, 2, "line 2: the count says 16 data bytes, the record holds 32");
        row("checksum", worked(4, golden::kAccessoryTable.chopped(2) + "25"), Fault::BadChecksum, 4,
            "line 4: the checksum is 25, the record's bytes give 24");
        row("the end record early", worked(5, ":00000001FF"), Fault::WrongType, 5,
            "line 5: a record of type 01 where the AN1 record, of type 00, belongs");
        row("a data record for the end", worked(8, record(0, {})), Fault::WrongType, 8,
            "type 00 where the end record \":00000001FF\", of type 01");
        row("HF and VHF swapped", worked(2, golden::kEmptyVhf), Fault::WrongAddress, 2,
            "line 2: a record for address 0060 where the HF record, for address 0040, belongs");
        row("a short HF record", worked(2, record(0x40, zeros)), Fault::WrongLength, 2,
            "line 2: a record of 16 data bytes where the HF record, of 32 bytes, belongs");
        row("HF slot 15 used", worked(2, record(0x40, zeros + zeros.chopped(4) + "0100")),
            Fault::UnusedSlotNotZero, 2,
            "line 2: slot 15 of the HF record is unused and must be "
            "0000; it holds 0100");
        row("VHF slot 0 used", worked(3, record(0x60, "0002" + zeros.chopped(4))),
            Fault::UnusedSlotNotZero, 3, "slot 0 of the VHF record");
        row("another accessory table", worked(4, record(0x70, zeros.chopped(1) + "1")),
            Fault::UnknownAccessoryTable, 4, "line 4: the accessory record is neither");
        row("AC bits in XVTR7 with the default table",
            worked(3, record(0x60, zeros.chopped(4) + "8000")), Fault::AccBitsWithDefaultTable, 3,
            "line 3: the XVTR7 row switches AC1-AC3 (byte 0 is 80), but the accessory record on "
            "line 4");
        row("padding", worked(6, record(0xC0, golden::ffs(62) + "00")), Fault::PaddingNotFF, 6,
            "line 6: byte 32 of the AN2 record is 00");
        row("band code 0B", an1("1001100B"), Fault::UnknownBandCode, 5,
            "line 5: entry 2 of AN1 has the band code 0B");
        row("level 0", an1("000E"), Fault::LevelZero, 5,
            "entry 1 of AN1 gives 430 MHz the level 0");
        row("level FF", an1("1001FF02"), Fault::LevelReservedForEmpty, 5,
            "entry 2 of AN1 gives 80 m the level FF");
        row("160 m twice", an1("10012001"), Fault::BandTwice, 5,
            "line 5: entries 1 and 2 of AN1 are both for 160 m");
        row("an empty entry first", an1("FFFF1001"), Fault::EmptyNotLast, 5,
            "line 5: entry 1 of AN1 is empty (FFFF) but entry 2 after it is not");
        row("descending", an1("20021001"), Fault::OutOfOrder, 5,
            "line 5: entry 2 of AN1 (160 m at level 10) comes after entry 1 (80 m at level 20)");
        row("equal levels, 160 m before 80 m", an1("10011002"), Fault::OutOfOrder, 5,
            "entry 2 of AN1 (80 m at level 10) comes after entry 1 (160 m at level 10)");
    }
    void damagedFilesAreRefused() {
        QFETCH(QByteArray, file);
        QFETCH(int, kind);
        QFETCH(int, line);
        QFETCH(QString, words);
        const ConfigReading read = ConfigFile::read(file);
        QVERIFY(!read.configuration);
        QCOMPARE(int(read.fault.kind), kind);
        QCOMPARE(read.fault.line, line);
        const QString said = ConfigFile::describe(read.fault);
        QVERIFY2(said.contains(words), qPrintable(said));
    }

    void filesThatCannotBeRead() {
        QTemporaryDir dir;
        const QString path = dir.filePath("config.txt");
        QCOMPARE(int(readConfigFile(path).fault.kind), int(Fault::NoFile));
        QCOMPARE(ConfigFile::describe(readConfigFile(dir.path()).fault),
                 QString("the file cannot be read: it is a folder"));
        QVERIFY(!writeFileWhole(path, quoted(kWorked) + QByteArray(1 << 20, '\n')));
        QCOMPARE(int(readConfigFile(path).fault.kind), int(Fault::TooLarge));
        QVERIFY(!exportConfiguration(path, ConfigImage::of(BandMaps(), VoltageTables())));
        QVERIFY(readConfigFile(path).configuration);
    }

    void configurationsComeBackAsTheyWent() {
        QRandomGenerator random(19);
        for (int n = 0; n < 300; ++n) {
            StoredMap map;
            for (auto& row : map)
                for (auto& cell : row)
                    cell = std::uint8_t(random.bounded(2));
            VoltageTables volts;
            for (int i = 0; i < kVoltageTables * kVoltageBands; ++i) // many at 0 and at 255
                volts.setValue(i / 13, i % 13, float(std::clamp(random.bounded(-60, 316), 0, 255)));
            BandMaps maps;
            maps.showMap(map);
            maps.setAccOutputsForBandMap(n % 2);
            const QByteArray file = exportText(Configuration::of(maps, volts).image());
            QCOMPARE(Configuration::of(maps, volts).image().lines(),
                     ConfigImage::of(maps, volts).lines());
            const ConfigReading read = ConfigFile::read(file);
            QVERIFY2(read.configuration, qPrintable(ConfigFile::describe(read.fault)));
            const Configuration& back = *read.configuration;
            QCOMPARE(exportText(back.image()), file);
            QCOMPARE(back.accOutputsForBandMap(), bool(n % 2));
            for (int r = 0; r < kBandRows; ++r) // AC1-AC3 come back only as band outputs
                for (int c = 0; c < kOutputs; ++c)
                    QCOMPARE(back.map()[r][c], c < kAC1 || n % 2 ? map[r][c] : 0);
            for (int i = 0; i < kVoltageTables * kVoltageBands; ++i) // 255 goes out as 254
                QCOMPARE(back.volts().level(i / 13, i % 13),
                         std::min(volts.level(i / 13, i % 13), 254));
        }
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
