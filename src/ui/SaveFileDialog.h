#pragma once

#include "io/SettingsStore.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bdx4 {

/// "Save File As...": picks the text file an export writes. It opens in the program's folder with
/// the "*.txt" files listed (every file from the first change of folder on). Save hands back the
/// folder, "/" and the trimmed name with ".txt" added unless it ends so (or where a folder typed
/// with the name points), and remembers the drive and folder under "Saved_Drive" and
/// "Saved_Directory"; it asks before a file that exists is replaced, and refuses a folder that
/// does not exist. Cancel, Escape and the close box hand back nothing.
class SaveFileDialog : public QDialog {
    Q_OBJECT
public:
    SaveFileDialog(const QString& startFolder, SettingsStore& settings, QWidget* owner);

    /// Runs the dialog; the chosen file's full path, or nothing when the user cancelled.
    static std::optional<QString> getFileName(const QString& startFolder, SettingsStore& settings,
                                              QWidget* owner);

    /// The chosen file, once Save was pressed.
    std::optional<QString> chosenFile() const { return chosen_; }
    /// The folder the lists show.
    QString folder() const { return folder_; }
    /// The file pattern: "*.txt", then "*".
    QString filePattern() const { return pattern_; }
    QString drive() const;

    QComboBox* driveList() const { return drives_; }
    QListWidget* folderList() const { return folders_; }
    QListWidget* fileList() const { return files_; }
    QLineEdit* nameBox() const { return name_; }
    QPushButton* saveButton() const { return save_; }

    /// Shows `path` in the lists; false, changing nothing, when it cannot be read.
    bool showFolder(const QString& path);
    /// The name handed on for the text typed into the name box: blanks at both ends are dropped,
    /// and ".txt" is added unless the name already ends in exactly ".txt" ("REPORT.TXT" becomes
    /// "REPORT.TXT.txt"). An empty box gives ".txt".
    static QString fileNameFor(const QString& typed);
    /// `name` in `folder`, joined with one "/".
    static QString filePathFor(const QString& folder, const QString& name);
    /// The file Save writes for the text typed while `folder` is shown: the name as
    /// `fileNameFor` makes it, in `folder`, or where a folder in the name points (an absolute
    /// one as it stands, a relative one from `folder`).
    static QString pathFor(const QString& folder, const QString& typed);
    /// The mounted file-system roots: the drives of this platform.
    static QStringList mountedRoots();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startIn(const QString& startFolder);
    void onDriveChosen();
    void onFolderChanged();
    void onFileClicked(const QString& name);
    void save();
    void fillFolderList();
    void fillFileList();

    SettingsStore& settings_;
    std::optional<QString> chosen_;
    QString folder_;
    QString pattern_ = QStringLiteral("*.txt");
    QString lastDrive_;
    QComboBox* drives_;
    QListWidget* folders_;
    QListWidget* files_;
    QLineEdit* name_;
    QPushButton* save_;
};

} // namespace bdx4
