#pragma once

#include "bandmap/BandMaps.h"
#include "image/ConfigImage.h"
#include "link/Link.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/StatusBox.h"
#include "voltages/Voltages.h"

#include <QString>

#include <functional>

class QSaveFile;

namespace bdx4 {

/// The export's switches.
struct ExportState {
    bool WriteToFileMode = false; ///< true while an export runs: lines go to the file, not the port
    QString SaveFileAsResult;     ///< the path the save-file dialog chose, or "Cancel"
};

/// The download of the configuration image to the box ("Write To BDX4") and its export to a text
/// file ("Write Bandmap to File").
class Downloader {
public:
    /// Runs the save-file dialog; returns the chosen file's full path, or "Cancel".
    using SaveFileDialog = std::function<QString()>;
    /// Told when a download or export starts (true) and ends (false).
    using RunningHandler = std::function<void(bool running)>;

    Downloader(BandMaps& maps, Voltages& volts, Link& link, StatusBox& status, MessageBoxes& boxes,
               Clock& clock);

    ExportState& exportState() { return e_; }
    const ExportState& exportState() const { return e_; }
    /// The record last assembled.
    const ImageState& imageState() { return image_.state(); }

    /// "Write To BDX4": the download command, the six data records, each awaited, and the end
    /// record; the outcome shows in the status box. Ignored while a download or export runs.
    void Dload_BDX4_Click();
    /// "Write Bandmap to File": asks for a file with `saveFileDialog` and writes the eight lines a
    /// download would send into it, whole or not at all. Ignored while a download or export runs.
    void WriteBandmapToFile_Click(const SaveFileDialog& saveFileDialog);

    /// True while a download or export runs (the window may disable its button).
    bool downloadRunning() const { return running_; }
    void setRunningHandler(RunningHandler handler) { runningChanged_ = std::move(handler); }
    /// Told when a download to the box begins, before anything is sent (not for an export).
    void setDownloadStartingHandler(std::function<void()> handler) {
        downloadStarting_ = std::move(handler);
    }

private:
    class RunningScope;
    void runDownload();
    /// Sends one line: to the export file in WriteToFileMode, otherwise to the port (with CR LF
    /// when `lineEnd`). File errors are reported when the file is finished.
    Failure sendLine(const QString& text, bool lineEnd);
    /// Lets events run once; false when the program is ending.
    bool letEventsRun();
    void failureEnding(const QString& prompt);
    /// "Last Send Passed!" in green or "Last Send Failed!" in red.
    void showOutcome(bool passed);
    void portNotOpenEnding();
    void reportFileFailure(const QString& path, const QString& reason);

    BandMaps& maps_;
    Link& link_;
    StatusBox& status_;
    MessageBoxes& boxes_;
    Clock& clock_;
    ConfigImage image_;
    ExportState e_;
    QSaveFile* exportFile_ = nullptr;
    QString exportError_; ///< why the export file cannot be finished; empty while all is well
    bool running_ = false;
    RunningHandler runningChanged_;
    std::function<void()> downloadStarting_;
};

} // namespace bdx4
