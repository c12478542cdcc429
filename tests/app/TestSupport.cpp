#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace krv::test {

WorkDir::WorkDir() : m_old(QDir::currentPath())
{
    QDir(m_dir.path()).mkdir(QStringLiteral("ports"));
    qputenv("KRV_PORT_DIR", QFile::encodeName(PortFolder()));
    QDir::setCurrent(m_dir.path());
}

WorkDir::~WorkDir()
{
    QDir::setCurrent(m_old);
}

QString WorkDir::Path(const QString& name) const
{
    return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
}

QString WorkDir::PortFolder() const
{
    return m_dir.filePath(QStringLiteral("ports"));
}

FakePort::FakePort(const QString& portFolder, const QString& alias)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        qFatal("no pseudo-terminal");
    m_device = QString::fromLocal8Bit(::ptsname(m_master));
    QFile::link(m_device, portFolder + QLatin1Char('/') + alias);
}

FakePort::~FakePort()
{
    if (m_master >= 0)
        ::close(m_master);
}

ModalAnswers::ModalAnswers()
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_timer.start();
}

ModalAnswers::~ModalAnswers() = default;

void ModalAnswers::Then(std::function<void(QWidget*)> answer)
{
    m_answers.append(std::move(answer));
}

void ModalAnswers::Poll()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    for (const QPointer<QWidget>& seen : m_seen)
        if (seen == w)
            return;
    m_seen.append(w);
    if (qEnvironmentVariableIsSet("KRV_TEST_TRACE"))
        qDebug() << "modal" << w->metaObject()->className() << w->windowTitle();
    if (m_answers.isEmpty()) {
        m_unexpected << w->metaObject()->className() + QStringLiteral(": ") + w->windowTitle();
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        return;
    }
    // Answered outside the poll, so that dialogs the answer itself opens are
    // polled for too (a timer does not fire again inside its own handler).
    QTimer::singleShot(0, w, [w, answer = m_answers.takeFirst()] { answer(w); });
}

std::function<void(QWidget*)> AnswerMessage(const QString& caption, const QString& text, int icon, int buttons,
                                            int press, QStringList* failures)
{
    return [=](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) {
            *failures << QStringLiteral("expected a message box, got ") + w->metaObject()->className();
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            return;
        }
        if (box->windowTitle() != caption)
            *failures << QStringLiteral("caption: ") + box->windowTitle();
        if (box->text() != text)
            *failures << QStringLiteral("text: ") + box->text();
        if (int(box->icon()) != icon)
            *failures << QStringLiteral("icon %1").arg(int(box->icon()));
        if (int(box->standardButtons()) != buttons)
            *failures << QStringLiteral("buttons %1").arg(int(box->standardButtons()));
        if (QAbstractButton* b = box->button(QMessageBox::StandardButton(press)))
            b->click();
        else
            box->reject();
    };
}

} // namespace krv::test
