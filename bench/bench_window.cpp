// The main window's download against bdx4-sim over a pseudo-terminal, with everything the window
// shows on the way: the status box, the status bar's progress and the port's state. It must stay
// as close to the protocol's floor (600 ms, then one 300 ms step for each of the seven records:
// 2.7 s) as the download alone does: at most 1.01 of it.
//
// Usage: bench_window [--runs N]   (exit status 1 when the target is missed)

#include "Series.h"
#include "SimProcess.h"

#include "io/QtSerialLine.h"
#include "support/Fakes.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace bdx4;
using namespace bdx4::simrig;

namespace {

constexpr double kDownloadFloorMs = 2700.0;
constexpr double kWallTarget = 1.01;

/// Runs the event loop until `done` holds, checking whenever the status box changes.
void waitFor(QLineEdit* status, const std::function<bool()>& done) {
    QEventLoop loop;
    QObject::connect(status, &QLineEdit::textChanged, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("BDX4_UNATTENDED", "1"); // the firmware box is answered at once
    QApplication app(argc, argv);
    const int runs = bench::runsFrom(app.arguments());

    QTemporaryDir dir;
    BoxFolder folder;
    SimProcess box;
    if (!dir.isValid() || !folder.startBox(box, {}))
        return 2;
    test::FakeSettings settings;
    settings.setValue(kPortsSection, QStringLiteral("COM1"), folder.linkPath());
    QtSerialLine line(settings);
    SystemClock clock;
    StorePlaces places;
    places.programFolder = dir.path();
    MainWindow window(settings, line, clock, places);
    window.show();
    QEventLoop started;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &started, [&] {
        if (window.isReady())
            started.quit();
    });
    poll.start(5);
    started.exec();
    poll.stop();

    QPushButton* write = nullptr;
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == QLatin1String("Write To BDX4"))
            write = button;
    auto* progress = window.statusBar()->findChild<QProgressBar*>();
    bench::Series wallRatio{"window download wall / 2.7 s floor", {}, kWallTarget};
    bool allPassed = true;
    for (int run = 0; run < runs; ++run) {
        int highest = 0;
        QObject::connect(progress, &QProgressBar::valueChanged, progress,
                         [&highest](int value) { highest = std::max(highest, value); });
        QElapsedTimer wall;
        wall.start();
        write->click();
        waitFor(window.statusBox(), [&] { return window.statusBox()->text().startsWith("Last"); });
        wallRatio.values.push_back(double(wall.nsecsElapsed()) / 1e6 / kDownloadFloorMs);
        progress->disconnect(progress);
        if (window.statusBox()->text() != QLatin1String("Last Send Passed!") || highest != 7) {
            std::fprintf(stderr, "bench_window: run %d: %s, progress reached %d of 7\n", run + 1,
                         qPrintable(window.statusBox()->text()), highest);
            allPassed = false;
        }
    }
    std::printf("bench_window: %d downloads through the main window against bdx4-sim\n", runs);
    allPassed &= bench::printSeries({&wallRatio});
    window.close();
    return allPassed ? 0 : 1;
}
