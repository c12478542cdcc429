#include "ComPortConfig.h"

#include "ComPort.h"
#include "PortNames.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace krv {

TFormCOMPortConfig::TFormCOMPortConfig(ComPort& port, std::function<void(const QString&)> showPortState,
                                       QWidget* parent)
    : QDialog(parent), m_port(port), m_showPortState(std::move(showPortState)), m_combo(new QComboBox(this))
{
    setObjectName(QStringLiteral("FormCOMPortConfig"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_combo->setObjectName(QStringLiteral("ComboBox1"));
    m_combo->setEditable(false);
    m_combo->setMinimumWidth(320);
    for (const PortEntry& p : AvailablePorts()) {
        // The alias is what is stored; the device beside it tells adapters apart.
        QString text = p.alias + QStringLiteral("  —  ") + p.device;
        if (!p.description.isEmpty())
            text += QStringLiteral(" (") + p.description + QLatin1Char(')');
        m_combo->addItem(text, p.alias);
    }
    m_combo->setCurrentIndex(m_combo->findData(m_port.PortName()));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(ok, &QPushButton::clicked, this, &TFormCOMPortConfig::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &TFormCOMPortConfig::Button2Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_combo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TFormCOMPortConfig::SetTexts(const QString& caption, const QString& errorText)
{
    setWindowTitle(caption);
    m_errorText = errorText;
}

void TFormCOMPortConfig::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TFormCOMPortConfig::Button1Click()
{
    m_port.Close();
    m_port.SetPortName(m_combo->currentIndex() >= 0 ? m_combo->currentData().toString() : QString());
    if (!m_port.Open()) {
        QString text = m_errorText;
        const QString hint = PortFailureHint(m_port.LastFailure());
        if (!hint.isEmpty())
            text += QLatin1Char('\n') + hint;
        QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("PortErrorMessage"));
        box.exec();
    }
    m_showPortState(m_port.IsOpen() ? m_port.PortName() : QStringLiteral("NC"));
    if (m_port.IsOpen())
        accept();
}

void TFormCOMPortConfig::Button2Click()
{
    reject();
}

void TFormCOMPortConfig::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFormCOMPortConfig::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    m_port.Open();
    m_showPortState(m_port.IsOpen() ? m_port.PortName() : QStringLiteral("NC"));
    m_port.Close();
}

} // namespace krv
