#include "PortNames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>
#include <unistd.h>

namespace krv {

QString SimulatorPortFolder()
{
    const QByteArray dir = qgetenv("KRV_PORT_DIR");
    if (!dir.isEmpty())
        return QString::fromLocal8Bit(dir);
    return QStringLiteral("/tmp/krv614-ports-%1").arg(::getuid());
}

QList<PortEntry> AvailablePorts()
{
    QList<PortEntry> ports;
#ifdef Q_OS_WIN
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.portName(), info.description()});
#else
    static const QRegularExpression known(QStringLiteral("^tty(S|USB|ACM)(\\d+)$"));
    QList<QSerialPortInfo> others;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const auto m = known.match(info.portName());
        if (!m.hasMatch()) {
            others.append(info);
            continue;
        }
        const QString kind = m.captured(1);
        const int n = m.captured(2).toInt();
        QString alias = kind == QLatin1String("S")   ? QStringLiteral("COM%1").arg(n + 1)
                        : kind == QLatin1String("USB") ? QStringLiteral("COMU%1").arg(n)
                                                       : QStringLiteral("COMA%1").arg(n);
        if (alias.size() <= 7)
            ports.append({alias, info.systemLocation(), info.description()});
    }
    std::sort(others.begin(), others.end(),
              [](const QSerialPortInfo& a, const QSerialPortInfo& b) { return a.portName() < b.portName(); });
    for (int k = 0; k < others.size() && k < 999; ++k)
        ports.append({QStringLiteral("COMX%1").arg(k + 1), others[k].systemLocation(), others[k].description()});

    const QDir folder(SimulatorPortFolder());
    for (const QFileInfo& link : folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (!link.isSymLink())
            continue;
        const QString alias = link.fileName();
        const QString target = link.symLinkTarget();
        if (alias.size() <= 7 && alias.contains('C') && alias.contains('O') && alias.contains('M') &&
            QFileInfo::exists(target))
            ports.append({alias, target, QStringLiteral("KRV614 simulator")});
    }
#endif
    std::sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) { return a.alias < b.alias; });
    return ports;
}

QString DeviceForPort(const QString& nameOrPath)
{
    if (nameOrPath.startsWith('/'))
        return nameOrPath;
    for (const PortEntry& p : AvailablePorts())
        if (p.alias == nameOrPath)
            return p.device;
    return {};
}

} // namespace krv
