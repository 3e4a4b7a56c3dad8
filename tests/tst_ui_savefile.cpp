#include "platform/SaveFileName.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSettingsStore.h"
#include "ui/SaveFileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;
using namespace bdx4::test;

namespace {

/// The dialog over a program folder holding a few files and one sub-folder.
struct Rig {
    QTemporaryDir dir;
    FakeSettingsStore settings;
    FakeMessageBoxes boxes;
    QString result = QStringLiteral("previous");
    std::unique_ptr<SaveFileDialog> dialog;

    explicit Rig(bool startInProgramFolder = true) {
        for (const char* name : {"b.txt", "a.txt", "notes.log"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            f.open(QIODevice::WriteOnly);
        }
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        QFile(dir.filePath(QStringLiteral("sub/c.log"))).open(QIODevice::WriteOnly);
        // The folder list starts out on the current folder.
        QDir::setCurrent(startInProgramFolder ? dir.path() : QDir::rootPath());
        dialog = std::make_unique<SaveFileDialog>(dir.path(), settings, boxes, result, nullptr);
        dialog->show();
    }
    ~Rig() { QDir::setCurrent(QDir::tempPath()); }
    QStringList files() {
        QStringList names;
        for (int i = 0; i < dialog->fileList()->count(); ++i)
            names << dialog->fileList()->item(i)->text();
        return names;
    }
};

} // namespace

class TestUiSaveFile : public QObject {
    Q_OBJECT

private slots:
    void savedFileName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* tag, const char* typed, const char* name) {
            QTest::newRow(tag) << QString(typed) << QString(name);
        };
        row("plain", "report", "report.txt");
        row("blanks go first", "  report.txt  ", "report.txt");
        row("case-sensitive", "REPORT.TXT", "REPORT.TXT.txt");
        row("emptied box", "", ".txt");
        row("only blanks", "   ", ".txt");
        row("other extension", "out.log", "out.log.txt");
        row("inner blanks stay", " my report ", "my report.txt");
        row("only blanks trimmed", "\treport", "\treport.txt");
        row("bare extension", ".txt", ".txt");
    }
    void savedFileName() {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QCOMPARE(SavedFileName(typed), name);
    }

    void savedFilePathJoinsWithOneSlash() {
        QCOMPARE(SavedFilePath("/home/op", "a.txt"), QStringLiteral("/home/op/a.txt"));
        QCOMPARE(SavedFilePath("/", "a.txt"), QStringLiteral("/a.txt"));
    }

    void opensInTheProgramFolderWithTextFilesOnly() {
        Rig rig;
        QCOMPARE(rig.dialog->windowTitle(), QStringLiteral("Save File As..."));
        QCOMPARE(rig.dialog->folderPath(), rig.dir.path());
        QCOMPARE(rig.dialog->filePattern(), QStringLiteral("*.txt"));
        QCOMPARE(rig.files(), (QStringList{"a.txt", "b.txt"}));
        QVERIFY(!rig.dialog->saveButton()->isEnabled());
        QVERIFY(rig.dialog->nameBox()->text().isEmpty());
        QCOMPARE(rig.dialog->driveText(), QStorageInfo(rig.dir.path()).rootPath());
        QCOMPARE(rig.dialog->lastDrive(), rig.dialog->driveText());
        QCOMPARE(rig.result, QStringLiteral("previous")); // untouched until Save or Cancel
    }

    void aChangeOfFolderListsEveryFile() {
        Rig rig;
        QListWidget* folders = rig.dialog->folderList();
        const QList<QListWidgetItem*> sub = folders->findItems("sub", Qt::MatchEndsWith);
        QCOMPARE(sub.size(), 1);
        emit folders->itemActivated(sub.first());
        QCOMPARE(rig.dialog->folderPath(), rig.dir.filePath(QStringLiteral("sub")));
        QCOMPARE(folders->item(0)->text(), QStringLiteral("/"));
        QCOMPARE(rig.dialog->filePattern(), QStringLiteral("*"));
        QCOMPARE(rig.files(), QStringList{"c.log"});
        QVERIFY(!rig.dialog->setFolderPath(rig.dir.path()));
        QCOMPARE(rig.files(), (QStringList{"a.txt", "b.txt", "notes.log"}));
        // The loading itself changed the folder when the list showed another one.
        Rig elsewhere(false);
        QCOMPARE(elsewhere.dialog->folderPath(), elsewhere.dir.path());
        QCOMPARE(elsewhere.dialog->filePattern(), QStringLiteral("*"));
    }

    void saveGivesFolderAndName_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("name");
        QTest::newRow("typed, Enter") << "type"
                                      << "/report.txt";
        QTest::newRow("Backspace alone, Save") << "backspace"
                                               << "/.txt";
        QTest::newRow("file clicked, Save") << "click"
                                            << "/b.txt";
    }
    void saveGivesFolderAndName() {
        QFETCH(QString, how);
        QFETCH(QString, name);
        Rig rig;
        QLineEdit* box = rig.dialog->nameBox();
        QListWidget* files = rig.dialog->fileList();
        if (how == "type")
            QTest::keyClicks(box, QStringLiteral("report"));
        else if (how == "backspace")
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                              files->visualItemRect(files->item(1)).center());
        QCOMPARE(box->text(), how == "click" ? "b.txt" : how == "type" ? "report" : "");
        QVERIFY(rig.dialog->saveButton()->isEnabled());
        if (how == "type")
            QTest::keyClick(box, Qt::Key_Return);
        else
            rig.dialog->saveButton()->click();
        QCOMPARE(rig.result, rig.dir.path() + name);
        QCOMPARE(rig.dialog->result(), int(QDialog::Accepted));
        QVERIFY(!rig.dialog->isVisible());
        QCOMPARE(rig.settings.values.value("Options/Saved_Directory"), rig.dir.path());
        QCOMPARE(rig.settings.values.value("Options/Saved_Drive"), rig.dialog->driveText());
    }

    void cancelEscapeAndFrameGiveCancelAndWriteNothing_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Cancel button") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("frame close box") << 2;
    }
    void cancelEscapeAndFrameGiveCancelAndWriteNothing() {
        QFETCH(int, way);
        Rig rig;
        QTest::keyClicks(rig.dialog->nameBox(), QStringLiteral("x"));
        if (way == 0)
            rig.dialog->cancelButton()->click();
        else if (way == 1)
            QTest::keyClick(rig.dialog->nameBox(), Qt::Key_Escape);
        else
            rig.dialog->close();
        QCOMPARE(rig.result, QStringLiteral("Cancel"));
        QVERIFY(!rig.dialog->isVisible());
        QCOMPARE(rig.settings.writes, 0);
    }

    void driveThatCannotBeReadGoesBackToTheLastOne() {
        Rig rig;
        const QString good = rig.dialog->driveText();
        QComboBox* drives = rig.dialog->driveList();
        drives->addItem(QStringLiteral("/no/such/drive"));
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(rig.boxes.shown.size(), 1);
        const MessageRequest& box = rig.boxes.shown.first();
        QCOMPARE(box.text, QStringLiteral("Sorry, this drive is not accessable; try another."));
        QCOMPARE(box.title, QStringLiteral("Error 68, Device unavailable"));
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QCOMPARE(box.icon, MsgIcon::None);
        QVERIFY(rig.dialog->driveText() == good && rig.dialog->lastDrive() == good);
        QCOMPARE(rig.dialog->folderPath(), QDir::cleanPath(good)); // the drive's own root
        QVERIFY(rig.dialog->isVisible());
    }

    void drivesAreTheMountedRoots() {
        const QStringList roots = SaveFileDialog::mountedRoots();
        QVERIFY(roots.contains(QStringLiteral("/")));
        for (const QString& root : roots)
            QVERIFY2(QStorageInfo(root).rootPath() == root, qPrintable(root));
    }
};

QTEST_MAIN(TestUiSaveFile)
#include "tst_ui_savefile.moc"
