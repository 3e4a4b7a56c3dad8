#include "image/Download.h"

#include <QSaveFile>

namespace bdx4 {

namespace {

const QString kCancel = QStringLiteral("Cancel");
const QString kShortWrite = QStringLiteral("only part of it could be written (is the disk full?)");

} // namespace

// Marks a download or export as running for as long as it lasts, whichever way it ends.
class Downloader::RunningScope {
public:
    explicit RunningScope(Downloader& owner) : owner_(owner) {
        owner_.running_ = true;
        if (owner_.runningChanged_)
            owner_.runningChanged_(true);
    }
    ~RunningScope() {
        owner_.running_ = false;
        if (owner_.runningChanged_)
            owner_.runningChanged_(false);
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    Downloader& owner_;
};

Downloader::Downloader(BandMaps& maps, Voltages& volts, Link& link, StatusBox& status,
                       MessageBoxes& boxes, Clock& clock)
    : maps_(maps), link_(link), status_(status), boxes_(boxes), clock_(clock),
      image_(maps.state(), volts.state()) {}

void Downloader::Dload_BDX4_Click() {
    // A second press while the first download waits for the box would interleave two record streams
    // on the line.
    if (running_ || clock_.ending())
        return;
    const RunningScope scope(*this);
    if (downloadStarting_)
        downloadStarting_();
    runDownload();
}

bool Downloader::letEventsRun() {
    clock_.processEvents();
    return !clock_.ending();
}

Failure Downloader::sendLine(const QString& text, bool lineEnd) {
    if (e_.WriteToFileMode) {
        if (!exportFile_ || !exportError_.isEmpty())
            return std::nullopt;
        // A short write sets no error on the file, and committing would then put a cut-off file in
        // place of the old one; note it and give the file up instead.
        const QByteArray bytes = ConfigImage::QuotedLines({text});
        const qint64 written = exportFile_->write(bytes);
        if (written < 0)
            exportError_ = exportFile_->errorString();
        else if (written != bytes.size())
            exportError_ = kShortWrite;
        return std::nullopt;
    }
    return link_.line().output(text.toLatin1() + (lineEnd ? QByteArray("\r\n") : QByteArray()));
}

void Downloader::runDownload() {
    LinkState& link = link_.state();

    maps_.PrepareRowOutputBits();
    status_.setVisible(true);
    status_.setTextColor(StatusColor::Black);
    status_.setText(QString());
    if (!letEventsRun())
        return;

    if (!e_.WriteToFileMode && !link_.line().portOpen()) {
        portNotOpenEnding();
        return;
    }

    image_.state().HexRecord.clear();
    link.OutString = kDownloadCommand;
    if (const Failure failure = sendLine(link.OutString, false)) {
        failureEnding(QStringLiteral("Nothing could be sent to the BDX4 on %1:\r\n%2")
                          .arg(link_.portDescription(), failure->description));
        return;
    }
    if (!e_.WriteToFileMode) {
        int units = 2;
        if (!link_.DelayUnits(units))
            return;
    }

    for (Section section : kSections) {
        status_.setText(ConfigImage::ProgressText(section));
        if (!letEventsRun())
            return;
        const QString record = image_.AssembleRecord(section);
        link.AckSeen = false;
        link.OutString = record;
        if (e_.WriteToFileMode) {
            sendLine(link.OutString, true);
            continue;
        }
        const QString failed =
            QStringLiteral("Download failed in section ") + ConfigImage::SectionName(section);
        if (const Failure failure = sendLine(link.OutString, true)) {
            failureEnding(failed + QStringLiteral("\r\n\r\n") + failure->description);
            return;
        }
        if (!letEventsRun())
            return;
        const bool acknowledged = link_.WaitForAck();
        if (clock_.ending())
            return;
        if (!acknowledged) {
            failureEnding(failed);
            return;
        }
    }

    status_.setText(QStringLiteral("Closing"));
    if (!letEventsRun())
        return;
    // AckSeen stays as the AN3 record left it: the box's answer to the end record is not judged.
    link.OutString = kEndRecord;
    sendLine(link.OutString, true);
    if (!e_.WriteToFileMode) {
        if (!letEventsRun())
            return;
        link_.WaitForAck();
        if (clock_.ending())
            return;
    }
    showOutcome(true);
}

void Downloader::showOutcome(bool passed) {
    status_.setText(passed ? QStringLiteral("Last Send Passed!")
                           : QStringLiteral("Last Send Failed!"));
    status_.setTextColor(passed ? StatusColor::Green : StatusColor::Red);
    clock_.processEvents();
}

void Downloader::failureEnding(const QString& prompt) {
    LinkState& link = link_.state();
    // The box is told the image is over even when a record failed.
    link.OutString = kEndRecord;
    sendLine(link.OutString, true);
    if (!letEventsRun())
        return;
    MessageRequest box;
    box.text = prompt;
    box.title = QStringLiteral("BDX4: ") + QString::fromLatin1(link.RxCopy);
    boxes_.show(box);
    if (clock_.ending())
        return;
    showOutcome(false);
}

void Downloader::portNotOpenEnding() {
    MessageRequest box;
    box.text = QStringLiteral("The serial port %1 is not open, so nothing was sent to the BDX4."
                              "\r\n\r\nChoose the port and speed in the COMM menu, then use \"Test "
                              "for BDX4\" in the Main menu to open it.")
                   .arg(link_.portDescription());
    boxes_.show(box);
    if (clock_.ending())
        return;
    showOutcome(false);
}

void Downloader::reportFileFailure(const QString& path, const QString& reason) {
    MessageRequest box;
    box.text = QStringLiteral("The file \"%1\" could not be written:\r\n%2\r\n\r\nNothing was "
                              "saved; any earlier file of that name is unchanged.")
                   .arg(path, reason);
    box.title = QStringLiteral("Write Bandmap to File");
    box.icon = MsgIcon::Warning;
    boxes_.show(box);
}

void Downloader::WriteBandmapToFile_Click(const SaveFileDialog& saveFileDialog) {
    if (running_ || clock_.ending())
        return;
    const RunningScope scope(*this);

    e_.WriteToFileMode = true;
    e_.SaveFileAsResult = saveFileDialog ? saveFileDialog() : kCancel;
    const QString path = e_.SaveFileAsResult;
    if (path != kCancel && !path.isEmpty() && !clock_.ending()) {
        // Written beside the old file and put in its place only when whole.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            reportFileFailure(path, file.errorString());
        } else {
            exportFile_ = &file;
            exportError_.clear();
            runDownload();
            exportFile_ = nullptr;
            QString failure = exportError_;
            // QSaveFile would commit a file whose buffered tail could not be written, so the
            // tail is pushed out and checked first.
            if (failure.isEmpty() && !clock_.ending() && !file.flush())
                failure = kShortWrite;
            if (!failure.isEmpty() || clock_.ending())
                file.cancelWriting();
            else if (!file.commit())
                failure = file.errorString();
            if (!failure.isEmpty() && !clock_.ending()) {
                reportFileFailure(path, failure);
                showOutcome(false);
            }
        }
    }
    e_.WriteToFileMode = false;
}

} // namespace bdx4
