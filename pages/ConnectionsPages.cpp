#include "ConnectionsPages.h"

#include "Cp1251.h"
#include "ItemLists.h"
#include "MaskEdit.h"
#include "PageLayout.h"
#include "ThreeStateCheckBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace krv {
namespace {

constexpr int kCommonPage = 1;
constexpr int kFirstConnectionPage = 2;

const char kSysPasswordWarning[] =
    "Административный пароль необходим для использования расширенного набора команд через SMS, а так же для "
    "защиты конфигурации устройства от модификации. После процедуры установки, запись и чтение конфигурации будут "
    "невозможны, без указания этого пароля. Действие нового пароля начнется с момента повторного запуска "
    "конфигуратора. Будьте внимательны, в случае утраты пароля его отмена возможна с помощью длительной процедуры, "
    "около 30 минут, при этом ранее настроенная конфигурация будет очищена, все параметры сбросятся к заводским. "
    "Этот пароль не сохраняется в файле конфигурации его нужно будет вводить при каждом запуске программы.";

struct BalancePreset {
    const char* button;
    const char* caption;
    const char* command;
    const char* keyWord;
};
const BalancePreset kBalancePresets[] = {
    {"RadioButton1", "МТС", "*100#", "Баланс:"},
    {"RadioButton2", "Билайн", "*102#", "Баланс "},
    {"RadioButton3", "Мегафон", "*100#", ""},
    {"RadioButton4", "Теле 2", "*105#", "OCTATOK "},
};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TMaskEdit* MaskEdit(const char* name, const char* mask, int width, QWidget* parent)
{
    auto* e = new TMaskEdit(parent);
    e->setObjectName(QLatin1String(name));
    if (*mask)
        e->SetEditMask(QLatin1String(mask));
    e->setFixedWidth(width);
    return e;
}

QLineEdit* PlainEdit(const char* name, int maxLength, int width, QWidget* parent)
{
    // Named as masked edits where they keep free text, so the control names
    // of the store's fields stay what the rest of the program uses.
    auto* e = new TMaskEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    e->setFixedWidth(width);
    return e;
}

QComboBox* Combo(const char* name, QWidget* parent, int minWidth = 0)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);
    if (minWidth)
        c->setMinimumWidth(minWidth);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return c;
}

QCheckBox* Check(const QString& name, const QString& caption, QWidget* parent)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    return c;
}

// Fills each drop-down list of a page with the items of the list its field indexes.
void FillLists(QWidget* root, int pageIndex)
{
    for (const CatalogueField* f : PageFields(BlockId::MainImage, pageIndex)) {
        if (f->list == ListId::None || (f->kind != FieldKind::Item && f->kind != FieldKind::Special))
            continue;
        auto* combo = root->findChild<QComboBox*>(QString::fromStdString(f->control));
        if (!combo || combo->count() > 0)
            continue;
        for (const std::string& item : Items(f->list))
            combo->addItem(QString::fromStdString(item));
    }
}

QString BoxName(const CatalogueField& f)
{
    QString name = QString::fromStdString(f.control);
    const QLatin1String suffix(".checked");
    if (name.endsWith(suffix))
        name.chop(suffix.size());
    return name;
}

} // namespace

ConnectionsPages::ConnectionsPages(QObject* parent) : QObject(parent)
{
    BuildCommonPage();
    BuildConnectionPage();
    FillLists(m_panel1, kCommonPage);
    FillLists(m_panel5, kFirstConnectionPage);
    m_common.Bind(m_panel1, BlockId::MainImage, kCommonPage);
    for (int k = 0; k < 8; ++k)
        m_connections[std::size_t(k)].Bind(m_panel5, BlockId::MainImage, kFirstConnectionPage + k);
    ApplySysPasswordRule();
}

void ConnectionsPages::BuildCommonPage()
{
    const PageFrame page = MakePage(QStringLiteral("Panel1"), QStringLiteral("Label15"));
    m_panel1 = page.panel;
    m_label15 = page.header;
    QWidget* p = m_panel1;

    auto* columns = new QHBoxLayout;
    columns->setSpacing(6);
    page.body->addLayout(columns);

    // " Безопасность "
    QGroupBox* security = MakeGroup(QStringLiteral("GroupBoxSecurity"), U(" Безопасность "), p);
    QGridLayout* sg = MakeFieldGrid(security);
    AddRow(sg, MakeCaption(QStringLiteral("LabelDTMFPass"), U("Пароль доступа для DTMF управления")),
           MaskEdit("MaskEditDTMFPass", "9999;1; ", 48, security));
    AddRow(sg, MakeCaption(QStringLiteral("LabelPassword"), U("Пароль доступа для SMS управления")),
           MaskEdit("MaskEditPassword", "aaaaaaaa;1; ", 84, security));
    AddRow(sg, MakeCaption(QStringLiteral("LabelPIN"), U("PIN код")),
           MaskEdit("MaskEditPIN", "99999999;1; ", 84, security));
    AddRow(sg, MakeCaption(QStringLiteral("LabelSMSCA"), U("Номер телефона SMS центра")),
           MaskEdit("MaskEditSMSCA", "#99999999999999;1; ", 124, security));
    m_sysPasswordBox = Check(QStringLiteral("CheckBoxSysPassword"), U("Использовать административный пароль"), security);
    AddWide(sg, m_sysPasswordBox);
    m_sysPassword = MaskEdit("MaskEditSysPassword", "aaaaaaaa;1; ", 84, security);
    m_sysPasswordCaption = MakeCaption(QStringLiteral("LabelSysPassword"),
                                       U("Административный пароль и пароль защиты конфигурации"), true);
    AddRow(sg, m_sysPasswordCaption, m_sysPassword);
    AddWide(sg, Check(QStringLiteral("CheckBoxACK"), U("Всегда подтверждать выполнение SMS команды"), security));
    AddWide(sg, Check(QStringLiteral("CheckBoxControlOnlyList"), U("SMS управление только с телефонов из списка"),
                      security));
    AddWide(sg, Check(QStringLiteral("CheckBoxDTMFControlOnlyList"), U("DTMF управление только с телефонов из списка"),
                      security));
    AddRow(sg,
           MakeCaption(QStringLiteral("LabelOutdatedMsgTime"),
                       U("SMS команды полученные позднее указанного времени, с момента отправки, не выполнять"), true),
           Combo("ComboBoxOutdatedMsgTime", security, 84));
    sg->setRowStretch(sg->rowCount(), 1);
    columns->addWidget(security, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    columns->addLayout(right, 1);

    // " Исходящие голосовые оповещения "
    QGroupBox* calls = MakeGroup(QStringLiteral("GroupBoxOutgoingCalls"), U(" Исходящие голосовые оповещения "), p);
    QGridLayout* cg = MakeFieldGrid(calls);
    AddWide(cg, MakeCaption(QStringLiteral("LabelDialPriority"),
                            U("Принцип чередования соединений при голосовом оповещении")));
    AddWide(cg, Combo("ComboBoxDialPriority", calls));
    AddRow(cg,
           MakeCaption(QStringLiteral("LabelCall2CallPause"),
                       U("Пауза между окончанием одного соединения и началом нового, Сек."), true),
           Combo("ComboBoxCall2CallPauseX10S", calls, 60));
    right->addWidget(calls);

    // " Контроль баланса "
    QGroupBox* balance = MakeGroup(QStringLiteral("GroupBoxBalance"), U(" Контроль баланса "), p);
    QGridLayout* bg = MakeFieldGrid(balance);
    m_balansReqCmd = PlainEdit("MaskEditBalansReqCMD", 8, 84, balance);
    m_balansIdWord = PlainEdit("MaskEditBalansIdWord", 8, 84, balance);
    AddRow(bg, MakeCaption(QStringLiteral("LabelBalansReqCMD"), U("USSD команда запроса")), m_balansReqCmd);
    AddRow(bg,
           MakeCaption(QStringLiteral("LabelBalansIdWord"), U("Ключевое слово для идентификации сообщения о балансе"),
                       true),
           m_balansIdWord);
    AddRow(bg,
           MakeCaption(QStringLiteral("LabelBalansMinVal"),
                       U("Формировать оповещение при значении равном или меньше (0 - 65535)"), true),
           PlainEdit("EditBalansMinVal", 5, 60, balance));
    AddRow(bg,
           MakeCaption(QStringLiteral("LabelReqPeriodH"), U("Период запроса информации о балансе в часах (0 - 255)"),
                       true),
           PlainEdit("EditReqPeriodH", 3, 60, balance));
    QGroupBox* presets = MakeGroup(QStringLiteral("GroupBoxBalancePresets"), U(" Предустановленные шаблоны "), balance);
    auto* pl = new QHBoxLayout(presets);
    pl->setContentsMargins(6, 2, 6, 2);
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(U(kBalancePresets[i].caption), presets);
        r->setObjectName(QLatin1String(kBalancePresets[i].button));
        connect(r, &QRadioButton::clicked, this, [this, i] { BalancePresetClick(i); });
        pl->addWidget(r);
    }
    pl->addStretch(1);
    AddWide(bg, presets);
    QLabel* note = MakeCaption(QStringLiteral("LabelBalanceNote"),
                               U("Предустановленные шаблоны параметров запроса баланса могут отличаться в разных "
                                 "регионах. Уточните USSD команду для запроса баланса у вашего оператора. Ключевое "
                                 "слово - это ближайшие восемь символов слева от числового значения баланса."),
                               true);
    note->setStyleSheet(QStringLiteral("color: #505050;"));
    AddWide(bg, note);
    right->addWidget(balance);

    // Hidden for the whole run; their fields still travel through them.
    QGroupBox* data = MakeGroup(QStringLiteral("GroupBoxDATAProtocol"),
                                U(" Тип модемного соединения для исходящих вызовов "), p);
    auto* dl = new QHBoxLayout(data);
    dl->addWidget(Combo("ComboBoxDATAProtocol", data));
    QLabel* modbusCaption = MakeCaption(QStringLiteral("LabelModBusAddress"), U("Адрес устройства в сети Modbus"),
                                        false, data);
    dl->addWidget(modbusCaption);
    dl->addWidget(PlainEdit("EditModBusAddress", 3, 40, data));
    data->hide();
    right->addWidget(data);
    right->addStretch(1);

    m_warning = MakeCaption(QStringLiteral("LabelSysPasswordWarning"), QString(), true, p);
    m_warning->setStyleSheet(QStringLiteral("color: #ff0000;"));
    m_warning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_warning->setMinimumHeight(m_warning->fontMetrics().lineSpacing() * 5);
    page.body->addWidget(m_warning);

    connect(m_sysPasswordBox, &QCheckBox::toggled, this, &ConnectionsPages::CheckBoxSysPasswordClick);
}

QWidget* ConnectionsPages::SourcesGroup(QWidget* parent, QChar channel)
{
    const bool sms = channel == QLatin1Char('S');
    const QString c(channel);
    QGroupBox* g = MakeGroup(QStringLiteral("GroupBoxMask%1Sources").arg(c),
                             U(" Передавать сообщения от следующих источников "), parent);
    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    for (int i = 1; i <= 8; ++i) {
        auto* box = new TThreeStateCheckBox(U("Вход %1").arg(i), g);
        box->setObjectName(QStringLiteral("CheckBoxMask%1Input%2").arg(c).arg(i));
        grid->addWidget(box, (i - 1) / 4, (i - 1) % 4);
        if (i >= 5) {
            box->hide();
            m_shownOnConnectionPage << box;
        }
    }
    // Mode changes: "ОХРАНА n" and "НАБЛЮДЕНИЕ n" side by side.
    for (int n = 1; n <= 4; ++n) {
        const QString suffix = n == 1 ? QString() : QString::number(n);
        QCheckBox* arm = Check(QStringLiteral("CheckBoxMask%1Arm%2").arg(c, suffix),
                               n == 1 ? U("ОХРАНА") : U("ОХРАНА %1").arg(n), g);
        QCheckBox* disarm = Check(QStringLiteral("CheckBoxMask%1Disarm%2").arg(c, suffix),
                                  n == 1 ? U("НАБЛЮДЕНИЕ") : U("НАБЛЮДЕНИЕ %1").arg(n), g);
        grid->addWidget(arm, 1 + n, 0, 1, 2);
        grid->addWidget(disarm, 1 + n, 2, 1, 2);
        if (n > 1) {
            arm->hide();
            disarm->hide();
            m_shownOnConnectionPage << arm << disarm;
        }
    }
    QCheckBox* restricted =
        Check(sms ? QStringLiteral("CheckBoxMaskSRestrictedArm") : QStringLiteral("CheckBoxMaskCRestrictedArm"),
              U("ЗАЩИТА"), g);
    restricted->hide();
    QCheckBox* gps = Check(QStringLiteral("CheckBoxMask%1GPS").arg(c), QStringLiteral("GPS"), g);
    gps->hide();
    grid->addWidget(Check(QStringLiteral("CheckBoxMask%1Power").arg(c), U("Системные события"), g), 6, 0, 1, 2);
    grid->addWidget(Check(QStringLiteral("CheckBoxMask%1Test").arg(c), U("Тестовое / инфо. сообщения"), g), 6, 2, 1,
                    2);
    grid->addWidget(restricted, 7, 0, 1, 2);
    grid->addWidget(gps, 7, 2, 1, 2);
    if (sms) {
        QCheckBox* profile = Check(QStringLiteral("CheckBoxMaskSProfile"), U("Профиль"), g);
        profile->hide();
        m_shownOnConnectionPage << profile;
        grid->addWidget(profile, 8, 0, 1, 2);
    }
    return g;
}

void ConnectionsPages::BuildConnectionPage()
{
    const PageFrame page = MakePage(QStringLiteral("Panel5"), QStringLiteral("Label74"));
    m_panel5 = page.panel;
    m_label74 = page.header;
    QWidget* p = m_panel5;

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    page.body->addLayout(top);
    auto* tg = new QGridLayout;
    tg->setHorizontalSpacing(8);
    tg->setVerticalSpacing(3);
    top->addLayout(tg, 1);

    auto* numberRow = new QHBoxLayout;
    numberRow->setSpacing(8);
    TMaskEdit* phone = MaskEdit("MaskEditPhone", "#99999999999999;1; ", 124, p);
    numberRow->addWidget(phone);
    numberRow->addSpacing(12);
    QLabel* groupCaption = MakeCaption(QStringLiteral("LabelGroupNum"), U("принадлежит группе"), false, p);
    numberRow->addWidget(groupCaption);
    QComboBox* groupNum = Combo("ComboBoxGroupNum", p, 48);
    groupCaption->setBuddy(groupNum);
    numberRow->addWidget(groupNum);
    numberRow->addStretch(1);
    QLabel* phoneCaption = MakeCaption(QStringLiteral("LabelPhone"), U("Номер"), false, p);
    phoneCaption->setBuddy(phone);
    tg->addWidget(phoneCaption, 0, 0);
    tg->addLayout(numberRow, 0, 1);

    QLabel* label85 = MakeCaption(QStringLiteral("Label85"), U("Приоритет транспорта"), false, p);
    QComboBox* transport = Combo("ComboBoxTransportPriority", p);
    label85->setBuddy(transport);
    label85->hide();
    transport->hide();
    m_shownOnConnectionPage << label85 << transport;
    tg->addWidget(label85, 1, 0);
    tg->addWidget(transport, 1, 1);

    m_incomingCallAction = Combo("ComboBoxIncomungCallAction", p);
    QLabel* incomingCaption = MakeCaption(QStringLiteral("LabelIncomungCallAction"), U("Реакция на входящий вызов"),
                                          false, p);
    incomingCaption->setBuddy(m_incomingCallAction);
    tg->addWidget(incomingCaption, 2, 0);
    tg->addWidget(m_incomingCallAction, 2, 1);
    tg->setColumnStretch(1, 1);

    QGroupBox* toOuts = MakeGroup(QStringLiteral("GroupBoxInCallToOutsAction"),
                                  U(" Воздействие на реле/выходы при входящем вызове "), p);
    auto* ol = new QVBoxLayout(toOuts);
    ol->setContentsMargins(6, 2, 6, 4);
    ol->setSpacing(3);
    ol->addWidget(Combo("ComboBoxICToOUOutN", toOuts));
    ol->addWidget(Combo("ComboBoxICToOUScnN", toOuts));
    toOuts->hide();
    m_shownOnConnectionPage << toOuts;
    top->addWidget(toOuts);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(6);
    page.body->addLayout(columns, 1);

    // " Голосовое оповещение "
    QGroupBox* voice = MakeGroup(QStringLiteral("GroupBoxVoice"), U(" Голосовое оповещение "), p);
    QGridLayout* vg = MakeFieldGrid(voice);
    AddWide(vg, Check(QStringLiteral("CheckBoxCallEn"), U("Разрешено"), voice));
    AddRow(vg,
           MakeCaption(QStringLiteral("LabelDialTranspWaitTime"), U("Снять данные с передачи, если не переданны за"),
                       true),
           Combo("ComboBoxDialTranspWaitTime", voice, 84));
    AddRow(vg,
           MakeCaption(QStringLiteral("LabelOnLineTime"), U("Продолжительность исходящего голосового соединения"), true),
           Combo("ComboBoxOnLineTime", voice, 84));
    AddWide(vg, Check(QStringLiteral("CheckBoxNotACK"), U("Отбой вызова, без соединения, считать успешной доставкой"),
                      voice));
    QLabel* typeCaption = MakeCaption(QStringLiteral("LabelConnectionType"), U("Тип соединения"));
    QComboBox* type = Combo("ComboBoxConnectionType", voice);
    AddRow(vg, typeCaption, type);
    typeCaption->hide();
    type->hide();
    AddWide(vg, SourcesGroup(voice, QLatin1Char('D')));
    vg->setRowStretch(vg->rowCount(), 1);
    columns->addWidget(voice, 1);

    // " SMS "
    QGroupBox* sms = MakeGroup(QStringLiteral("GroupBoxSMS"), U(" SMS "), p);
    QGridLayout* mg = MakeFieldGrid(sms);
    AddWide(mg, Check(QStringLiteral("CheckBoxSMSEn"), U("Разрешено"), sms));
    AddRow(mg,
           MakeCaption(QStringLiteral("LabelSMSTranspWaitTime"), U("Снять данные с передачи, если не переданны за"),
                       true),
           Combo("ComboBoxSMSTranspWaitTime", sms, 84));
    AddRow(mg, MakeCaption(QStringLiteral("LabelLang"), U("Язык интерфейса")), Combo("ComboBoxLang", sms, 84));
    AddRow(mg, MakeCaption(QStringLiteral("LabelUserId"), U("В сообщении передавать")), Combo("ComboBoxUserId", sms));
    AddWide(mg, Check(QStringLiteral("CheckBoxDebugMode"), U("Контроль ошибок управляющих сообщений"), sms));
    QCheckBox* joint = Check(QStringLiteral("CheckBoxJointUse"), U("Режим управления подчиненным контроллером"), sms);
    joint->hide();
    AddWide(mg, joint);
    AddWide(mg, SourcesGroup(sms, QLatin1Char('S')));
    mg->setRowStretch(mg->rowCount(), 1);
    columns->addWidget(sms, 1);

    connect(m_incomingCallAction, &QComboBox::currentIndexChanged, this,
            &ConnectionsPages::ComboBoxIncomungCallActionChange);
    connect(transport, &QComboBox::currentIndexChanged, this, &ConnectionsPages::ComboBoxIncomungCallActionChange);
}

void ConnectionsPages::SetNumberedModeCaptions()
{
    for (const char* ch : {"D", "S"}) {
        if (auto* b = m_panel5->findChild<QCheckBox*>(QStringLiteral("CheckBoxMask%1Arm").arg(QLatin1String(ch))))
            b->setText(U("ОХРАНА 1"));
        if (auto* b = m_panel5->findChild<QCheckBox*>(QStringLiteral("CheckBoxMask%1Disarm").arg(QLatin1String(ch))))
            b->setText(U("НАБЛЮДЕНИЕ 1"));
    }
}

void ConnectionsPages::PrepareConnectionPage()
{
    for (QWidget* w : m_shownOnConnectionPage)
        w->show();
}

void ConnectionsPages::ApplySysPasswordRule()
{
    const bool on = m_sysPasswordBox->isChecked();
    m_sysPassword->setEnabled(on);
    m_sysPasswordCaption->setEnabled(on);
}

void ConnectionsPages::CheckBoxSysPasswordClick()
{
    ApplySysPasswordRule();
    if (m_sysPasswordBox->isChecked())
        m_warning->setText(U(kSysPasswordWarning));
}

void ConnectionsPages::ComboBoxIncomungCallActionChange()
{
    m_incomingCallAction->setToolTip(m_incomingCallAction->currentText());
}

void ConnectionsPages::BalancePresetClick(int preset)
{
    m_balansReqCmd->setText(U(kBalancePresets[preset].command));
    m_balansIdWord->setText(U(kBalancePresets[preset].keyWord));
}

void ConnectionsPages::EncodeCommon(std::span<std::uint8_t> image)
{
    // The box is never stored: while it is clear the stored password is empty.
    if (!m_sysPasswordBox->isChecked())
        m_sysPassword->clear();
    ApplySysPasswordRule();
    m_common.Encode(image);
}

void ConnectionsPages::DecodeCommon(std::span<const std::uint8_t> image)
{
    ApplySysPasswordRule();
    m_common.Decode(image);
}

void ConnectionsPages::EncodeConnection(int pageIndex, std::span<std::uint8_t> image)
{
    const FieldBindings& b = m_connections.at(std::size_t(pageIndex - kFirstConnectionPage));
    b.Encode(image);
    for (const CatalogueField* f : b.SpecialFields()) {
        switch (f->special) {
        case Special::ThreeStateFirst:
        case Special::ThreeStateSecond: {
            const auto* box = m_panel5->findChild<QCheckBox*>(BoxName(*f));
            if (!box)
                break;
            const bool set = f->special == Special::ThreeStateFirst ? box->checkState() != Qt::Unchecked
                                                                     : box->checkState() == Qt::Checked;
            SetBits(image, f->at, set ? 1u : 0u);
            break;
        }
        case Special::MessageLanguage: {
            const auto* lang = m_panel5->findChild<QComboBox*>(QString::fromStdString(f->control));
            const int index = lang ? lang->currentIndex() : -1;
            SetBits(image, f->at, index == 0 || index == 1 ? std::uint32_t(index) : 3u);
            break;
        }
        default: break;
        }
    }
}

void ConnectionsPages::DecodeConnection(int pageIndex, std::span<const std::uint8_t> image)
{
    const FieldBindings& b = m_connections.at(std::size_t(pageIndex - kFirstConnectionPage));
    b.Decode(image);
    // Three-state boxes: all clear, then grayed from the first mask, then
    // checked from the second.
    for (const Special pass : {Special::ThreeStateFirst, Special::ThreeStateSecond}) {
        for (const CatalogueField* f : b.SpecialFields()) {
            if (f->special != pass)
                continue;
            auto* box = m_panel5->findChild<QCheckBox*>(BoxName(*f));
            if (!box)
                continue;
            const QSignalBlocker blocker(box);
            const bool bit = GetBits(image, f->at) != 0;
            if (pass == Special::ThreeStateFirst)
                box->setCheckState(bit ? Qt::PartiallyChecked : Qt::Unchecked);
            else if (bit)
                box->setCheckState(Qt::Checked);
        }
    }
    for (const CatalogueField* f : b.SpecialFields()) {
        if (f->special != Special::MessageLanguage)
            continue;
        auto* lang = m_panel5->findChild<QComboBox*>(QString::fromStdString(f->control));
        if (!lang)
            continue;
        const QSignalBlocker blocker(lang);
        const std::uint32_t v = GetBits(image, f->at);
        lang->setCurrentIndex(v == 3 ? 2 : (v < std::uint32_t(lang->count()) ? int(v) : -1));
    }
    ComboBoxIncomungCallActionChange();
}

QStringList ConnectionsPages::UnboundControls() const
{
    QStringList missing = m_common.Unbound();
    for (const FieldBindings& b : m_connections)
        missing += b.Unbound();
    for (const FieldBindings& b : m_connections)
        for (const CatalogueField* f : b.SpecialFields()) {
            const QString name = f->special == Special::MessageLanguage ? QString::fromStdString(f->control)
                                                                         : BoxName(*f);
            if (!m_panel5->findChild<QWidget*>(name))
                missing << name;
        }
    missing.removeDuplicates();
    return missing;
}

} // namespace krv
