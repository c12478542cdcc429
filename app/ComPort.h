#pragma once
// The program's serial port: its name and the fixed line settings (19200
// baud, 8 data bits, no parity, 1 stop bit, no flow control, exclusive use).
// The port stays closed except while someone uses it. Main thread only.
#include <QString>

#include <functional>
#include <memory>

class QSerialPort;

namespace krv {

class ComPort {
public:
    enum class Failure {
        None,
        NotFound, // no such port (or no name)
        NoAccess, // the user may not open the device
        Busy,     // another program holds the port
        Other,
    };

    ComPort();
    ~ComPort();

    void SetPortName(const QString& name) { m_name = name; }
    QString PortName() const { return m_name; }

    // Opens the port named by PortName() (an alias of AvailablePorts() or a
    // device path) with the line settings above and runs the after-open hook.
    // True when the port is open afterwards (also when it already was); on
    // failure LastFailure() tells why.
    bool Open();
    void Close();
    bool IsOpen() const;
    Failure LastFailure() const { return m_failure; }

    // Runs after every successful open; without a hook the control lines are
    // raised anyway.
    void SetAfterOpen(std::function<void()> hook) { m_afterOpen = std::move(hook); }
    // Raises DTR, then RTS. Lines a device cannot set (a pseudo-terminal) are left as they are.
    void RaiseControlLines();

private:
    QString m_name = QStringLiteral("COM1");
    std::unique_ptr<QSerialPort> m_port;
    Failure m_failure = Failure::None;
    std::function<void()> m_afterOpen;
};

// The line added to the port dialog's error text for a failure (empty when
// there is nothing to add).
QString PortFailureHint(ComPort::Failure failure);

} // namespace krv
