#pragma once
// The two connections pages: "Общие параметры соединений" (PageIndex 1,
// Panel1) and "Соединение 1".."Соединение 8" (PageIndex 2..9, Panel5, one set
// of controls for the eight connection records).
#include "FieldBindings.h"

#include <QObject>

#include <array>
#include <span>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace krv {

class TMaskEdit;

class ConnectionsPages : public QObject {
    Q_OBJECT
public:
    explicit ConnectionsPages(QObject* parent = nullptr);

    QWidget* CommonPanel() const { return m_panel1; }
    QLabel* CommonHeader() const { return m_label15; }
    QWidget* ConnectionPanel() const { return m_panel5; }
    QLabel* ConnectionHeader() const { return m_label74; }

    // Window creation: the first mode boxes get their numbered captions.
    void SetNumberedModeCaptions();
    // Entering a connection page: shows the controls created hidden.
    void PrepareConnectionPage();

    void EncodeCommon(std::span<std::uint8_t> image);
    void DecodeCommon(std::span<const std::uint8_t> image);
    // pageIndex 2..9 selects connection record pageIndex - 1.
    void EncodeConnection(int pageIndex, std::span<std::uint8_t> image);
    void DecodeConnection(int pageIndex, std::span<const std::uint8_t> image);

    // Catalogue controls that found no widget (empty when the pages are complete).
    QStringList UnboundControls() const;

    // Handlers.
    void CheckBoxSysPasswordClick();
    void ComboBoxIncomungCallActionChange();
    void BalancePresetClick(int preset);

private:
    void BuildCommonPage();
    void BuildConnectionPage();
    void ApplySysPasswordRule();
    QWidget* SourcesGroup(QWidget* parent, QChar channel);

    QWidget* m_panel1 = nullptr;
    QLabel* m_label15 = nullptr;
    QWidget* m_panel5 = nullptr;
    QLabel* m_label74 = nullptr;

    QCheckBox* m_sysPasswordBox = nullptr;
    TMaskEdit* m_sysPassword = nullptr;
    QLabel* m_sysPasswordCaption = nullptr;
    QLabel* m_warning = nullptr;
    QLineEdit* m_balansReqCmd = nullptr;
    QLineEdit* m_balansIdWord = nullptr;
    QComboBox* m_incomingCallAction = nullptr;
    QList<QWidget*> m_shownOnConnectionPage;

    FieldBindings m_common;
    std::array<FieldBindings, 8> m_connections;
};

} // namespace krv
