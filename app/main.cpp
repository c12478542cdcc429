// krv-configurator: the configuration window of the KRV614 controller.
#include "MainWindow.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The name a running copy is known by.
    QApplication::setApplicationName(QStringLiteral("KRV Configurator"));

    krv::SingleInstance instance;
    if (!instance.Acquire()) {
        // The running copy shows the refusal over its window; if it cannot
        // answer (it is busy or hung), this copy shows it instead.
        if (!instance.NotifyRunningCopy()) {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("KRV Configurator"),
                            QString::fromUtf8("Программа уже запущена"), QMessageBox::Ok);
            box.exec();
        }
        return 0;
    }
    try {
        krv::TForm1 window;
        QObject::connect(&instance, &krv::SingleInstance::AnotherCopyStarted, &window, &krv::TForm1::ShowAlreadyRunning);
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("KRV Configurator"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
