#include "ctl/Commands.h"

#include "ctl/HistoryCommands.h"
#include "ctl/Interrupts.h"
#include "ctl/PortsCommand.h"
#include "ctl/StoreLoading.h"

#include "io/Clock.h"
#include "io/ConfigFile.h"
#include "io/ExportFile.h"
#include "io/MapStore.h"
#include "io/QtSerialLine.h"
#include "io/QtSettingsStore.h"
#include "io/RegularFile.h"
#include "io/SerialDiagnosis.h"
#include "io/SerialTrace.h"
#include "io/StorePlaces.h"
#include "jobs/BoxConnection.h"
#include "jobs/BoxSearch.h"
#include "jobs/DownloadJob.h"
#include "jobs/ResultTexts.h"
#include "model/ConfigImage.h"
#include "sheet/ConfigSheet.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

namespace bdx4::ctl {

namespace {

/// bdx4config's settings: their [Ports] section and remembered speed are shared.
const QString kSettingsName = QStringLiteral("bdx4config");
/// The port number a device given by path is reached under.
constexpr int kPathPort = 1;

/// bdx4config's settings with some values laid over them in memory: "Ports/COM1" naming the
/// device given on the command line. Nothing is ever written back.
class OverlaySettingsStore : public SettingsStore {
public:
    explicit OverlaySettingsStore(const SettingsStore& base) : base_(base) {}
    QString value(const QString& section, const QString& key,
                  const QString& fallback) const override {
        const auto found = over_.constFind(section + QLatin1Char('/') + key);
        return found != over_.constEnd() ? *found : base_.value(section, key, fallback);
    }
    void setValue(const QString& section, const QString& key, const QString& value) override {
        over_.insert(section + QLatin1Char('/') + key, value);
    }
    bool sync() override { return true; }

private:
    const SettingsStore& base_;
    QHash<QString, QString> over_;
};

} // namespace

/// What a command that talks to the box is built on.
struct CommandRunner::Talk {
    Talk()
        : settings(kSettingsName), overlay(settings), line(overlay), trace(clock),
          traced(line, trace), connection(traced), search(connection, clock),
          download(connection, clock) {}
    QtSettingsStore settings;
    OverlaySettingsStore overlay;
    QtSerialLine line;
    SystemClock clock;
    SerialTrace trace;
    TracingSerialLine traced;
    BoxConnection connection;
    BoxSearch search;
    DownloadJob download;
    QString device; ///< the device path given in place of a port number
};

CommandRunner::CommandRunner(const Options& options, const QStringList& commandLine, Console& out,
                             Console& err)
    : options_(options), commandLine_(commandLine), out_(out), err_(err) {}

CommandRunner::~CommandRunner() = default;

int CommandRunner::run() {
    switch (options_.command) {
    case Command::Help:
        out_.line(usageText().chopped(1));
        return kExitDone;
    case Command::Version:
        out_.line(QStringLiteral("bdx4ctl ") + QStringLiteral(BDX4_VERSION));
        return kExitDone;
    case Command::Sheet:
        return sheet();
    case Command::Show:
        return show();
    case Command::Export:
        return exportFile();
    case Command::Query:
        return query();
    case Command::Write:
        return write();
    case Command::Ports:
        return listPorts(options_, out_);
    case Command::History:
        return listHistory(storeFolder(), out_);
    case Command::Diff: // two files need no stores
        return compareConfigurations(
            options_, options_.files.size() < 2 ? storeFolder() : QString(), out_, err_);
    case Command::Names:
        return nameOutputs(options_, storeFolder(), out_, err_);
    }
    return kExitUsage;
}

// The stores.

QString CommandRunner::storeFolder() {
    if (!storeFolder_.isEmpty())
        return storeFolder_;
    storeFolder_ = options_.storeFolder;
    if (storeFolder_.isEmpty()) {
        const StorePlaces places = StorePlaces::ofThisProgram();
        storeFolder_ = places.storeFolder();
        if (const QString notice = sudoNotice(storeFolder_, places.userDataFolder);
            !notice.isEmpty())
            err_.line(notice);
    }
    return storeFolder_;
}

bool CommandRunner::replacesAnInput(const QString& output, const QString& device) {
    QList<std::pair<QString, QString>> inputs; // each with what it is
    if (!options_.fromFile.isEmpty())
        inputs.append({options_.fromFile, tr("the file given with --from")});
    for (const QString& store : storePathsFor(options_.storeFolder))
        inputs.append({store, tr("the store %1").arg(store)});
    if (!device.isEmpty())
        inputs.append({device, tr("the port's device %1").arg(device)});
    for (const auto& [input, what] : inputs) {
        if (isSameFile(output, input)) {
            err_.line(tr("bdx4ctl: \"%1\" is %2: an output never replaces what the command reads; "
                         "give another file")
                          .arg(output, what));
            return true;
        }
    }
    return false;
}

bool CommandRunner::loadForSending() {
    const QStringList problems = loadStores(storeFolder(), options_.map, maps_, volts_, err_);
    if (problems.isEmpty())
        return true;
    for (const QString& problem : problems)
        err_.line(QStringLiteral("bdx4ctl: ") + problem);
    err_.line(tr("bdx4ctl: %1; save the maps and the band voltages again in bdx4config, or give "
                 "another --store")
                  .arg(options_.command == Command::Write ? tr("nothing was sent to the box")
                                                          : tr("nothing was written")));
    return false;
}

std::optional<Configuration> CommandRunner::readFromFile() {
    const ConfigReading reading = readConfigFile(options_.fromFile);
    if (!reading.configuration)
        err_.line(QStringLiteral("bdx4ctl: %1: %2")
                      .arg(options_.fromFile, ConfigFile::describe(reading.fault)));
    fileRecords_ = reading.records;
    return reading.configuration;
}

std::optional<Configuration> CommandRunner::configurationToPass() {
    if (options_.fromFile.isEmpty()) {
        if (!loadForSending())
            return std::nullopt;
        return Configuration::of(maps_, volts_);
    }
    const std::optional<Configuration> configuration = readFromFile();
    if (!configuration)
        err_.line(QStringLiteral("bdx4ctl: ") + (options_.command == Command::Write
                                                     ? tr("nothing was sent to the box")
                                                     : tr("nothing was written")));
    return configuration;
}

int CommandRunner::show() {
    if (!options_.fromFile.isEmpty()) {
        const std::optional<Configuration> configuration = readFromFile();
        if (!configuration)
            return kExitFailed;
        out_.line(tr("Configuration file %1").arg(options_.fromFile));
        out_.line(QString());
        out_.line(mapText(*configuration, QFileInfo(options_.fromFile).fileName()));
        out_.line(voltageText(configuration->volts()));
        return kExitDone;
    }
    const QString folder = storeFolder();
    const QStringList problems = loadStores(folder, options_.map, maps_, volts_, err_);
    out_.line(tr("Stores in %1").arg(folder));
    out_.line(QString());
    out_.line(mapText(Configuration::of(maps_, volts_), QStringLiteral("MAP%1").arg(options_.map)));
    if (const OutputNames names = readNames(folder, err_); !names.isEmpty()) {
        out_.line(tr("Output names"));
        out_.line(namesText(names) + QLatin1Char('\n'));
    }
    out_.line(voltageText(volts_));
    for (const QString& problem : problems)
        err_.line(QStringLiteral("bdx4ctl: ") + problem + tr(" (shown as far as it was read)"));
    return problems.isEmpty() ? kExitDone : kExitFailed;
}

int CommandRunner::exportFile() {
    const bool toOutput = options_.outputFile == QLatin1String("-");
    if (!toOutput && replacesAnInput(options_.outputFile))
        return kExitFailed;
    const std::optional<Configuration> configuration = configurationToPass();
    if (!configuration)
        return kExitFailed;
    if (toOutput) // a failure is said once the command is over, as for every output
        return out_.bytes(exportText(configuration->image())) ? kExitDone : kExitFailed;
    if (const IoResult failure = exportConfiguration(options_.outputFile, configuration->image())) {
        err_.line(messageLine(tr("Write Bandmap to File"),
                              exportFailureText(options_.outputFile, *failure)));
        return kExitFailed;
    }
    return kExitDone;
}

int CommandRunner::sheet() {
    if (replacesAnInput(options_.outputFile))
        return kExitFailed;
    const std::optional<Configuration> configuration = configurationToPass();
    if (!configuration)
        return kExitFailed;
    const QString name = options_.fromFile.isEmpty() ? QStringLiteral("MAP%1").arg(options_.map)
                                                     : QFileInfo(options_.fromFile).fileName();
    ConfigSheet sheet(*configuration, name);
    if (options_.fromFile.isEmpty()) // the station's names for its outputs, with its stores
        sheet.setNames(readNames(storeFolder(), err_));
    if (const IoResult failure = sheet.writePdf(options_.outputFile)) {
        err_.line(tr("bdx4ctl: the sheet \"%1\" could not be written: %2\nNothing was saved; any "
                     "earlier file of that name is unchanged.")
                      .arg(options_.outputFile, failure->description));
        return kExitFailed;
    }
    err_.line(tr("The sheet of %1 is in %2").arg(name, options_.outputFile));
    return kExitDone;
}

// The box.

bool CommandRunner::beginTrace(const QString& device) {
    if (replacesAnInput(options_.tracePath, device))
        return false;
    QStringList words;
    for (const QString& word : commandLine_)
        words << (word.isEmpty() || word.contains(QLatin1Char(' '))
                      ? QLatin1Char('"') + word + QLatin1Char('"')
                      : word);
    if (talk_->trace.begin(options_.tracePath, words.join(QLatin1Char(' '))))
        return true;
    err_.line(tr("bdx4ctl: --trace: \"%1\" cannot be written: %2")
                  .arg(options_.tracePath, talk_->trace.error()));
    return false;
}

bool CommandRunner::openLine() {
    talk_ = std::make_unique<Talk>();
    Talk& t = *talk_;
    status_ = kExitFailed;
    int port = options_.port;
    if (!options_.device.isEmpty()) {
        t.overlay.setValue(kPortsSection, portName(kPathPort), options_.device);
        port = kPathPort;
        t.device = options_.device;
    }
    if (!options_.tracePath.isEmpty() && !beginTrace(t.line.deviceName(port)))
        return false;
    t.connection.setStartPort(port); // no fallback: the port given is the only one to try
    QString speed = options_.speed;
    if (speed.isEmpty()) {
        const QString remembered =
            t.settings.value(kOptionsSection, kBaudRateKey, QStringLiteral("4800"));
        speed = isBoxSpeed(remembered) ? remembered : QStringLiteral("4800");
        if (speed != remembered)
            err_.line(tr("bdx4ctl: the remembered speed \"%1\" is none of the box's; using 4800 "
                         "baud")
                          .arg(printable(remembered)));
    }
    t.connection.setSpeed(speed);
    err_.line(tr("Port %1 at %2 baud").arg(portForUser(), speed));

    t.trace.note(QStringLiteral("opening the port"));
    const PortOpenResult opened = t.connection.open();
    for (const PortOpenResult::Failure& failure : opened.failures) // the one port given
        err_.line(
            tr("Cannot open %1: %2")
                .arg(portForUser(), describeOpenFailure(failure.why, ChoiceHint::CommandLine)));
    return opened.opened;
}

int CommandRunner::query() {
    if (!openLine())
        return status_;
    BoxSearch& search = talk_->search;
    connect(&search, &BoxSearch::started, this, [this] {
        talk_->trace.note(QStringLiteral("looking for the box"));
        err_.line(tr("Seeking BDX4 ..."));
    });
    connect(&search, &BoxSearch::firmwareReported, this, [this](const QString& firmware) {
        out_.line(messageLine(tr("BDX4 Connected"), tr("BDX4 Firmware = %1").arg(firmware)));
        talk_->search.acknowledgeFirmware();
    });
    connect(&search, &BoxSearch::finished, this, [this](const SearchResult& result) {
        if (result.outcome == SearchResult::NotFound || result.outcome == SearchResult::LineLost) {
            const ResultText message =
                ResultTexts::searchFailed(result, portForUser(), ChoiceHint::CommandLine);
            err_.line(messageLine(message.title, message.text));
        } else if (result.outcome == SearchResult::Cancelled) {
            err_.line(tr("bdx4ctl: stopped"));
        }
        end(result.outcome == SearchResult::Found ? kExitDone : kExitFailed);
    });
    interrupts::setJobRunning(true); // from here on a stop goes through the event loop
    search.start();
    return QCoreApplication::exec();
}

QString CommandRunner::portForUser() const {
    return talk_->device.isEmpty() ? talk_->connection.portDescription() : talk_->device;
}

bool CommandRunner::sendsWhatWasRead(const ConfigImage& image) {
    if (options_.fromFile.isEmpty()) {
        err_.line(tr("MAP%1 from %2").arg(options_.map).arg(storeFolder()));
        return true;
    }
    // The box gets the file's own records: what was read must rebuild into exactly them.
    for (int i = 0; i < fileRecords_.size(); ++i) {
        if (image.lines().value(i + 1) != fileRecords_[i].toUpper()) {
            err_.line(tr("bdx4ctl: record %1 of %2 differs from the one rebuilt from it; "
                         "nothing was sent to the box")
                          .arg(i + 1)
                          .arg(options_.fromFile));
            return false;
        }
    }
    err_.line(tr("Configuration from %1").arg(options_.fromFile));
    return true;
}

int CommandRunner::write() {
    const std::optional<Configuration> configuration = configurationToPass();
    if (!configuration)
        return kExitFailed;
    const ConfigImage image = configuration->image();
    if (!sendsWhatWasRead(image) || !openLine())
        return kExitFailed;
    sent_ = image;
    sentAbout_.source = options_.fromFile.isEmpty() ? QStringLiteral("MAP%1").arg(options_.map)
                                                    : QFileInfo(options_.fromFile).fileName();
    sentAbout_.accForBandMap = configuration->accOutputsForBandMap();
    const int port = talk_->connection.port();
    sentAbout_.port = talk_->device.isEmpty() ? portName(port) : talk_->device;
    if (talk_->device.isEmpty())
        sentAbout_.device = talk_->connection.deviceName(port);
    DownloadJob& download = talk_->download;
    connect(&download, &DownloadJob::sectionStarted, this,
            [this](Section section) { out_.line(ConfigImage::progressText(section)); });
    connect(&download, &DownloadJob::closing, this, [this] { out_.line(tr("Closing")); });
    connect(&download, &DownloadJob::finished, this, &CommandRunner::downloadFinished);
    talk_->trace.note(QStringLiteral("download"));
    interrupts::setJobRunning(true); // the box is told the download is over, even at once
    download.start(image);
    return QCoreApplication::exec();
}

void CommandRunner::downloadFinished(const DownloadResult& result) {
    if (result.passed()) {
        out_.line(tr("Last Send Passed!"));
        sentAbout_.firmware = talk_->connection.firmware(); // when the box told it on this line
        keepInHistory(storeFolder(), *sent_, sentAbout_, err_);
        end(kExitDone);
        return;
    }
    const ResultText message =
        ResultTexts::downloadFailed(result, portForUser(), ChoiceHint::CommandLine);
    // The box's last answer heads a failure it caused; Ctrl+C is the user's own doing.
    err_.line(result.outcome == DownloadResult::Cancelled
                  ? message.text
                  : messageLine(message.title, message.text));
    out_.line(tr("Last Send Failed!"));
    end(kExitFailed);
}

void CommandRunner::interrupt() {
    if (!talk_)
        return;
    talk_->search.cancel();
    talk_->download.cancel();
}

void CommandRunner::end(int status) {
    interrupts::setJobRunning(false);
    talk_->connection.close();
    talk_->trace.end();
    if (const QString failure = talk_->trace.error(); !failure.isEmpty()) {
        err_.line(tr("bdx4ctl: --trace: \"%1\" could not be written to the end: %2")
                      .arg(options_.tracePath, failure));
        status = kExitFailed;
    }
    QCoreApplication::exit(status);
}

} // namespace bdx4::ctl
