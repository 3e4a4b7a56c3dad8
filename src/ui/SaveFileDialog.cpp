#include "ui/SaveFileDialog.h"

#include "platform/SaveFileName.h"
#include "ui/CommandButton.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>

namespace bdx4 {

namespace {

const QString kOptions = QStringLiteral("Options");
constexpr int kDeviceUnavailable = 68;

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& at) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(at);
    return l;
}

QString cleanFolder(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

QStringList SaveFileDialog::mountedRoots() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    if (!roots.contains(QStringLiteral("/")))
        roots.prepend(QStringLiteral("/"));
    roots.sort();
    return roots;
}

SaveFileDialog::SaveFileDialog(const QString& appPath, SettingsStore& settings, MessageBoxes& boxes,
                               QString& result, QWidget* owner)
    : QDialog(owner), settings_(settings), boxes_(boxes), result_(result) {
    setObjectName(QStringLiteral("frmSaveFileAs"));
    setWindowTitle(QStringLiteral("Save File As..."));
    setFont(look::defaultFont());
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(6810, 3615));

    label(this, "Label3", QStringLiteral("Drive:"), tw.rect(120, 120, 420, 255));
    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive1"));
    drives_->setGeometry(tw.rect(600, 120, 3015, 315));
    drives_->addItems(mountedRoots());

    label(this, "lblPath", QStringLiteral("Path: "), tw.rect(120, 600, 375, 255));
    folders_ = new QListWidget(this);
    folders_->setObjectName(QStringLiteral("Dir1"));
    folders_->setGeometry(tw.rect(600, 600, 3015, 1890));

    label(this, "Label4", QStringLiteral("Files Found:"), tw.rect(3600, 360, 1005, 255));
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("File1"));
    files_->setGeometry(tw.rect(3840, 600, 2775, 1845));

    label(this, "Label1", QStringLiteral("File Name:"), tw.rect(120, 2640, 855, 255));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("txtFileName"));
    name_->setGeometry(tw.rect(1080, 2640, 4095, 285));
    name_->installEventFilter(this);

    save_ = new CommandButton(QStringLiteral("Save"), this);
    save_->setObjectName(QStringLiteral("OKButton"));
    save_->setGeometry(tw.rect(5400, 2640, 1215, 375));
    cancel_ = new CommandButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("CancelButton"));
    cancel_->setGeometry(tw.rect(5400, 3120, 1215, 375));

    // Until it is pointed elsewhere the folder list shows the current folder, as it always has;
    // pointing it at the program's folder then counts as a change of folder.
    folderPath_ = cleanFolder(QDir::currentPath());
    fillFolderList();
    fillFileList();

    connect(drives_, &QComboBox::currentIndexChanged, this, [this](int) { Drive1_Change(); });
    connect(folders_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setFolderPath(item->data(Qt::UserRole).toString()); });
    connect(files_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { File1_Click(item->text()); });
    connect(files_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { File1_Click(item->text()); });
    connect(save_, &QPushButton::clicked, this, &SaveFileDialog::AcceptFileName);
    connect(cancel_, &QPushButton::clicked, this, &SaveFileDialog::reject);

    Form_Load(appPath);
    name_->setFocus();
}

QString SaveFileDialog::driveText() const {
    return drives_->currentText();
}

void SaveFileDialog::Form_Load(const QString& appPath) {
    const QStorageInfo volume(appPath);
    const int index = volume.isValid() ? drives_->findText(volume.rootPath()) : -1;
    if (index >= 0) {
        const QSignalBlocker quiet(drives_);
        drives_->setCurrentIndex(index);
        lastDrive_ = driveText();
        if (!setFolderPath(appPath)) {
            save_->setEnabled(false);
            return;
        }
    }
    // The program's folder cannot be shown: the root folder of the first drive instead.
    {
        const QSignalBlocker quiet(drives_);
        drives_->setCurrentIndex(qMax(0, drives_->findText(QStringLiteral("/"))));
    }
    lastDrive_ = driveText();
    setFolderPath(QStringLiteral("/"));
}

Failure SaveFileDialog::setFolderPath(const QString& path) {
    const QString folder = cleanFolder(path);
    const QFileInfo info(folder);
    if (path.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(folder).isReadable())
        return PlatformError{kDeviceUnavailable, QStringLiteral("Device unavailable")};
    if (folder != folderPath_) {
        folderPath_ = folder;
        Dir1_Change();
    }
    return std::nullopt;
}

void SaveFileDialog::Drive1_Change() {
    const QString drive = driveText();
    const Failure failure = setFolderPath(drive);
    if (!failure) {
        lastDrive_ = drive;
        return;
    }
    MessageRequest box;
    if (failure->number == kDeviceUnavailable) {
        box.text = QStringLiteral("Sorry, this drive is not accessable; try another.");
        box.title = QStringLiteral("Error %1, %2").arg(failure->number).arg(failure->description);
    } else {
        box.text = QStringLiteral("Error %1, %2").arg(failure->number).arg(failure->description);
        box.icon = MsgIcon::Critical;
        box.title = QStringLiteral("Unexpected error");
    }
    boxes_.show(box);
    // Back to the last drive that worked; its change points the folder list there again.
    drives_->setCurrentIndex(drives_->findText(lastDrive_));
}

void SaveFileDialog::Dir1_Change() {
    fillFolderList();
    pattern_ = QStringLiteral("*");
    fillFileList();
}

void SaveFileDialog::fillFolderList() {
    folders_->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The way down from the root to the folder, then the folders inside it, one step deeper.
    QStringList steps = folderPath_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = QStringLiteral("/");
    int depth = 0;
    auto add = [this](const QIcon& icon, const QString& text, const QString& full, int level) {
        auto* item = new QListWidgetItem(icon, QString(level * 2, QLatin1Char(' ')) + text);
        item->setData(Qt::UserRole, full);
        folders_->addItem(item);
        return item;
    };
    QListWidgetItem* current = add(open, QStringLiteral("/"), path, depth);
    for (const QString& step : steps) {
        path = path.endsWith(QLatin1Char('/')) ? path + step : path + QLatin1Char('/') + step;
        current = add(open, step, path, ++depth);
    }
    const QStringList inside =
        QDir(folderPath_)
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : inside)
        add(closed, name, QDir(folderPath_).filePath(name), depth + 1);
    folders_->setCurrentItem(current);
}

void SaveFileDialog::fillFileList() {
    files_->clear();
    files_->addItems(
        QDir(folderPath_).entryList({pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void SaveFileDialog::File1_Click(const QString& name) {
    save_->setEnabled(true);
    name_->setText(name);
}

bool SaveFileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == name_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter || key->key() == Qt::Key_Backspace || !key->text().isEmpty()) {
            save_->setEnabled(true);
            if (enter)
                AcceptFileName();
        }
    }
    return QDialog::eventFilter(watched, event); // the box still gets the key
}

void SaveFileDialog::AcceptFileName() {
    result_ = SavedFilePath(folderPath_, SavedFileName(name_->text()));
    settings_.setValue(kOptions, QStringLiteral("Saved_Drive"), driveText());
    settings_.setValue(kOptions, QStringLiteral("Saved_Directory"), folderPath_);
    settings_.sync();
    accept();
}

void SaveFileDialog::reject() {
    result_ = QStringLiteral("Cancel");
    QDialog::reject();
}

} // namespace bdx4
