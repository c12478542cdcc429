#include "SerialPort.h"
#include "LinkLog.h"
#include "PortNames.h"

#include <QSerialPort>

#include <chrono>
#include <sys/file.h>
#include <termios.h>

namespace krv {
namespace {

using Clock = std::chrono::steady_clock;

class QtSerialPortLink final : public SerialPort {
public:
    explicit QtSerialPortLink(const QString& name) : m_name(name) {}
    ~QtSerialPortLink() override { Close(); }

    QString Name() const override { return m_name; }

    bool Open() override
    {
        Close();
        const QString device = DeviceForPort(m_name);
        if (device.isEmpty()) {
            qCDebug(lcLink) << "no device for port" << m_name;
            return false;
        }
        m_port.setPortName(device);
        if (!m_port.open(QIODevice::ReadWrite)) {
            qCDebug(lcLink) << "open" << device << "failed:" << m_port.errorString();
            return false;
        }
#ifndef Q_OS_WIN
        // Exclusive also against openers in this process and against root,
        // which TIOCEXCL does not stop.
        if (::flock(int(m_port.handle()), LOCK_EX | LOCK_NB) != 0) {
            qCDebug(lcLink) << "port" << device << "is held by another opener";
            m_port.close();
            return false;
        }
#endif
        const bool configured = m_port.setBaudRate(kBaudRate) && m_port.setDataBits(QSerialPort::Data8) &&
                                m_port.setParity(QSerialPort::NoParity) &&
                                m_port.setStopBits(QSerialPort::OneStop) &&
                                m_port.setFlowControl(QSerialPort::NoFlowControl);
        if (!configured) {
            qCDebug(lcLink) << "configuring" << device << "failed:" << m_port.errorString();
            m_port.close();
            return false;
        }
        m_port.setReadBufferSize(0);
        AfterOpen();
        return m_port.isOpen();
    }

    bool IsOpen() const override { return m_port.isOpen(); }

    void Close() override
    {
        if (m_port.isOpen())
            m_port.close();
    }

    bool Purge() override
    {
        if (!m_port.isOpen())
            return false;
        if (!m_port.clear(QSerialPort::AllDirections))
            return false;
        // Whatever Qt had already buffered goes too.
        m_port.readAll();
        return m_port.error() == QSerialPort::NoError;
    }

    bool Write(std::span<const std::uint8_t> bytes) override
    {
        if (!m_port.isOpen())
            return false;
        LogFrame("->", bytes);
        const qint64 n = m_port.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        if (n != qint64(bytes.size()))
            return false;
        const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTotalBaseMs +
                                                                       kWriteTotalPerByteMs * int(bytes.size()));
        const auto start = Clock::now();
        while (m_port.bytesToWrite() > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                break; // a write timeout is not reported
            if (!m_port.waitForBytesWritten(int(left))) {
                if (m_port.error() != QSerialPort::NoError && m_port.error() != QSerialPort::TimeoutError)
                    return false;
                m_port.clearError();
            }
        }
#ifndef Q_OS_WIN
        // The write ends when the bytes have left the line, as it does on the
        // controller's original serial driver: the answer's read timeout must
        // not run while the request is still being sent (a 256-byte block
        // takes 139 ms at 19200 baud, as long as its acknowledgement timeout).
        ::tcdrain(int(m_port.handle()));
#endif
        // A pseudo-terminal has no line speed and drains at once; the read
        // that follows counts from when the bytes would have left a real line.
        m_sentUntil = start + std::chrono::microseconds(std::int64_t(bytes.size()) * 10'000'000 / kBaudRate);
        return true;
    }

    int Read(std::span<std::uint8_t> dest) override
    {
        if (!m_port.isOpen())
            return -1;
        const auto start = std::max(Clock::now(), m_sentUntil);
        const auto deadline = start + std::chrono::milliseconds(kReadTotalBaseMs + kReadTotalPerByteMs * int(dest.size()));
        std::size_t got = 0;
        Clock::time_point lastByte{};
        for (;;) {
            if (got < dest.size() && m_port.bytesAvailable() > 0) {
                const qint64 n = m_port.read(reinterpret_cast<char*>(dest.data() + got), qint64(dest.size() - got));
                if (n < 0)
                    return -1;
                if (n > 0) {
                    got += std::size_t(n);
                    lastByte = Clock::now();
                }
            }
            if (got == dest.size())
                break;
            const auto now = Clock::now();
            auto until = deadline;
            if (got > 0)
                until = std::min(until, lastByte + std::chrono::milliseconds(kReadIntervalMs));
            if (now >= until)
                break;
            const auto leftUs = std::chrono::duration_cast<std::chrono::microseconds>(until - now).count();
            const int left = int((leftUs + 999) / 1000);
            // waitForReadyRead returns as soon as anything arrives.
            if (!m_port.waitForReadyRead(left)) {
                const auto err = m_port.error();
                if (err != QSerialPort::NoError && err != QSerialPort::TimeoutError) {
                    qCDebug(lcLink) << "read error:" << m_port.errorString();
                    return -1;
                }
                m_port.clearError();
            }
        }
        LogFrame("<-", dest.first(got));
        return int(got);
    }

private:
    // Raises DTR and RTS. A pseudo-terminal has no modem lines; the port works
    // without them, so the failure is cleared and ignored.
    void AfterOpen()
    {
        if (!m_port.setDataTerminalReady(true))
            m_port.clearError();
        if (!m_port.setRequestToSend(true))
            m_port.clearError();
    }

    QString m_name;
    QSerialPort m_port;
    Clock::time_point m_sentUntil{}; // when the last write has left the line at 19200 baud
};

} // namespace

std::unique_ptr<SerialPort> MakeQtSerialPort(const QString& name)
{
    return std::make_unique<QtSerialPortLink>(name);
}

SerialPortFactory QtSerialPortFactory(const QString& name)
{
    return [name] { return MakeQtSerialPort(name); };
}

} // namespace krv
