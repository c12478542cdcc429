// The port dialog and the About box of the main window.
#include "AboutBox.h"
#include "ComPort.h"
#include "ComPortConfig.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTest>

#include <memory>

using namespace krv;
using namespace krv::test;

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

class PortDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkDir> m_dir;
    std::unique_ptr<TForm1> m_window;
    std::unique_ptr<ModalAnswers> m_answers;
    QStringList m_failures;

    // Runs the port dialog; `inside` acts on it and must close it.
    void RunDialog(std::function<void(TFormCOMPortConfig*)> inside)
    {
        m_answers->Then([&, inside](QWidget* w) {
            auto* d = qobject_cast<TFormCOMPortConfig*>(w);
            if (!d) {
                m_failures << QStringLiteral("no port dialog");
                return;
            }
            inside(d);
        });
        m_window->findChild<QAction*>(QStringLiteral("ComPortConfig"))->trigger();
        QCOMPARE(m_failures, QStringList());
        QCOMPARE(m_answers->Unexpected(), QStringList());
        QCOMPARE(m_answers->Pending(), 0);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<WorkDir>();
        m_answers = std::make_unique<ModalAnswers>();
        m_failures.clear();
    }
    void cleanup()
    {
        m_answers.reset();
        m_window.reset();
        m_dir.reset();
    }

    // The list shows each port with its device; OK on a free port names it in
    // the status bar and the port is closed again when the dialog has closed.
    void okOnAFreePort()
    {
        FakePort a(m_dir->PortFolder(), QStringLiteral("COMSIM"));
        FakePort b(m_dir->PortFolder(), QStringLiteral("COMSIM2"));
        m_window = std::make_unique<TForm1>();
        RunDialog([&](TFormCOMPortConfig* d) {
            if (d->windowTitle() != QStringLiteral("Выбор COM порта"))
                m_failures << d->windowTitle();
            auto* combo = d->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
            const int i = combo->findData(QStringLiteral("COMSIM2"));
            if (i < 0 || !combo->itemText(i).contains(b.Device()))
                m_failures << QStringLiteral("COMSIM2 with its device not listed");
            if (combo->findData(QStringLiteral("COMSIM")) < 0 || combo->findData(QStringLiteral("COMSIM")) > i)
                m_failures << QStringLiteral("not sorted");
            combo->setCurrentIndex(i);
            d->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        QCOMPARE(m_window->Port().PortName(), QStringLiteral("COMSIM2"));
        QCOMPARE(m_window->StatusPanelText(1), QStringLiteral("COMSIM2"));
        QVERIFY(!m_window->Port().IsOpen());
    }

    // OK on a port that cannot be opened shows the message and keeps the
    // dialog; Cancel afterwards keeps that name; the close test gives "NC".
    void okOnAnUnusablePort()
    {
        FakePort a(m_dir->PortFolder(), QStringLiteral("COMSIM"));
        m_window = std::make_unique<TForm1>();
        m_window->Port().SetPortName(QStringLiteral("COMSIM"));
        RunDialog([&](TFormCOMPortConfig* d) {
            auto* combo = d->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
            if (combo->currentData().toString() != QLatin1String("COMSIM"))
                m_failures << QStringLiteral("current port not selected");
            // The adapter is pulled out while the dialog is open.
            QFile::remove(m_dir->PortFolder() + QStringLiteral("/COMSIM"));
            m_answers->Then(AnswerMessage(QStringLiteral("Выбор COM порта"),
                                          QStringLiteral("Не возможно открыть указанный COM порт, возможно он занят "
                                                         "другим приложением.\nПорт отсутствует в системе."),
                                          QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, &m_failures));
            d->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            if (!d->isVisible())
                m_failures << QStringLiteral("dialog closed after a failed OK");
            if (m_window->StatusPanelText(1) != QLatin1String("NC"))
                m_failures << QStringLiteral("panel 1: ") + m_window->StatusPanelText(1);
            d->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        });
        QCOMPARE(m_window->Port().PortName(), QStringLiteral("COMSIM"));
        QCOMPARE(m_window->StatusPanelText(1), QStringLiteral("NC"));
    }

    // The extra line says why: the port is held by another program.
    void busyPortSaysSo()
    {
        FakePort a(m_dir->PortFolder(), QStringLiteral("COMSIM"));
        QSerialPort holder(a.Device());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        ComPort port;
        port.SetPortName(QStringLiteral("COMSIM"));
        QVERIFY(!port.Open());
        QCOMPARE(port.LastFailure(), ComPort::Failure::Busy);
        QCOMPARE(PortFailureHint(ComPort::Failure::Busy), QStringLiteral("Порт занят другим приложением."));
        QVERIFY(PortFailureHint(ComPort::Failure::NoAccess).contains(QLatin1String("dialout")));
        holder.close();
        QVERIFY(port.Open());
        port.Close();
    }

    void aboutBox()
    {
        m_window = std::make_unique<TForm1>();
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
        m_answers->Then([&](QWidget* w) {
            auto* box = qobject_cast<TAboutBox*>(w);
            if (!box) {
                m_failures << QStringLiteral("no About box");
                return;
            }
            auto text = [box](const char* name) { return box->findChild<QLabel*>(QLatin1String(name))->text(); };
            if (box->windowTitle() != QStringLiteral("О программе") ||
                text("Label1") != QStringLiteral("Конфигуратор GSM контроллера KRV614") ||
                text("Label3") != QStringLiteral("Ver. 1.3.24") || text("Label2") != QStringLiteral("для версий устройства"))
                m_failures << QStringLiteral("texts");
            auto* memo = box->findChild<QPlainTextEdit*>(QStringLiteral("MemoVersionList"));
            if (memo->toPlainText() != QStringLiteral("TQ.01.02\nTQ-ORBIT.01.02\nTQ-ORBIT.01.03\nTQ.01.04") ||
                memo->isEnabled() || !memo->isReadOnly())
                m_failures << QStringLiteral("versions");
            auto* web = box->findChild<QLabel*>(QStringLiteral("LinkLabelWeb"));
            auto* mail = box->findChild<QLabel*>(QStringLiteral("LinkLabelMail"));
            if (!mail->text().startsWith(QLatin1String("E-mail: ")) || web->cursor().shape() != Qt::PointingHandCursor ||
                !web->font().underline())
                m_failures << QStringLiteral("links");
            QTest::mouseClick(web, Qt::LeftButton);
            QTest::mouseClick(mail, Qt::LeftButton);
            box->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        });
        m_window->findChild<QAction*>(QStringLiteral("Abaut"))->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(m_failures, QStringList());
        QCOMPARE(m_answers->Pending(), 0);
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls[0], QUrl(QString::fromLatin1(kWebAddress)));
        QCOMPARE(catcher.urls[1].toString(), QStringLiteral("mailto:") + QLatin1String(kSupportMail) +
                                                 QStringLiteral("?subject=KRV614"));
    }
};

QTEST_MAIN(PortDialogTest)
#include "PortDialogTest.moc"
