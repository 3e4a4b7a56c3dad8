// Building the configuration image: the seven records and the export text, per image.
// Target: under 50 microseconds for the records and the export lines together.

#include "io/ExportFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace bdx4;

namespace {

double medianOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    BandMaps maps;
    VoltageTables volts;
    QRandomGenerator random(7);
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            maps.setCell(r, c, int(random.bounded(2)));
    for (int t = 0; t < kVoltageTables; ++t)
        for (int b = 0; b < kVoltageBands; ++b)
            volts.setValue(t, b, float(random.bounded(256)));

    // What one export costs in memory: pack the grid, build the records, quote the lines.
    constexpr int kRounds = 20000;
    std::vector<double> perImageUs;
    qint64 bytes = 0;
    for (int batch = 0; batch < 9; ++batch) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kRounds / 9; ++i) {
            maps.setAccOutputsForBandMap((i & 1) != 0);
            bytes += exportText(ConfigImage::of(maps, volts)).size();
        }
        perImageUs.push_back(double(timer.nsecsElapsed()) / 1000.0 / (kRounds / 9));
    }
    const double imageUs = medianOf(perImageUs);

    // The same written to a file, whole or not at all, as the export does.
    QTemporaryDir dir;
    std::vector<double> perFileUs;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        exportConfiguration(dir.filePath(QStringLiteral("export.txt")),
                            ConfigImage::of(maps, volts));
        perFileUs.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    const double fileUs = medianOf(perFileUs);

    std::printf("image: records + export lines per configuration: %.2f us (target < 50)\n",
                imageUs);
    std::printf(
        "image: with the export file written and replaced on disk: %.1f us (file system bound)\n",
        fileUs);
    std::printf("image: %lld bytes built\n", static_cast<long long>(bytes));
    return imageUs < 50.0 ? 0 : 1;
}
