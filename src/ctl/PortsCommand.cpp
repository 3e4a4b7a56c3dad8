#include "ctl/PortsCommand.h"

#include "ctl/Commands.h"
#include "io/QtSerialLine.h"
#include "io/QtSettingsStore.h"
#include "io/SerialDiagnosis.h"

namespace bdx4::ctl {

namespace {

QString stateText(const SerialPortRow& row) {
    switch (row.access) {
    case PortAccess::Busy:
        return row.holder.isEmpty() ? Texts::tr("busy") : Texts::tr("busy: %1").arg(row.holder);
    case PortAccess::NoPermission:
        return Texts::tr("no permission");
    case PortAccess::Free:
        break;
    }
    return Texts::tr("free");
}

/// A cell as the system gave it, control characters shown rather than sent to the terminal;
/// "-" for nothing.
QString cell(const QString& text) {
    return text.isEmpty() ? QStringLiteral("-") : printable(text);
}

} // namespace

QString portsText(const QList<SerialPortRow>& rows, const Options& options,
                  const SerialLine& line) {
    // The device --port names: a port number's (through the settings), or the path given.
    const QString wanted = options.port ? line.deviceName(options.port) : options.device;
    QList<QStringList> table = {{QStringLiteral(" "), Texts::tr("Port"), Texts::tr("Device"),
                                 Texts::tr("State"), Texts::tr("USB"), Texts::tr("Serial number"),
                                 Texts::tr("Adapter"), Texts::tr("Stable name")}};
    QStringList notes;
    QString reached; // the device of the row --port reaches
    for (const SerialPortRow& row : rows) {
        QStringList ports;
        for (int port : portsReaching(row, line))
            ports << portName(port);
        const bool marked = row.isReachedBy(wanted);
        if (marked)
            reached = row.device;
        table << QStringList{marked ? QStringLiteral("*") : QStringLiteral(" "),
                             ports.isEmpty() ? QStringLiteral("-") : ports.join(QLatin1Char(',')),
                             cell(row.device),
                             stateText(row),
                             cell(row.usbId),
                             cell(row.serialNumber),
                             cell(row.label()),
                             cell(row.stableName)};
        if (row.access == PortAccess::NoPermission) {
            OpenFailure failure;
            failure.kind = OpenFailure::NoAccess;
            failure.device = row.device;
            failure.detail = row.group;
            notes << describeOpenFailure(failure, ChoiceHint::CommandLine);
        }
    }
    QStringList lines;
    if (rows.isEmpty())
        lines << Texts::tr("No serial ports found.");
    else
        for (const QStringList& cells : table) {
            QString text;
            for (int c = 0; c < cells.size(); ++c) {
                int width = 0;
                for (const QStringList& other : table)
                    width = std::max(width, int(other[c].size()));
                text += c + 1 < cells.size() ? cells[c].leftJustified(width + 1) : cells[c];
            }
            lines << text;
        }
    const QString given = options.port ? QString::number(options.port) : options.device;
    if (!reached.isEmpty())
        lines << Texts::tr("* --port %1 reaches %2.").arg(given, cell(reached));
    else if (options.port)
        lines << Texts::tr("--port %1 reaches %2, which is not present.").arg(given, cell(wanted));
    else if (!wanted.isEmpty())
        lines << Texts::tr("--port %1 is not present.").arg(cell(wanted));
    return (lines + notes).join(QLatin1Char('\n'));
}

int listPorts(const Options& options, Console& out) {
    // bdx4config's settings: their [Ports] section says which device each port number reaches.
    const QtSettingsStore settings(QStringLiteral("bdx4config"));
    const QtSerialLine line(settings); // never opened
    out.line(portsText(SystemSerialPorts().ports(), options, line));
    return kExitDone;
}

} // namespace bdx4::ctl
