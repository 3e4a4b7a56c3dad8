#pragma once

#include "platform/MessageBoxes.h"
#include "platform/SerialLine.h" // Failure
#include "platform/SettingsStore.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bdx4 {

/// `frmSaveFileAs`: picks the text file an export writes. Opens in the program's folder with
/// the "*.txt" files listed (every file from the first change of folder on). Save hands back
/// the folder, "/" and the trimmed name with ".txt" added unless it ends so; Cancel, Escape and
/// the frame's close box hand back "Cancel". Save also remembers the drive and folder under
/// "Saved_Drive" and "Saved_Directory".
class SaveFileDialog : public QDialog {
    Q_OBJECT
public:
    /// `result` is where the outcome goes (the export's SaveFileAsResult); it is left alone
    /// until Save or Cancel.
    SaveFileDialog(const QString& appPath, SettingsStore& settings, MessageBoxes& boxes,
                   QString& result, QWidget* owner);

    /// The folder list's path.
    QString folderPath() const { return folderPath_; }
    /// The file list's pattern: "*.txt", then "*".
    QString filePattern() const { return pattern_; }
    /// The drive list's current drive.
    QString driveText() const;
    QString lastDrive() const { return lastDrive_; }

    QComboBox* driveList() const { return drives_; }
    QListWidget* folderList() const { return folders_; }
    QListWidget* fileList() const { return files_; }
    QLineEdit* nameBox() const { return name_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }

    /// Moves the folder list to `path`; a new folder runs Dir1_Change. Fails, changing nothing,
    /// when the folder cannot be read (error 68, as for a drive that is not ready).
    Failure setFolderPath(const QString& path);
    /// The mounted file-system roots, the drives of this platform.
    static QStringList mountedRoots();

    /// The Save action (the Save button, and Enter in the name box).
    void AcceptFileName();

public slots:
    /// Cancel, Escape and the frame's close box.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load(const QString& appPath);
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click(const QString& name);
    void fillFolderList();
    void fillFileList();

    SettingsStore& settings_;
    MessageBoxes& boxes_;
    QString& result_;
    QString folderPath_;
    QString pattern_ = QStringLiteral("*.txt");
    QString lastDrive_;
    QComboBox* drives_;
    QListWidget* folders_;
    QListWidget* files_;
    QLineEdit* name_;
    QPushButton* save_;
    QPushButton* cancel_;
};

} // namespace bdx4
