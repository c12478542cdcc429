#include "ComPort.h"

#include "PortNames.h"

#include <QFileInfo>
#include <QSerialPort>

#include <cerrno>
#include <unistd.h>

namespace krv {
namespace {

ComPort::Failure Classify(QSerialPort::SerialPortError error, const QString& device)
{
    if (!QFileInfo::exists(device))
        return ComPort::Failure::NotFound;
#ifndef Q_OS_WIN
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES)
        return ComPort::Failure::NoAccess;
#endif
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return ComPort::Failure::NotFound;
    // With access granted these mean the device is held: a lock file or
    // exclusive mode of another program.
    case QSerialPort::PermissionError:
    case QSerialPort::ResourceError:
    case QSerialPort::OpenError: return ComPort::Failure::Busy;
    default: return ComPort::Failure::Other;
    }
}

} // namespace

ComPort::ComPort() = default;
ComPort::~ComPort() = default;

bool ComPort::Open()
{
    if (IsOpen())
        return true;
    m_failure = Failure::None;
    const QString device = m_name.isEmpty() ? QString() : DeviceForPort(m_name);
    if (device.isEmpty()) {
        m_failure = Failure::NotFound;
        return false;
    }
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(device);
    if (!port->open(QIODevice::ReadWrite)) {
        m_failure = Classify(port->error(), device);
        return false;
    }
    port->setBaudRate(QSerialPort::Baud19200);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    port->clearError();
    m_port = std::move(port);
    if (m_afterOpen)
        m_afterOpen();
    else
        RaiseControlLines();
    return true;
}

void ComPort::RaiseControlLines()
{
    if (!m_port)
        return;
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    m_port->clearError();
}

void ComPort::Close()
{
    if (m_port)
        m_port->close();
    m_port.reset();
}

bool ComPort::IsOpen() const
{
    return m_port && m_port->isOpen();
}

QString PortFailureHint(ComPort::Failure failure)
{
    switch (failure) {
    case ComPort::Failure::NoAccess:
        return QStringLiteral("Нет прав доступа к порту: пользователь должен входить в группу dialout "
                              "(sudo usermod -a -G dialout $USER), после этого нужно заново войти в систему.");
    case ComPort::Failure::Busy: return QStringLiteral("Порт занят другим приложением.");
    case ComPort::Failure::NotFound: return QStringLiteral("Порт отсутствует в системе.");
    default: return {};
    }
}

} // namespace krv
