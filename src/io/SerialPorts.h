#pragma once

#include "io/Clock.h"
#include "io/SerialLine.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace bdx4 {

/// Whether this user could open a port now, as far as can be told without opening it.
enum class PortAccess {
    Free,         ///< no other program is seen holding it, and this user may read and write it
    Busy,         ///< another program holds it: its lock file or an open file of it was found
    NoPermission, ///< this user may not read and write the device
};

/// One serial port present on this computer, as the system describes it.
struct SerialPortRow {
    /// The device: "/dev/ttyUSB0" on Linux, "/dev/cu.usbserial-A9XXXXXX" on macOS, "COM3" on
    /// Windows.
    QString device;
    /// What the adapter calls itself ("FT232R USB UART"); empty when it says nothing.
    QString description;
    /// Its maker ("FTDI"); empty when unknown.
    QString maker;
    /// The adapter's serial number ("A9XXXXXX"); empty when it has none.
    QString serialNumber;
    /// The USB vendor and product in hex ("0403:6001"); empty for a port not on USB.
    QString usbId;
    /// The link under /dev/serial/by-id that resolves to `device`, which stays the same whatever
    /// the order the adapters were plugged in; empty when there is none.
    QString stableName;
    PortAccess access = PortAccess::Free;
    /// Busy: the program that holds it ("minicom (pid 4242)"), or its process number alone.
    QString holder;
    /// NoPermission: the group whose members may use the device ("dialout"); may be empty.
    QString group;

    /// The description and the maker as far as known: "FT232R USB UART, FTDI".
    QString label() const;
    /// Whether `path`, as the settings or --port name a device (the device itself, its stable
    /// name, or another link to it such as /dev/bdx4), reaches this port.
    bool isReachedBy(const QString& path) const;
    bool operator==(const SerialPortRow& other) const;
    bool operator!=(const SerialPortRow& other) const { return !(*this == other); }
};

/// The port numbers (1-16, as in the COMM menu) whose device, as `line` names it (the settings'
/// [Ports] or the fixed table), reaches `row`.
QList<int> portsReaching(const SerialPortRow& row, const SerialLine& line);

/// The rows of `after` whose device is not among `before`'s: the adapters plugged in between
/// two readings.
QList<SerialPortRow> newPorts(const QList<SerialPortRow>& before,
                              const QList<SerialPortRow>& after);

/// The serial ports present now. The system's come from `SystemSerialPorts`; tests give rows of
/// their own.
class SerialPortSource {
public:
    virtual ~SerialPortSource() = default;
    /// The ports present now, sorted by device. Reading them opens no port and sends nothing.
    virtual QList<SerialPortRow> ports() const = 0;
};

/// Where `SystemSerialPorts` looks besides QSerialPortInfo; tests point it at a scratch folder.
struct PortPlaces {
    /// The devices: a lock file "LCK..ttyUSB0" names /dev/ttyUSB0.
    QString devices = QStringLiteral("/dev");
    /// The stable names of the adapters.
    QString byId = QStringLiteral("/dev/serial/by-id");
    /// Where serial programs put their lock files (QSerialPort, minicom and other UUCP-style
    /// lockers), in the order QSerialPort tries them.
    QStringList lockFolders = {QStringLiteral("/var/lock"),
                               QStringLiteral("/etc/locks"),
                               QStringLiteral("/var/spool/locks"),
                               QStringLiteral("/var/spool/uucp"),
                               QStringLiteral("/tmp"),
                               QStringLiteral("/var/tmp"),
                               QStringLiteral("/var/lock/lockdev"),
                               QStringLiteral("/run/lock")};
    /// The processes, each with its open files under <pid>/fd.
    QString processes = QStringLiteral("/proc");
};

/// What the system's serial layer (QSerialPortInfo) says of one port.
struct PortInfo {
    QString device; ///< as `SerialPortRow::device`
    QString description;
    QString maker;
    QString serialNumber;
    std::optional<quint16> vendor; ///< the USB vendor; none for a port not on USB
    std::optional<quint16> product;
};

/// The system's serial ports: QSerialPortInfo's list with each port's stable name, whether
/// another program holds it and whether this user may use it.
///
/// A port counts as busy when a live process other than this one has a lock file for it or has
/// it open (/proc/<pid>/fd). The device itself is never opened, so no program on the other end
/// (a transceiver's CAT or PTT line) ever sees a byte or a changed control line. The open files
/// of another user's processes cannot be read, so a port held by a system service without a lock
/// file shows as free until it is opened.
class SystemSerialPorts : public SerialPortSource {
public:
    explicit SystemSerialPorts(PortPlaces places = {}) : places_(std::move(places)) {}
    QList<SerialPortRow> ports() const override { return rowsOf(systemPorts()); }

    /// The ports QSerialPortInfo lists now.
    static QList<PortInfo> systemPorts();
    /// The rows of `infos`, each with its stable name, holder and access, sorted by device; a
    /// device that has gone meanwhile is left out.
    QList<SerialPortRow> rowsOf(const QList<PortInfo>& infos) const;

    /// Who holds each of `devices` (as QSerialPortInfo names them), by lock files and open files;
    /// devices that no other live process holds are absent.
    QHash<QString, QString> holders(const QStringList& devices) const;
    /// The device each stable name under `PortPlaces::byId` resolves to, device to name.
    QHash<QString, QString> stableNames() const;

private:
    PortPlaces places_;
};

/// Follows a source while a window shows its rows: reads it every `kIntervalMs` and says when
/// the rows changed (an adapter plugged in or pulled out, a port taken or let go).
class SerialPortWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 1000;

    SerialPortWatch(const SerialPortSource& source, Clock& clock, QObject* parent = nullptr);
    ~SerialPortWatch() override;

    /// Reads the rows now, then every `kIntervalMs` until `stop`.
    void start();
    /// Stops reading; the last rows stay.
    void stop();
    /// Reads the rows now; `changed` when they differ from the last reading.
    void refresh();
    /// The rows of the last reading; none before the first.
    const QList<SerialPortRow>& rows() const { return rows_; }

signals:
    /// The rows differ from the previous reading.
    void changed();

private:
    const SerialPortSource& source_;
    std::unique_ptr<StepTimer> timer_;
    QList<SerialPortRow> rows_;
};

} // namespace bdx4
