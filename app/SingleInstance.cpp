#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace krv {
namespace {

const char kHello[] = "KRV614 configurator started again\n";
const char kAnswer[] = "refused\n";

QString LockPath() { return SingleInstance::Folder() + QStringLiteral("/krv-configurator.lock"); }
QString SocketPath() { return SingleInstance::Folder() + QStringLiteral("/krv-configurator.socket"); }

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}
SingleInstance::~SingleInstance() = default;

QString SingleInstance::Folder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

bool SingleInstance::Acquire()
{
    m_lock = std::make_unique<QLockFile>(LockPath());
    m_lock->setStaleLockTime(0); // stale only when its process is gone
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    // We hold the lock, so a socket file left there is from a copy that died.
    QLocalServer::removeServer(SocketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    m_server->listen(SocketPath());
    return true;
}

void SingleInstance::OnConnection()
{
    while (QLocalSocket* s = m_server->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] {
            if (!s->canReadLine())
                return;
            const bool hello = s->readLine() == kHello;
            if (!hello) {
                s->disconnectFromServer();
                return;
            }
            s->write(kAnswer);
            s->flush();
            s->disconnectFromServer();
            emit AnotherCopyStarted();
        });
    }
}

bool SingleInstance::NotifyRunningCopy(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kHello);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readLine() == kAnswer;
}

} // namespace krv
