#include "ui/SaveFileDialog.h"

#include "ui/CommandButton.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>

namespace bdx4 {

namespace {

// The number the message about a drive that cannot be read carries.
constexpr int kDeviceUnavailable = 68;

void addLabel(QWidget* parent, const QString& text, const QRect& at) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(at);
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

QString SaveFileDialog::fileNameFor(const QString& typed) {
    // Only blanks are trimmed; a tab typed into the box is kept.
    qsizetype first = 0;
    qsizetype last = typed.size();
    while (first < last && typed.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && typed.at(last - 1) == QLatin1Char(' '))
        --last;
    QString name = typed.mid(first, last - first);
    if (!name.endsWith(QLatin1String(".txt"), Qt::CaseSensitive))
        name += QLatin1String(".txt");
    return name;
}

QString SaveFileDialog::filePathFor(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

std::optional<QString> SaveFileDialog::getFileName(const QString& startFolder,
                                                   SettingsStore& settings, QWidget* owner) {
    SaveFileDialog dialog(startFolder, settings, owner);
    dialog.exec();
    return dialog.chosenFile();
}

SaveFileDialog::SaveFileDialog(const QString& startFolder, SettingsStore& settings, QWidget* owner)
    : QDialog(owner), settings_(settings) {
    setWindowTitle(tr("Save File As..."));
    setFont(look::defaultFont());
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(6810, 3615));

    addLabel(this, tr("Drive:"), tw.rect(120, 120, 420, 255));
    drives_ = new QComboBox(this);
    drives_->setGeometry(tw.rect(600, 120, 3015, 315));
    drives_->addItems(mountedRoots());
    drives_->setAccessibleName(tr("Drive"));

    // Wide up to the list, so that a longer translation fits.
    addLabel(this, tr("Path: "), tw.rect(120, 600, 470, 255));
    folders_ = new QListWidget(this);
    folders_->setGeometry(tw.rect(600, 600, 3015, 1890));
    folders_->setAccessibleName(tr("Folders"));

    addLabel(this, tr("Files Found:"), tw.rect(3600, 360, 1005, 255));
    files_ = new QListWidget(this);
    files_->setGeometry(tw.rect(3840, 600, 2775, 1845));
    files_->setAccessibleName(tr("Files Found"));

    addLabel(this, tr("File Name:"), tw.rect(120, 2640, 855, 255));
    name_ = new QLineEdit(this);
    name_->setGeometry(tw.rect(1080, 2640, 4095, 285));
    name_->setAccessibleName(tr("File Name"));
    name_->installEventFilter(this);

    save_ = new CommandButton(tr("Save"), this);
    save_->setGeometry(tw.rect(5400, 2640, 1215, 375));
    auto* cancel = new CommandButton(tr("Cancel"), this);
    cancel->setGeometry(tw.rect(5400, 3120, 1215, 375));

    // Until it is pointed elsewhere the folder list shows the current folder; pointing it at the
    // start folder then counts as a change of folder.
    folder_ = cleanFolder(QDir::currentPath());
    fillFolderList();
    fillFileList();

    connect(drives_, &QComboBox::currentIndexChanged, this, [this](int) { onDriveChosen(); });
    connect(folders_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showFolder(item->data(Qt::UserRole).toString()); });
    connect(files_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { onFileClicked(item->text()); });
    connect(files_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { onFileClicked(item->text()); });
    connect(save_, &QPushButton::clicked, this, &SaveFileDialog::save);
    connect(cancel, &QPushButton::clicked, this, &SaveFileDialog::reject);

    startIn(startFolder);
    name_->setFocus();
}

QString SaveFileDialog::drive() const {
    return drives_->currentText();
}

void SaveFileDialog::startIn(const QString& startFolder) {
    const QStorageInfo volume(startFolder);
    const int index = volume.isValid() ? drives_->findText(volume.rootPath()) : -1;
    if (index >= 0) {
        const QSignalBlocker quiet(drives_);
        drives_->setCurrentIndex(index);
        lastDrive_ = drive();
        if (showFolder(startFolder)) {
            save_->setEnabled(false);
            return;
        }
    }
    // The start folder cannot be shown: the root folder of the first drive instead.
    {
        const QSignalBlocker quiet(drives_);
        drives_->setCurrentIndex(qMax(0, drives_->findText(QStringLiteral("/"))));
    }
    lastDrive_ = drive();
    showFolder(QStringLiteral("/"));
}

bool SaveFileDialog::showFolder(const QString& path) {
    const QString folder = cleanFolder(path);
    const QFileInfo info(folder);
    if (path.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(folder).isReadable())
        return false;
    if (folder != folder_) {
        folder_ = folder;
        onFolderChanged();
    }
    return true;
}

void SaveFileDialog::onDriveChosen() {
    if (showFolder(drive())) {
        lastDrive_ = drive();
        return;
    }
    dialogs::inform(this, tr("Error %1, %2").arg(kDeviceUnavailable).arg(tr("Device unavailable")),
                    tr("Sorry, this drive is not accessable; try another."));
    // Back to the last drive that worked; its change points the folder list there again.
    drives_->setCurrentIndex(drives_->findText(lastDrive_));
}

void SaveFileDialog::onFolderChanged() {
    fillFolderList();
    pattern_ = QStringLiteral("*");
    fillFileList();
}

void SaveFileDialog::fillFolderList() {
    folders_->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The way down from the root to the folder, then the folders inside it, one step deeper.
    const QStringList steps = folder_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
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
        path = filePathFor(path, step);
        current = add(open, step, path, ++depth);
    }
    const QStringList inside =
        QDir(folder_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : inside)
        add(closed, name, QDir(folder_).filePath(name), depth + 1);
    folders_->setCurrentItem(current);
}

void SaveFileDialog::fillFileList() {
    files_->clear();
    files_->addItems(
        QDir(folder_).entryList({pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void SaveFileDialog::onFileClicked(const QString& name) {
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
                save();
        }
    }
    return QDialog::eventFilter(watched, event); // the box still gets the key
}

QString SaveFileDialog::pathFor(const QString& folder, const QString& typed) {
    const QString name = fileNameFor(typed);
    // A name with a folder in it is honoured: an absolute one as it stands, a relative one from
    // the folder shown.
    if (!name.contains(QLatin1Char('/')))
        return filePathFor(folder, name);
    return QDir::cleanPath(QDir(folder).filePath(name));
}

void SaveFileDialog::save() {
    const QString path = pathFor(folder_, name_->text());
    const QFileInfo file(path);
    if (!file.dir().exists()) {
        dialogs::inform(this, windowTitle(),
                        tr("The folder %1 does not exist. Nothing was saved.")
                            .arg(QDir::toNativeSeparators(file.absolutePath())),
                        dialogs::Icon::Warning);
        return;
    }
    if (file.exists() &&
        dialogs::askYesNo(this, tr("%1 already exists. Replace it?").arg(file.fileName()),
                          dialogs::Escape::AnswersNo) != dialogs::Answer::Yes)
        return;
    chosen_ = path;
    settings_.setValue(kOptionsSection, QStringLiteral("Saved_Drive"), drive());
    settings_.setValue(kOptionsSection, QStringLiteral("Saved_Directory"), folder_);
    settings_.sync();
    accept();
}

} // namespace bdx4
