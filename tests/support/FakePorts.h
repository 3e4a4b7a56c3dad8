#pragma once

// The system's serial ports as rows a test sets, plugging or pulling an adapter by changing them.

#include "io/SerialPorts.h"

namespace bdx4::test {

class FakePortSource : public SerialPortSource {
public:
    QList<SerialPortRow> ports() const override {
        ++reads;
        return rows;
    }
    QList<SerialPortRow> rows;
    mutable int reads = 0;
};

/// An FTDI with its stable name, a CH340 that minicom holds, an Arduino closed to the user.
inline QList<SerialPortRow> threeAdapters() {
    using A = PortAccess;
    return {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A9XXXXXX", "0403:6001",
             "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XXXXXX-if00-port0", A::Free, "", ""},
            {"/dev/ttyUSB1", "USB Serial", "1a86", "", "1a86:7523", "", A::Busy,
             "minicom (pid 4242)", ""},
            {"/dev/ttyACM0", "Arduino Uno", "Arduino (www.arduino.cc)", "8573F0", "2341:0043",
             "/dev/serial/by-id/usb-Arduino_Uno_8573F0-if00", A::NoPermission, "", "dialout"}};
}

} // namespace bdx4::test
