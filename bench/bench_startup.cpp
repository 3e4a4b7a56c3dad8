// The real bdx4config, started as a user starts it (offscreen, message boxes answered at once):
//  - process start to the end of its start-up with no port to open (target under 300 ms);
//  - process start to the end of its start-up with bdx4-sim on COM1, against the box search's
//    protocol floor of 900 ms (the lone ";", 600 ms, the query, 300 ms; target within 50 ms);
//  - the running program's peak resident memory (target under 80 MB);
//  - the installed size.
// The start-up ends by writing the voltage store, so its appearance marks the end.
//
// With `--against OLD` it compares this build with another build of bdx4config instead: both
// started `--runs N` times (default 20), interleaved in one run so that the machine's noise falls
// on both alike, with no port to open; a table of the time to the end of the start-up and the
// peak resident memory, each program's median, minimum and maximum.
#include "SimProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace bdx4;

namespace {

const QString kProgram = QStringLiteral(BDX4_PROGRAM_PATH);
constexpr double kSearchFloorMs = 900;

struct Run {
    double startupMs = -1;
    long peakKb = -1;
};

long peakResidentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

/// One start of a fresh copy of `program` in its own folder, with COM1 reaching `device`.
Run startOnce(const QString& device, const QString& programPath = kProgram) {
    QTemporaryDir dir;
    const QString exe = dir.filePath(QStringLiteral("bdx4config"));
    QFile::copy(programPath, exe);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(dir.path()).mkpath(QStringLiteral("config/bdx4config"));
    QDir(dir.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(dir.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile ini(dir.filePath(QStringLiteral("config/bdx4config/bdx4config.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[Ports]\nCOM1=%1\n").arg(device).toUtf8());
    ini.close();

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("BDX4_UNATTENDED"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString voltStore = dir.filePath(QStringLiteral("bdx4_bv.ini"));

    Run run;
    QElapsedTimer clock;
    clock.start();
    program.start(exe, {});
    while (clock.elapsed() < 10000 && program.state() != QProcess::NotRunning) {
        if (QFile::exists(voltStore)) {
            run.startupMs = double(clock.nsecsElapsed()) / 1e6;
            break;
        }
        QThread::usleep(200);
        QCoreApplication::processEvents();
    }
    QThread::msleep(300); // let it settle and draw before reading its memory
    run.peakKb = peakResidentKb(program.processId());
    program.terminate();
    if (!program.waitForFinished(3000))
        program.kill();
    program.waitForFinished(3000);
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

qint64 installedBytes() {
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral("cmake"),
                  {QStringLiteral("--install"), QStringLiteral(BDX4_BUILD_DIR),
                   QStringLiteral("--prefix"), prefix.path()});
    install.waitForFinished(60000);
    if (install.exitCode() != 0)
        return -1;
    qint64 total = 0;
    QDirIterator it(prefix.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

struct Figures {
    std::vector<double> ms;
    std::vector<double> peakKb;
};

void printRow(const char* what, std::vector<double> v, const char* unit) {
    std::sort(v.begin(), v.end());
    std::printf("  %-34s %10.1f %10.1f %10.1f %s\n", what, v[v.size() / 2], v.front(), v.back(),
                unit);
}

/// This build against `older`, interleaved; true when this build's medians are at most the
/// older one's.
bool compareWith(const QString& older, int runs) {
    Figures now, before;
    for (int i = 0; i < runs; ++i) {
        for (auto& [program, figures] : {std::pair(kProgram, &now), std::pair(older, &before)}) {
            const Run run = startOnce(QStringLiteral("/nonexistent/bdx4-bench-port"), program);
            figures->ms.push_back(run.startupMs);
            figures->peakKb.push_back(double(run.peakKb));
        }
    }
    std::printf("start-up without a port, %d interleaved runs each\n", runs);
    std::printf("  %-34s %10s %10s %10s\n", "", "median", "min", "max");
    printRow("this build: to the end of start-up", now.ms, "ms");
    printRow(qPrintable(QStringLiteral("%1: to the end of start-up").arg(older.right(12))),
             before.ms, "ms");
    printRow("this build: peak resident", now.peakKb, "KiB");
    printRow(qPrintable(QStringLiteral("%1: peak resident").arg(older.right(12))), before.peakKb,
             "KiB");
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    return median(now.ms) <= median(before.ms) && median(now.peakKb) <= median(before.peakKb);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--against")); at > 0) {
        const qsizetype runs = args.indexOf(QStringLiteral("--runs"));
        return compareWith(args.value(at + 1), runs > 0 ? args.value(runs + 1).toInt() : 20) ? 0
                                                                                             : 1;
    }
    constexpr int kRuns = 5;

    std::vector<double> alone, withBox;
    long peakKb = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Run run = startOnce(QStringLiteral("/nonexistent/bdx4-bench-port"));
        alone.push_back(run.startupMs);
        peakKb = std::max(peakKb, run.peakKb);
    }
    for (int i = 0; i < kRuns; ++i) {
        simrig::SimProcess sim;
        const QString error = sim.start({});
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const Run run = startOnce(sim.device());
        withBox.push_back(run.startupMs);
        peakKb = std::max(peakKb, run.peakKb);
    }
    const double aloneMs = median(alone);
    const double boxMs = median(withBox);
    const double overFloorMs = boxMs - kSearchFloorMs;

    const double peakMb = double(peakKb) / 1024.0;
    const qint64 installed = installedBytes();

    std::printf("startup: process start to start-up done, no port: %.1f ms median of %d "
                "(target < 300)\n",
                aloneMs, kRuns);
    std::printf("startup: process start to start-up done, box on COM1: %.1f ms median, %.1f ms "
                "over the search floor of %.0f ms (target <= 50)\n",
                boxMs, overFloorMs, kSearchFloorMs);
    std::printf("memory: peak resident %.1f MB (target < 80)\n", peakMb);
    std::printf("installed size: %.2f MB\n", double(installed) / (1024.0 * 1024.0));
    const bool met = aloneMs > 0 && aloneMs < 300 && overFloorMs <= 50 && peakMb > 0 && peakMb < 80;
    return met ? 0 : 1;
}
