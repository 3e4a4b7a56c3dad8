#include "link/SessionTrace.h"
#include "platform/EventLoopClock.h"
#include "platform/QtSerialLine.h"
#include "platform/QtSettingsStore.h"
#include "store/SingleInstance.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

/// For scripted runs (installation checks, benchmarks) where nobody is there to answer: every
/// message box is written to standard error and answered with its default button.
class UnattendedMessageBoxes : public bdx4::MessageBoxes {
public:
    bdx4::MsgAnswer show(const bdx4::MessageRequest& request) override {
        QString text = request.text;
        text.replace(QLatin1String("\r\n"), QLatin1String(" / "));
        std::fprintf(stderr, "[%s] %s\n", qUtf8Printable(request.title), qUtf8Printable(text));
        std::fflush(stderr);
        return request.defaultButton;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
#ifdef SIGXFSZ
    // Under a file size limit (ulimit -f) the system would end the program in the middle of a
    // save, losing the maps in memory; ignored, the write fails and the save says so.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The settings and the lock are named after the executable, as the program always was.
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).baseName();

    // A second copy ends at once, before any window, without a word.
    bdx4::SingleInstance instance(name);
    if (!instance.tryAcquire())
        return 0;

    bdx4::QtSettingsStore settings(name);
    bdx4::MainWindowParts parts;
    parts.settings = &settings;
    std::unique_ptr<UnattendedMessageBoxes> unattended;
    if (qEnvironmentVariableIntValue("BDX4_UNATTENDED") != 0) {
        unattended = std::make_unique<UnattendedMessageBoxes>();
        parts.boxes = unattended.get();
    }
    // What goes over the line in the last box search or download is kept for bug reports.
    bdx4::QtSerialLine serialLine(settings);
    bdx4::EventLoopClock traceClock; // only stamps the trace's times
    bdx4::SessionTrace sessionTrace(serialLine, traceClock, bdx4::SessionTrace::defaultPath());
    parts.line = &sessionTrace.line();

    bdx4::MainWindow window(parts); // destroyed before the trace and the line it uses
    sessionTrace.attach(window.link());
    window.downloader().setDownloadStartingHandler(
        [&sessionTrace] { sessionTrace.downloadStarting(); });
    window.show();
    return app.exec();
}
