#pragma once

#include "model/BandMaps.h"
#include "model/ConfigImage.h"
#include "model/VoltageTables.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

namespace bdx4 {

/// What one configuration sends to the box: a map, the ACn mode and the three voltage tables.
/// A map read from a file holds 0 (off) and 1 (on); one taken from the grid may also hold 2
/// (grayed, sent as off).
class Configuration {
public:
    Configuration() = default;
    Configuration(const StoredMap& map, bool accForBandMap, const VoltageTables& volts)
        : map_(map), accForBandMap_(accForBandMap), volts_(volts) {}
    /// The map shown on the grid with its ACn mode, and `volts`.
    static Configuration of(const BandMaps& maps, const VoltageTables& volts) {
        return Configuration(maps.shownMap(), maps.accOutputsForBandMap(), volts);
    }

    const StoredMap& map() const { return map_; }
    /// True: AC1-AC3 are band outputs of the map; false: the box's accessory table drives them.
    bool accOutputsForBandMap() const { return accForBandMap_; }
    const VoltageTables& volts() const { return volts_; }
    /// The records the box receives for this configuration.
    ConfigImage image() const {
        return ConfigImage::build(packRows(map_, accForBandMap_), accForBandMap_, volts_);
    }

private:
    StoredMap map_ = {};
    bool accForBandMap_ = false;
    VoltageTables volts_;
};

/// The first thing wrong with a configuration file. Which of the values mean something depends on
/// the kind; each kind's comment names them. Entries and bytes count from 1, slots from 0, as the
/// messages say them.
struct ConfigFault {
    enum Kind {
        // The file as a whole (`line` is 0).
        NoFile,     ///< there is no such file
        Unreadable, ///< the file cannot be opened or read: `reason`
        TooLarge,   ///< larger than kMaxConfigFileSize
        Empty,      ///< no line at all (blank lines do not count)
        // The lines.
        StrayCarriageReturn, ///< a CR not followed by LF, at `column`
        BlankLine,           ///< an empty line where `record` belongs
        MissingLine,         ///< the file ends where `record` belongs (`line` is one past the last)
        ExtraLine,           ///< text after the end record
        MissingQuotes,       ///< a line of a quoted file that is not one quoted text
        UnexpectedQuotes,    ///< a quoted line in a file whose first line is not quoted
        NotDownloadCommand,  ///< the first line of a quoted file is not the download command
        // A record's form.
        NoStartCode,   ///< the line does not begin with ':'; `record` belongs there
        NotHexDigit,   ///< `found` (a byte) at `column` is no hexadecimal digit
        OddDigitCount, ///< `found` hex digits: bytes take two each
        TooShort,      ///< fewer bytes than a count, an address, a type and a checksum
        CountMismatch, ///< the count byte says `expected` data bytes, the record holds `found`
        BadChecksum,   ///< the checksum is `found`, the record's bytes give `expected`
        // Its place among the seven records.
        WrongType,    ///< type `found` where `record` (type `expected`) belongs
        WrongAddress, ///< address `found` where `record` (address `expected`) belongs
        WrongLength,  ///< `found` data bytes where `record` (`expected` bytes) belongs
        // Its content.
        UnusedSlotNotZero,       ///< slot `index` of `record` is unused but holds `found` (2 bytes)
        UnknownAccessoryTable,   ///< the accessory record is neither the default table nor zeros
        AccBitsWithDefaultTable, ///< band row `band` sets AC1-AC3 bits (byte 0 = `found`) although
                                 ///< the accessory record on line `otherLine` is the default table
        PaddingNotFF,            ///< byte `index` of `record`, padding, is `found`
        UnknownBandCode,         ///< entry `index` of `record` has the band code `found`
        LevelZero,               ///< entry `index` gives band `band` the level 0
        LevelReservedForEmpty,   ///< entry `index` gives band `band` the level 255
        BandTwice,               ///< entries `otherIndex` and `index` are both for band `band`
        EmptyNotLast,            ///< entry `otherIndex` is empty but entry `index` after it is not
        OutOfOrder,              ///< entry `index` (`band` at level `found`) comes after entry
                                 ///< `otherIndex` (`otherBand` at `expected`)
    };
    /// The command line and the seven records as `record` numbers them.
    static constexpr int kCommandLine = -1;
    static constexpr int kEndRecord = 6;

    Kind kind = Empty;
    int line = 0;       ///< 1-based line of the file; 0: the file as a whole
    int record = 0;     ///< kCommandLine, 0-5 the data records in Section order, or kEndRecord
    int column = 0;     ///< 1-based column of the line, as the file holds it
    int index = 0;      ///< a slot, byte or entry
    int otherIndex = 0; ///< a second entry
    int found = 0;      ///< the value the file holds
    int expected = 0;   ///< the value that belongs there
    int band = 0;       ///< a band row (0-20) or, in an AN record, a voltage band (0-12)
    int otherBand = 0;  ///< a second voltage band
    int otherLine = 0;  ///< a second line
    QString reason;     ///< why the file cannot be read, in the user's words
};

/// A configuration file read: the configuration, or the first thing wrong with it.
struct ConfigReading {
    std::optional<Configuration> configuration;
    /// The seven records as the file holds them, without quotes or line ends (when it was read).
    QList<QByteArray> records;
    ConfigFault fault; ///< when there is no configuration
};

/// A configuration file is a few hundred bytes; anything this large is some other file.
constexpr qint64 kMaxConfigFileSize = 64 * 1024;

/// Reading the file "Write Bandmap to File" writes, and the same records as other Intel HEX
/// tools write them.
class ConfigFile {
    Q_DECLARE_TR_FUNCTIONS(ConfigFile)
public:
    /// Reads a configuration file from its bytes. It takes the eight quoted lines of the export
    /// (the download command, six data records, the end record) or the seven records without
    /// quotes; lines end in CR LF or LF, the last one may lack it, and empty lines after the last
    /// record are ignored. Hex digits may be upper or lower case. Everything is checked before
    /// anything is returned, so a file that is taken rebuilds into exactly its own records: the
    /// form, count, checksum, type and address of each record in its place, zero unused slots, an
    /// accessory record that is the box's default table (AC1-AC3 then set in no band row) or
    /// sixteen zero bytes, and level lists as the program sends them (known bands, each once,
    /// levels 1-254 ascending, equal levels in band order, empty entries FF FF last, six FF bytes
    /// of padding). The fault is the first in line order; the AC1-AC3 bits of the band rows are
    /// judged once the accessory record is.
    static ConfigReading read(const QByteArray& bytes);
    /// The fault in the user's words, such as "line 4: the checksum is 3A, the record's bytes
    /// give 3B". A fault of the whole file speaks of "the file".
    static QString describe(const ConfigFault& fault);
};

} // namespace bdx4
