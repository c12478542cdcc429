#include "Catalogue.h"

#include "ConfigStore.h"

#include <map>
#include <stdexcept>

namespace krv {
namespace {

// One declared field of a record layout. Offsets are relative to the record.
// A field with repeat > 1 stands for a group: instance i sits at
// offset + i * offsetStep and shift + i * shiftStep, and "{}" in its name
// becomes first + i. "{r}" becomes the 1-based record number.
struct FieldDef {
    const char* control = "";
    std::uint16_t offset = 0;
    std::uint8_t width = 1;
    std::uint8_t shift = 0;
    std::uint8_t bits = 8; // 0: whole bytes
    FieldKind kind = FieldKind::Reserved;
    Special special = Special::None;
    ListId list = ListId::None;
    Trim trim = Trim::Both;
    RangeRule range{};
    Display display = Display::Auto;
    std::uint8_t repeat = 1;
    std::uint8_t first = 1;
    std::uint8_t offsetStep = 0;
    std::uint8_t shiftStep = 0;

    constexpr FieldDef Repeat(int count, int offStep, int bitStep, int firstNumber = 1) const
    {
        FieldDef f = *this;
        f.repeat = std::uint8_t(count);
        f.offsetStep = std::uint8_t(offStep);
        f.shiftStep = std::uint8_t(bitStep);
        f.first = std::uint8_t(firstNumber);
        return f;
    }
    constexpr FieldDef Show(Display d) const
    {
        FieldDef f = *this;
        f.display = d;
        return f;
    }
};

constexpr FieldDef Text(const char* c, int off, int width, Trim trim = Trim::Both)
{
    return {.control = c, .offset = std::uint16_t(off), .width = std::uint8_t(width), .bits = 0,
            .kind = FieldKind::Text, .trim = trim};
}
constexpr FieldDef Phone(const char* c, int off)
{
    return {.control = c, .offset = std::uint16_t(off), .width = 16, .bits = 0, .kind = FieldKind::Phone};
}
constexpr FieldDef Item(const char* c, int off, int shift, int bits, ListId list, int width = 1)
{
    return {.control = c, .offset = std::uint16_t(off), .width = std::uint8_t(width), .shift = std::uint8_t(shift),
            .bits = std::uint8_t(bits), .kind = FieldKind::Item, .list = list};
}
constexpr FieldDef Flag(const char* c, int off, int bit, int width = 1)
{
    return {.control = c, .offset = std::uint16_t(off), .width = std::uint8_t(width), .shift = std::uint8_t(bit),
            .bits = 1, .kind = FieldKind::Flag};
}
constexpr FieldDef Number(const char* c, int off, int width, int bits, RangeRule range)
{
    return {.control = c, .offset = std::uint16_t(off), .width = std::uint8_t(width), .bits = std::uint8_t(bits),
            .kind = FieldKind::Number, .range = range};
}
constexpr FieldDef Spec(const char* c, Special s, int off, int width = 1, int shift = 0, int bits = 8,
                        ListId list = ListId::None)
{
    return {.control = c, .offset = std::uint16_t(off), .width = std::uint8_t(width), .shift = std::uint8_t(shift),
            .bits = std::uint8_t(bits), .kind = FieldKind::Special, .special = s, .list = list};
}
constexpr FieldDef Ranged(FieldDef f, int min, int max)
{
    f.range = {.min = min, .max = max, .nonNumber = 0, .wrapLow = false};
    return f;
}
// Reserved whole bytes.
constexpr FieldDef Reserved(int off, int width)
{
    return {.control = "", .offset = std::uint16_t(off), .width = std::uint8_t(width), .bits = 0,
            .kind = FieldKind::Reserved};
}
// Reserved bits of one byte.
constexpr FieldDef ReservedBits(int off, int shift, int bits, int width = 1)
{
    return {.control = "", .offset = std::uint16_t(off), .width = std::uint8_t(width), .shift = std::uint8_t(shift),
            .bits = std::uint8_t(bits), .kind = FieldKind::Reserved};
}
constexpr FieldDef ZeroBits(int off, int shift, int bits, int width = 1)
{
    FieldDef f = ReservedBits(off, shift, bits, width);
    f.kind = FieldKind::WrittenZero;
    return f;
}
constexpr FieldDef Kept(const char* c, int off, int width, Display d)
{
    return {.control = c, .offset = std::uint16_t(off), .width = std::uint8_t(width), .bits = 0,
            .kind = FieldKind::Kept, .display = d};
}

// Range rules of the typed numbers.
constexpr RangeRule kBalansMin{.min = 0, .max = 65535, .nonNumber = 0, .wrapLow = true};
constexpr RangeRule kReqPeriod{.min = 0, .max = 255, .nonNumber = 0, .wrapLow = true};
constexpr RangeRule kModBus{.min = 1, .max = 247, .nonNumber = 0, .wrapLow = false};
constexpr RangeRule kCalVal{.min = 0, .max = 131071, .nonNumber = 0, .wrapLow = true};

// ---- layouts ------------------------------------------------------------------

const FieldDef kHeader[] = {
    Kept("ImageFormat", 0, 1, Display::Number),
    Kept("VersionMarker", 1, 8, Display::Text),
    Reserved(9, 3),
    ReservedBits(13, 5, 3),
    Reserved(15, 5),
};

// Fields of the page "Общие параметры соединений", absolute offsets.
const FieldDef kCommonConnections[] = {
    Item("ComboBoxCall2CallPauseX10S", 12, 0, 3, ListId::Call2CallPause),
    Flag("CheckBoxACK", 12, 3),
    Flag("CheckBoxControlOnlyList", 12, 4),
    Flag("CheckBoxDTMFControlOnlyList", 12, 5),
    Item("ComboBoxDialPriority", 12, 6, 2, ListId::DialPriority),
    Item("ComboBoxOutdatedMsgTime", 13, 0, 4, ListId::OutdatedMsgTime),
    Item("ComboBoxDATAProtocol", 13, 4, 1, ListId::DataProtocol),
    Number("EditModBusAddress", 14, 1, 8, kModBus),
    Text("MaskEditSysPassword", 20, 9),
    Text("MaskEditPIN", 29, 9),
    Text("MaskEditDTMFPass", 38, 5),
    Text("MaskEditPassword", 43, 9),
    Phone("MaskEditSMSCA", 52),
    Text("MaskEditBalansReqCMD", 2820, 9),
    Text("MaskEditBalansIdWord", 2829, 9, Trim::Leading),
    Number("EditBalansMinVal", 2838, 2, 16, kBalansMin),
    Number("EditReqPeriodH", 2840, 1, 8, kReqPeriod),
};

const FieldDef kConnection[] = {
    Phone("MaskEditPhone", 0),
    Item("ComboBoxTransportPriority", 16, 0, 2, ListId::TransportPriority),
    Item("ComboBoxGroupNum", 16, 2, 4, ListId::GroupNum),
    ReservedBits(16, 6, 2),
    Item("ComboBoxDialTranspWaitTime", 17, 0, 4, ListId::TranspWaitTime),
    Item("ComboBoxIncomungCallAction", 17, 4, 2, ListId::IncomingCallAction),
    ReservedBits(17, 6, 2),
    Item("ComboBoxICToOUOutN", 18, 0, 3, ListId::OutputNameList),
    Item("ComboBoxICToOUScnN", 18, 3, 5, ListId::OutputAction),
    Flag("CheckBoxNotACK", 19, 0),
    Flag("CheckBoxCallEn", 19, 1),
    Item("ComboBoxOnLineTime", 19, 2, 6, ListId::OnLineTime),
    Item("ComboBoxConnectionType", 20, 0, 2, ListId::ConnectionType),
    ReservedBits(20, 2, 6),
    Reserved(21, 1),
    Spec("CheckBoxMaskDInput{}", Special::ThreeStateFirst, 22, 2, 0, 1).Repeat(8, 0, 1),
    ZeroBits(22, 8, 8, 2),
    Spec("CheckBoxMaskDInput{}.checked", Special::ThreeStateSecond, 24, 2, 0, 1).Repeat(8, 0, 1),
    ZeroBits(24, 8, 8, 2),
    Flag("CheckBoxMaskDArm", 26, 0),
    Flag("CheckBoxMaskDArm2", 26, 1),
    Flag("CheckBoxMaskDArm3", 26, 2),
    Flag("CheckBoxMaskDArm4", 26, 3),
    Flag("CheckBoxMaskDDisarm", 26, 4),
    Flag("CheckBoxMaskDDisarm2", 26, 5),
    Flag("CheckBoxMaskDDisarm3", 26, 6),
    Flag("CheckBoxMaskDDisarm4", 26, 7),
    Flag("CheckBoxMaskCRestrictedArm", 27, 0),
    Flag("CheckBoxMaskDPower", 27, 1),
    Flag("CheckBoxMaskDTest", 27, 2),
    Flag("CheckBoxMaskDGPS", 27, 3),
    ReservedBits(27, 4, 4),
    Item("ComboBoxSMSTranspWaitTime", 28, 0, 4, ListId::TranspWaitTime),
    ReservedBits(28, 4, 4),
    Spec("ComboBoxLang", Special::MessageLanguage, 29, 1, 0, 2, ListId::MessageLanguage),
    Item("ComboBoxUserId", 29, 2, 1, ListId::UserId),
    Flag("CheckBoxDebugMode", 29, 3),
    Flag("CheckBoxSMSEn", 29, 4),
    Flag("CheckBoxJointUse", 29, 5),
    ReservedBits(29, 6, 2),
    Spec("CheckBoxMaskSInput{}", Special::ThreeStateFirst, 30, 2, 0, 1).Repeat(8, 0, 1),
    ZeroBits(30, 8, 8, 2),
    Spec("CheckBoxMaskSInput{}.checked", Special::ThreeStateSecond, 32, 2, 0, 1).Repeat(8, 0, 1),
    ZeroBits(32, 8, 8, 2),
    Flag("CheckBoxMaskSArm", 34, 0),
    Flag("CheckBoxMaskSArm2", 34, 1),
    Flag("CheckBoxMaskSArm3", 34, 2),
    Flag("CheckBoxMaskSArm4", 34, 3),
    Flag("CheckBoxMaskSDisarm", 34, 4),
    Flag("CheckBoxMaskSDisarm2", 34, 5),
    Flag("CheckBoxMaskSDisarm3", 34, 6),
    Flag("CheckBoxMaskSDisarm4", 34, 7),
    Flag("CheckBoxMaskSRestrictedArm", 35, 0),
    Flag("CheckBoxMaskSPower", 35, 1),
    Flag("CheckBoxMaskSTest", 35, 2),
    Flag("CheckBoxMaskSGPS", 35, 3),
    Flag("CheckBoxMaskSProfile", 35, 4),
    ReservedBits(35, 5, 3),
};

const FieldDef kInputsCommon[] = {
    Item("ComboBoxPortPwrSensAllOn", 356, 0, 1, ListId::PortPwrSensAllOn),
    Item("ComboBoxLoopPwrResetTime", 356, 1, 3, ListId::LoopPwrResetTime),
    Item("ComboBoxNoScaningTimeAftArm", 356, 4, 4, ListId::NoScaningTimeAftArm),
    Item("ComboBoxNoScaningTimeAftReset", 357, 0, 3, ListId::NoScaningTimeAftReset),
    ReservedBits(357, 3, 5),
    Reserved(358, 2),
};

// Byte 56 (perimeter links) is declared with the perimeter pages.
const FieldDef kInput[] = {
    Text("ComboBoxSensName", 0, 17, Trim::None),
    Text("ComboBoxSensActSt", 17, 17, Trim::None),
    Text("ComboBoxSensPassSt", 34, 17, Trim::None),
    Reserved(51, 1),
    Item("ComboBoxAverageTime", 52, 0, 4, ListId::AverageTime),
    Item("ComboBoxSensActLevel", 52, 4, 3, ListId::SensActLevel),
    Flag("CheckBox24HZone", 52, 7),
    Ranged(Spec("UpDownRecoveryTime", Special::Spinner, 53, 1, 0, 6), 0, 63),
    ReservedBits(53, 6, 2),
    Item("ComboBoxDelayTime", 54, 0, 6, ListId::DelayTime),
    Item("ComboBoxReleToAlarm", 54, 6, 2, ListId::ReleToAlarm),
    ReservedBits(55, 0, 1),
    Item("ComboBoxSensType", 55, 1, 3, ListId::SensType),
    ReservedBits(55, 4, 4),
    Reserved(57, 1),
    Ranged(Spec("TrackBarLoBarrier", Special::Threshold, 58, 2, 0, 16), 0, 4095),
    Ranged(Spec("TrackBarHiBarrier", Special::Threshold, 60, 2, 0, 16), 0, 4095),
    Item("ComboBoxActiveTriggerNum", 62, 0, 2, ListId::ActiveTriggerNum),
    Flag("CheckBoxNotArmingAsActive", 62, 2),
    ReservedBits(62, 3, 1),
    Item("ComboBoxListenNum", 62, 4, 4, ListId::ListenNum),
    Item("ComboBoxSensorPwrSource", 63, 0, 2, ListId::SensorPwrSource),
    Item("ComboBoxAlarmTry", 63, 2, 2, ListId::AlarmTry),
    Item("ComboBoxActArmDisMode", 63, 4, 2, ListId::ArmDisMode),
    Item("ComboBoxPassArmDisMode", 63, 6, 2, ListId::ArmDisMode),
    Item("ComboBoxAlarmDelayTime", 64, 0, 4, ListId::AlarmDelayTime),
    Flag("CheckBoxActiveToGPS", 64, 4),
    ReservedBits(64, 5, 3),
    Reserved(65, 3),
    Spec("MaskEditMinVal", Special::ScaleFloat, 68, 4, 0, 0),
    Spec("MaskEditMaxVal", Special::ScaleFloat, 72, 4, 0, 0),
    Item("ComboBoxActRele{}", 76, 0, 8, ListId::OutputAction).Repeat(7, 1, 0),
    Item("ComboBoxPassRele{}", 83, 0, 8, ListId::OutputAction).Repeat(7, 1, 0),
    Reserved(90, 2),
};

const FieldDef kOutput[] = {
    Text("ComboBoxReleName", 0, 17, Trim::None),
    Text("ComboBoxReleNameAct", 17, 17, Trim::None),
    Text("ComboBoxReleNameDeact", 34, 17, Trim::None),
    Item("ComboBoxCommType", 51, 0, 5, ListId::CommType),
    Flag("CheckBoxReleEn", 51, 5),
    Flag("CheckBoxReleInversion", 51, 6),
    Flag("CheckBoxRemoteControlEn", 51, 7),
};

const FieldDef kScenario[] = {
    Spec("StringGrid2[{r}].count", Special::ScenarioCount, 0, 2, 0, 16),
    Spec("StringGrid2[{r}].step{}", Special::ScenarioStep, 2, 2, 0, 16).Repeat(16, 2, 0),
};

const FieldDef kClock[] = {
    Spec("ComboBoxTimeZone", Special::TimeZone, 2672, 1, 0, 8, ListId::TimeZone),
    Flag("CheckBoxDSTEnable", 2673, 0),
    ReservedBits(2673, 1, 7),
    Reserved(2674, 2),
    Flag("CheckBoxInfoIn{}", 2676, 0, 2).Repeat(16, 0, 1),
    Flag("CheckBoxInfoR{}", 2678, 0).Repeat(7, 0, 1),
    ZeroBits(2678, 7, 1),
    Reserved(2679, 1),
};

const FieldDef kTaskRow[] = {
    Spec("StringGrid3[{r}].Вкл", Special::TaskEnabled, 0, 1, 0, 1),
    ZeroBits(0, 1, 7),
    Reserved(1, 3),
    Flag("StringGrid3[{r}].Пн", 4, 0),
    Flag("StringGrid3[{r}].Вт", 4, 1),
    Flag("StringGrid3[{r}].Ср", 4, 2),
    Flag("StringGrid3[{r}].Чт", 4, 3),
    Flag("StringGrid3[{r}].Пт", 4, 4),
    Flag("StringGrid3[{r}].Сб", 4, 5),
    Flag("StringGrid3[{r}].Вс", 4, 6),
    ReservedBits(4, 7, 1),
    Spec("StringGrid3[{r}].Час", Special::TaskHour, 5, 1, 0, 5),
    ReservedBits(5, 5, 3),
    Spec("StringGrid3[{r}].Минута", Special::TaskMinute, 6, 1, 0, 6),
    ReservedBits(6, 6, 2),
    Reserved(7, 5),
    Flag("StringGrid3[{r}].Тест", 12, 0),
    Flag("StringGrid3[{r}].Инфо", 12, 1),
    Spec("StringGrid3[{r}].Действие", Special::TaskAction, 12, 1, 2, 6),
    Spec("StringGrid3[{r}].Параметр", Special::TaskParameter, 13),
    Spec("StringGrid3[{r}].Доп. параметр", Special::TaskOutputAction, 14, 1, 0, 8, ListId::OutputAction),
    Reserved(15, 1),
};

// Page "Питание, температура, индикация, контроль вскрытия", absolute offsets.
// Bits 4-6 of byte 2817 are declared with the perimeter pages.
const FieldDef kPower[] = {
    Item("ComboBoxPowerSignAverTime", 2808, 0, 3, ListId::PowerSignAverTime),
    Flag("CheckBoxExtPowerFault", 2808, 3),
    Item("ComboBoxRecoveryTime", 2808, 4, 3, ListId::RecoveryTime),
    Flag("CheckBoxExtPowerRec", 2808, 7),
    Flag("CheckBoxAsFaultSendGPSPos", 2809, 0),
    ReservedBits(2809, 1, 7),
    Item("ComboBoxFltBrdArriveOut", 2810, 0, 3, ListId::OutputNameList),
    Item("ComboBoxFltBrdArriveScn", 2810, 3, 5, ListId::OutputAction),
    Item("ComboBoxFltBrdRecoveryOut", 2811, 0, 3, ListId::OutputNameList),
    Item("ComboBoxFltBrdRecoveryScn", 2811, 3, 5, ListId::OutputAction),
    Spec("TrackBarDischargeAlarm", Special::DischargeBorder, 2812, 1, 0, 7),
    Flag("CheckBoxBatteryDischargeAlarmEventEn", 2812, 7),
    Spec("TrackBarDischargeWarn", Special::DischargeBorder, 2813, 1, 0, 7),
    Flag("CheckBoxBatteryDischargeWarnEventEn", 2813, 7),
    Flag("CheckBoxAsDischargeSendGPSPos", 2814, 0),
    ReservedBits(2814, 1, 7),
    Item("ComboBoxDischAlarmBrdArrOut", 2815, 0, 3, ListId::OutputNameList),
    Item("ComboBoxDischAlarmBrdArrScn", 2815, 3, 5, ListId::OutputAction),
    Item("ComboBoxDischWarnBrdArrOut", 2816, 0, 3, ListId::OutputNameList),
    Item("ComboBoxDischWarnBrdArrScn", 2816, 3, 5, ListId::OutputAction),
    Item("ComboBoxIndFunction", 2817, 0, 2, ListId::IndFunction),
    Flag("CheckBoxAlarmBlinking", 2817, 2),
    Flag("CheckBoxDisableLedsAtCoverClose", 2817, 3),
    Flag("CheckBoxShowActiveInsToArmOut", 2817, 7),
    Flag("CheckBoxTemperatureEvent", 2842, 0),
    ReservedBits(2842, 1, 7),
    Spec("TrackBarTemperatLowBorder", Special::TemperatureBorder, 2843).Show(Display::Signed),
    Spec("TrackBarTemperatHiBorder", Special::TemperatureBorder, 2844).Show(Display::Signed),
    Spec("ComboBoxLoBorderLevel", Special::TemperatureLevel, 2845, 1, 0, 8, ListId::TemperatureLevel),
    Item("ComboBoxLoBorderOut", 2846, 0, 3, ListId::OutputNameList),
    Item("ComboBoxLoBorderScn", 2846, 3, 5, ListId::OutputAction),
    Spec("ComboBoxHiBorderLevel", Special::TemperatureLevel, 2847, 1, 0, 8, ListId::TemperatureLevel),
    Item("ComboBoxHiBorderOut", 2848, 0, 3, ListId::OutputNameList),
    Item("ComboBoxHiBorderScn", 2848, 3, 5, ListId::OutputAction),
    Flag("CheckBoxTamperEnable", 2849, 0),
    Flag("CheckBoxTamperInversion", 2849, 1),
    ReservedBits(2849, 2, 6),
    Item("ComboBoxTamperActOutN", 2850, 0, 3, ListId::OutputNameList),
    Item("ComboBoxTamperActScnN", 2850, 3, 5, ListId::OutputAction),
};

// Bytes no page reads or writes, absolute offsets.
const FieldDef kLooseReserved[] = {
    Reserved(2818, 2),
    Reserved(2841, 1),
    Reserved(2851, 1),
    Reserved(3080, 7),
    Reserved(3291, 1),
};

const FieldDef kGprs[] = {
    Kept("GprsAccessPoint", 2852, 33, Display::Text),
    Kept("GprsLogin", 2885, 17, Display::Text),
    Kept("GprsPassword", 2902, 17, Display::Text),
    Kept("GprsParameters", 2919, 161, Display::Hex),
};

const FieldDef kPerimeter[] = {
    Text("ComboBoxPerimetrName", 0, 17, Trim::None),
    Ranged(Spec("UpDownPerimDelayARM", Special::Spinner, 17), 0, 240),
    Spec("GroupBox46", Special::PerimeterMode, 18),
    Item("ComboBoxPArmToRele{}", 19, 0, 8, ListId::OutputAction).Repeat(7, 1, 0),
    Item("ComboBoxPDisarmToRele{}", 26, 0, 8, ListId::OutputAction).Repeat(7, 1, 0),
    Item("ComboBoxPCDtoRele{}", 33, 0, 8, ListId::OutputAction).Repeat(7, 1, 0),
    Reserved(40, 7),
    Item("ComboBoxPArmToProfile", 47, 0, 8, ListId::ProfileAction),
    Item("ComboBoxPDisarmToProfile", 48, 0, 8, ListId::ProfileAction),
    Item("ComboBoxPCDtoProfile", 49, 0, 8, ListId::ProfileAction),
    ZeroBits(50, 0, 8),
};

// The parts of a key slot every perimeter page writes; the permission bits of
// byte 25 are declared per perimeter page.
const FieldDef kKeySlot[] = {
    Spec("StringGridPerimTouch[{r}].Код ключа TOUCH", Special::KeyCode, 0, 8, 0, 0),
    Text("StringGridPerimTouch[{r}].Имя пользователя", 8, 17, Trim::None),
    Spec("StringGridPerimTouch[{r}].Проф.", Special::KeyProfile, 26, 1, 0, 4),
    ReservedBits(26, 4, 4),
    Reserved(27, 5),
};

const FieldDef kProfile[] = {
    Text("ComboBoxProfileName", 0, 17, Trim::None),
    Reserved(17, 1),
    Flag("CheckBoxProfIn{}", 18, 0).Repeat(8, 6, 0),
    ReservedBits(18, 1, 7).Repeat(8, 6, 0),
    Reserved(19, 1).Repeat(8, 6, 0),
    Ranged(Spec("TrackBarProfLo{}", Special::Threshold, 20, 2, 0, 16), 0, 4095).Repeat(8, 6, 0),
    Ranged(Spec("TrackBarProfHi{}", Special::Threshold, 22, 2, 0, 16), 0, 4095).Repeat(8, 6, 0),
    // Entries of inputs 9-16 have no controls; they travel unchanged.
    Kept("ProfileInput{}.flags", 66, 1, Display::Hex).Repeat(8, 6, 0, 9),
    Kept("ProfileInput{}.reserved", 67, 1, Display::Hex).Repeat(8, 6, 0, 9),
    Kept("ProfileInput{}.low", 68, 2, Display::Number).Repeat(8, 6, 0, 9),
    Kept("ProfileInput{}.high", 70, 2, Display::Number).Repeat(8, 6, 0, 9),
    Item("ComboBoxProfileToR{}", 114, 0, 8, ListId::OutputAction).Repeat(7, 1, 0),
    Reserved(121, 1),
};

const FieldDef kSystemParameters[] = {
    Number("EditCALVAL", 0, 4, 17, kCalVal),
    Item("ComboBoxCALDIR", 0, 17, 1, ListId::CalDir, 4),
    ReservedBits(0, 18, 14, 4),
    Item("ComboBoxBatteryType", 4, 0, 1, ListId::BatteryType),
    ReservedBits(4, 1, 7),
    Flag("CheckBoxFWUpdateEnable", 5, 0),
    ReservedBits(5, 1, 7),
    Flag("CheckBoxCRCCheckDisable", 6, 0),
    ReservedBits(6, 1, 7),
    Reserved(7, 17),
};

// ---- flattening -----------------------------------------------------------------

std::string Replace(std::string s, const std::string& what, const std::string& with)
{
    for (auto pos = s.find(what); pos != std::string::npos; pos = s.find(what, pos + with.size()))
        s.replace(pos, what.size(), with);
    return s;
}

class Builder {
public:
    explicit Builder(std::vector<CatalogueField>& out) : m_out(out) {}

    // Adds every field of `layout` for a record at `base`.
    template <std::size_t N>
    void Record(const FieldDef (&layout)[N], int base, const std::string& page, int pageIndex, int record = 0)
    {
        for (const FieldDef& def : layout)
            for (int i = 0; i < def.repeat; ++i)
                Add(def, base, page, pageIndex, record, i);
    }

    void Add(const FieldDef& def, int base, const std::string& page, int pageIndex, int record, int instance,
             int extraShift = 0, const char* controlOverride = nullptr)
    {
        CatalogueField f;
        f.page = page;
        f.pageIndex = pageIndex;
        f.record = record;
        f.instance = instance;
        std::string control = controlOverride ? controlOverride : def.control;
        if (def.kind == FieldKind::Reserved || def.kind == FieldKind::WrittenZero) {
            const int at = base + def.offset + instance * def.offsetStep;
            control = (def.kind == FieldKind::Reserved ? "reserved@" : "zero@") + std::to_string(at);
            if (def.bits != 0)
                control += "." + std::to_string(def.shift) + "-" + std::to_string(def.shift + def.bits - 1);
        }
        control = Replace(control, "{r}", std::to_string(record + 1));
        control = Replace(control, "{}", std::to_string(def.first + instance));
        f.control = control;
        f.at.offset = std::uint16_t(base + def.offset + instance * def.offsetStep);
        f.at.width = def.width;
        f.at.shift = std::uint8_t(def.shift + instance * def.shiftStep + extraShift);
        f.at.bits = def.bits;
        f.kind = def.kind;
        f.special = def.special;
        f.list = def.list;
        f.trim = def.trim;
        f.range = def.range;
        f.display = def.display;
        m_out.push_back(std::move(f));
    }

private:
    std::vector<CatalogueField>& m_out;
};

std::vector<CatalogueField> BuildMainImage()
{
    std::vector<CatalogueField> out;
    Builder b(out);
    b.Record(kHeader, 0, "Заголовок", kNoPage);
    b.Record(kCommonConnections, 0, "Общие параметры соединений", 1);
    for (int k = 1; k <= 8; ++k)
        b.Record(kConnection, 32 + 36 * k, "Соединение " + std::to_string(k), k + 1, k - 1);
    b.Record(kInputsCommon, 0, "Входы", 16);
    for (int n = 0; n < 16; ++n)
        b.Record(kInput, 360 + 92 * n, "Вход " + std::to_string(n + 1), n < 8 ? 17 + n : kNoPage, n);
    const auto& outputNames = Items(ListId::OutputNameList);
    for (int k = 0; k < 7; ++k)
        b.Record(kOutput, 1832 + 52 * k, outputNames[std::size_t(k)], 26 + k, k);
    for (int s = 0; s < 14; ++s)
        b.Record(kScenario, 2196 + 34 * s, "Сценарии управления", 33, s);
    b.Record(kClock, 0, "Часы, планировщик задач", 10);
    for (int r = 0; r < 8; ++r)
        b.Record(kTaskRow, 2680 + 16 * r, "Часы, планировщик задач", 10, r);
    b.Record(kPower, 0, "Питание, температура, индикация, контроль вскрытия", 11);
    b.Record(kLooseReserved, 0, "Резерв", kNoPage);
    b.Record(kGprs, 0, "GPRS", kNoPage);

    for (int p = 0; p < 4; ++p) {
        const std::string page = "Периметр " + std::to_string(p + 1);
        b.Record(kPerimeter, 3087 + 51 * p, page, 12 + p, p);
        // The mode mirror bit of perimeters 2-4 in byte 2817.
        if (p > 0) {
            const FieldDef mirror = Flag("CheckBoxRedirectToOut", 2817, 3 + p);
            b.Add(mirror, 0, page, 12 + p, p, 0);
        }
        // The link of each input to this perimeter: two bits of input byte 56.
        for (int n = 0; n < 16; ++n) {
            const FieldDef link = Spec("CheckBoxInput{}LinkType", Special::PerimeterLink, 56, 1, 0, 2);
            FieldDef one = link;
            one.first = std::uint8_t(n + 1);
            b.Add(one, 360 + 92 * n, page, 12 + p, p, 0, 2 * p);
        }
        // The permission bits of each key slot for this perimeter.
        for (int k = 0; k < 32; ++k) {
            const std::string row = "StringGridPerimTouch[" + std::to_string(k + 1) + "]";
            b.Add(Flag("", 25, 0), 3292 + 32 * k, page, 12 + p, p, 0, 2 * p, (row + ".О").c_str());
            b.Add(Flag("", 25, 1), 3292 + 32 * k, page, 12 + p, p, 0, 2 * p, (row + ".Н").c_str());
        }
    }
    for (int k = 0; k < 32; ++k)
        b.Record(kKeySlot, 3292 + 32 * k, "Ключи TouchMemory", kEveryPerimeterPage, k);
    for (int q = 0; q < 8; ++q)
        b.Record(kProfile, 4316 + 122 * q, "Профиль " + std::to_string(q + 1), 35 + q, q);
    return out;
}

std::vector<CatalogueField> BuildSystemParameters()
{
    std::vector<CatalogueField> out;
    Builder b(out);
    b.Record(kSystemParameters, 0, "Системные параметры", 43);
    return out;
}

} // namespace

const std::vector<CatalogueField>& Catalogue(BlockId block)
{
    static const std::vector<CatalogueField> main = BuildMainImage();
    static const std::vector<CatalogueField> system = BuildSystemParameters();
    return block == BlockId::MainImage ? main : system;
}

std::vector<const CatalogueField*> PageFields(BlockId block, int pageIndex)
{
    std::vector<const CatalogueField*> fields;
    const bool perimeterPage = pageIndex >= 12 && pageIndex <= 15;
    for (const CatalogueField& f : Catalogue(block))
        if (f.pageIndex == pageIndex || (perimeterPage && f.pageIndex == kEveryPerimeterPage))
            fields.push_back(&f);
    return fields;
}

const CatalogueField* FindField(BlockId block, const std::string& key)
{
    static const auto index = [] {
        std::map<std::pair<int, std::string>, const CatalogueField*> m;
        for (BlockId b : {BlockId::MainImage, BlockId::SystemParameters})
            for (const CatalogueField& f : Catalogue(b))
                m.emplace(std::pair{int(b), f.Key()}, &f);
        return m;
    }();
    const auto it = index.find({int(block), key});
    return it == index.end() ? nullptr : it->second;
}

std::size_t BlockSize(BlockId block)
{
    return block == BlockId::MainImage ? kMainImageSize : kSystemParametersSize;
}

} // namespace krv
