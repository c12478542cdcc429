#pragma once
// What the window tests share: a working directory of their own, a port
// folder with pseudo-terminals published as ports, and answers to the modal
// dialogs the window opens.
#include <QList>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;

namespace krv::test {

// A temporary directory made the working directory, with an empty port
// folder ($KRV_PORT_DIR) inside; the old working directory comes back at the end.
class WorkDir {
public:
    WorkDir();
    ~WorkDir();
    QString Path(const QString& name = {}) const;
    QString PortFolder() const;

private:
    QTemporaryDir m_dir;
    QString m_old;
};

// A pseudo-terminal whose slave side is published in the port folder under `alias`.
class FakePort {
public:
    FakePort(const QString& portFolder, const QString& alias);
    ~FakePort();
    QString Device() const { return m_device; }

private:
    int m_master = -1;
    QString m_device;
};

// Answers modal dialogs in the order they appear: each answer gets the
// active modal widget and must close it. A modal widget with no answer left
// is rejected and reported by Unexpected().
class ModalAnswers {
public:
    ModalAnswers();
    ~ModalAnswers();
    void Then(std::function<void(QWidget*)> answer);
    int Pending() const { return int(m_answers.size()); }
    QStringList Unexpected() const { return m_unexpected; }

private:
    void Poll();
    QTimer m_timer;
    QList<std::function<void(QWidget*)>> m_answers;
    QList<QPointer<QWidget>> m_seen;
    QStringList m_unexpected;
};

// Checks a message box and presses one of its buttons; records mismatches in `failures`.
std::function<void(QWidget*)> AnswerMessage(const QString& caption, const QString& text, int icon, int buttons,
                                            int press, QStringList* failures);

} // namespace krv::test
