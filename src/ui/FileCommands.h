#pragma once

#include "document/ConfigDocument.h"

#include <QObject>

#include <functional>
#include <optional>

class QStatusBar;
class QWidget;

namespace bdx4 {

class BoxController;
class MainCanvas;
class SettingsStore;

/// The main window's commands on files: Open Configuration File, Write Bandmap to File, Print,
/// and the history of what was written to the box (Open or Compare one). It asks what a file
/// command must ask (which file, the voltage tables, a file that exists) over the window.
class FileCommands : public QObject {
    Q_OBJECT
public:
    /// `askAboutGrid` asks the window's question about the grid's unsaved changes (nothing: the
    /// user cancelled).
    FileCommands(QWidget* window, ConfigDocument& document, SettingsStore& settings,
                 MainCanvas& canvas, QStatusBar& statusBar, BoxController& box,
                 std::function<std::optional<GridEdits>()> askAboutGrid);

    /// Asks for a configuration file and opens it.
    void open();
    /// Puts the configuration file at `path` on the grid, its map and mode as a change of the map
    /// the grid belongs to and, when the user agrees, its voltage tables in place of the user's:
    /// one undoable step. A damaged file changes nothing and is said.
    void openPath(const QString& path);
    void exportToFile();
    /// The printable sheet of the shown map, the mode and the voltage tables, on the printer the
    /// user chooses (or a PDF).
    void print();
    /// "Written to the BDX4": the configurations written, to open or compare.
    void showHistory();
    /// Marks the grid's boxes that differ from the configuration at `path` and says which
    /// voltages and which mode differ ("Nothing differs" when nothing does).
    void compareWith(const QString& path);

private:
    std::optional<Configuration> readConfiguration(const QString& path, const QString& title);

    QWidget* window_;
    ConfigDocument& document_;
    SettingsStore& settings_;
    MainCanvas& canvas_;
    QStatusBar& statusBar_;
    BoxController& box_;
    std::function<std::optional<GridEdits>()> askAboutGrid_;
};

} // namespace bdx4
