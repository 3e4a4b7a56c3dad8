#include "platform/QtSettingsStore.h"
#include "store/SingleInstance.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The settings and the lock are named after the executable, as the program always was.
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).baseName();

    // A second copy ends at once, before any window, without a word.
    bdx4::SingleInstance instance(name);
    if (!instance.tryAcquire())
        return 0;

    bdx4::QtSettingsStore settings(name);
    bdx4::MainWindowParts parts;
    parts.settings = &settings;
    bdx4::MainWindow window(parts);
    window.show();
    return app.exec();
}
