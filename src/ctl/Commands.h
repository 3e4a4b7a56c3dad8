#pragma once

#include "ctl/CommandLine.h"
#include "ctl/Console.h"
#include "ctl/ShowText.h"
#include "io/WriteHistory.h"
#include "jobs/DownloadJob.h"
#include "model/BandMaps.h"
#include "model/Configuration.h"
#include "model/VoltageTables.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace bdx4::ctl {

/// Exit statuses.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

/// Runs one command: it prints what the windows would show as console lines and ends with an
/// exit status. Query and write run the event loop until their job is over.
class CommandRunner : public QObject {
    Q_OBJECT
public:
    /// `commandLine` (the program and its arguments) heads a trace.
    CommandRunner(const Options& options, const QStringList& commandLine, Console& out,
                  Console& err);
    ~CommandRunner() override;

    /// Runs the command to its end; the exit status.
    int run();
    /// Ctrl+C: a running search ends, a running download sends its end record and ends; either
    /// then fails.
    void interrupt();

private:
    struct Talk;

    int show();
    int exportFile();
    int query();
    int write();
    /// Says what write sends; false (said) when a --from file's records do not rebuild exactly.
    bool sendsWhatWasRead(const ConfigImage& image);
    /// A passed download is kept in the history beside the stores; the status follows the result.
    void downloadFinished(const DownloadResult& result);
    int sheet();
    /// Whether `output` is a file the command reads (--from's file, a store it could reach, the
    /// port's `device`); said, since writing it would destroy that input.
    bool replacesAnInput(const QString& output, const QString& device = QString());
    /// Loads the stores for a command that sends them on; false (with the reason printed) when a
    /// store could not be read whole, since half a configuration must not reach the box or a file.
    bool loadForSending();
    /// The configuration in --from's file; nothing, with the line and the fault printed, when the
    /// file cannot be read or is damaged.
    std::optional<Configuration> readFromFile();
    /// What write, export and sheet pass on: --from's file, or map --map of the stores read
    /// whole. Nothing, with the reasons and that nothing was sent or written, otherwise.
    std::optional<Configuration> configurationToPass();
    /// The port as the user named it: the device given, or the port number and its device.
    QString portForUser() const;
    /// The folder of the stores: --store, or bdx4config's.
    QString storeFolder();
    /// Starts the --trace file, unless it is one of the command's inputs (the port's `device`
    /// among them); false, with the reason printed, when that cannot be done.
    bool beginTrace(const QString& device);
    /// Opens the line to the box and starts its trace; false when that failed (the status is then
    /// in `status_`).
    bool openLine();
    void end(int status);

    Options options_;
    QStringList commandLine_;
    Console& out_;
    Console& err_;
    BandMaps maps_;
    VoltageTables volts_;
    QString storeFolder_;
    QList<QByteArray> fileRecords_;   ///< the records of --from's file, as it holds them
    std::optional<ConfigImage> sent_; ///< what write sends
    HistoryEntry sentAbout_;          ///< how the history will name it
    std::unique_ptr<Talk> talk_;
    int status_ = kExitFailed;
};

} // namespace bdx4::ctl
