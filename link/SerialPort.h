#pragma once
// The serial line to the controller. One object per device operation, created,
// used and destroyed on that operation's thread.
//
// Line settings are fixed: 19200 baud, 8 data bits, no parity, 1 stop bit, no
// flow control, exclusive read/write access. After every successful open DTR
// and RTS are raised; a port that cannot set them (a pseudo-terminal) still
// works.
//
// Timeouts:
//  - Read(N) returns when N bytes have arrived, or when 100 + 3*N ms have
//    passed since the call began, or when more than 500 ms pass between two
//    received bytes (counted only once the first byte has come), whichever is
//    first. It yields the number of bytes received (0..N). A timed-out read is
//    not an error. Right after a write the call counts as beginning when the
//    written bytes have left the line at 19200 baud.
//  - Write(N) waits at most 200 + 4*N ms for the bytes to leave; a write that
//    times out is not reported. It returns when the bytes are sent (drained).
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace krv {

inline constexpr int kReadIntervalMs = 500;
inline constexpr int kReadTotalBaseMs = 100;
inline constexpr int kReadTotalPerByteMs = 3;
inline constexpr int kWriteTotalBaseMs = 200;
inline constexpr int kWriteTotalPerByteMs = 4;
inline constexpr int kBaudRate = 19200;

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // The port name as the user chose it (an alias such as "COM1" or a path);
    // failure texts name it.
    virtual QString Name() const = 0;

    // Opens the port with the fixed settings and runs the after-open hook
    // (DTR and RTS raised). False when the port is absent, busy or cannot be
    // configured; the port is then closed.
    virtual bool Open() = 0;
    virtual bool IsOpen() const = 0;
    // Closes the port; harmless when it is closed.
    virtual void Close() = 0;

    // Discards everything received and not yet read, and everything not yet
    // sent. False on a port error.
    virtual bool Purge() = 0;
    // Writes all bytes. False on a port error (not on a timeout).
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    // Reads up to dest.size() bytes under the timeout rules above. Returns the
    // count received, or -1 on a port error.
    virtual int Read(std::span<std::uint8_t> dest) = 0;
};

// Makes the port object for one operation; called on the operation's thread.
using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;

// The port implementation on QtSerialPort for the port `name` (an alias of
// AvailablePorts() or a device path).
std::unique_ptr<SerialPort> MakeQtSerialPort(const QString& name);
// A factory for MakeQtSerialPort(name).
SerialPortFactory QtSerialPortFactory(const QString& name);

} // namespace krv
