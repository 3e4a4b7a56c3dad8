#pragma once

#include <QObject>

#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace bdx4 {

class BoxConnection;
class CommMenu;
class ConfigDocument;
class SettingsStore;

/// The main window's menu bar: Main, Edit (undo and redo of the document), Use ACn (the
/// document's mode, checked as it stands), Analog1-Analog3, COMM and Help, each entry with its
/// letter and the desktop's standard keys. Commands that the window carries out are reported by
/// signals.
class MainMenus : public QObject {
    Q_OBJECT
public:
    MainMenus(QMenuBar* bar, ConfigDocument& document, BoxConnection& connection,
              SettingsStore& settings);

    CommMenu& commMenu() const { return *comm_; }
    /// Nothing but the ways out until the stores are read (`ready`), and no second download or
    /// box search while one runs (`busy`).
    void enable(bool ready, bool busy);

signals:
    void testRequested();
    void openRequested();
    /// Save as MAPn of the map the grid belongs to.
    void saveRequested();
    void exportRequested();
    void printRequested();
    void historyRequested();
    void namesRequested();
    void exitRequested();
    void voltageWindowRequested(int table);
    void helpRequested();
    void aboutRequested();

private:
    void addMainMenu(QMenuBar* bar);
    void addEditMenu(QMenuBar* bar);
    void addAccMenu(QMenuBar* bar);
    void showAccMode(bool forBandMap);

    ConfigDocument& document_;
    QAction* test_ = nullptr;
    QAction* save_ = nullptr;
    QAction* export_ = nullptr;
    QAction* open_ = nullptr;
    QAction* print_ = nullptr;
    QAction* history_ = nullptr;
    QMenu* edit_ = nullptr;
    QMenu* acc_ = nullptr;
    QAction* accForBandMap_ = nullptr;
    QAction* accDefaultTable_ = nullptr;
    std::array<QAction*, 3> analog_ = {};
    CommMenu* comm_ = nullptr;
    QMenu* help_ = nullptr;
};

} // namespace bdx4
