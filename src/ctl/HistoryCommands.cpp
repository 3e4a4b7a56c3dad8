#include "ctl/HistoryCommands.h"

#include "ctl/Commands.h"
#include "ctl/StoreLoading.h"
#include "io/ConfigFile.h"
#include "io/OutputNamesFile.h"
#include "io/StoreFile.h"
#include "io/StoreLock.h"

#include <QDir>
#include <QFileInfo>

namespace bdx4::ctl {

namespace {

constexpr int kCaptionWidth = 5; // "160", "XV1" and two blanks: the names line up

QString modeName(bool accForBandMap) {
    return accForBandMap ? Texts::tr("Use AC1 - AC3 for Bandmap")
                         : Texts::tr("Use AC1 - AC3 default table");
}

/// The configuration in the file at `path`; nothing, with the line and the fault said as `show
/// --from` says them, when the file cannot be read or is damaged.
std::optional<Configuration> readFile(const QString& path, Console& err) {
    const ConfigReading reading = readConfigFile(path);
    if (!reading.configuration)
        err.line(QStringLiteral("bdx4ctl: %1: %2").arg(path, ConfigFile::describe(reading.fault)));
    return reading.configuration;
}

} // namespace

// The history.

void keepInHistory(const QString& storeFolder, const ConfigImage& image, const HistoryEntry& entry,
                   Console& err) {
    WriteHistory history(storeFolder);
    if (const IoResult failure = history.record(image, entry))
        err.line(Texts::tr("bdx4ctl: the box holds the configuration, but the history of what "
                           "was written cannot be kept in %1: %2")
                     .arg(QDir::toNativeSeparators(history.folder()), failure->description));
}

QString historyText(const QList<HistoryEntry>& entries) {
    QStringList lines;
    for (const HistoryEntry& entry : entries) {
        QStringList fields{
            entry.written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), entry.source,
            entry.device.isEmpty() ? entry.port
                                   : QStringLiteral("%1 (%2)").arg(entry.port, entry.device)};
        if (!entry.firmware.isEmpty())
            fields << Texts::tr("firmware %1").arg(entry.firmware);
        fields << QDir::toNativeSeparators(entry.path);
        lines << fields.join(QStringLiteral("  "));
    }
    return lines.join(QLatin1Char('\n'));
}

int listHistory(const QString& storeFolder, Console& out) {
    const WriteHistory history(storeFolder);
    const QList<HistoryEntry> entries = history.entries();
    out.line(entries.isEmpty()
                 ? Texts::tr("Nothing was written into the box from these stores yet (%1).")
                       .arg(QDir::toNativeSeparators(history.folder()))
                 : historyText(entries));
    return kExitDone;
}

// diff.

QString diffText(const ConfigDiff& diff, bool firstAccForBandMap, const QString& first,
                 const QString& second) {
    QStringList lines;
    for (const ConfigDiff::Cell& cell : diff.cells)
        lines << (cell.onInFirst ? Texts::tr("%1: output %2 on in %3, off in %4")
                                 : Texts::tr("%1: output %2 off in %3, on in %4"))
                     .arg(QLatin1String(kRowCaptions[std::size_t(cell.row)]),
                          QLatin1String(kOutputCaptions[std::size_t(cell.output)]), first, second);
    for (const ConfigDiff::Level& level : diff.levels)
        lines << Texts::tr("AN%1 %2: %3 V in %4, %5 V in %6")
                     .arg(level.table + 1)
                     .arg(QLatin1String(kVoltageBandCaptions[std::size_t(level.band)]),
                          VoltageTables::voltsText(level.first, level.table), first,
                          VoltageTables::voltsText(level.second, level.table), second);
    if (diff.modesDiffer)
        lines << Texts::tr("ACn mode: %1 in %2, %3 in %4")
                     .arg(modeName(firstAccForBandMap), first, modeName(!firstAccForBandMap),
                          second);
    return lines.join(QLatin1Char('\n'));
}

int compareConfigurations(const Options& options, const QString& storeFolder, Console& out,
                          Console& err) {
    const std::optional<Configuration> first = readFile(options.files.value(0), err);
    if (!first)
        return kExitFailed;
    std::optional<Configuration> second;
    QString firstName = QFileInfo(options.files.value(0)).fileName(), secondName;
    if (options.files.size() > 1) {
        second = readFile(options.files.value(1), err);
        secondName = QFileInfo(options.files.value(1)).fileName();
        if (secondName == firstName) // two folders' files of one name: told apart by their paths
            firstName = options.files.value(0), secondName = options.files.value(1);
    } else {
        BandMaps maps;
        VoltageTables volts;
        const QStringList problems = loadStores(storeFolder, options.map, maps, volts, err);
        for (const QString& problem : problems)
            err.line(QStringLiteral("bdx4ctl: ") + problem);
        if (problems.isEmpty())
            second = Configuration::of(maps, volts);
        secondName = Texts::tr("the store's MAP%1").arg(options.map);
    }
    if (!second)
        return kExitFailed;
    const ConfigDiff diff = ConfigDiff::between(*first, *second);
    out.line(diff.isEmpty() ? Texts::tr("Nothing differs.")
                            : diffText(diff, first->accOutputsForBandMap(), firstName, secondName));
    return diff.isEmpty() ? kExitDone : kExitFailed;
}

// The outputs' names.

OutputNames readNames(const QString& storeFolder, Console& err, bool* whole) {
    OutputNames names;
    const QString path = outputNamesPath(storeFolder);
    const NamesReading reading = OutputNamesFile::read(path, names);
    if (reading.outcome == NamesReading::Unreadable)
        err.line(Texts::tr("bdx4ctl: %1 cannot be read: %2").arg(path, reading.reason));
    else if (reading.outcome == NamesReading::Damaged)
        err.line(Texts::tr("bdx4ctl: %1: line %2: %3 (the other names are read)")
                     .arg(path)
                     .arg(reading.line)
                     .arg(reading.reason));
    if (whole)
        *whole =
            reading.outcome == NamesReading::Complete || reading.outcome == NamesReading::Missing;
    return names;
}

QString namesText(const OutputNames& names) {
    QStringList lines;
    for (int c = 0; c < kOutputs; ++c)
        if (!names.name(c).isEmpty())
            lines << QString::fromLatin1(kOutputCaptions[std::size_t(c)])
                             .leftJustified(kCaptionWidth) +
                         names.name(c);
    return lines.join(QLatin1Char('\n'));
}

int nameOutputs(const Options& options, const QString& storeFolder, Console& out, Console& err) {
    const auto list = [&out](const OutputNames& names) {
        out.line(names.isEmpty() ? Texts::tr("No output has a name yet.") : namesText(names));
    };
    bool whole = false;
    if (options.names.isEmpty()) {
        list(readNames(storeFolder, err, &whole));
        return whole ? kExitDone : kExitFailed;
    }
    StoreLock lock(storeFolder); // bdx4config would write its own names over these
    const StoreLock::Outcome locked = lock.tryLock();
    if (locked == StoreLock::HeldElsewhere) {
        err.line(Texts::tr("bdx4ctl: bdx4config (or another bdx4ctl) works on the stores in %1; "
                           "close it and name the outputs again; nothing was written")
                     .arg(storeFolder));
        return kExitFailed;
    }
    if (locked == StoreLock::CannotCreate)
        err.line(Texts::tr("bdx4ctl: the lock file %1 cannot be created: %2")
                     .arg(lock.path(), lock.reason()));
    OutputNames names = readNames(storeFolder, err, &whole);
    if (!whole) { // what could not be read would be lost with the file
        err.line(Texts::tr("bdx4ctl: nothing was written; mend or remove that file first"));
        return kExitFailed;
    }
    for (const auto& [output, name] : options.names)
        names.setName(output, name);
    const QString path = outputNamesPath(storeFolder);
    if (const IoResult failure = writeFileWhole(path, OutputNamesFile::text(names))) {
        err.line(Texts::tr("bdx4ctl: %1 could not be written: %2; it is unchanged")
                     .arg(path, failure->description));
        return kExitFailed;
    }
    list(names);
    return kExitDone;
}

} // namespace bdx4::ctl
