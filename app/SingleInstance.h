#pragma once
// One running copy per user. The first copy holds a lock file and listens on
// a local socket, both in the user's runtime folder; a later copy finds the
// lock taken and asks the running copy, over the socket, to come to the front
// and show the refusal over its window.
#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

namespace krv {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running copy (it then listens for
    // later copies); false when another copy holds the lock.
    bool Acquire();

    // From a later copy: tells the running copy that it was started again.
    // False when the running copy did not confirm within `timeoutMs`; the
    // caller then shows the refusal itself.
    bool NotifyRunningCopy(int timeoutMs = 3000);

    // The folder of the lock and the socket.
    static QString Folder();

signals:
    // In the running copy: another copy was started and has been refused.
    void AnotherCopyStarted();

private:
    void OnConnection();

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace krv
