// bdx4config: the desktop configuration utility of the BDX4 band decoder.

#include "AppName.h"
#include "io/Clock.h"
#include "io/QtSerialLine.h"
#include "io/QtSettingsStore.h"
#include "io/SerialTrace.h"
#include "io/StoreLock.h"
#include "io/StorePlaces.h"
#include "io/Translations.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/ProgramStyle.h"
#include "ui/TextFit.h"
#include "ui/UiLook.h"

#include <QApplication>
#include <QDir>
#include <QLocale>

#include <csignal>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The desktop's style, but for a stock image that would load every image plugin; the
    // desktop's font size in the family the windows are drawn in, which saves loading a second
    // family at every start.
    QApplication::setStyle(new bdx4::ProgramStyle);
    QFont font = QApplication::font();
    font.setFamilies(bdx4::look::defaultFont().families());
    QApplication::setFont(font);
#ifdef SIGXFSZ
    // Under a file size limit (ulimit -f) the system would end the program in the middle of a
    // save, losing the maps in memory; ignored, the write fails and the save says so.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The settings are named after the executable.
    const QString name = bdx4::applicationNameFor(QCoreApplication::applicationFilePath());
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(QStringLiteral(BDX4_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.morvane.bdx4config"));
    QApplication::setWindowIcon(bdx4::look::programIcon()); // every window of the program

    // The user's language, before the first window is built.
    bdx4::Translations translations;
    translations.install(QLocale::system().uiLanguages());

    // For translators: every window says which of its texts do not fit.
    if (qEnvironmentVariableIntValue("BDX4_CHECK_TEXTS") != 0)
        app.installEventFilter(new bdx4::TextFitWatcher(&app));

    // One copy on the same stores, whatever its name or runtime folder: the lock lives with
    // them. A second copy ends at once, before any window, without a word.
    bdx4::StoreLock lock(bdx4::StorePlaces::ofThisProgram().storeFolder());
    const bdx4::StoreLock::Outcome locked = lock.tryLock();
    if (locked == bdx4::StoreLock::HeldElsewhere)
        return 0;
    if (locked == bdx4::StoreLock::CannotCreate)
        bdx4::dialogs::inform(
            nullptr, bdx4::dialogs::appTitle(),
            QCoreApplication::translate(
                "bdx4config",
                "The lock file %1 cannot be created: %2.\r\n\r\nThe program goes on, but it "
                "cannot tell whether another copy works on the same stores, and saving them may "
                "fail for the same reason.")
                .arg(QDir::toNativeSeparators(lock.path()), lock.reason()),
            bdx4::dialogs::Icon::Warning);

    bdx4::QtSettingsStore settings(name);
    bdx4::QtSerialLine serialLine(settings);
    bdx4::SystemClock clock;
    // What goes over the line in the last box search or download is kept for bug reports.
    bdx4::SessionTrace trace(serialLine, clock, bdx4::SessionTrace::defaultPath());
    bdx4::MainWindow window(settings, trace.line(), clock, bdx4::StorePlaces::ofThisProgram(),
                            &trace);
    window.show();
    return app.exec();
}
