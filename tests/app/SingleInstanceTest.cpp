// A second copy of the program is refused while this process is the running copy.
#include "MainWindow.h"
#include "SingleInstance.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace krv;
using namespace krv::test;

class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;

private slots:
    void initTestCase()
    {
        // The lock and the socket live in the runtime folder; give this test its own.
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }

    void secondCopyIsRefused()
    {
        WorkDir dir;
        SingleInstance instance;
        QVERIFY(instance.Acquire());
        TForm1 window;
        connect(&instance, &SingleInstance::AnotherCopyStarted, &window, &TForm1::ShowAlreadyRunning);
        window.show();

        QProcess second;
        second.setWorkingDirectory(dir.Path());
        second.start(QStringLiteral(KRV_CONFIGURATOR), {});
        QVERIFY(second.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 10000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);

        auto* box = window.findChild<QMessageBox*>(QStringLiteral("AlreadyRunningMessage"));
        QTRY_VERIFY(box = window.findChild<QMessageBox*>(QStringLiteral("AlreadyRunningMessage")));
        QCOMPARE(box->text(), QStringLiteral("Программа уже запущена"));
        QCOMPARE(box->windowTitle(), QStringLiteral("KRV Configurator"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        box->button(QMessageBox::Ok)->click();

        // One main window, and the second copy wrote nothing.
        int windows = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows += qobject_cast<TForm1*>(w) ? 1 : 0;
        QCOMPARE(windows, 1);
        QVERIFY(!QFile::exists(dir.Path(QStringLiteral("default.cnt"))));
        QVERIFY(!QFile::exists(dir.Path(QStringLiteral("KRVConfig.cfg"))));
    }

    // A lock left by a copy that is gone does not block the next start.
    void lockOfAGoneCopyIsTakenOver()
    {
        {
            SingleInstance first;
            QVERIFY(first.Acquire());
            SingleInstance second;
            QVERIFY(!second.Acquire());
        }
        SingleInstance again;
        QVERIFY(again.Acquire());
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
