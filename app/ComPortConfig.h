#pragma once
// The port selection dialog: a list of the serial ports present, each alias
// with the device it stands for, and OK / Cancel. OK opens the chosen port;
// closing the dialog, however it closes, tests the port once more and closes it.
#include <QDialog>

#include <functional>

class QComboBox;
class QPushButton;

namespace krv {

class ComPort;

class TFormCOMPortConfig : public QDialog {
    Q_OBJECT
public:
    // `showPortState` receives the text for status panel 1 (the port name or "NC").
    TFormCOMPortConfig(ComPort& port, std::function<void(const QString&)> showPortState, QWidget* parent = nullptr);

    // The caption and the error text shown when a port cannot be opened.
    void SetTexts(const QString& caption, const QString& errorText);

    void Button1Click(); // OK
    void Button2Click(); // Cancel

    void done(int result) override; // the dialog's close handler runs here

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormClose();

    ComPort& m_port;
    std::function<void(const QString&)> m_showPortState;
    QString m_errorText;
    QComboBox* m_combo;
    bool m_closed = false;
};

} // namespace krv
