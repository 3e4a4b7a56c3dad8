#include "ui/FileCommands.h"

#include "io/ConfigFile.h"
#include "io/ExportFile.h"
#include "io/VoltageStore.h"
#include "io/WriteHistory.h"
#include "model/ConfigDiff.h"
#include "sheet/ConfigSheet.h"
#include "ui/BandMapGrid.h"
#include "ui/BoxController.h"
#include "ui/Dialogs.h"
#include "ui/HistoryWindow.h"
#include "ui/MainCanvas.h"
#include "ui/Printing.h"
#include "ui/SaveFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>

namespace bdx4 {

FileCommands::FileCommands(QWidget* window, ConfigDocument& document, SettingsStore& settings,
                           MainCanvas& canvas, QStatusBar& statusBar, BoxController& box,
                           std::function<std::optional<GridEdits>()> askAboutGrid)
    : QObject(window), window_(window), document_(document), settings_(settings), canvas_(canvas),
      statusBar_(statusBar), box_(box), askAboutGrid_(std::move(askAboutGrid)) {}

std::optional<Configuration> FileCommands::readConfiguration(const QString& path,
                                                             const QString& title) {
    // The whole file is checked before anything changes.
    const ConfigReading reading = readConfigFile(path);
    if (!reading.configuration)
        dialogs::inform(
            window_, title,
            tr("%1 cannot be opened as a configuration:\r\n%2\r\n\r\nNothing was "
               "changed.")
                .arg(QDir::toNativeSeparators(path), ConfigFile::describe(reading.fault)),
            dialogs::Icon::Warning);
    return reading.configuration;
}

void FileCommands::open() {
    const QString path = QFileDialog::getOpenFileName(window_, tr("Open Configuration File"),
                                                      document_.storeFolder(),
                                                      tr("Text files (*.txt);;All files (*)"));
    if (!path.isEmpty())
        openPath(path);
}

void FileCommands::openPath(const QString& path) {
    const std::optional<Configuration> configuration =
        readConfiguration(path, tr("Open Configuration File"));
    if (!configuration)
        return;
    const std::optional<GridEdits> edits = askAboutGrid_();
    if (!edits)
        return;
    const bool tables =
        dialogs::askYesNo(window_,
                          tr("Replace the three band-voltage tables with the file's? They are "
                             "saved in bdx4_bv.ini."),
                          dialogs::Escape::AnswersNo) == dialogs::Answer::Yes;
    // The file's map, mode and tables as one change, undone as one step.
    if (const IoResult failure =
            document_.open(*configuration, QFileInfo(path).fileName(), *edits, tables);
        needsTelling(failure)) {
        const QString store = voltageStorePath(document_.storeFolder());
        dialogs::inform(window_, dialogs::appTitle(),
                        tr("The band-voltage tables could not be saved to %1.\r\n\r\n%2\r\n\r\nThe "
                           "tables stay as they were.")
                            .arg(QDir::toNativeSeparators(store), failure->description),
                        dialogs::Icon::Critical);
    }
}

void FileCommands::exportToFile() {
    if (box_.isDownloading())
        return;
    // The stores' folder is the program's own, unless that takes no files (an installed program).
    const std::optional<QString> path =
        SaveFileDialog::getFileName(document_.storeFolder(), settings_, window_);
    if (!path)
        return;
    canvas_.beginStatus();
    const ConfigImage image = ConfigImage::of(document_.maps(), document_.volts());
    if (const IoResult failure = exportConfiguration(*path, image)) {
        dialogs::inform(window_, tr("Write Bandmap to File"),
                        exportFailureText(QDir::toNativeSeparators(*path), *failure),
                        dialogs::Icon::Warning);
        canvas_.showSendResult(false);
        return;
    }
    canvas_.showSendResult(true);
    statusBar_.showMessage(tr("Written to %1").arg(QDir::toNativeSeparators(*path)), 8000);
}

void FileCommands::print() {
    const int map = document_.maps().currentMap() + 1;
    const QString name =
        document_.gridIsUnsaved() ? tr("MAP%1, not saved").arg(map) : tr("MAP%1").arg(map);
    ConfigSheet sheet(Configuration::of(document_.maps(), document_.volts()), name);
    sheet.setNames(document_.names());
    sheet.setFirmware(box_.firmware());
    QString error;
    const std::optional<PrintOutcome> printed = printPage(
        window_, tr("BDX4 configuration MAP%1").arg(map), ConfigSheet::paperFor(QLocale()),
        [&sheet](QPainter& painter, QPagedPaintDevice& printer) { sheet.draw(painter, printer); },
        &error);
    if (!printed)
        dialogs::inform(window_, tr("Print"), tr("Printing is not available: %1").arg(error),
                        dialogs::Icon::Warning);
    else if (*printed == PrintOutcome::PrinterFailed)
        dialogs::inform(window_, tr("Print"), tr("The printer could not be started."),
                        dialogs::Icon::Warning);
}

void FileCommands::showHistory() {
    HistoryWindow history(WriteHistory(document_.storeFolder()).entries(), window_);
    history.exec();
    if (history.choice() == HistoryWindow::Choice::Open)
        openPath(history.chosen().path);
    else if (history.choice() == HistoryWindow::Choice::Compare)
        compareWith(history.chosen().path);
}

void FileCommands::compareWith(const QString& path) {
    const std::optional<Configuration> theirs = readConfiguration(path, tr("Compare"));
    if (!theirs)
        return;
    const ConfigDiff diff =
        ConfigDiff::between(Configuration::of(document_.maps(), document_.volts()), *theirs);
    QList<std::pair<int, int>> cells;
    for (const ConfigDiff::Cell& cell : diff.cells)
        cells << std::pair(cell.row, cell.output);
    canvas_.grid().markDifferences(cells);
    QStringList said;
    if (!diff.cells.isEmpty())
        said << (diff.cells.size() == 1
                     ? tr("1 box differs; it is marked on the grid until the next change.")
                     : tr("%1 boxes differ; they are marked on the grid until the next change.")
                           .arg(diff.cells.size()));
    if (diff.modesDiffer)
        said << (theirs->accOutputsForBandMap()
                     ? tr("%1 uses AC1 - AC3 for the band map; the grid uses the default table.")
                     : tr("%1 uses the AC1 - AC3 default table; the grid uses them for the band "
                          "map."))
                    .arg(QFileInfo(path).fileName());
    for (const ConfigDiff::Level& level : diff.levels)
        said << tr("AN%1 %2: %3 V here, %4 V there")
                    .arg(level.table + 1)
                    .arg(QLatin1String(kVoltageBandCaptions[level.band]),
                         VoltageTables::voltsText(level.first, level.table),
                         VoltageTables::voltsText(level.second, level.table));
    dialogs::inform(window_, tr("Compare"),
                    said.isEmpty() ? tr("Nothing differs.") : said.join(QStringLiteral("\r\n")));
}

} // namespace bdx4
