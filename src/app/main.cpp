// bdx4config: the desktop configuration utility of the BDX4 band decoder.

#include "SingleInstance.h"
#include "io/Clock.h"
#include "io/QtSerialLine.h"
#include "io/QtSettingsStore.h"
#include "io/SerialTrace.h"
#include "io/StorePlaces.h"
#include "io/Translations.h"
#include "ui/MainWindow.h"
#include "ui/ProgramStyle.h"
#include "ui/TextFit.h"
#include "ui/UiLook.h"

#include <QApplication>
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
    // The settings and the lock are named after the executable.
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

    // A second copy ends at once, before any window, without a word.
    bdx4::SingleInstance instance(name);
    if (!instance.tryAcquire())
        return 0;

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
