#pragma once
// Serial port names as the program shows and stores them. On Windows these are
// the system's COM names. Elsewhere every serial device gets a COM-style alias
// of at most 7 characters holding the letters C, O and M, so that the 24-byte
// settings file keeps working:
//   /dev/ttyS<n>   -> COM<n+1>      (COM1 is /dev/ttyS0)
//   /dev/ttyUSB<n> -> COMU<n>
//   /dev/ttyACM<n> -> COMA<n>
//   any other serial device -> COMX<k>, k counting from 1 in device-name order
// and each controller simulator publishes its pseudo-terminal as a symbolic
// link named by its alias (for example COMSIM) in SimulatorPortFolder().
// A full device path is accepted wherever a port name is.
#include <QList>
#include <QString>

namespace krv {

struct PortEntry {
    QString alias;       // the name shown and stored ("COM1", "COMU0", "COMSIM")
    QString device;      // the device path it opens ("/dev/ttyS0", "/dev/pts/3")
    QString description; // what the system says of the device (may be empty)
};

// The ports present now, sorted by alias.
QList<PortEntry> AvailablePorts();

// The device path a port name stands for: an alias of AvailablePorts(), or a
// path given as such. Empty when the name is unknown.
QString DeviceForPort(const QString& nameOrPath);

// The folder in which simulators publish their ports: $KRV_PORT_DIR when set,
// else /tmp/krv614-ports-<uid>.
QString SimulatorPortFolder();

} // namespace krv
