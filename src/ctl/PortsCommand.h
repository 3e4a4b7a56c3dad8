#pragma once

#include "ctl/CommandLine.h"
#include "ctl/Console.h"
#include "io/SerialLine.h"
#include "io/SerialPorts.h"

#include <QList>
#include <QString>

namespace bdx4::ctl {

/// What `bdx4ctl ports` prints for `rows`: a heading and a line per port (the port numbers that
/// reach it through `line`, the device, whether it is free, busy or closed to the user, the USB
/// vendor:product, the serial number, what the adapter calls itself, and its stable name last,
/// for --port), a star at the port that --port reaches, then what to do about a port closed to
/// the user. "No serial ports found." when there are none.
QString portsText(const QList<SerialPortRow>& rows, const Options& options, const SerialLine& line);

/// `bdx4ctl ports`: the system's serial ports, read without opening any. Always done.
int listPorts(const Options& options, Console& out);

} // namespace bdx4::ctl
