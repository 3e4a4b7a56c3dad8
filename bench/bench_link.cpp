// How close the download and the box search come to the protocol's own floor, and how little
// processor time their waits take, against bdx4-sim over a real pseudo-terminal.
//
// The protocol fixes the floors: a download is 600 ms after the command plus one 300 ms step
// for each of the seven records (2.7 s); a search that is answered at once takes 900 ms and a
// silent one twelve queries (4.2 s). Waits must sleep, not spin: the program's processor time
// over wall time stays small while it waits.
//
// Usage: bench_link [--runs N]   (exit status 1 when a target is missed)

#include "Series.h"
#include "SimProcess.h"

#include "io/QtSerialLine.h"
#include "jobs/BoxSearch.h"
#include "jobs/DownloadJob.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>
#include <vector>

using namespace bdx4;
using namespace bdx4::simrig;
using bench::Series;

namespace {

constexpr double kDownloadFloorMs = 2700.0;
constexpr double kSeekFloorMs = 900.0;
constexpr double kSilentSeekFloorMs = 4200.0;
constexpr double kWallTarget = 1.01;
constexpr double kCpuTarget = 0.05;

double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Sample {
    double wallMs = 0;
    double cpuMs = 0;
    double cpuShare() const { return wallMs > 0 ? cpuMs / wallMs : 0; }
};

Sample measure(const std::function<void()>& work) {
    QElapsedTimer wall;
    const double cpu0 = cpuMs();
    wall.start();
    work();
    Sample s;
    s.wallMs = double(wall.nsecsElapsed()) / 1e6;
    s.cpuMs = cpuMs() - cpu0;
    return s;
}

// Processor time a child process has used so far, in ms (Linux /proc), or -1.
double childCpuMs(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name in parentheses; utime and stime are fields 14 and 15.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    const double ticks = fields[11].toDouble() + fields[12].toDouble();
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

/// The program's side of the line, as the windows build it: port COM1 is the box's link.
struct Program {
    test::FakeSettings settings;
    QtSerialLine line{settings};
    SystemClock clock;
    BoxConnection connection{line};
    BoxSearch search{connection, clock};
    DownloadJob download{connection, clock};

    explicit Program(const QString& device) {
        settings.values.insert(QStringLiteral("Ports/COM1"), device);
        connection.setStartPort(1);
        connection.setSpeed(QStringLiteral("9600"));
        QObject::connect(&search, &BoxSearch::firmwareReported, &search,
                         [this] { search.acknowledgeFirmware(); });
    }
    bool lookForTheBox() {
        bool found = false;
        QEventLoop loop;
        QObject::connect(&search, &BoxSearch::finished, &loop, [&](const SearchResult& result) {
            found = result.outcome == SearchResult::Found;
            loop.quit();
        });
        search.start();
        loop.exec();
        return found;
    }
    bool write(const ConfigImage& image) {
        bool passed = false;
        QEventLoop loop;
        QObject::connect(&download, &DownloadJob::finished, &loop,
                         [&](const DownloadResult& result) {
                             passed = result.passed();
                             loop.quit();
                         });
        download.start(image);
        loop.exec();
        return passed;
    }
};

ConfigImage someImage() {
    BandMaps maps;
    for (int row = 0; row < kBandRows; ++row)
        maps.setCell(row, row % kOutputs, 1);
    VoltageTables volts;
    for (int t = 0; t < kVoltageTables; ++t)
        for (int b = 0; b < kVoltageBands; ++b)
            volts.setValue(t, b, VoltageTables::defaultLevels(t)[b]);
    return ConfigImage::of(maps, volts);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = bench::runsFrom(app.arguments());

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_link: no temporary folder\n");
        return 2;
    }
    const QString link = dir.filePath(QStringLiteral("bdx4-box"));
    const QStringList linkArgs{QStringLiteral("--link"), link};

    Series downloadWall{"download wall / 2.7 s floor", {}, kWallTarget};
    Series downloadCpu{"download cpu / wall", {}, kCpuTarget};
    Series seekWall{"answered search wall / 0.9 s floor", {}, kWallTarget};
    Series seekCpu{"answered search cpu / wall", {}, kCpuTarget};
    Series silentWall{"silent search wall / 4.2 s floor", {}, kWallTarget};
    Series silentCpu{"silent search cpu / wall", {}, kCpuTarget};
    Series lostCpu{"download on a line lost mid-way cpu / wall", {}, kCpuTarget};
    Series simCpu{"bdx4-sim cpu / wall over a run", {}, kCpuTarget};
    bool allPassed = true;

    for (int run = 0; run < runs; ++run) {
        SimProcess box;
        QElapsedTimer boxLife;
        boxLife.start();
        if (const QString why = box.start(linkArgs); !why.isEmpty()) {
            std::fprintf(stderr, "bench_link: %s\n", qPrintable(why));
            return 2;
        }
        Program program(link);
        if (!program.connection.open().opened) {
            std::fprintf(stderr, "bench_link: the port did not open\n");
            return 2;
        }
        bool found = false;
        const Sample seek = measure([&] { found = program.lookForTheBox(); });
        allPassed &= found;
        seekWall.values.push_back(seek.wallMs / kSeekFloorMs);
        seekCpu.values.push_back(seek.cpuShare());

        const ConfigImage image = someImage();
        bool passed = false;
        const Sample download = measure([&] { passed = program.write(image); });
        if (!passed) {
            std::fprintf(stderr, "bench_link: run %d: the download failed\n", run + 1);
            allPassed = false;
        }
        downloadWall.values.push_back(download.wallMs / kDownloadFloorMs);
        downloadCpu.values.push_back(download.cpuShare());
        const double boxCpu = childCpuMs(box.process().processId());
        if (boxCpu >= 0)
            simCpu.values.push_back(boxCpu / double(boxLife.elapsed()));
        program.connection.close();
    }

    {
        SimProcess box;
        if (!box.start(linkArgs + QStringList{QStringLiteral("--silent")}).isEmpty())
            return 2;
        Program program(link);
        program.connection.open();
        const Sample silent = measure([&] { program.lookForTheBox(); });
        silentWall.values.push_back(silent.wallMs / kSilentSeekFloorMs);
        silentCpu.values.push_back(silent.cpuShare());
    }
    {
        SimProcess box;
        if (!box.start(linkArgs +
                       QStringList{QStringLiteral("--hangup-after"), QStringLiteral("2")})
                 .isEmpty())
            return 2;
        Program program(link);
        program.connection.open();
        const Sample lost = measure([&] { program.write(someImage()); });
        lostCpu.values.push_back(lost.cpuShare());
    }

    std::printf("bench_link: %d runs against bdx4-sim over a pseudo-terminal\n", runs);
    allPassed &= bench::printSeries({&downloadWall, &downloadCpu, &seekWall, &seekCpu, &silentWall,
                                     &silentCpu, &lostCpu, &simCpu});
    std::printf("bench_link: %s\n", allPassed ? "all targets met" : "a target was missed");
    return allPassed ? 0 : 1;
}
