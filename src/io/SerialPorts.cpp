#include "io/SerialPorts.h"

#include "io/SerialDiagnosis.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>
#include <functional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace bdx4 {

namespace {

class PortTexts {
    Q_DECLARE_TR_FUNCTIONS(SerialPorts)
};

/// The file a path leads to, links followed; the path itself when it leads nowhere.
QString canonical(const QString& path) {
    const QString found = QFileInfo(path).canonicalFilePath();
    return found.isEmpty() ? path : found;
}

/// Whether process `pid` runs, whoever's it is.
bool isAlive(qint64 pid) {
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#else
    Q_UNUSED(pid);
    return false;
#endif
}

/// "minicom (pid 4242)", or "pid 4242" when the process's name cannot be read.
QString processText(const QString& processes, qint64 pid) {
    QFile comm(QStringLiteral("%1/%2/comm").arg(processes).arg(pid));
    const QString name = comm.open(QIODevice::ReadOnly)
                             ? QString::fromLocal8Bit(comm.readLine(64)).trimmed()
                             : QString();
    return name.isEmpty() ? PortTexts::tr("pid %1").arg(pid)
                          : PortTexts::tr("%1 (pid %2)").arg(name).arg(pid);
}

/// The devices a lock file "LCK..name" may stand for. QSerialPort names it after the path it
/// opened, below /dev and with each "/" made "_", so a stable name's lock file is
/// "LCK..serial_by-id_usb-...".
QStringList lockedPaths(const QString& devices, const QString& name) {
    QStringList paths = {devices + QLatin1Char('/') + name};
    for (const QString& folder :
         {QStringLiteral("serial/by-id/"), QStringLiteral("serial/by-path/")}) {
        const QString flat = QString(folder).replace(QLatin1Char('/'), QLatin1Char('_'));
        if (name.startsWith(flat))
            paths << devices + QLatin1Char('/') + folder + name.mid(flat.size());
    }
    return paths;
}

/// The device as the settings and the COMM menu name it.
QString deviceOf(const QSerialPortInfo& info) {
#ifdef Q_OS_WIN
    return info.portName(); // "COM3", not "\\.\COM3"
#else
    return info.systemLocation();
#endif
}

/// Devices in the order a person counts them: ttyS2 before ttyS10.
bool countsBefore(const QString& a, const QString& b) {
    static const QRegularExpression number(QStringLiteral("^(.*?)(\\d+)$"));
    const auto ma = number.match(a), mb = number.match(b);
    if (ma.hasMatch() && mb.hasMatch() && ma.captured(1) == mb.captured(1))
        return ma.captured(2).toLongLong() < mb.captured(2).toLongLong();
    return a < b;
}

/// Told of each file (its canonical path) that a process holds.
using Hold = std::function<void(const QString& file, qint64 pid)>;

/// Lock files hold the number of the process that locked the port; one left behind by a process
/// that has ended locks nothing.
void findLocks(const PortPlaces& places, const Hold& hold) {
    for (const QString& folderPath : places.lockFolders) {
        const QDir folder(folderPath);
        for (const QString& name : folder.entryList({QStringLiteral("LCK..*")}, QDir::Files)) {
            QFile lock(folder.filePath(name));
            if (!lock.open(QIODevice::ReadOnly))
                continue;
            const qint64 pid =
                QString::fromLatin1(lock.read(64)).simplified().section(' ', 0, 0).toLongLong();
            if (!isAlive(pid))
                continue;
            for (const QString& path : lockedPaths(places.devices, name.mid(5)))
                if (QFileInfo::exists(path))
                    hold(canonical(path), pid);
        }
    }
}

/// The open files of every process but this one that the user may look into. Read with the
/// system's calls: a window reads a thousand links or more each second.
void findOpenFiles(const PortPlaces& places, qint64 self, const Hold& hold) {
#ifdef Q_OS_UNIX
    const QByteArray root = QFile::encodeName(places.processes);
    DIR* processes = ::opendir(root.constData());
    while (const dirent* process = processes ? ::readdir(processes) : nullptr) {
        char* end = nullptr;
        const qint64 pid = std::strtoll(process->d_name, &end, 10);
        DIR* files = end != process->d_name && *end == '\0' && pid != self
                         ? ::opendir((root + '/' + process->d_name + "/fd").constData())
                         : nullptr;
        while (const dirent* fd = files ? ::readdir(files) : nullptr) {
            char target[4096];
            const ssize_t size = ::readlinkat(::dirfd(files), fd->d_name, target, sizeof target);
            if (size > 0 && target[0] == '/') // a file, not a socket or a pipe
                hold(QFile::decodeName(QByteArray(target, int(size))), pid);
        }
        if (files)
            ::closedir(files);
    }
    if (processes)
        ::closedir(processes);
#else
    Q_UNUSED(places);
    Q_UNUSED(self);
    Q_UNUSED(hold);
#endif
}

} // namespace

QString SerialPortRow::label() const {
    QStringList parts;
    for (const QString& part : {description, maker})
        if (!part.isEmpty() && !parts.contains(part))
            parts << part;
    return parts.join(QStringLiteral(", "));
}

bool SerialPortRow::isReachedBy(const QString& path) const {
    if (path.isEmpty())
        return false;
    return path == device || path == stableName || canonical(path) == canonical(device);
}

bool SerialPortRow::operator==(const SerialPortRow& o) const {
    return device == o.device && description == o.description && maker == o.maker &&
           serialNumber == o.serialNumber && usbId == o.usbId && stableName == o.stableName &&
           access == o.access && holder == o.holder && group == o.group;
}

QList<int> portsReaching(const SerialPortRow& row, const SerialLine& line) {
    QList<int> ports;
    for (int port = kFirstPort; port <= kLastPort; ++port)
        if (row.isReachedBy(line.deviceName(port)))
            ports << port;
    return ports;
}

QList<SerialPortRow> newPorts(const QList<SerialPortRow>& before,
                              const QList<SerialPortRow>& after) {
    QList<SerialPortRow> appeared;
    for (const SerialPortRow& row : after)
        if (std::none_of(before.begin(), before.end(),
                         [&](const SerialPortRow& old) { return old.device == row.device; }))
            appeared << row;
    return appeared;
}

QHash<QString, QString> SystemSerialPorts::stableNames() const {
    QHash<QString, QString> names;
    const QDir folder(places_.byId);
    for (const QString& name : folder.entryList(QDir::Files | QDir::System, QDir::Name)) {
        const QString link = folder.filePath(name);
        const QString device = QFileInfo(link).canonicalFilePath();
        if (!device.isEmpty() && !names.contains(device))
            names.insert(device, link);
    }
    return names;
}

QHash<QString, QString> SystemSerialPorts::holders(const QStringList& devices) const {
    QHash<QString, QString> wanted; // the file each device is, to the device as given
    for (const QString& device : devices)
        wanted.insert(canonical(device), device);
    QHash<QString, QString> held;
    const qint64 self = QCoreApplication::applicationPid();
    const Hold hold = [&](const QString& file, qint64 pid) {
        const QString device = wanted.value(file);
        if (!device.isEmpty() && pid != self)
            held.insert(device, processText(places_.processes, pid));
    };
    findLocks(places_, hold);
    findOpenFiles(places_, self, hold);
    return held;
}

QList<PortInfo> SystemSerialPorts::systemPorts() {
    QList<PortInfo> infos;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortInfo port{deviceOf(info),
                      info.description().trimmed(),
                      info.manufacturer().trimmed(),
                      info.serialNumber().trimmed(),
                      std::nullopt,
                      std::nullopt};
        if (info.hasVendorIdentifier())
            port.vendor = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.product = info.productIdentifier();
        infos << port;
    }
    return infos;
}

QList<SerialPortRow> SystemSerialPorts::rowsOf(const QList<PortInfo>& infos) const {
    QStringList devices;
    for (const PortInfo& info : infos)
        devices << info.device;
    const QHash<QString, QString> stable = stableNames();
    const QHash<QString, QString> held = holders(devices);
    QList<SerialPortRow> rows;
    for (const PortInfo& info : infos) {
        const DeviceFacts facts = deviceFacts(info.device);
        if (!facts.exists)
            continue;
        SerialPortRow row;
        row.device = info.device;
        row.description = info.description;
        row.maker = info.maker;
        row.serialNumber = info.serialNumber;
        if (info.vendor && info.product)
            row.usbId = QStringLiteral("%1:%2")
                            .arg(*info.vendor, 4, 16, QLatin1Char('0'))
                            .arg(*info.product, 4, 16, QLatin1Char('0'));
        row.stableName = stable.value(canonical(row.device));
        if (!facts.readWrite) {
            row.access = PortAccess::NoPermission;
            row.group = facts.group;
        } else if (held.contains(row.device)) {
            row.access = PortAccess::Busy;
            row.holder = held.value(row.device);
        }
        rows << row;
    }
    std::sort(rows.begin(), rows.end(), [](const SerialPortRow& a, const SerialPortRow& b) {
        return countsBefore(a.device, b.device);
    });
    return rows;
}

SerialPortWatch::SerialPortWatch(const SerialPortSource& source, Clock& clock, QObject* parent)
    : QObject(parent), source_(source), timer_(clock.createTimer()) {}

SerialPortWatch::~SerialPortWatch() = default;

void SerialPortWatch::start() {
    timer_->start(kIntervalMs, [this] { start(); }); // before the reading: its receiver may stop
    refresh();
}

void SerialPortWatch::stop() {
    timer_->stop();
}

void SerialPortWatch::refresh() {
    QList<SerialPortRow> rows = source_.ports();
    if (rows == rows_)
        return;
    rows_ = std::move(rows);
    emit changed();
}

} // namespace bdx4
