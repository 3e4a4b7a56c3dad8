#include "ctl/CtlRun.h"

#include "bandmap/MatrixGrid.h"
#include "image/Download.h"
#include "link/Link.h"
#include "platform/EventLoopClock.h"
#include "platform/MapCaptions.h"
#include "platform/QtSerialLine.h"
#include "platform/QtSettingsStore.h"
#include "platform/TracingSerialLine.h"
#include "store/Lifecycle.h"
#include "store/MapStore.h"
#include "voltages/VoltStore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace bdx4::ctl {

namespace {

/// The desktop program's settings; their Ports section and speed are shared.
const QString kSettingsName = QStringLiteral("bdx4config");
/// The port number a device given by path is reached under.
constexpr int kPathPort = 1;

class NoCaptions : public MapCaptions {
public:
    void showOnly(int) override {}
};

/// The program's core as the desktop program builds it, without windows.
struct Core {
    Core(Console& out, Console& err, StatusBox& status)
        : boxes(out, err), maps(grid, boxes, marks), mapStore(maps, boxes, captions),
          status(status) {
        maps.FillOutputBitMask();
        volts.FillBandCode();
    }

    ConsoleMessageBoxes boxes;
    KeptMarks marks;
    NoCaptions captions;
    MatrixGrid grid;
    BandMaps maps;
    MapStore mapStore;
    Voltages volts;
    StatusBox& status;
};

/// Reads both stores from `folder` as the desktop program's start-up does, but writes nothing: a
/// missing map store reads as the fresh one the desktop program would create (the default
/// arrangement), a missing voltage store as all bands at 0. Then map `map` goes on the grid.
/// Says on `err` when a store is missing (a wrong folder would otherwise pass unnoticed). Returns
/// what kept a store from being read whole, or an empty text.
QString loadStores(Core& core, const QString& folder, int map, Console& err) {
    QStringList problems;
    core.mapStore.setFolder(folder);
    const QString mapPath = core.mapStore.storePath();
    QFile mapFile(mapPath);
    if (!QFileInfo::exists(mapPath)) {
        err.line(QStringLiteral("bdx4ctl: there is no %1; the default arrangement stands for MAP1 "
                                "and the other maps are empty")
                     .arg(mapPath));
        QBuffer fresh;
        fresh.setData(QByteArray("\"Empty\"\r\n"));
        fresh.open(QIODevice::ReadOnly);
        core.mapStore.ReadMapStore(fresh);
    } else if (!mapFile.open(QIODevice::ReadOnly)) {
        problems << QStringLiteral("%1 cannot be opened: %2").arg(mapPath, mapFile.errorString());
    } else if (!core.mapStore.ReadMapStore(mapFile)) {
        problems << QStringLiteral("%1 could not be read whole: it ends early or holds an item "
                                   "that is not what belongs there")
                        .arg(mapPath);
    }
    BandMapState& s = core.maps.state();
    // A fresh store leaves the default arrangement on the grid, unsaved: at the desktop program's
    // first start that is what MAP1 shows and what a download sends.
    if (s.MapChanged)
        core.maps.StoreMap(s.CurrentMap);
    s.StartupDone = true;
    core.mapStore.Load_MAP_Click(map);

    const QString voltPath = VoltStorePath(folder);
    QFile voltFile(voltPath);
    if (!QFileInfo::exists(voltPath)) {
        err.line(QStringLiteral("bdx4ctl: there is no %1; every band voltage is 0").arg(voltPath));
        core.volts.BuildAnalogTables(); // all bands at 0, as a fresh store holds
    } else if (!voltFile.open(QIODevice::ReadOnly)) {
        core.volts.BuildAnalogTables();
        problems << QStringLiteral("%1 cannot be opened: %2").arg(voltPath, voltFile.errorString());
    } else {
        ReadVoltStore(core.volts, voltFile);
    }
    return problems.join(QLatin1Char('\n'));
}

QString storeFolderOf(const Options& o) {
    return o.storeFolder.isEmpty() ? defaultStoreFolder() : o.storeFolder;
}

/// Loads the stores for a command that sends them on; false (with the reason printed) when a store
/// could not be read whole, since half a configuration must not reach the box or a file.
bool loadForSending(Core& core, const Options& o, Console& err) {
    const QString problem = loadStores(core, storeFolderOf(o), o.map, err);
    if (problem.isEmpty())
        return true;
    err.line(QStringLiteral("bdx4ctl: ") + problem);
    err.line(QStringLiteral("bdx4ctl: %1; open the maps in bdx4config and save them again, or "
                            "give another --store")
                 .arg(o.command == Command::Write ? QStringLiteral("nothing was sent to the box")
                                                  : QStringLiteral("nothing was written")));
    return false;
}

int runShow(const Options& o, Console& out, Console& err) {
    ConsoleStatusBox status(nullptr);
    Core core(out, err, status);
    const QString problem = loadStores(core, storeFolderOf(o), o.map, err);
    out.line(QStringLiteral("Stores in %1").arg(storeFolderOf(o)));
    out.line(QString());
    out.line(mapText(core.grid, o.map, core.maps.state().UseAccForBandmap));
    out.line(voltageText(core.volts.state()));
    if (problem.isEmpty())
        return kExitDone;
    err.line(QStringLiteral("bdx4ctl: ") + problem +
             QStringLiteral(" (shown as far as it was read)"));
    return kExitFailed;
}

int runExport(const Options& o, Console& out, Console& err) {
    ConsoleStatusBox status(nullptr);
    Core core(out, err, status);
    if (!loadForSending(core, o, err))
        return kExitFailed;
    // The desktop program's export, with no port at all: it never touches one.
    QtSettingsStore settings(kSettingsName);
    QtSerialLine line(settings);
    EventLoopClock clock;
    ConsoleProgress progress(err);
    Link link(line, core.boxes, core.marks, clock, status, progress);
    Downloader downloader(core.maps, core.volts, link, status, core.boxes, clock);
    downloader.WriteBandmapToFile_Click([&o] { return o.exportFile; });
    return status.text() == QLatin1String("Last Send Passed!") ? kExitDone : kExitFailed;
}

/// The line, settings and link of a command that talks to the box, with the trace around the line.
/// Built once the stores (if any) are loaded.
struct Talk {
    Talk(const Options& o, Core& core, Console& err)
        : settings(kSettingsName), overlay(settings), qtLine(overlay), trace(clock),
          traced(qtLine, trace), progress(err),
          link(traced, core.boxes, core.marks, clock, core.status, progress) {
        LinkState& s = link.state();
        if (o.portDevice.isEmpty()) {
            s.ComPort = o.portNumber;
        } else {
            overlay.setValue(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(kPathPort),
                             o.portDevice);
            s.ComPort = kPathPort;
            device = o.portDevice;
        }
        // No fallback port: the one on the command line is the only one to try.
        s.StartComPort = s.ComPort;
        s.BaudRate = o.baud;
        if (s.BaudRate.isEmpty()) {
            const QString remembered =
                settings.value(kOptionsSection, kBaudRateKey, QStringLiteral("4800"));
            s.BaudRate = QStringLiteral("4800");
            for (const char* rate : kMenuBaudRates)
                if (remembered == QLatin1String(rate))
                    s.BaudRate = remembered;
            if (s.BaudRate != remembered)
                err.line(QStringLiteral("bdx4ctl: the remembered speed \"%1\" is none of the "
                                        "box's; using 4800 baud")
                             .arg(printable(remembered)));
        }
        link.setActivityHandler([this](LinkActivity activity) {
            trace.note(activity == LinkActivity::OpeningPort
                           ? QStringLiteral("opening the port")
                           : QStringLiteral("looking for the box"));
        });
    }
    ~Talk() {
        link.ClosePort();
        trace.end();
    }

    /// Starts the trace when one was asked for; false (with the reason printed) when its file
    /// cannot be written.
    bool beginTrace(const Options& o, const QStringList& commandLine, Console& err) {
        if (o.tracePath.isEmpty())
            return true;
        QStringList words;
        for (const QString& word : commandLine)
            words << (word.isEmpty() || word.contains(QLatin1Char(' '))
                          ? QLatin1Char('"') + word + QLatin1Char('"')
                          : word);
        if (trace.begin(o.tracePath, words.join(QLatin1Char(' '))))
            return true;
        err.line(QStringLiteral("bdx4ctl: --trace: \"%1\" cannot be written: %2")
                     .arg(o.tracePath, trace.error()));
        return false;
    }

    /// The port as the user named it, with its speed.
    QString portText() const {
        const QString port = device.isEmpty() ? link.portDescription() : device;
        return QStringLiteral("%1 at %2 baud").arg(port, link.state().BaudRate);
    }

    QtSettingsStore settings;
    OverlaySettingsStore overlay;
    QtSerialLine qtLine;
    EventLoopClock clock;
    SerialTrace trace;
    TracingSerialLine traced;
    ConsoleProgress progress;
    Link link;
    QString device; ///< the device path given in place of a port number
};

int runQuery(const Options& o, const QStringList& commandLine, Console& out, Console& err) {
    ConsoleStatusBox status(nullptr);
    Core core(out, err, status);
    Talk talk(o, core, err);
    if (!talk.beginTrace(o, commandLine, err))
        return kExitUsage;
    err.line(QStringLiteral("Port %1").arg(talk.portText()));
    talk.link.Test_BDX4_Click();
    return talk.link.state().PortReady && talk.link.state().BoxConnected ? kExitDone : kExitFailed;
}

int runWrite(const Options& o, const QStringList& commandLine, Console& out, Console& err) {
    ConsoleStatusBox status(&out);
    Core core(out, err, status);
    if (!loadForSending(core, o, err))
        return kExitFailed;
    err.line(QStringLiteral("MAP%1 from %2").arg(o.map).arg(storeFolderOf(o)));
    Talk talk(o, core, err);
    if (!talk.beginTrace(o, commandLine, err))
        return kExitUsage;
    err.line(QStringLiteral("Port %1").arg(talk.portText()));
    // The download does not open the port; like "Test for BDX4" before "Write To BDX4".
    talk.link.OpenPort();
    if (!talk.link.state().PortReady)
        return kExitFailed;
    Downloader downloader(core.maps, core.volts, talk.link, status, core.boxes, talk.clock);
    downloader.setDownloadStartingHandler([&talk] { talk.trace.note(QStringLiteral("download")); });
    downloader.Dload_BDX4_Click();
    // Only a download whose six data records were all acknowledged passes.
    return status.text() == QLatin1String("Last Send Passed!") ? kExitDone : kExitFailed;
}

} // namespace

QString defaultStoreFolder() {
    return Lifecycle::StoreFolderFor(QCoreApplication::applicationDirPath());
}

QString mapText(const CellGrid& grid, int map, bool useAccForBandmap) {
    QStringList lines;
    lines << QStringLiteral("MAP%1").arg(map);
    QString header = QStringLiteral("      ");
    for (const char* caption : kOutputCaptions)
        header += QStringLiteral("%1").arg(QLatin1String(caption), 4);
    lines << header;
    for (int r = 0; r < kBandRows; ++r) {
        QString row = QStringLiteral("%1").arg(QLatin1String(kRowCaptions[r]), -6);
        for (int c = 0; c < kOutputs; ++c) {
            const int cell = grid.cell(r, c);
            const QChar mark = cell == 1   ? QLatin1Char('x')
                               : cell == 0 ? QLatin1Char('.')
                                           : QLatin1Char('-');
            row += QStringLiteral("   ") + mark;
        }
        lines << row;
    }
    lines << QStringLiteral("x on, . off, - grayed (kept, never sent as on)");
    lines << QString();
    if (useAccForBandmap) {
        lines << QStringLiteral("ACn mode: Use AC1 - AC3 for Bandmap");
    } else {
        lines << QStringLiteral("ACn mode: Use AC1 - AC3 default table");
        lines << QStringLiteral("  (the box drives AC1-AC3 from its accessory table; the AC1-AC3 "
                                "columns are not sent)");
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString voltageText(const VoltageState& volts) {
    QStringList lines;
    QString header = QStringLiteral("%1").arg(QStringLiteral("Band voltages"), -14);
    for (int t = 0; t < kVoltTables; ++t)
        header += QStringLiteral("%1").arg(
            QStringLiteral("AN%1 (%2 V)").arg(t + 1).arg(kFullScaleVolts[t]), 12);
    lines << header;
    for (int b = 0; b < kVoltBands; ++b) {
        QString row = QStringLiteral("%1").arg(QLatin1String(kVoltBandCaptions[b]), -14);
        for (int t = 0; t < kVoltTables; ++t)
            row += QStringLiteral("%1").arg(
                Voltages::VoltsText(Voltages::LevelFromValue(volts.BandVoltTable[t][b]), t), 12);
        lines << row;
    }
    lines << QStringLiteral("(0.00: the transceiver gives no voltage on that band)");
    return lines.join(QLatin1Char('\n'));
}

int run(const Options& o, const QStringList& commandLine, Console& out, Console& err) {
    switch (o.command) {
    case Command::Help:
        out.line(usageText().chopped(1));
        return kExitDone;
    case Command::Show:
        return runShow(o, out, err);
    case Command::Export:
        return runExport(o, out, err);
    case Command::Query:
        return runQuery(o, commandLine, out, err);
    case Command::Write:
        return runWrite(o, commandLine, out, err);
    }
    return kExitUsage;
}

} // namespace bdx4::ctl
